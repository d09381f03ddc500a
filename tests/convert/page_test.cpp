// Page head, style rules, foot and rules: exact lines for each output mode,
// <pre>, body-only and charset choice; charset names; title escaping; and a
// write failure at every position of every head.
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/convert/page_fixture.h"

namespace qm::test {
namespace {

// The head lines from the DOCTYPE to the title of a module page.
std::vector<std::string> HeadTo(int css, bool charset, const std::string& title = "Book1_Utils") {
  return {"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">",
          "<html><head>",
          charset ? "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
                  : "<meta http-equiv=\"Content-Type\" content=\"text/html\">",
          "<meta name=\"Generator\" content=\"Ferravel\">",
          "<!--",
          "quillmark-option {type: 0; css: " + std::to_string(css) + "}",
          "-->",
          "<title>" + title + "</title>"};
}

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::string kBodyRule =
    "body {background-color: #ffffff; color: #000000; white-space: nowrap; font-size: 10pt; font-family: 'Courier New'}";
const std::string kBodyRuleNoFace =
    "body {background-color: #ffffff; color: #000000; white-space: nowrap; font-size: 10pt}";
const std::vector<std::string> kOtherRules = {"hr.h {height: 5px; background-color: gray; color: gray}",
                                              "hr.p {height: 1px}", ".k {background-color: #ffffff; color: #000080}",
                                              ".c {background-color: #ffffff; color: #008000}"};
const std::string kInlineOpener = "<font style=\"color: #000000; font-size: 10pt; font-family: 'Courier New'\">";
const std::string kInlineDiv = "<div style=\"background-color: #ffffff; white-space: nowrap\">";
const std::string kFontOpener = "<font color=#000000 size=\"2\" face='Courier New'>";

struct PageCase {
  Mode mode;
  bool pre, bodyOnly, ignoreCharSet;
  std::vector<std::string> head;  // everything WriteHeader writes
  std::string pending;            // PendingPrefix afterwards
  std::vector<std::string> foot;  // everything WriteFooter writes
};

std::vector<PageCase> PageCases() {
  const auto styleBlock = [](const std::string& bodyRule) {
    return Join(Join({"<style type=text/css>", "<!--", bodyRule}, kOtherRules),
                {"-->", "</style>", "</head>", "<body>"});
  };
  return {
      {Mode::Head, false, false, false, Join(HeadTo(0, true), styleBlock(kBodyRule)), "", {"</body></html>"}},
      {Mode::Head, true, false, true, Join(Join(HeadTo(0, false), styleBlock(kBodyRuleNoFace)), {"<pre>"}), "",
       {"</pre>", "</body></html>"}},
      {Mode::Head, false, true, false, {}, "", {}},
      {Mode::File, false, false, false,
       Join(HeadTo(2, true), {"<link rel=\"StyleSheet\" href=\"Quillmark.css\">", "</head>", "<body>"}), "",
       {"</body></html>"}},
      {Mode::File, true, true, false, {"<pre>"}, "", {"</pre>"}},
      {Mode::Inline, false, false, false, Join(HeadTo(1, true), {"</head>", "<body>", kInlineDiv, kInlineOpener}), "",
       {"</font>", "</div>", "</body></html>"}},
      {Mode::Inline, true, false, false, Join(HeadTo(1, true), {"</head>", "<body>", kInlineDiv, "<pre>"}),
       kInlineOpener, {"</font>", "</pre>", "</div>", "</body></html>"}},
      {Mode::Inline, false, true, true, {kInlineDiv, "<font style=\"color: #000000; font-size: 10pt\">"}, "",
       {"</font>", "</div>"}},
      {Mode::Font, false, false, false, Join(HeadTo(3, true), {"</head>", "<body>", "<nobr>", kFontOpener}), "",
       {"</font>", "</nobr>", "</body></html>"}},
      {Mode::Font, true, false, true, Join(HeadTo(3, false), {"</head>", "<body>", "<pre>"}),
       "<font color=#000000 size=\"2\">", {"</font>", "</pre>", "</body></html>"}},
      {Mode::Font, false, true, false, {"<nobr>", kFontOpener}, "", {"</font>", "</nobr>"}},
  };
}

TEST_F(PageTest, HeadAndFootOfEachMode) {
  for (const PageCase& c : PageCases()) {
    SCOPED_TRACE(std::string(ModeName(c.mode)) + (c.pre ? " pre" : "") + (c.bodyOnly ? " body-only" : "") +
                 (c.ignoreCharSet ? " no-charset" : ""));
    ApplyMode(job(), c.mode);
    job().UsePreTag(c.pre);
    job().BodyOnly(c.bodyOnly);
    job().IgnoreCharSet(c.ignoreCharSet);
    clsConverter converter;
    platform::StringWriter head, foot;
    ASSERT_TRUE(converter.WriteHeader(head, "Book1_Utils", CodePage));
    EXPECT_EQ(head.Text(), Lines(c.head));
    EXPECT_EQ(converter.PendingPrefix(), c.pending);
    ASSERT_TRUE(converter.WriteFooter(foot));
    EXPECT_EQ(foot.Text(), Lines(c.foot));
  }
}

// With BodyOnly a page keeps exactly what follows the body tag, less the
// closing "</body></html>", in every combination of the options.
TEST_F(PageTest, BodyOnlyKeepsWhatFollowsTheBodyTag) {
  for (Mode mode : {Mode::Head, Mode::File, Mode::Inline, Mode::Font}) {
    for (int bits = 0; bits < 4; ++bits) {
      SCOPED_TRACE(std::string(ModeName(mode)) + " " + std::to_string(bits));
      ApplyMode(job(), mode);
      job().UsePreTag(bits & 1);
      job().IgnoreCharSet(bits & 2);
      const auto page = [&](bool bodyOnly) {
        job().BodyOnly(bodyOnly);
        clsConverter converter;
        platform::StringWriter file;
        EXPECT_TRUE(converter.WriteHeader(file, "T", CodePage));
        EXPECT_TRUE(converter.WriteFooter(file));
        return file.Text();
      };
      const std::string full = page(false);
      const std::string bodyOnly = page(true);
      const size_t body = full.find("<body>\r\n");
      ASSERT_NE(body, std::string::npos);
      const std::string end = "</body></html>\r\n";
      ASSERT_EQ(full.substr(full.size() - end.size()), end);
      EXPECT_EQ(bodyOnly, full.substr(body + 8, full.size() - end.size() - body - 8));
    }
  }
}

TEST_F(PageTest, StyleRulesAddTheIdentifierRuleOnlyWhenItsColoursDiffer) {
  platform::StringWriter plain;
  ASSERT_TRUE(clsConverter().WriteStyleRules(plain));
  EXPECT_EQ(plain.Text(), Lines(Join({kBodyRule}, kOtherRules)));

  job().SetBackColors("#ffffff", "#c0c0c0", "#ffffff", "#ffff00");
  job().SetForeColors("#000000", "#000080", "#008000", "#800000");
  job().IgnoreCharSet(true);
  platform::StringWriter coloured;
  ASSERT_TRUE(clsConverter().WriteStyleRules(coloured));
  EXPECT_EQ(coloured.Text(),
            Lines({kBodyRuleNoFace, kOtherRules[0], kOtherRules[1], ".k {background-color: #c0c0c0; color: #000080}",
                   kOtherRules[3], ".d {background-color: #ffff00; color: #800000}"}));
}

TEST_F(PageTest, RuleTagByMode) {
  struct Case { Mode mode; std::string heading, separator; };
  const Case cases[] = {
      {Mode::Head, "<hr class=\"h\">", "<hr class=\"p\">"},
      {Mode::File, "<hr class=\"h\">", "<hr class=\"p\">"},
      {Mode::Inline, "<hr style=\"height: 5px; background-color: gray; color: gray\">", "<hr style=\"height: 1px\">"},
      {Mode::Font, "<hr size=\"5\" noshade>", "<hr size=\"1\" noshade>"},
  };
  for (const Case& c : cases) {
    ApplyMode(job(), c.mode);
    clsConverter converter;
    EXPECT_EQ(converter.RuleTag(5), c.heading) << ModeName(c.mode);
    EXPECT_EQ(converter.RuleTag(1), c.separator) << ModeName(c.mode);
  }
}

TEST_F(PageTest, CharsetNameOfTheAnsiCodePage) {
  const std::pair<int, const char*> cases[] = {
      {874, "windows-874"},   {932, "shift_jis"},     {936, "gb2312"},        {949, "ks_c_5601-1987"},
      {950, "big5"},          {1250, "windows-1250"}, {1251, "windows-1251"}, {1252, "windows-1252"},
      {1253, "windows-1253"}, {1254, "windows-1254"}, {1255, "windows-1255"}, {1256, "windows-1256"},
      {1257, "windows-1257"}, {1258, "windows-1258"}, {65001, "utf-8"},       {20932, "euc-jp"},
      {437, "iso-8859-1"},    {28591, "iso-8859-1"},
  };
  for (const auto& [codePage, name] : cases) {
    platform::SetAnsiCodePage(codePage);
    EXPECT_EQ(clsConverter::CharsetName(), name) << codePage;
  }
  platform::SetAnsiCodePage(932);
  clsConverter converter;
  platform::StringWriter file;
  ASSERT_TRUE(converter.WriteHeader(file, "T", CodePage));
  EXPECT_NE(file.Text().find("content=\"text/html; charset=shift_jis\">\r\n"), std::string::npos);
}

// Every entry of the charset table is reachable: no code page twice, no
// empty name.
TEST_F(PageTest, CharsetTableHasNoDuplicateOrEmptyEntry) {
  const auto table = clsConverter::CharsetTable();
  ASSERT_FALSE(table.empty());
  std::set<int> codePages;
  for (const auto& [codePage, name] : table) {
    EXPECT_FALSE(name.empty()) << codePage;
    EXPECT_TRUE(codePages.insert(codePage).second) << "code page listed twice: " << codePage;
    platform::SetAnsiCodePage(codePage);
    EXPECT_EQ(clsConverter::CharsetName(), name);
  }
}

// A title from outside the code is escaped; an ordinary one comes out as is.
TEST_F(PageTest, TitleIsEscaped) {
  const std::pair<std::string, std::string> cases[] = {
      {"Book1_Utils [x.htm]", "<title>Book1_Utils [x.htm]</title>"},
      {"R&D <1>_Utils", "<title>R&amp;D &lt;1&gt;_Utils</title>"},
      {"say \"hi\"", "<title>say &quot;hi&quot;</title>"},
      {"給与計算_Module1", "<title>給与計算_Module1</title>"},
  };
  for (const auto& [title, line] : cases) {
    clsConverter converter;
    platform::StringWriter file;
    ASSERT_TRUE(converter.WriteHeader(file, title, CodePage));
    EXPECT_NE(file.Text().find("\r\n" + line + "\r\n"), std::string::npos) << file.Text();
  }
}

// Every write of a head, foot or rule set may fail: the operation stops at
// once and reports false.
TEST_F(PageTest, WriteFailureAtEveryPositionIsReported) {
  for (Mode mode : {Mode::Head, Mode::File, Mode::Inline, Mode::Font}) {
    for (bool pre : {false, true}) {
      ApplyMode(job(), mode);
      job().UsePreTag(pre);
      using Op = bool (*)(clsConverter&, platform::StringWriter&);
      const Op ops[] = {
          [](clsConverter& c, platform::StringWriter& f) { return c.WriteHeader(f, "T", CodePage); },
          [](clsConverter& c, platform::StringWriter& f) { return c.WriteFooter(f); },
          [](clsConverter& c, platform::StringWriter& f) { return c.WriteStyleRules(f); },
      };
      for (Op op : ops) {
        platform::StringWriter counting;
        clsConverter whole;
        ASSERT_TRUE(op(whole, counting));
        for (int n = 1; n <= counting.Writes(); ++n) {
          platform::StringWriter failing;
          failing.FailFromWrite(n);
          clsConverter converter;
          EXPECT_FALSE(op(converter, failing)) << ModeName(mode) << " pre=" << pre << " n=" << n;
          EXPECT_EQ(failing.Writes(), n);
        }
      }
    }
  }
}

TEST_F(PageTest, WithoutAJobEveryOperationFails) {
  CurrentJob.reset();
  clsConverter converter;
  platform::StringWriter file;
  EXPECT_FALSE(converter.WriteHeader(file, "T", CodePage));
  EXPECT_FALSE(converter.WriteStyleRules(file));
  EXPECT_FALSE(converter.WriteFooter(file));
  EXPECT_FALSE(converter.WriteIndexPage(file));
  EXPECT_FALSE(converter.WriteMenuPage(file));
  int32_t counter = 1;
  EXPECT_FALSE(converter.WriteLine(file, counter, 1));
  EXPECT_FALSE(converter.BeginModule(file, false, 0));
  EXPECT_EQ(file.Writes(), 0);
}

}  // namespace
}  // namespace qm::test
