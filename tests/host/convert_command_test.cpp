// The conversion command as a whole over the in-memory editor: the selection
// checks, what the options dialog is opened with (component order, default
// names, folders, titles), the checks and questions that end the command
// before the dialog, the general error message, and when the dialog state
// is remembered.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addin/host/convert_command.h"
#include "tests/host/command_fixture.h"

namespace qm::test {
namespace {

using platform::FormAction;
using platform::MsgIcon;
using platform::MsgResult;

constexpr const char* kStop = "\r\n処理を中止します。";
constexpr const char* kNotCompiled =
    "プロジェクトがコンパイルされていません。\r\n正しく変換されない可能性があります。\r\n処理を続行しますか？";
constexpr const char* kNotActive = "選択されたモジュールがアクティブではありません。\r\nアクティブにして処理を続行しますか？";

TEST_F(CommandTest, ASelectionWithoutCodeStopsBeforeAnythingIsCreated) {
  const struct {
    const char* what;
    editor::FakeEditor editor;
    std::string reason;
  } cases[] = {
      {"no project", editor::FakeEditor(), "プロジェクトが選択されていません。"},
      {"nothing selected", editor::FakeEditor().project("P", "/w/B.xlsm").module("M", kStdModule, "Sub A()\r\nEnd Sub"),
       "モジュールが選択されていません。"},
      {"no code module", editor::FakeEditor().project("P", "/w/B.xlsm").component("D", kDesigner).selected(),
       "選択されたコンポーネントにはモジュールがありません。"},
      {"empty module", editor::FakeEditor().project("P", "/w/B.xlsm").module("M", kStdModule, "").selected(),
       "モジュールにコードがありません。"},
      {"unreadable module",
       editor::FakeEditor().project("P", "/w/B.xlsm").module("M", kStdModule, "x").selected().failingLineCount(),
       "モジュールが選択されていません。"},
  };
  for (const auto& c : cases) {
    platform::ScriptedMessageBox caseBoxes;
    platform::ScopedMessageBox useCaseBoxes(caseBoxes);
    Connect(c.editor);
    ConvertCommand();
    ASSERT_EQ(caseBoxes.ShownBoxes().size(), 1u) << c.what;
    EXPECT_EQ(caseBoxes.ShownBoxes()[0].text, c.reason + kStop) << c.what;
    EXPECT_EQ(caseBoxes.ShownBoxes()[0].caption, "Ferravel");
    EXPECT_EQ(caseBoxes.ShownBoxes()[0].icon, MsgIcon::Error);
    EXPECT_EQ(CurrentJob, nullptr);
    EXPECT_EQ(RememberedSettings, nullptr);
  }
  EXPECT_TRUE(forms.ShownForms().empty());
}

TEST_F(CommandTest, OpensTheDialogWithComponentsInConversionOrder) {
  editor::FakeEditor builder = UsualEditor();
  builder.module("alpha", kStdModule, "' a")
      .module("Sheet10", kDocument, "' s10")
      .module("Class1", kClassModule, "' c")
      .module("Empty", kStdModule, "")
      .module("Zeta", kStdModule, "' Z")
      .module("UserForm1", kMSForm, "' f")
      .module("Sheet1", kDocument, "' s1")
      .component("Designer1", kDesigner);  // no code module
  Connect(builder);
  ConvertCommand();

  ASSERT_EQ(forms.openings.size(), 1u);
  const DialogOpening& o = forms.openings[0];
  // ThisWorkbook, Empty and Designer1 hold no code line and are left out.
  EXPECT_EQ(o.components,
            (std::vector<std::string>{"Sheet1", "Sheet10", "UserForm1", "Module1", "Zeta", "alpha", "Class1"}));
  EXPECT_EQ(o.projectTitle, "VBAProject (Book1.xlsm)");
  EXPECT_EQ(o.baseName, "Book1");
  EXPECT_EQ(o.defaultFolder, "/w");
  EXPECT_EQ(o.pathLabel, "/w/Book1_Module1.htm");
  EXPECT_EQ(o.tabWidth, 4);
  EXPECT_EQ(o.fontFace, "ＭＳ ゴシック");
  EXPECT_EQ(CurrentJob, nullptr);  // released after the cancelled dialog
}

TEST_F(CommandTest, DefaultNamesFollowTheSelection) {
  const struct {
    int line, column, lastLine, lastColumn;
    const char* procedure;  // default name 1
    const char* lines;      // default name 2
  } cases[] = {
      {7, 3, 7, 3, "Book1_Module1_Main.htm", "Book1_Module1_7-7.htm"},
      {6, 1, 6, 1, "Book1_Module1_Main.htm", "Book1_Module1_5-6.htm"},  // a continued line
      {7, 1, 9, 1, "Book1_Module1_Main.htm", "Book1_Module1_7-8.htm"},
      {2, 1, 2, 5, "Book1_Module1_(Declarations).htm", "Book1_Module1_2-2.htm"},
      {3, 1, 3, 1, "Book1_Module1_Main.htm", ""},                       // a blank line is no selection
      {2, 1, 5, 1, "", "Book1_Module1_2-4.htm"},                        // declarations into Main
  };
  for (const auto& c : cases) {
    editor::FakeEditor builder = UsualEditor();
    builder.selection(c.line, c.column, c.lastLine, c.lastColumn);
    Connect(builder);
    forms.openings.clear();
    ConvertCommand();
    ASSERT_EQ(forms.openings.size(), 1u);
    const auto& names = forms.openings[0].defaultNames;
    EXPECT_EQ(names[0], "Book1_Module1.htm");
    EXPECT_EQ(names[1], c.procedure) << c.line << "-" << c.lastLine;
    EXPECT_EQ(names[2], c.lines) << c.line << "-" << c.lastLine;
    EXPECT_EQ(names[3], "Book1/index.htm");
  }
}

TEST_F(CommandTest, ProposesTheDocumentsFolderWithoutAUsableProjectFolder) {
  const struct {
    const char* what;
    editor::FakeEditor editor;
    const char* title;
    const char* baseName;
  } cases[] = {
      {"never saved", editor::FakeEditor().project("VBAProject", "", "Book2").module("ThisWorkbook", kDocument, ""),
       "VBAProject (Book2)", "Book2"},
      {"no file, no document", editor::FakeEditor().project("VBAProject", "", ""), "VBAProject", "VBAProject"},
      {"on a CD-ROM", editor::FakeEditor().project("VBAProject", "/cd/Book1.xlsm"), "VBAProject (Book1.xlsm)",
       "Book1"},
  };
  for (const auto& c : cases) {
    editor::FakeEditor builder = c.editor;
    builder.module("Module1", kStdModule, kMainModule).selected().caret(5).shown();
    Connect(builder);
    forms.openings.clear();
    ConvertCommand();
    ASSERT_EQ(forms.openings.size(), 1u) << c.what;
    const DialogOpening& o = forms.openings[0];
    EXPECT_EQ(o.projectTitle, c.title) << c.what;
    EXPECT_EQ(o.baseName, c.baseName) << c.what;
    EXPECT_EQ(o.defaultNames[0], std::string(c.baseName) + "_Module1.htm") << c.what;
    EXPECT_EQ(o.defaultFolder, "/home/u/Documents") << c.what;
  }
}

TEST_F(CommandTest, OffersTheLastFolderOnlyToTheSameProjectTitle) {
  for (const char* lastTitle : {"VBAProject (Book1.xlsm)", "VBAProject (Book1.xls)"}) {
    RememberedSettings = std::make_shared<clsSettings>();
    RememberedSettings->LastFolder("/w/site");
    RememberedSettings->LastProjectTitle(lastTitle);
    Connect(UsualEditor());
    forms.openings.clear();
    ConvertCommand();
    ASSERT_EQ(forms.openings.size(), 1u);
    const bool same = std::string(lastTitle) == "VBAProject (Book1.xlsm)";
    EXPECT_EQ(forms.openings[0].chosenFolder, same ? "/w/site" : "/w") << lastTitle;
  }
}

TEST_F(CommandTest, TooLittleWorkSpaceEndsBeforeTheDialog) {
  const uint64_t needed = ModuleSizeEstimate(kMainModule, 4);
  files.VolumeAt("/work").freeBytes = needed - 1;
  Connect(UsualEditor());
  ConvertCommand();
  EXPECT_EQ(Messages(), std::vector<std::string>{"作業用ドライブの空き容量が足りません。\r\n処理を中止します。"});
  EXPECT_EQ(boxes.ShownBoxes()[0].icon, MsgIcon::Error);
  EXPECT_TRUE(forms.ShownForms().empty());
  EXPECT_EQ(RememberedSettings, nullptr);
  EXPECT_EQ(CurrentJob, nullptr);

  files.VolumeAt("/work").freeBytes = needed;
  ConvertCommand();
  EXPECT_EQ(forms.ShownForms(), std::vector<std::string>{"frmMain"});
}

TEST_F(CommandTest, AnUncompiledProjectIsConvertedOnlyWhenTheUserSaysSo) {
  editor::FakeEditor builder = UsualEditor();
  builder.compiled(false);
  Connect(builder);

  boxes.Answer(MsgResult::No);
  ConvertCommand();
  EXPECT_EQ(Messages(), (std::vector<std::string>{kNotCompiled, "プロジェクトをコンパイルしてから再実行してください。"}));
  EXPECT_EQ(boxes.ShownBoxes()[0].buttons, platform::MsgButtons::YesNo);
  EXPECT_EQ(boxes.ShownBoxes()[0].icon, MsgIcon::Warning);
  EXPECT_EQ(boxes.ShownBoxes()[1].icon, MsgIcon::Information);
  EXPECT_TRUE(forms.ShownForms().empty());
  EXPECT_EQ(RememberedSettings, nullptr);

  boxes.Answer(MsgResult::Yes);
  ConvertCommand();
  EXPECT_EQ(Messages().size(), 3u);
  EXPECT_EQ(forms.ShownForms(), std::vector<std::string>{"frmMain"});
}

TEST_F(CommandTest, AModuleWhoseWindowIsNotInFrontIsActivatedOnlyWhenTheUserSaysSo) {
  editor::FakeEditor builder = UsualEditor();
  builder.module("Module2", kStdModule, "' other").shown();  // Module1 stays selected
  Connect(builder);
  const auto module1 = vbe->FindProject("VBAProject")->FindComponent("Module1");
  ASSERT_EQ(vbe->SelectedVBComponent(), module1);

  boxes.Answer(MsgResult::No);
  ConvertCommand();
  EXPECT_EQ(Messages(), std::vector<std::string>{kNotActive});
  EXPECT_EQ(boxes.ShownBoxes()[0].icon, MsgIcon::Warning);
  EXPECT_TRUE(forms.ShownForms().empty());
  EXPECT_EQ(RememberedSettings, nullptr);

  boxes.Answer(MsgResult::Yes);
  ConvertCommand();
  EXPECT_EQ(vbe->ActiveCodePane(), module1->CodeModule()->CodePane());
  EXPECT_EQ(forms.ShownForms(), std::vector<std::string>{"frmMain"});
  EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(CommandTest, AnErrorShowsTheGeneralMessageAndRestoresTheMaximisedWindow) {
  platform::MemoryRegistry noSettings;  // the editor's key is missing
  platform::ScopedCurrentRegistry useNoSettings(noSettings);
  editor::FakeEditor builder = UsualEditor();
  auto window = builder.lastComponent()->Module()->Pane()->CodeWindow();
  window->SetGeometry(40, 20, 300, 200);
  window->WindowState(kWindowMaximized);
  Connect(builder);

  ConvertCommand();
  EXPECT_EQ(Messages(), std::vector<std::string>{"エラーが発生しました。処理を中止します。\r\nエラー番号：10100\r\n"
                                                 "レジストリがオープンできませんでした。"});
  EXPECT_EQ(boxes.ShownBoxes()[0].icon, MsgIcon::Error);
  EXPECT_EQ(window->WindowState(), kWindowMaximized);
  EXPECT_EQ(window->NormalRect().left, 0);
  EXPECT_EQ(window->NormalRect().top, 0);
  EXPECT_EQ(CurrentJob, nullptr);
  EXPECT_EQ(RememberedSettings, nullptr);
}

// The user ticks "show the module name" and confirms; the dialog state is
// remembered only when the run reaches its end.
TEST_F(CommandTest, RemembersTheDialogStateOnlyAfterARunWithoutFailure) {
  const struct {
    const char* what;
    bool confirm;
    uint64_t outputRoom;  // free bytes of the output volume
    bool readOnlyOutput;
    bool remembered;
    std::vector<std::string> messages;
  } cases[] = {
      {"finished", true, uint64_t{1} << 30, false, true, {}},
      {"cancelled", false, uint64_t{1} << 30, false, false, {}},
      {"failed", true, 100, false, false, {"保存できませんでした。"}},
      {"error", true, uint64_t{1} << 30, true, false,
       {"エラーが発生しました。処理を中止します。\r\nエラー番号：70\r\n書き込みできません。"}},
  };
  for (const auto& c : cases) {
    platform::MemoryFileSystem caseFiles;
    caseFiles.AddVolume("/work", {});
    caseFiles.AddFolder("/work");
    caseFiles.AddVolume("/w", {});
    caseFiles.AddFolder("/w");
    caseFiles.VolumeAt("/w").freeBytes = c.outputRoom;
    if (c.readOnlyOutput) caseFiles.MakeReadOnly("/w");
    platform::ScopedFileSystem useCaseFiles(caseFiles);
    platform::ScriptedMessageBox caseBoxes;
    platform::ScopedMessageBox useCaseBoxes(caseBoxes);
    RememberedSettings.reset();
    Connect(UsualEditor());
    std::vector<FormAction> actions = {FormAction::Tick("chkModuleName", true)};
    if (c.confirm) {
      ScriptConfirmedRun(actions);
    } else {
      actions.push_back(FormAction::Escape());
      forms.Script("frmMain", actions);
    }
    ConvertCommand();

    std::vector<std::string> texts;
    for (const auto& box : caseBoxes.ShownBoxes()) texts.push_back(box.text);
    EXPECT_EQ(texts, c.messages) << c.what;
    ASSERT_NE(RememberedSettings, nullptr) << c.what;
    EXPECT_EQ(RememberedSettings->ShowModuleName(), c.remembered) << c.what;
    EXPECT_EQ(RememberedSettings->LastProjectTitle(), c.remembered ? "VBAProject (Book1.xlsm)" : "") << c.what;
    EXPECT_EQ(caseFiles.FileExists("/w/Book1_Module1.htm"), c.what == std::string("finished")) << c.what;
    EXPECT_TRUE(caseFiles.FilesIn("/work").empty()) << c.what;  // no work file left behind
    EXPECT_EQ(CurrentJob, nullptr) << c.what;
  }
}

}  // namespace
}  // namespace qm::test
