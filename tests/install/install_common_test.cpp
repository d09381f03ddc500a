// What both installation programs share: the NT family test, the window-class
// table and the running-application names, the add-in key test, the
// regsvr32 command lines and how a command line is split.
#include <gtest/gtest.h>

#include <set>

#include "install_fixture.h"
#include "setup/install_common.h"
#include "setup/install_data.h"

namespace qm::install::testing {
namespace {

TEST(NtFamilyTest, OnlyTheExactNameCountsAndLinuxCountsWithoutIt) {
  const struct {
    std::optional<std::string> os;
    bool nt;
  } cases[] = {
      {std::nullopt, true},           // Linux: the variable is not set
      {"Windows_NT", true},
      {" \tWindows_NT\r\n\x7f", true},  // blanks and control characters around it
      {"windows_nt", false},
      {"WINDOWS_NT", false},
      {"Windows NT", false},
      {"Windows_NT4", false},
      {"", false},
      {"Linux", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsNtFamily(c.os), c.nt) << (c.os ? *c.os : "(unset)");
}

TEST(WindowClassTableTest, IsCompleteWithoutDuplicatesAndGroupsEachApplication) {
  std::set<std::string_view> classes;
  std::set<std::string_view> applicationsDone;
  std::string_view current;
  for (const WindowClassEntry& entry : kApplicationWindows) {
    EXPECT_FALSE(entry.windowClass.empty());
    EXPECT_TRUE(classes.insert(entry.windowClass).second) << entry.windowClass;
    ASSERT_FALSE(entry.application.empty());
    EXPECT_EQ(entry.application.back(), ' ') << entry.windowClass;
    if (entry.application != current) {
      EXPECT_TRUE(applicationsDone.insert(entry.application).second) << entry.application << " listed apart";
      current = entry.application;
    }
  }
  EXPECT_EQ(classes.size(), 13u);
  EXPECT_EQ(applicationsDone.size(), 8u);
  EXPECT_FALSE(classes.count(kEditorWindowClass));
}

TEST(RunningApplicationsTest, NamesEachApplicationOnceInTableOrder) {
  const struct {
    std::vector<std::string> open;
    std::string names;
  } cases[] = {
      {{}, ""},
      {{"XLMAIN", "OpusApp"}, "Excel Word "},
      {{"OpusApp", "XLMAIN"}, "Excel Word "},
      {{"PP10FrameClass", "PP12FrameClass"}, "PowerPoint "},
      {{"mspim_wnd32"}, "Outlook "},
      {{"VISIOA", "MSWinPub", "FrontPageExplorerWindow40", "OMain", "PP97FrameClass", "rctrl_renwnd32"},
       "Access FrontPage Outlook PowerPoint Publisher Visio "},
      {{"xlmain"}, "Excel "},  // window classes ignore case
      {{"wndclass_desked_gsk", "Notepad"}, ""},
  };
  for (const auto& c : cases) {
    platform::FakeTopLevelWindows windows;
    for (const std::string& open : c.open) windows.Open(open);
    EXPECT_EQ(RunningApplications(windows), c.names);
  }
  for (const WindowClassEntry& entry : kApplicationWindows) {
    platform::FakeTopLevelWindows windows;
    windows.Open(std::string(entry.windowClass));
    EXPECT_EQ(RunningApplications(windows), entry.application) << entry.windowClass;
  }
}

TEST(AddinKeyTest, PresentOnlyWithANonNegativeNumericLoadBehavior) {
  const struct {
    const char* name;
    std::optional<platform::RegValue> loadBehavior;  // nullopt: the key without the value
    bool present;
  } cases[] = {
      {"one", platform::RegValue::Dword(1), true},
      {"zero", platform::RegValue::Dword(0), true},
      {"negative", platform::RegValue::Dword(0xFFFFFFFFu), false},
      {"missing", std::nullopt, false},
      {"text", platform::RegValue::Text("1"), false},
  };
  for (const auto& c : cases) {
    platform::MemoryRegistry registry;
    EXPECT_FALSE(AddinKeyPresent(registry));
    registry.CreateKey(kAddinHive, kAddinKeyPath);
    if (c.loadBehavior) registry.SetValue(kAddinHive, kAddinKeyPath, "LoadBehavior", *c.loadBehavior);
    EXPECT_EQ(AddinKeyPresent(registry), c.present) << c.name;
    EXPECT_TRUE(AddinKeyExists(registry));
  }
}

TEST(CommandLineTest, Regsvr32LinesQuoteThePathAndSplitBack) {
  const std::string path = "/home/a user/.local/share/quillmark/Quillmark.dll";
  EXPECT_EQ(RegsvrCommandLine(path, false), "regsvr32 /s \"" + path + "\"");
  EXPECT_EQ(RegsvrCommandLine(path, true), "regsvr32 /s /u \"" + path + "\"");
  EXPECT_EQ(SplitCommandLine(RegsvrCommandLine(path, true)), (std::vector<std::string>{"regsvr32", "/s", "/u", path}));
  EXPECT_EQ(SplitCommandLine("  a  \"\"  b\"c d\"e "), (std::vector<std::string>{"a", "", "bc de"}));
}

class RunAndWaitTest : public InstallFixture {};

TEST_F(RunAndWaitTest, ReportsAProgramThatCannotStart) {
  InstallContext context = Context("caption");
  EXPECT_TRUE(RunAndWait(context, "regsvr32 /s \"x\""));
  EXPECT_TRUE(messages.ShownBoxes().empty());
  system.startFails = true;
  EXPECT_FALSE(RunAndWait(context, "regsvr32 /s \"x\""));
  ASSERT_EQ(messages.ShownBoxes().size(), 1u);
  EXPECT_EQ(LastBox().caption, "caption");
  EXPECT_EQ(LastBox().icon, platform::MsgIcon::Error);
}

}  // namespace
}  // namespace qm::install::testing
