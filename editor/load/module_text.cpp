// Splits module source into the hidden header and the shown lines: the
// VERSION line, the designer block after it and the leading "Attribute VB_…"
// lines are the header; later "Attribute <member>.VB_…" lines are dropped;
// every other line is kept as is. The source is walked line by line without
// cutting it into pieces (only lines holding ".VB_" are looked at as possible
// member attributes), and the shown text is copied in runs of lines that
// already end in CR LF (usually one run: the whole text after the header).
// Also classifies class-like modules by their attributes and checks module
// names.
#include "editor/load/module_text.h"

#include <optional>

#include "editor/load/line_breaks.h"
#include "editor/load/load_project.h"
#include "platform/codepage.h"

namespace qm::editor {

namespace {

// VB_Base values (upper case, without the leading "0") that do not name a
// host document class.
constexpr std::string_view kClassModuleBase = "{FCFB3D2A-A0FA-1068-A738-08002B3371B5}";
constexpr std::string_view kUserFormBase = "{C62A69F0-16DC-11CE-9E98-00AA00574A4F}";

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// True when the line (leading blanks skipped) begins with the word, followed
// by the end of the line or a blank.
bool StartsWithWord(std::string_view line, std::string_view word) {
  size_t blanks = 0;
  while (blanks < line.size() && IsBlank(line[blanks])) ++blanks;
  line.remove_prefix(blanks);
  if (line.size() < word.size() || !EqualNoCase(line.substr(0, word.size()), word)) return false;
  return line.size() == word.size() || IsBlank(line[word.size()]);
}

// The text after "Attribute" and its blanks; nullopt when the line is not
// an attribute line.
std::optional<std::string_view> AttributeBody(std::string_view line) {
  if (!StartsWithWord(line, "Attribute")) return std::nullopt;
  return TrimBlanks(TrimBlanks(line).substr(9));
}

bool IsAsciiWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// A leading "Attribute VB_<name> = <value>" line, value unquoted.
std::optional<std::pair<std::string, std::string>> ModuleAttribute(std::string_view line) {
  const auto body = AttributeBody(line);
  if (!body || body->size() < 3 || !EqualNoCase(body->substr(0, 3), "VB_")) return std::nullopt;
  size_t end = 3;
  while (end < body->size() && IsAsciiWordChar((*body)[end])) ++end;
  const auto rest = TrimBlanks(body->substr(end));
  if (rest.empty() || rest.front() != '=') return std::nullopt;
  auto value = TrimBlanks(rest.substr(1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
  return std::make_pair(std::string(body->substr(0, end)), std::string(value));
}

// "Attribute <member>.VB_…": a procedure's or variable's attribute.
bool IsMemberAttribute(std::string_view line) {
  const auto body = AttributeBody(line);
  if (!body) return false;
  const auto dot = body->find('.');
  if (dot == 0 || dot == std::string_view::npos) return false;
  for (char c : body->substr(0, dot)) {
    if (!IsAsciiWordChar(c) && static_cast<unsigned char>(c) < 0x80) return false;
  }
  return body->size() >= dot + 4 && EqualNoCase(body->substr(dot + 1, 3), "VB_");
}

// The lines of a source, read one at a time.
class SourceLines {
 public:
  explicit SourceLines(std::string_view text) : text_(text), breaks_(text) { Advance(); }
  bool AtEnd() const { return atEnd_; }
  // The current line, without its break.
  std::string_view Current() const { return text_.substr(line_.begin, line_.Length()); }
  const LineSpan& Span() const { return line_; }
  void Advance() { atEnd_ = !breaks_.Next(line_); }

 private:
  std::string_view text_;
  LineBreaks breaks_;
  LineSpan line_;       // the current line
  bool atEnd_ = false;  // no current line: the text is used up
};

// Moves past the designer block that starts at the current line.
void SkipDesignerBlock(SourceLines& lines, std::string_view origin) {
  int depth = 0;
  for (; !lines.AtEnd(); lines.Advance()) {
    const std::string_view line = lines.Current();
    if (StartsWithWord(line, "Begin") || StartsWithWord(line, "BeginProperty")) {
      ++depth;
    } else if (StartsWithWord(line, "End") || StartsWithWord(line, "EndProperty")) {
      if (--depth == 0) {
        lines.Advance();
        return;
      }
    }
  }
  throw LoadError(origin, "the designer block after the VERSION line has no End");
}

// Moves past an exported file's VERSION line, a form's Object references
// after it and the designer block; true when there was a designer block.
bool SkipExportHeader(SourceLines& lines, std::string_view origin) {
  if (lines.AtEnd() || !StartsWithWord(lines.Current(), "VERSION")) return false;
  lines.Advance();
  while (!lines.AtEnd() && StartsWithWord(lines.Current(), "Object")) lines.Advance();  // references of a VB6 form
  if (lines.AtEnd() || !StartsWithWord(lines.Current(), "Begin")) return false;
  SkipDesignerBlock(lines, origin);
  return true;
}

// The first "_" at or after from that ends ".VB" (in any case): every member
// attribute line holds one, so lines before it need no closer look.
size_t NextMemberMark(std::string_view text, size_t from) {
  for (size_t mark; (mark = FindChar(text, '_', from)) < text.size(); from = mark + 1) {
    if (mark >= 3 && text[mark - 3] == '.' && Lower(text[mark - 2]) == 'v' && Lower(text[mark - 1]) == 'b') return mark;
  }
  return text.size();
}

// The lines from the current one on, each followed by CR LF, member attribute
// lines left out when asked. Runs of lines that end in CR LF are copied whole.
std::string RemainingLines(std::string_view text, SourceLines& lines, bool dropMemberAttributes) {
  std::string out;
  size_t run = lines.AtEnd() ? text.size() : lines.Span().begin;  // start of the run not yet copied
  size_t mark = dropMemberAttributes ? NextMemberMark(text, run) : text.size();
  for (; !lines.AtEnd(); lines.Advance()) {
    const LineSpan& line = lines.Span();
    const bool marked = mark < line.end;
    if (marked) mark = NextMemberMark(text, line.end);
    if (marked && IsMemberAttribute(lines.Current())) {
      out.append(text.substr(run, line.begin - run));
      run = line.end + line.breakLength;
    } else if (line.breakLength != 2) {
      out.append(text.substr(run, line.end - run)).append("\r\n");
      run = line.end + line.breakLength;
    }
  }
  return out.append(text.substr(run));
}

// Reads one code point of valid UTF-8 at text[pos], advancing pos.
char32_t NextCodePoint(std::string_view text, size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
  char32_t cp = lead & (0x3F >> extra);
  for (int k = 0; k < extra && pos < text.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(text[pos++]) & 0x3F);
  return cp;
}

// Non-ASCII characters that count as letters of a name: anything but
// spaces, the replacement character and controls.
bool IsNameLetter(char32_t cp) {
  if (cp < 0x80) return (cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z');
  return cp >= 0xA1 && cp != 0x3000 && cp != 0xFFFD && cp != 0xFEFF && !(cp >= 0x2000 && cp <= 0x206F);
}

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  LineBreaks breaks(text);
  for (LineSpan line; breaks.Next(line);) lines.push_back(text.substr(line.begin, line.Length()));
  return lines;
}

ModuleSource ParseModuleSource(std::string_view utf8, std::string_view origin) {
  SourceLines lines(utf8);
  ModuleSource result;
  result.hasDesigner = SkipExportHeader(lines, origin);
  for (; !lines.AtEnd(); lines.Advance()) {
    auto attribute = ModuleAttribute(lines.Current());
    if (!attribute) break;
    result.attributes.push_back(std::move(*attribute));
  }
  result.text = RemainingLines(utf8, lines, true);
  if (!result.text.empty()) result.text.resize(result.text.size() - 2);  // no break after the last line
  return result;
}

std::string AttributeValue(const ModuleSource& source, std::string_view name) {
  for (const auto& [key, value] : source.attributes) {
    if (EqualNoCase(key, name)) return value;
  }
  return {};
}

int KindOfClassModule(const ModuleSource& source) {
  std::string base = AttributeValue(source, "VB_Base");
  for (char& c : base) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  if (base.empty() || base.find(kClassModuleBase) != std::string::npos) return kKindClass;
  // A user form's base names the form class and then its own type information: two GUIDs.
  const bool twoGuids = base.find('{') != base.rfind('{');
  if (base.find(kUserFormBase) != std::string::npos || twoGuids) return kKindUserForm;
  const bool predeclared = EqualNoCase(AttributeValue(source, "VB_PredeclaredId"), "True");
  const bool creatable = EqualNoCase(AttributeValue(source, "VB_Creatable"), "True");
  return predeclared && !creatable ? kKindDocument : kKindClass;
}

std::string StreamSourceOfExport(std::string_view utf8) {
  SourceLines lines(utf8);
  SkipExportHeader(lines, "");
  return RemainingLines(utf8, lines, false);
}

bool IsVbaIdentifier(std::string_view utf8) {
  if (utf8.empty() || !platform::IsValidUtf8(utf8)) return false;
  size_t pos = 0;
  int count = 0;
  while (pos < utf8.size()) {
    const char32_t cp = NextCodePoint(utf8, pos);
    const bool digitOrUnderscore = (cp >= '0' && cp <= '9') || cp == '_';
    if (!IsNameLetter(cp) && (count == 0 || !digitOrUnderscore)) return false;
    if (++count > 31) return false;
  }
  return true;
}

}  // namespace qm::editor
