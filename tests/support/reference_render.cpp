// The reference renderer of reference_render.h: every step is a whole-text
// replacement, in the order the rendering rules give them, so that the result
// can be read off the rules one by one.
#include "tests/support/reference_render.h"

#include <string_view>

namespace qm::test {

namespace {

constexpr char kContinuation = '\x1A';
constexpr char kThen = '\t';
constexpr char kHard = '\x0B';

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
  size_t at = 0;
  for (size_t hit; (hit = text.find(from, at)) != std::string::npos; at = hit + from.size()) {
    out.append(text, at, hit - at);
    out += to;
  }
  out.append(text, at, std::string::npos);
  text = std::move(out);
}

std::string Escape(std::string_view text) {
  std::string out(text);
  ReplaceAll(out, "&", "&amp;");
  ReplaceAll(out, ">", "&gt;");
  ReplaceAll(out, "<", "&lt;");
  ReplaceAll(out, "\"", "&quot;");
  ReplaceAll(out, " ", std::string(1, kHard));
  return out;
}

std::string Breaks(std::string escaped, const std::string& close, const std::string& reopen) {
  ReplaceAll(escaped, std::string(1, kContinuation), close + kHard + "_</div>\r\n<div>" + reopen);
  return escaped;
}

void Merge(std::string& html, std::string_view start, std::string_view end, std::string_view span, bool backDiffers) {
  if (!backDiffers) ReplaceAll(html, std::string(end) + kHard + std::string(start), std::string(1, kHard));
  ReplaceAll(html, std::string(end) + std::string(start), "");
  ReplaceAll(html, start, span);
  ReplaceAll(html, end, kSpanEnd);
}

void ReplaceOpeners(std::string& m, const ReferenceOpeners& openers) {
  ReplaceAll(m, kKeywordSpan, openers.keyword);
  ReplaceAll(m, kCommentSpan, openers.comment);
  ReplaceAll(m, kIdentifierSpan, openers.identifier);
}

}  // namespace

std::string ReferenceRenderStatement(const clsVBWord& s, const clsVBCode& job) {
  std::string html;
  for (int i = 1; i <= s.Count(); ++i) {
    const std::string escaped = Escape(s.WordAt(i));
    const WordKind kind = s.KindAt(i);
    // A break inside a span closes it and opens it again on the next line.
    if (kind == WordKind::Keyword && job.KeywordDiffers()) {
      html.append(kKeywordStart)
          .append(Breaks(escaped, std::string(kKeywordEnd), std::string(kKeywordStart)))
          .append(kKeywordEnd);
    } else if (kind == WordKind::Comment && job.CommentDiffers()) {
      html.append(kCommentSpan)
          .append(Breaks(escaped, std::string(kSpanEnd), std::string(kCommentSpan)))
          .append(kSpanEnd);
    } else if (kind == WordKind::Identifier && job.IdentifierDiffers()) {
      html.append(kIdentifierStart)
          .append(Breaks(escaped, std::string(kIdentifierEnd), std::string(kIdentifierStart)))
          .append(kIdentifierEnd);
    } else {
      html += Breaks(escaped, "", "");
    }
  }
  if (job.KeywordDiffers()) Merge(html, kKeywordStart, kKeywordEnd, kKeywordSpan, job.KeywordBackDiffers());
  if (job.IdentifierDiffers()) Merge(html, kIdentifierStart, kIdentifierEnd, kIdentifierSpan, job.IdentifierBackDiffers());
  return html;
}

std::string ReferenceWriteLine(int indent, const std::string& statements, bool emptyLine, const clsVBCode& job,
                               const ReferenceOpeners& openers, std::string& pendingPrefix) {
  std::string m;
  if (emptyLine) {
    if (!job.UsePreTag()) m = job.UseStyleSheet() ? "<div>" + std::string(1, kHard) + "</div>" : "<br>";
  } else {
    m = std::string(static_cast<size_t>(indent), kHard) + statements;
    ReplaceAll(m, std::string(1, kThen), "Then");
    if (job.UseStyleSheet()) {
      if (job.CssOption() == 1) ReplaceOpeners(m, openers);
      m = "<div>" + m + "</div>";
      if (!job.UsePreTag()) ReplaceAll(m, "<div><span", "<div> <span");
    } else {
      ReplaceOpeners(m, openers);
      ReplaceAll(m, kSpanEnd, "</font>");
      ReplaceAll(m, "<div>", "");
      ReplaceAll(m, "</div>", "<br>");
      m += "<br>";
    }
  }
  if (job.UsePreTag()) {
    ReplaceAll(m, "<br>", "");
    ReplaceAll(m, "</div>", "");
    ReplaceAll(m, "<div>", "");
    ReplaceAll(m, std::string(1, kHard), " ");
    m = pendingPrefix + m;
    pendingPrefix.clear();
  } else {
    ReplaceAll(m, std::string(1, kHard), "&nbsp;");
  }
  return m;
}

}  // namespace qm::test
