// Reading .reg text. The bytes are first turned into UTF-8 lines (UTF-16LE
// after its BOM, ANSI for REGEDIT4, UTF-8 otherwise), the header names the
// form, then each line is a key, a value, a comment or blank. Value data is
// parsed into the registry's own form (registry.h): quoted texts and the
// texts inside hex(1)/hex(2)/hex(7) become UTF-8, dwords 4 bytes. The first
// fault stops the parse and is reported with its line.
#include "platform/reg_file.h"

#include "platform/codepage.h"

namespace qm::platform {

namespace {

constexpr int kCodePageUtf16Le = 1200;

enum class Format { V4, V5 };

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::string_view Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && SameRegName(s.substr(0, prefix.size()), prefix);
}

// The value of 1 to `maxDigits` hexadecimal digits, or nullopt.
std::optional<uint32_t> ParseHex(std::string_view digits, size_t maxDigits) {
  if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
  uint32_t number = 0;
  for (char c : digits) {
    int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (d < 0) return std::nullopt;
    number = (number << 4) | static_cast<uint32_t>(d);
  }
  return number;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(TrimRight(text.substr(start, end - start)));
    start = end + 1;
  }
  return lines;
}

class Parser {
 public:
  Parser(std::string_view source, int ansiCodePage) : source_(source), ansiCodePage_(ansiCodePage) {}

  RegParseResult Run(std::string_view bytes) {
    if (Decode(bytes) && ReadHeader()) {
      for (size_t i = 1; i < lines_.size() && !result_.error; ++i) ParseLine(i);
    }
    if (result_.error) result_.entries.clear();
    return std::move(result_);
  }

 private:
  bool Fail(int line, std::string what) {
    result_.error = RegFileError{std::string(source_), line, std::move(what)};
    return false;
  }

  // Turns the bytes into UTF-8 lines.
  bool Decode(std::string_view bytes) {
    std::string text;
    bool checkUtf8 = false;
    if (bytes.starts_with("\xFF\xFE")) {
      auto decoded = DecodeText(bytes.substr(2), kCodePageUtf16Le);
      if (!decoded) return Fail(0, "UTF-16 text cannot be decoded on this system");
      text = std::move(*decoded);
    } else if (bytes.starts_with("\xFE\xFF")) {
      return Fail(0, "UTF-16 big-endian text is not supported (save the export as UTF-16LE or UTF-8)");
    } else if (bytes.starts_with("\xEF\xBB\xBF")) {
      text = bytes.substr(3);
      checkUtf8 = true;
    } else if (bytes.starts_with(kRegHeader4)) {
      auto decoded = DecodeText(bytes, ansiCodePage_);
      if (!decoded) return Fail(0, "code page " + std::to_string(ansiCodePage_) + " is not supported");
      text = std::move(*decoded);
    } else {
      text = bytes;
      checkUtf8 = true;
    }
    lines_ = SplitLines(text);
    for (size_t i = 0; checkUtf8 && i < lines_.size(); ++i) {
      if (!IsValidUtf8(lines_[i])) {
        return Fail(static_cast<int>(i + 1), "the text is not valid UTF-8 (a version 5.00 file must be UTF-16LE "
                                             "with a byte order mark, or UTF-8)");
      }
    }
    return true;
  }

  bool ReadHeader() {
    const std::string_view first = Trim(lines_[0]);
    if (first == kRegHeader5) {
      format_ = Format::V5;
    } else if (first == kRegHeader4) {
      format_ = Format::V4;
    } else {
      return Fail(1, "not a registry file: the first line must be \"" + std::string(kRegHeader5) + "\" or \"" +
                         std::string(kRegHeader4) + "\"");
    }
    return true;
  }

  void ParseLine(size_t& index) {
    const int lineNo = static_cast<int>(index + 1);
    const std::string_view line = Trim(lines_[index]);
    if (line.empty() || line.front() == ';') return;
    if (line.front() == '[') {
      KeyLine(line, lineNo);
    } else if (line.front() == '"' || line.front() == '@') {
      ValueLine(index);
    } else {
      Fail(lineNo, "expected a key in [brackets], a value, or a comment starting with \";\"");
    }
  }

  bool KeyLine(std::string_view line, int lineNo) {
    const size_t close = line.rfind(']');
    if (close == std::string_view::npos) return Fail(lineNo, "key name without a closing \"]\"");
    if (!Trim(line.substr(close + 1)).empty()) return Fail(lineNo, "text after the key name");
    std::string_view inner = line.substr(1, close - 1);
    const bool deletion = inner.starts_with('-');
    if (deletion) inner.remove_prefix(1);
    const size_t slash = inner.find('\\');
    const std::string_view hiveName = inner.substr(0, slash);
    const auto hive = HiveOfName(hiveName);
    if (!hive) return Fail(lineNo, "unknown hive \"" + std::string(hiveName) + "\"");
    RegEntry entry{deletion ? RegEntry::Kind::DeleteKey : RegEntry::Kind::CreateKey, *hive,
                   slash == std::string_view::npos ? std::string() : std::string(inner.substr(slash + 1)),
                   {}, {}, lineNo};
    if (deletion && SplitKeyPath(entry.path).empty()) return Fail(lineNo, "a whole hive cannot be deleted");
    haveKey_ = true;
    keyDeleted_ = deletion;
    hive_ = entry.hive;
    path_ = entry.path;
    result_.entries.push_back(std::move(entry));
    return true;
  }

  // Reads a quoted text starting at s[pos] == '"'; pos ends after the closing quote.
  bool Quoted(std::string_view s, size_t& pos, int lineNo, std::string& out) {
    for (++pos; pos < s.size(); ++pos) {
      const char c = s[pos];
      if (c == '"') {
        ++pos;
        return true;
      }
      if (c == '\\') {
        if (pos + 1 >= s.size() || (s[pos + 1] != '\\' && s[pos + 1] != '"')) {
          return Fail(lineNo, "unknown escape in a quoted text (only \\\\ and \\\" are allowed)");
        }
        ++pos;
      }
      out += s[pos];
    }
    return Fail(lineNo, "quoted text without a closing quote");
  }

  bool ValueLine(size_t& index) {
    const int lineNo = static_cast<int>(index + 1);
    const std::string_view line = Trim(lines_[index]);
    if (!haveKey_) return Fail(lineNo, "value outside a key");
    if (keyDeleted_) return Fail(lineNo, "value under a deleted key");
    RegEntry entry{RegEntry::Kind::SetValue, hive_, path_, {}, {}, lineNo};
    size_t pos = 1;  // after "@"
    if (line.front() == '"') {
      pos = 0;
      if (!Quoted(line, pos, lineNo, entry.name)) return false;
    }
    std::string_view rest = TrimLeft(line.substr(pos));
    if (!rest.starts_with('=')) return Fail(lineNo, "expected \"=\" after the value name");
    std::string data(Trim(rest.substr(1)));
    if (StartsWithNoCase(data, "hex") && !JoinContinuations(index, data)) return false;
    if (data == "-") {
      entry.kind = RegEntry::Kind::DeleteValue;
    } else if (!Data(data, lineNo, entry.value)) {
      return false;
    }
    result_.entries.push_back(std::move(entry));
    return true;
  }

  // Appends the following lines while the data ends in "\".
  bool JoinContinuations(size_t& index, std::string& data) {
    while (!data.empty() && data.back() == '\\') {
      data.pop_back();
      if (index + 1 >= lines_.size()) return Fail(static_cast<int>(index + 1), "\"\\\" continues past the end");
      data += Trim(lines_[++index]);
    }
    return true;
  }

  bool Data(std::string_view data, int lineNo, RegValue& value) {
    if (data.starts_with('"')) {
      size_t pos = 0;
      value.type = kRegSz;
      if (!Quoted(data, pos, lineNo, value.data)) return false;
      return Trim(data.substr(pos)).empty() || Fail(lineNo, "text after the closing quote");
    }
    if (StartsWithNoCase(data, "dword:")) {
      const auto number = ParseHex(Trim(data.substr(6)), 8);
      if (!number) return Fail(lineNo, "dword: needs 1 to 8 hexadecimal digits");
      value = RegValue::Dword(*number);
      return true;
    }
    if (StartsWithNoCase(data, "hex")) return HexData(data.substr(3), lineNo, value);
    return Fail(lineNo, "value data not understood (expected \"text\", dword:, hex:, hex(N): or -)");
  }

  // data is what follows "hex": ":bytes" or "(N):bytes".
  bool HexData(std::string_view data, int lineNo, RegValue& value) {
    value.type = kRegBinary;
    if (data.starts_with('(')) {
      const size_t close = data.find(')');
      const auto type = close == std::string_view::npos ? std::nullopt : ParseHex(data.substr(1, close - 1), 8);
      if (!type) return Fail(lineNo, "hex(N): needs a hexadecimal type number N");
      value.type = *type;
      data.remove_prefix(close + 1);
    }
    if (!data.starts_with(':')) return Fail(lineNo, "expected \":\" after hex");
    data.remove_prefix(1);
    std::string bytes;
    while (!Trim(data).empty()) {
      const size_t comma = data.find(',');
      const auto byte = ParseHex(Trim(data.substr(0, comma)), 2);
      if (!byte) return Fail(lineNo, "not a hexadecimal byte: \"" + std::string(Trim(data.substr(0, comma))) + "\"");
      bytes += static_cast<char>(*byte);
      data = comma == std::string_view::npos ? std::string_view() : data.substr(comma + 1);
    }
    return HexToValue(std::move(bytes), lineNo, value);
  }

  // The texts of hex(1), hex(2) and hex(7) become UTF-8 without the final
  // NUL that terminates them; other types keep their bytes.
  bool HexToValue(std::string bytes, int lineNo, RegValue& value) {
    if (value.type != kRegSz && value.type != kRegExpandSz && value.type != kRegMultiSz) {
      value.data = std::move(bytes);
      return true;
    }
    if (format_ == Format::V5 && bytes.size() % 2 != 0) return Fail(lineNo, "UTF-16 text with an odd number of bytes");
    auto text = DecodeText(bytes, format_ == Format::V5 ? kCodePageUtf16Le : ansiCodePage_);
    if (!text) return Fail(lineNo, "the text's code page is not supported");
    if (!text->empty() && text->back() == '\0') text->pop_back();
    value.data = std::move(*text);
    return true;
  }

  std::string_view source_;
  int ansiCodePage_;
  Format format_ = Format::V5;
  std::vector<std::string> lines_;  // the text as UTF-8 lines, without line ends
  RegParseResult result_;
  bool haveKey_ = false;            // a key line has been read
  bool keyDeleted_ = false;         // ... and it was a deletion
  Hive hive_ = Hive::CurrentUser;   // the current key
  std::string path_;
};

}  // namespace

std::string RegFileError::Message() const {
  if (line > 0) return path + ":" + std::to_string(line) + ": " + what;
  return path + ": " + what;
}

RegParseResult ParseRegText(std::string_view bytes, std::string_view sourceName, int ansiCodePage) {
  return Parser(sourceName, ansiCodePage).Run(bytes);
}

void ApplyRegEntries(const std::vector<RegEntry>& entries, RegTree& tree) {
  for (const auto& e : entries) {
    switch (e.kind) {
      case RegEntry::Kind::CreateKey: tree.CreateKey(e.hive, e.path); break;
      case RegEntry::Kind::DeleteKey: tree.DeleteKey(e.hive, e.path); break;
      case RegEntry::Kind::SetValue: tree.SetValue(e.hive, e.path, e.name, e.value); break;
      case RegEntry::Kind::DeleteValue: tree.DeleteValue(e.hive, e.path, e.name); break;
    }
  }
}

}  // namespace qm::platform
