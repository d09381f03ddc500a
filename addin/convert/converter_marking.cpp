// Line marking: turns one stored logical line into HTML text. The indentation
// comes off first and whole-line comments are taken as they are. Otherwise the
// line is walked once, from one event to the next: quote runs, apostrophes and
// split points (a colon or the Then mark followed by a space, a continuation
// or the line's end). String literals and a trailing comment go straight into
// the word list, the code between them is cut into words and separators by
// MarkCode, and each split point ends a statement, which is rendered (in the
// forms the caller asks for) before the word list is reset, so that keyword
// context never reaches across a colon or a Then. A line without events is
// one piece of code.
//
// Text is UTF-8. Every character the marking looks at is ASCII, so the scan
// works on bytes; the one non-ASCII separator, the ideographic space, is
// matched as its three-byte sequence, and AddGap steps over whole characters.
#include <algorithm>
#include <array>

#include "addin/convert/byte_set.h"
#include "addin/convert/converter.h"
#include "addin/job/vb_code.h"

namespace qm {

namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";  // U+3000

// Keywords that stand before " = " without being assigned to: type names in
// Const declarations and optional parameters, the record length of an Open
// statement, and the "Is" of "Case Is = 1".
constexpr std::array<std::string_view, 13> kNotAssignmentTargets = {
    "Boolean", "Byte", "Currency", "Date", "Double", "Integer", "Long",
    "Object", "Single", "String", "Variant", "Len", "Is"};

// Length in bytes of the UTF-8 character at `pos`.
size_t CharLength(std::string_view text, size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  const size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  return std::min(n, text.size() - pos);
}

// The bytes that may start a separator of a code segment: the separators,
// the first byte of the ideographic space, and "=", which separates only
// after a colon.
constexpr ByteSet kSeparatorBytes = MakeByteSet(" \x1A(),:;-=\xE3");

// Length in bytes of the separator that starts at `i` with a byte of
// kSeparatorBytes, 0 when none does. In ":=" only the "=" separates; the
// colon stays with the name before it.
size_t SeparatorFrom(std::string_view text, size_t i) {
  switch (text[i]) {
    case ':': return i + 1 < text.size() && text[i + 1] == '=' ? 0 : 1;
    case '=': return i > 0 && text[i - 1] == ':' ? 1 : 0;
    case kIdeographicSpace[0]: return text.substr(i, 3) == kIdeographicSpace ? 3 : 0;
    default: return 1;
  }
}

// Length in bytes of the separator that starts at `i`, 0 when none does.
inline size_t SeparatorAt(std::string_view text, size_t i) {
  const char c = text[i];
  if (c == ' ') return 1;  // by far the most frequent
  return InSet(kSeparatorBytes, c) ? SeparatorFrom(text, i) : 0;
}

// The end of the run of word characters that starts at `i`.
size_t WordEnd(std::string_view text, size_t i) {
  for (;; ++i) {
    while (i < text.size() && !InSet(kSeparatorBytes, text[i])) ++i;
    if (i == text.size() || text[i] == ' ' || SeparatorFrom(text, i) > 0) return i;
  }
}

// The end of the run of separators that starts at `i`.
size_t GapEnd(std::string_view text, size_t i) {
  for (size_t n; i < text.size() && (n = SeparatorAt(text, i)) > 0;) i += n;
  return i;
}

// True when the word that ends at `end` is followed by " = ": a separator,
// the "=" and another separator.
bool AssignedAt(std::string_view text, size_t end) {
  return end + 3 <= text.size() && text[end + 1] == '=' && SeparatorAt(text, end + 2) > 0;
}

// Appends `count` copies of `unit`, doubling what is already written.
void AppendRepeated(std::string& out, std::string_view unit, size_t count) {
  if (count == 0) return;
  const size_t start = out.size();
  const size_t total = unit.size() * count;
  out.append(unit);
  for (size_t done = unit.size(); done < total; done *= 2) {
    out.append(out, start, std::min(done, total - done));  // copies of the copies made so far
  }
}

// A line that is a comment as a whole: an apostrophe, or Rem as its first word.
bool IsWholeLineComment(std::string_view body) {
  if (body.starts_with('\'')) return true;
  const std::string_view first4 = body.substr(0, 4);
  return first4 == "Rem" || first4 == "Rem " || first4 == "Rem'";
}

// True for the characters that read as a space when looking for a Rem
// comment: the space, the ideographic space (its first byte) and a
// continuation; sets `length` to the character's length in bytes.
bool ReadsAsSpace(std::string_view text, size_t pos, size_t& length) {
  length = text[pos] == kIdeographicSpace[0] && text.substr(pos, 3) == kIdeographicSpace ? 3 : 1;
  return length == 3 || text[pos] == ' ' || text[pos] == kContinuationMark;
}

// True when a Rem comment follows the split character at `p`: after one or
// more spaces (or continuations) comes "Rem", followed by nothing but spaces,
// by a space and more, or by an apostrophe.
bool RemFollows(std::string_view body, size_t p) {
  size_t at = p + 1;
  size_t length = 0;
  while (at < body.size() && ReadsAsSpace(body, at, length)) at += length;
  if (at == p + 1 || body.substr(at, 3) != "Rem") return false;
  at += 3;
  return at == body.size() || body[at] == '\'' || ReadsAsSpace(body, at, length);
}

// An event of the statement walk. Continuation marks need no event: the
// walk would pass over them.
struct LineEvent {
  enum Kind { QuoteRun, Apostrophe, Split } kind;
  size_t pos;        // 0-based byte position in the body
  size_t count = 0;  // quote runs: the number of quotes
};

// The characters that start an event, the quote first: inside a string
// only the quote is looked for.
constexpr std::array<char, 4> kEventChars = {'"', '\'', ':', kThenMark};

// The first event of `body` at or after `at` (only quote runs when
// `quotesOnly`, inside a string), in `e`; false when there is none. `at`
// moves past the event.
bool NextEvent(std::string_view body, CharFinder<4>& finder, size_t& at, LineEvent& e, bool quotesOnly) {
  for (size_t i; (i = finder.Next(at, quotesOnly ? 1 : 4)) != std::string_view::npos; at = i + 1) {
    if (body[i] == '"') {
      const size_t end = std::min(body.find_first_not_of('"', i), body.size());
      e = {LineEvent::QuoteRun, i, end - i};
    } else if (body[i] == '\'') {
      e = {LineEvent::Apostrophe, i};
    } else if (i + 1 == body.size() || body[i + 1] == ' ' || body[i + 1] == kContinuationMark) {
      e = {LineEvent::Split, i};  // a colon or a Then mark followed by a space, a continuation or the end
    } else {
      continue;
    }
    at = e.pos + std::max<size_t>(e.count, 1);
    return true;
  }
  at = body.size();
  return false;
}

}  // namespace

std::string clsConverter::MarkLine(int index) {
  std::string html;
  MarkLine(index, html, MarkedForms());
  return html;
}

// Appends the HTML text of logical line `index`, statements rendered in `forms`.
void clsConverter::MarkLine(int index, std::string& html, const Markup& forms) {
  const std::string_view line = Job().LogicalLineText(index);
  const size_t indent = std::min(line.find_first_not_of(' '), line.size());
  const std::string_view body = line.substr(indent);
  AppendRepeated(html, forms.hardSpace, indent);
  Statement().Reset();
  if (IsWholeLineComment(body)) {
    Statement().AddWord(body, WordKind::Comment);
  } else {
    MarkStatements(body, html, forms);  // a body without strings, comments or splits is one MarkCode
  }
  RenderStatement(html, forms);
  Statement().Reset();
}

// Walks the events of `body`: strings, a trailing comment and split points.
// Appends the rendered statements that ended at a split; the last statement
// stays in Statement() for the caller to render.
void clsConverter::MarkStatements(std::string_view body, std::string& html, const Markup& forms) {
  bool inString = false;
  size_t start = 0;  // the first byte not yet handed on
  LineEvent e{};
  CharFinder<4> finder(body, kEventChars);
  for (size_t at = 0; NextEvent(body, finder, at, e, inString);) {
    const size_t p = e.pos;
    if (e.kind == LineEvent::QuoteRun) {
      const size_t k = e.count;
      if (k % 2 == 1 && inString) {
        Statement().AddWord(body.substr(start, p + k - start), WordKind::StringLiteral);
        start = p + k;
        inString = false;
      } else if (k % 2 == 1) {
        MarkCode(body.substr(start, p - start));
        start = p;
        inString = true;
      } else if (!inString) {  // a literal made only of quotes, such as ""
        MarkCode(body.substr(start, p - start));
        Statement().AddWord(body.substr(p, k), WordKind::Plain);
        start = p + k;
      }
    } else if (e.kind == LineEvent::Apostrophe) {
      MarkCode(body.substr(start, p - start));
      Statement().AddWord(body.substr(p), WordKind::Comment);
      return;
    } else if (RemFollows(body, p)) {
      MarkCode(body.substr(start, p + 2 - start));
      const std::string_view rest = body.substr(p + 2);
      const size_t r = std::min(rest.find("Rem"), rest.size());
      Statement().AddWord(rest.substr(0, r), WordKind::Plain);
      Statement().AddWord(rest.substr(r), WordKind::Comment);
      return;
    } else {
      MarkCode(body.substr(start, p + 1 - start));
      start = p + 1;
      RenderStatement(html, forms);
      Statement().Reset();
    }
  }
  if (start < body.size()) MarkCode(body.substr(start));
}

// Adds the words and separators of a code segment (no strings, no comments).
void clsConverter::MarkCode(std::string_view text) {
  if (text.empty()) return;
  const size_t firstEnd = WordEnd(text, 0);  // of the first word; 0 when a separator comes first
  if (firstEnd == text.size()) {
    ClassifyWord(text);
    return;
  }
  if (firstEnd == 0 && GapEnd(text, 0) == text.size()) {
    // Separators only (the ")" after a string literal): the same gap handling
    // as anywhere else, so that parentheses stay paired.
    AddGap(text);
    return;
  }
  clsVBWord& s = Statement();
  for (size_t i = MarkLineStart(text), end; i < text.size(); i = end) {
    if (text[i] == ' ' && (i + 1 == text.size() || SeparatorAt(text, i + 1) == 0)) {
      s.AddSpaces(text.substr(i, 1));  // the usual one-space gap, as AddGap adds it
      s.KeywordParen(false);
      end = i + 1;
      continue;
    }
    const bool gap = SeparatorAt(text, i) > 0;
    end = gap ? GapEnd(text, i) : i == 0 ? firstEnd : WordEnd(text, i);
    const std::string_view piece = text.substr(i, end - i);
    if (gap) {
      AddGap(piece);
    } else if (AssignedAt(text, end) &&
               std::find(kNotAssignmentTargets.begin(), kNotAssignmentTargets.end(), piece) ==
                   kNotAssignmentTargets.end()) {
      s.AddWord(piece, WordKind::Identifier);  // assignment target or compared value
    } else {
      ClassifyWord(piece);
    }
  }
}

// Takes a line number or label off the front of a code segment (and a label
// after a line number), adding them as plain entries; returns the number of
// bytes taken.
size_t clsConverter::MarkLineStart(std::string_view text) {
  const std::string_view head = text.substr(0, text.find(' '));
  if (head.empty()) return 0;
  const bool numeric = IsNumericText(head);
  if (!numeric && head.back() != ':') return 0;
  Statement().AddWord(head, WordKind::Plain);
  if (head.size() == text.size() || !numeric) return head.size();
  const std::string_view rest = text.substr(head.size());
  const size_t q = rest.find(':');
  if (q == std::string_view::npos) return head.size();
  if (std::count(rest.begin(), rest.begin() + q + 1, ' ') != 1) return head.size();
  Statement().AddWord(rest.substr(0, q + 1), WordKind::Plain);
  return head.size() + q + 1;
}

// Adds one entry per character of a run of separators; parentheses go on and
// off the parenthesis stack and take the keyword kind of a keyword function.
void clsConverter::AddGap(std::string_view text) {
  clsVBWord& s = Statement();
  if (text == " ") {  // the usual gap between two words
    s.AddSpaces(text);
    s.KeywordParen(false);
    return;
  }
  for (size_t i = 0; i < text.size();) {
    const size_t n = CharLength(text, i);
    const std::string_view c = text.substr(i, n);
    i += n;
    if (c == "(") {
      s.ParenStack().push_back(s.KeywordParen());
      s.AddWord(c, s.KeywordParen() ? WordKind::Keyword : WordKind::Plain);
    } else if (c == ")") {
      // A ")" with nothing open (a statement cut inside parentheses by a name
      // ending in "Then") is plain text rather than a failure of the line.
      const bool keyword = !s.ParenStack().empty() && s.ParenStack().back();
      if (!s.ParenStack().empty()) s.ParenStack().pop_back();
      s.AddWord(c, keyword ? WordKind::Keyword : WordKind::Plain);
    } else if (c == " ") {
      s.AddSpaces(c);
    } else {
      s.AddWord(c, WordKind::Plain);
      if (c[0] == kContinuationMark) continue;
    }
    s.KeywordParen(false);
  }
}

// Ideographic spaces to spaces, runs of spaces to one, no leading or trailing spaces.
std::string clsConverter::NormalizeSpaces(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (text.substr(i, 3) == kIdeographicSpace) {
      c = ' ';
      i += 2;
    }
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += c;
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

}  // namespace qm
