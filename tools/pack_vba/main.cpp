// pack_vba: packs a folder of exported module files (.bas .cls .frm) into an
// Office document holding the same VBA project, the way the editor would
// store it: module streams keep the attribute lines but not the export
// header, texts are stored in the project's code page, streams compressed.
//
//   pack_vba [--codepage N] [--name PROJECT] [--raw] <folder> <output>
//
// The output's extension picks the container: .xlsm (workbook package),
// .docm (document package), .xls / .doc (compound file with the project in
// _VBA_PROJECT_CUR / Macros), .bin (a bare vbaProject.bin). The code page
// defaults to the one the folder's non-UTF-8 files were read in, else 1252.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "editor/load/exported_module.h"
#include "editor/load/load_project.h"
#include "editor/load/module_text.h"
#include "editor/load/source_encoding.h"
#include "editor/load/vba_writer.h"

namespace fs = std::filesystem;
using namespace qm::editor;

namespace {

struct Arguments {
  int codePage = 0;
  std::string name = "VBAProject";
  bool raw = false;
  std::string folder, output;
};

// Parses the command line; false on a usage error.
bool ParseArguments(int argc, char** argv, Arguments& args) {
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--codepage" && i + 1 < argc) args.codePage = std::atoi(argv[++i]);
    else if (arg == "--name" && i + 1 < argc) args.name = argv[++i];
    else if (arg == "--raw") args.raw = true;
    else if (!arg.empty() && arg[0] == '-') return false;
    else positional.push_back(arg);
  }
  if (positional.size() != 2) return false;
  args.folder = positional[0];
  args.output = positional[1];
  return true;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The project content from the folder's exported files, in file-name order.
VbaProjectContent SpecOfFolder(const Arguments& args) {
  const LoadedProject loaded = LoadProject({args.folder});  // checks every file first
  VbaProjectContent content;
  content.name = args.name;
  content.rawChunks = args.raw;
  content.codePage = args.codePage != 0 ? args.codePage : loaded.codePage != 65001 ? loaded.codePage : 1252;
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(args.folder)) {
    if (entry.is_regular_file() && IsExportedModuleFile(entry.path().string())) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    const std::string bytes = ReadBytes(file);
    const ExportedModule exported = ParseExportedModule(bytes, file, 0);
    const DecodedSource decoded = DecodeExportedBytes(bytes, 0, file);
    content.modules.push_back({exported.module.name, exported.module.kind, StreamSourceOfExport(decoded.text)});
  }
  return content;
}

std::string Container(const std::string& output, const VbaProjectContent& content) {
  std::string ext = fs::path(output).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const StreamTree project = VbaProjectStreams(content);
  if (ext == ".bin") return BuildCompoundFile(project);
  if (ext == ".xlsm") return BuildZipFile(OoxmlParts(OoxmlHost::kExcel, BuildCompoundFile(project)));
  if (ext == ".docm") return BuildZipFile(OoxmlParts(OoxmlHost::kWord, BuildCompoundFile(project)));
  if (ext == ".xls" || ext == ".doc") {
    StreamTree document;
    const std::string storage = ext == ".xls" ? "_VBA_PROJECT_CUR/" : "Macros/";
    for (const auto& [path, bytes] : project) document[storage + path] = bytes;
    return BuildCompoundFile(document);
  }
  throw LoadError(output, "unknown output type (use .xlsm, .docm, .xls, .doc or .bin)");
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (!ParseArguments(argc, argv, args)) {
    std::cerr << "usage: pack_vba [--codepage N] [--name PROJECT] [--raw] <folder> <output>\n";
    return 2;
  }
  try {
    WriteFileBytes(args.output, Container(args.output, SpecOfFolder(args)));
  } catch (const LoadError& error) {
    std::cerr << "pack_vba: " << error.Description() << "\n";
    return 1;
  }
  return 0;
}
