// Loads the VBA project of a PowerPoint 97-2003 presentation or template
// (.ppt .pot .pps), which keeps it not in a storage of the compound file
// but inside the "PowerPoint Document" stream, as a record holding a
// compound file of its own (zlib-compressed or not).
#pragma once

#include <gsf/gsf.h>

#include <string_view>

#include "editor/load/loaded_project.h"

namespace qm::editor {

// The project of the presentation whose compound file is ole; raises
// LoadError naming origin on any failure. Sets name, codePage and modules
// (the modules and kinds the project itself records); not the file names.
LoadedProject LoadPowerPointProject(GsfInfile* ole, std::string_view origin);

}  // namespace qm::editor
