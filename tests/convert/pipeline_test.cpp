// The module pipeline: logical lines as BeginModule stores them (joins, line
// breaks, U+001A, tabs, "Then"), procedure separators, titles, the module
// heading, the span openers, and failures of the editor and of writes. The
// module is a scripted code module whose procedure table and failures each
// case sets, so that the pipeline is tested apart from procedure analysis.
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/convert/page_fixture.h"

namespace qm::test {
namespace {

struct Procedure {
  std::string name;
  int kind;
  int start, end;  // the range the editor reports, leading comments included
};

// A code module with a fixed text (returned as is for the whole module, cut
// at CR LF for a range) and a fixed procedure table.
class ScriptedModule : public CodeModule {
 public:
  std::string text;
  int declarations = 0;
  std::vector<Procedure> procedures;
  std::set<int> failingProcOfLine;  // lines whose ProcOfLine raises
  bool failDeclarations = false, failLines = false;

  int CountOfLines() const override {
    int count = 1;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++count;
    return count;
  }
  std::string Lines(int first, int count) const override {
    if (failLines) throw VbaError(kErrInvalidProcedureCall, "lines");
    if (first == 1 && count == CountOfLines()) return text;
    std::string out;
    size_t at = 0;
    for (int line = 1; line < first + count; ++line) {
      const size_t end = text.find("\r\n", at);
      if (line >= first) out += (line > first ? "\r\n" : "") + text.substr(at, end - at);
      at = end == std::string::npos ? text.size() : end + 2;
    }
    return out;
  }
  std::string ProcOfLine(int line, int& kind) const override {
    if (failingProcOfLine.count(line) != 0) throw VbaError(kErrInvalidProcedureCall, "proc of line");
    for (const Procedure& p : procedures) {
      if (line >= p.start && line <= p.end) {
        kind = p.kind;
        return p.name;
      }
    }
    return "";
  }
  int ProcStartLine(const std::string& name, int kind) const override {
    for (const Procedure& p : procedures) {
      if (p.name == name && p.kind == kind) return p.start;
    }
    throw VbaError(35, "no such procedure");
  }
  int ProcCountLines(const std::string&, int) const override { return 0; }
  int CountOfDeclarationLines() const override {
    if (failDeclarations) throw VbaError(kErrInvalidProcedureCall, "declarations");
    return declarations;
  }
  CodePanePtr CodePane() const override { return nullptr; }
};

class ScriptedComponent : public NamedComponent {
 public:
  ScriptedComponent(std::string name, std::shared_ptr<ScriptedModule> module)
      : NamedComponent(std::move(name)), module_(std::move(module)) {}
  CodeModulePtr CodeModule() const override { return module_; }

 private:
  std::shared_ptr<ScriptedModule> module_;
};

// Project Book1 with the module Utils, selected, converted whole as the
// runner does for a whole project (counter from 1).
class PipelineTest : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    module = std::make_shared<ScriptedModule>();
    job().ProjectBaseName("Book1");
    auto component = std::make_shared<ScriptedComponent>("Utils", module);
    job().AddComponent(component);
    job().SelectedComponent(component);
    job().SetDefaultFileName(0, "Book1_Utils.htm");
  }

  // Converts the module as the runner does; the page's text.
  std::string Convert(bool multiple = true) {
    clsConverter converter;
    platform::StringWriter file;
    job().ClearLogicalLines();
    EXPECT_TRUE(converter.BeginModule(file, multiple, 1));
    int32_t counter = multiple ? 1 : job().StartLine();
    for (int j = 1; j <= job().CountOfLogicalLines(); ++j) EXPECT_TRUE(converter.WriteLine(file, counter, j));
    EXPECT_TRUE(converter.WriteFooter(file));
    return file.Text();
  }

  // The lines between "<body>" and "</body></html>".
  std::vector<std::string> Body(bool multiple = true) {
    const std::string page = Convert(multiple);
    std::vector<std::string> lines;
    size_t at = page.find("<body>\r\n") + 8;
    for (size_t end; (end = page.find("\r\n", at)) != std::string::npos; at = end + 2) {
      lines.push_back(page.substr(at, end - at));
    }
    lines.pop_back();
    return lines;
  }

  std::vector<std::pair<std::string, int>> Stored() const {
    std::vector<std::pair<std::string, int>> lines;
    for (int j = 1; j <= CurrentJob->CountOfLogicalLines(); ++j) {
      lines.emplace_back(CurrentJob->LogicalLineText(j), CurrentJob->LogicalLineSpan(j));
    }
    return lines;
  }

  std::shared_ptr<ScriptedModule> module;
};

TEST_F(PipelineTest, LogicalLinesAsStored) {
  const std::string M(1, kContinuationMark);
  const std::string T(1, kThenMark);
  struct Case { std::string text; std::vector<std::pair<std::string, int>> lines; };
  const Case cases[] = {
      {"a = 1\r\nCall f(a, _\r\n    b)\r\nx", {{"a = 1", 1}, {"Call f(a," + M + "    b)", 2}, {"x", 1}}},
      {"a = 1\nCall f(a, _\n    b)\nx", {{"a = 1", 1}, {"Call f(a," + M + "    b)", 2}, {"x", 1}}},
      {"a = 1\rb = 2\r\n\nc", {{"a = 1", 1}, {"b = 2", 1}, {"", 1}, {"c", 1}}},
      {"a = _\r\n _\r\n 1", {{"a =" + M + M + " 1", 3}}},
      {"x\x1A = 1 _\x1A\r\ny", {{"x = 1" + M + "y", 2}}},  // U+001A goes before the join is sought
      {"a _  \r\nb", {{"a _", 1}, {"b", 1}}},             // spaces after the underscore: no join
      {"a_\r\nb _", {{"a_", 1}, {"b _", 1}}},
      {"", {{"", 1}}},
      {"x = 1   \r\n", {{"x = 1", 1}, {"", 1}}},
      {"\t\tX\r\nab\tX\r\nabcd\tX", {{"        X", 1}, {"ab  X", 1}, {"abcd    X", 1}}},
      {"日本\tX", {{"日本  X", 1}}},  // columns count characters, not bytes
      {"f(x, _\r\n\ty)", {{"f(x," + M + "    y)", 2}}},  // tab stops restart on each physical line
      {"If a Then b ' Then\r\nThenX = 1", {{"If a " + T + " b ' " + T, 1}, {T + "X = 1", 1}}},
  };
  for (const Case& c : cases) {
    module->text = c.text;
    job().ClearLogicalLines();
    platform::StringWriter file;
    clsConverter converter;
    ASSERT_TRUE(converter.BeginModule(file, true, 1)) << c.text;
    EXPECT_EQ(Stored(), c.lines) << c.text;
  }
}

TEST_F(PipelineTest, ExpandTabs) {
  EXPECT_EQ(clsConverter::ExpandTabs("a\tb\tc", 8), "a       b       c");
  EXPECT_EQ(clsConverter::ExpandTabs("\t", 1), " ");
  EXPECT_EQ(clsConverter::ExpandTabs("no tab", 0), "no tab");
  EXPECT_THROW(clsConverter::ExpandTabs("a\tb", 0), VbaError);
  module->text = "a\tb";
  job().TabWidth(0);
  platform::StringWriter file;
  EXPECT_FALSE(clsConverter().BeginModule(file, true, 1));
}

TEST_F(PipelineTest, ProcedureStarts) {
  struct Case {
    const char* what;
    int declarations;
    std::vector<Procedure> procedures;
    std::set<int> failing;
    std::unordered_set<int32_t> starts;
  };
  const Case cases[] = {
      {"declarations, then two procedures", 2, {{"A", 0, 3, 5}, {"B", 0, 6, 9}}, {}, {3, 6}},
      {"a module that opens with a procedure", 0, {{"A", 0, 1, 4}, {"B", 0, 5, 9}}, {}, {5}},
      {"a property's Get and Let", 1, {{"P", 3, 2, 4}, {"P", 1, 5, 7}, {"C", 0, 8, 9}}, {}, {2, 5, 8}},
      {"a failing ProcOfLine reuses the line before", 1, {{"A", 0, 2, 5}, {"B", 0, 6, 9}}, {2, 6, 7}, {2, 6}},
      {"every ProcOfLine fails", 1, {{"A", 0, 2, 9}}, {2, 3, 4, 5, 6, 7, 8, 9}, {}},
  };
  module->text = "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9";
  job().EndProcLine(true);
  for (const Case& c : cases) {
    module->declarations = c.declarations;
    module->procedures = c.procedures;
    module->failingProcOfLine = c.failing;
    clsConverter converter;
    platform::StringWriter file;
    ASSERT_TRUE(converter.BeginModule(file, true, 1)) << c.what;
    EXPECT_EQ(converter.ProcStarts(), c.starts) << c.what;
  }
  module->failDeclarations = true;  // skipped, and line 1 keeps its separator
  module->procedures = {{"A", 0, 1, 4}, {"B", 0, 5, 9}};
  module->failingProcOfLine.clear();
  clsConverter converter;
  platform::StringWriter file;
  ASSERT_TRUE(converter.BeginModule(file, true, 1));
  EXPECT_EQ(converter.ProcStarts(), (std::unordered_set<int32_t>{1, 5}));
}

// Separators stand above each procedure's leading comments, never above
// line 1 of a module without declarations; continued lines advance the
// counter by their span.
TEST_F(PipelineTest, SeparatorsAboveProcedures) {
  module->text = "x = 1\r\n\r\n' c\r\ny = f(1, _\r\n 2)\r\nz = 3";
  module->declarations = 2;
  module->procedures = {{"A", 0, 3, 4}, {"B", 0, 6, 6}};
  job().EndProcLine(true);
  const std::string sep = "<hr class=\"p\">";
  const std::vector<std::string> body = Body();
  ASSERT_EQ(body.size(), 8u);  // the continued line is written as two physical lines
  EXPECT_EQ(body[0], "<div>x&nbsp;=&nbsp;1</div>");
  EXPECT_EQ(body[1], "<div>&nbsp;</div>");
  EXPECT_EQ(body[2], sep);
  EXPECT_NE(body[3].find("'&nbsp;c"), std::string::npos);
  EXPECT_EQ(body[6], sep);
  EXPECT_EQ(body[7], "<div>z&nbsp;=&nbsp;3</div>");

  job().EndProcLine(false);
  for (const std::string& line : Body()) EXPECT_NE(line, sep);

  // A range that begins at a procedure's start line opens with a separator.
  job().EndProcLine(true);
  job().TargetMode(0);
  job().StartLine(6);
  job().LineCount(1);
  job().Operation(1);
  EXPECT_EQ(Body(false), (std::vector<std::string>{sep, "<div>z&nbsp;=&nbsp;3</div>"}));
}

TEST_F(PipelineTest, LinesOfThePage) {
  module->text = "x\x1A = 1\r\nThenX = 1 ' Then";
  const std::vector<std::string> body = Body();
  ASSERT_EQ(body.size(), 2u);
  EXPECT_EQ(body[0], "<div>x&nbsp;=&nbsp;1</div>");
  EXPECT_NE(body[1].find("ThenX"), std::string::npos);
  EXPECT_NE(body[1].find("'&nbsp;Then"), std::string::npos);

  // An empty range gives one empty line, in the empty-line form.
  job().StartLine(2);
  job().LineCount(0);
  job().Operation(1);
  EXPECT_EQ(Body(false), std::vector<std::string>{"<div>&nbsp;</div>"});
  job().UsePreTag(true);
  EXPECT_EQ(Body(false), (std::vector<std::string>{"<pre>", "", "</pre>"}));
}

TEST_F(PipelineTest, TitleOfThePage) {
  struct Case { bool multiple; std::string fileName; int operation; std::string title; };
  const Case cases[] = {
      {false, "/out/x.htm", 0, "Book1_Utils [x.htm]"},
      {false, "/out/x.htm", 1, "Book1_Utils"},
      {false, "/out/Book1_Utils.htm", 0, "Book1_Utils"},
      {true, "/out/x.htm", 0, "Book1_Utils"},
  };
  module->text = "x = 1";
  job().StartLine(1);
  job().LineCount(1);
  for (const Case& c : cases) {
    job().FileName(c.fileName);
    job().Operation(c.operation);
    const std::string page = Convert(c.multiple);
    EXPECT_NE(page.find("\r\n<title>" + c.title + "</title>\r\n"), std::string::npos) << page;
  }
}

TEST_F(PipelineTest, ModuleHeading) {
  module->text = "x = 1";
  job().ShowModuleName(true);
  EXPECT_EQ(Body(), (std::vector<std::string>{"<big><b>Utils</b></big><br>", "<hr class=\"h\">",
                                              "<div>x&nbsp;=&nbsp;1</div>"}));
  job().UsePreTag(true);
  ApplyMode(job(), Mode::Font);
  EXPECT_EQ(Body(), (std::vector<std::string>{"<pre>", "<big><b>Utils</b></big>", "<hr size=\"5\" noshade>",
                                              "<font color=#000000 size=\"2\" face='Courier New'>x = 1", "</font>",
                                              "</pre>"}));
}

TEST_F(PipelineTest, OpenersOfEachMode) {
  job().SetBackColors("#ffffff", "#c0c0c0", "#ffffff", "#ffffff");
  struct Case { Mode mode; std::string keyword, comment, identifier; };
  const Case cases[] = {
      {Mode::Head, "", "", ""},
      {Mode::File, "", "", ""},
      {Mode::Inline, "<span style=\"background-color: #c0c0c0; color: #000080\">", "<span style=\"color: #008000\">",
       "<span style=\"color: #000000\">"},
      {Mode::Font, "<font color=\"#000080\">", "<font color=\"#008000\">", "<font color=\"#000000\">"},
  };
  module->text = "x = 1";
  for (const Case& c : cases) {
    ApplyMode(job(), c.mode);
    clsConverter converter;
    platform::StringWriter file;
    ASSERT_TRUE(converter.BeginModule(file, true, 1));
    EXPECT_EQ(converter.KeywordOpen(), c.keyword) << ModeName(c.mode);
    EXPECT_EQ(converter.CommentOpen(), c.comment) << ModeName(c.mode);
    EXPECT_EQ(converter.IdentifierOpen(), c.identifier) << ModeName(c.mode);
  }
}

TEST_F(PipelineTest, FailuresAreReported) {
  module->text = "x = 1\r\ny = 2";
  module->declarations = 1;
  module->procedures = {{"A", 0, 2, 2}};
  job().EndProcLine(true);
  job().ShowModuleName(true);
  platform::StringWriter counting;
  ASSERT_TRUE(clsConverter().BeginModule(counting, true, 1));
  for (int n = 1; n <= counting.Writes(); ++n) {
    platform::StringWriter failing;
    failing.FailFromWrite(n);
    EXPECT_FALSE(clsConverter().BeginModule(failing, true, 1)) << n;
  }
  // WriteLine: a failing separator write, then a failing line write.
  for (int n : {1, 2}) {
    clsConverter converter;
    platform::StringWriter file;
    ASSERT_TRUE(converter.BeginModule(file, true, 1));
    int32_t counter = 2;
    file.FailFromWrite(file.Writes() + n);
    EXPECT_FALSE(converter.WriteLine(file, counter, 2)) << n;
  }
  module->failLines = true;
  platform::StringWriter file;
  EXPECT_FALSE(clsConverter().BeginModule(file, true, 1));
  EXPECT_FALSE(clsConverter().BeginModule(file, true, 2));  // no such position
}

}  // namespace
}  // namespace qm::test
