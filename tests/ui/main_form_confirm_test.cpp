// The options dialog's OK, Cancel and file buttons: every check and question
// of OK with the user's answers, what it writes into the job (the line range
// per target and the nineteen choices), its error path, and the file
// button's return to the default path and its save-file dialog.
#include <sstream>

#include "tests/ui/main_form_fixture.h"

namespace qm::test {
namespace {

using Action = platform::FormAction;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

constexpr const char* kDriveMessage = "保存先にはリムーバブルディスクまたは\r\nローカルハードディスクを選択してください。";
constexpr const char* kInvalidSize = "フォントサイズの設定値が不正です。";
constexpr const char* kSizeRange = "フォントサイズは６～２４の範囲で設定して下さい。";
constexpr const char* kTooLong = "ファイル名はパスも含めて２５５文字\r\n(全角は２文字換算)までで設定して下さい。";
constexpr const char* kCssQuestion = "スタイルシートファイル Quillmark.css は、\r\n同名のファイルが存在します。置き換えますか？";

// The job's range and the nineteen members OK writes, in the order it writes them.
std::string JobDump(const clsVBCode& j) {
  std::ostringstream o;
  o << "StartLine=" << j.StartLine() << " LineCount=" << j.LineCount() << " | FontSize=" << j.FontSize()
    << " BodyOnly=" << j.BodyOnly() << " EndProcLine=" << j.EndProcLine() << " IgnoreCharSet=" << j.IgnoreCharSet()
    << " FileName=" << j.FileName() << " Operation=" << j.Operation() << " RememberFolder=" << j.RememberFolder()
    << " UseNormalColor=" << j.UseNormalColor() << " UsePreTag=" << j.UsePreTag() << " CssOption=" << j.CssOption()
    << " UseStyleSheet=" << j.UseStyleSheet() << " ShowModuleName=" << j.ShowModuleName()
    << " UseJavaScript=" << j.UseJavaScript() << " HeldBodyOnly=" << j.HeldBodyOnly()
    << " HeldEndProcLine=" << j.HeldEndProcLine() << " HeldFontSize=" << j.HeldFontSize()
    << " ProjectTitle=" << j.ProjectTitle() << " HeldCssOption=" << j.HeldCssOption()
    << " TargetMode=" << j.TargetMode();
  return o.str();
}

struct CheckCase {
  const char* name;
  bool styleSheet;
  const char* size;
  std::string path;
  int codePage;
  const char* message;  // empty: the checks pass and the dialog closes
};

TEST_F(MainFormTest, OkChecksFontSizeDriveAndPathLength) {
  const std::string fullWidth123 = [] {
    std::string s;
    for (int i = 0; i < 123; ++i) s += "あ";
    return s;
  }();
  const CheckCase cases[] = {
      {"empty size", true, "", "/out/a.htm", 65001, kInvalidSize},
      {"size 5", true, "5", "/out/a.htm", 65001, kSizeRange},
      {"size 6", true, "6", "/out/a.htm", 65001, ""},
      {"size 24", true, "24", "/out/a.htm", 65001, ""},
      {"size 25", true, "25", "/out/a.htm", 65001, kSizeRange},
      {"no style sheet, no size check", false, "", "/out/a.htm", 65001, ""},
      {"255 bytes", false, "", "/out/" + std::string(246, 'a') + ".htm", 65001, ""},
      {"256 bytes", false, "", "/out/" + std::string(247, 'a') + ".htm", 65001, kTooLong},
      {"full-width counts two in Shift-JIS", false, "", "/out/" + fullWidth123 + ".htm", 932, ""},
      {"one more full-width", false, "", "/out/" + fullWidth123 + "あ.htm", 932, kTooLong},
      {"same text in UTF-8", false, "", "/out/" + fullWidth123 + ".htm", 65001, kTooLong},
      {"network drive", false, "", "/net/a.htm", 65001, kDriveMessage},
      {"drive before length", false, "", "/net/" + std::string(300, 'a'), 65001, kDriveMessage},
      {"size before drive", true, "30", "/net/a.htm", 65001, kSizeRange},
  };
  for (const CheckCase& c : cases) {
    SCOPED_TRACE(c.name);
    platform::SetAnsiCodePage(c.codePage);
    boxes = {};
    UseModules(2);
    Open();
    Do({Action::Tick("chkStyleSheet", c.styleSheet)});
    if (c.styleSheet) Do({Action::Type("cboFontSize", c.size)});
    form->SetFileLabel(c.path);
    Do({Action::Click("cmdOK")});
    if (*c.message) {
      ASSERT_EQ(Messages(), std::vector<std::string>{c.message});
      EXPECT_EQ(boxes.ShownBoxes()[0].icon, MsgIcon::Error);
      EXPECT_TRUE(form->Visible()) << "the dialog stays open";
      EXPECT_TRUE(form->Cancelled());
      EXPECT_EQ(job().FileName(), "") << "nothing written";
    } else {
      EXPECT_TRUE(Messages().empty());
      EXPECT_FALSE(form->Visible());
      EXPECT_FALSE(form->Cancelled());
      EXPECT_EQ(job().FileName(), c.path);
    }
  }
}

TEST_F(MainFormTest, CopyAndShowSkipThePathChecks) {
  InstallBrowser();
  for (const char* operation : {"optOperationCopy", "optOperationShow"}) {
    Open(Opening().Folder("/net"));
    Do({Action::Tick("chkStyleSheet", false), Action::Click(operation)});
    EXPECT_EQ(Path(), "/net/Book1_Module1.htm") << "a path that saving would refuse";
    Do({Action::Click("cmdOK")});
    EXPECT_TRUE(Messages().empty()) << operation;
    EXPECT_FALSE(form->Cancelled()) << operation;
  }
}

TEST_F(MainFormTest, StyleSheetFileQuestionDecidesWriteCssFile) {
  files.AddFile("/out/Quillmark.css", "old");
  settings().CssOption(2);
  const struct {
    MsgResult answer;
    bool closed, writeCss;
  } cases[] = {{MsgResult::Yes, true, true}, {MsgResult::No, true, false}, {MsgResult::Cancel, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.answer));
    boxes = {};
    UseModules(2);
    boxes.Answer(c.answer);
    Open();
    Do({Action::Click("cmdOK")});
    ASSERT_EQ(Messages(), std::vector<std::string>{kCssQuestion});
    EXPECT_EQ(boxes.ShownBoxes()[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(boxes.ShownBoxes()[0].icon, MsgIcon::Question);
    EXPECT_EQ(!form->Visible(), c.closed);
    EXPECT_EQ(job().WriteCssFile(), c.writeCss);
    EXPECT_EQ(job().FileName().empty(), !c.closed);
  }
}

TEST_F(MainFormTest, StyleSheetFileWithoutQuestion) {
  settings().CssOption(2);
  Open();  // no style sheet in /out yet
  Do({Action::Click("cmdOK")});
  EXPECT_TRUE(job().WriteCssFile());

  files.AddFile("/out/Book1/Quillmark.css", "old");
  settings().TargetMode(3);
  UseModules(2);
  Open();
  Do({Action::Click("cmdOK")});
  EXPECT_TRUE(Messages().empty()) << "the whole project always writes its style sheet";
  EXPECT_TRUE(job().WriteCssFile());

  settings().TargetMode(0);
  settings().CssOption(0);
  UseModules(2);
  Open();
  Do({Action::Click("cmdOK")});
  EXPECT_FALSE(job().WriteCssFile()) << "no external placement";
}

TEST_F(MainFormTest, CopyWithStyleSheetFileStillAsksForTheLabelsFolder) {
  files.AddFile("/out/Quillmark.css", "old");
  files.AddFile("/out/Book1_Module1.htm", "old");
  settings().Operation(1);
  settings().CssOption(2);
  boxes.Answer(MsgResult::No);
  Open();
  Do({Action::Click("cmdOK")});
  EXPECT_EQ(Messages(), std::vector<std::string>{kCssQuestion}) << "no replace question for the HTML file";
  EXPECT_FALSE(job().WriteCssFile());
  EXPECT_FALSE(form->Cancelled());
}

TEST_F(MainFormTest, ReplaceQuestionsForExistingOutput) {
  files.AddFolder("/out/Book1");
  files.AddFile("/out/Book1_Module1.htm", "old");
  const struct {
    int32_t target;
    MsgResult answer;
    const char* message;
    MsgButtons buttons;
    MsgIcon icon;
    bool closed;
  } cases[] = {
      {3, MsgResult::OK, "Book1 フォルダは既に存在します。\r\nフォルダ内の出力ファイルと同名のファイルは置き換えられます。",
       MsgButtons::OKCancel, MsgIcon::Information, true},
      {3, MsgResult::Cancel, "Book1 フォルダは既に存在します。\r\nフォルダ内の出力ファイルと同名のファイルは置き換えられます。",
       MsgButtons::OKCancel, MsgIcon::Information, false},
      {0, MsgResult::OK, "Book1_Module1.htm は、\r\n同名のファイルが存在します。置き換えますか？", MsgButtons::OKCancel,
       MsgIcon::Question, true},
      {0, MsgResult::Cancel, "Book1_Module1.htm は、\r\n同名のファイルが存在します。置き換えますか？",
       MsgButtons::OKCancel, MsgIcon::Question, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "target " << c.target << " answer " << static_cast<int>(c.answer));
    boxes = {};
    UseModules(2);
    settings().TargetMode(c.target);
    boxes.Answer(c.answer);
    Open();
    Do({Action::Click("cmdOK")});
    ASSERT_EQ(Messages(), std::vector<std::string>{c.message});
    EXPECT_EQ(boxes.ShownBoxes()[0].buttons, c.buttons);
    EXPECT_EQ(boxes.ShownBoxes()[0].icon, c.icon);
    EXPECT_EQ(!form->Visible(), c.closed);
    EXPECT_EQ(form->Cancelled(), !c.closed);
  }
}

TEST_F(MainFormTest, CancelledPressLeavesNoStyleSheetDecisionBehind) {
  files.AddFile("/out/Book1_Module1.htm", "old");
  settings().CssOption(2);
  boxes.Answer(MsgResult::Cancel);  // the replace question of the first press
  Open();
  Do({Action::Click("cmdOK")});
  EXPECT_TRUE(form->Visible());
  Do({Action::Choose("cboCSSOption", 0), Action::Click("cmdOK")});
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(job().WriteCssFile()) << "the first press's decision is not kept";
}

TEST_F(MainFormTest, OkWritesTheRangeAndEveryChoiceIntoTheJob) {
  Open(Opening().Remembered("/out/last"));
  Do({Action::Click("cmdOK")});
  EXPECT_EQ(JobDump(job()),
            "StartLine=1 LineCount=6 | FontSize=10 BodyOnly=0 EndProcLine=1 IgnoreCharSet=0 "
            "FileName=/out/last/Book1_Module1.htm Operation=0 RememberFolder=1 UseNormalColor=0 UsePreTag=0 "
            "CssOption=0 UseStyleSheet=1 ShowModuleName=0 UseJavaScript=0 HeldBodyOnly=1 HeldEndProcLine=1 "
            "HeldFontSize=10 ProjectTitle=VBAProject (Book1.xlsm) HeldCssOption=0 TargetMode=0");

  UseModules(2);
  settings().FontSize(12);
  Open(Opening().Remembered("/out/last"));
  Do({Action::Click("optOperationCopy"), Action::Click("optTargetProc"), Action::Tick("chkStyleSheet", false),
      Action::Tick("chkIgnoreCharSet", true), Action::Tick("chkModuleName", true),
      Action::Tick("chkNormalColor", true), Action::Tick("chkPreTag", true), Action::Click("cmdOK")});
  EXPECT_EQ(JobDump(job()),
            "StartLine=2 LineCount=4 | FontSize=0 BodyOnly=1 EndProcLine=0 IgnoreCharSet=1 FileName= Operation=1 "
            "RememberFolder=0 UseNormalColor=1 UsePreTag=1 CssOption=-1 UseStyleSheet=0 ShowModuleName=1 "
            "UseJavaScript=0 HeldBodyOnly=1 HeldEndProcLine=1 HeldFontSize=12 "
            "ProjectTitle=VBAProject (Book1.xlsm) HeldCssOption=0 TargetMode=1");
}

TEST_F(MainFormTest, RangeFollowsTheTarget) {
  const struct {
    const char* option;
    const char* range;
  } cases[] = {
      {"optTargetMod", "StartLine=1 LineCount=6"},
      {"optTargetProc", "StartLine=2 LineCount=4"},
      {"optTargetSel", "StartLine=3 LineCount=3"},
      {"optTargetPj", "StartLine=0 LineCount=0"},
  };
  for (const auto& c : cases) {
    UseModules(2);
    Open();
    Do({Action::Click(c.option), Action::Click("cmdOK")});
    EXPECT_EQ(JobDump(job()).substr(0, JobDump(job()).find(" |")), c.range) << c.option;
  }
}

TEST_F(MainFormTest, ErrorWhileWritingClosesWithItsNumber) {
  UseModules(2, /*failingLineCount=*/true);
  Open();
  Do({Action::Click("cmdOK")});
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->ErrorNumber(), -2147467259);
  EXPECT_TRUE(form->Cancelled());
  EXPECT_EQ(job().FileName(), "") << "the range comes before the choices";
}

TEST_F(MainFormTest, CancelClosesAsCancelled) {
  Open();
  Do({Action::Escape()});
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(form->Cancelled());
  EXPECT_EQ(form->ErrorNumber(), 0);
  EXPECT_EQ(job().FileName(), "");
}

TEST_F(MainFormTest, FileButtonOpensTheSaveDialogAtOnceOnTheDefaultPath) {
  fileDialog.Choose("/out/sub/page.htm");
  fileDialog.Choose("/out/sub/other.htm");
  fileDialog.Cancel();
  Open();
  Do({Action::Click("cmdFile")});
  EXPECT_TRUE(Messages().empty());
  ASSERT_EQ(fileDialog.Requests().size(), 1u);
  EXPECT_EQ(fileDialog.Requests()[0].fileName, "Book1_Module1.htm");
  EXPECT_EQ(Path(), "/out/sub/page.htm");
  EXPECT_TRUE(form->HasChosenFolder());
  EXPECT_EQ(form->ChosenFolder(), "/out/sub");

  boxes.Answer(MsgResult::No);  // keep the chosen name and pick again
  Do({Action::Click("cmdFile")});
  EXPECT_EQ(Path(), "/out/sub/other.htm") << "a file in the label's folder changes the label only";
  boxes.Answer(MsgResult::No);
  Do({Action::Click("cmdFile")});
  EXPECT_EQ(Path(), "/out/sub/other.htm") << "a cancelled dialog changes nothing";
  EXPECT_EQ(fileDialog.Requests().size(), 3u);
  EXPECT_TRUE(form->Visible());
}

TEST_F(MainFormTest, FileButtonGoesBackToTheDefaultPath) {
  Open(Opening().Remembered("/out/last"));
  boxes.Answer(MsgResult::Cancel);
  Do({Action::Click("cmdFile")});
  EXPECT_EQ(Messages(), std::vector<std::string>{"既定のファイル名に戻しますか？"});
  EXPECT_EQ(boxes.ShownBoxes()[0].buttons, MsgButtons::YesNoCancel);
  EXPECT_EQ(Path(), "/out/last/Book1_Module1.htm");
  EXPECT_TRUE(fileDialog.Requests().empty());

  boxes.Answer(MsgResult::Yes);
  Do({Action::Click("cmdFile")});
  EXPECT_EQ(Path(), "/out/Book1_Module1.htm");
  EXPECT_FALSE(form->HasChosenFolder());
  EXPECT_EQ(form->ChosenFolder(), "");
  EXPECT_TRUE(fileDialog.Requests().empty());
  Do({Action::Click("cmdOK")});
  EXPECT_FALSE(job().RememberFolder());
}

TEST_F(MainFormTest, FailingSaveDialogClosesWithItsNumber) {
  fileDialog.Fail(5);
  Open();
  Do({Action::Click("cmdFile")});
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->ErrorNumber(), 5);
  EXPECT_TRUE(form->Cancelled());
}

}  // namespace
}  // namespace qm::test
