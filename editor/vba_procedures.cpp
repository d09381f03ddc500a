// Procedure analysis of a module text in one pass. Physical lines are joined
// into logical lines at " _"; each logical line is cut into its statements
// (at colons outside strings, up to the comment mark, a leading line number
// removed), each a view of the line, the next colon, quote and comment mark
// found with memchr rather than byte by byte. Only a statement's first words
// matter: a Rem statement ends the line; modifiers followed by Sub, Function
// or Property Get/Let/Set and a name open a procedure; "End
// Sub/Function/Property" closes it. Most words are turned away by their length
// and first letter before the word table is searched. The ranges are then laid
// end to end from the declarations to the last line, and an index by
// lower-case name and kind makes every look-up cheap.
#include "editor/vba_procedures.h"

#include <algorithm>
#include <cstdint>

#include "editor/load/line_breaks.h"

namespace qm::editor {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

// Letters, digits, underscore and every byte of a non-ASCII character.
bool IsIdentifierChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 0x80 || (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') ||
         u == '_';
}

constexpr char LowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerChar(c);
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerChar(x) == LowerChar(y); });
}

// Bit n set: the table holds a word of n letters.
constexpr uint32_t kWordLengths = [] {
  uint32_t mask = 0;
  for (const ProcWord& entry : kProcedureWords) mask |= uint32_t{1} << entry.word.size();
  return mask;
}();

// Bit n set: the table holds a word whose first letter is the n-th of a..z.
constexpr uint32_t kFirstLetters = [] {
  uint32_t mask = 0;
  for (const ProcWord& entry : kProcedureWords) mask |= uint32_t{1} << (LowerChar(entry.word[0]) - 'a');
  return mask;
}();

// True when the table may hold the word: its length and first letter occur there.
bool MayBeProcedureWord(std::string_view word) {
  if (word.empty() || word.size() >= 32 || (kWordLengths & (uint32_t{1} << word.size())) == 0) return false;
  const char first = LowerChar(word[0]);
  return first >= 'a' && first <= 'z' && (kFirstLetters & (uint32_t{1} << (first - 'a'))) != 0;
}

// The table entry for a word, compared without case; none for other words.
const ProcWord* LookupWord(std::string_view word) {
  if (!MayBeProcedureWord(word)) return nullptr;
  for (const ProcWord& entry : kProcedureWords) {
    if (EqualsNoCase(entry.word, word)) return &entry;
  }
  return nullptr;
}

// Reads the identifier at pos (after spaces) and moves pos past it.
std::string_view NextWord(std::string_view text, size_t& pos) {
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  const size_t start = pos;
  while (pos < text.size() && IsIdentifierChar(text[pos])) ++pos;
  return text.substr(start, pos - start);
}

// The text with the contents of its strings dropped (the quotes kept).
std::string WithoutStringContents(std::string_view text) {
  std::string out;
  bool inString = false;
  for (char c : text) {
    if (c == '"') inString = !inString;
    if (!inString || c == '"') out += c;
  }
  return out;
}

// The procedure name after the opener: an identifier or a bracketed name
// (whose closing bracket is looked for outside strings).
std::string ReadProcedureName(std::string_view text, size_t pos) {
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  if (pos < text.size() && text[pos] == '[') {
    const std::string rest = WithoutStringContents(text.substr(pos + 1));
    const size_t close = rest.find(']');
    if (close == std::string::npos) return {};
    return rest.substr(0, close);
  }
  return std::string(NextWord(text, pos));
}

// Removes a leading line number ("10 End Sub" → "End Sub").
std::string_view WithoutLineNumber(std::string_view statement) {
  size_t pos = 0;
  while (pos < statement.size() && IsSpace(statement[pos])) ++pos;
  const size_t digits = pos;
  while (pos < statement.size() && statement[pos] >= '0' && statement[pos] <= '9') ++pos;
  if (pos == digits || (pos < statement.size() && !IsSpace(statement[pos]))) return statement;
  return statement.substr(pos);
}

// The statements of a logical line, cut at the comment mark and at colons
// outside strings, the first one without its line number. Each is a piece of
// the line, strings included.
void SplitStatements(std::string_view text, std::vector<std::string_view>& statements) {
  statements.clear();
  size_t start = 0;
  size_t end = text.size();
  size_t colon = FindChar(text, ':', 0), quote = FindChar(text, '"', 0), mark = FindChar(text, '\'', 0);
  for (;;) {
    end = std::min({colon, quote, mark});
    if (end == text.size() || end == mark) break;
    if (end == colon) {
      statements.push_back(text.substr(start, end - start));
      start = end + 1;
      colon = FindChar(text, ':', start);
      continue;
    }
    // Skip the string to its closing quote; an unclosed string runs to the end.
    const size_t close = FindChar(text, '"', quote + 1);
    if (close == text.size()) {
      end = text.size();
      break;
    }
    quote = FindChar(text, '"', close + 1);
    if (colon < close) colon = FindChar(text, ':', close + 1);
    if (mark < close) mark = FindChar(text, '\'', close + 1);
  }
  statements.push_back(text.substr(start, end - start));
  statements.front() = WithoutLineNumber(statements.front());
}

enum class StatementRole { kOther, kHeader, kEnd };

struct Statement {
  StatementRole role = StatementRole::kOther;
  std::string name;  // the procedure's name, for a header
  int kind = 0;      // ProcKind, for a header
};

// Recognises a procedure header or an End Sub/Function/Property statement
// whose first word (the table's entry, if any) ends at pos.
Statement Classify(std::string_view text, size_t pos, const ProcWord* word) {
  if (word != nullptr && word->role == ProcWordRole::kEnd) {
    const ProcWord* next = LookupWord(NextWord(text, pos));
    const bool closes = next != nullptr && next->role == ProcWordRole::kOpener;
    return {closes ? StatementRole::kEnd : StatementRole::kOther, {}, 0};
  }
  while (word != nullptr && word->role == ProcWordRole::kModifier) word = LookupWord(NextWord(text, pos));
  if (word == nullptr || word->role != ProcWordRole::kOpener) return {};
  int kind = word->kind;
  if (kind < 0) {
    const ProcWord* property = LookupWord(NextWord(text, pos));
    if (property == nullptr || property->role != ProcWordRole::kPropertyKind) return {};
    kind = property->kind;
  }
  std::string name = ReadProcedureName(text, pos);
  if (name.empty()) return {};
  return {StatementRole::kHeader, std::move(name), kind};
}

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return IsSpace(c); });
}

std::string IndexKey(std::string_view name, int kind) {
  return LowerAscii(name) + '\x1f' + std::to_string(kind);
}

}  // namespace

bool SameVbaName(std::string_view a, std::string_view b) { return EqualsNoCase(a, b); }

bool ContinuesOnNextLine(std::string_view line) {
  return line.size() >= 2 && line.back() == '_' && IsSpace(line[line.size() - 2]);
}

ProcedureMap::ProcedureMap(const ModuleLines& lines) {
  const int count = lines.Count();
  int lastDeclarationCode = 0;  // last line of a statement before the first header
  int lastNonBlank = 0;
  int open = -1;  // the procedure whose End has not been met
  std::string joined;                        // a logical line of several physical ones
  std::vector<std::string_view> statements;  // of the current logical line
  for (int number = 1; number <= count; ++number) {
    const int first = number;
    std::string_view logical = lines.Line(number);
    if (ContinuesOnNextLine(logical) && number < count) {
      joined = logical;
      while (ContinuesOnNextLine(lines.Line(number)) && number < count) {
        joined.pop_back();
        joined += lines.Line(++number);
      }
      logical = joined;
    }
    if (!IsBlank(logical)) lastNonBlank = number;
    SplitStatements(logical, statements);
    const bool hasCode = ReadStatements(statements, first, number, open);
    if (procedures_.empty() && hasCode) lastDeclarationCode = number;
  }
  CloseRanges(count, lastDeclarationCode, lastNonBlank);
  BuildIndex();
}

bool ProcedureMap::ReadStatements(const std::vector<std::string_view>& statements, int first, int last, int& open) {
  bool hasCode = false;
  for (const std::string_view text : statements) {
    size_t pos = 0;
    const ProcWord* word = LookupWord(NextWord(text, pos));
    if (word != nullptr && word->role == ProcWordRole::kRemark) break;  // the rest of the line is a comment
    hasCode = hasCode || !IsBlank(text);
    Statement statement = Classify(text, pos, word);
    if (statement.role == StatementRole::kHeader) {
      if (open >= 0) procedures_[open].endLine = first - 1;
      procedures_.push_back({std::move(statement.name), statement.kind, 0, first, 0});
      open = static_cast<int>(procedures_.size()) - 1;
    } else if (statement.role == StatementRole::kEnd && open >= 0) {
      procedures_[open].endLine = last;
      open = -1;
    }
  }
  return hasCode;
}

// Lays the ranges end to end: each starts after the one before; the last one
// runs to the module's last line.
void ProcedureMap::CloseRanges(int lineCount, int lastDeclarationCode, int lastNonBlank) {
  if (procedures_.empty()) {
    declarationLines_ = lastNonBlank;
    return;
  }
  declarationLines_ = lastDeclarationCode;
  int start = declarationLines_ + 1;
  for (ProcedureRange& procedure : procedures_) {
    procedure.startLine = start;
    start = procedure.endLine + 1;
  }
  procedures_.back().endLine = lineCount;
}

void ProcedureMap::BuildIndex() {
  for (size_t i = 0; i < procedures_.size(); ++i) {
    byKey_.emplace(IndexKey(procedures_[i].name, procedures_[i].kind), i);
  }
}

const ProcedureRange* ProcedureMap::ProcedureAt(int line) const {
  if (line <= declarationLines_ || procedures_.empty() || line > procedures_.back().endLine) return nullptr;
  auto after = std::upper_bound(procedures_.begin(), procedures_.end(), line,
                                [](int value, const ProcedureRange& p) { return value < p.startLine; });
  if (after == procedures_.begin()) return nullptr;
  return &*std::prev(after);
}

const ProcedureRange* ProcedureMap::Find(std::string_view name, int kind) const {
  auto found = byKey_.find(IndexKey(name, kind));
  return found == byKey_.end() ? nullptr : &procedures_[found->second];
}

}  // namespace qm::editor
