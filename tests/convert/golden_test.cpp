// Golden pages: whole pages made from small modules in tests/data/<case>/,
// compared byte for byte (CR LF included) with the reviewed pages beside
// them. A module page case holds input.bas (the code as the editor shows it)
// and expected.htm; the site case holds one <Module>.bas per module and the
// pages index.htm, menu.htm and <Base>_<Module>.htm. The converter is driven
// as the runner drives it, on the in-memory editor.
//
// After a reviewed change, tools/regen_golden.sh rewrites the expected pages
// (the test writes them instead of comparing when QUILLMARK_REGEN_GOLDEN=1).
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "editor/fake_editor.h"
#include "tests/convert/page_fixture.h"

namespace qm::test {
namespace {

namespace fs = std::filesystem;

fs::path DataDir() {
  if (const char* root = std::getenv("QUILLMARK_SOURCE_DIR"); root != nullptr && *root != '\0') {
    return fs::path(root) / "tests" / "data";
  }
  return fs::path(__FILE__).parent_path().parent_path() / "data";
}

bool Regenerating() {
  const char* regen = std::getenv("QUILLMARK_REGEN_GOLDEN");
  return regen != nullptr && std::string(regen) == "1";
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Lines cut after each LF; a line without its CR shows "[no CR]".
std::vector<std::string> DisplayLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    at = end == std::string::npos ? text.size() : end + 1;
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    } else {
      line += end == std::string::npos ? "[no line end]" : "[no CR]";
    }
    lines.push_back(line);
  }
  return lines;
}

// A diff -u style listing of the lines that differ (longest common
// subsequence; pages are small), with three lines of context.
std::string UnifiedDiff(const std::string& expected, const std::string& actual) {
  const auto a = DisplayLines(expected), b = DisplayLines(actual);
  std::vector<std::vector<int>> lcs(a.size() + 1, std::vector<int>(b.size() + 1, 0));
  for (size_t i = a.size(); i-- > 0;) {
    for (size_t j = b.size(); j-- > 0;) {
      lcs[i][j] = a[i] == b[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
    }
  }
  std::vector<std::string> edit;  // each line prefixed by ' ', '-' or '+'
  size_t i = 0, j = 0;
  while (i < a.size() || j < b.size()) {
    if (i < a.size() && j < b.size() && a[i] == b[j]) {
      edit.push_back(" " + a[i++]);
      ++j;
    } else if (i < a.size() && (j == b.size() || lcs[i + 1][j] >= lcs[i][j + 1])) {
      edit.push_back("-" + a[i++]);
    } else {
      edit.push_back("+" + b[j++]);
    }
  }
  std::string out = "--- expected\n+++ actual\n";
  for (size_t k = 0; k < edit.size(); ++k) {
    bool near = false;
    for (size_t d = (k >= 3 ? k - 3 : 0); d < std::min(edit.size(), k + 4); ++d) near |= edit[d][0] != ' ';
    if (near) out += edit[k] + "\n";
  }
  return out;
}

// Compares a page with its golden file, or rewrites the file when regenerating.
void CheckGolden(const fs::path& file, const std::string& page) {
  if (Regenerating()) {
    std::ofstream(file, std::ios::binary) << page;
    return;
  }
  ASSERT_TRUE(fs::exists(file)) << file << " is missing; run tools/regen_golden.sh and review it";
  const std::string expected = ReadBytes(file);
  EXPECT_TRUE(expected == page) << file << "\n" << UnifiedDiff(expected, page);
}

struct ModuleCase {
  const char* name;
  int codePage;
  std::function<void(clsVBCode&)> options;
};

// Module Utils of project Book1, saved as a whole-module page
// (/out/Book1_Utils.htm), separators on, the module name shown.
void ModuleDefaults(clsVBCode& job, int lines) {
  job.TargetMode(0);
  job.StartLine(1);
  job.LineCount(lines);
  job.SetDefaultFileName(0, "Book1_Utils.htm");
  job.FileName("/out/Book1_Utils.htm");
  job.EndProcLine(true);
  job.ShowModuleName(true);
}

const ModuleCase kModuleCases[] = {
    {"page_head_style", 65001, [](clsVBCode& job) { ApplyMode(job, Mode::Head); }},
    {"page_file_style", 1252,
     [](clsVBCode& job) {
       ApplyMode(job, Mode::File);
       job.ShowModuleName(false);
       job.FileName("/out/listing.htm");  // title "Book1_Utils [listing.htm]"
     }},
    {"page_inline_style", 65001,
     [](clsVBCode& job) {
       ApplyMode(job, Mode::Inline);
       job.SetBackColors("#ffffff", "#c0c0c0", "#ffffff", "#ffffff");
       job.SetForeColors("#000000", "#000080", "#008000", "#800000");
     }},
    {"page_font_mode", 65001,
     [](clsVBCode& job) {
       ApplyMode(job, Mode::Font);
       job.IgnoreCharSet(true);
     }},
    {"page_pre_inline", 65001,
     [](clsVBCode& job) {
       ApplyMode(job, Mode::Inline);
       job.UsePreTag(true);
       job.BodyOnly(true);
     }},
};

class GoldenTest : public PageTest {};

TEST_F(GoldenTest, ModulePages) {
  for (const ModuleCase& c : kModuleCases) {
    SCOPED_TRACE(c.name);
    const fs::path dir = DataDir() / c.name;
    const std::string source = ReadBytes(dir / "input.bas");
    ASSERT_FALSE(source.empty()) << dir;
    auto vbe = editor::FakeEditor().project("VBAProject", "/w/Book1.xlsm").module("Utils", kStdModule, source)
                   .selected().build();
    auto component = vbe->SelectedVBComponent();
    platform::SetAnsiCodePage(c.codePage);
    job().ProjectBaseName("Book1");
    job().AddComponent(component);
    job().SelectedComponent(component);
    ModuleDefaults(job(), component->CodeModule()->CountOfLines());
    c.options(job());

    clsConverter converter;
    platform::StringWriter page;
    ASSERT_TRUE(converter.BeginModule(page, false, 0));
    int32_t counter = job().StartLine();
    for (int j = 1; j <= job().CountOfLogicalLines(); ++j) ASSERT_TRUE(converter.WriteLine(page, counter, j));
    ASSERT_TRUE(converter.WriteFooter(page));
    CheckGolden(dir / "expected.htm", page.Text());
    TearDown();
    SetUp();
  }
}

// A whole-project site: index, menu (with the script) and one page per
// module, as the runner makes them, one converter per module page.
TEST_F(GoldenTest, FramesetSite) {
  const fs::path dir = DataDir() / "site_frameset";
  const char* modules[] = {"Utils", "Sheet1"};
  editor::FakeEditor builder;
  builder.project("VBAProject", "/w/Book1.xlsm");
  for (const char* name : modules) {
    builder.module(name, kStdModule, ReadBytes(dir / (std::string(name) + ".bas")));
  }
  builder.selected();  // Sheet1
  auto vbe = builder.build();
  job().ProjectBaseName("Book1");
  for (const auto& component : vbe->ActiveVBProject()->VBComponents()) job().AddComponent(component);
  job().SelectedComponent(vbe->SelectedVBComponent());
  job().TargetMode(3);
  job().EndProcLine(true);
  job().UseJavaScript(true);

  platform::StringWriter index, menu;
  {
    clsConverter converter;
    ASSERT_TRUE(converter.WriteIndexPage(index));
    ASSERT_TRUE(converter.WriteMenuPage(menu));
  }
  CheckGolden(dir / "index.htm", index.Text());
  CheckGolden(dir / "menu.htm", menu.Text());
  for (int i = 1; i <= job().CountOfComponents(); ++i) {
    clsConverter converter;
    platform::StringWriter page;
    ASSERT_TRUE(converter.BeginModule(page, true, i));
    int32_t counter = 1;
    for (int j = 1; j <= job().CountOfLogicalLines(); ++j) ASSERT_TRUE(converter.WriteLine(page, counter, j));
    ASSERT_TRUE(converter.WriteFooter(page));
    job().ClearLogicalLines();
    CheckGolden(dir / ("Book1_" + job().ComponentAt(i)->Name() + ".htm"), page.Text());
  }
}

TEST(GoldenDiffTest, ShowsChangedLinesAndMissingCarriageReturns) {
  const std::string diff = UnifiedDiff("a\r\nb\r\nc\r\n", "a\r\nB\r\nc\n");
  EXPECT_EQ(diff, "--- expected\n+++ actual\n a\n-b\n-c\n+B\n+c[no CR]\n");
}

}  // namespace
}  // namespace qm::test
