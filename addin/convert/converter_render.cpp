// Rendering: turns a finished statement into HTML and puts a logical line
// into the form of the output mode. Everything is appended in one pass to a
// buffer that the caller reuses.
//
// RenderStatement escapes every entry and puts keyword, comment and
// identifier entries into the class spans "k", "c" and "d" when their colours
// differ from normal text. Neighbouring keyword entries share one span, and so
// do neighbouring identifier entries: entries that touch, and entries with
// exactly one space between them unless that kind has a background of its own
// (the space then keeps the normal background). Continuation marks become a
// visible " _", the end of the physical line and the start of the next; inside
// a comment the span is closed before the break and reopened after it. Then
// marks are written back as "Then".
//
// The markup is written in the forms of a Markup: MarkedForms, the internal
// forms that MarkLine returns (hard-space marks, class spans, a <div> per
// physical line), or OutputForms, the final forms of the job's output mode:
// <div> lines with class spans or inline styles, font tags with <br>, or bare
// lines in <pre>; hard spaces as "&nbsp;", or plain spaces in <pre>. WriteLine
// renders straight into the output forms; WrapLine turns a marked line into
// them. Every option is read from the job here, in one place.
#include <array>
#include <cstring>
#include <string>

#include "addin/convert/converter.h"
#include "addin/convert/escape_table.h"
#include "addin/convert/html_output.h"
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

using Markup = clsConverter::Markup;

// The markup that stands for `c` in escaped text, or empty when `c` is
// written as it is; spaces become hard-space marks.
std::string_view MarkupOf(char c) {
  switch (c) {
    case '&': return "&amp;";
    case '>': return "&gt;";
    case '<': return "&lt;";
    case '"': return "&quot;";
    case ' ':
    case kHardSpace: return kHardSpaceText;
    default: return {};
  }
}

// Writes a tag, giving a span opener at the start of a physical line the
// one space it gets after its <div> ("<div> <span").
void PutTag(HtmlOutput& out, std::string_view tag, const Markup& forms) {
  if (forms.spaceBeforeLineSpan && tag.starts_with("<span") && out.EndsWith(kDivStart)) out.Put(' ');
  out.Put(tag);
}

// How a continuation mark inside an entry is written: in normal text, or
// inside the span of a comment, a keyword or an identifier.
enum class BreakForm { Break, CommentBreak, KeywordBreak, IdentifierBreak };

// The opener of the span a break form stands inside; empty for normal text.
std::string_view SpanOpenerOf(BreakForm form, const Markup& forms) {
  switch (form) {
    case BreakForm::CommentBreak: return forms.commentOpen;
    case BreakForm::KeywordBreak: return forms.keywordOpen;
    case BreakForm::IdentifierBreak: return forms.identifierOpen;
    default: return {};
  }
}

// Writes the rendered continuation: a visible " _", the end of the physical
// line and the start of the next. A span is closed before it and reopened
// after it, so that it never crosses the line break. (A keyword or an
// identifier holds a continuation only when a label cut across one is
// promoted; the mark must not reach the page as it is.)
void PutBreak(HtmlOutput& out, BreakForm form, const Markup& forms) {
  const std::string_view span = SpanOpenerOf(form, forms);
  if (!span.empty()) out.Put(forms.spanEnd);
  out.Put(forms.hardSpace);
  out.Put('_');
  out.Put(forms.divEnd);
  out.Put("\r\n");
  out.Put(forms.divStart);
  if (!span.empty()) PutTag(out, span, forms);
}

// Writes `text` through `table` up to its first continuation mark; returns
// the position of that mark, or the size of `text` when there is none.
size_t PutThroughTable(HtmlOutput& out, std::string_view text, const EscapeTable& table) {
  char* const start = out.Room(text.size() * kLongestEscape + sizeof(EscapeForm));
  char* p = start;
  size_t i = 0;
  for (; i < text.size(); ++i) {
    const EscapeForm& form = table[text[i]];
    if (form.length == 0) break;
    std::memcpy(p, &form, sizeof form);  // the whole entry; the bytes past its length are overwritten next
    p += form.length;
  }
  out.Advance(static_cast<size_t>(p - start));
  return i;
}

// Writes `text` escaped: spaces as hard spaces, continuation marks in
// `breakForm`, Then marks as "Then".
void PutEscaped(HtmlOutput& out, std::string_view text, BreakForm breakForm, const Markup& forms) {
  for (size_t i = 0; i < text.size(); ++i) {
    i += PutThroughTable(out, text.substr(i), *forms.escapes);
    if (i == text.size()) break;
    PutBreak(out, breakForm, forms);
  }
}

// How an entry is drawn: in normal text or in one of the three class spans.
enum class Paint { Normal, Keyword, Comment, Identifier };

Paint PaintOf(WordKind kind, const Markup& forms) {
  switch (kind) {
    case WordKind::Keyword: return forms.keywordSpans ? Paint::Keyword : Paint::Normal;
    case WordKind::Comment: return forms.commentSpans ? Paint::Comment : Paint::Normal;
    case WordKind::Identifier: return forms.identifierSpans ? Paint::Identifier : Paint::Normal;
    default: return Paint::Normal;
  }
}

// The paint of every word kind in `forms`, indexed by the kind's value.
std::array<Paint, 5> PaintsOf(const Markup& forms) {
  std::array<Paint, 5> paints{};
  for (size_t k = 0; k < paints.size(); ++k) paints[k] = PaintOf(static_cast<WordKind>(k), forms);
  return paints;
}

// Writes the entries of one statement, keeping the span of a keyword or an
// identifier open while the next entries may still join it: an entry of the
// same paint that touches it, or one that follows after exactly one space
// when that paint has no background of its own. Such a space is held back
// until it is known whether it falls inside the span or after its close.
//
// Entries are mostly views of one source line, one after the other, so the
// text between two tags is usually one stretch of that line: it is collected
// as one run and escaped in one go when a tag (or the end) comes. Everything
// is written through an HtmlOutput, finished when the statement is.
class SpanWriter {
 public:
  SpanWriter(std::string& html, const Markup& forms) : html_(html), forms_(forms) {}

  void Entry(std::string_view word, Paint paint) {
    if (open_ != Paint::Normal) {
      if (paint == open_) {
        WriteHeldSpace(SpanBreak());
        Text(word, SpanBreak());
        return;
      }
      if (heldSpace_.empty() && paint == Paint::Normal && MayBridge(word)) {
        heldSpace_ = word;
        return;
      }
      Close();
    }
    if (paint == Paint::Normal) {
      Text(word, BreakForm::Break);
    } else if (paint == Paint::Comment) {
      Tag(forms_.commentOpen);
      PutEscaped(html_, word, BreakForm::CommentBreak, forms_);
      html_.Put(forms_.spanEnd);
    } else {
      Tag(paint == Paint::Keyword ? forms_.keywordOpen : forms_.identifierOpen);
      open_ = paint;
      Text(word, SpanBreak());
    }
  }

  // Writes everything still held: the open span is closed, and a held space
  // and the text collected so far are written.
  void Finish() {
    Close();
    Flush();
    html_.Finish();
  }

 private:
  // Closes the open span, if any, and adds a held space after it to the run,
  // where the normal text that follows may join it.
  void Close() {
    if (open_ != Paint::Normal) {
      Flush();
      html_.Put(forms_.spanEnd);
    }
    open_ = Paint::Normal;
    WriteHeldSpace(BreakForm::Break);
  }

  // The break form inside the open keyword or identifier span.
  BreakForm SpanBreak() const {
    return open_ == Paint::Keyword ? BreakForm::KeywordBreak : BreakForm::IdentifierBreak;
  }
  // True when `word` is drawn as one hard space that the open span may stretch over.
  bool MayBridge(std::string_view word) const {
    const bool backDiffers = open_ == Paint::Keyword ? forms_.keywordBack : forms_.identifierBack;
    return !backDiffers && word.size() == 1 && (word[0] == ' ' || word[0] == kHardSpace);
  }
  void WriteHeldSpace(BreakForm form) {
    if (!heldSpace_.empty()) Text(heldSpace_, form);
    heldSpace_ = {};
  }
  // Adds `word`, to be escaped in `form`, to the run; a word that does not
  // continue the run where it ends in memory, or wants another form, starts
  // a new one.
  void Text(std::string_view word, BreakForm form) {
    if (run_.data() + run_.size() == word.data() && form == runForm_ && !run_.empty()) {
      run_ = std::string_view(run_.data(), run_.size() + word.size());
      return;
    }
    Flush();
    run_ = word;
    runForm_ = form;
  }
  void Flush() {
    if (!run_.empty()) PutEscaped(html_, run_, runForm_, forms_);
    run_ = {};
  }
  void Tag(std::string_view tag) {
    Flush();
    PutTag(html_, tag, forms_);
  }

  HtmlOutput html_;
  const Markup& forms_;
  Paint open_ = Paint::Normal;  // Keyword or Identifier while a span is open
  std::string_view heldSpace_;  // a one-space entry after the open span, not yet written
  std::string_view run_;        // text collected but not yet escaped
  BreakForm runForm_ = BreakForm::Break;
};

// The internal tags of a marked line, and the form each takes in `forms`.
enum Tag { KeywordTag, CommentTag, IdentifierTag, SpanEndTag, DivStartTag, DivEndTag, kTagCount };

constexpr std::array<std::string_view, kTagCount> kTagTexts = {kKeywordSpan, kCommentSpan, kIdentifierSpan,
                                                               kSpanEnd,     kDivStart,    kDivEnd};

std::string_view FormOf(int tag, const Markup& forms) {
  const std::array<std::string_view, kTagCount> tagForms = {forms.keywordOpen, forms.commentOpen,
                                                            forms.identifierOpen, forms.spanEnd,
                                                            forms.divStart, forms.divEnd};
  return tagForms[tag];
}

// The internal tag at the start of `text`, or kTagCount when there is none.
int TagAt(std::string_view text) {
  for (int t = 0; t < kTagCount; ++t) {
    if (text.starts_with(kTagTexts[t])) return t;
  }
  return kTagCount;
}

// Appends `marked` (in the marked forms) with every tag and hard space in `forms`.
void AppendInForms(std::string& line, std::string_view marked, const Markup& forms) {
  HtmlOutput out(line);
  size_t i = 0;
  while (i < marked.size()) {
    size_t stop = i;
    while (stop < marked.size() && marked[stop] != '<' && marked[stop] != kHardSpace) ++stop;
    if (stop > i) out.Put(marked.substr(i, stop - i));
    if (stop == marked.size()) break;
    const int tag = marked[stop] == '<' ? TagAt(marked.substr(stop)) : kTagCount;
    if (tag != kTagCount) {
      PutTag(out, FormOf(tag, forms), forms);
      i = stop + kTagTexts[tag].size();
    } else {
      out.Put(marked[stop] == kHardSpace ? forms.hardSpace : "<");
      i = stop + 1;
    }
  }
  out.Finish();
}

// Which kinds get a span: those whose colours differ from normal text.
void SetSpanKinds(clsConverter::Markup& forms, const clsVBCode& job) {
  forms.keywordSpans = job.KeywordDiffers();
  forms.commentSpans = job.CommentDiffers();
  forms.identifierSpans = job.IdentifierDiffers();
  forms.keywordBack = job.KeywordBackDiffers();
  forms.identifierBack = job.IdentifierBackDiffers();
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

clsConverter::Markup clsConverter::MarkedForms() const {
  Markup forms;
  SetSpanKinds(forms, Job());
  forms.hardSpace = kHardSpaceText;
  forms.escapes = &kMarkedEscapes;
  forms.keywordOpen = kKeywordSpan;
  forms.commentOpen = kCommentSpan;
  forms.identifierOpen = kIdentifierSpan;
  forms.spanEnd = kSpanEnd;
  forms.divStart = kDivStart;
  forms.divEnd = kDivEnd;
  return forms;
}

// The final forms of the job's output mode: class spans in head and file
// style, the prepared openers in inline style and font mode; a <div> per
// physical line with a style sheet, a <br> after it in font mode, neither in
// <pre>, where hard spaces are plain spaces.
clsConverter::Markup clsConverter::OutputForms() const {
  const clsVBCode& job = Job();
  const bool style = job.UseStyleSheet();
  const bool pre = job.UsePreTag();
  const bool classes = style && job.CssOption() != 1;
  Markup forms;
  SetSpanKinds(forms, job);
  forms.hardSpace = pre ? " " : "&nbsp;";
  forms.escapes = pre ? &kPreEscapes : &kEntityEscapes;
  forms.keywordOpen = classes ? kKeywordSpan : std::string_view(keywordOpen_);
  forms.commentOpen = classes ? kCommentSpan : std::string_view(commentOpen_);
  forms.identifierOpen = classes ? kIdentifierSpan : std::string_view(identifierOpen_);
  forms.spanEnd = style ? kSpanEnd : "</font>";
  forms.divStart = style && !pre ? kDivStart : "";
  forms.divEnd = pre ? "" : style ? kDivEnd : "<br>";
  forms.spaceBeforeLineSpan = style && !pre;
  return forms;
}

std::string clsConverter::RenderStatement() {
  std::string html;
  RenderStatement(html, MarkedForms());
  return html;
}

// Appends the HTML text of Statement(): coloured entries in their spans.
void clsConverter::RenderStatement(std::string& html, const Markup& forms) {
  const clsVBWord& s = Statement();
  if (statementObserver_) statementObserver_(s);
  SpanWriter writer(html, forms);
  const std::array<Paint, 5> paints = PaintsOf(forms);
  for (int i = 1; i <= s.Count(); ++i) writer.Entry(s.WordAt(i), paints[static_cast<size_t>(s.KindAt(i))]);
  writer.Finish();
}

std::string clsConverter::WrapLine(const std::string& marked, bool emptyLine) {
  std::string line;
  WrapLine(marked, emptyLine, line);
  return line;
}

// Puts into `line` the text written for one logical line in the job's output
// mode; `marked` is MarkLine's result, ignored for an empty line.
void clsConverter::WrapLine(std::string_view marked, bool emptyLine, std::string& line) {
  OpenLine(line);
  if (emptyLine) {
    line.append(EmptyLineForm());
    return;
  }
  const Markup forms = OutputForms();
  line.append(forms.divStart);
  AppendInForms(line, marked, forms);
  line.append(forms.divEnd);
}

void clsConverter::OpenLine(std::string& line) {
  line.clear();
  if (Job().UsePreTag()) line.swap(pendingPrefix_);  // the held-back font opener, written once
}

std::string_view clsConverter::EmptyLineForm() const {
  const clsVBCode& job = Job();
  if (job.UsePreTag()) return "";
  return job.UseStyleSheet() ? "<div>&nbsp;</div>" : "<br>";
}

}  // namespace qm
