// Opens an Office document through libgsf and finds its VBA project storage.
// The container is told by its first bytes (compound-file signature or zip
// local header), not by the extension. In a zip package the project part is
// the one [Content_Types].xml declares as application/vnd.ms-office.vbaProject,
// else xl/, word/ or ppt/vbaProject.bin. A PowerPoint 97-2003 presentation
// (.ppt .pot) keeps its project inside its "PowerPoint Document" stream; see
// ppt_document.h. Every size read is bounded.
#include "editor/load/office_document.h"

#include <filesystem>
#include <optional>
#include <string_view>

#include "editor/load/gsf_support.h"
#include "editor/load/load_project.h"
#include "editor/load/ppt_document.h"
#include "editor/load/vba_project_reader.h"

namespace qm::editor {

namespace {

constexpr std::string_view kOleSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr std::string_view kZipSignature = "PK\x03\x04";
constexpr std::string_view kVbaContentType = "application/vnd.ms-office.vbaProject";
// Storages of binary documents that hold the project: Excel, Word.
constexpr std::string_view kOleProjectStorages[] = {"_VBA_PROJECT_CUR", "Macros"};
constexpr std::string_view kDefaultVbaParts[] = {"xl/vbaProject.bin", "word/vbaProject.bin", "ppt/vbaProject.bin"};

// The value of attribute name="…" inside one XML tag, or empty.
std::string XmlAttribute(std::string_view tag, std::string_view name) {
  const std::string key = std::string(name) + "=\"";
  const auto at = tag.find(key);
  if (at == std::string_view::npos) return {};
  const auto start = at + key.size();
  const auto end = tag.find('"', start);
  return end == std::string_view::npos ? std::string() : std::string(tag.substr(start, end - start));
}

// The part name [Content_Types].xml gives the VBA project, without its leading "/".
std::string DeclaredVbaPart(std::string_view types) {
  for (size_t at = types.find("<Override"); at != std::string_view::npos; at = types.find("<Override", at + 1)) {
    const auto tag = types.substr(at, types.find('>', at) - at);
    if (XmlAttribute(tag, "ContentType") != kVbaContentType) continue;
    std::string part = XmlAttribute(tag, "PartName");
    if (!part.empty() && part.front() == '/') part.erase(0, 1);
    return part;
  }
  return {};
}

// The zip entry at a "/"-separated path, or empty.
GsfRef<GsfInput> ZipEntry(GsfInfile* zip, std::string_view partName) {
  GsfRef<GsfInfile> folder(GSF_INFILE(g_object_ref(zip)));
  for (size_t start = 0;;) {
    const auto slash = partName.find('/', start);
    const auto name = partName.substr(start, slash == std::string_view::npos ? slash : slash - start);
    if (slash == std::string_view::npos) return ChildByName(folder.get(), name);
    folder = StorageByName(folder.get(), name);
    if (!folder) return {};
    start = slash + 1;
  }
}

LoadedProject LoadOoxml(GsfInput* input, const std::string& path) {
  GsfErrorText error;
  GsfRef<GsfInfile> zip(gsf_infile_zip_new(input, error.out()));
  if (!zip) throw LoadError(path, "the zip container is corrupt or cut short" + error.detail());
  auto types = ChildByName(zip.get(), "[Content_Types].xml");
  if (!types) throw LoadError(path, "not an Office document (a zip archive without [Content_Types].xml)");
  const auto typesText = ReadWholeInput(types.get(), 1u << 20);
  std::string part = typesText ? DeclaredVbaPart(*typesText) : std::string();
  GsfRef<GsfInput> entry = part.empty() ? GsfRef<GsfInput>() : ZipEntry(zip.get(), part);
  for (auto fallback : kDefaultVbaParts) {
    if (!entry) entry = ZipEntry(zip.get(), fallback);
  }
  if (!entry) throw LoadError(path, "the document holds no VBA project (no vbaProject.bin part)");
  const auto bin = ReadWholeInput(entry.get());
  if (!bin) throw LoadError(path, "the vbaProject.bin part cannot be read (damaged or too large)");
  GsfRef<GsfInput> memory(gsf_input_memory_new(reinterpret_cast<const guint8*>(bin->data()), bin->size(), FALSE));
  GsfErrorText oleError;
  GsfRef<GsfInfile> ole(gsf_infile_msole_new(memory.get(), oleError.out()));
  if (!ole) throw LoadError(path, "the vbaProject.bin part is not a valid compound file" + oleError.detail());
  return ReadVbaProject(ole.get(), path);
}

LoadedProject LoadOle(GsfInput* input, const std::string& path) {
  GsfErrorText error;
  GsfRef<GsfInfile> ole(gsf_infile_msole_new(input, error.out()));
  if (!ole) throw LoadError(path, "the compound file is corrupt or cut short" + error.detail());
  for (auto name : kOleProjectStorages) {
    if (auto storage = StorageByName(ole.get(), name)) return ReadVbaProject(storage.get(), path);
  }
  if (StorageByName(ole.get(), "VBA")) return ReadVbaProject(ole.get(), path);  // a bare vbaProject.bin
  if (ChildByName(ole.get(), "PowerPoint Document")) return LoadPowerPointProject(ole.get(), path);
  throw LoadError(path, "the document holds no VBA project");
}

}  // namespace

LoadedProject LoadOfficeDocument(const std::string& path) {
  EnsureGsf();
  const QuietGsf quiet;
  GsfErrorText error;
  GsfRef<GsfInput> input(gsf_input_stdio_new(path.c_str(), error.out()));
  if (!input) throw LoadError(path, "cannot be opened" + error.detail(), kErrFileAccess);
  char head[8] = {};
  const bool haveHead = gsf_input_size(input.get()) >= 8 && gsf_input_read(input.get(), 8, reinterpret_cast<guint8*>(head)) != nullptr;
  if (haveHead) gsf_input_seek(input.get(), 0, G_SEEK_SET);
  const std::string_view start(head, haveHead ? 8 : 0);
  LoadedProject project;
  if (start == kOleSignature) {
    project = LoadOle(input.get(), path);
  } else if (start.substr(0, 4) == kZipSignature) {
    project = LoadOoxml(input.get(), path);
  } else {
    throw LoadError(path, "not an Office document (neither a compound file nor a zip package)");
  }
  std::error_code ignored;
  const auto absolute = std::filesystem::absolute(path, ignored);
  project.fileName = absolute.empty() ? path : absolute.lexically_normal().string();
  project.documentName = std::filesystem::path(path).filename().string();
  return project;
}

}  // namespace qm::editor
