#include "addin/job/vb_code.h"

#include <gtest/gtest.h>

#include "addin/common/path_parts.h"
#include "tests/support/named_component.h"

namespace qm {
namespace {

using test::NamedComponent;

std::string P(const std::string& withSlashes) {
  std::string path = withSlashes;
  for (char& c : path) if (c == '/') c = kPathSeparator;
  return path;
}

TEST(VBCodeTest, OutputFileNameAndFolder) {
  struct Case { std::string fileName, folder, file; };
  const Case cases[] = {
      {P("/out/Book1/index.htm"), P("/out/Book1"), "index.htm"},
      {P("C:/a.htm"), "C:", "a.htm"},
      {"a.htm", "a.htm", "a.htm"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    clsVBCode job;
    job.FileName(c.fileName);
    EXPECT_EQ(job.OutputFolder(), c.folder) << c.fileName;
    EXPECT_EQ(job.OutputFileName(), c.file) << c.fileName;
  }
}

TEST(VBCodeTest, ColourPredicatesFollowEachCategory) {
  clsVBCode job;
  job.SetBackColors("#ffffff", "#ffffff", "#ffffff", "#ffffff");
  job.SetForeColors("#000000", "#000080", "#008000", "#000000");
  // Keywords and comments differ in foreground only; identifiers are normal.
  EXPECT_TRUE(job.KeywordDiffers());
  EXPECT_TRUE(job.CommentDiffers());
  EXPECT_FALSE(job.IdentifierDiffers());
  EXPECT_FALSE(job.KeywordBackDiffers() || job.CommentBackDiffers() || job.IdentifierBackDiffers());

  clsVBCode plain;
  plain.SetBackColors("#ffffff", "#ffffff", "#ffffff", "#ffffff");
  plain.SetForeColors("#000000", "#000000", "#000000", "#000000");
  EXPECT_FALSE(plain.KeywordDiffers() || plain.CommentDiffers() || plain.IdentifierDiffers());
  plain.SetBackColors("#ffffff", "#ffffff", "#c0c0c0", "#ffffff");
  EXPECT_TRUE(plain.CommentBackDiffers());
  EXPECT_TRUE(plain.CommentDiffers());
  EXPECT_FALSE(plain.KeywordDiffers() || plain.IdentifierDiffers());
  EXPECT_FALSE(plain.KeywordBackDiffers() || plain.IdentifierBackDiffers());
}

TEST(VBCodeTest, ListsRaiseOutsideTheirPositions) {
  clsVBCode job;
  job.ClearLogicalLines();
  EXPECT_EQ(job.CountOfLogicalLines(), 0);
  job.AddLogicalLine("Dim x", 1);
  job.AddLogicalLine("Call f(a, \x1A b)", 2);
  EXPECT_EQ(job.LogicalLineText(2), "Call f(a, \x1A b)");
  EXPECT_EQ(job.LogicalLineSpan(2), 2);
  for (int bad : {0, 3, -1}) {
    EXPECT_THROW(job.LogicalLineText(bad), VbaError) << bad;
    EXPECT_THROW(job.LogicalLineSpan(bad), VbaError) << bad;
    EXPECT_THROW(job.ComponentAt(bad), VbaError) << bad;
  }
  for (int bad : {-1, 4}) {
    EXPECT_THROW(job.DefaultFileName(bad), VbaError) << bad;
    EXPECT_THROW(job.SetDefaultFileName(bad, "x"), VbaError) << bad;
  }
  job.ClearLogicalLines();
  EXPECT_EQ(job.CountOfLogicalLines(), 0);
  EXPECT_THROW(job.LogicalLineText(1), VbaError);
}

TEST(VBCodeTest, SelectedComponentIndex) {
  auto a = std::make_shared<NamedComponent>("Alpha");
  auto b = std::make_shared<NamedComponent>("Beta");
  auto other = std::make_shared<NamedComponent>("Other");
  struct Case { std::vector<VBComponentPtr> list; VBComponentPtr selected; int expected; };
  const Case cases[] = {
      {{a, b}, a, 0},
      {{a, b}, b, 1},
      {{a, b}, other, 0},  // not in the list
      {{a, std::make_shared<NamedComponent>("x", true), b}, b, 1},  // stops at the unreadable name
  };
  for (const auto& c : cases) {
    clsVBCode job;
    for (const auto& component : c.list) job.AddComponent(component);
    job.SelectedComponent(c.selected);
    EXPECT_EQ(job.SelectedComponentIndex(), c.expected) << c.selected->Name();
  }
}

TEST(VBCodeTest, NewJobIsEmpty) {
  clsVBCode job;
  EXPECT_EQ(job.TargetMode(), 0);
  EXPECT_EQ(job.StartLine(), 0);
  EXPECT_EQ(job.LineCount(), 0);
  EXPECT_EQ(job.CountOfComponents(), 0);
  EXPECT_EQ(job.DefaultFileName(3), "");
  EXPECT_FALSE(job.UseStyleSheet());
  EXPECT_EQ(job.Project(), nullptr);
}

}  // namespace
}  // namespace qm
