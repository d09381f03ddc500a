// Writes VBA projects and the containers around them: the storage of a
// vbaProject.bin (PROJECT, PROJECTwm, VBA/_VBA_PROJECT, VBA/dir and one
// compressed stream per module), compound files, zip packages and the few
// OOXML parts a macro-enabled workbook or document needs. Used by the
// pack_vba tool and by tests that build their own fixtures.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qm::editor {

struct VbaModuleContent {
  std::string name;    // module name (UTF-8)
  int kind = 1;        // 1 standard, 2 class, 3 user form, 100 document
  std::string source;  // the module stream's text (UTF-8): attribute lines, then the code
};

struct VbaProjectContent {
  std::string name = "VBAProject";
  int codePage = 1252;  // the project's code page; names and sources are stored in it
  std::vector<VbaModuleContent> modules;
  bool rawChunks = false;  // store streams as raw (uncompressed) chunks
};

// Paths inside a container ("VBA/dir", "xl/vbaProject.bin") and their bytes.
using StreamTree = std::map<std::string, std::string>;

// The streams of a VBA project storage. Raises LoadError when a name or
// source does not fit the code page's conversion.
StreamTree VbaProjectStreams(const VbaProjectContent& content);

// The dir stream, uncompressed.
std::string BuildDirStream(const VbaProjectContent& content);

// A compound file (OLE2) holding the streams, storages made from the paths.
std::string BuildCompoundFile(const StreamTree& streams);

// A zip package holding the entries.
std::string BuildZipFile(const StreamTree& entries);

enum class OoxmlHost { kExcel, kWord };

// The parts of a minimal macro-enabled workbook (.xlsm) or document (.docm)
// around the given vbaProject.bin.
StreamTree OoxmlParts(OoxmlHost host, std::string vbaProjectBin);

// Writes bytes to a file; raises LoadError on failure.
void WriteFileBytes(const std::string& path, std::string_view bytes);

}  // namespace qm::editor
