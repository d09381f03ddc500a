// A VBA project as a loader read it from real files, before it becomes an
// in-memory editor project: the project's name and file, and every module's
// name, kind and text as the editor shows it (export headers and attribute
// lines already hidden). Text is UTF-8, lines joined by CR LF.
#pragma once

#include <string>
#include <vector>

namespace qm::editor {

struct LoadedModule {
  std::string name;  // a VBA identifier
  int kind = 1;      // ComponentKind: 1 standard, 2 class, 3 user form, 11 designer, 100 document
  std::string text;  // the code as the editor shows it, lines joined by CR LF; empty: no code
};

struct LoadedProject {
  std::string name;          // the project's name (VBAProject, or the folder's name)
  std::string fileName;      // the project's file; empty when it has none
  std::string documentName;  // the host document's file name (for the document module's "Name")
  int codePage = 0;          // the code page the sources were decoded from (0: not applicable)
  std::vector<LoadedModule> modules;
};

}  // namespace qm::editor
