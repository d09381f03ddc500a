// Rendering: turns a finished statement into HTML and a marked logical line
// into the text written for the output mode. RenderStatement escapes every
// entry and wraps keyword and identifier entries in internal markers whose
// neighbours are then merged (two keywords with one space between share a
// span unless the keyword background differs) before the markers become the
// class spans "k" and "d"; comments get their "c" span at once. Continuation
// marks become a visible " _", the end of the physical line's <div> and a line
// break. WrapLine then puts the line into its <div>, or its font tags and
// <br>, or bare into <pre>, and settles the hard spaces. Every option is read
// from the job here, in one place.
#include <string>

#include "addin/convert/converter.h"
#include "addin/job/vb_code.h"

namespace qm {

namespace {

constexpr std::string_view kKeywordStart = "<keyword>";
constexpr std::string_view kKeywordEnd = "</keyword>";
constexpr std::string_view kIdentifierStart = "<discern>";
constexpr std::string_view kIdentifierEnd = "</discern>";
constexpr std::string_view kKeywordSpan = "<span class=\"k\">";
constexpr std::string_view kCommentSpan = "<span class=\"c\">";
constexpr std::string_view kIdentifierSpan = "<span class=\"d\">";
constexpr std::string_view kSpanEnd = "</span>";

// Every `from` in `text` replaced by `to`, left to right.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(text.size());
  size_t at = 0;
  for (size_t hit; (hit = text.find(from, at)) != std::string::npos; at = hit + from.size()) {
    out.append(text, at, hit - at);
    out += to;
  }
  out.append(text, at, std::string::npos);
  text = std::move(out);
}

// The rendered continuation: a visible " _", the end of the physical line, a
// line break and the next physical line's start.
std::string ContinuationHtml() {
  return std::string(1, kHardSpace) + "_</div>\r\n<div>";
}

// `escaped` with each continuation mark rendered; `close` and `reopen` wrap
// the break so that a span never crosses it.
std::string RenderBreaks(std::string escaped, std::string_view close, std::string_view reopen) {
  ReplaceAll(escaped, std::string_view(&kContinuationMark, 1),
             std::string(close) + ContinuationHtml() + std::string(reopen));
  return escaped;
}

// Merges neighbouring marker pairs and turns the markers into spans: entries
// with one space between share a span unless their background differs, and
// touching entries always do.
void MergeSpans(std::string& html, std::string_view start, std::string_view end,
                std::string_view span, bool backDiffers) {
  const std::string endStart = std::string(end) + std::string(start);
  if (!backDiffers) {
    ReplaceAll(html, std::string(end) + kHardSpace + std::string(start), std::string(1, kHardSpace));
  }
  ReplaceAll(html, endStart, "");
  ReplaceAll(html, start, span);
  ReplaceAll(html, end, kSpanEnd);
}

}  // namespace

// `text` escaped for HTML, every space a hard space.
std::string clsConverter::EscapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '>': out += "&gt;"; break;
      case '<': out += "&lt;"; break;
      case '"': out += "&quot;"; break;
      case ' ': out += kHardSpace; break;
      default: out += c;
    }
  }
  return out;
}

// The HTML text of Statement(): coloured entries in their spans.
std::string clsConverter::RenderStatement() {
  const clsVBCode& job = Job();
  const clsVBWord& s = Statement();
  if (statementObserver_) statementObserver_(s);
  std::string html;
  for (int i = 1; i <= s.Count(); ++i) {
    const std::string escaped = EscapeHtml(s.WordAt(i));
    const WordKind kind = s.KindAt(i);
    if (kind == WordKind::Keyword && job.KeywordDiffers()) {
      html.append(kKeywordStart).append(escaped).append(kKeywordEnd);
    } else if (kind == WordKind::Comment && job.CommentDiffers()) {
      html.append(kCommentSpan).append(RenderBreaks(escaped, kSpanEnd, kCommentSpan)).append(kSpanEnd);
    } else if (kind == WordKind::Identifier && job.IdentifierDiffers()) {
      html.append(kIdentifierStart).append(escaped).append(kIdentifierEnd);
    } else {
      html += RenderBreaks(escaped, "", "");
    }
  }
  if (job.KeywordDiffers()) MergeSpans(html, kKeywordStart, kKeywordEnd, kKeywordSpan, job.KeywordBackDiffers());
  if (job.IdentifierDiffers()) {
    MergeSpans(html, kIdentifierStart, kIdentifierEnd, kIdentifierSpan, job.IdentifierBackDiffers());
  }
  return html;
}

// The text written for one logical line in the job's output mode; `marked` is
// MarkLine's result, ignored for an empty line.
std::string clsConverter::WrapLine(const std::string& marked, bool emptyLine) {
  const clsVBCode& job = Job();
  std::string m;
  if (emptyLine) {
    if (!job.UsePreTag()) m = job.UseStyleSheet() ? "<div>" + std::string(1, kHardSpace) + "</div>" : "<br>";
  } else if (job.UseStyleSheet()) {
    m = marked;
    if (job.CssOption() == 1) ReplaceSpanOpeners(m);
    m = "<div>" + m + "</div>";
    // A physical line that begins with a span gets one ordinary space first.
    if (!job.UsePreTag()) ReplaceAll(m, "<div><span", "<div> <span");
  } else {
    m = marked;
    ReplaceSpanOpeners(m);
    ReplaceAll(m, kSpanEnd, "</font>");
    ReplaceAll(m, "<div>", "");
    ReplaceAll(m, "</div>", "<br>");
    m += "<br>";
  }
  if (job.UsePreTag()) {
    ReplaceAll(m, "<br>", "");
    ReplaceAll(m, "</div>", "");
    ReplaceAll(m, "<div>", "");
    ReplaceAll(m, std::string_view(&kHardSpace, 1), " ");
    if (!pendingPrefix_.empty()) {
      m = pendingPrefix_ + m;
      pendingPrefix_.clear();
    }
  } else {
    ReplaceAll(m, std::string_view(&kHardSpace, 1), "&nbsp;");
  }
  return m;
}

// The class spans "k", "c" and "d" replaced by the prepared openers.
void clsConverter::ReplaceSpanOpeners(std::string& html) const {
  ReplaceAll(html, kKeywordSpan, keywordOpen_);
  ReplaceAll(html, kCommentSpan, commentOpen_);
  ReplaceAll(html, kIdentifierSpan, identifierOpen_);
}

}  // namespace qm
