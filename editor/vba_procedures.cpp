// Procedure analysis of a module text in one pass. Physical lines are joined
// into logical lines at " _"; each logical line is cut into its statements
// (at colons outside strings, up to the comment mark, a leading line number
// removed), each a view of the line, the next colon, quote and comment mark
// found with memchr rather than byte by byte. Only a statement's first words
// matter: a Rem statement ends the line; modifiers followed by Sub, Function
// or Property Get/Let/Set and a name open a procedure; "End
// Sub/Function/Property" closes it. A word is compared only with the table's
// words of its length and first letter. The ranges are then laid
// end to end from the declarations to the last line, and an index of the
// procedures sorted by a hash of kind and name (without case) makes every
// look-up a binary search.
#include "editor/vba_procedures.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "editor/load/line_breaks.h"

namespace qm::editor {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

// Letters, digits, underscore and every byte of a non-ASCII character, as a
// table by byte value.
constexpr std::array<bool, 256> kIdentifierBytes = [] {
  std::array<bool, 256> table{};
  for (int u = 0; u < 256; ++u) {
    table[u] = u >= 0x80 || (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_';
  }
  return table;
}();

bool IsIdentifierChar(char c) { return kIdentifierBytes[static_cast<unsigned char>(c)]; }

constexpr char LowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerChar(x) == LowerChar(y); });
}

static_assert(std::size(kProcedureWords) <= 32, "the look-up below keeps the table's words as bits");

// Bit n set: the table holds a word of n letters.
constexpr uint32_t kWordLengths = [] {
  uint32_t mask = 0;
  for (const ProcWord& entry : kProcedureWords) mask |= uint32_t{1} << entry.word.size();
  return mask;
}();

// For each letter a..z, bit i set: the table's word i starts with it.
constexpr std::array<uint32_t, 26> kWordsByFirstLetter = [] {
  std::array<uint32_t, 26> words{};
  for (size_t i = 0; i < std::size(kProcedureWords); ++i) {
    words[static_cast<size_t>(LowerChar(kProcedureWords[i].word[0]) - 'a')] |= uint32_t{1} << i;
  }
  return words;
}();

// The table entry for a word, compared without case; none for other words.
// Only the words of the same first letter are compared, and none when no
// word of the table has that length.
const ProcWord* LookupWord(std::string_view word) {
  if (word.empty() || word.size() >= 32 || (kWordLengths & (uint32_t{1} << word.size())) == 0) return nullptr;
  const char first = LowerChar(word[0]);
  if (first < 'a' || first > 'z') return nullptr;
  for (uint32_t words = kWordsByFirstLetter[static_cast<size_t>(first - 'a')]; words != 0; words &= words - 1) {
    const ProcWord& entry = kProcedureWords[std::countr_zero(words)];
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

// Reads the word at pos (after blanks) and gives its table entry, moving pos
// past it; none for other words. A word whose first letter starts no word of
// the table is not read at all (pos is then of no further use).
const ProcWord* ReadProcWord(std::string_view text, size_t& pos) {
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  if (pos == text.size()) return nullptr;
  const char first = LowerChar(text[pos]);
  if (first < 'a' || first > 'z' || kWordsByFirstLetter[static_cast<size_t>(first - 'a')] == 0) return nullptr;
  return LookupWord(NextWord(text, pos));
}

// The text with the contents of its strings dropped (the quotes kept), up
// to a comment mark outside strings.
std::string WithoutStringContents(std::string_view text) {
  std::string out;
  bool inString = false;
  for (char c : text) {
    if (c == '\'' && !inString) break;
    if (c == '"') inString = !inString;
    if (!inString || c == '"') out += c;
  }
  return out;
}

// The procedure name after the opener: an identifier or a bracketed name
// (whose closing bracket is looked for outside strings, before the comment).
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

// The text from its first non-blank character.
std::string_view WithoutLeadingBlanks(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  return text.substr(pos);
}

// The statement from its first non-blank character, a leading line number
// removed ("10 End Sub" → "End Sub", "10' note" → "' note").
std::string_view WithoutLineNumber(std::string_view statement) {
  statement = WithoutLeadingBlanks(statement);
  size_t pos = 0;
  while (pos < statement.size() && statement[pos] >= '0' && statement[pos] <= '9') ++pos;
  if (pos == 0 || (pos < statement.size() && !IsSpace(statement[pos]) && statement[pos] != '\'')) return statement;
  return WithoutLeadingBlanks(statement.substr(pos));
}

// The statements of a logical line, cut at colons outside strings and before
// the comment mark, the first one without its line number. Each is a piece of
// the line, strings included; the last one runs to the end of the line, a
// comment included (a comment is no code, and no word of a header or an End
// statement reaches into it). A line without a colon is one memchr.
void SplitStatements(std::string_view text, std::vector<std::string_view>& statements) {
  statements.clear();
  size_t start = 0;
  size_t from = 0;  // where the next colon is looked for
  for (;;) {
    const size_t colon = FindChar(text, ':', from);
    if (colon == text.size()) break;
    const std::string_view before = text.substr(0, colon);
    const size_t quote = FindChar(before, '"', from);
    const size_t mark = FindChar(before, '\'', from);
    if (mark < quote) break;  // the colon is in a comment
    if (quote < colon) {
      // A string opens before the colon: look again after its closing quote.
      const size_t close = FindChar(text, '"', quote + 1);
      if (close == text.size()) break;
      from = close + 1;
      continue;
    }
    statements.push_back(text.substr(start, colon - start));
    start = from = colon + 1;
  }
  statements.push_back(text.substr(start));
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
    const ProcWord* next = ReadProcWord(text, pos);
    const bool closes = next != nullptr && next->role == ProcWordRole::kOpener;
    return {closes ? StatementRole::kEnd : StatementRole::kOther, {}, 0};
  }
  while (word != nullptr && word->role == ProcWordRole::kModifier) word = ReadProcWord(text, pos);
  if (word == nullptr || word->role != ProcWordRole::kOpener) return {};
  int kind = word->kind;
  if (kind < 0) {
    const ProcWord* property = ReadProcWord(text, pos);
    if (property == nullptr || property->role != ProcWordRole::kPropertyKind) return {};
    kind = property->kind;
  }
  std::string name = ReadProcedureName(text, pos);
  if (name.empty()) return {};
  return {StatementRole::kHeader, std::move(name), kind};
}

// A hash of a procedure's kind and name without case (FNV-1a), the key of
// the index.
uint32_t IndexKey(int kind, std::string_view name) {
  uint32_t hash = 2166136261u ^ static_cast<uint32_t>(kind);
  for (const char c : name) hash = (hash ^ static_cast<unsigned char>(LowerChar(c))) * 16777619u;
  return hash;
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
    const std::string_view code = WithoutLeadingBlanks(logical);
    if (!code.empty()) lastNonBlank = number;
    SplitStatements(code, statements);
    const bool hasCode = ReadStatements(statements, first, number, open);
    if (procedures_.empty() && hasCode) lastDeclarationCode = number;
  }
  CloseRanges(count, lastDeclarationCode, lastNonBlank);
  BuildIndex();
}

bool ProcedureMap::ReadStatements(const std::vector<std::string_view>& statements, int first, int last, int& open) {
  bool hasCode = false;
  for (std::string_view text : statements) {
    text = WithoutLeadingBlanks(text);
    size_t pos = 0;
    const ProcWord* word = ReadProcWord(text, pos);
    if (word != nullptr && word->role == ProcWordRole::kRemark) break;  // the rest of the line is a comment
    hasCode = hasCode || !(text.empty() || text.front() == '\'');  // statements start at a non-blank
    if (word == nullptr) continue;                                  // neither a header nor an End
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
  procedures_.shrink_to_fit();
  index_.reserve(procedures_.size());
  for (size_t i = 0; i < procedures_.size(); ++i) {
    index_.push_back({IndexKey(procedures_[i].kind, procedures_[i].name), static_cast<uint32_t>(i)});
  }
  std::stable_sort(index_.begin(), index_.end(), [](const IndexEntry& a, const IndexEntry& b) { return a.key < b.key; });
}

const ProcedureRange* ProcedureMap::ProcedureAt(int line) const {
  if (line <= declarationLines_ || procedures_.empty() || line > procedures_.back().endLine) return nullptr;
  // Queries mostly walk the lines in order: the last answer and the one after
  // it are tried before searching.
  for (size_t i = lastFound_; i < lastFound_ + 2 && i < procedures_.size(); ++i) {
    if (IsLastStartingBy(i, line)) return &procedures_[lastFound_ = i];
  }
  auto after = std::upper_bound(procedures_.begin(), procedures_.end(), line,
                                [](int value, const ProcedureRange& p) { return value < p.startLine; });
  if (after == procedures_.begin()) return nullptr;
  lastFound_ = static_cast<size_t>(after - procedures_.begin()) - 1;
  return &procedures_[lastFound_];
}

// Ranges start in ascending order (a range may be empty), so the range that
// holds a line is the last one starting at or before it.
bool ProcedureMap::IsLastStartingBy(size_t index, int line) const {
  return procedures_[index].startLine <= line &&
         (index + 1 == procedures_.size() || procedures_[index + 1].startLine > line);
}

const ProcedureRange* ProcedureMap::Find(std::string_view name, int kind) const {
  const uint32_t key = IndexKey(kind, name);
  auto entry = std::lower_bound(index_.begin(), index_.end(), key,
                                [](const IndexEntry& e, uint32_t value) { return e.key < value; });
  for (; entry != index_.end() && entry->key == key; ++entry) {
    const ProcedureRange& procedure = procedures_[entry->procedure];
    if (procedure.kind == kind && SameVbaName(procedure.name, name)) return &procedure;
  }
  return nullptr;
}

}  // namespace qm::editor
