// The add-in's connection: the command bar it builds (row, button, look),
// the gap its removal closes, connecting twice, a click with nothing
// selected, a failing connection, and disconnection.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "addin/host/dsr_addin.h"
#include "tests/host/connected_editor.h"

namespace qm {
namespace {

using editor::FakeEditor;
using editor::MemoryCommandBars;
using editor::MemoryCommandBarsPtr;
using test::ConnectedEditor;

// A bar of the host's layout: row, left, shown.
struct BarPlace {
  const char* name;
  int row;
  int left;
  bool visible;
};

// An editor whose command bars are exactly `places`, connected to a new add-in.
class ConnectionTest : public ::testing::Test {
 protected:
  ConnectionTest() : world_(FakeEditor().project("VBAProject", "C:\\w\\Book1.xlsm").build()) {}

  MemoryCommandBarsPtr UseBars(const std::vector<BarPlace>& places) {
    MemoryCommandBarsPtr bars = MemoryCommandBars::CreateEmpty();
    for (const BarPlace& place : places) bars->AddBar(place.name, place.row, place.left, place.visible);
    world_.Vbe()->SetCommandBars(bars);
    return bars;
  }
  void Connect() { addin_.OnConnection(world_.Vbe(), kConnectStartup, nullptr, custom_); }
  void Disconnect() { addin_.OnDisconnection(kDisconnectUserClosed, custom_); }
  int CountBars(const std::string& name) const {
    int count = 0;
    for (const CommandBarPtr& bar : world_.Vbe()->CommandBars()->Bars()) count += bar->Name() == name ? 1 : 0;
    return count;
  }

  ConnectedEditor world_;
  dsrAddin addin_;
  CustomArgs custom_;
};

TEST_F(ConnectionTest, BarHoldsOneProtectedIconButton) {
  Connect();
  EXPECT_EQ(VBEInstance, world_.Vbe());
  CommandBarPtr bar = world_.Vbe()->CommandBars()->Item("Ferravel");
  EXPECT_TRUE(bar->Visible());
  EXPECT_EQ(bar->Position(), kBarTop);
  EXPECT_FALSE(bar->Temporary());
  EXPECT_EQ(bar->Protection(), kBarNoCustomize);
  ASSERT_EQ(bar->Controls()->Count(), 1);

  CommandBarControlPtr button = bar->Controls()->Item(1);
  EXPECT_EQ(addin_.AddInButton(), button);
  EXPECT_EQ(button->Type(), kControlButton);
  EXPECT_TRUE(button->BeginGroup());
  EXPECT_EQ(button->Caption(), "Ferravel");
  EXPECT_EQ(button->TooltipText(), "Ferravel");
  EXPECT_EQ(button->FaceId(), 3044);
  EXPECT_EQ(button->Style(), kButtonIcon);
  EXPECT_TRUE(world_.Messages().ShownBoxes().empty());
}

TEST_F(ConnectionTest, BarGoesToTheSecondRowOfVisibleBars) {
  const struct {
    const char* what;
    std::vector<BarPlace> places;
    int row;
  } cases[] = {
      {"rows 0 and 1", {{"Menu Bar", 0, 0, true}, {"Standard", 1, 0, true}}, 1},
      {"rows 1, 2, 3", {{"Standard", 3, 0, true}, {"Menu Bar", 1, 0, true}, {"Edit", 2, 0, true}}, 2},
      {"one row", {{"Menu Bar", 1, 0, true}, {"Standard", 1, 120, true}}, kNoRowIndex},
      {"hidden bars do not count", {{"Menu Bar", 1, 0, true}, {"Debug", 2, 0, false}}, kNoRowIndex},
      {"no bars", {}, kNoRowIndex},
  };
  for (const auto& c : cases) {
    UseBars(c.places);
    Connect();
    EXPECT_EQ(world_.Vbe()->CommandBars()->Item("Ferravel")->RowIndex(), c.row) << c.what;
  }
}

TEST_F(ConnectionTest, DisconnectionClosesTheGapInTheBarsRow) {
  MemoryCommandBarsPtr bars = UseBars({{"Menu Bar", 1, 0, true},
                                       {"Left", 2, 0, true},
                                       {"Right1", 2, 60, true},
                                       {"Right2", 2, 100, true},
                                       {"Right3", 2, 150, true},
                                       {"Hidden", 2, 200, false},
                                       {"OtherRow", 3, 80, true}});
  Connect();
  CommandBarPtr ours = bars->Item("Ferravel");
  ASSERT_EQ(ours->RowIndex(), 2);
  ours->Left(30);  // where the host placed it
  const int width = ours->Width();
  ASSERT_GT(width, 0);

  Disconnect();
  EXPECT_EQ(CountBars("Ferravel"), 0);
  const struct {
    const char* name;
    int left;
  } expected[] = {{"Left", 0}, {"Right1", 60 - width}, {"Right2", 100 - width}, {"Right3", 150 - width},
                  {"Hidden", 200}, {"OtherRow", 80}};
  for (const auto& e : expected) EXPECT_EQ(bars->Item(e.name)->Left(), e.left) << e.name;
  EXPECT_EQ(VBEInstance, nullptr);
  EXPECT_EQ(addin_.AddInButton(), nullptr);
}

TEST_F(ConnectionTest, RemovalWithoutABarMovesNothing) {
  MemoryCommandBarsPtr bars = UseBars({{"Menu Bar", 1, 0, true}, {"Standard", 1, 50, true}});
  VBEInstance = world_.Vbe();
  RemoveCommandBar(true);
  EXPECT_EQ(bars->Item("Standard")->Left(), 50);
  EXPECT_TRUE(world_.Messages().ShownBoxes().empty());
}

TEST_F(ConnectionTest, ConnectingTwiceLeavesOneBarWhoseButtonRunsOnce) {
  Connect();
  CommandBarControlPtr first = addin_.AddInButton();
  Connect();
  EXPECT_EQ(CountBars("Ferravel"), 1);
  EXPECT_NE(addin_.AddInButton(), first);
  EXPECT_TRUE(world_.Messages().ShownBoxes().empty());

  addin_.AddInButton()->Execute();  // nothing selected: one message, from the new button alone
  EXPECT_EQ(world_.Messages().ShownBoxes().size(), 1u);
}

TEST_F(ConnectionTest, ClickWithNoModuleSelectedShowsWhyAndChangesNothing) {
  const auto settingsBefore = RememberedSettings;
  Connect();
  addin_.AddInButton()->Execute();
  ASSERT_EQ(world_.Messages().ShownBoxes().size(), 1u);
  const auto& box = world_.Messages().ShownBoxes()[0];
  EXPECT_EQ(box.text, "モジュールが選択されていません。\r\n処理を中止します。");
  EXPECT_EQ(box.caption, "Ferravel");
  EXPECT_EQ(box.icon, platform::MsgIcon::Error);
  EXPECT_EQ(CurrentJob, nullptr);
  EXPECT_EQ(RememberedSettings, settingsBefore);
  EXPECT_EQ(CountBars("Ferravel"), 1);
}

TEST_F(ConnectionTest, FailedConnectionShowsTheGeneralErrorOnce) {
  world_.Vbe()->SetCommandBars(nullptr);
  EXPECT_NO_THROW(Connect());
  ASSERT_EQ(world_.Messages().ShownBoxes().size(), 1u);
  const auto& box = world_.Messages().ShownBoxes()[0];
  EXPECT_EQ(box.text,
            "エラーが発生しました。処理を中止します。\r\nエラー番号：91\r\n"
            "オブジェクト変数または With ブロック変数が設定されていません。");
  EXPECT_EQ(box.caption, "Ferravel");
  EXPECT_EQ(box.icon, platform::MsgIcon::Error);
  EXPECT_EQ(addin_.AddInButton(), nullptr);
}

TEST_F(ConnectionTest, ButtonLetGoOnDisconnectionAndWhenTheObjectGoes) {
  Connect();
  auto button = std::static_pointer_cast<editor::MemoryCommandBarControl>(addin_.AddInButton());
  EXPECT_EQ(button->ClickHandlerCount(), 1u);
  Disconnect();
  EXPECT_EQ(button->ClickHandlerCount(), 0u);
  EXPECT_TRUE(button->Deleted());

  // Unloaded without disconnection: the bar stays for the next connection to remove, but clicks reach nobody.
  auto other = std::make_unique<dsrAddin>();
  other->OnConnection(world_.Vbe(), kConnectAfterStartup, nullptr, custom_);
  auto left = std::static_pointer_cast<editor::MemoryCommandBarControl>(other->AddInButton());
  other.reset();
  EXPECT_EQ(CountBars("Ferravel"), 1);
  EXPECT_EQ(left->ClickHandlerCount(), 0u);
  EXPECT_NO_THROW(left->Execute());
  EXPECT_TRUE(world_.Messages().ShownBoxes().empty());
}

}  // namespace
}  // namespace qm
