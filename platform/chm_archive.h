// Reading a compiled HTML help file: its directory of named entries, the
// entries' content (stored plainly or LZX-compressed), and the help file's
// own map of context numbers to topic files.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::platform {

class ChmArchive {
 public:
  // Reads and indexes a help file; nullopt when it cannot be read or is not one.
  static std::optional<ChmArchive> Open(const std::string& path);
  // Indexes help file bytes already in memory.
  static std::optional<ChmArchive> FromBytes(std::string bytes);

  // The names of the entries, as stored ("/options.htm", "/#SYSTEM", "::DataSpace/...").
  std::vector<std::string> Names() const;
  // The content of an entry; nullopt when it is missing or cannot be decoded.
  std::optional<std::string> Read(std::string_view name) const;
  // The topic file (without the leading "/") that the help file maps the
  // context number to, read from its #IVB and #STRINGS entries; empty when
  // the number is not mapped or names no entry of the file.
  std::string TopicForContext(std::uint32_t context) const;

 private:
  struct Entry {
    std::uint64_t section;  // 0 stored, 1 compressed
    std::uint64_t offset;   // within the section
    std::uint64_t length;
  };

  bool ReadDirectory();
  // The entry name (without the leading "/") that a stored topic path names:
  // the path itself or its longest tail that is an entry; empty for none.
  std::string EntryNameIn(std::string_view path) const;
  bool DecompressSection1() const;

  std::string data_;                                   // the whole file
  std::uint64_t contentOffset_ = 0;                    // where section 0 starts
  std::map<std::string, Entry, std::less<>> entries_;  // by name
  mutable std::optional<std::string> section1_;        // decompressed on first use
};

}  // namespace qm::platform
