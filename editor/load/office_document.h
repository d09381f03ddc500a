// Loads the VBA project of an Office document: OOXML packages (.xlsm .xlsb
// .xlam .docm .pptm …, a zip whose vbaProject.bin part is a compound file)
// and OLE2 compound documents (.xls .doc …, with the project in the storage
// _VBA_PROJECT_CUR or Macros; .ppt .pot inside the presentation stream).
// A bare vbaProject.bin is accepted too.
#pragma once

#include <string>

#include "editor/load/loaded_project.h"

namespace qm::editor {

// The document's project with fileName its absolute path and documentName
// its file name; raises LoadError naming the path on any failure.
LoadedProject LoadOfficeDocument(const std::string& path);

}  // namespace qm::editor
