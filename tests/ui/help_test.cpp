// Showing and closing help: the help file's path in the system directory,
// the context number, the handle kept from the last call, and closing only a
// help window that still exists.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "addin/ui/help.h"
#include "platform/fake/fake_help_viewer.h"
#include "platform/fake/fake_windows.h"
#include "platform/system_dir.h"
#include "tests/support/scoped_env.h"

namespace qm {
namespace {

using test::ScopedEnv;

TEST(HelpFilePath, FollowsTheSystemDirectory) {
  struct Case {
    std::optional<std::string> systemDir, dataHome, home;
    std::string expected;
  };
  const Case cases[] = {
      {"/opt/qm/", "/data", "/home/u", "/opt/qm/Quillmark.chm"},
      {"", "/data", "/home/u", "/data/quillmark/Quillmark.chm"},
      {std::nullopt, std::nullopt, "/home/u", "/home/u/.local/share/quillmark/Quillmark.chm"},
  };
  for (const Case& c : cases) {
    ScopedEnv system("QUILLMARK_SYSTEM_DIR", c.systemDir);
    ScopedEnv data("XDG_DATA_HOME", c.dataHome);
    ScopedEnv home("HOME", c.home);
    EXPECT_EQ(HelpFilePath(), c.expected);
  }
}

class HelpTest : public ::testing::Test {
 protected:
  HelpTest() : viewerScope_(viewer_), windowsScope_(windows_) { HelpWindow = 0; }
  ~HelpTest() override { HelpWindow = 0; }

  ScopedEnv systemDir_{"QUILLMARK_SYSTEM_DIR", "/opt/quillmark"};
  platform::FakeHelpViewer viewer_;
  platform::FakeWindows windows_;
  platform::ScopedHelpViewer viewerScope_;
  platform::ScopedWindows windowsScope_;
};

TEST_F(HelpTest, PressedTwiceKeepsTheSecondHandleAndClosesIt) {
  windows_.Create(0x51);
  windows_.Create(0x52);
  viewer_.Answer(0x51);
  viewer_.Answer(0x52);
  ShowHelp();
  ShowHelp();
  ASSERT_EQ(viewer_.Calls().size(), 2u);
  EXPECT_EQ(viewer_.Calls()[0].helpFile, "/opt/quillmark/Quillmark.chm");
  EXPECT_EQ(viewer_.Calls()[0].context, 8u);
  EXPECT_EQ(HelpWindow, 0x52u);

  CloseHelp();
  ASSERT_EQ(windows_.SentMessages().size(), 1u);
  EXPECT_EQ(windows_.SentMessages()[0].window, 0x52u);
  EXPECT_EQ(windows_.SentMessages()[0].message, platform::kWmClose);
}

TEST_F(HelpTest, HelpWindowClosedByTheUserGetsNoMessage) {
  windows_.Create(0x51);
  viewer_.Answer(0x51);
  ShowHelp();
  windows_.Destroy(0x51);
  CloseHelp();
  EXPECT_TRUE(windows_.SentMessages().empty());
}

TEST_F(HelpTest, FailedHelpCallLeavesNothingToClose) {
  ShowHelp();  // the viewer answers 0
  EXPECT_EQ(HelpWindow, 0u);
  CloseHelp();
  EXPECT_TRUE(windows_.SentMessages().empty());
}

TEST(HelpMissingFile, NothingHappens) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "quillmark_help_missing";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const fs::path record = dir / "browser_called";
  const fs::path browser = dir / "browser.sh";
  {
    std::FILE* script = std::fopen(browser.c_str(), "w");
    std::fprintf(script, "#!/bin/sh\necho \"$1\" > '%s'\n", record.c_str());
    std::fclose(script);
    fs::permissions(browser, fs::perms::owner_all);
  }
  ScopedEnv system("QUILLMARK_SYSTEM_DIR", dir.string());
  ScopedEnv browserVar("BROWSER", browser.string());
  HelpWindow = 0;
  ShowHelp();  // the real viewer: no help file in the system directory
  EXPECT_EQ(HelpWindow, 0u);
  EXPECT_FALSE(fs::exists(record));
  EXPECT_FALSE(fs::exists(dir / "Quillmark.chm"));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace qm
