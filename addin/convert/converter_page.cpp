// Page head, style rules, page foot and horizontal rules. The head declares
// HTML 4.01, the charset of the system code page, the generator and a comment
// recording the options, then brings in the style one of four ways: rules in
// the head, a linked style sheet, inline styles, or font tags. Every line is
// one write; the first failing write ends the operation with false.
#include <array>
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "addin/convert/converter.h"
#include "addin/job/vb_code.h"
#include "platform/codepage.h"

namespace qm {

namespace {

// Charset names by ANSI code page; any code page not listed is declared
// "iso-8859-1". Beyond the Windows ANSI code pages, the table names the ones
// a Linux locale can select, so that a page declares the bytes it holds.
struct CharsetEntry {
  int codePage;
  std::string_view name;
};
constexpr std::array<CharsetEntry, 16> kCharsets{{
    {874, "windows-874"},
    {932, "shift_jis"},
    {936, "gb2312"},
    {949, "ks_c_5601-1987"},
    {950, "big5"},
    {1250, "windows-1250"},
    {1251, "windows-1251"},
    {1252, "windows-1252"},
    {1253, "windows-1253"},
    {1254, "windows-1254"},
    {1255, "windows-1255"},
    {1256, "windows-1256"},
    {1257, "windows-1257"},
    {1258, "windows-1258"},
    {20932, "euc-jp"},
    {platform::kCodePageUtf8, "utf-8"},
}};
constexpr std::string_view kFallbackCharset = "iso-8859-1";
constexpr std::string_view kStyleSheetName = "Quillmark.css";

// The menu page's script: select(target) shows the star of one link only.
constexpr std::array<std::string_view, 10> kSelectScript{{
    "<script type=\"text/javascript\">",
    "<!--",
    "function select(target) {",
    "for (i = 0; i < document.all.item(\"st\").length; i++) {",
    "document.all.item(\"st\", i).style.visibility = \"hidden\";",
    "}",
    "document.all.item(\"st\",target).style.visibility = \"visible\";",
    "}",
    "// -->",
    "</script>",
}};

// Writes each line in turn; false at the first failing write.
bool WriteAll(platform::TextWriter& file, std::initializer_list<std::string_view> lines) {
  for (std::string_view line : lines) {
    if (!file.WriteLine(line)) return false;
  }
  return true;
}

bool IsFontMode(const clsVBCode& job) { return !job.UseStyleSheet(); }
bool IsInlineStyle(const clsVBCode& job) { return job.UseStyleSheet() && job.CssOption() == 1; }
bool IsFileStyle(const clsVBCode& job) { return job.UseStyleSheet() && job.CssOption() == 2; }

// "quillmark-option {type: T; css: C}" for the page kind and style mode.
std::string OptionComment(const clsVBCode& job, PageKind kind) {
  const int type = (kind == MenuPage && job.UseJavaScript()) ? 3 : static_cast<int>(kind);
  const int css = job.UseStyleSheet() ? job.CssOption() : 3;
  return "quillmark-option {type: " + std::to_string(type) + "; css: " + std::to_string(css) + "}";
}

// The font opener of inline style: normal colour, size and (with the charset) face.
std::string InlineFontOpener(const clsVBCode& job) {
  std::string opener = "<font style=\"color: " + job.NormalForeColor() + "; font-size: " +
                       std::to_string(job.FontSize()) + "pt";
  if (job.IgnoreCharSet()) return opener + "\">";
  return opener + "; font-family: '" + job.FontFace() + "'\">";
}

// The font opener of font mode: unquoted colour, always size 2.
std::string FontModeOpener(const clsVBCode& job) {
  std::string opener = "<font color=" + job.NormalForeColor() + " size=\"2\"";
  if (job.IgnoreCharSet()) return opener + ">";
  return opener + " face='" + job.FontFace() + "'>";
}

}  // namespace

std::string clsConverter::CharsetName() {
  const int codePage = platform::AnsiCodePage();
  for (const CharsetEntry& entry : kCharsets) {
    if (entry.codePage == codePage) return std::string(entry.name);
  }
  return std::string(kFallbackCharset);
}

std::vector<std::pair<int, std::string_view>> clsConverter::CharsetTable() {
  std::vector<std::pair<int, std::string_view>> table;
  for (const CharsetEntry& entry : kCharsets) table.emplace_back(entry.codePage, entry.name);
  return table;
}

std::string clsConverter::EscapeMarkup(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

namespace {

// The document head up to and including the title (not written with BodyOnly).
bool WriteHeadLines(platform::TextWriter& file, const clsVBCode& job, const std::string& title, PageKind kind) {
  const std::string doctype = std::string("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 ") +
                              (kind == FramesetPage ? "Frameset" : "Transitional") + "//EN\">";
  std::string contentType = "<meta http-equiv=\"Content-Type\" content=\"text/html";
  if (!job.IgnoreCharSet()) contentType += "; charset=" + clsConverter::CharsetName();
  contentType += "\">";
  if (!WriteAll(file, {doctype, "<html><head>", contentType, "<meta name=\"Generator\" content=\"Ferravel\">",
                       "<!--", OptionComment(job, kind), "-->"})) {
    return false;
  }
  if (kind == MenuPage && job.UseJavaScript() &&
      !file.WriteLine("<meta http-equiv=\"Content-Script-Type\" content=\"text/javascript\">")) {
    return false;
  }
  return file.WriteLine("<title>" + clsConverter::EscapeMarkup(title) + "</title>");
}

// The five or six style rules: body, the two rules, the class colours.
bool WriteRules(platform::TextWriter& file, const clsVBCode& job) {
  std::string bodyRule = "body {background-color: " + job.NormalBackColor() + "; color: " +
                         job.NormalForeColor() + "; white-space: nowrap; font-size: " +
                         std::to_string(job.FontSize()) + "pt";
  if (!job.IgnoreCharSet()) bodyRule += "; font-family: '" + job.FontFace() + "'";
  bodyRule += "}";
  if (!WriteAll(file, {bodyRule, "hr.h {height: 5px; background-color: gray; color: gray}", "hr.p {height: 1px}",
                       ".k {background-color: " + job.KeywordBackColor() + "; color: " + job.KeywordForeColor() + "}",
                       ".c {background-color: " + job.CommentBackColor() + "; color: " + job.CommentForeColor() +
                           "}"})) {
    return false;
  }
  if (!job.IdentifierDiffers()) return true;
  return file.WriteLine(".d {background-color: " + job.IdentifierBackColor() + "; color: " +
                        job.IdentifierForeColor() + "}");
}

// From the end of the head to the first code line, by style mode: the
// closing head lines and body tag (not with BodyOnly), then what opens the
// code. In <pre> mode a font opener is held back in `pendingPrefix`.
bool OpenBody(platform::TextWriter& file, const clsVBCode& job, const std::string& body,
              std::string& pendingPrefix) {
  const bool full = !job.BodyOnly();
  if (IsFontMode(job)) {
    if (full && !WriteAll(file, {"</head>", body})) return false;
    if (job.UsePreTag()) {
      pendingPrefix = FontModeOpener(job);
      return file.WriteLine("<pre>");
    }
    return WriteAll(file, {"<nobr>", FontModeOpener(job)});
  }
  if (IsInlineStyle(job)) {
    if (full && !WriteAll(file, {"</head>", body})) return false;
    const std::string background =
        "<div style=\"background-color: " + job.NormalBackColor() + "; white-space: nowrap\">";
    if (job.UsePreTag()) {
      pendingPrefix = InlineFontOpener(job);
      return WriteAll(file, {background, "<pre>"});
    }
    return WriteAll(file, {background, InlineFontOpener(job)});
  }
  if (full && IsFileStyle(job)) {
    const std::string link = "<link rel=\"StyleSheet\" href=\"" + std::string(kStyleSheetName) + "\">";
    if (!WriteAll(file, {link, "</head>", body})) return false;
  } else if (full) {
    if (!WriteAll(file, {"<style type=text/css>", "<!--"}) || !WriteRules(file, job) ||
        !WriteAll(file, {"-->", "</style>", "</head>", body})) {
      return false;
    }
  }
  return !job.UsePreTag() || file.WriteLine("<pre>");
}

}  // namespace

bool clsConverter::WriteHeader(File& file, const std::string& title, PageKind kind) {
  try {
    const clsVBCode& job = Job();
    if (!job.BodyOnly() && !WriteHeadLines(file, job, title, kind)) return false;
    if (kind == FramesetPage) return file.WriteLine("</head>");
    std::string body = "<body>";
    if (kind == MenuPage && job.UseJavaScript()) {
      for (std::string_view line : kSelectScript) {
        if (!file.WriteLine(line)) return false;
      }
      body = "<body onload=\"select('" + std::to_string(job.SelectedComponentIndex()) + "')\">";
    }
    return OpenBody(file, job, body, pendingPrefix_);
  } catch (const std::exception&) {
    return false;
  }
}

bool clsConverter::WriteStyleRules(File& file) {
  try {
    return WriteRules(file, Job());
  } catch (const std::exception&) {
    return false;
  }
}

bool clsConverter::WriteFooter(File& file) {
  try {
    const clsVBCode& job = Job();
    if ((IsFontMode(job) || IsInlineStyle(job)) && !file.WriteLine("</font>")) return false;
    if (job.UsePreTag() && !file.WriteLine("</pre>")) return false;
    if (IsInlineStyle(job) && !file.WriteLine("</div>")) return false;
    if (!job.UsePreTag() && IsFontMode(job) && !file.WriteLine("</nobr>")) return false;
    return job.BodyOnly() || file.WriteLine("</body></html>");
  } catch (const std::exception&) {
    return false;
  }
}

std::string clsConverter::RuleTag(int height) const {
  const clsVBCode& job = Job();
  const std::string h = std::to_string(height);
  if (IsFontMode(job)) return "<hr size=\"" + h + "\" noshade>";
  if (IsInlineStyle(job)) {
    return "<hr style=\"height: " + h + "px" + (height == 5 ? "; background-color: gray; color: gray\">" : "\">");
  }
  return height == 5 ? "<hr class=\"h\">" : "<hr class=\"p\">";
}

}  // namespace qm
