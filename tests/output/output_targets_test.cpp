// The output targets over fake services: where work files go, which drives
// can take output and what the user is told otherwise, the clipboard's bytes,
// finding the browser through its class registration, and the fallbacks of
// opening a saved file.
#include "addin/output/output_targets.h"

#include "addin/common/vba_error.h"
#include "output_fixture.h"

namespace qm::test {
namespace {

using platform::Association;
using platform::Hive;
using platform::RegValue;

TEST_F(OutputTest, WorkFolderTakesTheFirstOfTmpTempDocumentsAndTheCurrentFolder) {
  struct Case {
    const char* tmp;
    const char* temp;
    const char* documents;
    const char* expected;
  };
  const Case cases[] = {
      {"/t1", "/t2", "/docs", "/t1"},
      {"", "/t2", "/docs", "/t2"},
      {"", "", "/docs", "/docs"},
      {"", "", "", "/cwd"},
  };
  for (const Case& c : cases) {
    shell.SetEnvironment("tmp", c.tmp);
    shell.SetEnvironment("temp", c.temp);
    shell.SetFolder(platform::kFolderDocuments, c.documents);
    EXPECT_EQ(WorkFolder(), c.expected) << c.tmp << "|" << c.temp << "|" << c.documents;
  }
}

TEST_F(OutputTest, WorkFilesAreNewEmptyFilesBeginningWithVba) {
  const std::string first = NewWorkFile();
  const std::string second = NewWorkFile();
  EXPECT_EQ(first.rfind("/work/vba", 0), 0u) << first;
  EXPECT_NE(first, second);
  EXPECT_EQ(files.Contents(first), "");
  shell.SetEnvironment("tmp", "/missing");
  EXPECT_EQ(NewWorkFile(), "");
}

TEST_F(OutputTest, CheckOutputDriveAcceptsLocalAndReadyRemovableDrivesOnly) {
  struct Case {
    int driveType;
    int probe;
    bool ok;
    const char* message;
  };
  const std::string kind = "保存先にはリムーバブルディスクまたは\r\nローカルハードディスクを選択してください。";
  const Case cases[] = {
      {platform::kDriveFixed, platform::kProbeNotReady, true, ""},
      {platform::kDriveRemovable, platform::kProbeReady, true, ""},
      {platform::kDriveRemovable, platform::kProbeNotReady, false, "Aドライブにディスクが装着されていません。"},
      {platform::kDriveRemovable, platform::kProbeUnformatted, false, "Aドライブのディスクはフォーマットされていません。"},
      {platform::kDriveRemovable, platform::kProbeIoError, false, "Aドライブのディスクアクセスエラーです。"},
      {platform::kDriveRemote, platform::kProbeReady, false, kind.c_str()},
      {platform::kDriveCdRom, platform::kProbeReady, false, kind.c_str()},
      {platform::kDriveUnknown, platform::kProbeReady, false, kind.c_str()},
  };
  for (const Case& c : cases) {
    platform::MemoryFileSystem::Volume volume;
    volume.driveType = c.driveType;
    volume.probe = c.probe;
    volume.name = "A";
    files.AddVolume("/media/a", volume);
    std::string message = "stale";
    EXPECT_EQ(CheckOutputDrive("/media/a/out/page.htm", message), c.ok) << c.driveType << "/" << c.probe;
    EXPECT_EQ(message, c.message) << c.driveType << "/" << c.probe;
  }
  std::string message;
  EXPECT_FALSE(CheckOutputDrive("relative/page.htm", message)) << "a path on no known drive";
  EXPECT_EQ(message, kind);
}

TEST_F(OutputTest, ClipboardGetsTheTextInTheAnsiCodePage) {
  if (!platform::CodePageSupported(932)) GTEST_SKIP() << "no CP932";
  platform::SetAnsiCodePage(932);
  EXPECT_TRUE(CopyToClipboard("<b>日本</b>"));
  EXPECT_EQ(clipboard.Content(), "<b>\x93\xfa\x96\x7b</b>");
  clipboard.Fail(true);
  EXPECT_FALSE(CopyToClipboard("x"));
}

class BrowserInstalledTest : public OutputTest {
 protected:
  void Register(const std::string& server) {
    registry.SetValue(Hive::ClassesRoot, "InternetExplorer.Application\\CLSID", "", RegValue::Text("{C}"));
    registry.SetValue(Hive::ClassesRoot, "CLSID\\{C}\\LocalServer32", "", RegValue::Text(server));
  }
};

TEST_F(BrowserInstalledTest, TheRegisteredServerMustExist) {
  EXPECT_FALSE(BrowserInstalled()) << "nothing registered";
  Register("\"/opt/web/browser\"");
  EXPECT_FALSE(BrowserInstalled()) << "the program is missing";
  files.AddFile("/opt/web/browser", "");
  EXPECT_TRUE(BrowserInstalled());
  registry.DeleteKey(Hive::ClassesRoot, "CLSID\\{C}");
  EXPECT_FALSE(BrowserInstalled()) << "class id without server key";
}

TEST_F(BrowserInstalledTest, ALeadingVariableIsExpanded) {
  files.AddFile("/opt/web/browser", "");
  shell.SetEnvironment("WEBDIR", "/opt/web");
  Register("\"%WEBDIR%/browser\"");
  EXPECT_TRUE(BrowserInstalled());
  Register("\"%WEBDIR/browser\"");
  EXPECT_FALSE(BrowserInstalled()) << "no closing percent sign";
}

class OpenSavedFileTest : public OutputTest {
 protected:
  void SetUp() override {
    OutputTest::SetUp();
    job().FileName("/out/Book1_Module1.htm");
  }
  void InstallBrowser() {
    registry.SetValue(Hive::ClassesRoot, "InternetExplorer.Application\\CLSID", "", RegValue::Text("{C}"));
    registry.SetValue(Hive::ClassesRoot, "CLSID\\{C}\\LocalServer32", "", RegValue::Text("\"/opt/web/browser\""));
    files.AddFile("/opt/web/browser", "");
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes.ShownBoxes()) {
      EXPECT_EQ(box.caption, "Ferravel");
      EXPECT_EQ(box.icon, platform::MsgIcon::Error);
      texts.push_back(box.text);
    }
    return texts;
  }
  const std::vector<std::string> kBrowserOpened = {"visible 1", "navigate file:///out/Book1_Module1.htm", "released"};
};

TEST_F(OpenSavedFileTest, TheAssociatedProgramOpensTheFile) {
  shell.SetAssociation({platform::kShellSuccess, "/usr/bin/webview"});
  OpenSavedFile();
  EXPECT_EQ(shell.Queries(), std::vector<std::string>{"/out|Book1_Module1.htm"});
  EXPECT_EQ(shell.Opened(), std::vector<std::string>{"/out/Book1_Module1.htm"});
  EXPECT_TRUE(browser.Log().empty());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(OpenSavedFileTest, FallsBackToTheBrowser) {
  InstallBrowser();
  struct Case {
    Association association;
    int openResult;
    bool shellOpens;
  };
  const Case cases[] = {
      {{platform::kFindNoAssociation, ""}, platform::kShellSuccess, false},
      {{platform::kShellSuccess, "/opt/ie/IEXPLORE.EXE"}, platform::kShellSuccess, false},
      {{platform::kShellSuccess, "/usr/bin/webview"}, platform::kFindNoAssociation, true},
  };
  for (const Case& c : cases) {
    platform::FakeShell caseShell;
    platform::FakeBrowser caseBrowser;
    platform::ScopedShell useCaseShell(caseShell);
    platform::ScopedBrowser useCaseBrowser(caseBrowser);
    caseShell.SetAssociation(c.association);
    caseShell.SetOpenResult(c.openResult);
    OpenSavedFile();
    EXPECT_EQ(caseBrowser.Log(), kBrowserOpened) << c.association.program;
    EXPECT_EQ(caseShell.Opened().size(), c.shellOpens ? 1u : 0u) << c.association.program;
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(OpenSavedFileTest, TellsTheUserWhenNothingCanShowTheFile) {
  shell.SetAssociation({platform::kFindNoAssociation, ""});
  OpenSavedFile();
  InstallBrowser();
  browser.FailCreate(true);
  OpenSavedFile();
  shell.SetAssociation({platform::kFindFileNotFound, ""});
  OpenSavedFile();
  const std::string noBrowser = "拡張子[htm]に関連付けられたアプリケーションが見つかりません。\r\n作成したファイルを表示できません。";
  EXPECT_EQ(Messages(), (std::vector<std::string>{noBrowser, noBrowser,
                                                  "ファイルが見つかりません。\r\n作成したファイルを表示できません。"}));
}

TEST(ExplainFindExecutableErrorTest, EachCodeHasItsMessage) {
  EXPECT_EQ(ExplainFindExecutableError(0), "メモリ不足です。");
  EXPECT_EQ(ExplainFindExecutableError(2), "ファイルが見つかりません。");
  EXPECT_EQ(ExplainFindExecutableError(3), "パスが見つかりません。");
  EXPECT_EQ(ExplainFindExecutableError(11), "ファイルが無効です。");
  EXPECT_EQ(ExplainFindExecutableError(26), "エラーが発生しました。");
}

TEST_F(OutputTest, PlacingOnAFullDiskRaisesAndKeepsTheOldFile) {
  files.AddFile("/work/vba1.tmp", std::string(100, 'n'));
  files.AddFile("/out/page.htm", "old");
  files.VolumeAt("/out").writableBytes = 99;
  try {
    PlaceSavedFile("/work/vba1.tmp", "/out/page.htm");
    ADD_FAILURE() << "no error raised";
  } catch (const VbaError& error) {
    EXPECT_EQ(error.Number(), 61);
  }
  EXPECT_EQ(files.Contents("/out/page.htm"), "old");
}

TEST_F(OutputTest, APageIsReadBackFromTheAnsiCodePage) {
  if (!platform::CodePageSupported(932)) GTEST_SKIP() << "no CP932";
  platform::SetAnsiCodePage(932);
  files.AddFile("/work/vba1.tmp", "<b>\x93\xfa\x96\x7b</b>\r\n");
  EXPECT_EQ(ReadPageBack("/work/vba1.tmp"), "<b>日本</b>\r\n");
  files.VanishOnNextRead("/work/vba1.tmp");
  EXPECT_THROW(ReadPageBack("/work/vba1.tmp"), VbaError);
}

}  // namespace
}  // namespace qm::test
