// make_seeds: writes the seed corpora of the fuzz targets into
// fuzz/corpus/<target>/ from the sample project (samples/Book1), the golden
// page inputs (tests/data) and a few .reg texts, so the seeds can be made
// again after a format change:
//
//   make_seeds <source folder> <corpus folder>
//
// Converter seeds carry the option bytes the entries read first (see
// fuzz/entries/converter_entries.cpp) in front of the source; exported-file
// seeds one choice byte; Office seeds are the sample project packed into
// each container our writer makes; decompression and dir seeds are the
// project's own streams.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "editor/load/exported_module.h"
#include "editor/load/load_project.h"
#include "editor/load/module_text.h"
#include "editor/load/source_encoding.h"
#include "editor/load/vba_compression.h"
#include "editor/load/vba_writer.h"

namespace fs = std::filesystem;
using namespace qm::editor;

namespace {

// Option prefixes of the converter seeds: flags, mode, tab width, font size,
// then the eight colour indices (standard scheme, a grey keyword background).
const std::vector<std::string> kOptionPrefixes = {
    std::string("\x29\x01\x03\x0a\x03\x0d\x09\x03\x00\x00\x00\x00", 12),  // head style, module name, separators
    std::string("\x2b\x03\x03\x0a\x03\x0d\x09\x05\x00\x01\x00\x00", 12),  // inline, <pre>
    std::string("\x18\x00\x07\x00\x03\x0d\x09\x03\x00\x00\x00\x00", 12),  // font mode, no charset
    std::string("\x4d\x02\x01\x0c\x03\x0d\x09\x03\x00\x00\x00\x00", 12),  // file style, body only, script
};

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Seed(const fs::path& corpus, const std::string& target, const std::string& name, const std::string& bytes) {
  fs::create_directories(corpus / target);
  std::ofstream(corpus / target / name, std::ios::binary) << bytes;
}

// Converter seeds: every module text and, for the line target, every line.
void ConverterSeeds(const fs::path& corpus, const std::vector<std::pair<std::string, std::string>>& texts) {
  size_t n = 0;
  for (const auto& [name, text] : texts) {
    const std::string& prefix = kOptionPrefixes[n++ % kOptionPrefixes.size()];
    Seed(corpus, "page", name, prefix + std::string("\x00\x01\x05", 3) + text);
    size_t line = 0;
    for (auto piece : SplitLines(text)) {
      if (piece.size() < 12 || line++ % 3 != 0) continue;  // a sample of the longer lines
      Seed(corpus, "line", name + "." + std::to_string(line), kOptionPrefixes[line % kOptionPrefixes.size()] + std::string(piece));
    }
  }
}

// Office, decompression and dir seeds from the sample folder's project.
void ProjectSeeds(const fs::path& corpus, const fs::path& folder) {
  VbaProjectContent content;
  content.codePage = 932;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    const std::string bytes = ReadBytes(file);
    const ExportedModule exported = ParseExportedModule(bytes, file.string(), 0);
    const std::string source = StreamSourceOfExport(DecodeExportedBytes(bytes, 0, file.string()).text);
    content.modules.push_back({exported.module.name, exported.module.kind, source});
    Seed(corpus, "exported", file.filename().string(), std::string(1, static_cast<char>(file.extension() == ".bas" ? 0 : 1)) + bytes);
    Seed(corpus, "decompress", exported.module.name + ".z", CompressContainer(source));
  }
  Seed(corpus, "decompress", "raw.z", CompressContainer(content.modules.front().source, true));
  const StreamTree streams = VbaProjectStreams(content);
  Seed(corpus, "dir", "dir", BuildDirStream(content));
  Seed(corpus, "dir", "PROJECT", streams.at("PROJECT"));
  const std::string bin = BuildCompoundFile(streams);
  Seed(corpus, "office", "vbaProject.bin", bin);
  Seed(corpus, "office", "Book1.xlsm", BuildZipFile(OoxmlParts(OoxmlHost::kExcel, bin)));
  Seed(corpus, "office", "Book1.docm", BuildZipFile(OoxmlParts(OoxmlHost::kWord, bin)));
  StreamTree document;
  for (const auto& [path, bytes] : streams) document["_VBA_PROJECT_CUR/" + path] = bytes;
  Seed(corpus, "office", "Book1.xls", BuildCompoundFile(document));
}

void RegSeeds(const fs::path& corpus) {
  Seed(corpus, "reg", "regedit4.reg",
       "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\VBA\\6.0\\Common]\r\n"
       "\"FontFace\"=\"Courier New\"\r\n\"FontHeight\"=dword:0000000a\r\n\"TabWidth\"=dword:00000004\r\n"
       "\"CodeForeColors\"=\"0 0 5 0 1 10 14 0 0 0 0 0 0 0 0 0 \"\r\n\"Bin\"=hex:01,02,ff,\\\r\n  00\r\n"
       "@=\"default \\\"quoted\\\" \\\\ text\"\r\n\"Gone\"=-\r\n[-HKCU\\Software\\Old]\r\n; comment\r\n");
  std::string v5 = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID]\r\n"
                   "\"Expand\"=hex(2):25,00,53,00,00,00\r\n\"Multi\"=hex(7):61,00,00,00,00,00\r\n"
                   "\"Qword\"=hex(b):01,00,00,00,00,00,00,00\r\n\"名前\"=\"値\"\r\n";
  Seed(corpus, "reg", "v5-utf8.reg", v5);
  std::string utf16 = "\xFF\xFE";
  for (char c : v5.substr(0, 120)) {
    utf16 += c;
    utf16 += '\0';
  }
  Seed(corpus, "reg", "v5-utf16.reg", utf16);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_seeds <source folder> <corpus folder>\n";
    return 2;
  }
  const fs::path source = argv[1], corpus = argv[2];
  try {
    std::vector<std::pair<std::string, std::string>> texts;
    for (const auto& entry : fs::directory_iterator(source / "samples" / "Book1")) {
      const std::string bytes = ReadBytes(entry.path());
      texts.emplace_back(entry.path().filename().string(), DecodeExportedBytes(bytes, 0, entry.path().string()).text);
    }
    for (const auto& entry : fs::recursive_directory_iterator(source / "tests" / "data")) {
      if (entry.path().extension() != ".bas") continue;
      texts.emplace_back(entry.path().parent_path().filename().string() + "-" + entry.path().filename().string(),
                         ReadBytes(entry.path()));
    }
    std::sort(texts.begin(), texts.end());
    ConverterSeeds(corpus, texts);
    ProjectSeeds(corpus, source / "samples" / "Book1");
    RegSeeds(corpus);
  } catch (const std::exception& error) {
    std::cerr << "make_seeds: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
