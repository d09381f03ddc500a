// LoadProject over folders and loose exported files, its errors, and the
// bundled sample: the exported folder and the packed workbook must show the
// same modules, kinds and lines.
#include <gtest/gtest.h>

#include "tests/load/load_fixtures.h"

namespace qm::editor::test {
namespace {

class FolderTest : public ScratchTest {};

TEST_F(FolderTest, ProjectNamedAfterFolderModulesInFileNameOrder) {
  Write("Stock/b.bas", "Attribute VB_Name = \"Beta\"\r\nDim b\r\n");
  Write("Stock/a.cls", "VERSION 1.0 CLASS\r\nBEGIN\r\n  MultiUse = -1  'True\r\nEND\r\nAttribute VB_Name = \"Alpha\"\r\nDim a\r\n");
  Write("Stock/f.frm", "VERSION 5.00\r\nBegin {C62A69F0-16DC-11CE-9E98-00AA00574A4F} F\r\nEnd\r\nAttribute VB_Name = \"F\"\r\n");
  Write("Stock/f.frx", "\x01\x02 binary");
  Write("Stock/readme.txt", "not a module");
  for (const std::string& folder : {PathOf("Stock"), PathOf("Stock") + "/", PathOf("Stock") + "/."}) {
    const LoadedProject project = LoadProject({folder});
    EXPECT_EQ(project.name, "Stock");
    EXPECT_EQ(project.fileName, "");
    EXPECT_EQ(project.codePage, 65001);
    EXPECT_EQ(Describe(project), "Alpha 2\nDim a\n--\nBeta 1\nDim b\n--\nF 3\n\n--\n");
  }
}

TEST_F(FolderTest, LooseFilesMakeOneProjectInTheGivenOrder) {
  const auto b = Write("b.bas", "Attribute VB_Name = \"B\"\r\n");
  const auto a = Write("a.bas", "Attribute VB_Name = \"A\"\r\n' \x8D\xDD\x8C\xC9\r\n");
  const LoadedProject project = LoadProject({b, a});
  EXPECT_EQ(project.name, "VBAProject");
  EXPECT_EQ(project.codePage, 932);
  EXPECT_EQ(Describe(project), "B 1\n\n--\nA 1\n' 在庫\n--\n");
}

TEST_F(FolderTest, CodePageOptionAppliesToNonUtf8Files) {
  const auto a = Write("a.bas", "' \x82\xA0\r\n");  // "' あ" in Shift-JIS
  EXPECT_EQ(LoadProject({a}).modules[0].text, "' \xE3\x81\x82");
  LoadOptions options;
  options.codePage = 1252;
  EXPECT_EQ(LoadProject({a}, options).modules[0].text, "' \xE2\x80\x9A\xC2\xA0");
}

TEST_F(FolderTest, ErrorsNameTheSource) {
  const auto one = Write("one.bas", "Attribute VB_Name = \"Same\"\r\n");
  const auto two = Write("two.bas", "Attribute VB_Name = \"SAME\"\r\n");
  const auto book = Write("book.xlsm", "x");
  const auto text = Write("notes.txt", "x");
  std::filesystem::create_directories(PathOf("empty"));
  struct Case {
    std::vector<std::string> sources;
    std::string message;
  } cases[] = {
      {{one, two}, two + ": another file already holds a module named \"SAME\""},
      {{one, text}, text + ": not an exported module file (.bas, .cls, .frm)"},
      {{book, one}, book + ": an Office document must be the only source"},
      {{PathOf("empty"), one}, PathOf("empty") + ": a folder must be the only source"},
      {{PathOf("empty")}, PathOf("empty") + ": the folder holds no exported module file (.bas, .cls, .frm)"},
      {{one, PathOf("gone.bas")}, PathOf("gone.bas") + ": no such file or folder"},
      {{}, "(no source): give an Office document, exported module files or a folder"},
  };
  for (const auto& c : cases) {
    try {
      LoadProject(c.sources);
      ADD_FAILURE() << c.message;
    } catch (const LoadError& error) {
      EXPECT_EQ(error.Description(), c.message);
    }
  }
}

TEST(Sample, FolderAndWorkbookShowTheSameProject) {
  const auto samples = SourceDir() / "samples";
  const LoadedProject folder = LoadProject({(samples / "Book1").string()});
  const LoadedProject book = LoadProject({(samples / "Book1.xlsm").string()});
  EXPECT_EQ(Describe(folder), Describe(book));
  EXPECT_EQ(folder.name, "Book1");
  EXPECT_EQ(book.documentName, "Book1.xlsm");
  EXPECT_EQ(book.codePage, 932);
  std::string kinds;
  for (const auto& module : folder.modules) kinds += module.name + ":" + std::to_string(module.kind) + " ";
  EXPECT_EQ(kinds, "Sheet1:100 ThisWorkbook:100 clsItem:2 frmItem:3 modReport:1 modStock:1 ");
  for (const auto& module : folder.modules) {
    EXPECT_EQ(module.text.find("Attribute"), std::string::npos) << module.name;
    EXPECT_EQ(module.text.find("VERSION"), std::string::npos) << module.name;
    EXPECT_EQ(module.text.rfind("Option Explicit\r\n", 0), 0u) << module.name;
  }
  EXPECT_NE(folder.modules[5].text.find("' 在庫レコード（固定長、ランダム アクセス用）"), std::string::npos);
}

}  // namespace
}  // namespace qm::editor::test
