// The Windows .reg text format: parsing an export into a list of entries to
// apply, and writing a whole registry tree back as text.
//
// Reading accepts both forms regedit writes:
//   "REGEDIT4"                              bytes in the ANSI code page; the
//                                           texts of hex(1)/hex(2)/hex(7) are
//                                           ANSI bytes too
//   "Windows Registry Editor Version 5.00"  UTF-16LE with its BOM (as regedit
//                                           writes it), or UTF-8 with or
//                                           without a BOM; texts of hex(1),
//                                           hex(2), hex(7) are UTF-16LE
// Lines may end in CR LF or LF. A line is a key "[HKEY_...\path]", a key
// deletion "[-HKEY_...\path]", a value ("name"= or @= for the default value,
// then "text" with \\ and \" escapes, dword:1-8 hex digits, hex:bytes,
// hex(N):bytes, or - to delete the value), a comment starting with ";", or
// blank. Hex byte lists may continue on the next line after a trailing "\".
// Hive names are the full ones or HKCR/HKCU/HKLM/HKU.
//
// Writing produces the version 5.00 form as UTF-8 without a BOM and with LF
// line ends (readable with ordinary tools here, and read back by ParseRegText):
// keys in hive order then sorted, values in creation order, texts quoted when
// they hold no NUL, CR or LF (else hex(1)), dwords as dword:, everything else
// as hex(N) with regedit's line wrapping.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/reg_tree.h"
#include "platform/registry.h"

namespace qm::platform {

struct RegEntry {
  enum class Kind { CreateKey, DeleteKey, SetValue, DeleteValue };
  Kind kind = Kind::CreateKey;
  Hive hive = Hive::CurrentUser;
  std::string path;  // key path inside the hive
  std::string name;  // value name (values only; "" for the default value)
  RegValue value;    // SetValue only
  int line = 0;      // line of the text it came from
};

struct RegFileError {
  std::string path;  // the file (or other source) that was read
  int line = 0;      // 1-based; 0 when the error concerns the whole text
  std::string what;  // what is wrong, in plain words
  // "path:line: what", or "path: what" without a line.
  std::string Message() const;
};

struct RegParseResult {
  std::vector<RegEntry> entries;       // in the order of the text
  std::optional<RegFileError> error;   // set when the text is not valid; entries are then empty
};

inline constexpr std::string_view kRegHeader4 = "REGEDIT4";
inline constexpr std::string_view kRegHeader5 = "Windows Registry Editor Version 5.00";

// Parses .reg text (raw file bytes). `sourceName` names the text in errors;
// `ansiCodePage` is the code page of a REGEDIT4 text.
RegParseResult ParseRegText(std::string_view bytes, std::string_view sourceName, int ansiCodePage);

// Applies the entries in order.
void ApplyRegEntries(const std::vector<RegEntry>& entries, RegTree& tree);

// The whole tree as version 5.00 .reg text (UTF-8, LF).
std::string SerializeRegTree(const RegTree& tree);

}  // namespace qm::platform
