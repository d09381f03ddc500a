// Reads a VBA project storage (the root of a vbaProject.bin, or the
// _VBA_PROJECT_CUR / Macros storage of a binary document): its PROJECT stream
// and its VBA storage with the dir stream and one stream per module.
#pragma once

#include <gsf/gsf.h>

#include <string_view>

#include "editor/load/loaded_project.h"

namespace qm::editor {

// The project in storage; raises LoadError naming origin when it is missing
// or malformed. Sets name, codePage and modules; not the file names.
LoadedProject ReadVbaProject(GsfInfile* storage, std::string_view origin);

}  // namespace qm::editor
