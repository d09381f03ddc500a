// Whole-module properties that must hold for every option set: a realistic
// module (Japanese comments, tabs, continuations, strings, labels, Type and
// Enum blocks) is converted as the runner does, and for each output mode,
// <pre> or not, body only or not, separators or not and each colour scheme:
// no internal character reaches the page, every line ends in CR LF, and each
// physical source line reads the same on the page (tags removed, entities
// decoded) as in the editor: tabs expanded, trailing spaces gone.
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "addin/common/globals.h"
#include "addin/convert/converter.h"
#include "addin/job/vb_code.h"
#include "editor/fake_editor.h"
#include "platform/codepage.h"
#include "platform/fake/string_writer.h"

namespace qm::test {
namespace {

constexpr int kTabWidth = 4;

// The physical lines of the module, as the editor holds them.
const char* const kModule[] = {
    "Attribute VB_Name = \"Utils\"",
    "Option Explicit",
    "Option Compare Text",
    "",
    "' 勤怠データの集計モジュール",
    "Rem  作成者：山田\t(2024)",
    "",
    "#If VBA7 Then",
    "Private Declare PtrSafe Function GetTickCount Lib \"kernel32\" () As Long",
    "#Else",
    "Private Declare Function GetTickCount Lib \"kernel32\" () As Long",
    "#End If",
    "",
    "Private Type RECT",
    "    #If VBA7 Then",
    "    hWnd As LongPtr",
    "    #Else",
    "    hWnd As Long",
    "    #End If",
    "\tLeft As Long\t' 左端",
    "    Next As Integer",
    "End Type",
    "",
    "Public Enum ShiftKind",
    "    Early = 1   ' 早番",
    "    Late",
    "End Enum",
    "",
    "Private Const SHEET_NAME As String = \"勤怠<集計>\"",
    "Private m_count As Long   ",
    "",
    "Public Property Get Count() As Long",
    "    Count = m_count",
    "End Property",
    "",
    "' 集計する。引数：シート名 _",
    "  続きのコメント Then 行",
    "Public Function Summarize(ByVal name As String, _",
    "                          Optional ByVal limit As Long = 10) As Double",
    "    Dim i As Long, total As Double: total = 0",
    "    Dim s As String",
    "    On Error GoTo ErrHandler",
    "\tIf limit <= 0 Then Exit Function Else limit = CInt(\"5\")",
    "    s = \"He said \"\"Then: it's\"\" & done\"",
    "    For i = 1 To limit Step 2",
    "        total = total + CDbl(Cells(i, 1).Value) _",
    "            * (dtThen + 1)",
    "        Debug.Print i; total, \"<b>&amp;</b>\"",
    "    Next i",
    "    With Worksheets(SHEET_NAME)",
    "        .Range(\"A1\").Value = Format$(total, \"0.00\")  ' 結果",
    "        .Cells(1, 2).Resize(1, 3).Value = Array(1, _",
    "            2, 3)",
    "    End With",
    "\tSelect Case total",
    "\t\tCase Is > 100: s = \"大\"",
    "\t\tCase Else: s = \"小\"",
    "\tEnd Select",
    "    MsgBox Prompt:=\"合計：\" & total, Buttons:=vbOKOnly, Title:=\"集計\"",
    "10  Summarize = total: Exit Function",
    "Retry:",
    "    i = i + 1: If i < 3 Then Resume Retry",
    "ErrHandler:",
    "    Debug.Assert Err.Number <> 0",
    "    Resume Next",
    "End Function",
    "",
    "Sub Test()",
    "    Dim　x　As　Long  ' 全角スペース",
    "    x = Summarize(\"Sheet1\", _",
    "        limit:=3)",
    "    Open \"C:\\a.txt\" For Binary Access Read As #1",
    "    Line Input #1, s: Close #1",
    "    Mid$(s, 1, 1) = \"X\": x = Len(s) & \"'\"",
    "    If x = 0 Then x = 1 Else x = 2 ' 条件 Then",
    "    Call Foo(IsThen _",
    "        , CInt(x))",
    "    GoSub Sub1",
    "\tx = &HFF + 10& - 3#\t",
    "Sub1:",
    "    Return",
    "End Sub",
};

// The module text as the editor gives it: lines joined by CR LF.
std::string ModuleText() {
  std::string text;
  for (size_t i = 0; i < std::size(kModule); ++i) {
    if (i > 0) text += "\r\n";
    text += kModule[i];
  }
  return text;
}

// A source line as the editor shows it: tabs to the next stop, no trailing spaces.
std::string Shown(const std::string& line) {
  std::string out;
  int column = 1;
  for (size_t i = 0; i < line.size(); ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c == '\t') {
      const int n = kTabWidth - (column - 1) % kTabWidth;
      out.append(n, ' ');
      column += n;
      continue;
    }
    out += line[i];
    if ((c & 0xC0) != 0x80) ++column;  // count characters, not bytes
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// The text a browser shows for one line of markup: tags removed, entities decoded.
std::string Visible(const std::string& html) {
  std::string out;
  for (size_t i = 0; i < html.size(); ++i) {
    if (html[i] == '<') {
      i = html.find('>', i);
      if (i == std::string::npos) break;
      continue;
    }
    if (html[i] == '&') {
      const size_t end = html.find(';', i);
      const std::string entity = html.substr(i, end - i + 1);
      out += entity == "&nbsp;" ? " " : entity == "&amp;" ? "&" : entity == "&lt;" ? "<"
           : entity == "&gt;" ? ">" : entity == "&quot;" ? "\"" : "?";
      i = end;
      continue;
    }
    out += html[i];
  }
  return out;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
    lines.push_back(text.substr(at, end - at));
  }
  if (at < text.size()) lines.push_back(text.substr(at));  // a last line without CR LF
  return lines;
}

struct Options {
  bool styleSheet;
  int cssOption;
  bool pre;
  bool bodyOnly;
  bool separators;
  bool editorColours;
};

std::string Describe(const Options& o) {
  return std::string(o.styleSheet ? "css " + std::to_string(o.cssOption) : "font") + (o.pre ? " pre" : "") +
         (o.bodyOnly ? " body-only" : "") + (o.separators ? " separators" : "") +
         (o.editorColours ? " editor-colours" : " standard-colours");
}

class ModulePropertyTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::SetAnsiCodePage(65001); }
  void TearDown() override {
    CurrentJob.reset();
    platform::SetAnsiCodePage(0);
  }

  void MakeJob(const Options& o) {
    editor::FakeEditor fake;
    fake.project("VBAProject", "/w/Book1.xlsm").module("Utils", kStdModule, ModuleText()).selected();
    vbe_ = fake.build();
    CurrentJob = std::make_shared<clsVBCode>();
    clsVBCode& job = *CurrentJob;
    job.AddComponent(fake.lastComponent());
    job.ProjectBaseName("Book1");
    job.TabWidth(kTabWidth);
    job.FontFace("ＭＳ ゴシック");
    job.FontSize(10);
    job.UseStyleSheet(o.styleSheet);
    job.CssOption(o.cssOption);
    job.UsePreTag(o.pre);
    job.BodyOnly(o.bodyOnly);
    job.EndProcLine(o.separators);
    job.ShowModuleName(true);
    if (o.editorColours) {
      job.SetForeColors("#000000", "#000080", "#008000", "#800000");
      job.SetBackColors("#ffffff", "#ffff00", "#c0c0c0", "#ffffff");
    } else {
      job.SetForeColors("#000000", "#000080", "#008000", "#000000");
      job.SetBackColors("#ffffff", "#ffffff", "#ffffff", "#ffffff");
    }
  }

  editor::MemoryVBEPtr vbe_;  // the editor that holds the module
};

TEST_F(ModulePropertyTest, EveryOptionSetShowsEveryLineAsTheEditorDoes) {
  std::vector<std::string> expected;
  for (const char* line : kModule) expected.push_back(Shown(line));

  for (int style = 0; style < 4; ++style) {
    for (int flags = 0; flags < 16; ++flags) {
      const Options o{style < 3, style < 3 ? style : 0, (flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0,
                      (flags & 8) != 0};
      SCOPED_TRACE(Describe(o));
      MakeJob(o);
      clsConverter converter;
      platform::StringWriter head, body, foot;
      ASSERT_TRUE(converter.BeginModule(head, true, 1));
      int32_t counter = 1;
      for (int j = 1; j <= CurrentJob->CountOfLogicalLines(); ++j) ASSERT_TRUE(converter.WriteLine(body, counter, j));
      ASSERT_TRUE(converter.WriteFooter(foot));

      const std::string page = head.Text() + body.Text() + foot.Text();
      EXPECT_EQ(page.find_first_of("\x1A\t\x0B"), std::string::npos);
      EXPECT_TRUE(page.ends_with("\r\n"));
      for (size_t at = page.find('\n'); at != std::string::npos; at = page.find('\n', at + 1)) {
        ASSERT_EQ(page[at - 1], '\r') << "bare LF at byte " << at;
      }
      for (size_t at = page.find('\r'); at != std::string::npos; at = page.find('\r', at + 1)) {
        ASSERT_EQ(page[at + 1], '\n') << "bare CR at byte " << at;
      }

      std::vector<std::string> shown;
      for (const std::string& line : SplitCrLf(body.Text())) {
        if (line == converter.RuleTag(1)) continue;  // a procedure separator
        std::string text = Visible(line);
        // A style-mode line that begins with a span gets one space after <div>.
        if (line.starts_with("<div> <span")) text.erase(0, 1);
        shown.push_back(text);
      }
      ASSERT_EQ(shown.size(), expected.size());
      for (size_t i = 0; i < expected.size(); ++i) {
        // An empty line in a style mode holds one hard space.
        if (expected[i].empty() && shown[i] == " " && o.styleSheet && !o.pre) continue;
        EXPECT_EQ(shown[i], expected[i]) << "line " << i + 1;
      }
    }
  }
}

}  // namespace
}  // namespace qm::test
