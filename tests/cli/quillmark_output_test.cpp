// quillmark's output through the real program: a page saved beside the
// sources or where -o says, a project site, the HTML on standard output with
// and without the body alone, a copy through the display's clipboard tool,
// each style placement, the procedure and selection targets, and the code
// page the page is written in.
#include <sys/stat.h>

#include "platform/codepage.h"
#include "tests/cli/cli_fixture.h"

namespace qm::test {
namespace {

using QuillmarkOutputTest = CliTest;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(QuillmarkOutputTest, SavesTheFirstModuleInConversionOrderBesideTheSourcesWithoutAskingAnything) {
  const CliRun run = Run({"Book1"});
  ASSERT_EQ(run.status, 0) << Explain(run);
  EXPECT_EQ(run.err, "") << "an ordinary run asks nothing";
  EXPECT_EQ(run.out, "");
  // Documents come first in the conversion order, Sheet1 before ThisWorkbook.
  const std::string page = Read(Work() / "Book1_Sheet1.htm");
  EXPECT_EQ(page.rfind("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n", 0), 0u);
  EXPECT_TRUE(Contains(page, "<title>Book1_Sheet1</title>\r\n"));
  EXPECT_EQ(page.substr(page.size() - 16), "</body></html>\r\n");
  EXPECT_EQ(Files(Work() / "Book1").size(), 6u) << "nothing is written among the sources";
  EXPECT_TRUE(fs::is_empty(Path("tmp"))) << "no work file is left behind";
}

TEST_F(QuillmarkOutputTest, AnOfficeDocumentOfEachHostConvertsWithoutAskingAnything) {
  // The container decides how a document is read, its extension which host
  // application the editor belongs to (Word names documents without extension).
  for (const char* document : {"Book1.xlsm", "Doc1.docm", "Talk.pptm"}) {
    fs::copy(SourceDir() / "samples" / "Book1.xlsm", Work() / document);
    const CliRun run = Run({"-m", "modStock", document});
    ASSERT_EQ(run.status, 0) << document << "\n" << Explain(run);
    EXPECT_EQ(run.err, "") << document;
    const std::string stem = fs::path(document).stem().string();
    EXPECT_TRUE(Contains(Read(Work() / (stem + "_modStock.htm")), "<title>" + stem + "_modStock</title>")) << document;
  }
}

TEST_F(QuillmarkOutputTest, SavesTheChosenModuleWhereOutputSays) {
  const CliRun run = Run({"-m", "clsitem", "-o", "pages/item.htm", "Book1"});
  ASSERT_EQ(run.status, 0) << Explain(run);
  const std::string page = Read(Work() / "pages" / "item.htm");
  EXPECT_TRUE(Contains(page, "<title>Book1_clsItem")) << page.substr(0, 400);
  EXPECT_TRUE(Contains(page, "<span class=\"k\">Public&nbsp;Property&nbsp;Get</span>&nbsp;Code()"));
  EXPECT_FALSE(fs::exists(Work() / "Book1_clsItem.htm"));
}

TEST_F(QuillmarkOutputTest, SavesTheProjectAsASiteInTheFolderGivenOrBesideTheDocument) {
  fs::create_directories(Work() / "doc");
  fs::copy(SourceDir() / "samples" / "Book1.xlsm", Work() / "doc" / "Book1.xlsm");
  const std::vector<std::string> site = {"Book1_Sheet1.htm",    "Book1_ThisWorkbook.htm", "Book1_clsItem.htm",
                                         "Book1_frmItem.htm",   "Book1_modReport.htm",    "Book1_modStock.htm",
                                         "index.htm",           "menu.htm"};
  CliRun run = Run({"-t", "project", "-o", "site/", "doc/Book1.xlsm"});
  ASSERT_EQ(run.status, 0) << Explain(run);
  EXPECT_EQ(Files(Work() / "site"), site);
  const std::string menu = Read(Work() / "site" / "menu.htm");
  for (const char* page : {"Book1_Sheet1.htm", "Book1_modStock.htm", "Book1_clsItem.htm"}) {
    EXPECT_TRUE(Contains(menu, page)) << page;
  }
  EXPECT_TRUE(Contains(Read(Work() / "site" / "index.htm"), "menu.htm"));

  run = Run({"-t", "project", "doc/Book1.xlsm"});
  ASSERT_EQ(run.status, 0) << Explain(run);
  EXPECT_EQ(Files(Work() / "doc" / "Book1"), site);
}

TEST_F(QuillmarkOutputTest, WritesTheHtmlToStandardOutputWithOrWithoutTheBodyAlone) {
  const struct {
    const char* option;
    bool wholePage;
  } cases[] = {{"--body-only", false}, {"--no-body-only", true}};
  for (const auto& c : cases) {
    const CliRun run = Run({"--stdout", c.option, "-m", "modStock", "Book1"});
    ASSERT_EQ(run.status, 0) << c.option << "\n" << Explain(run);
    EXPECT_EQ(Contains(run.out, "<!DOCTYPE"), c.wholePage) << c.option;
    EXPECT_EQ(Contains(run.out, "<body>"), c.wholePage) << c.option;
    EXPECT_TRUE(Contains(run.out, "<span class=\"k\">Public&nbsp;Type</span>&nbsp;StockRecord</div>\r\n")) << run.out;
    EXPECT_EQ(run.err, "") << c.option;
  }
  EXPECT_EQ(Files(Work()).size(), 0u) << "a copy saves no page";
}

TEST_F(QuillmarkOutputTest, CopiesThroughTheClipboardToolOfTheDisplay) {
  const fs::path tool = Path("bin/xclip");
  Write(tool, "#!/bin/sh\necho \"$@\" > \"$CLIP_ARGS\"\ncat > \"$CLIP_FILE\"\n");
  fs::permissions(tool, fs::perms::owner_all);
  SetEnv("DISPLAY", ":99");
  SetEnv("CLIP_FILE", Path("clipboard.txt"));
  SetEnv("CLIP_ARGS", Path("clipboard-args.txt"));
  const CliRun run = Run({"--copy", "-m", "modStock", "Book1"});
  ASSERT_EQ(run.status, 0) << Explain(run);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(Read(Path("clipboard-args.txt")), "-selection clipboard\n");
  const std::string copied = Read(Path("clipboard.txt"));
  EXPECT_TRUE(Contains(copied, "StockRecord</div>\r\n")) << copied;
  EXPECT_FALSE(Contains(copied, "<html>")) << "the dialog opens with the body alone for a copy";
}

TEST_F(QuillmarkOutputTest, PlacesTheStylesAsTheStyleOptionSays) {
  const struct {
    const char* style;
    const char* inPage;
    const char* notInPage;
  } cases[] = {
      {"head", "<style type=text/css>", "<font"},
      {"inline", "<span style=\"color: #000080\">Option&nbsp;Explicit</span>", "<style"},
      {"file", "<link rel=\"StyleSheet\" href=\"Quillmark.css\">", "<style"},
      {"none", "<font color=\"#000080\">Option&nbsp;Explicit</font><br>", "<span"},
  };
  for (const auto& c : cases) {
    const std::string folder = std::string("style-") + c.style;
    const CliRun run = Run({"--style", c.style, "-m", "modStock", "-o", folder + "/page.htm", "Book1"});
    ASSERT_EQ(run.status, 0) << c.style << "\n" << Explain(run);
    const std::string page = Read(Work() / folder / "page.htm");
    EXPECT_TRUE(Contains(page, c.inPage)) << c.style;
    EXPECT_FALSE(Contains(page, c.notInPage)) << c.style;
    EXPECT_EQ(fs::exists(Work() / folder / "Quillmark.css"), std::string(c.style) == "file") << c.style;
  }
  EXPECT_TRUE(Contains(Read(Work() / "style-file" / "Quillmark.css"), ".k {background-color: #ffffff; color: #000080}"));
}

TEST_F(QuillmarkOutputTest, ConvertsTheProcedureOrTheLinesOfTheSelection) {
  CliRun run = Run({"-m", "modStock", "-t", "procedure", "--select", "25:5", "Book1"});
  ASSERT_EQ(run.status, 0) << Explain(run);
  const std::string procedure = Read(Work() / "Book1_modStock_LoadStock.htm");
  EXPECT_TRUE(Contains(procedure, "<span class=\"k\">Public&nbsp;Function</span>&nbsp;LoadStock(")) << procedure;
  EXPECT_TRUE(Contains(procedure, "LoadStock&nbsp;=&nbsp;-1</div>"));
  EXPECT_FALSE(Contains(procedure, "ssEmpty")) << "the next procedure is left out";
  EXPECT_FALSE(Contains(procedure, "Public&nbsp;Type")) << "the declarations are left out";

  run = Run({"-m", "modStock", "-t", "selection", "--select", "4-9", "Book1"});
  ASSERT_EQ(run.status, 0) << Explain(run);
  const std::string lines = Read(Work() / "Book1_modStock_4-9.htm");
  EXPECT_TRUE(Contains(lines, "StockRecord</div>"));
  EXPECT_TRUE(Contains(lines, "<span class=\"k\">End&nbsp;Type</span></div>")) << "line 9 is taken whole";
  EXPECT_FALSE(Contains(lines, "Option&nbsp;Explicit"));
  EXPECT_FALSE(Contains(lines, "StockStatus"));
}

TEST_F(QuillmarkOutputTest, WritesAJapaneseProjectInTheAnsiCodePage) {
  const std::string comment = "' 在庫の一覧を作る";
  const std::string source = "Attribute VB_Name = \"Module1\"\r\nOption Explicit\r\n" + comment +
                             "\r\nSub MakeList()\r\nEnd Sub\r\n";
  fs::create_directories(Work() / "jp");
  Write(Work() / "jp" / "Module1.bas", *platform::EncodeText(source, 932));
  const std::string words = "在庫の一覧を作る";
  const struct {
    std::vector<std::string> codePage;
    const char* charset;
    std::string bytes;
  } cases[] = {
      {{"--codepage", "932"}, "charset=shift_jis", *platform::EncodeText(words, 932)},
      {{}, "charset=utf-8", words},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"--stdout", "--no-body-only", "jp/Module1.bas"};
    args.insert(args.begin(), c.codePage.begin(), c.codePage.end());
    const CliRun run = Run(args);
    ASSERT_EQ(run.status, 0) << c.charset << "\n" << Explain(run);
    EXPECT_TRUE(Contains(run.out, std::string("content=\"text/html; ") + c.charset + "\"")) << c.charset;
    EXPECT_TRUE(Contains(run.out, c.bytes)) << c.charset;
  }
}

}  // namespace
}  // namespace qm::test
