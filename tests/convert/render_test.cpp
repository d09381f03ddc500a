// Rendering: the exact text written for a logical line in every output mode
// (head style, file style, inline style, font tags, each with and without
// <pre>) and colour scheme, and the escaping beneath it.
#include <string>

#include <gtest/gtest.h>

#include "tests/convert/marking_fixture.h"

namespace qm::test {
namespace {

enum class Mode { Head, File, Inline, Font };
enum class Scheme {
  Standard,    // keywords #000080, comments #008000, identifiers normal, all on #ffffff
  Identifiers, // as Standard, identifiers #800000
  Backgrounds, // as Identifiers, keywords on #ffff00, identifiers on #c0c0c0
  Monochrome,  // every kind in the normal colours
};

struct Row {
  const char* source;  // "~" stands for " _" and a line break; "" is an empty line
  Mode mode;
  bool pre;
  Scheme scheme;
  const char* expected;
};

void ApplyScheme(clsVBCode& job, Scheme scheme) {
  switch (scheme) {
    case Scheme::Standard:
      job.SetForeColors("#000000", "#000080", "#008000", "#000000");
      job.SetBackColors("#ffffff", "#ffffff", "#ffffff", "#ffffff");
      break;
    case Scheme::Identifiers:
      job.SetForeColors("#000000", "#000080", "#008000", "#800000");
      job.SetBackColors("#ffffff", "#ffffff", "#ffffff", "#ffffff");
      break;
    case Scheme::Backgrounds:
      job.SetForeColors("#000000", "#000080", "#008000", "#800000");
      job.SetBackColors("#ffffff", "#ffff00", "#ffffff", "#c0c0c0");
      break;
    case Scheme::Monochrome:
      job.SetForeColors("#000000", "#000000", "#000000", "#000000");
      job.SetBackColors("#ffffff", "#ffffff", "#ffffff", "#ffffff");
      break;
  }
}

class RenderTest : public ConverterTest, public ::testing::WithParamInterface<Row> {
 protected:
  // The text WriteLine writes for `source` under the row's options.
  std::string Render(const Row& row) {
    job().UseStyleSheet(row.mode != Mode::Font);
    job().CssOption(row.mode == Mode::Inline ? 1 : row.mode == Mode::File ? 2 : 0);
    job().UsePreTag(row.pre);
    ApplyScheme(job(), row.scheme);
    conv->PrepareOpeners();
    if (Stored(row.source).empty()) return conv->WrapLine(std::string(), true);
    return conv->WrapLine(MarkSource(row.source), false);
  }
};

TEST_P(RenderTest, WritesExactLine) {
  const Row& row = GetParam();
  EXPECT_EQ(Render(row), row.expected) << row.source;
}

using M = Mode;
using S = Scheme;

// One line through every output mode and colour scheme.
const Row kModeRows[] = {
    {"Dim x As Long", M::Head, false, S::Standard,
     "<div> <span class=\"k\">Dim</span>&nbsp;x&nbsp;<span class=\"k\">As&nbsp;Long</span></div>"},
    {"Dim x As Long", M::File, false, S::Standard,
     "<div> <span class=\"k\">Dim</span>&nbsp;x&nbsp;<span class=\"k\">As&nbsp;Long</span></div>"},
    {"Dim x As Long", M::Head, true, S::Standard,
     "<span class=\"k\">Dim</span> x <span class=\"k\">As Long</span>"},
    {"Dim x As Long", M::File, true, S::Standard,
     "<span class=\"k\">Dim</span> x <span class=\"k\">As Long</span>"},
    {"Dim x As Long", M::Inline, false, S::Standard,
     "<div> <span style=\"color: #000080\">Dim</span>&nbsp;x&nbsp;<span style=\"color: #000080\">As&nbsp;Long</span></div>"},
    {"Dim x As Long", M::Inline, true, S::Standard,
     "<span style=\"color: #000080\">Dim</span> x <span style=\"color: #000080\">As Long</span>"},
    {"Dim x As Long", M::Font, false, S::Standard,
     "<font color=\"#000080\">Dim</font>&nbsp;x&nbsp;<font color=\"#000080\">As&nbsp;Long</font><br>"},
    {"Dim x As Long", M::Font, true, S::Standard,
     "<font color=\"#000080\">Dim</font> x <font color=\"#000080\">As Long</font>"},
    {"Dim x As Long", M::Head, false, S::Identifiers,
     "<div> <span class=\"k\">Dim</span>&nbsp;<span class=\"d\">x</span>&nbsp;<span class=\"k\">As&nbsp;Long</span></div>"},
    {"Dim x As Long", M::Head, false, S::Backgrounds,
     "<div> <span class=\"k\">Dim</span>&nbsp;<span class=\"d\">x</span>&nbsp;<span class=\"k\">As</span>&nbsp;"
     "<span class=\"k\">Long</span></div>"},
    {"Dim x As Long", M::Inline, false, S::Backgrounds,
     "<div> <span style=\"background-color: #ffff00; color: #000080\">Dim</span>&nbsp;"
     "<span style=\"background-color: #c0c0c0; color: #800000\">x</span>&nbsp;"
     "<span style=\"background-color: #ffff00; color: #000080\">As</span>&nbsp;"
     "<span style=\"background-color: #ffff00; color: #000080\">Long</span></div>"},
    {"Dim x As Long", M::Inline, true, S::Identifiers,
     "<span style=\"color: #000080\">Dim</span> <span style=\"color: #800000\">x</span> "
     "<span style=\"color: #000080\">As Long</span>"},
    {"Dim x As Long", M::Font, false, S::Backgrounds,
     "<font color=\"#000080\">Dim</font>&nbsp;<font color=\"#800000\">x</font>&nbsp;<font color=\"#000080\">As</font>"
     "&nbsp;<font color=\"#000080\">Long</font><br>"},
    {"Dim x As Long", M::Head, false, S::Monochrome, "<div>Dim&nbsp;x&nbsp;As&nbsp;Long</div>"},
    {"Dim x As Long", M::Font, false, S::Monochrome, "Dim&nbsp;x&nbsp;As&nbsp;Long<br>"},
    {"Dim x As Long", M::Inline, true, S::Monochrome, "Dim x As Long"},
};
INSTANTIATE_TEST_SUITE_P(Modes, RenderTest, ::testing::ValuesIn(kModeRows));

// Span merging, escaping and indentation.
const Row kSpanRows[] = {
    {"Foo a, b", M::Head, false, S::Identifiers,
     "<div> <span class=\"d\">Foo&nbsp;a</span>,&nbsp;<span class=\"d\">b</span></div>"},
    {"Foo a, b", M::Head, false, S::Backgrounds,
     "<div> <span class=\"d\">Foo</span>&nbsp;<span class=\"d\">a</span>,&nbsp;<span class=\"d\">b</span></div>"},
    {"Foo a, b", M::Head, false, S::Standard, "<div>Foo&nbsp;a,&nbsp;b</div>"},
    {"x = CInt(y)", M::Head, false, S::Standard,
     "<div>x&nbsp;=&nbsp;<span class=\"k\">CInt(</span>y<span class=\"k\">)</span></div>"},
    {"x = CInt(y)", M::Head, false, S::Backgrounds,
     "<div> <span class=\"d\">x</span>&nbsp;=&nbsp;<span class=\"k\">CInt(</span><span class=\"d\">y</span>"
     "<span class=\"k\">)</span></div>"},
    {"If a Then Exit Sub", M::Head, false, S::Standard,
     "<div> <span class=\"k\">If</span>&nbsp;a&nbsp;<span class=\"k\">Then</span>&nbsp;"
     "<span class=\"k\">Exit&nbsp;Sub</span></div>"},
    {"s = \"<b>\" & t", M::Head, false, S::Standard, "<div>s&nbsp;=&nbsp;&quot;&lt;b&gt;&quot;&nbsp;&amp;&nbsp;t</div>"},
    {"s = \"<b>\" & t", M::Font, true, S::Standard, "s = &quot;&lt;b&gt;&quot; &amp; t"},
    {"    x = 1", M::Head, false, S::Standard, "<div>&nbsp;&nbsp;&nbsp;&nbsp;x&nbsp;=&nbsp;1</div>"},
    {"    Dim x", M::Head, false, S::Standard,
     "<div>&nbsp;&nbsp;&nbsp;&nbsp;<span class=\"k\">Dim</span>&nbsp;x</div>"},
    {"    Dim x", M::Head, true, S::Standard, "    <span class=\"k\">Dim</span> x"},
    {"' 日本語のコメント", M::Head, false, S::Standard,
     "<div> <span class=\"c\">'&nbsp;日本語のコメント</span></div>"},
    {"' 日本語のコメント", M::Font, false, S::Standard, "<font color=\"#008000\">'&nbsp;日本語のコメント</font><br>"},
};
INSTANTIATE_TEST_SUITE_P(Spans, RenderTest, ::testing::ValuesIn(kSpanRows));

// Continued lines: the break ends the physical line in every mode, and a
// span is closed before it and reopened after it. A keyword holds a break
// only when a label cut across one (an unclosed string's quote, the break,
// a colon) is promoted by the "Get" after "Property"; the break must still
// end the line instead of reaching the page as an internal character.
const Row kContinuationRows[] = {
    {"Call Foo(a,~    b)", M::Head, false, S::Standard,
     "<div> <span class=\"k\">Call</span>&nbsp;Foo(a,&nbsp;_</div>\r\n<div>&nbsp;&nbsp;&nbsp;&nbsp;b)</div>"},
    {"Call Foo(a,~    b)", M::Font, false, S::Standard,
     "<font color=\"#000080\">Call</font>&nbsp;Foo(a,&nbsp;_<br>\r\n&nbsp;&nbsp;&nbsp;&nbsp;b)<br>"},
    {"Call Foo(a,~    b)", M::Head, true, S::Standard, "<span class=\"k\">Call</span> Foo(a, _\r\n    b)"},
    {"Call Foo(a,~    b)", M::Font, true, S::Standard, "<font color=\"#000080\">Call</font> Foo(a, _\r\n    b)"},
    {"x = 1 ' a~b", M::Head, false, S::Standard,
     "<div>x&nbsp;=&nbsp;1&nbsp;<span class=\"c\">'&nbsp;a</span>&nbsp;_</div>\r\n<div> <span class=\"c\">b</span></div>"},
    {"x = 1 ' a~b", M::Font, false, S::Standard,
     "x&nbsp;=&nbsp;1&nbsp;<font color=\"#008000\">'&nbsp;a</font>&nbsp;_<br>\r\n<font color=\"#008000\">b</font><br>"},
    {"x = 1 ' a~b", M::Inline, true, S::Standard,
     "x = 1 <span style=\"color: #008000\">' a</span> _\r\n<span style=\"color: #008000\">b</span>"},
    {"x = 1 ' a~b", M::Head, false, S::Monochrome, "<div>x&nbsp;=&nbsp;1&nbsp;'&nbsp;a&nbsp;_</div>\r\n<div>b</div>"},
    {"Dim a As~    Long", M::Head, false, S::Standard,
     "<div> <span class=\"k\">Dim</span>&nbsp;a&nbsp;<span class=\"k\">As</span>&nbsp;_</div>\r\n"
     "<div>&nbsp;&nbsp;&nbsp;&nbsp;<span class=\"k\">Long</span></div>"},
    {"Property\"~: Get", M::Head, false, S::Standard,
     "<div> <span class=\"k\">Property&quot;</span>&nbsp;_</div>\r\n<div> <span class=\"k\">:&nbsp;Get</span></div>"},
    {"Property\"~: Get", M::Font, true, S::Standard,
     "<font color=\"#000080\">Property&quot;</font> _\r\n<font color=\"#000080\">: Get</font>"},
};
INSTANTIATE_TEST_SUITE_P(Continuations, RenderTest, ::testing::ValuesIn(kContinuationRows));

const Row kEmptyRows[] = {
    {"", M::Head, false, S::Standard, "<div>&nbsp;</div>"},
    {"", M::Inline, false, S::Standard, "<div>&nbsp;</div>"},
    {"", M::Font, false, S::Standard, "<br>"},
    {"", M::Head, true, S::Standard, ""},
    {"", M::Font, true, S::Standard, ""},
};
INSTANTIATE_TEST_SUITE_P(EmptyLines, RenderTest, ::testing::ValuesIn(kEmptyRows));

// In <pre> mode the held-back font opener goes in front of the first line
// written, empty or not, and only that one.
TEST_F(ConverterTest, PendingPrefixOpensTheFirstPreLineOnly) {
  job().UseStyleSheet(false);
  job().UsePreTag(true);
  conv->PrepareOpeners();
  conv->PendingPrefix("<font color=#000000 size=\"2\">");
  EXPECT_EQ(conv->WrapLine(std::string(), true), "<font color=#000000 size=\"2\">");
  EXPECT_EQ(conv->PendingPrefix(), "");
  EXPECT_EQ(conv->WrapLine(MarkSource("x = 1"), false), "x = 1");

  conv->PendingPrefix("<font>");
  EXPECT_EQ(conv->WrapLine(MarkSource("End"), false), "<font><font color=\"#000080\">End</font>");
}

TEST(EscapeHtmlTest, EscapesMarkupAndHardensSpaces) {
  const std::string hs(1, kHardSpace);
  EXPECT_EQ(clsConverter::EscapeHtml(""), "");
  EXPECT_EQ(clsConverter::EscapeHtml("a & b"), "a" + hs + "&amp;" + hs + "b");
  EXPECT_EQ(clsConverter::EscapeHtml("<\"x\">"), "&lt;&quot;x&quot;&gt;");
  EXPECT_EQ(clsConverter::EscapeHtml("&lt;"), "&amp;lt;");
  EXPECT_EQ(clsConverter::EscapeHtml("日本\t\x1A"), "日本\t\x1A");
}

}  // namespace
}  // namespace qm::test
