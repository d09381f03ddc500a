// The Linux shell and browser: the documents folder from the XDG user
// directories, the association query's failure codes, and a browser that can
// be created only when the system has a launcher. Also the registry layer
// that shows the browser's class registration from the installed browser.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/browser_registry.h"
#include "platform/fake/fake_browser.h"
#include "platform/fake/memory_registry.h"
#include "platform/posix/child_process.h"
#include "platform/posix/posix_files.h"
#include "tests/support/scoped_env.h"

namespace qm::platform {
namespace {

namespace fs = std::filesystem;

using test::ScopedEnv;

class LinuxShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/qm_shell_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    home_ = pattern;
  }
  void TearDown() override { fs::remove_all(home_); }
  std::string home_;
};

TEST_F(LinuxShellTest, DocumentsFolderIsTheXdgDocumentsDirElseHome) {
  ScopedEnv home("HOME", home_);
  ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
  ShellService& shell = posix::LinuxShell();
  EXPECT_EQ(shell.SpecialFolderPath(kFolderDocuments), home_);
  fs::create_directories(home_ + "/.config");
  fs::create_directories(home_ + "/Dokumente");
  std::ofstream(home_ + "/.config/user-dirs.dirs") << "# comment\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n";
  EXPECT_EQ(shell.SpecialFolderPath(kFolderDocuments), home_ + "/Dokumente");
  EXPECT_EQ(shell.SpecialFolderPath(kFolderRecent), "") << "Linux has no recent-documents folder";
}

TEST_F(LinuxShellTest, AssociationQueryFailsWithTheSystemsCodes) {
  ShellService& shell = posix::LinuxShell();
  EXPECT_EQ(shell.FindExecutable("page.htm", home_ + "/missing").code, kFindPathNotFound);
  EXPECT_EQ(shell.FindExecutable("page.htm", home_).code, kFindFileNotFound);
}

TEST_F(LinuxShellTest, AssociatedProgramComesFromTheDesktopEntry) {
  if (posix::FindOnPath("xdg-mime").empty()) GTEST_SKIP() << "no xdg-mime";
  std::ofstream(home_ + "/page.htm") << "<p>";
  const Association found = posix::LinuxShell().FindExecutable("page.htm", home_);
  if (found.code == kFindNoAssociation) GTEST_SKIP() << "no program for text/html";
  EXPECT_GT(found.code, 32);
  EXPECT_EQ(::access(found.program.c_str(), X_OK), 0);
}

TEST(LinuxBrowserTest, CreatedOnlyWhenALauncherExists) {
  ScopedEnv browser("BROWSER", "qm-no-such-browser");
  ScopedEnv path("PATH", "/nonexistent");
  EXPECT_EQ(posix::LinuxBrowser().ServerPath(), "");
  EXPECT_EQ(posix::LinuxBrowser().Create(), nullptr);
}

TEST(LinuxBrowserTest, LauncherIsTheFirstBrowserFoundOnThePath) {
  const std::string cat = posix::FindOnPath("cat");
  if (cat.empty()) GTEST_SKIP() << "no cat";
  ScopedEnv browser("BROWSER", "qm-no-such-browser:cat");
  EXPECT_EQ(posix::LinuxBrowser().ServerPath(), cat);
}

// Waits (up to a few seconds) for a detached program to have written a file.
std::string WaitForFile(const std::string& path) {
  for (int i = 0; i < 200 && !fs::exists(path); ++i) ::usleep(20000);
  ::usleep(20000);
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

TEST_F(LinuxShellTest, TheLauncherGetsTheAddressOrThePageWrittenOnceVisible) {
  if (posix::FindOnPath("sh").empty()) GTEST_SKIP() << "no sh";
  const std::string launcher = home_ + "/launcher";
  std::ofstream(launcher) << "#!/bin/sh\nprintf '%s' \"$1\" > \"$1.seen.tmp\" 2>/dev/null || printf '%s' \"$1\" > "
                          << home_ << "/address.seen\n";
  fs::permissions(launcher, fs::perms::owner_all);
  ScopedEnv browser("BROWSER", launcher);
  ScopedEnv tmp("tmp", home_);

  auto window = posix::LinuxBrowser().Create();
  ASSERT_TRUE(window);
  window->Visible(true);
  window->Navigate("file:///out/page.htm");
  EXPECT_EQ(WaitForFile(home_ + "/address.seen"), "file:///out/page.htm");

  auto page = posix::LinuxBrowser().Create();
  page->Navigate("about:blank");
  page->DocumentWrite("<p>shown</p>");
  page->Refresh();
  page->Visible(true);
  std::string pageFile;
  for (int i = 0; i < 200 && pageFile.empty(); ++i) {
    for (const auto& entry : fs::directory_iterator(home_)) {
      if (entry.path().extension() == ".tmp") pageFile = entry.path().string();
    }
    if (pageFile.empty()) ::usleep(20000);
  }
  const std::string shown = WaitForFile(pageFile);
  EXPECT_EQ(fs::path(shown).parent_path(), fs::path(home_));
  EXPECT_EQ(fs::path(shown).extension(), ".htm");
  std::ifstream in(shown);
  std::string html;
  std::getline(in, html);
  EXPECT_EQ(html, "<p>shown</p>");
}

class BrowserRegistryTest : public ::testing::Test {
 protected:
  MemoryRegistry base;
  BrowserRegistryLayer layer{base};
  FakeBrowser browser;
  ScopedBrowser use{browser};
};

TEST_F(BrowserRegistryTest, ShowsTheClassRegistrationWhileTheBrowserHasAServer) {
  browser.SetServerPath("/usr/bin/xdg-open");
  const auto clsid = layer.ReadValue(Hive::ClassesRoot, "InternetExplorer.Application\\CLSID", "");
  ASSERT_TRUE(clsid);
  EXPECT_EQ(clsid->data, kBrowserClsid);
  const std::string serverKey = "\\clsid\\" + std::string(kBrowserClsid) + "\\LocalServer32\\";
  const auto server = layer.ReadValue(Hive::ClassesRoot, serverKey, "");
  ASSERT_TRUE(server);
  EXPECT_EQ(server->data, "\"/usr/bin/xdg-open\"");
  EXPECT_TRUE(layer.KeyExists(Hive::ClassesRoot, "CLSID"));
  EXPECT_TRUE(layer.KeyExists(Hive::ClassesRoot, "InternetExplorer.Application"));
  EXPECT_FALSE(layer.KeyExists(Hive::CurrentUser, "InternetExplorer.Application\\CLSID"));
  EXPECT_FALSE(layer.ReadValue(Hive::ClassesRoot, "InternetExplorer.Application\\CLSID", "Other"));
}

TEST_F(BrowserRegistryTest, WithoutAServerEverythingComesFromBeneath) {
  EXPECT_FALSE(layer.KeyExists(Hive::ClassesRoot, "InternetExplorer.Application\\CLSID"));
  EXPECT_FALSE(layer.ReadValue(Hive::ClassesRoot, "InternetExplorer.Application\\CLSID", ""));
  ASSERT_TRUE(layer.SetValue(Hive::ClassesRoot, "InternetExplorer.Application\\CLSID", "", RegValue::Text("{X}")));
  EXPECT_EQ(base.ReadValue(Hive::ClassesRoot, "InternetExplorer.Application\\CLSID", "")->data, "{X}");
  EXPECT_EQ(layer.ReadValue(Hive::ClassesRoot, "InternetExplorer.Application\\CLSID", "")->data, "{X}");
}

}  // namespace
}  // namespace qm::platform
