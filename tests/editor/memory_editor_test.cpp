// The in-memory editor as the add-in reads it: project files, document
// properties, lines, selections, the active pane, windows and captions, and
// projects built from a loader's record.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "editor/fake_editor.h"
#include "editor/memory_editor.h"
#include "tests/support/error_number.h"

namespace qm::editor {
namespace {

using test::ErrorNumberOf;

TEST(MemoryProjectTest, FileNameRaisesWithoutAFile) {
  auto vbe = FakeEditor().project("Saved", "C:\\w\\Book1.xlsm").project("Unsaved", "", "Book2").build();
  EXPECT_EQ(vbe->VBProjects()[0]->FileName(), "C:\\w\\Book1.xlsm");
  EXPECT_EQ(ErrorNumberOf([&] { vbe->VBProjects()[1]->FileName(); }), kErrPathNotFound);
}

TEST(MemoryProjectTest, ComponentsByNameWithoutCase) {
  auto vbe = FakeEditor().module("Module1", kStdModule, "").module("Class1", kClassModule, "").build();
  auto project = vbe->ActiveVBProject();
  EXPECT_EQ(project->VBComponent("module1")->Name(), "Module1");
  EXPECT_EQ(project->VBComponent("CLASS1")->Type(), kClassModule);
  EXPECT_EQ(ErrorNumberOf([&] { project->VBComponent("Module2"); }), kErrSubscriptOutOfRange);
}

// Which component answers "FullName" and what "Name" gives, per project.
TEST(MemoryComponentTest, FullNameOnlyOnTheHostDocument) {
  auto vbe = FakeEditor()
                 .project("VBAProject", "C:\\w\\Book1.xlsm")
                 .module("Module1", kStdModule, "")
                 .module("ThisWorkbook", kDocument, "")
                 .module("Sheet1", kDocument, "")
                 .project("Unsaved", "", "Book2")
                 .module("ThisWorkbook", kDocument, "")
                 .project("Exported")
                 .module("Sheet1", kDocument, "")
                 .build();
  auto saved = vbe->VBProjects()[0];
  EXPECT_EQ(saved->VBComponent("ThisWorkbook")->Property("FullName"), "C:\\w\\Book1.xlsm");
  EXPECT_EQ(saved->VBComponent("ThisWorkbook")->Property("name"), "Book1.xlsm");
  EXPECT_EQ(saved->VBComponent("Sheet1")->Property("Name"), "Sheet1");
  EXPECT_NE(ErrorNumberOf([&] { saved->VBComponent("Sheet1")->Property("FullName"); }), 0);
  EXPECT_NE(ErrorNumberOf([&] { saved->VBComponent("Module1")->Property("FullName"); }), 0);
  EXPECT_NE(ErrorNumberOf([&] { saved->VBComponent("Module1")->Property("Name"); }), 0);

  auto unsaved = vbe->VBProjects()[1]->VBComponent("ThisWorkbook");
  EXPECT_EQ(unsaved->Property("FullName"), "Book2");
  EXPECT_EQ(unsaved->Property("Name"), "Book2");
  auto exported = vbe->VBProjects()[2]->VBComponent("Sheet1");
  EXPECT_NE(ErrorNumberOf([&] { exported->Property("FullName"); }), 0);
}

TEST(MemoryCodeModuleTest, LinesJoinedByCrLfAndBadRangesRaise) {
  auto module = MemoryCodeModule::Create("one\r\ntwo\nthree\rfour\r\n");
  ASSERT_EQ(module->CountOfLines(), 4);
  EXPECT_EQ(module->Lines(2, 2), "two\r\nthree");
  EXPECT_EQ(module->Lines(1, 4), "one\r\ntwo\r\nthree\r\nfour");
  EXPECT_EQ(module->Lines(5, 0), "");
  for (auto [first, count] : {std::pair{0, 1}, {4, 2}, {6, 0}, {1, -1}}) {
    EXPECT_EQ(ErrorNumberOf([&] { module->Lines(first, count); }), kErrSubscriptOutOfRange)
        << first << "," << count;
  }
}

TEST(MemoryCodeModuleTest, AnyLineBreakEndsALineAndAFinalOneOpensNone) {
  const struct {
    const char* text;
    int count;
    const char* lines;  // Lines(1, count)
  } cases[] = {
      {"", 0, ""},           {"\r\n", 1, ""},           {"\r", 1, ""},       {"\n\n", 2, "\r\n"},
      {"a\r", 1, "a"},       {"a\r\r\n", 2, "a\r\n"},   {"a\n\rb", 3, "a\r\n\r\nb"}, {"a\r\nb", 2, "a\r\nb"},
      {"a\r\nb\r\n", 2, "a\r\nb"}, {" \t\r\n\r\n", 2, " \t\r\n"},
  };
  for (const auto& c : cases) {
    auto module = MemoryCodeModule::Create(c.text);
    EXPECT_EQ(module->CountOfLines(), c.count) << c.text;
    EXPECT_EQ(module->Lines(1, c.count), c.lines) << c.text;
  }
}

TEST(MemoryCodeModuleTest, ReplacedLineKeepsTheOtherLinesInPlace) {
  auto module = MemoryCodeModule::Create("a\r\nbb\r\nccc");
  module->ReplaceLine(1, "xxxx");
  EXPECT_EQ(module->Lines(2, 2), "bb\r\nccc");
  module->ReplaceLine(3, "");
  EXPECT_EQ(module->Lines(1, 3), "xxxx\r\nbb\r\n");
  module->ReplaceLine(2, "p\r\nq");  // a break inside the new text makes no new line
  EXPECT_EQ(module->CountOfLines(), 3);
  EXPECT_EQ(module->Lines(2, 1), "p\r\nq");
  EXPECT_EQ(module->Lines(3, 1), "");
  EXPECT_EQ(ErrorNumberOf([&] { module->ReplaceLine(4, "d"); }), kErrSubscriptOutOfRange);
}

TEST(MemoryCodeModuleTest, CallsCanBeMadeToFail) {
  auto vbe = FakeEditor().module("Module1", kStdModule, "Sub A()\r\nEnd Sub").selected().failingLineCount().build();
  auto module = std::static_pointer_cast<MemoryCodeModule>(vbe->SelectedVBComponent()->CodeModule());
  EXPECT_NE(ErrorNumberOf([&] { module->CountOfLines(); }), 0);
  module->SetProcOfLineFails(2);
  int kind = 0;
  EXPECT_EQ(module->ProcOfLine(1, kind), "A");
  EXPECT_NE(ErrorNumberOf([&] { module->ProcOfLine(2, kind); }), 0);
}

TEST(MemoryCodePaneTest, SelectionAndActivePane) {
  auto vbe = FakeEditor()
                 .project("VBAProject", "/w/Book1.xlsm")
                 .module("Module1", kStdModule, "a\r\nb\r\nc")
                 .selection(1, 3, 2, 1)
                 .shown()
                 .module("Module2", kStdModule, "d")
                 .caret(1, 2)
                 .selected()
                 .build();
  int sl = 0, sc = 0, el = 0, ec = 0;
  vbe->ActiveCodePane()->GetSelection(sl, sc, el, ec);
  EXPECT_EQ((std::vector{sl, sc, el, ec}), (std::vector{1, 3, 2, 1}));
  EXPECT_EQ(vbe->ActiveCodePane()->CodeModule()->Lines(1, 1), "a");
  EXPECT_EQ(vbe->SelectedVBComponent()->Name(), "Module2");

  auto pane = vbe->SelectedVBComponent()->CodeModule()->CodePane();
  pane->GetSelection(sl, sc, el, ec);
  EXPECT_EQ((std::vector{sl, sc, el, ec}), (std::vector{1, 2, 1, 2}));
  pane->Show();
  EXPECT_EQ(vbe->ActiveCodePane(), pane);
  ASSERT_EQ(vbe->Windows().size(), 2u);
  EXPECT_EQ(vbe->Windows()[0]->Caption(), "Book1.xlsm - Module2 (Code)");
  EXPECT_EQ(vbe->Windows()[1]->Caption(), "Book1.xlsm - Module1 (Code)");
}

TEST(MemoryCodePaneTest, ShowingAPaneTakesOverTheMaximisedState) {
  auto vbe = FakeEditor()
                 .project("VBAProject", "/w/Book1.xlsm")
                 .module("Module1", kStdModule, "a")
                 .module("Module2", kStdModule, "b")
                 .shown(kWindowMaximized)
                 .build();
  auto window2 = vbe->Windows()[0];
  EXPECT_EQ(vbe->MainWindow()->Caption(), std::string(kMainWindowTitle) + " - Book1.xlsm - [Module2 (Code)]");
  vbe->VBProjects()[0]->VBComponent("Module1")->CodeModule()->CodePane()->Show();
  EXPECT_EQ(vbe->Windows()[0]->WindowState(), kWindowMaximized);
  EXPECT_EQ(window2->WindowState(), kWindowNormal);
  EXPECT_EQ(vbe->MainWindow()->Caption(), std::string(kMainWindowTitle) + " - Book1.xlsm - [Module1 (Code)]");
}

// The document's name starts at the 26th character of the main window's
// caption, where the add-in looks for it; without a document nothing is there.
TEST(MemoryWindowTest, MainWindowCaptionNamesTheDocumentFromCharacter26) {
  auto withDocument = FakeEditor().project("VBAProject", "", "Book3").build();
  EXPECT_EQ(withDocument->MainWindow()->Caption().substr(25), "Book3");
  auto without = FakeEditor().project("VBAProject").build();
  EXPECT_LE(without->MainWindow()->Caption().size(), 25u);
  EXPECT_EQ(static_cast<MemoryWindow&>(*without->MainWindow()).ClassName(), kMainWindowClass);
}

TEST(MemoryWindowTest, WindowsInZOrderWithClassesAndCaptions) {
  auto vbe = FakeEditor()
                 .project("Tools")
                 .module("UserForm1", kMSForm, "")
                 .codeWindow()
                 .designer(kWindowMaximized)
                 .dockingView("Project - Tools", true)
                 .build();
  const auto& windows = vbe->WindowsInOrder();
  ASSERT_EQ(windows.size(), 3u);
  EXPECT_EQ(windows[0]->ClassName(), kDockingViewClass);
  EXPECT_TRUE(windows[0]->HasSystemMenu());
  EXPECT_EQ(windows[1]->ClassName(), kDesignerWindowClass);
  EXPECT_EQ(windows[1]->Type(), kWindowDesigner);
  EXPECT_EQ(windows[1]->Caption(), "Tools - UserForm1 (UserForm)");
  EXPECT_EQ(windows[2]->ClassName(), kCodeWindowClass);
  EXPECT_EQ(windows[2]->Caption(), "Tools - UserForm1 (Code)");
  EXPECT_NE(windows[1]->HWnd(), windows[2]->HWnd());
  EXPECT_EQ(vbe->ActiveCodePane(), nullptr);

  const MemoryWindowPtr code = windows[2];
  EXPECT_EQ(vbe->WindowByHandle(code->HWnd()), code);
  EXPECT_EQ(vbe->WindowByHandle(vbe->MainWindow()->HWnd()), vbe->MainWindow());
  vbe->CloseWindow(code);
  EXPECT_EQ(vbe->WindowByHandle(code->HWnd()), nullptr);
  EXPECT_EQ(vbe->Windows().size(), 2u);
}

TEST(MemoryEditorTest, AddProjectFromALoadedProject) {
  LoadedProject loaded{"VBAProject", "/w/Book1.xlsm", "Book1.xlsm", 65001,
                       {{"ThisWorkbook", kDocument, ""},
                        {"Sheet1", kDocument, "Private Sub Worksheet_Change(ByVal Target As Range)\r\nEnd Sub"},
                        {"Module1", kStdModule, "Option Explicit\r\nSub Main()\r\nEnd Sub"},
                        {"UserForm1", kMSForm, ""},
                        {"Designer1", kDesigner, ""}}};
  auto vbe = MemoryVBE::Create();
  vbe->AddProject(loaded);
  auto project = vbe->ActiveVBProject();
  ASSERT_NE(project, nullptr);
  EXPECT_EQ(project->Name(), "VBAProject");
  EXPECT_EQ(project->FileName(), "/w/Book1.xlsm");
  ASSERT_EQ(project->VBComponents().size(), 5u);
  EXPECT_EQ(project->VBComponent("ThisWorkbook")->Property("FullName"), "/w/Book1.xlsm");
  EXPECT_EQ(project->VBComponent("ThisWorkbook")->Property("Name"), "Book1.xlsm");
  EXPECT_NE(ErrorNumberOf([&] { project->VBComponent("Sheet1")->Property("FullName"); }), 0);
  EXPECT_EQ(project->VBComponent("ThisWorkbook")->CodeModule()->CountOfLines(), 0);
  EXPECT_EQ(project->VBComponent("UserForm1")->Type(), kMSForm);
  EXPECT_NE(project->VBComponent("UserForm1")->CodeModule(), nullptr);
  EXPECT_EQ(project->VBComponent("Designer1")->CodeModule(), nullptr);

  auto module = project->VBComponent("Module1")->CodeModule();
  int kind = -1;
  EXPECT_EQ(module->ProcOfLine(3, kind), "Main");
  EXPECT_EQ(module->CountOfDeclarationLines(), 1);
  module->CodePane()->Show();
  EXPECT_EQ(vbe->ActiveCodePane(), module->CodePane());
  EXPECT_EQ(vbe->Windows()[0]->Caption(), "Book1.xlsm - Module1 (Code)");
}

TEST(MemoryCodePaneTest, ShowOutsideAnEditorDoesNothing) {
  auto module = MemoryCodeModule::Create("x");
  module->CodePane()->Show();
  EXPECT_FALSE(module->Pane()->CodeWindow()->IsOpen());
  EXPECT_EQ(module->CodePane()->CodeModule(), module);
}

}  // namespace
}  // namespace qm::editor
