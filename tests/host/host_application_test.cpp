// The host application's kind from the caption of control 106 (found on the
// bars, copied onto a temporary bar, or not at all) and the host document's
// name from the document components, the project file or the main window.
#include <gtest/gtest.h>

#include <string>

#include "addin/host/command_bars.h"
#include "addin/host/host_application.h"
#include "tests/host/connected_editor.h"

namespace qm {
namespace {

using editor::FakeEditor;
using test::ConnectedEditor;

TEST(HostApplicationKindTest, CaptionNamesTheHost) {
  const struct {
    const char* caption;
    int kind;
  } cases[] = {
      {"Microsoft Excel", kHostExcel},
      {"Microsoft Word", kHostWord},
      {"Microsoft PowerPoint", kHostPowerPoint},
      {"Microsoft Access", kHostAccess},
      {"Microsoft Publisher", kHostPublisher},
      {"Microsoft Outlook", kHostOutlook},
      {"Microsoft FrontPage", kHostFrontPage},
      {"Microsoft Office Visio", kHostVisio},
      {"microsoft excel", kHostExcel},  // compared in upper case
      {"Excel", kHostExcel},
      {"Microsoft Excel 2003", kHostOther},
      {"Microsoft Excel(&X)", kHostOther},
      {"Contoso Designer", kHostOther},
      {"", kHostOther},
  };
  for (const auto& c : cases) {
    ConnectedEditor world(FakeEditor().host(c.caption).build());
    EXPECT_EQ(HostApplicationKind(), c.kind) << c.caption;
  }
}

TEST(HostApplicationKindTest, ControlMissingFromTheBarsIsCopiedOntoATemporaryBar) {
  ConnectedEditor world(FakeEditor().host("Microsoft Word").build());
  CommandBars& bars = *world.Vbe()->CommandBars();
  bars.FindControl(std::nullopt, kHostApplicationControlId)->Delete();
  const size_t barCount = bars.Bars().size();

  EXPECT_EQ(HostApplicationKind(), kHostWord);
  EXPECT_EQ(bars.Bars().size(), barCount) << "the temporary bar is deleted again";
  EXPECT_EQ(bars.FindControl(std::nullopt, kHostApplicationControlId), nullptr);
}

TEST(HostApplicationKindTest, UnreadableCaptionIsAnotherHost) {
  ConnectedEditor world(FakeEditor().host("Microsoft Excel").build());
  const auto& bars = world.Vbe()->MemoryBars();
  bars->FindControl(std::nullopt, kHostApplicationControlId)->Delete();
  bars->RemoveBuiltin(kHostApplicationControlId);
  const size_t barCount = bars->Bars().size();
  EXPECT_EQ(HostApplicationKind(), kHostOther);
  EXPECT_EQ(bars->Bars().size(), barCount);

  world.Vbe()->SetCommandBars(nullptr);
  EXPECT_EQ(HostApplicationKind(), kHostOther);
  VBEInstance.reset();
  EXPECT_EQ(HostApplicationKind(), kHostOther);
}

TEST(HostDocumentNameTest, FindsTheDocumentFromComponentsFileOrTitle) {
  const struct {
    const char* what;
    FakeEditor editor;
    bool found;
    const char* name;
  } cases[] = {
      {"document component", FakeEditor().project("VBAProject", "C:\\w\\Book1.xlsm").module("Sheet1", kDocument, ""),
       true, "Book1.xlsm"},
      {"unsaved document", FakeEditor().project("VBAProject", "", "Book2").module("ThisWorkbook", kDocument, ""),
       true, "Book2"},
      {"file, Windows path", FakeEditor().project("VBAProject", "C:\\w\\Tools.xlam", "").module("M", kStdModule, ""),
       true, "Tools.xlam"},
      {"file, Linux path", FakeEditor().project("VBAProject", "/w/Tools.xlam", "").module("M", kStdModule, ""), true,
       "Tools.xlam"},
      {"main window title", FakeEditor().project("VBAProject", "", "Book3").module("Module1", kStdModule, "x").shown(
                                kWindowMaximized),
       true, "Book3"},
      {"nothing", FakeEditor().project("VBAProject", "", "").module("Sheet1", kDocument, ""), false, "VBAProject"},
  };
  for (const auto& c : cases) {
    ConnectedEditor world(c.editor.build());
    std::string name = "stale";
    EXPECT_EQ(HostDocumentName(world.Vbe()->ActiveVBProject(), name), c.found) << c.what;
    EXPECT_EQ(name, c.name) << c.what;
  }
}

TEST(HostDocumentNameTest, MainWindowTitleSpeaksOnlyForTheActiveProject) {
  FakeEditor editor;
  editor.project("Active", "", "Book3").module("Module1", kStdModule, "x").project("Other", "", "Book4").module(
      "Module1", kStdModule, "x");
  ConnectedEditor world(editor.build());
  std::string name;
  EXPECT_FALSE(HostDocumentName(editor.lastProject(), name));
  EXPECT_EQ(name, "Other");
  EXPECT_TRUE(HostDocumentName(world.Vbe()->FindProject("Active"), name));
  EXPECT_EQ(name, "Book3");
}

}  // namespace
}  // namespace qm
