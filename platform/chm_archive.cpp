// Compiled help files: an "ITSF" header locates the directory ("ITSP" header
// followed by fixed-size chunks; the "PMGL" chunks list every entry as name,
// section, offset and length in variable-length integers) and the content of
// section 0. Section 1 is the LZX-compressed stream stored in section 0 under
// ::DataSpace/Storage/MSCompressed, with its control data (window size, reset
// interval) and a reset table of compressed offsets per 32 KiB frame.
#include "platform/chm_archive.h"

#include <fstream>
#include <iterator>
#include <span>

#include "platform/lzx_decoder.h"

namespace qm::platform {

namespace {

constexpr std::string_view kContentName = "::DataSpace/Storage/MSCompressed/Content";
constexpr std::string_view kControlName = "::DataSpace/Storage/MSCompressed/ControlData";
constexpr std::string_view kResetTableName =
    "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";

// Little-endian integer of `size` bytes at pos; 0 beyond the end.
std::uint64_t Le(std::string_view data, std::uint64_t pos, int size) {
  std::uint64_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    const std::uint64_t at = pos + static_cast<std::uint64_t>(i);
    value = (value << 8) | (at < data.size() ? static_cast<unsigned char>(data[at]) : 0u);
  }
  return value;
}

// A directory's variable-length integer: 7 bits a byte, high bit = more follow.
std::uint64_t EncInt(std::string_view data, std::uint64_t& pos, std::uint64_t end) {
  std::uint64_t value = 0;
  while (pos < end) {
    const auto byte = static_cast<unsigned char>(data[pos++]);
    value = (value << 7) | (byte & 0x7F);
    if (!(byte & 0x80)) break;
  }
  return value;
}

int Log2(std::uint64_t value) {
  int bits = 0;
  while (value > 1) value >>= 1, ++bits;
  return bits;
}

}  // namespace

std::optional<ChmArchive> ChmArchive::Open(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return FromBytes(std::string(std::istreambuf_iterator<char>(in), {}));
}

std::optional<ChmArchive> ChmArchive::FromBytes(std::string bytes) {
  ChmArchive archive;
  archive.data_ = std::move(bytes);
  if (!archive.ReadDirectory()) return std::nullopt;
  return archive;
}

bool ChmArchive::ReadDirectory() {
  const std::string_view d = data_;
  if (d.size() < 0x58 || d.substr(0, 4) != "ITSF") return false;
  const std::uint64_t version = Le(d, 4, 4);
  const std::uint64_t dirOffset = Le(d, 0x48, 8);
  const std::uint64_t dirLength = Le(d, 0x50, 8);
  contentOffset_ = version >= 3 ? Le(d, 0x58, 8) : dirOffset + dirLength;
  if (dirOffset + 0x54 > d.size() || d.substr(dirOffset, 4) != "ITSP") return false;
  const std::uint64_t headerLength = Le(d, dirOffset + 8, 4);
  const std::uint64_t chunkSize = Le(d, dirOffset + 0x10, 4);
  const std::uint64_t chunks = Le(d, dirOffset + 0x2C, 4);
  if (chunkSize < 0x14) return false;
  for (std::uint64_t c = 0; c < chunks; ++c) {
    const std::uint64_t chunk = dirOffset + headerLength + c * chunkSize;
    if (chunk + chunkSize > d.size()) return false;
    if (d.substr(chunk, 4) != "PMGL") continue;  // index chunks repeat what the listing chunks hold
    const std::uint64_t freeSpace = Le(d, chunk + 4, 4);
    if (freeSpace > chunkSize - 0x14) return false;
    const std::uint64_t end = chunk + chunkSize - freeSpace;
    for (std::uint64_t pos = chunk + 0x14; pos < end;) {
      const std::uint64_t nameLength = EncInt(d, pos, end);
      if (pos + nameLength > end) return false;
      std::string name(d.substr(pos, nameLength));
      pos += nameLength;
      Entry entry;
      entry.section = EncInt(d, pos, end);
      entry.offset = EncInt(d, pos, end);
      entry.length = EncInt(d, pos, end);
      entries_[std::move(name)] = entry;
    }
  }
  return !entries_.empty();
}

std::vector<std::string> ChmArchive::Names() const {
  std::vector<std::string> names;
  for (const auto& [name, entry] : entries_) names.push_back(name);
  return names;
}

std::optional<std::string> ChmArchive::Read(std::string_view name) const {
  const auto found = entries_.find(name);
  if (found == entries_.end()) return std::nullopt;
  const Entry& entry = found->second;
  if (entry.section == 0) {
    const std::uint64_t start = contentOffset_ + entry.offset;
    if (start > data_.size() || entry.length > data_.size() - start) return std::nullopt;
    return data_.substr(start, entry.length);
  }
  if (entry.section != 1 || !DecompressSection1()) return std::nullopt;
  if (entry.offset > section1_->size() || entry.length > section1_->size() - entry.offset) return std::nullopt;
  return section1_->substr(entry.offset, entry.length);
}

bool ChmArchive::DecompressSection1() const {
  if (section1_) return true;
  const auto content = Read(kContentName);
  const auto control = Read(kControlName);
  const auto table = Read(kResetTableName);
  if (!content || !control || !table || control->size() < 24 || control->substr(4, 4) != "LZXC") return false;
  std::uint64_t resetInterval = Le(*control, 12, 4);
  std::uint64_t windowSize = Le(*control, 16, 4);
  if (Le(*control, 8, 4) >= 2) resetInterval *= kLzxFrameSize, windowSize *= kLzxFrameSize;
  const std::uint64_t entries = Le(*table, 4, 4);
  const std::uint64_t tableStart = Le(*table, 12, 4);
  const std::uint64_t total = Le(*table, 16, 8);
  const std::uint64_t frame = Le(*table, 32, 8);
  if (frame != kLzxFrameSize || resetInterval < frame || tableStart + entries * 8 > table->size()) return false;
  const std::uint64_t framesPerReset = resetInterval / frame;
  const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(content->data()), content->size());
  std::string out;
  for (std::uint64_t first = 0; first < entries && out.size() < total; first += framesPerReset) {
    const std::uint64_t start = Le(*table, tableStart + first * 8, 8);
    const std::uint64_t next = first + framesPerReset;
    const std::uint64_t stop = next < entries ? Le(*table, tableStart + next * 8, 8) : bytes.size();
    if (start > stop || stop > bytes.size()) return false;
    const std::uint64_t length = std::min<std::uint64_t>(framesPerReset * frame, total - out.size());
    const auto decoded = LzxDecode(bytes.subspan(start, stop - start), Log2(windowSize), length);
    if (!decoded) return false;
    out.append(decoded->begin(), decoded->end());
  }
  if (out.size() != total) return false;
  section1_ = std::move(out);
  return true;
}

std::string ChmArchive::EntryNameIn(std::string_view path) const {
  // Some compilers store the topic's full source path: try ever shorter tails.
  for (size_t start = 0; start < path.size();) {
    const std::string_view tail = path.substr(start);
    std::string name = tail.front() == '/' ? std::string(tail) : "/" + std::string(tail);
    if (entries_.count(name)) return name.substr(1);
    const size_t slash = path.find('/', start + 1);
    if (slash == std::string_view::npos) break;
    start = slash;
  }
  return {};
}

std::string ChmArchive::TopicForContext(std::uint32_t context) const {
  const auto ivb = Read("/#IVB");
  const auto strings = Read("/#STRINGS");
  if (!ivb || !strings || ivb->size() < 4) return {};
  const std::uint64_t length = std::min<std::uint64_t>(Le(*ivb, 0, 4), ivb->size() - 4);
  for (std::uint64_t pos = 4; pos + 8 <= 4 + length; pos += 8) {
    if (Le(*ivb, pos, 4) != context) continue;
    const std::uint64_t offset = Le(*ivb, pos + 4, 4);
    if (offset >= strings->size()) return {};
    const size_t end = strings->find('\0', offset);
    return EntryNameIn(strings->substr(offset, end == std::string::npos ? std::string::npos : end - offset));
  }
  return {};
}

}  // namespace qm::platform
