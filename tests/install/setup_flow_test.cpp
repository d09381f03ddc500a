// Quillset's flow: the registration state, the modes it leads to, and every
// row of the program's table of outcomes (message, icon, effect).
#include <gtest/gtest.h>

#include "install_fixture.h"
#include "setup/setup_flow.h"

namespace qm::install::testing {
namespace {

using platform::Hive;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::RegValue;

const std::string kNtHint = "\r\n管理者権限のあるユーザーにて再実行してください。";
const std::string kMultiUserHint =
    "\r\n他の未登録のユーザーでこのアドインを使用される場合は\r\n各ユーザーにてログオンし、登録処理を実行してください。";
const std::string kConfirmPerUserNt =
    "VBE(VisualBasicEditor)用COMアドイン\r\n｢Ferravel｣を現在のユーザーで登録します。\r\n\r\n＜実行する処理＞\r\nユーザー別登録処理";
const std::string kConfirmInstallNt =
    "VBE(VisualBasicEditor)用COMアドイン\r\n｢Ferravel｣を現在のユーザーで登録します。\r\n\r\n＜実行する処理＞\r\n"
    "アドインのインストール／ユーザー別登録処理";
const std::string kConfirmOther = "VBE(VisualBasicEditor)用COMアドイン\r\n｢Ferravel｣を登録します。";

// --- The registration state

TEST(ServerStateTest, FollowsTheClassKeyItsTypeLibraryLinkAndTheTypeLibrary) {
  const std::string clsKey = "[HKEY_CLASSES_ROOT\\Quillmark.dsrAddin\\Clsid]\n";
  const std::string ours = clsKey + "@=\"{BB087339-727E-429F-A492-ECE333A7D3FC}\"\n";
  const std::string link = "[HKEY_CLASSES_ROOT\\CLSID\\{BB087339-727E-429F-A492-ECE333A7D3FC}\\TypeLib]\n@=\"{AB}\"\n";
  const std::string typeLib = "[HKEY_CLASSES_ROOT\\TypeLib\\{AB}\\1.0]\n";
  const struct {
    const char* name;
    std::string text;
    int state;
  } cases[] = {
      {"nothing", "", kNotRegistered},
      {"complete", ours + link + typeLib, kRegistered},
      {"type library key missing", ours + link, kNotRegistered},
      {"link missing", ours + typeLib, kNotRegistered},
      {"link empty", ours + "[HKEY_CLASSES_ROOT\\CLSID\\{BB087339-727E-429F-A492-ECE333A7D3FC}\\TypeLib]\n@=\"\"\n",
       kNotRegistered},
      {"another class", clsKey + "@=\"{0D6C58A2-6E1B-4F0A-8C53-2B9E4A7F1D60}\"\n" + link + typeLib, kOtherVersion},
      {"class key without value", clsKey, kOtherVersion},
      {"class key with empty value", clsKey + "@=\"\"\n", kOtherVersion},
  };
  for (const auto& c : cases) {
    platform::MemoryRegistry registry;
    ASSERT_TRUE(registry.ApplyRegText("REGEDIT4\n\n" + c.text)) << c.name << ": " << registry.LastError();
    EXPECT_EQ(ServerState(registry), c.state) << c.name;
  }
}

// --- Modes and their confirmations

class SetupTest : public InstallFixture {
 protected:
  Outcome Execute() {
    InstallContext context = Context(std::string(kSetupCaption));
    return RunSetup(context);
  }
};

TEST_F(SetupTest, InstallsRegistersAndReportsWhenNothingIsRegistered) {
  Ship();
  EXPECT_EQ(Execute(), Outcome::Done);
  EXPECT_EQ(system.started, std::vector<std::string>{"regsvr32 /s \"/sys/Quillmark.dll\""});
  EXPECT_EQ(system.files.at(installedLibrary), 100);  // the copy keeps the library's time
  EXPECT_TRUE(system.FileExists(installedHelp));
  EXPECT_EQ(ServerState(registry), kRegistered);
  EXPECT_TRUE(AddinKeyPresent(registry));
  ASSERT_EQ(messages.ShownBoxes().size(), 2u);
  EXPECT_EQ(messages.ShownBoxes()[0].text, kConfirmInstallNt);
  EXPECT_EQ(messages.ShownBoxes()[0].buttons, MsgButtons::OKCancel);
  EXPECT_EQ(messages.ShownBoxes()[0].icon, MsgIcon::Question);
  EXPECT_EQ(LastBox().text, "登録処理が完了しました。" + kMultiUserHint);
  EXPECT_EQ(LastBox().icon, MsgIcon::Information);
  for (const auto& box : messages.ShownBoxes()) EXPECT_EQ(box.caption, "｢Ferravel｣ Ver 4.1.1 - 登録");
}

TEST_F(SetupTest, WritesTheAddinKeyWhenTheRegistrationLeftItOut) {
  Ship();
  system.program = [this](const std::string&) { RegisterClass(registry); };
  EXPECT_EQ(Execute(), Outcome::Done);
  EXPECT_EQ(registry.ReadValue(Hive::CurrentUser, kAddinKeyPath, "LoadBehavior"), RegValue::Dword(1));
  EXPECT_EQ(registry.ReadValue(Hive::CurrentUser, kAddinKeyPath, "CommandLineSafe"), RegValue::Dword(0));
  EXPECT_EQ(registry.ReadValue(Hive::CurrentUser, kAddinKeyPath, "FriendlyName"), RegValue::Text("Ferravel"));
  EXPECT_EQ(registry.ReadValue(Hive::CurrentUser, kAddinKeyPath, "Description"),
            RegValue::Text("選択されたモジュールのコードをHTML形式に変換します。"));
}

TEST_F(SetupTest, OutsideTheNtFamilyAsksAndReportsWithoutTheUserHints) {
  Ship();
  system.os = "Windows_95";
  EXPECT_EQ(Execute(), Outcome::Done);
  EXPECT_EQ(Texts(), (std::vector<std::string>{kConfirmOther, "登録処理が完了しました。"}));
}

TEST_F(SetupTest, RegisteredWithoutTheAddinKeyOnlyEntersTheUserAndNeedsNoLibrary) {
  RegisterClass(registry);
  system.files[sourceHelp] = 1;  // the help file only, no library beside the program
  EXPECT_EQ(Execute(), Outcome::Done);
  EXPECT_TRUE(system.started.empty());
  EXPECT_TRUE(AddinKeyPresent(registry));
  EXPECT_FALSE(system.FileExists(installedLibrary));
  EXPECT_EQ(Texts(), (std::vector<std::string>{kConfirmPerUserNt, "ユーザー別登録処理が完了しました。" + kMultiUserHint}));
}

TEST_F(SetupTest, PerUserEntryOutsideTheNtFamily) {
  RegisterClass(registry);
  system.files[sourceHelp] = 1;
  system.os = "OS/2";
  EXPECT_EQ(Execute(), Outcome::Done);
  EXPECT_EQ(Texts(), (std::vector<std::string>{kConfirmOther, "ユーザー別登録処理が完了しました。"}));
}

TEST_F(SetupTest, AnAddinKeyWithoutUsableLoadBehaviorIsWrittenAgain) {
  RegisterClass(registry);
  system.files[sourceHelp] = 1;
  registry.SetValue(Hive::CurrentUser, kAddinKeyPath, "LoadBehavior", RegValue::Text("1"));
  EXPECT_EQ(Execute(), Outcome::Done);
  EXPECT_EQ(registry.ReadValue(Hive::CurrentUser, kAddinKeyPath, "LoadBehavior"), RegValue::Dword(1));
}

TEST_F(SetupTest, ReplacesAnOlderOtherVersion) {
  Ship(100);
  Installed(50);
  RegisterClass(registry, kOtherClsid);
  WriteAddinKeyByHand(registry);
  EXPECT_EQ(Execute(), Outcome::Done);
  EXPECT_EQ(system.started, (std::vector<std::string>{"regsvr32 /s /u \"/sys/Quillmark.dll\"",
                                                      "regsvr32 /s \"/sys/Quillmark.dll\""}));
  EXPECT_EQ(system.files.at(installedLibrary), 100);
  EXPECT_EQ(ServerState(registry), kRegistered);
  EXPECT_EQ(Texts().front(), kConfirmInstallNt);
}

TEST_F(SetupTest, ConfirmationCancelledChangesNothing) {
  Ship();
  messages.Answer(MsgResult::Cancel);
  EXPECT_EQ(Execute(), Outcome::Cancelled);
  EXPECT_EQ(messages.ShownBoxes().size(), 1u);
  EXPECT_TRUE(system.started.empty());
  EXPECT_FALSE(system.FileExists(installedLibrary));
}

// --- Ends before any change

TEST_F(SetupTest, RunningApplicationsAreNamedOnceInTableOrder) {
  Ship();
  windows.Open("OpusApp");
  windows.Open("XLMAIN");
  windows.Open("PP10FrameClass");
  windows.Open("PP12FrameClass");
  windows.Open("wndclass_desked_gsk");
  EXPECT_EQ(Execute(), Outcome::Stopped);
  ASSERT_EQ(messages.ShownBoxes().size(), 1u);
  EXPECT_EQ(LastBox().text, "Excel PowerPoint Word が起動しています。\r\n先にアプリケーションを終了させてください。");
  EXPECT_EQ(LastBox().icon, MsgIcon::Error);
  EXPECT_TRUE(system.started.empty());
}

TEST_F(SetupTest, EditorWindowStopsTheRun) {
  Ship();
  windows.Open("wndclass_desked_gsk");
  EXPECT_EQ(Execute(), Outcome::Stopped);
  EXPECT_EQ(Texts(), std::vector<std::string>{
                         "VBE(VisualBasicEditor)が起動しています。\r\n先に親アプリケーションを終了させてください。"});
}

TEST_F(SetupTest, StopsBeforeAnyChange) {
  const std::string helpMissing = "ヘルプファイルが見つかりません。\r\n処理を中止します。";
  const std::string sourceMissing = "ソースファイルが見つかりません。\r\n処理を中止します。";
  const struct {
    const char* name;
    std::function<void(SetupTest&)> arrange;
    std::string text;
    MsgIcon icon;
  } cases[] = {
      {"help file missing", [](SetupTest& f) { f.system.files.erase("/pkg/Quillmark.chm"); }, helpMissing,
       MsgIcon::Error},
      {"help file missing in per-user mode",
       [](SetupTest& f) {
         f.system.files.erase("/pkg/Quillmark.chm");
         RegisterClass(f.registry);
       },
       helpMissing, MsgIcon::Error},
      {"registered with the add-in key",
       [](SetupTest& f) {
         RegisterClass(f.registry);
         WriteAddinKeyByHand(f.registry);
       },
       "既に登録済です。処理を中止します。", MsgIcon::Warning},
      {"other version with a newer installed library",
       [](SetupTest& f) {
         f.Installed(200);
         RegisterClass(f.registry, kOtherClsid);
       },
       "新しい日付のアドインが既に存在します。\r\n処理を中止します。", MsgIcon::Error},
      {"library missing, install", [](SetupTest& f) { f.system.files.erase("/pkg/Quillmark.dl_"); },
       sourceMissing, MsgIcon::Error},
      {"library missing, replace",
       [](SetupTest& f) {
         f.system.files.erase("/pkg/Quillmark.dl_");
         f.Installed(200);
         RegisterClass(f.registry, kOtherClsid);
       },
       sourceMissing, MsgIcon::Error},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    messages = {};
    registry = {};
    system.files.clear();
    Ship();
    c.arrange(*this);
    const auto filesBefore = system.files;
    EXPECT_EQ(Execute(), Outcome::Stopped);
    EXPECT_EQ(Texts(), std::vector<std::string>{c.text});
    EXPECT_EQ(LastBox().icon, c.icon);
    EXPECT_TRUE(system.started.empty());
    EXPECT_EQ(system.files, filesBefore);
  }
}

// --- Failures after the confirmation

TEST_F(SetupTest, Regsvr32ThatCannotStartIsReportedAndTheCopiesStay) {
  Ship();
  system.startFails = true;
  EXPECT_EQ(Execute(), Outcome::Stopped);
  EXPECT_EQ(LastBox().text, "レジストリにアクセスできません。\r\n管理者権限のあるユーザーにて再実行してください。");
  EXPECT_EQ(LastBox().icon, MsgIcon::Error);
  EXPECT_TRUE(system.FileExists(installedLibrary));
}

TEST_F(SetupTest, OtherVersionThatStaysRegisteredGetsItsAddinKeyBack) {
  Ship(100);
  Installed(50);
  RegisterClass(registry, kOtherClsid);
  WriteAddinKeyByHand(registry);
  // The other version's unregistration removes only the add-in key.
  system.program = [this](const std::string&) { registry.DeleteKey(kAddinHive, kAddinKeyPath); };
  EXPECT_EQ(Execute(), Outcome::Stopped);
  EXPECT_EQ(LastBox().text, "旧バージョンがアンインストールできません。" + kNtHint);
  EXPECT_TRUE(AddinKeyPresent(registry));
  EXPECT_EQ(system.files.at(installedLibrary), 50);  // the old files stay
  EXPECT_EQ(system.started.size(), 1u);
}

TEST_F(SetupTest, OtherVersionThatStaysRegisteredWithoutAKeyBeforeGetsNone) {
  Ship(100);
  Installed(50);
  RegisterClass(registry, kOtherClsid);
  system.os = "DOS";
  system.program = [](const std::string&) {};
  EXPECT_EQ(Execute(), Outcome::Stopped);
  EXPECT_EQ(LastBox().text, "旧バージョンがアンインストールできません。");
  EXPECT_FALSE(AddinKey());
}

TEST_F(SetupTest, PerUserEntryThatCannotBeWrittenIsReported) {
  RegisterClass(registry);
  system.files[sourceHelp] = 1;
  registry.FailWrites(true);
  EXPECT_EQ(Execute(), Outcome::Stopped);
  EXPECT_EQ(LastBox().text, "ユーザー別登録できません。");
  EXPECT_EQ(LastBox().icon, MsgIcon::Error);
}

TEST_F(SetupTest, FailedCopyIsReportedAfterTheOldFilesWereDeleted) {
  Ship(100);
  Installed(50);
  RegisterClass(registry, kOtherClsid);
  system.failingCopyTargets.insert(installedLibrary);
  EXPECT_EQ(Execute(), Outcome::Stopped);
  EXPECT_EQ(LastBox().text, "ファイルをコピーできません。");
  EXPECT_FALSE(system.FileExists(installedLibrary));
  EXPECT_EQ(system.started.size(), 1u);  // the unregistration only
}

TEST_F(SetupTest, LibraryThatDoesNotRegisterIsDeletedAndTheHelpFileStays) {
  for (const auto& [os, text] : {std::pair<std::optional<std::string>, std::string>{std::nullopt, "登録できません。" + kNtHint},
                                 {"Windows", "登録できません。"}}) {
    messages = {};
    system.files.clear();
    Ship();
    system.os = os;
    system.program = [](const std::string&) {};
    EXPECT_EQ(Execute(), Outcome::Stopped);
    EXPECT_EQ(LastBox().text, text);
    EXPECT_FALSE(system.FileExists(installedLibrary));
    EXPECT_TRUE(system.FileExists(installedHelp));
  }
}

TEST_F(SetupTest, RegisteredButTheAddinKeyCannotBeWritten) {
  Ship();
  system.program = [this](const std::string&) {
    RegisterClass(registry);
    registry.FailWrites(true);
  };
  EXPECT_EQ(Execute(), Outcome::Stopped);
  EXPECT_EQ(LastBox().text, "インストールは完了しましたが、\r\nユーザー別登録に失敗しました。");
  EXPECT_TRUE(system.FileExists(installedLibrary));
  EXPECT_EQ(ServerState(registry), kRegistered);
}

}  // namespace
}  // namespace qm::install::testing
