// Word classification: decides whether one word of a statement is a keyword,
// an identifier or plain text, the way the editor colours it. Most words are
// decided by the main keyword list alone; the words the editor colours only in
// some positions (Get after Property, Access after a file mode, Text after
// Option Compare ...) each have a rule in kWordRules that looks at the
// statement's context (the last two context words and the count of entries).
// Some rules "promote" the last counted entry to a keyword once the present
// word shows what it was. Names that reach no rule are split at dots and
// colons by MarkName. One hashed index, built once from the tables, finds a
// word's rule with a single lookup.
#include <algorithm>
#include <array>
#include <cctype>
#include <initializer_list>

#include "addin/convert/byte_set.h"
#include "addin/convert/converter.h"

namespace qm {

namespace {

using K = WordKind;

// --- Small actions shared by the rules.

void Add(clsConverter& c, std::string_view w, WordKind k) { c.Statement().AddWord(w, k); }

// A keyword function: the keyword, and its opening parenthesis to follow.
void AddKeywordFunction(clsConverter& c, std::string_view w) {
  Add(c, w, K::Keyword);
  c.Statement().KeywordParen(true);
}

// The last counted entry becomes a keyword: the present word shows what it was.
void Promote(clsConverter& c) { c.Statement().SetKind(c.Statement().LastWordIndex(), K::Keyword); }

bool IsOneOf(std::string_view s, std::initializer_list<std::string_view> set) {
  return std::find(set.begin(), set.end(), s) != set.end();
}

std::string_view Last(clsConverter& c) { return c.Statement().LastWord(); }
std::string_view BeforeLast(clsConverter& c) { return c.Statement().WordBeforeLast(); }
int32_t Count(clsConverter& c) { return c.Statement().SignificantCount(); }

// Keyword when `cond`, identifier otherwise.
void KeywordIf(clsConverter& c, std::string_view w, bool cond) {
  Add(c, w, cond ? K::Keyword : K::Identifier);
}

// Promote and keyword when `cond`, otherwise `otherwise`.
void PromoteIf(clsConverter& c, std::string_view w, bool cond, WordKind otherwise) {
  if (cond) Promote(c);
  Add(c, w, cond ? K::Keyword : otherwise);
}

// --- The rules, one function per rule of the table below.

void Directive(clsConverter& c, std::string_view w) {
  Add(c, "#", K::Plain);
  Add(c, w.substr(1), K::Keyword);
}
void MidStatement(clsConverter& c, std::string_view w) {
  if (Count(c) == 0) AddKeywordFunction(c, w); else Add(c, w, K::Identifier);
}
void StrCompRule(clsConverter& c, std::string_view w) {
  if (IsOneOf(Last(c), {"Const", "Dim", "Function", "Get", "Global", "Let", "Private", "Public", "Set", "Sub"}))
    Add(c, w, K::Identifier);
  else
    AddKeywordFunction(c, w);
}
void StatementStart(clsConverter& c, std::string_view w) { KeywordIf(c, w, Count(c) == 0); }
void FileMode(clsConverter& c, std::string_view w) { KeywordIf(c, w, Count(c) >= 2 && Last(c) == "For"); }
void AccessRule(clsConverter& c, std::string_view w) {
  KeywordIf(c, w, IsOneOf(Last(c), {"Append", "Binary", "Input", "Output", "Random"}));
}
void ReadRule(clsConverter& c, std::string_view w) { KeywordIf(c, w, IsOneOf(Last(c), {"Access", "Lock", "Write"})); }
void PropertyRule(clsConverter& c, std::string_view w) {
  KeywordIf(c, w, Count(c) == 0 || Last(c) == "End" || Last(c) == "Exit");
}
void PropertyVerb(clsConverter& c, std::string_view w) {
  if (Last(c) == "Property") Promote(c);
  Add(c, w, K::Keyword);
}
void DebugMethod(clsConverter& c, std::string_view w) {
  Add(c, "Debug", K::Keyword);
  Add(c, ".", K::Plain);
  Add(c, w.substr(6), K::Keyword);
}
void AfterAs(clsConverter& c, std::string_view w) { KeywordIf(c, w, Last(c) == "As"); }
void StepRule(clsConverter& c, std::string_view w) { KeywordIf(c, w, Last(c) == "To"); }
void ExplicitRule(clsConverter& c, std::string_view w) { KeywordIf(c, w, Last(c) == "Option"); }
void LibRule(clsConverter& c, std::string_view w) {
  KeywordIf(c, w, (Last(c) == "Function" || Last(c) == "Sub") && BeforeLast(c) == "Declare");
}
void AliasRule(clsConverter& c, std::string_view w) { KeywordIf(c, w, BeforeLast(c) == "Lib"); }
void ErrorRule(clsConverter& c, std::string_view w) { KeywordIf(c, w, Count(c) == 0 || Last(c) == "On"); }
void InputRule(clsConverter& c, std::string_view w) {
  if (Count(c) == 0 || Last(c) == "For") Add(c, w, K::Keyword);
  else PromoteIf(c, w, Last(c) == "Line", K::Identifier);
}
void ZeroRule(clsConverter& c, std::string_view w) {
  PromoteIf(c, w, (BeforeLast(c) == "Option" && Last(c) == "Base") ||
                  (BeforeLast(c) == "Error" && Last(c) == "GoTo"), K::Plain);
}
void OneRule(clsConverter& c, std::string_view w) {
  PromoteIf(c, w, BeforeLast(c) == "Option" && Last(c) == "Base", K::Plain);
}
void ModuleRule(clsConverter& c, std::string_view w) {
  PromoteIf(c, w, BeforeLast(c) == "Option" && Last(c) == "Private", K::Identifier);
}
void CompareMode(clsConverter& c, std::string_view w) {
  PromoteIf(c, w, BeforeLast(c) == "Option" && Last(c) == "Compare", K::Identifier);
}
void BinaryRule(clsConverter& c, std::string_view w) {
  if (Count(c) >= 2 && Last(c) == "For") Add(c, w, K::Keyword); else CompareMode(c, w);
}
void BlockRule(clsConverter& c, std::string_view w) {
  const bool closing = Last(c) == "End";
  c.InTypeBlock(!closing);
  if (closing) Promote(c);
  Add(c, w, K::Keyword);
}

using RuleFn = void (*)(clsConverter&, std::string_view);

// Every word that a rule of its own decides, with that rule.
constexpr std::pair<std::string_view, RuleFn> kWordRules[] = {
    {"#Const", Directive}, {"#Else", Directive}, {"#ElseIf", Directive}, {"#End", Directive},
    {"#If", Directive},
    {"CBool", AddKeywordFunction}, {"CByte", AddKeywordFunction}, {"CCur", AddKeywordFunction},
    {"CDate", AddKeywordFunction}, {"CDbl", AddKeywordFunction}, {"CInt", AddKeywordFunction},
    {"CLng", AddKeywordFunction}, {"CSng", AddKeywordFunction}, {"CStr", AddKeywordFunction},
    {"CVar", AddKeywordFunction}, {"CVErr", AddKeywordFunction}, {"LBound", AddKeywordFunction},
    {"Spc", AddKeywordFunction}, {"Tab", AddKeywordFunction}, {"UBound", AddKeywordFunction},
    {"Mid", MidStatement}, {"MidB", MidStatement}, {"Mid$", MidStatement}, {"MidB$", MidStatement},
    {"StrComp", StrCompRule},
    {"Name", StatementStart}, {"Seek", StatementStart},
    {"Append", FileMode}, {"Output", FileMode}, {"Random", FileMode},
    {"Access", AccessRule},
    {"Read", ReadRule},
    {"Property", PropertyRule},
    {"Get", PropertyVerb}, {"Let", PropertyVerb}, {"Set", PropertyVerb},
    {"Debug.Print", DebugMethod}, {"Debug.Assert", DebugMethod},
    {"Date", AfterAs}, {"Len", AfterAs}, {"Object", AfterAs}, {"String", AfterAs},
    {"Step", StepRule},
    {"Explicit", ExplicitRule},
    {"Lib", LibRule},
    {"Alias", AliasRule},
    {"Error", ErrorRule},
    {"Input", InputRule},
    {"0", ZeroRule},
    {"1", OneRule},
    {"Module", ModuleRule},
    {"Binary", BinaryRule},
    {"Database", CompareMode}, {"Text", CompareMode},
    {"Enum", BlockRule}, {"Type", BlockRule},
};

// The words the editor always colours as keywords; kThenMark stands for "Then".
constexpr std::array<std::string_view, 100> kMainKeywords = {
    "\t", "AddressOf", "And", "Any", "As", "Boolean", "ByRef", "Byte", "ByVal", "Call", "Case",
    "CDecl", "Close", "Const", "Currency", "Decimal", "Declare", "DefBool", "DefByte", "DefCur",
    "DefDate", "DefDbl", "DefDec", "DefInt", "DefLng", "DefObj", "DefSng", "DefStr", "DefVar",
    "Dim", "Do", "Double", "Each", "Else", "ElseIf", "Empty", "End", "Eqv", "Erase", "Event",
    "Exit", "False", "For", "Friend", "Function", "Global", "GoSub", "GoTo", "If", "Imp",
    "Implements", "In", "Integer", "Is", "Like", "Local", "Lock", "Long", "Loop", "LSet", "Mod",
    "New", "Next", "Not", "Nothing", "Null", "On", "Open", "Option", "Optional", "Or",
    "ParamArray", "Preserve", "Print", "Private", "Public", "Put", "RaiseEvent", "ReDim",
    "Resume", "Return", "RSet", "Select", "Shared", "Single", "Static", "Stop", "Sub", "To",
    "True", "TypeOf", "Unlock", "Until", "Variant", "Wend", "While", "With", "WithEvents",
    "Write", "Xor"};

// The characters a numeric literal can start with: a digit, a sign, a
// decimal point, or the "&" of "&H" and "&O".
constexpr ByteSet kNumberStarts = MakeByteSet("0123456789+-.&");

// Operators that stand as words of their own.
constexpr std::array<std::string_view, 8> kOperators = {"+", "*", "/", "\\", "&", "<", ">", "="};

static_assert(kMainKeywords[0].size() == 1 && kMainKeywords[0][0] == kThenMark);

void AddKeyword(clsConverter& c, std::string_view w) { Add(c, w, K::Keyword); }
void AddPlain(clsConverter& c, std::string_view w) { Add(c, w, K::Plain); }

// Every word of the tables above with the rule that decides it, found by
// hashing: the rule words first, then the main keyword list (AddKeyword) and
// the operators (AddPlain). Built once from the tables.
class WordIndex {
 public:
  WordIndex() {
    for (const auto& [word, rule] : kWordRules) Insert(word, rule);
    for (std::string_view word : kMainKeywords) Insert(word, AddKeyword);
    for (std::string_view word : kOperators) Insert(word, AddPlain);
  }

  // The rule of `word`, or nullptr when no table holds it.
  RuleFn Find(std::string_view word) const {
    if (word.empty() || word.size() > longest_ || !InSet(starts_, word[0])) return nullptr;
    for (size_t slot = Hash(word);; slot = (slot + 1) % kSlots) {
      if (slots_[slot].rule == nullptr || Same(slots_[slot].word, word)) return slots_[slot].rule;
    }
  }

 private:
  static constexpr size_t kSlots = 512;  // a power of two, over twice the number of words
  static_assert(std::size(kWordRules) + kMainKeywords.size() + kOperators.size() < kSlots / 2);
  struct Slot {
    std::string_view word;
    RuleFn rule = nullptr;
  };

  // A slot from the word's length and three of its bytes (the first, the
  // middle and the last), which tell the table's words well enough apart;
  // the rare words that share a slot are told apart by comparing.
  static size_t Hash(std::string_view word) {
    const auto at = [word](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(word[i])); };
    const uint32_t h = (static_cast<uint32_t>(word.size()) * 31u + at(0)) * 31u * 31u +
                       at(word.size() / 2) * 31u + at(word.size() - 1);
    return (h ^ (h >> 9)) % kSlots;
  }

  // True when `a` and `b` are the same word: the table's words are short, so
  // they are compared byte by byte here rather than by a call.
  static bool Same(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t k = 0; k < a.size(); ++k) {
      if (a[k] != b[k]) return false;
    }
    return true;
  }

  // Adds `word` unless it is already there (the first table to name it decides).
  void Insert(std::string_view word, RuleFn rule) {
    size_t slot = Hash(word);
    while (slots_[slot].rule != nullptr && slots_[slot].word != word) slot = (slot + 1) % kSlots;
    if (slots_[slot].rule == nullptr) slots_[slot] = {word, rule};
    longest_ = std::max(longest_, word.size());
    starts_[static_cast<unsigned char>(word[0])] = true;
  }

  std::array<Slot, kSlots> slots_{};
  size_t longest_ = 0;  // length of the longest word: longer words need no lookup
  ByteSet starts_{};    // the first bytes of the words: a word that starts otherwise (most names) needs none either
};

RuleFn FindWordRule(std::string_view word) {
  static const WordIndex index;
  return index.Find(word);
}

}  // namespace

std::vector<std::string_view> clsConverter::MainKeywordList() {
  return {kMainKeywords.begin(), kMainKeywords.end()};
}

std::vector<std::string_view> clsConverter::RuleWordList() {
  std::vector<std::string_view> words;
  for (const auto& [word, rule] : kWordRules) words.push_back(word);
  return words;
}

// Adds one or more entries for `word` to Statement(): the first matching rule decides.
void clsConverter::ClassifyWord(std::string_view word) {
  if (word.empty()) return;
  clsVBWord& s = Statement();
  const RuleFn rule = FindWordRule(word);
  // The first word of a statement in an Enum or Type block is a member name;
  // a conditional-compilation directive there (#If VBA7 Then) is not.
  if (inTypeBlock_ && s.SignificantCount() == 0 && rule != Directive) {
    s.AddWord(word, WordKind::Identifier);
  } else if (rule) {
    rule(*this, word);  // a rule word, a main keyword (rule 26) or an operator (rule 27)
  } else if (IsNumberWord(word) || s.LastWord() == "Resume") {
    s.AddWord(word, WordKind::Plain);
  } else {
    MarkName(word);
  }
}

// Adds a possibly qualified name: runs of dots and colons plain, the parts between identifiers.
void clsConverter::MarkName(std::string_view word) {
  if (word.empty()) return;
  clsVBWord& s = Statement();
  if (word.front() == '#') {
    s.AddWord("#", WordKind::Plain);
    word.remove_prefix(1);
    if (word.empty()) return;
  }
  auto isBoundary = [](char ch) { return ch == '.' || ch == ':'; };
  if (std::none_of(word.begin(), word.end(), isBoundary)) {  // most names: one part, which may still be a number
    s.AddWord(word, IsNumberWord(word) ? WordKind::Plain : WordKind::Identifier);
    return;
  }
  for (size_t start = 0; start < word.size();) {
    const bool boundary = isBoundary(word[start]);
    size_t end = start + 1;
    while (end < word.size() && isBoundary(word[end]) == boundary) ++end;
    // A word without dots or colons may still be a number.
    const bool plain = boundary || (end - start == word.size() && IsNumberWord(word));
    s.AddWord(word.substr(start, end - start), plain ? WordKind::Plain : WordKind::Identifier);
    start = end;
  }
}

// True for a numeric literal, with or without a type-declaration character.
bool clsConverter::IsNumberWord(std::string_view text) {
  if (text.empty() || !InSet(kNumberStarts, text[0])) return false;  // most words end here
  if (IsNumericText(text)) return true;
  if (text.size() < 2) return false;
  const char last = text.back();
  if (last != '!' && last != '#' && last != '%' && last != '&' && last != '@') return false;
  return IsNumericText(text.substr(0, text.size() - 1));
}

// The platform's numeric-text test: an optionally signed decimal number with
// optional point and exponent (E or D), or a hexadecimal (&H) or octal (&O)
// literal.
bool clsConverter::IsNumericText(std::string_view text) {
  if (text.empty() || !InSet(kNumberStarts, text[0])) return false;  // most words end here
  auto digits = [&text](auto isDigit) {
    size_t n = 0;
    while (n < text.size() && isDigit(static_cast<unsigned char>(text[n]))) ++n;
    text.remove_prefix(n);
    return n;
  };
  auto isDec = [](unsigned char ch) { return std::isdigit(ch) != 0; };
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
  if (text.size() > 2 && text[0] == '&') {
    const char radix = static_cast<char>(std::toupper(static_cast<unsigned char>(text[1])));
    text.remove_prefix(2);
    if (radix == 'H') return digits([](unsigned char ch) { return std::isxdigit(ch) != 0; }) > 0 && text.empty();
    if (radix == 'O') return digits([](unsigned char ch) { return ch >= '0' && ch <= '7'; }) > 0 && text.empty();
    return false;
  }
  size_t mantissa = digits(isDec);
  if (!text.empty() && text[0] == '.') {
    text.remove_prefix(1);
    mantissa += digits(isDec);
  }
  if (mantissa == 0) return false;
  if (!text.empty() && std::string_view("EeDd").find(text[0]) != std::string_view::npos) {
    text.remove_prefix(1);
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
    if (digits(isDec) == 0) return false;
  }
  return text.empty();
}

}  // namespace qm
