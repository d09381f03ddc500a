// Frameset index and menu pages: whole pages for the usual options, names
// from outside the code escaped in markup, the held-back font opener of
// <pre> mode on the menu, and failures (writes, unreadable names).
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/convert/page_fixture.h"

namespace qm::test {
namespace {

const std::vector<std::string> kHeadStyleBlock = {
    "<style type=text/css>",
    "<!--",
    "body {background-color: #ffffff; color: #000000; white-space: nowrap; font-size: 10pt; font-family: 'Courier New'}",
    "hr.h {height: 5px; background-color: gray; color: gray}",
    "hr.p {height: 1px}",
    ".k {background-color: #ffffff; color: #000080}",
    ".c {background-color: #ffffff; color: #008000}",
    "-->",
    "</style>",
    "</head>"};

// Project Book1 with the modules Utils and Sheet1 (in this order), Sheet1 selected.
class FramesetTest : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    job().ProjectBaseName("Book1");
    auto utils = std::make_shared<NamedComponent>("Utils");
    auto sheet = std::make_shared<NamedComponent>("Sheet1");
    job().AddComponent(utils);
    job().AddComponent(sheet);
    job().SelectedComponent(sheet);
  }

  std::string Index() {
    clsConverter converter;
    platform::StringWriter file;
    EXPECT_TRUE(converter.WriteIndexPage(file));
    return file.Text();
  }
  std::string Menu() {
    clsConverter converter;
    platform::StringWriter file;
    EXPECT_TRUE(converter.WriteMenuPage(file));
    EXPECT_EQ(converter.PendingPrefix(), "");
    return file.Text();
  }
};

TEST_F(FramesetTest, IndexPageLoadsTheMenuAndTheSelectedModule) {
  EXPECT_EQ(Index(), Lines({"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Frameset//EN\">",
                            "<html><head>",
                            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">",
                            "<meta name=\"Generator\" content=\"Ferravel\">",
                            "<!--",
                            "quillmark-option {type: 1; css: 0}",
                            "-->",
                            "<title>Book1</title>",
                            "</head>",
                            "<frameset cols=\"20%,*\">",
                            "<frame src=\"menu.htm\" name=\"frame1\">",
                            "<frame src=\"Book1_Sheet1.htm\" name=\"frame2\">",
                            "</frameset>",
                            "</html>"}));
  // The frameset head is the same in every style mode but for its option
  // comment, and with BodyOnly it keeps only "</head>".
  ApplyMode(job(), Mode::Font);
  job().UsePreTag(true);
  EXPECT_NE(Index().find("quillmark-option {type: 1; css: 3}\r\n-->\r\n<title>Book1</title>\r\n</head>\r\n<frameset"),
            std::string::npos);
  job().BodyOnly(true);
  EXPECT_EQ(Index().rfind("</head>\r\n<frameset cols=\"20%,*\">\r\n", 0), 0u);
}

TEST_F(FramesetTest, MenuWithScriptSelectsTheShownModule) {
  job().UseJavaScript(true);
  std::vector<std::string> page = {"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">",
                                   "<html><head>",
                                   "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">",
                                   "<meta name=\"Generator\" content=\"Ferravel\">",
                                   "<!--",
                                   "quillmark-option {type: 3; css: 0}",
                                   "-->",
                                   "<meta http-equiv=\"Content-Script-Type\" content=\"text/javascript\">",
                                   "<title>Book1_Menu</title>",
                                   "<script type=\"text/javascript\">",
                                   "<!--",
                                   "function select(target) {",
                                   "for (i = 0; i < document.all.item(\"st\").length; i++) {",
                                   "document.all.item(\"st\", i).style.visibility = \"hidden\";",
                                   "}",
                                   "document.all.item(\"st\",target).style.visibility = \"visible\";",
                                   "}",
                                   "// -->",
                                   "</script>"};
  page.insert(page.end(), kHeadStyleBlock.begin(), kHeadStyleBlock.end());
  for (const char* line :
       {"<body onload=\"select('1')\">", "<big><b>Book1</b></big><br>", "<hr class=\"h\">",
        "<span id=\"st\">* </span><a href=\"Book1_Utils.htm\" target=\"frame2\" onclick=\"select('0')\">Utils</a><br>",
        "<span id=\"st\">* </span><a href=\"Book1_Sheet1.htm\" target=\"frame2\" onclick=\"select('1')\">Sheet1</a><br>",
        "</body></html>"}) {
    page.push_back(line);
  }
  EXPECT_EQ(Menu(), Lines(page));
}

// In <pre> mode the font opener held back by the head opens the title line.
TEST_F(FramesetTest, MenuInPreFontModeCarriesTheFontOpenerOnItsTitleLine) {
  ApplyMode(job(), Mode::Font);
  job().UsePreTag(true);
  EXPECT_EQ(Menu(), Lines({"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">",
                           "<html><head>",
                           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">",
                           "<meta name=\"Generator\" content=\"Ferravel\">",
                           "<!--",
                           "quillmark-option {type: 2; css: 3}",
                           "-->",
                           "<title>Book1_Menu</title>",
                           "</head>",
                           "<body>",
                           "<pre>",
                           "<font color=#000000 size=\"2\" face='Courier New'><big><b>Book1</b></big>",
                           "<hr size=\"5\" noshade>",
                           "* <a href=\"Book1_Utils.htm\" target=\"frame2\">Utils</a>",
                           "* <a href=\"Book1_Sheet1.htm\" target=\"frame2\">Sheet1</a>",
                           "</font>",
                           "</pre>",
                           "</body></html>"}));
  ApplyMode(job(), Mode::Inline);
  job().BodyOnly(true);
  EXPECT_EQ(Menu().rfind(
                "<div style=\"background-color: #ffffff; white-space: nowrap\">\r\n<pre>\r\n"
            "<font style=\"color: #000000; font-size: 10pt; font-family: 'Courier New'\"><big><b>Book1</b></big>\r\n",
                0),
            0u);
}

TEST_F(FramesetTest, NamesFromOutsideTheCodeAreEscaped) {
  job().ProjectBaseName("R&D <1>");
  const std::string index = Index();
  EXPECT_NE(index.find("<title>R&amp;D &lt;1&gt;</title>"), std::string::npos);
  EXPECT_NE(index.find("<frame src=\"R&amp;D &lt;1&gt;_Sheet1.htm\" name=\"frame2\">"), std::string::npos);
  const std::string menu = Menu();
  EXPECT_NE(menu.find("<title>R&amp;D &lt;1&gt;_Menu</title>"), std::string::npos);
  EXPECT_NE(menu.find("<big><b>R&amp;D &lt;1&gt;</b></big><br>"), std::string::npos);
  EXPECT_NE(menu.find("* <a href=\"R&amp;D &lt;1&gt;_Utils.htm\" target=\"frame2\">Utils</a><br>"),
            std::string::npos);
  job().ProjectBaseName("a\"b");
  EXPECT_NE(Index().find("<frame src=\"a&quot;b_Sheet1.htm\""), std::string::npos);
}

TEST_F(FramesetTest, FailuresAreReported) {
  for (bool script : {false, true}) {
    job().UseJavaScript(script);
    for (auto op : {&clsConverter::WriteIndexPage, &clsConverter::WriteMenuPage}) {
      platform::StringWriter counting;
      clsConverter whole;
      ASSERT_TRUE((whole.*op)(counting));
      for (int n = 1; n <= counting.Writes(); ++n) {
        platform::StringWriter failing;
        failing.FailFromWrite(n);
        clsConverter converter;
        EXPECT_FALSE((converter.*op)(failing)) << "script=" << script << " n=" << n;
        EXPECT_EQ(failing.Writes(), n);
      }
    }
  }
  // A module whose name cannot be read, or no selected module for the code frame.
  job().AddComponent(std::make_shared<NamedComponent>("x", true));
  platform::StringWriter menu;
  EXPECT_FALSE(clsConverter().WriteMenuPage(menu));
  job().SelectedComponent(nullptr);
  platform::StringWriter index;
  EXPECT_FALSE(clsConverter().WriteIndexPage(index));
}

}  // namespace
}  // namespace qm::test
