// Procedure analysis of a module text in one pass. Physical lines are joined
// into logical lines at " _"; each logical line is cut into its statements
// (at colons outside strings, up to the comment mark or a Rem statement, a
// leading line number removed), each a view of the line; a statement whose words are
// modifiers followed by Sub, Function or Property Get/Let/Set and a name opens
// a procedure, "End Sub/Function/Property" closes it. The ranges are then laid
// end to end from the declarations to the last line, and an index by lower-case
// name and kind makes every look-up cheap.
#include "editor/vba_procedures.h"

#include <algorithm>

namespace qm::editor {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

// Letters, digits, underscore and every byte of a non-ASCII character.
bool IsIdentifierChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 0x80 || (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') ||
         u == '_';
}

char LowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerChar(c);
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerChar(x) == LowerChar(y); });
}

// The table entry for a word, compared without case; none for other words.
const ProcWord* LookupWord(std::string_view word) {
  if (word.empty()) return nullptr;
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

bool StartsWithRemark(std::string_view statement) {
  size_t pos = 0;
  const ProcWord* word = LookupWord(NextWord(statement, pos));
  return word != nullptr && word->role == ProcWordRole::kRemark;
}

// The statements of a logical line, cut at the comment mark and at colons
// outside strings, the first one without its line number, and none from a
// Rem statement on. Each is a piece of the line, strings included.
void SplitStatements(std::string_view text, std::vector<std::string_view>& statements) {
  statements.clear();
  size_t start = 0;
  size_t end = 0;
  for (; end < text.size(); ++end) {
    const char c = text[end];
    if (c != '"' && c != '\'' && c != ':') continue;
    if (c == '"') {
      // Skip to the closing quote; an unclosed string runs to the end.
      end = text.find('"', end + 1);
      if (end == std::string_view::npos) end = text.size();
      if (end == text.size()) break;
    } else if (c == '\'') {
      break;
    } else {
      statements.push_back(text.substr(start, end - start));
      start = end + 1;
    }
  }
  statements.push_back(text.substr(start, end - start));
  statements.front() = WithoutLineNumber(statements.front());
  for (size_t i = 0; i < statements.size(); ++i) {
    if (StartsWithRemark(statements[i])) {
      statements.resize(i);
      break;
    }
  }
}

enum class StatementRole { kOther, kHeader, kEnd };

struct Statement {
  StatementRole role = StatementRole::kOther;
  std::string name;  // the procedure's name, for a header
  int kind = 0;      // ProcKind, for a header
};

// Recognises a procedure header or an End Sub/Function/Property statement.
Statement Classify(std::string_view text) {
  size_t pos = 0;
  const ProcWord* word = LookupWord(NextWord(text, pos));
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

bool HasCode(const std::vector<std::string_view>& statements) {
  return std::any_of(statements.begin(), statements.end(), [](std::string_view s) { return !IsBlank(s); });
}

std::string IndexKey(std::string_view name, int kind) {
  return LowerAscii(name) + '\x1f' + std::to_string(kind);
}

}  // namespace

bool SameVbaName(std::string_view a, std::string_view b) { return EqualsNoCase(a, b); }

bool ContinuesOnNextLine(std::string_view line) {
  return line.size() >= 2 && line.back() == '_' && IsSpace(line[line.size() - 2]);
}

ProcedureMap::ProcedureMap(const std::vector<std::string>& lines) {
  const int count = static_cast<int>(lines.size());
  int lastDeclarationCode = 0;  // last line of a statement before the first header
  int lastNonBlank = 0;
  int open = -1;  // the procedure whose End has not been met
  std::string joined;                      // a logical line of several physical ones
  std::vector<std::string_view> statements;  // of the current logical line
  for (int i = 0; i < count; ++i) {
    const int first = i + 1;
    std::string_view logical = lines[i];
    if (ContinuesOnNextLine(lines[i]) && i + 1 < count) {
      joined = lines[i];
      while (ContinuesOnNextLine(lines[i]) && i + 1 < count) {
        joined.pop_back();
        joined += lines[++i];
      }
      logical = joined;
    }
    const int last = i + 1;
    if (!IsBlank(logical)) lastNonBlank = last;
    SplitStatements(logical, statements);
    for (const std::string_view text : statements) {
      Statement statement = Classify(text);
      if (statement.role == StatementRole::kHeader) {
        if (open >= 0) procedures_[open].endLine = first - 1;
        procedures_.push_back({std::move(statement.name), statement.kind, 0, first, 0});
        open = static_cast<int>(procedures_.size()) - 1;
      } else if (statement.role == StatementRole::kEnd && open >= 0) {
        procedures_[open].endLine = last;
        open = -1;
      }
    }
    if (procedures_.empty() && HasCode(statements)) lastDeclarationCode = last;
  }
  CloseRanges(count, lastDeclarationCode, lastNonBlank);
  BuildIndex();
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
