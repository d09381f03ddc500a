// Writing a registry tree as version 5.00 .reg text (UTF-8, LF line ends).
// Each key with values, or without subkeys, gets a "[HIVE\path]" line and its
// values; keys are walked depth-first in sorted order. Texts that a quoted
// string cannot hold, and every type without a text form of its own, are
// written as hex(N) byte lists wrapped the way regedit wraps them.
#include <cstdio>

#include "platform/codepage.h"
#include "platform/reg_file.h"

namespace qm::platform {

namespace {

constexpr int kCodePageUtf16Le = 1200;
constexpr size_t kWrapColumn = 77;  // regedit breaks hex lists before column 80

// Text as valid UTF-8 (invalid bytes become U+FFFD), so the file stays readable.
std::string CleanUtf8(std::string_view text) {
  if (IsValidUtf8(text)) return std::string(text);
  return DecodeText(text, kCodePageUtf8).value_or(std::string());
}

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (char c : CleanUtf8(text)) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string Utf16(std::string_view utf8) {
  return EncodeText(CleanUtf8(utf8), kCodePageUtf16Le).value_or(std::string());
}

// "prefix" followed by the bytes as "xx,xx,…", continued with ",\" and two
// spaces of indent when a line would grow past kWrapColumn.
std::string HexList(std::string prefix, std::string_view bytes) {
  std::string out = std::move(prefix);
  size_t lineStart = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(bytes[i]));
    if (i > 0) {
      out += ',';
      if (out.size() - lineStart + 3 > kWrapColumn) {
        out += "\\\n  ";
        lineStart = out.size() - 2;
      }
    }
    out += byte;
  }
  return out;
}

std::string HexPrefix(uint32_t type) {
  if (type == kRegBinary) return "hex:";
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "hex(%x):", type);
  return buffer;
}

std::string ValueLine(const std::string& name, const RegValue& value) {
  std::string line = name.empty() ? "@=" : Quote(name) + "=";
  const bool plainText = value.data.find_first_of(std::string_view("\0\r\n", 3)) == std::string::npos;
  if (value.type == kRegSz && plainText) return line + Quote(value.data);
  if (const auto number = value.AsDword()) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "dword:%08x", *number);
    return line + buffer;
  }
  if (value.type == kRegSz || value.type == kRegExpandSz || value.type == kRegMultiSz) {
    return HexList(line + HexPrefix(value.type), Utf16(value.data + '\0'));
  }
  return HexList(line + HexPrefix(value.type), value.data);
}

void WriteKey(const RegTree::Key& key, const std::string& path, bool isRoot, std::string& out) {
  if (!key.values.empty() || (!isRoot && key.subkeys.empty())) {
    out += "[" + CleanUtf8(path) + "]\n";
    for (const auto& [name, value] : key.values) out += ValueLine(name, value) + "\n";
    out += "\n";
  }
  for (const auto& [folded, sub] : key.subkeys) WriteKey(sub, path + "\\" + sub.name, false, out);
}

}  // namespace

std::string SerializeRegTree(const RegTree& tree) {
  std::string out = std::string(kRegHeader5) + "\n\n";
  for (Hive hive : kAllHives) WriteKey(tree.Root(hive), std::string(HiveName(hive)), true, out);
  return out;
}

}  // namespace qm::platform
