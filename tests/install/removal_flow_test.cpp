// Quillsweep's flow: the removal state, the question of each state, and
// every row of the program's table of outcomes (message, icon, effect).
#include <gtest/gtest.h>

#include "install_fixture.h"
#include "remove/removal_flow.h"

namespace qm::install::testing {
namespace {

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

const std::string kNothingRegistered = "アドインが登録されていません。\r\n処理を中止します。";
const std::string kAskRemove = "VBE(VisualBasicEditor)用COMアドイン\r\n｢Ferravel｣の登録を解除します。";
const std::string kAskPerUser = "VBE(VisualBasicEditor)用COMアドイン\r\n｢Ferravel｣のユーザー別登録を解除します。";
const std::string kAskUninstall = "VBE(VisualBasicEditor)用COMアドイン\r\n｢Ferravel｣をアンインストールします。";
const std::string kAskChoice =
    "VBE(VisualBasicEditor)用COMアドイン\r\n｢Ferravel｣の登録を解除します。\r\n実行する処理を選択して下さい。\r\n\r\n"
    "はい\xE3\x80\x80\t：全部解除\r\nいいえ\t：ユーザー別解除";

class RemovalTest : public InstallFixture {
 protected:
  // Arranges a removal state: the NT family, the class registration (with
  // its installed files), the current user's add-in key.
  void Arrange(int state) {
    system.os = (state & kStateNtFamily) ? std::nullopt : std::optional<std::string>("Windows");
    if (state & kStateClassKey) {
      RegisterClass(registry);
      Installed();
    }
    if (state & kStateAddinKey) WriteAddinKeyByHand(registry);
  }

  // Starts a case of a table afresh: no registry entries, boxes, files or
  // started programs; then the state arranged.
  void ArrangeAfresh(int state) {
    registry = {};
    messages = {};
    system.files.clear();
    system.started.clear();
    Arrange(state);
  }

  Outcome Execute() {
    InstallContext context = Context(std::string(kRemovalCaption));
    return RunRemoval(context);
  }

  int State() {
    InstallContext context = Context(std::string(kRemovalCaption));
    return RemovalState(context);
  }
};

TEST_F(RemovalTest, EachStateAsksItsQuestionAndCancelChangesNothing) {
  const struct {
    int state;
    std::string text;
    MsgButtons buttons;
  } cases[] = {
      {1, kAskPerUser, MsgButtons::OKCancel},  {2, kAskRemove, MsgButtons::OKCancel},
      {3, kAskRemove, MsgButtons::OKCancel},   {5, kAskPerUser, MsgButtons::OKCancel},
      {6, kAskUninstall, MsgButtons::OKCancel}, {7, kAskChoice, MsgButtons::YesNoCancel},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.state);
    ArrangeAfresh(c.state);
    EXPECT_EQ(State(), c.state);
    messages.Answer(MsgResult::Cancel);
    EXPECT_EQ(Execute(), Outcome::Cancelled);
    ASSERT_EQ(messages.ShownBoxes().size(), 1u);
    EXPECT_EQ(LastBox().text, c.text);
    EXPECT_EQ(LastBox().buttons, c.buttons);
    EXPECT_EQ(LastBox().icon, MsgIcon::Question);
    EXPECT_EQ(LastBox().caption, "｢Ferravel｣ - 登録解除");
    EXPECT_TRUE(system.started.empty());
    EXPECT_EQ(ClassRegistered(), (c.state & kStateClassKey) != 0);
    EXPECT_EQ(AddinKey(), (c.state & kStateAddinKey) != 0);
  }
}

TEST_F(RemovalTest, NothingRegisteredStopsInStatesZeroAndFour) {
  for (const int state : {0, 4}) {
    messages = {};
    Arrange(state);
    system.files[installedLibrary] = 1;
    EXPECT_EQ(State(), state);
    EXPECT_EQ(Execute(), Outcome::Stopped);
    EXPECT_EQ(Texts(), std::vector<std::string>{kNothingRegistered});
    EXPECT_EQ(LastBox().icon, MsgIcon::Error);
  }
}

TEST_F(RemovalTest, RegisteredClassWithoutItsLibraryStopsBeforeTheWindowCheck) {
  Arrange(7);
  system.files.erase(installedLibrary);
  windows.Open("XLMAIN");
  EXPECT_EQ(Execute(), Outcome::Stopped);
  EXPECT_EQ(Texts(), std::vector<std::string>{"アドインファイルが見つかりません。\r\n処理を中止します。"});
}

TEST_F(RemovalTest, RunningApplicationsAndTheEditorStopTheRun) {
  Arrange(7);
  windows.Open("rctrl_renwnd32");
  windows.Open("mspim_wnd32");
  windows.Open("OMain");
  EXPECT_EQ(Execute(), Outcome::Stopped);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Access Outlook が起動しています。\r\n先にアプリケーションを終了させてください。"});
  windows = {};
  messages = {};
  windows.Open("wndclass_desked_gsk");
  EXPECT_EQ(Execute(), Outcome::Stopped);
  EXPECT_EQ(Texts(), std::vector<std::string>{
                         "VBE(VisualBasicEditor)が起動しています。\r\n先に親アプリケーションを終了させてください。"});
  EXPECT_TRUE(ClassRegistered());
}

TEST_F(RemovalTest, FullRemovalUnregistersAndDeletesTheFilesThatExisted) {
  const struct {
    int state;
    std::string done;
  } cases[] = {
      {2, "登録解除処理が完了しました。"}, {3, "登録解除処理が完了しました。"},
      {6, "アンインストールが完了しました。"}, {7, "登録解除処理が完了しました。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.state);
    ArrangeAfresh(c.state);
    system.files.erase(installedHelp);  // only the library is installed
    if (c.state == 7) messages.Answer(MsgResult::Yes);
    EXPECT_EQ(Execute(), Outcome::Done);
    EXPECT_EQ(system.started, std::vector<std::string>{"regsvr32 /s /u \"/sys/Quillmark.dll\""});
    EXPECT_EQ(LastBox().text, c.done);
    EXPECT_EQ(LastBox().icon, MsgIcon::Information);
    EXPECT_TRUE(system.files.empty());
    EXPECT_FALSE(ClassRegistered());
    EXPECT_FALSE(AddinKey());
  }
}

TEST_F(RemovalTest, StateSevenAnsweredNoRemovesOnlyTheAddinKey) {
  Arrange(7);
  messages.Answer(MsgResult::No);
  EXPECT_EQ(Execute(), Outcome::Done);
  EXPECT_TRUE(system.started.empty());
  EXPECT_FALSE(AddinKey());
  EXPECT_TRUE(ClassRegistered());
  EXPECT_TRUE(system.FileExists(installedLibrary));
  EXPECT_TRUE(system.FileExists(installedHelp));
  EXPECT_EQ(LastBox().text, "ユーザー別登録解除処理が完了しました。");
  EXPECT_EQ(LastBox().icon, MsgIcon::Information);
}

TEST_F(RemovalTest, PerUserRemovalThatFailsIsReported) {
  Arrange(7);
  registry.FailWrites(true);
  messages.Answer(MsgResult::No);
  EXPECT_EQ(Execute(), Outcome::Stopped);
  EXPECT_TRUE(AddinKey());
  EXPECT_EQ(LastBox().text, "ユーザー別登録解除ができません。");
  EXPECT_EQ(LastBox().icon, MsgIcon::Information);
}

TEST_F(RemovalTest, OnlyTheAddinKeyLeftIsRemovedByTheFullPath) {
  // No library is installed, so its unregistration cannot remove the key.
  for (const int state : {1, 5}) {
    ArrangeAfresh(state);
    EXPECT_EQ(Execute(), Outcome::Done);
    EXPECT_EQ(system.started.size(), 1u);
    EXPECT_FALSE(AddinKey());
    EXPECT_EQ(LastBox().text, "登録解除処理が完了しました。");
  }
}

TEST_F(RemovalTest, RegistrationThatOutlivesTheUnregistrationKeepsTheFiles) {
  const struct {
    int state;
    bool libraryRemovesKey;  // the failed unregistration still removed the add-in key
    std::string text;
  } cases[] = {
      {6, false, "アンインストールができません。\r\n管理者権限のあるユーザーにて再実行してください。"},
      {7, true,
       "ユーザー別登録解除処理は完了しましたが\r\nアンインストールに失敗しました。\r\n"
       "管理者権限のあるユーザーにて再実行してください。"},
      {7, false, "登録解除ができません。"},
      {3, false, "登録解除ができません。"},
      {2, false,
       "ユーザー別登録解除処理は完了しましたが\r\nアンインストールに失敗しました。\r\n"
       "管理者権限のあるユーザーにて再実行してください。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.state);
    ArrangeAfresh(c.state);
    if (c.state == 7) messages.Answer(MsgResult::Yes);
    system.program = [this, removesKey = c.libraryRemovesKey](const std::string&) {
      if (removesKey) registry.DeleteKey(kAddinHive, kAddinKeyPath);
    };
    EXPECT_EQ(Execute(), Outcome::Stopped);
    EXPECT_EQ(LastBox().text, c.text);
    EXPECT_EQ(LastBox().icon, MsgIcon::Error);
    EXPECT_TRUE(system.FileExists(installedLibrary));
    EXPECT_TRUE(system.FileExists(installedHelp));
  }
}

TEST_F(RemovalTest, Regsvr32ThatCannotStartChangesNothing) {
  Arrange(6);
  system.startFails = true;
  EXPECT_EQ(Execute(), Outcome::Stopped);
  EXPECT_EQ(LastBox().text, "レジストリにアクセスできません。\r\n管理者権限のあるユーザーにて再実行してください。");
  EXPECT_TRUE(ClassRegistered());
  EXPECT_TRUE(system.FileExists(installedLibrary));
}

}  // namespace
}  // namespace qm::install::testing
