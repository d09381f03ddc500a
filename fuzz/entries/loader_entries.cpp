// Fuzz entries of the project loaders, one per layer: the exported-file
// reader, the Office-document loader (the container is told by the bytes,
// so one input may be a zip package or a compound file), VBA decompression
// with a compression round trip, and the dir and PROJECT streams. A loader
// may refuse any input with LoadError (a VbaError); what it accepts must be
// UTF-8 text, as all text inside the program is.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "addin/common/vba_error.h"
#include "editor/load/exported_module.h"
#include "editor/load/module_text.h"
#include "editor/load/office_document.h"
#include "editor/load/vba_compression.h"
#include "editor/load/vba_dir.h"
#include "fuzz/entries/fuzz_targets.h"
#include "platform/codepage.h"

namespace qm::fuzz {

namespace {

constexpr const char* kExportedNames[] = {"Module1.bas", "Class1.cls", "UserForm1.frm", "読込.bas"};
constexpr int kExportedCodePages[] = {0, 932, 1252, platform::kCodePageUtf8};
// Largest output a fuzzed container may decompress to (keeps runs fast).
constexpr size_t kFuzzMaxDecompressed = 1u << 20;
// Largest input the compression round trip takes.
constexpr size_t kRoundTripLimit = 64u << 10;

void RequireLoaded(const editor::LoadedModule& module) {
  Require(platform::IsValidUtf8(module.name), "a module name that is not UTF-8");
  Require(platform::IsValidUtf8(module.text), "module text that is not UTF-8");
}

// A scratch file for this process, in memory where the system has a tmpfs.
const std::string& ScratchPath() {
  static const std::string path = [] {
    std::error_code ignored;
    const std::filesystem::path shm = "/dev/shm";
    const auto folder = std::filesystem::is_directory(shm, ignored) ? shm : std::filesystem::temp_directory_path();
    return (folder / ("quillmark-fuzz-" + std::to_string(getpid()) + ".bin")).string();
  }();
  return path;
}

}  // namespace

int FuzzExported(const uint8_t* data, size_t size) {
  ByteReader in(data, size);
  const uint8_t choice = in.Byte();
  try {
    const auto exported = editor::ParseExportedModule(in.Rest(), kExportedNames[choice % 4], kExportedCodePages[(choice >> 2) % 4]);
    RequireLoaded(exported.module);
    Require(editor::IsVbaIdentifier(exported.module.name), "a module name that is not a VBA name");
  } catch (const VbaError&) {
  }
  return 0;
}

int FuzzOffice(const uint8_t* data, size_t size) {
  const std::string& path = ScratchPath();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Require(out.good(), "cannot write the scratch file " + path);
  }
  try {
    const auto project = editor::LoadOfficeDocument(path);
    Require(platform::IsValidUtf8(project.name), "a project name that is not UTF-8");
    for (const auto& module : project.modules) RequireLoaded(module);
  } catch (const VbaError&) {
  }
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
  return 0;
}

int FuzzDecompress(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto result = editor::DecompressContainer(bytes, kFuzzMaxDecompressed);
  Require(result.bytes.size() <= kFuzzMaxDecompressed, "decompressed beyond the limit");
  const std::string_view sample = bytes.substr(0, kRoundTripLimit);
  const auto packed = editor::DecompressContainer(editor::CompressContainer(sample));
  Require(packed.error.empty() && packed.bytes == sample, "compressed data does not decompress to itself");
  const auto raw = editor::DecompressContainer(editor::CompressContainer(sample, true));
  Require(raw.error.empty() && raw.bytes.substr(0, sample.size()) == sample &&
              raw.bytes.find_first_not_of('\0', sample.size()) == std::string::npos,
          "raw chunks do not decompress to the data and its zero padding");
  return 0;
}

int FuzzDir(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Any result will do (a record's UTF-16 name may even have an odd length:
  // the reader decodes it with a replacement character and the module name
  // check refuses it); only crashes and sanitizer reports count.
  (void)editor::ParseDirStream(bytes);
  for (const auto& [name, kind] : editor::ModuleKindsOfProjectStream(bytes)) {
    Require(kind == 1 || kind == 2 || kind == 3 || kind == 100, "an unknown module kind " + std::to_string(kind));
    (void)name;
  }
  return 0;
}

}  // namespace qm::fuzz
