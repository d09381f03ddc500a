// The in-memory editor's windows behind the window service: enumeration of
// the main window's descendants, styles, the text of a maximised code
// window, placement and show commands, the drawing freeze, and handles that
// belong to another service.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/editor_windows.h"
#include "editor/fake_editor.h"
#include "platform/fake/fake_windows.h"

namespace qm::editor {
namespace {

using platform::WindowHandle;

WindowHandle HandleOf(const WindowPtr& window) { return static_cast<WindowHandle>(window->HWnd()); }

// Collects enumerated handles, stopping after `limit` of them.
struct Collector {
  std::vector<WindowHandle> seen;
  size_t limit = 100;
  static int Collect(WindowHandle window, std::intptr_t param) {
    auto* self = reinterpret_cast<Collector*>(param);
    self->seen.push_back(window);
    return self->seen.size() < self->limit ? 1 : 0;
  }
};

// Module1's code window maximised under a floating and a docked view.
class EditorWindowsTest : public ::testing::Test {
 protected:
  EditorWindowsTest()
      : vbe_(FakeEditor()
                 .project("VBAProject", "/w/Book1.xlsm")
                 .module("Module1", kStdModule, "Sub A()\r\nEnd Sub")
                 .shown(kWindowMaximized)
                 .dockingView("Project - VBAProject", true)
                 .dockingView("Properties", false)
                 .build()),
        windows_(vbe_, others_) {}

  MemoryWindowPtr Code() const { return vbe_->WindowsInOrder()[2]; }

  MemoryVBEPtr vbe_;
  platform::FakeWindows others_;
  EditorWindows windows_;
};

TEST_F(EditorWindowsTest, EnumeratesTheMainWindowsDescendantsTopmostFirst) {
  Collector all;
  ASSERT_TRUE(windows_.EnumChildWindows(HandleOf(vbe_->MainWindow()), &Collector::Collect,
                                        reinterpret_cast<std::intptr_t>(&all)));
  std::vector<WindowHandle> expected;
  for (const WindowPtr& window : vbe_->Windows()) expected.push_back(HandleOf(window));
  EXPECT_EQ(all.seen, expected);

  Collector first;
  first.limit = 1;
  windows_.EnumChildWindows(HandleOf(vbe_->MainWindow()), &Collector::Collect,
                            reinterpret_cast<std::intptr_t>(&first));
  EXPECT_EQ(first.seen.size(), 1u);
  EXPECT_FALSE(windows_.EnumChildWindows(HandleOf(Code()), &Collector::Collect, 0)) << "only the main window's";
}

TEST_F(EditorWindowsTest, StyleClassAndTextAsTheWindowSystemShowsThem) {
  const auto& order = vbe_->WindowsInOrder();
  EXPECT_FALSE(windows_.GetStyle(HandleOf(order[0])) & platform::kWsSysMenu) << "docked view";
  EXPECT_TRUE(windows_.GetStyle(HandleOf(order[1])) & platform::kWsSysMenu) << "floating view";
  EXPECT_TRUE(windows_.GetStyle(HandleOf(Code())) & kWsMaximize);
  EXPECT_EQ(windows_.GetClassName(HandleOf(Code())), "VbaWindow");
  EXPECT_EQ(windows_.GetClassName(HandleOf(order[0])), "DockingView");

  EXPECT_TRUE(windows_.IsZoomed(HandleOf(Code())));
  EXPECT_EQ(windows_.GetWindowText(HandleOf(Code())), "Module1 (Code)");
  EXPECT_EQ(Code()->Caption(), "Book1.xlsm - Module1 (Code)");
  EXPECT_EQ(vbe_->MainWindow()->Caption(), "Quillmark Macro Editor - Book1.xlsm - [Module1 (Code)]");
  EXPECT_EQ(Code()->Left(), kMaximizedExtent.left);
  EXPECT_EQ(Code()->Width(), kMaximizedExtent.right - kMaximizedExtent.left);

  ASSERT_TRUE(windows_.ShowWindow(HandleOf(Code()), platform::kSwShowNoActivate));
  EXPECT_EQ(windows_.GetWindowText(HandleOf(Code())), "Book1.xlsm - Module1 (Code)");
}

TEST_F(EditorWindowsTest, PlacementKeepsTheNormalPositionWhileMaximised) {
  const WindowHandle code = HandleOf(Code());
  Code()->SetGeometry(10, 20, 300, 200);
  platform::WindowPlacement placement;
  ASSERT_TRUE(windows_.GetWindowPlacement(code, placement));
  EXPECT_EQ(placement.showCmd, static_cast<std::uint32_t>(platform::kSwShowMaximized));
  EXPECT_EQ(placement.normalPosition, (platform::WindowRect{10, 20, 310, 220}));

  placement.normalPosition = {1, 2, 101, 52};
  ASSERT_TRUE(windows_.SetWindowPlacement(code, placement));
  EXPECT_EQ(Code()->WindowState(), kWindowMaximized);
  windows_.ShowWindow(code, platform::kSwShowNormal);
  EXPECT_EQ(Code()->WindowState(), kWindowNormal);
  EXPECT_EQ(Code()->Left(), 1);
  EXPECT_EQ(Code()->Height(), 50);

  placement.length = 40;
  EXPECT_FALSE(windows_.SetWindowPlacement(code, placement)) << "the record's length is checked";
  windows_.FailPlacement(true);
  EXPECT_FALSE(windows_.GetWindowPlacement(code, placement));
}

TEST_F(EditorWindowsTest, OneWindowAtATimeIsFrozen) {
  const WindowHandle main = HandleOf(vbe_->MainWindow());
  EXPECT_TRUE(windows_.LockWindowUpdate(main));
  EXPECT_FALSE(windows_.LockWindowUpdate(HandleOf(Code())));
  EXPECT_EQ(windows_.FrozenWindow(), main);
  EXPECT_TRUE(windows_.LockWindowUpdate(0));
  EXPECT_EQ(windows_.FrozenWindow(), 0u);
  EXPECT_EQ(windows_.Trace(), (std::vector<std::string>{"freeze " + vbe_->MainWindow()->Caption(), "unfreeze"}));
}

TEST_F(EditorWindowsTest, OtherHandlesGoToTheServiceBefore) {
  others_.Create(0x500, platform::kWsCaption);
  EXPECT_TRUE(windows_.IsWindow(0x500));
  EXPECT_EQ(windows_.GetStyle(0x500), platform::kWsCaption);
  EXPECT_EQ(windows_.ActiveWindow(), 0x500u);
  EXPECT_TRUE(windows_.IsWindow(HandleOf(Code())));
  EXPECT_FALSE(windows_.IsWindow(0x501));
  EXPECT_EQ(windows_.GetClassName(0x500), "");
}

}  // namespace
}  // namespace qm::editor
