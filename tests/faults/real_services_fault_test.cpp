// Faults of the real Linux services under whole runs of the progress window
// (the fakes' faults are in tests/output/fault_injection_test.cpp): a
// clipboard tool that fails or hangs (the wait is bounded and the tool
// killed), a browser launcher that is missing or fails, a folder standing at
// a target path and an output folder that cannot be made on the real file
// system, and a registry store that cannot be written. Each case checks the
// user's message or error number, that no work file or temporary file is
// left, and that the user's earlier files are intact. Tools and launchers
// are small shell scripts on a private PATH; everything lives in a scratch
// folder.
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "addin/output/progress_form.h"
#include "editor/editor_defaults.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/reg_store.h"
#include "tests/output/output_fixture.h"
#include "tests/support/scoped_env.h"

namespace qm::test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Names of the entries of a folder, sorted.
std::set<std::string> Entries(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

class RealServiceFaultTest : public OutputTest {
 protected:
  void SetUp() override {
    OutputTest::SetUp();
    char pattern[] = "/tmp/quillmark-faults-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
    fs::create_directories(root_ / "bin");
    fs::create_directories(root_ / "work");
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
    OutputTest::TearDown();
  }

  // A shell script on the private PATH.
  std::string Script(const std::string& name, const std::string& body) const {
    const fs::path path = root_ / "bin" / name;
    std::ofstream(path) << "#!/bin/sh\n" << body;
    fs::permissions(path, fs::perms::owner_all);
    return path.string();
  }

  // Runs the job's conversion; the message boxes shown are in `boxes`.
  std::pair<int32_t, bool> Run() {
    frmProgress form;
    EXPECT_EQ(form.PrepareRun(job().Operation(), job().OutputFileName()), 0);
    form.Show();
    return {form.ErrorNumber(), form.Cancelled()};
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes.ShownBoxes()) texts.push_back(box.text);
    return texts;
  }

  fs::path root_;  // the scratch folder: bin/ (the PATH), work/, out/
};

TEST_F(RealServiceFaultTest, AClipboardToolThatFailsOrHangsEndsWithTheCopyMessage) {
  if (access("/bin/sh", X_OK) != 0) GTEST_SKIP() << "no /bin/sh";
  struct Case {
    const char* name;
    std::string body;  // the xclip stand-in
  };
  const std::string pidFile = (root_ / "tool.pid").string();
  const Case cases[] = {
      {"fails", "cat >/dev/null\nexit 1\n"},
      {"hangs", "echo $$ > " + pidFile + "\nexec sleep 120\n"},
  };
  ScopedEnv path("PATH", (root_ / "bin").string() + ":/usr/bin:/bin");
  ScopedEnv display("DISPLAY", ":99");
  ScopedEnv wayland("WAYLAND_DISPLAY", std::nullopt);
  platform::ScopedClipboard real(platform::posix::LinuxClipboard());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Script("xclip", c.body);
    boxes = platform::ScriptedMessageBox();
    UseProject({"Sub A()\r\nEnd Sub\r\n"}, false, "Book1_Module1.htm");
    job().Operation(1);
    const auto [error, cancelled] = Run();
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(Messages(), std::vector<std::string>{"データをクリップボードにコピーできませんでした。"});
    EXPECT_TRUE(files.FilesIn("/work").empty());
    EXPECT_TRUE(files.FilesIn("/out").empty());
  }
  // The hanging tool was killed, not left running.
  const pid_t pid = static_cast<pid_t>(std::stol(ReadFile(pidFile)));
  EXPECT_TRUE(::kill(pid, 0) != 0 && errno == ESRCH) << "the hanging clipboard tool " << pid << " still runs";
}

TEST_F(RealServiceFaultTest, AMissingBrowserLauncherEndsWithTheShowMessage) {
  ScopedEnv path("PATH", (root_ / "bin").string());  // no xdg-open either
  ScopedEnv browserVar("BROWSER", (root_ / "bin" / "no-such-browser").string());
  platform::ScopedBrowser real(platform::posix::LinuxBrowser());
  UseProject({"Sub A()\r\nEnd Sub\r\n"}, false, "Book1_Module1.htm");
  job().Operation(2);
  const auto [error, cancelled] = Run();
  EXPECT_EQ(error, 0);
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(Messages(), std::vector<std::string>{"データを表示できませんでした。"});
  EXPECT_TRUE(files.FilesIn("/work").empty());
}

// The launcher is started detached and its failure is not seen, as the
// browser object's calls are made with errors ignored: the run ends normally
// and the launcher was handed the page file (which it, not the run, owns).
TEST_F(RealServiceFaultTest, AFailingBrowserLauncherIsHandedThePageAndTheRunEnds) {
  if (access("/bin/sh", X_OK) != 0) GTEST_SKIP() << "no /bin/sh";
  const std::string seen = (root_ / "seen").string();
  ScopedEnv browserVar("BROWSER", Script("launcher", "printf '%s' \"$1\" > " + seen + ".part; mv " + seen +
                                                         ".part " + seen + "\nexit 1\n"));
  ScopedEnv tmp("tmp", (root_ / "work").string());
  platform::ScopedBrowser real(platform::posix::LinuxBrowser());
  UseProject({"Sub A()\r\nEnd Sub\r\n"}, false, "Book1_Module1.htm");
  job().Operation(2);
  const auto [error, cancelled] = Run();
  EXPECT_EQ(error, 0);
  EXPECT_FALSE(cancelled);
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(files.FilesIn("/work").empty()) << "the run's own work files are gone";
  std::string page;
  for (int i = 0; i < 250 && !fs::exists(seen); ++i) ::usleep(20000);
  page = ReadFile(seen);
  ASSERT_FALSE(page.empty()) << "the launcher was not started";
  EXPECT_EQ(fs::path(page).parent_path(), root_ / "work");
  EXPECT_NE(ReadFile(page).find("<html"), std::string::npos);
}

TEST_F(RealServiceFaultTest, RealFileSystemFaultsLeaveNoTemporaryFileAndKeepEarlierFiles) {
  struct Case {
    const char* name;
    std::string fileName;     // the job's output path
    std::string folderAt;     // a folder made at this target path first; empty for none
    int32_t error;
  };
  const fs::path out = root_ / "out";
  const Case cases[] = {
      {"a folder where the page goes", (out / "Book1_Module1.htm").string(), (out / "Book1_Module1.htm").string(),
       platform::kFileErrAccess},
      {"a file where the output folder goes", (out / "notes.txt" / "page.htm").string(), "",
       platform::kFileErrAccess},
  };
  platform::ScopedFileSystem real(platform::posix::LinuxFileSystem());
  shell.SetEnvironment("tmp", (root_ / "work").string());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(out);
    fs::create_directories(out);
    std::ofstream(out / "notes.txt") << "the user's notes";
    std::ofstream(out / "Quillmark.css") << "earlier style sheet";
    if (!c.folderAt.empty()) fs::create_directories(c.folderAt);
    const std::set<std::string> before = Entries(out);
    UseProject({"Sub A()\r\nEnd Sub\r\n"}, false, "Book1_Module1.htm");
    job().FileName(c.fileName);
    EXPECT_EQ(Run().first, c.error);
    EXPECT_TRUE(Entries(root_ / "work").empty()) << "a work file was left behind";
    EXPECT_EQ(Entries(out), before) << "a temporary or partial file was left in the output folder";
    EXPECT_EQ(ReadFile(out / "notes.txt"), "the user's notes");
    EXPECT_EQ(ReadFile(out / "Quillmark.css"), "earlier style sheet");
    EXPECT_TRUE(c.folderAt.empty() || fs::is_directory(c.folderAt));
  }
}

// A store that cannot be read is refused before anything is written; one
// that reads as empty but cannot be saved (a folder no file can be created
// in, whoever runs the test) fails the editor's first-start write, names the
// store, and keeps nothing of the change.
TEST_F(RealServiceFaultTest, AnUnwritableRegistryStoreIsReportedAndKeepsNothing) {
  std::ofstream(root_ / "blocker") << "a file where the store's folder should be";
  const std::string underAFile = (root_ / "blocker" / "registry.reg").string();
  platform::RegStore unreadable(underAFile);
  EXPECT_FALSE(unreadable.Loaded());
  EXPECT_NE(unreadable.LoadError().find(underAFile), std::string::npos) << unreadable.LoadError();

  const std::string inProc = "/proc/self/quillmark-registry.reg";
  platform::RegStore unwritable(inProc);
  if (!unwritable.Loaded()) GTEST_SKIP() << "no /proc: " << unwritable.LoadError();
  EXPECT_FALSE(WriteEditorDefaults(unwritable));
  EXPECT_NE(unwritable.LastError().find(inProc), std::string::npos) << unwritable.LastError();
  EXPECT_FALSE(unwritable.KeyExists(platform::Hive::CurrentUser, "Software\\Microsoft\\VBA\\6.0\\Common"))
      << "the store kept a change it could not save";
  EXPECT_EQ(Entries(root_), (std::set<std::string>{"bin", "blocker", "work"}));
}

}  // namespace
}  // namespace qm::test
