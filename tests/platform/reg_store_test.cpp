#include "platform/posix/reg_store.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "tests/support/scoped_env.h"

namespace qm::platform {
namespace {

constexpr Hive kCU = Hive::CurrentUser;

// A fresh temporary folder per test; the store lives in a subfolder of it
// that does not exist yet.
class RegStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quillmark-regstore-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    path_ = dir_ + "/config/quillmark/registry.reg";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  static void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // Names in the store's folder other than the store itself (temporary files).
  std::vector<std::string> Strays() const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir_ + "/config/quillmark", error)) {
      if (entry.path().filename() != "registry.reg") names.push_back(entry.path().filename());
    }
    return names;
  }

  std::string dir_;
  std::string path_;
};

TEST_F(RegStoreTest, MissingFileIsAnEmptyStoreAndWritesPersist) {
  {
    RegStore store(path_);
    EXPECT_TRUE(store.Loaded());
    EXPECT_FALSE(store.KeyExists(kCU, "Software"));
    ASSERT_TRUE(store.SetValue(kCU, "Software\\Quill", "Face", RegValue::Text("ＭＳ ゴシック"))) << store.LastError();
    ASSERT_TRUE(store.SetValue(kCU, "Software\\Quill", "Tab", RegValue::Dword(8)));
    ASSERT_TRUE(store.CreateKey(Hive::LocalMachine, "Empty"));
    ASSERT_TRUE(store.DeleteValue(kCU, "Software\\Quill", "Face"));
  }
  EXPECT_EQ(ReadFile(path_).rfind("Windows Registry Editor Version 5.00\n", 0), 0u);
  RegStore reopened(path_);
  ASSERT_TRUE(reopened.Loaded()) << reopened.LoadError();
  EXPECT_EQ(reopened.ReadValue(kCU, "software\\quill", "tab"), RegValue::Dword(8));
  EXPECT_FALSE(reopened.ReadValue(kCU, "Software\\Quill", "Face"));
  EXPECT_TRUE(reopened.KeyExists(Hive::LocalMachine, "Empty"));
  EXPECT_TRUE(Strays().empty());
}

TEST_F(RegStoreTest, FailedSaveLeavesTheOldFileAndTheStoreIntact) {
  RegStore store(path_);
  ASSERT_TRUE(store.SetValue(kCU, "K", "v", RegValue::Text("old")));
  const std::string before = ReadFile(path_);
  // Let no file grow past 4 KiB: writing the big value fails halfway (EFBIG).
  signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved = store.SetValue(kCU, "K", "big", RegValue{kRegBinary, std::string(20000, 'x')});
  setrlimit(RLIMIT_FSIZE, &old);

  EXPECT_FALSE(saved);
  EXPECT_NE(store.LastError().find(path_), std::string::npos) << store.LastError();
  EXPECT_EQ(ReadFile(path_), before);
  EXPECT_FALSE(store.ReadValue(kCU, "K", "big"));  // the store did not take the change either
  EXPECT_EQ(store.ReadValue(kCU, "K", "v"), RegValue::Text("old"));
  EXPECT_TRUE(Strays().empty());  // no temporary file left behind
  EXPECT_TRUE(store.SetValue(kCU, "K", "v", RegValue::Text("new")));  // and it still works afterwards
}

TEST_F(RegStoreTest, MalformedStoreIsReportedAndNeverOverwritten) {
  RegStore first(path_);
  ASSERT_TRUE(first.CreateKey(kCU, "K"));
  const std::string broken = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\K]\n\"v\"=dword:zz\n";
  WriteFile(path_, broken);

  RegStore store(path_);
  EXPECT_FALSE(store.Loaded());
  EXPECT_EQ(store.LoadError().rfind(path_ + ":4: ", 0), 0u) << store.LoadError();
  EXPECT_FALSE(store.KeyExists(kCU, "K"));
  EXPECT_FALSE(store.SetValue(kCU, "K", "w", RegValue::Text("x")));
  EXPECT_NE(store.LastError().find(":4: "), std::string::npos) << store.LastError();
  // The program that loaded it earlier must not overwrite it either.
  EXPECT_FALSE(first.SetValue(kCU, "K", "w", RegValue::Text("x")));
  EXPECT_EQ(ReadFile(path_), broken);
}

TEST_F(RegStoreTest, SeesWhatAnotherProgramWrote) {
  RegStore host(path_);
  RegStore setup(path_);
  ASSERT_TRUE(host.SetValue(kCU, "Editor", "Tab", RegValue::Dword(4)));
  ASSERT_TRUE(setup.SetValue(kCU, "Addins\\Q", "LoadBehavior", RegValue::Dword(3)));
  EXPECT_EQ(host.ReadValue(kCU, "Addins\\Q", "LoadBehavior"), RegValue::Dword(3));
  ASSERT_TRUE(host.SetValue(kCU, "Editor", "Font", RegValue::Text("x")));
  RegStore reopened(path_);
  EXPECT_TRUE(reopened.ReadValue(kCU, "Addins\\Q", "LoadBehavior"));  // not lost by host's later write
  EXPECT_TRUE(reopened.ReadValue(kCU, "Editor", "Font"));
}

TEST_F(RegStoreTest, RefusesWhatTheFileCannotHold) {
  RegStore store(path_);
  ASSERT_TRUE(store.SetValue(kCU, "K", "v", RegValue::Text("ok")));
  const std::string before = ReadFile(path_);
  EXPECT_FALSE(store.SetValue(kCU, "K", "line\nbreak", RegValue::Text("x")));
  EXPECT_FALSE(store.CreateKey(kCU, "bad\xff"));
  EXPECT_EQ(ReadFile(path_), before);
  EXPECT_TRUE(store.SetValue(kCU, "K", "text", RegValue::Text("line\r\nbreak")));  // kept as hex(1)
  EXPECT_EQ(RegStore(path_).ReadValue(kCU, "K", "text"), RegValue::Text("line\r\nbreak"));
}

TEST_F(RegStoreTest, ImportsAnExportOrReportsItsFault) {
  RegStore store(path_);
  ASSERT_TRUE(store.SetValue(kCU, "Software\\Keep", "v", RegValue::Dword(1)));
  const std::string good = dir_ + "/good.reg";
  WriteFile(good, "\xFF\xFE" + *EncodeText("Windows Registry Editor Version 5.00\r\n\r\n"
                                           "[HKEY_CURRENT_USER\\Software\\Microsoft\\VBA\\6.0\\Common]\r\n"
                                           "\"TabWidth\"=dword:00000008\r\n"
                                           "\"FontFace\"=\"ＭＳ 明朝\"\r\n", 1200));
  ASSERT_TRUE(store.Import(good)) << store.LastError();
  RegStore reopened(path_);
  EXPECT_EQ(reopened.ReadValue(kCU, "Software\\Microsoft\\VBA\\6.0\\Common", "TabWidth"), RegValue::Dword(8));
  EXPECT_EQ(reopened.ReadValue(kCU, "Software\\Microsoft\\VBA\\6.0\\Common", "FontFace"), RegValue::Text("ＭＳ 明朝"));
  EXPECT_TRUE(reopened.ReadValue(kCU, "Software\\Keep", "v"));

  const std::string bad = dir_ + "/bad.reg";
  WriteFile(bad, "REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=dword:1\n\"b\"=hex:zz\n");
  const std::string before = ReadFile(path_);
  EXPECT_FALSE(store.Import(bad));
  EXPECT_EQ(store.LastError().rfind(bad + ":4: ", 0), 0u) << store.LastError();
  EXPECT_FALSE(store.KeyExists(kCU, "X"));  // nothing of a bad export is applied
  EXPECT_EQ(ReadFile(path_), before);
  EXPECT_FALSE(store.Import(dir_ + "/missing.reg"));
  EXPECT_NE(store.LastError().find("missing.reg"), std::string::npos);
}

TEST(RegStorePathTest, DefaultPathFollowsTheEnvironment) {
  struct Case {
    const char* registry;
    const char* xdg;
    const char* home;
    std::string expected;
  };
  const Case cases[] = {
      {"/t/r.reg", "/x", "/h", "/t/r.reg"},
      {nullptr, "/x", "/h", "/x/quillmark/registry.reg"},
      {"", "", "/h", "/h/.config/quillmark/registry.reg"},
      {nullptr, "relative", "/h", "/h/.config/quillmark/registry.reg"},
  };
  auto value = [](const char* text) { return text ? std::optional<std::string>(text) : std::nullopt; };
  for (const auto& c : cases) {
    test::ScopedEnv registry("QUILLMARK_REGISTRY", value(c.registry));
    test::ScopedEnv config("XDG_CONFIG_HOME", value(c.xdg));
    test::ScopedEnv home("HOME", value(c.home));
    EXPECT_EQ(RegStore::DefaultPath(), c.expected);
  }
}

}  // namespace
}  // namespace qm::platform
