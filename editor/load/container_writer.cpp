// Writes containers for the VBA writer: compound files through
// GsfOutfileMSOle and zip packages through GsfOutfileZip, both into memory;
// storages and folders come from the "/"-separated paths of the entries.
// Zip entries get a fixed time stamp so that packing the same project twice
// gives the same bytes. Also the minimal OOXML parts of a macro-enabled
// workbook or document, and writing bytes to a file.

#include <fstream>
#include <functional>

#include "editor/load/gsf_support.h"
#include "editor/load/load_project.h"
#include "editor/load/vba_writer.h"

namespace qm::editor {

namespace {

// Writes the entries into root, creating storages on the way; dated gives
// each new child its time stamp (may be empty).
void WriteTree(GsfOutfile* root, const StreamTree& entries, const std::function<void(GsfOutput*)>& dated) {
  std::map<std::string, GsfRef<GsfOutfile>> storages;
  std::vector<std::string> opened;  // storage paths in creation order
  std::function<GsfOutfile*(const std::string&)> storageFor = [&](const std::string& path) -> GsfOutfile* {
    if (path.empty()) return root;
    if (auto found = storages.find(path); found != storages.end()) return found->second.get();
    const auto slash = path.rfind('/');
    GsfOutfile* parent = storageFor(slash == std::string::npos ? "" : path.substr(0, slash));
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    GsfOutput* child = gsf_outfile_new_child(parent, name.c_str(), TRUE);
    if (dated) dated(child);
    opened.push_back(path);
    return storages.emplace(path, GsfRef<GsfOutfile>(GSF_OUTFILE(child))).first->second.get();
  };
  for (const auto& [path, bytes] : entries) {
    const auto slash = path.rfind('/');
    GsfOutfile* parent = storageFor(slash == std::string::npos ? "" : path.substr(0, slash));
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    GsfRef<GsfOutput> stream(gsf_outfile_new_child(parent, name.c_str(), FALSE));
    if (dated) dated(stream.get());
    gsf_output_write(stream.get(), bytes.size(), reinterpret_cast<const guint8*>(bytes.data()));
    gsf_output_close(stream.get());
  }
  for (auto it = opened.rbegin(); it != opened.rend(); ++it) gsf_output_close(GSF_OUTPUT(storages[*it].get()));
  gsf_output_close(GSF_OUTPUT(root));
}

std::string MemoryBytes(GsfOutput* sink) {
  const auto* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink));
  const auto size = static_cast<size_t>(gsf_output_size(sink));
  return bytes == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(bytes), size);
}

constexpr std::string_view kRelsHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
constexpr std::string_view kOfficeDocumentRel =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
constexpr std::string_view kVbaProjectRel = "http://schemas.microsoft.com/office/2006/relationships/vbaProject";

std::string Relationships(std::string_view extra) { return std::string(kRelsHead) + std::string(extra) + "</Relationships>"; }

std::string Relationship(std::string_view id, std::string_view type, std::string_view target) {
  return "<Relationship Id=\"" + std::string(id) + "\" Type=\"" + std::string(type) + "\" Target=\"" +
         std::string(target) + "\"/>";
}

std::string ContentTypes(std::string_view folder, std::string_view mainPart, std::string_view mainType) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
         "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
         "<Default Extension=\"bin\" ContentType=\"application/vnd.ms-office.vbaProject\"/>"
         "<Override PartName=\"/" + std::string(folder) + "/" + std::string(mainPart) + "\" ContentType=\"" +
         std::string(mainType) + "\"/>" + (folder == "xl" ?
         "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>" : "") +
         "<Override PartName=\"/" + std::string(folder) + "/vbaProject.bin\" ContentType=\"application/vnd.ms-office.vbaProject\"/>"
         "</Types>";
}

StreamTree ExcelParts() {
  StreamTree parts;
  parts["[Content_Types].xml"] = ContentTypes("xl", "workbook.xml", "application/vnd.ms-excel.sheet.macroEnabled.main+xml");
  parts["_rels/.rels"] = Relationships(Relationship("rId1", kOfficeDocumentRel, "xl/workbook.xml"));
  parts["xl/workbook.xml"] =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
      "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
      "<workbookPr codeName=\"ThisWorkbook\"/><sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
  parts["xl/_rels/workbook.xml.rels"] = Relationships(
      Relationship("rId1", "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet",
                   "worksheets/sheet1.xml") + Relationship("rId2", kVbaProjectRel, "vbaProject.bin"));
  parts["xl/worksheets/sheet1.xml"] =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
      "<sheetPr codeName=\"Sheet1\"/><sheetData/></worksheet>";
  return parts;
}

StreamTree WordParts() {
  StreamTree parts;
  parts["[Content_Types].xml"] = ContentTypes("word", "document.xml", "application/vnd.ms-word.document.macroEnabled.main+xml");
  parts["_rels/.rels"] = Relationships(Relationship("rId1", kOfficeDocumentRel, "word/document.xml"));
  parts["word/document.xml"] =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
      "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body><w:p/></w:body></w:document>";
  parts["word/_rels/document.xml.rels"] = Relationships(Relationship("rId1", kVbaProjectRel, "vbaProject.bin"));
  return parts;
}

}  // namespace

std::string BuildCompoundFile(const StreamTree& streams) {
  EnsureGsf();
  GsfRef<GsfOutput> sink(gsf_output_memory_new());
  GsfRef<GsfOutfile> root(gsf_outfile_msole_new(sink.get()));
  WriteTree(root.get(), streams, {});
  return MemoryBytes(sink.get());
}

std::string BuildZipFile(const StreamTree& entries) {
  EnsureGsf();
  GsfRef<GsfOutput> sink(gsf_output_memory_new());
  GsfErrorText error;
  GsfRef<GsfOutfile> root(gsf_outfile_zip_new(sink.get(), error.out()));
  if (!root) throw LoadError("(writer)", "cannot start a zip package" + error.detail());
  GDateTime* stamp = g_date_time_new_utc(2024, 1, 1, 0, 0, 0);
  WriteTree(root.get(), entries, [stamp](GsfOutput* child) { gsf_output_set_modtime(child, stamp); });
  g_date_time_unref(stamp);
  return MemoryBytes(sink.get());
}

StreamTree OoxmlParts(OoxmlHost host, std::string vbaProjectBin) {
  StreamTree parts = host == OoxmlHost::kExcel ? ExcelParts() : WordParts();
  parts[host == OoxmlHost::kExcel ? "xl/vbaProject.bin" : "word/vbaProject.bin"] = std::move(vbaProjectBin);
  return parts;
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw LoadError(path, "cannot be written");
}

}  // namespace qm::editor
