// Reads a presentation's VBA project: finds the storage record through
// ppt_records, takes its data (recInstance 0: the compound file itself;
// recInstance 1: a 4-byte decompressed size, then a zlib stream of it),
// opens the compound file from memory and hands its project storage to the
// common project reader. The project storage is the compound file's root
// when that holds the VBA storage, else the first child storage that does.
// The decompressed size is bounded by kMaxStreamSize and must match exactly.
#include "editor/load/ppt_document.h"

#include <zlib.h>

#include "editor/load/gsf_support.h"
#include "editor/load/load_project.h"
#include "editor/load/ppt_records.h"
#include "editor/load/vba_project_reader.h"

namespace qm::editor {

namespace {

constexpr const char* kStorageWhat = "the VBA project storage";

// The zlib stream inflated to exactly size bytes; raises LoadError otherwise.
std::string Inflate(const std::string& compressed, size_t size, std::string_view origin) {
  const auto fail = [&](const std::string& problem) {
    throw LoadError(origin, std::string(kStorageWhat) + " inside the presentation " + problem);
  };
  z_stream zlib{};
  if (inflateInit(&zlib) != Z_OK) fail("cannot be decompressed (zlib cannot start)");
  std::string bytes(size, '\0');
  zlib.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  zlib.avail_in = static_cast<uInt>(compressed.size());
  zlib.next_out = reinterpret_cast<Bytef*>(bytes.data());
  zlib.avail_out = static_cast<uInt>(size);
  const int result = inflate(&zlib, Z_FINISH);
  const std::string detail = zlib.msg != nullptr ? std::string(" (") + zlib.msg + ")" : std::string();
  const bool full = zlib.avail_out == 0;
  const uLong produced = zlib.total_out;
  inflateEnd(&zlib);
  if (result == Z_STREAM_END && produced == size) return bytes;
  if (result == Z_DATA_ERROR || result == Z_NEED_DICT) fail("is corrupt compressed data" + detail);
  if (result == Z_MEM_ERROR) fail("cannot be decompressed (out of memory)");
  if (result == Z_STREAM_END) fail("decompresses to fewer bytes than the " + std::to_string(size) + " it declares");
  if (full) fail("decompresses to more bytes than the " + std::to_string(size) + " it declares");
  fail("is compressed data cut short");
  return {};
}

// The compound file the storage record holds.
std::string StorageBytes(const PptStream& document, const PptRecord& record) {
  if (record.instance == 0) return document.Read(record.DataOffset(), record.length, kStorageWhat);
  if (record.instance != 1) {
    document.Fail("the VBA project storage record has an unknown form (instance " + std::to_string(record.instance) + ")");
  }
  if (record.length < 4) document.Fail("the compressed VBA project storage record is cut short");
  const uint32_t size = document.U32(record.DataOffset(), kStorageWhat);
  if (size == 0) document.Fail("the compressed VBA project storage is empty");
  if (size > kMaxStreamSize) {
    document.Fail("the VBA project storage declares " + std::to_string(size) + " bytes, more than the limit");
  }
  return Inflate(document.Read(record.DataOffset() + 4, record.length - 4, kStorageWhat), size, document.Origin());
}

// The storage of the compound file that holds the VBA storage, or empty.
GsfRef<GsfInfile> ProjectStorage(GsfInfile* root) {
  if (StorageByName(root, "VBA")) return GsfRef<GsfInfile>(GSF_INFILE(g_object_ref(root)));
  const int count = gsf_infile_num_children(root);
  for (int i = 0; i < count; ++i) {
    const char* name = gsf_infile_name_by_index(root, i);
    GsfRef<GsfInfile> child = name != nullptr ? StorageByName(root, name) : GsfRef<GsfInfile>();
    if (child && StorageByName(child.get(), "VBA")) return child;
  }
  return {};
}

// A stream of the presentation that must be there.
GsfRef<GsfInput> RequiredStream(GsfInfile* ole, std::string_view name, std::string_view origin) {
  auto stream = ChildByName(ole, name);
  if (!stream || (GSF_IS_INFILE(stream.get()) && gsf_infile_num_children(GSF_INFILE(stream.get())) >= 0)) {
    throw LoadError(origin, "the presentation has no \"" + std::string(name) + "\" stream");
  }
  return stream;
}

}  // namespace

LoadedProject LoadPowerPointProject(GsfInfile* ole, std::string_view origin) {
  const auto currentUserInput = RequiredStream(ole, "Current User", origin);
  const auto documentInput = RequiredStream(ole, "PowerPoint Document", origin);
  const PptStream currentUser(currentUserInput.get(), origin, "Current User");
  const PptStream document(documentInput.get(), origin, "PowerPoint Document");
  const std::string storage = StorageBytes(document, FindVbaStorageRecord(currentUser, document));
  GsfRef<GsfInput> memory(gsf_input_memory_new(reinterpret_cast<const guint8*>(storage.data()), storage.size(), FALSE));
  GsfErrorText error;
  GsfRef<GsfInfile> inner(gsf_infile_msole_new(memory.get(), error.out()));
  if (!inner) throw LoadError(origin, "the VBA project storage inside the presentation is not a valid compound file" + error.detail());
  const auto project = ProjectStorage(inner.get());
  if (!project) throw LoadError(origin, "the VBA project storage inside the presentation holds no VBA storage");
  return ReadVbaProject(project.get(), origin);
}

}  // namespace qm::editor
