// Reads exported module files: decodes the bytes (see source_encoding.h),
// splits header from shown text (module_text.h), and gives the module its
// name and kind from the file's attributes and extension.
#include "editor/load/exported_module.h"

#include <filesystem>
#include <fstream>
#include <memory>

#include "editor/load/load_project.h"
#include "editor/load/module_text.h"
#include "editor/load/source_encoding.h"

namespace qm::editor {

namespace {

constexpr std::uintmax_t kMaxExportedFileSize = 16u << 20;

std::string LowerExtension(std::string_view path) {
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return ext;
}

}  // namespace

ExportedModule ParseExportedModule(std::string_view bytes, std::string_view origin, int requestedCodePage) {
  DecodedSource decoded;  // the text, when the bytes are not UTF-8
  ModuleSource source = ParseModuleSource(ExportedSourceText(bytes, requestedCodePage, origin, decoded), origin);
  ExportedModule result;
  result.codePage = decoded.codePage;
  LoadedModule& module = result.module;
  module.name = AttributeValue(source, "VB_Name");
  if (module.name.empty()) module.name = std::filesystem::path(origin).stem().string();
  if (!IsVbaIdentifier(module.name)) {
    throw LoadError(origin, "the module name \"" + module.name + "\" is not a VBA name");
  }
  const std::string ext = LowerExtension(origin);
  module.kind = ext == ".bas" ? kKindStandard : ext == ".frm" ? kKindUserForm : KindOfClassModule(source);
  module.text = std::move(source.text);
  return result;
}

ExportedModule ReadExportedModule(const std::string& path, int requestedCodePage) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error) throw LoadError(path, "cannot be read (" + error.message() + ")", kErrFileNotFound);
  if (size > kMaxExportedFileSize) throw LoadError(path, "the file is too large for a module (over 16 MiB)");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw LoadError(path, "cannot be read");
  // Read straight into a buffer of the size the file had (not cleared
  // first). The size is only a hint, as the file may change meanwhile: a
  // file that grew is read on in blocks.
  const auto expected = static_cast<size_t>(size);
  const auto buffer = std::make_unique_for_overwrite<char[]>(expected);
  in.read(buffer.get(), static_cast<std::streamsize>(expected));
  std::string_view bytes(buffer.get(), static_cast<size_t>(in.gcount()));
  std::string grown;  // the whole file, when it grew
  char block[64 * 1024];
  while (in && (in.read(block, sizeof block) || in.gcount() > 0)) {
    if (grown.empty()) grown = bytes;
    grown.append(block, static_cast<size_t>(in.gcount()));
    bytes = grown;
  }
  if (in.bad()) throw LoadError(path, "cannot be read");
  return ParseExportedModule(bytes, path, requestedCodePage);
}

}  // namespace qm::editor
