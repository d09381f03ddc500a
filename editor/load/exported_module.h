// One exported module file (.bas, .cls, .frm) read into a LoadedModule.
#pragma once

#include <string>
#include <string_view>

#include "editor/load/loaded_project.h"

namespace qm::editor {

struct ExportedModule {
  LoadedModule module;
  int codePage = 0;  // the code page the file was read in (65001 for UTF-8)
};

// Reads the file's bytes (origin: its path, for the name fallback and
// messages). Kind: .bas standard, .frm user form, .cls by its attributes.
// Name: Attribute VB_Name, else the file name without extension; it must be
// a VBA name. Raises LoadError.
ExportedModule ParseExportedModule(std::string_view bytes, std::string_view origin, int requestedCodePage);

// Reads and parses an exported file from disk (at most 16 MiB).
ExportedModule ReadExportedModule(const std::string& path, int requestedCodePage);

}  // namespace qm::editor
