// Walks a presentation's records to its VBA project storage. The Current
// User stream gives the offset of the newest UserEditAtom; from there the
// edits are followed back through offsetLastEdit (a chain that revisits an
// edit, or grows past kMaxEdits, is damage), and each edit's persist
// directory is kept. A persist id is looked up newest edit first, so a later
// save overrides an earlier one. The newest edit's document record holds a
// DocInfoListContainer whose VBAInfoContainer/VBAInfoAtom gives the persist
// id of the storage record and whether the presentation has macros at all.
#include "editor/load/ppt_records.h"

#include <optional>
#include <set>
#include <vector>

#include "editor/load/gsf_support.h"
#include "editor/load/load_project.h"

namespace qm::editor {

namespace {

constexpr size_t kMaxEdits = 1u << 16;
constexpr uint32_t kUserEditMinLength = 28;
constexpr uint32_t kVbaInfoAtomMinLength = 12;

std::string Hex(uint64_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[value % 16]);
    value /= 16;
  } while (value != 0);
  return "0x" + text;
}

uint32_t LittleEndian32(std::string_view bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return value;
}

// One edit of the presentation: its persist directory's entries and its document.
struct Edit {
  std::string directory;  // the PersistDirectoryAtom's data
  uint64_t directoryOffset = 0;
  uint32_t docPersistIdRef = 0;
};

// The persist directories of the edit chain, newest first.
class PersistDirectory {
 public:
  explicit PersistDirectory(const PptStream& document) : document_(document) {}

  // Reads the edit at offset and every edit before it.
  void ReadChain(uint64_t offset) {
    std::set<uint64_t> visited;
    for (bool first = true; first || offset != 0; first = false) {
      if (!visited.insert(offset).second) document_.Fail("the chain of edits loops back to offset " + Hex(offset));
      if (edits_.size() == kMaxEdits) document_.Fail("the chain of edits is longer than " + std::to_string(kMaxEdits));
      offset = ReadEdit(offset);
    }
  }

  uint32_t DocPersistIdRef() const { return edits_.front().docPersistIdRef; }

  // The stream offset of the newest object saved under id.
  uint64_t OffsetOf(uint32_t id, std::string_view what) const {
    for (const Edit& edit : edits_) {
      if (const auto found = Find(edit, id)) return *found;
    }
    document_.Fail("the persist directory has no entry for " + std::string(what) + " (persist id " + std::to_string(id) + ")");
  }

 private:
  // Reads one UserEditAtom and its directory; gives the offset of the edit before.
  uint64_t ReadEdit(uint64_t offset) {
    const PptRecord atom = document_.RecordAt(offset, document_.Size(), "the edit record");
    if (atom.type != kRtUserEditAtom || atom.length < kUserEditMinLength) {
      document_.Fail("the record at offset " + Hex(offset) + " is not an edit record (UserEditAtom)");
    }
    const std::string data = document_.Read(atom.DataOffset(), kUserEditMinLength, "the edit record");
    Edit edit;
    edit.directoryOffset = LittleEndian32(data, 12);
    edit.docPersistIdRef = LittleEndian32(data, 16);
    const PptRecord directory = document_.RecordAt(edit.directoryOffset, document_.Size(), "the persist directory");
    if (directory.type != kRtPersistDirectoryAtom) {
      document_.Fail("the record at offset " + Hex(edit.directoryOffset) + " is not a persist directory");
    }
    directoryBytes_ += directory.length;
    if (directoryBytes_ > kMaxStreamSize) document_.Fail("the persist directories are larger than the limit");
    edit.directory = document_.Read(directory.DataOffset(), directory.length, "the persist directory");
    edits_.push_back(std::move(edit));
    return LittleEndian32(data, 8);
  }

  // The offset one directory gives id, if it has an entry for it.
  std::optional<uint64_t> Find(const Edit& edit, uint32_t id) const {
    const std::string& bytes = edit.directory;
    for (size_t at = 0; at < bytes.size();) {
      if (bytes.size() - at < 4) document_.Fail("the persist directory at offset " + Hex(edit.directoryOffset) + " is damaged");
      const uint32_t word = LittleEndian32(bytes, at);
      const uint32_t first = word & 0xFFFFF, count = word >> 20;
      if ((bytes.size() - at - 4) / 4 < count) {
        document_.Fail("the persist directory at offset " + Hex(edit.directoryOffset) + " is cut short");
      }
      if (id >= first && id - first < count) return LittleEndian32(bytes, at + 4 + 4 * size_t{id - first});
      at += 4 + 4 * size_t{count};
    }
    return std::nullopt;
  }

  const PptStream& document_;
  std::vector<Edit> edits_;     // newest first
  uint64_t directoryBytes_ = 0; // the directories' total size, bounded
};

// The first child of container with this type, if any.
std::optional<PptRecord> ChildOfType(const PptStream& stream, const PptRecord& container, uint16_t type) {
  for (uint64_t at = container.DataOffset(); at < container.End();) {
    const PptRecord child = stream.RecordAt(at, container.End(), "a record inside the document");
    if (child.type == type) return child;
    at = child.End();
  }
  return std::nullopt;
}

[[noreturn]] void NoProject(const PptStream& document) {
  throw LoadError(document.Origin(), "the document holds no VBA project");
}

// The offset of the newest edit, from the Current User stream.
uint64_t CurrentEditOffset(const PptStream& currentUser) {
  const PptRecord atom = currentUser.RecordAt(0, currentUser.Size(), "the current-user record");
  if (atom.type != kRtCurrentUserAtom || atom.length < 12) currentUser.Fail("the stream holds no current-user record");
  const uint32_t token = currentUser.U32(atom.DataOffset() + 4, "the current-user record");
  if (token == kPptEncryptedHeaderToken) {
    currentUser.Fail("the presentation is encrypted; its VBA project cannot be read without the password");
  }
  if (token != kPptHeaderToken) currentUser.Fail("the current-user record has an unknown header token " + Hex(token));
  return currentUser.U32(atom.DataOffset() + 8, "the current-user record");
}

}  // namespace

PptStream::PptStream(GsfInput* input, std::string_view origin, std::string_view name)
    : input_(input), origin_(origin), name_(name) {
  const gsf_off_t size = gsf_input_size(input);
  size_ = size < 0 ? 0 : static_cast<uint64_t>(size);
}

void PptStream::Fail(const std::string& problem) const {
  throw LoadError(origin_, "stream \"" + name_ + "\": " + problem);
}

std::string PptStream::Read(uint64_t offset, uint64_t n, std::string_view what) const {
  if (offset > size_ || n > size_ - offset) {
    Fail(std::string(what) + " at offset " + Hex(offset) + " runs past the end of the stream");
  }
  if (n > kMaxStreamSize) Fail(std::string(what) + " at offset " + Hex(offset) + " is larger than the limit");
  std::string bytes(static_cast<size_t>(n), '\0');
  if (n == 0) return bytes;
  if (gsf_input_seek(input_, static_cast<gsf_off_t>(offset), G_SEEK_SET) ||
      gsf_input_read(input_, bytes.size(), reinterpret_cast<guint8*>(bytes.data())) == nullptr) {
    Fail(std::string(what) + " at offset " + Hex(offset) + " cannot be read");
  }
  return bytes;
}

uint32_t PptStream::U32(uint64_t offset, std::string_view what) const { return LittleEndian32(Read(offset, 4, what), 0); }

PptRecord PptStream::RecordAt(uint64_t offset, uint64_t limit, std::string_view what) const {
  const std::string header = Read(offset, 8, what);
  PptRecord record;
  const uint32_t first = LittleEndian32(header, 0);
  record.version = static_cast<uint16_t>(first & 0xF);
  record.instance = static_cast<uint16_t>((first >> 4) & 0xFFF);
  record.type = static_cast<uint16_t>(first >> 16);
  record.length = LittleEndian32(header, 4);
  record.offset = offset;
  if (record.End() > limit || record.End() > size_) {
    Fail(std::string(what) + " at offset " + Hex(offset) + " is cut short (its length runs past its end)");
  }
  return record;
}

PptRecord FindVbaStorageRecord(const PptStream& currentUser, const PptStream& document) {
  PersistDirectory persist(document);
  persist.ReadChain(CurrentEditOffset(currentUser));
  const uint64_t docOffset = persist.OffsetOf(persist.DocPersistIdRef(), "the document");
  const PptRecord doc = document.RecordAt(docOffset, document.Size(), "the document record");
  if (doc.type != kRtDocument) document.Fail("the record at offset " + Hex(docOffset) + " is not the document record");
  const auto list = ChildOfType(document, doc, kRtDocInfoList);
  if (!list) NoProject(document);
  const auto info = ChildOfType(document, *list, kRtVbaInfo);
  if (!info) NoProject(document);
  const auto atom = ChildOfType(document, *info, kRtVbaInfoAtom);
  if (!atom || atom->length < kVbaInfoAtomMinLength) NoProject(document);
  const uint32_t storageId = document.U32(atom->DataOffset(), "the VBA information");
  if (document.U32(atom->DataOffset() + 4, "the VBA information") == 0) NoProject(document);
  const uint64_t storageOffset = persist.OffsetOf(storageId, "the VBA project storage");
  const PptRecord storage = document.RecordAt(storageOffset, document.Size(), "the VBA project storage record");
  if (storage.type != kRtExternalOleObjectStg) {
    document.Fail("the record at offset " + Hex(storageOffset) + " is not the VBA project storage record");
  }
  return storage;
}

}  // namespace qm::editor
