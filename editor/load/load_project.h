// Loads a VBA project from the files users have: an Office document holding a
// VBA project (.xlsm .docm .pptm …, .xls .doc .ppt …), exported module files
// (.bas standard module, .cls class or document module, .frm user form), or
// one folder of exported files. The result is a LoadedProject for the
// in-memory editor; see loaded_project.h.
//
// Every failure raises LoadError, a VbaError whose description is one line
// "<file>: <what is wrong>"; nothing is written anywhere.
//
// Text encodings of exported files (Office projects carry their own code page):
//   - bytes that are valid UTF-8 are UTF-8 (a BOM is dropped);
//   - otherwise LoadOptions::codePage when it is not 0;
//   - otherwise 932 when the bytes decode cleanly as Shift-JIS and hold at
//     least one double-byte character (Japanese comments in a file exported
//     by a Japanese editor);
//   - otherwise the system's ANSI code page, or 1252 when that is UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "addin/common/vba_error.h"
#include "editor/load/loaded_project.h"

namespace qm::editor {

// Error numbers of LoadError, the runtime's own for these failures.
inline constexpr long kErrFileNotFound = 53;
inline constexpr long kErrFileAccess = 75;
inline constexpr long kErrBadFileFormat = 321;

// One failure of a loader: description "<file>: <problem>".
class LoadError : public VbaError {
 public:
  LoadError(std::string_view file, std::string_view problem, long number = kErrBadFileFormat);
  const std::string& File() const { return file_; }

 private:
  std::string file_;  // the file or folder the problem is in
};

struct LoadOptions {
  int codePage = 0;  // code page of exported files that are not UTF-8; 0 = automatic (see above)
};

// Loads one Office document, one folder, or a set of exported module files.
// A source ending in .bas, .cls or .frm is an exported file, a folder is a
// folder, anything else must be an Office document (its bytes decide which
// container). Modules of a folder come in file-name order, loose files in
// the order given, Office modules in the order of the project's dir stream.
// A folder's project is named after the folder, loose files make
// "VBAProject"; both have no fileName or documentName.
LoadedProject LoadProject(const std::vector<std::string>& sources, const LoadOptions& options = {});

// The file-type checks LoadProject dispatches on.
bool IsExportedModuleFile(std::string_view path);

}  // namespace qm::editor
