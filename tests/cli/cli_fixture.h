// A world for running the real quillmark program: a temporary folder with
// its own home, XDG folders, temporary folder, registry store and system
// folder, so the user's files are never touched; a copy of the sample
// project to convert; and a runner that starts the built program (beside
// this test in bin/) with standard input closed and both outputs captured.
#pragma once

#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace qm::test {

namespace fs = std::filesystem;

struct CliRun {
  int status = -1;    // the exit status; -1 when the program did not exit normally
  std::string out;    // standard output
  std::string err;    // standard error
};

class CliTest : public ::testing::Test {
 protected:
  CliTest() {
    root_ = fs::temp_directory_path() / ("quillmark-cli-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    for (const char* folder : {"home", "config", "data", "runtime", "tmp", "system", "bin", "work"}) {
      fs::create_directories(root_ / folder);
    }
    fs::permissions(root_ / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    fs::copy(SourceDir() / "samples" / "Book1", Work() / "Book1");
    env_ = {{"HOME", Path("home")},           {"XDG_CONFIG_HOME", Path("config")},
            {"XDG_DATA_HOME", Path("data")},  {"XDG_RUNTIME_DIR", Path("runtime")},
            {"TMPDIR", Path("tmp")},          {"QUILLMARK_REGISTRY", Path("registry.reg")},
            {"QUILLMARK_SYSTEM_DIR", Path("system")}, {"LC_ALL", "C.UTF-8"},
            {"PATH", Path("bin") + ":" + (std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin")}};
  }
  ~CliTest() override { fs::remove_all(root_); }

  static fs::path SourceDir() {
    const char* dir = std::getenv("QUILLMARK_SOURCE_DIR");
    return dir ? fs::path(dir) : fs::current_path();
  }
  // The program under test, built beside this test.
  static std::string Program() { return (fs::read_symlink("/proc/self/exe").parent_path() / "quillmark").string(); }

  std::string Path(const std::string& name) const { return (root_ / name).string(); }
  fs::path Work() const { return root_ / "work"; }
  void SetEnv(const std::string& name, const std::string& value) { env_[name] = value; }

  // Runs quillmark with the arguments in the work folder.
  CliRun Run(const std::vector<std::string>& args) const {
    std::vector<std::string> argv = {Program()};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> env;
    for (const auto& [name, value] : env_) env.push_back(name + "=" + value);
    const std::string out = Path("stdout.txt"), err = Path("stderr.txt");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addchdir_np(&actions, Work().c_str());
    pid_t pid = 0;
    CliRun run;
    if (posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, Pointers(argv).data(), Pointers(env).data()) == 0) {
      int status = 0;
      waitpid(pid, &status, 0);
      run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = Read(out);
    run.err = Read(err);
    return run;
  }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  static void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // The files of a folder, by name.
  static std::vector<std::string> Files(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  static std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
  }

  fs::path root_;
  std::map<std::string, std::string> env_;
};

// The message a failed run left, for assertion output.
inline std::string Explain(const CliRun& run) { return "exit " + std::to_string(run.status) + "\n" + run.err; }

}  // namespace qm::test
