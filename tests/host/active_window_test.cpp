// Active code window detection over the in-memory editor's windows: which
// window is met first, how the caption is split and compared per host,
// projects of the same name in Word, the maximised window read restored, and
// the restoring of a maximised window after a failed command.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addin/host/active_window.h"
#include "tests/host/connected_editor.h"

namespace qm {
namespace {

using editor::FakeEditor;
using editor::MemoryVBEPtr;
using test::ConnectedEditor;

constexpr const char* kCode = "Sub A()\r\nEnd Sub";

editor::MemoryWindowPtr CodeWindowOf(const MemoryVBEPtr& vbe, const std::string& project, const std::string& name) {
  return vbe->FindProject(project)->FindComponent(name)->Module()->Pane()->CodeWindow();
}

// Book1.xlsm in Excel with Module2's and then Module1's code window opened; `selected` selected.
MemoryVBEPtr ExcelBook(const std::string& selected, int state = kWindowNormal) {
  FakeEditor editor;
  editor.project("VBAProject", "C:\\w\\Book1.xlsm")
      .module("ThisWorkbook", kDocument, "")
      .module("UserForm1", kMSForm, kCode)
      .module("Module2", kStdModule, kCode)
      .shown()
      .module("Module1", kStdModule, kCode)
      .shown(state);
  MemoryVBEPtr vbe = editor.build();
  vbe->SelectComponent(vbe->FindProject("VBAProject")->FindComponent(selected));
  return vbe;
}

long ErrorOf(int (*call)()) {
  try {
    call();
  } catch (const VbaError& error) {
    return error.Number();
  }
  return 0;
}

TEST(CheckActiveModuleTest, ComparesTheFrontCodeWindowWithTheSelectedComponent) {
  const struct {
    const char* selected;
    int expected;
  } cases[] = {{"Module1", kModuleActive}, {"Module2", kModuleNotActive}, {"ThisWorkbook", kModuleNotActive}};
  for (const auto& c : cases) {
    ConnectedEditor world(ExcelBook(c.selected));
    EXPECT_EQ(CheckActiveModule(), c.expected) << c.selected;
  }
}

TEST(CheckActiveModuleTest, WindowMetBeforeAnyCodeWindowDecides) {
  const struct {
    const char* what;
    void (*open)(const MemoryVBEPtr&);
    int scan;
    int expected;
  } cases[] = {
      {"designer",
       [](const MemoryVBEPtr& vbe) { vbe->OpenDesigner(vbe->FindProject("VBAProject")->FindComponent("UserForm1")); },
       kScanOtherWindow, kModuleNotActive},
      {"floating view", [](const MemoryVBEPtr& vbe) { vbe->OpenDockingView("Project - VBAProject", true); },
       kScanOtherWindow, kModuleNotActive},
      {"docked view (no system menu)", [](const MemoryVBEPtr& vbe) { vbe->OpenDockingView("Properties", false); },
       kScanCodeWindow, kModuleActive},
  };
  for (const auto& c : cases) {
    ConnectedEditor world(ExcelBook("Module1"));
    c.open(world.Vbe());
    std::string caption;
    EXPECT_EQ(FindTopCodeWindow(caption), c.scan) << c.what;
    EXPECT_EQ(CheckActiveModule(), c.expected) << c.what;
  }
}

TEST(CheckActiveModuleTest, NoActiveCodePaneOrNoCodeWindowIsNotActive) {
  ConnectedEditor world(
      FakeEditor().project("VBAProject", "C:\\w\\Book1.xlsm").module("Module1", kStdModule, kCode).selected().build());
  EXPECT_EQ(CheckActiveModule(), kModuleNotActive) << "no active code pane";

  world.Vbe()->CloseWindow(CodeWindowOf(world.Vbe(), "VBAProject", "Module1"));
  std::string caption = "unchanged";
  EXPECT_EQ(FindTopCodeWindow(caption), kScanNothingFound);
  EXPECT_EQ(caption, "unchanged");
}

TEST(CheckActiveModuleTest, CaptionIsSplitAtItsLastDash) {
  const struct {
    const char* caption;
    int expected;
    long error;
  } cases[] = {
      {"Book1.xlsm - Module1 (Code)", kModuleActive, 0},
      {"C:\\w\\Book1.xlsm   - Module1 (Code)", kModuleActive, 0},  // folder and trailing blanks go
      {"Book1.xlsm -   Module1 (Code)  ", kModuleActive, 0},
      {"Book1.xlsm - Module1  (Code)", kModuleNotActive, 0},  // cut at the first " (": "Module1 "
      {"book1.xlsm - Module1 (Code)", kModuleNotActive, 0},   // exact comparison
      {"Book2.xlsm - Module1 (Code)", kModuleNotActive, 0},
      {"Book1.xlsm - Module1", 0, kErrInvalidProcedureCall},
      {"Module1 (Code)", 0, kErrInvalidProcedureCall},
  };
  for (const auto& c : cases) {
    ConnectedEditor world(ExcelBook("Module1"));
    CodeWindowOf(world.Vbe(), "VBAProject", "Module1")->SetCaption(c.caption);
    if (c.error != 0) {
      EXPECT_EQ(ErrorOf(&CheckActiveModule), c.error) << c.caption;
    } else {
      EXPECT_EQ(CheckActiveModule(), c.expected) << c.caption;
    }
  }
}

// The document part of the caption against the host document's name, per host.
TEST(CheckActiveModuleTest, DocumentNameIsComparedAsTheHostShowsIt) {
  const struct {
    const char* host;
    const char* captionDocument;
    const char* documentName;
    int expected;
  } cases[] = {
      {"Microsoft Excel", "Book1.xlsm", "Book1.xlsm", kModuleActive},
      {"Microsoft Excel", "Book1", "Book1.xlsm", kModuleNotActive},
      {"Microsoft Word", "Doc1", "Doc1.docm", kModuleActive},
      {"Microsoft Word", "Doc1.docm", "Doc1.docm", kModuleNotActive},
      {"Microsoft Access", "db1", "db1.mdb", kModuleActive},
      {"Microsoft FrontPage", "anything", "web.htm", kModuleActive},  // the caption's part is replaced
      {"Contoso Designer", "Drawing1.vsd", "Drawing1.vsd", kModuleActive},
      {"Contoso Designer", "Drawing1", "Drawing1.vsd", kModuleNotActive},
  };
  for (const auto& c : cases) {
    ConnectedEditor world(FakeEditor()
                              .host(c.host)
                              .project("Project", std::string("C:\\w\\") + c.documentName, c.documentName)
                              .module("ThisDocument", kDocument, "")
                              .module("Module1", kStdModule, kCode)
                              .selected()
                              .shown()
                              .build());
    CodeWindowOf(world.Vbe(), "Project", "Module1")->SetCaption(std::string(c.captionDocument) + " - Module1 (Code)");
    EXPECT_EQ(CheckActiveModule(), c.expected) << c.host << " / " << c.captionDocument;
  }
}

// Two open documents whose project and document names (without extension)
// agree, both with a Module1; the second one's Module1 is in front.
MemoryVBEPtr TwinDocuments(const std::string& host, const std::string& secondProject) {
  FakeEditor editor;
  editor.host(host)
      .project("Project", "C:\\w\\Doc1.docm", "Doc1.docm")
      .module("ThisDocument", kDocument, "")
      .module("Module1", kStdModule, kCode);
  const editor::MemoryProjectPtr first = editor.lastProject();
  editor.project(secondProject, "C:\\x\\Doc1.doc", "Doc1.doc")
      .module("ThisDocument", kDocument, "")
      .module("Module1", kStdModule, kCode)
      .selected()
      .shown();
  // These hosts' editors name documents without extension in window captions.
  for (const editor::MemoryProjectPtr& project : {first, editor.lastProject()}) {
    project->FindComponent("Module1")->Module()->Pane()->CodeWindow()->SetCaption("Doc1 - Module1 (Code)");
  }
  return editor.build();
}

TEST(CheckActiveModuleTest, ProjectsOfTheSameNameMayHideTheActiveOne) {
  const struct {
    const char* host;
    const char* secondProject;
    int expected;
  } cases[] = {
      {"Microsoft Word", "Project", kModuleMayNotBeActive},
      {"Microsoft Access", "Project", kModuleMayNotBeActive},
      {"Microsoft Word", "Other", kModuleActive},
      {"Microsoft Word Viewer", "Project", kModuleNotActive},  // another host: the extension stays
  };
  for (const auto& c : cases) {
    ConnectedEditor world(TwinDocuments(c.host, c.secondProject));
    EXPECT_EQ(CheckActiveModule(), c.expected) << c.host << " / " << c.secondProject;
  }
}

TEST(CheckActiveModuleTest, UnknownHostDecidesByModuleAndDocumentOnly) {
  FakeEditor editor;
  editor.host("Contoso Designer");
  for (int i = 0; i < 2; ++i) {
    editor.project("Project", "", "Drawing1.vsd")
        .module("ThisDocument", kDocument, "")
        .module("Module2", kStdModule, kCode)
        .module("Module1", kStdModule, kCode);
  }
  editor.shown();
  ConnectedEditor world(editor.build());

  world.Vbe()->SelectComponent(editor.lastProject()->FindComponent("Module1"));
  EXPECT_EQ(CheckActiveModule(), kModuleActive) << "the twin project is not looked at";
  world.Vbe()->SelectComponent(editor.lastProject()->FindComponent("Module2"));
  EXPECT_EQ(CheckActiveModule(), kModuleNotActive);
}

// A maximised code window gives only "<Module> (Code)" as its text; it is read
// restored at the maximised rectangle inside a drawing freeze, then maximised
// again with its old normal position.
TEST(FindTopCodeWindowTest, MaximisedWindowIsReadRestoredAndMaximisedAgain) {
  ConnectedEditor world(ExcelBook("Module1", kWindowMaximized));
  const editor::MemoryWindowPtr window = CodeWindowOf(world.Vbe(), "VBAProject", "Module1");
  window->SetGeometry(10, 20, 400, 300);
  const auto handle = static_cast<platform::WindowHandle>(window->HWnd());
  ASSERT_EQ(world.Windows().GetWindowText(handle), "Module1 (Code)");
  const std::string mainCaption = world.Vbe()->MainWindow()->Caption();

  EXPECT_EQ(CheckActiveModule(), kModuleActive);
  const std::string caption = window->Caption();
  const std::vector<std::string> expected = {
      "freeze " + mainCaption,
      "placement " + caption + " 0,0,1016,680 3",
      "show " + caption + " 4",
      "show " + caption + " 3",
      "placement " + caption + " 10,20,410,320 3",
      "unfreeze",
  };
  EXPECT_EQ(world.Windows().Trace(), expected);
  EXPECT_EQ(window->WindowState(), kWindowMaximized);
  EXPECT_EQ(window->NormalRect(), (platform::WindowRect{10, 20, 410, 320}));
  EXPECT_EQ(FoundWindow, handle);
  EXPECT_EQ(FoundCaption, "Module1 (Code)");
}

TEST(FindTopCodeWindowTest, FailedPlacementRaisesAndLiftsTheFreeze) {
  ConnectedEditor world(ExcelBook("Module1", kWindowMaximized));
  world.Windows().FailPlacement(true);
  EXPECT_EQ(ErrorOf(&CheckActiveModule), kErrInvalidProcedureCall);
  EXPECT_EQ(world.Windows().FrozenWindow(), 0u);
  EXPECT_EQ(CodeWindowOf(world.Vbe(), "VBAProject", "Module1")->WindowState(), kWindowMaximized);
}

TEST(RestoreMaximizedWindowTest, PutsTheNormalPositionOfTheMaximisedWindowAtTheOrigin) {
  MemoryVBEPtr vbe = ExcelBook("Module1");
  editor::MemoryWindowPtr code = CodeWindowOf(vbe, "VBAProject", "Module1");
  code->SetGeometry(5, 6, 300, 200);
  editor::MemoryWindowPtr designer = vbe->OpenDesigner(vbe->FindProject("VBAProject")->FindComponent("UserForm1"));
  designer->SetGeometry(30, 40, 200, 100);
  ConnectedEditor world(vbe);

  RestoreMaximizedWindow();
  EXPECT_EQ(designer->NormalRect(), (platform::WindowRect{30, 40, 230, 140})) << "nothing maximised";

  designer->WindowState(kWindowMaximized);
  RestoreMaximizedWindow();
  EXPECT_EQ(designer->WindowState(), kWindowMaximized);
  EXPECT_EQ(designer->NormalRect(), (platform::WindowRect{0, 0, 200, 100}));
  EXPECT_EQ(code->NormalRect(), (platform::WindowRect{5, 6, 305, 206}));

  VBEInstance.reset();
  EXPECT_NO_THROW(RestoreMaximizedWindow());
}

}  // namespace
}  // namespace qm
