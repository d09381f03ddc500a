// The records of a PowerPoint 97-2003 presentation that lead to its VBA
// project: the Current User stream names the newest edit, each UserEditAtom
// points to its persist directory and to the edit before it, the persist
// directories map persist ids to offsets in the "PowerPoint Document" stream,
// and the document record's VBAInfoAtom names the persist id of the record
// holding the VBA project storage. Every offset and length is checked against
// the stream (or the enclosing record) before it is used.
#pragma once

#include <gsf/gsf.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace qm::editor {

// One record header and where it lies in its stream.
struct PptRecord {
  uint16_t version = 0;   // recVer: the low 4 bits of the first word (0xF for a container)
  uint16_t instance = 0;  // recInstance: the high 12 bits of the first word
  uint16_t type = 0;      // recType
  uint32_t length = 0;    // recLen: bytes of data after the 8-byte header
  uint64_t offset = 0;    // where the header starts in the stream
  uint64_t DataOffset() const { return offset + 8; }
  uint64_t End() const { return DataOffset() + length; }
};

// Checked random access to one stream of a presentation; every failure
// raises LoadError naming origin.
class PptStream {
 public:
  PptStream(GsfInput* input, std::string_view origin, std::string_view name);
  uint64_t Size() const { return size_; }
  const std::string& Origin() const { return origin_; }
  // n bytes from offset; what names them in the message when they lie past the end.
  std::string Read(uint64_t offset, uint64_t n, std::string_view what) const;
  // The little-endian 32-bit value at offset.
  uint32_t U32(uint64_t offset, std::string_view what) const;
  // The record header at offset; its data must end by limit (the stream or its container).
  PptRecord RecordAt(uint64_t offset, uint64_t limit, std::string_view what) const;
  [[noreturn]] void Fail(const std::string& problem) const;

 private:
  GsfInput* input_;       // the stream, not owned
  std::string origin_;    // the presentation's path, for messages
  std::string name_;      // the stream's name, for messages
  uint64_t size_ = 0;     // the stream's size
};

// Record types on the way to the VBA project storage.
inline constexpr uint16_t kRtDocument = 0x03E8;
inline constexpr uint16_t kRtDocInfoList = 0x07D0;
inline constexpr uint16_t kRtVbaInfo = 0x03FF;
inline constexpr uint16_t kRtVbaInfoAtom = 0x0400;
inline constexpr uint16_t kRtUserEditAtom = 0x0FF5;
inline constexpr uint16_t kRtCurrentUserAtom = 0x0FF6;
inline constexpr uint16_t kRtPersistDirectoryAtom = 0x1772;
inline constexpr uint16_t kRtExternalOleObjectStg = 0x1011;
inline constexpr uint32_t kPptHeaderToken = 0xE391C05F;
inline constexpr uint32_t kPptEncryptedHeaderToken = 0xF3D1C4DF;

// The ExOleObjStg record in document holding the VBA project storage, found
// from the Current User stream; raises LoadError when the presentation has
// no VBA project or a record on the way is missing or damaged.
PptRecord FindVbaStorageRecord(const PptStream& currentUser, const PptStream& document);

}  // namespace qm::editor
