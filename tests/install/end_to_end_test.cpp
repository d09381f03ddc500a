// The shipped programs end to end on Linux: the package folder is copied to
// a temporary place, and Quillset, Quillsweep and regsvr32 run as separate
// processes against a temporary registry store, installation folder and
// runtime folder. The add-in library in the package is the product's own;
// while that library is not part of the build, a stand-in that registers
// itself the same way takes its place.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "platform/named_mutex.h"
#include "platform/posix/child_process.h"
#include "platform/posix/reg_store.h"
#include "remove/removal_flow.h"
#include "setup/install_data.h"
#include "setup/setup_flow.h"
#include "temp_env.h"

namespace qm::install::testing {
namespace {

namespace fs = std::filesystem;

struct ProgramRun {
  int exitCode;
  std::string output;  // standard output and standard error
};

class EndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root / "home");
    ::mkdir((root / "runtime").c_str(), 0700);
    fs::copy(QUILLMARK_PACKAGE_DIR, package, fs::copy_options::recursive);
    for (const char* program : {"Quillset", "Quillsweep", "regsvr32"}) {
      ASSERT_TRUE(fs::exists(package + "/" + program)) << program << " missing from the package";
    }
    if (!fs::exists(package + "/Quillmark.dl_")) {
      fs::copy_file(QUILLMARK_STUB_ADDIN, package + "/Quillmark.dl_");
    }
    if (!fs::exists(package + "/Quillmark.chm")) {
      ASSERT_TRUE(platform::posix::FindOnPath("chmcmd").empty()) << "the help file is missing from the package";
      std::ofstream(package + "/Quillmark.chm") << "help";
    }
  }

  // Runs a program of the package with the given options.
  ProgramRun Start(const std::string& program, std::vector<std::string> options) {
    std::vector<std::string> argv = {"/bin/sh", "-c", "exec \"$0\" \"$@\" 2>&1", package + "/" + program};
    argv.insert(argv.end(), options.begin(), options.end());
    const platform::posix::ChildResult result = platform::posix::RunChild(argv, "", 60000);
    EXPECT_TRUE(result.finished) << program;
    return {result.exitCode, result.output};
  }

  // The registry store as another program sees it now.
  platform::RegStore Store() { return platform::RegStore(registryPath); }

  bool Installed() { return fs::exists(systemDir + "/Quillmark.dll") && fs::exists(systemDir + "/Quillmark.chm"); }

  TempFolder root;
  const std::string package = root / "package";
  const std::string systemDir = root / "installed";
  const std::string registryPath = root / "registry.reg";
  ScopedEnv registryEnv{"QUILLMARK_REGISTRY", registryPath};
  ScopedEnv systemEnv{"QUILLMARK_SYSTEM_DIR", systemDir};
  ScopedEnv runtimeEnv{"XDG_RUNTIME_DIR", root / "runtime"};
  ScopedEnv homeEnv{"HOME", root / "home"};
  ScopedEnv osEnv{"OS", std::nullopt};
};

TEST_F(EndToEndTest, InstallsRemovesForTheUserAndUninstalls) {
  ProgramRun run = Start("Quillset", {"--yes"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("登録処理が完了しました。"), std::string::npos) << run.output;
  ASSERT_TRUE(Installed());
  {
    const platform::RegStore store = Store();
    EXPECT_EQ(ServerState(store), kRegistered);
    EXPECT_TRUE(AddinKeyPresent(store));
    const auto server = store.ReadValue(platform::Hive::ClassesRoot,
                                        "CLSID\\{BB087339-727E-429F-A492-ECE333A7D3FC}\\InprocServer32", "");
    ASSERT_TRUE(server.has_value());
    EXPECT_EQ(server->data, systemDir + "/Quillmark.dll");
  }
  run = Start("Quillset", {"--yes"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("既に登録済です。"), std::string::npos) << run.output;

  run = Start("Quillsweep", {"--no"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_FALSE(AddinKeyExists(Store()));
  EXPECT_TRUE(ClassKeyPresent(Store()));
  EXPECT_TRUE(Installed());

  run = Start("Quillset", {"--yes"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("ユーザー別登録処理が完了しました。"), std::string::npos) << run.output;
  EXPECT_TRUE(AddinKeyPresent(Store()));

  run = Start("Quillsweep", {"--yes"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("登録解除処理が完了しました。"), std::string::npos) << run.output;
  EXPECT_FALSE(ClassKeyPresent(Store()));
  EXPECT_FALSE(AddinKeyExists(Store()));
  EXPECT_FALSE(fs::exists(systemDir + "/Quillmark.dll"));
  EXPECT_FALSE(fs::exists(systemDir + "/Quillmark.chm"));

  run = Start("Quillsweep", {"--yes"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("アドインが登録されていません。"), std::string::npos) << run.output;
}

TEST_F(EndToEndTest, WithoutATerminalOrAnswerTheConfirmationIsCancelled) {
  const ProgramRun run = Start("Quillset", {});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("-> キャンセル"), std::string::npos) << run.output;
  EXPECT_FALSE(fs::exists(systemDir + "/Quillmark.dll"));
}

TEST_F(EndToEndTest, ASecondRunWhileOneIsActiveEndsSilently) {
  const platform::NamedMutex active("Quillmark_RegisterServer");
  ASSERT_TRUE(active.Held());
  for (const char* program : {"Quillset", "Quillsweep"}) {
    const ProgramRun run = Start(program, {"--yes"});
    EXPECT_EQ(run.exitCode, 1) << program;
    EXPECT_EQ(run.output, "") << program;
  }
  EXPECT_FALSE(fs::exists(systemDir + "/Quillmark.dll"));
}

TEST_F(EndToEndTest, RunningEditorStopsSetup) {
  const platform::WindowClassAnnouncement editor({"wndclass_desked_gsk"});
  const ProgramRun run = Start("Quillset", {"--yes"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("VBE(VisualBasicEditor)が起動しています。"), std::string::npos) << run.output;
}

TEST_F(EndToEndTest, CommandLines) {
  ProgramRun run = Start("Quillset", {"--help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output.rfind("Usage: Quillset", 0), 0u) << run.output;
  run = Start("Quillsweep", {"--help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.output.find("--no"), std::string::npos);
  run = Start("Quillset", {"--no"});  // only the removal program takes --no
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.output.find("unknown option: --no"), std::string::npos);
}

TEST_F(EndToEndTest, Regsvr32ReportsWhatFailed) {
  const struct {
    std::vector<std::string> args;
    int exitCode;
  } cases[] = {
      {{}, 1},
      {{"/x", "lib"}, 1},
      {{"/s", (root / "none.so")}, 3},
      {{"/s", "libm.so.6"}, 4},  // a library without the entry points
      {{"/s", QUILLMARK_STUB_ADDIN}, 0},
      {{"/S", "/U", QUILLMARK_STUB_ADDIN}, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Start("regsvr32", c.args).exitCode, c.exitCode) << ::testing::PrintToString(c.args);
  EXPECT_FALSE(ClassKeyPresent(Store()));
}

}  // namespace
}  // namespace qm::install::testing
