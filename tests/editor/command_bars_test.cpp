// The in-memory command bars: the editor's built-in controls, names, copies
// of built-in commands, deletion, and the click event.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/fake_editor.h"
#include "editor/memory_command_bars.h"
#include "tests/support/error_number.h"

namespace qm::editor {
namespace {

using test::ErrorNumberOf;

TEST(MemoryCommandBarsTest, EditorHasTheHostAndCompileControls) {
  auto vbe = FakeEditor().host("Microsoft Word").build();
  CommandBars& bars = *vbe->CommandBars();
  CommandBarControlPtr host = bars.FindControl(std::nullopt, kHostApplicationControlId);
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(host->Caption(), "Microsoft Word");
  EXPECT_EQ(bars.FindControl(kControlPopup, kHostApplicationControlId), nullptr) << "type must match when given";

  CommandBarControlPtr compile = bars.FindControl(kControlButton, kCompileControlId);
  ASSERT_NE(compile, nullptr);
  EXPECT_FALSE(compile->Enabled()) << "compiled by default";
  vbe->MemoryBars()->SetCompiled(false);
  EXPECT_TRUE(compile->Enabled());
  EXPECT_TRUE(bars.Item("debug")->Controls()->Item(1) == compile);
}

TEST(MemoryCommandBarsTest, NamesAreUniqueWithoutCase) {
  auto bars = MemoryCommandBars::CreateEmpty();
  CommandBarPtr tools = bars->Add("Tools", kBarTop, false, false);
  EXPECT_FALSE(tools->Visible()) << "a new bar starts hidden";
  EXPECT_EQ(bars->Item("TOOLS"), tools);
  EXPECT_EQ(ErrorNumberOf([&] { bars->Add("tools", kBarTop, false, true); }), kErrInvalidProcedureCall);
  EXPECT_EQ(ErrorNumberOf([&] { bars->Item("Missing"); }), kErrInvalidProcedureCall);
  EXPECT_NE(bars->Add("", kBarFloating, false, true)->Name(), "") << "an unnamed bar gets a name";
}

TEST(MemoryCommandBarsTest, ControlsAreCustomOrCopiesOfBuiltinCommands) {
  auto bars = MemoryCommandBars::CreateEmpty("Microsoft Excel");
  CommandBarPtr bar = bars->Add("Tools", kBarTop, false, false);
  const int emptyWidth = bar->Width();
  CommandBarControlPtr copy = bar->Controls()->Add(kControlButton, kCompileControlId);
  CommandBarControlPtr custom = bar->Controls()->Add(kControlButton);
  EXPECT_GT(bar->Width(), emptyWidth);
  EXPECT_EQ(custom->Id(), kCustomControlId);

  bars->SetCompiled(false);
  EXPECT_TRUE(copy->Enabled()) << "a copy follows its command";
  bars->SetCompiled(true);
  EXPECT_FALSE(copy->Enabled());

  EXPECT_EQ(ErrorNumberOf([&] { bar->Controls()->Add(kControlButton, 9999); }), kErrInvalidProcedureCall);
  CommandBarControlPtr popup = bar->Controls()->Add(kControlPopup);
  EXPECT_NE(ErrorNumberOf([&] { popup->FaceId(59); }), 0) << "pictures are for buttons";
  EXPECT_EQ(ErrorNumberOf([&] { bar->Controls()->Item(4); }), kErrInvalidProcedureCall);
}

TEST(MemoryCommandBarsTest, DeletedBarsAndControlsAreGoneAndRaise) {
  auto bars = MemoryCommandBars::CreateEmpty();
  CommandBarPtr bar = bars->Add("Tools", kBarTop, false, false);
  CommandBarControlPtr first = bar->Controls()->Add(kControlButton, kHostApplicationControlId);
  CommandBarControlPtr second = bar->Controls()->Add(kControlButton);

  first->Delete();
  EXPECT_EQ(bar->Controls()->Count(), 1);
  EXPECT_NE(ErrorNumberOf([&] { first->Caption(); }), 0);
  EXPECT_EQ(bars->FindControl(std::nullopt, kHostApplicationControlId), nullptr);

  bar->Delete();
  EXPECT_TRUE(bars->Bars().empty());
  EXPECT_NE(ErrorNumberOf([&] { bar->Left(); }), 0);
  EXPECT_NE(ErrorNumberOf([&] { second->Execute(); }), 0);
  EXPECT_NO_THROW(bars->Add("Tools", kBarTop, false, false)) << "the name is free again";
}

TEST(MemoryCommandBarsTest, ClickRunsTheConnectedHandlersOfAnEnabledControl) {
  auto bars = MemoryCommandBars::CreateEmpty();
  CommandBarControlPtr button = bars->Add("Tools", kBarTop, false, false)->Controls()->Add(kControlButton);
  std::vector<std::string> calls;
  int second = 0;
  button->ConnectClick([&](const CommandBarControlPtr& ctrl, bool& cancelDefault) {
    calls.push_back(ctrl == button && !cancelDefault ? "first" : "first?");
    cancelDefault = true;
  });
  second = button->ConnectClick([&](const CommandBarControlPtr&, bool& cancelDefault) {
    calls.push_back(cancelDefault ? "second, cancelled" : "second");
    button->DisconnectClick(second);  // a handler may let go of the event while it runs
  });

  button->Execute();
  button->Execute();
  EXPECT_EQ(calls, (std::vector<std::string>{"first", "second, cancelled", "first"}));

  button->Enabled(false);
  button->Execute();
  EXPECT_EQ(calls.size(), 3u) << "a disabled control does nothing";
}

}  // namespace
}  // namespace qm::editor
