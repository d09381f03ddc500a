// Rendering: turns a finished statement into HTML and a marked logical line
// into the text written for the output mode. Both are single passes that
// append to a buffer the caller reuses.
//
// RenderStatement escapes every entry and puts keyword, comment and
// identifier entries into the class spans "k", "c" and "d" when their colours
// differ from normal text. Neighbouring keyword entries share one span, and so
// do neighbouring identifier entries: entries that touch, and entries with
// exactly one space between them unless that kind has a background of its own
// (the space then keeps the normal background). Whether an entry opens or
// closes a span is decided by looking at its two neighbours on each side.
// Continuation marks become a visible " _", the end of the physical line's
// <div> and a line break; inside a comment the span is closed before the break
// and reopened after it. Then marks are written back as "Then".
//
// WrapLine then copies the marked line once, putting it into its <div>, or
// its font tags and <br>, or bare into <pre>: each internal tag is replaced
// by its form for the output mode (LineForms) and each hard space becomes
// "&nbsp;" or a plain space. Every option is read from the job here, in one
// place.
#include <array>
#include <string>

#include "addin/convert/converter.h"
#include "addin/job/vb_code.h"

namespace qm {

namespace {

constexpr std::string_view kKeywordSpan = "<span class=\"k\">";
constexpr std::string_view kCommentSpan = "<span class=\"c\">";
constexpr std::string_view kIdentifierSpan = "<span class=\"d\">";
constexpr std::string_view kSpanEnd = "</span>";
constexpr std::string_view kDivStart = "<div>";
constexpr std::string_view kDivEnd = "</div>";
constexpr std::string_view kHardSpaceText{&kHardSpace, 1};
constexpr std::string_view kContinuationText{&kContinuationMark, 1};

// The rendered continuation: a visible " _", the end of the physical line, a
// line break and the next physical line's start; inside a comment the span is
// closed before it and reopened after it.
constexpr std::string_view kBreakHtml = "\x0B_</div>\r\n<div>";
constexpr std::string_view kCommentBreakHtml = "</span>\x0B_</div>\r\n<div><span class=\"c\">";

// The markup that stands for `c`, or empty when `c` is written as it is.
std::string_view MarkupOf(char c) {
  switch (c) {
    case '&': return "&amp;";
    case '>': return "&gt;";
    case '<': return "&lt;";
    case '"': return "&quot;";
    case ' ': return kHardSpaceText;
    default: return {};
  }
}

// Appends `text` escaped, each continuation mark as `breakHtml` and each Then
// mark as "Then".
void AppendEscaped(std::string& out, std::string_view text, std::string_view breakHtml) {
  size_t copied = 0;  // text before this position is already in `out`
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const std::string_view markup = c == kContinuationMark ? breakHtml : c == kThenMark ? "Then" : MarkupOf(c);
    if (markup.empty()) continue;
    out.append(text.substr(copied, i - copied)).append(markup);
    copied = i + 1;
  }
  out.append(text.substr(copied));
}

// How an entry is drawn: in normal text or in one of the three class spans.
enum class Paint { Normal, Keyword, Comment, Identifier };

// The job's colour decisions that rendering depends on.
struct Colours {
  bool keyword, comment, identifier;  // the kind's colours differ from normal text
  bool keywordBack, identifierBack;   // the kind's background differs from normal
};

Colours ColoursOf(const clsVBCode& job) {
  return {job.KeywordDiffers(), job.CommentDiffers(), job.IdentifierDiffers(), job.KeywordBackDiffers(),
          job.IdentifierBackDiffers()};
}

Paint PaintOf(WordKind kind, const Colours& colours) {
  switch (kind) {
    case WordKind::Keyword: return colours.keyword ? Paint::Keyword : Paint::Normal;
    case WordKind::Comment: return colours.comment ? Paint::Comment : Paint::Normal;
    case WordKind::Identifier: return colours.identifier ? Paint::Identifier : Paint::Normal;
    default: return Paint::Normal;
  }
}

// Writes the entries of one statement, keeping the span of a keyword or an
// identifier open while the next entries may still join it: an entry of the
// same paint that touches it, or one that follows after exactly one space
// when that paint has no background of its own. Such a space is held back
// until it is known whether it falls inside the span or after its close.
class SpanWriter {
 public:
  SpanWriter(std::string& html, const Colours& colours) : html_(html), colours_(colours) {}

  void Entry(std::string_view word, Paint paint) {
    if (open_ != Paint::Normal) {
      if (paint == open_) {
        WriteHeldSpace();
        AppendEscaped(html_, word, kContinuationText);
        return;
      }
      if (!heldSpace_ && paint == Paint::Normal && MayBridge(word)) {
        heldSpace_ = true;
        return;
      }
      Close();
    }
    if (paint == Paint::Normal) {
      AppendEscaped(html_, word, kBreakHtml);
    } else if (paint == Paint::Comment) {
      html_.append(kCommentSpan);
      AppendEscaped(html_, word, kCommentBreakHtml);
      html_.append(kSpanEnd);
    } else {
      html_.append(paint == Paint::Keyword ? kKeywordSpan : kIdentifierSpan);
      AppendEscaped(html_, word, kContinuationText);
      open_ = paint;
    }
  }

  // Closes the open span, if any, and writes a held space after it.
  void Close() {
    if (open_ != Paint::Normal) html_.append(kSpanEnd);
    open_ = Paint::Normal;
    WriteHeldSpace();
  }

 private:
  // True when `word` is drawn as one hard space that the open span may stretch over.
  bool MayBridge(std::string_view word) const {
    const bool backDiffers = open_ == Paint::Keyword ? colours_.keywordBack : colours_.identifierBack;
    return !backDiffers && word.size() == 1 && (word[0] == ' ' || word[0] == kHardSpace);
  }
  void WriteHeldSpace() {
    if (heldSpace_) html_ += kHardSpace;
    heldSpace_ = false;
  }

  std::string& html_;
  const Colours& colours_;
  Paint open_ = Paint::Normal;  // Keyword or Identifier while a span is open
  bool heldSpace_ = false;      // a one-space entry after the open span, not yet written
};

// What each internal tag of a marked line becomes in one output mode.
enum Tag { KeywordTag, CommentTag, IdentifierTag, SpanEndTag, DivStartTag, DivEndTag, kTagCount };

constexpr std::array<std::string_view, kTagCount> kTagTexts = {kKeywordSpan, kCommentSpan, kIdentifierSpan,
                                                               kSpanEnd,     kDivStart,    kDivEnd};

struct LineForms {
  std::string_view start, end;                // written around the line
  std::array<std::string_view, kTagCount> tags;  // each internal tag's replacement
  std::string_view hardSpace;                 // "&nbsp;", or a space in <pre>
  bool spaceBeforeSpan;                       // a physical line that begins with a span gets one space
};

// The internal tag at the start of `text`, or kTagCount when there is none.
int TagAt(std::string_view text) {
  for (int t = 0; t < kTagCount; ++t) {
    if (text.starts_with(kTagTexts[t])) return t;
  }
  return kTagCount;
}

// Copies `marked` into `out` with every tag and hard space in its final form.
void AppendWrapped(std::string& out, std::string_view marked, const LineForms& forms) {
  bool afterDiv = forms.spaceBeforeSpan;  // just after a <div> (the line's own counts)
  size_t i = 0;
  while (i < marked.size()) {
    size_t stop = i;
    while (stop < marked.size() && marked[stop] != '<' && marked[stop] != kHardSpace) ++stop;
    if (stop > i) {
      out.append(marked.substr(i, stop - i));
      afterDiv = false;
      i = stop;
      continue;
    }
    const int tag = marked[i] == '<' ? TagAt(marked.substr(i)) : kTagCount;
    if (tag == kTagCount) {
      out.append(marked[i] == kHardSpace ? forms.hardSpace : "<");
      afterDiv = false;
      ++i;
      continue;
    }
    const std::string_view form = forms.tags[tag];
    if (afterDiv && form.starts_with("<span")) out += ' ';
    out.append(form);
    afterDiv = forms.spaceBeforeSpan && tag == DivStartTag;
    i += kTagTexts[tag].size();
  }
}

}  // namespace

// `text` escaped for HTML, every space a hard space.
std::string clsConverter::EscapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    const std::string_view markup = MarkupOf(c);
    if (markup.empty()) out += c; else out.append(markup);
  }
  return out;
}

std::string clsConverter::RenderStatement() {
  std::string html;
  RenderStatement(html);
  return html;
}

// Appends the HTML text of Statement(): coloured entries in their spans.
void clsConverter::RenderStatement(std::string& html) {
  const clsVBWord& s = Statement();
  if (statementObserver_) statementObserver_(s);
  const Colours colours = ColoursOf(Job());
  SpanWriter writer(html, colours);
  for (int i = 1; i <= s.Count(); ++i) writer.Entry(s.WordAt(i), PaintOf(s.KindAt(i), colours));
  writer.Close();
}

std::string clsConverter::WrapLine(const std::string& marked, bool emptyLine) {
  std::string line;
  WrapLine(marked, emptyLine, line);
  return line;
}

// Puts into `line` the text written for one logical line in the job's output
// mode; `marked` is MarkLine's result, ignored for an empty line.
void clsConverter::WrapLine(std::string_view marked, bool emptyLine, std::string& line) {
  const clsVBCode& job = Job();
  const bool pre = job.UsePreTag();
  line.clear();
  if (pre) {
    line.swap(pendingPrefix_);  // the held-back font opener, written once
  }
  if (emptyLine) {
    if (!pre) line.append(job.UseStyleSheet() ? "<div>&nbsp;</div>" : "<br>");
    return;
  }
  const bool style = job.UseStyleSheet();
  const bool inlineStyle = style && job.CssOption() == 1;
  LineForms forms;
  forms.start = style && !pre ? kDivStart : "";
  forms.end = pre ? "" : style ? kDivEnd : "<br>";
  forms.tags[KeywordTag] = style && !inlineStyle ? kKeywordSpan : keywordOpen_;
  forms.tags[CommentTag] = style && !inlineStyle ? kCommentSpan : commentOpen_;
  forms.tags[IdentifierTag] = style && !inlineStyle ? kIdentifierSpan : identifierOpen_;
  forms.tags[SpanEndTag] = style ? kSpanEnd : "</font>";
  forms.tags[DivStartTag] = style && !pre ? kDivStart : "";
  forms.tags[DivEndTag] = pre ? "" : style ? kDivEnd : "<br>";
  forms.hardSpace = pre ? " " : "&nbsp;";
  forms.spaceBeforeSpan = style && !pre;
  line.append(forms.start);
  AppendWrapped(line, marked, forms);
  line.append(forms.end);
}

}  // namespace qm
