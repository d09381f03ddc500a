// The setup and removal programs' operations on Linux. The copy writes a
// temporary file beside the target, gives it the source's mode and times,
// flushes it and renames it over the target, so an interrupted copy never
// leaves half a library behind. Programs are started with posix_spawn and
// waited for with waitpid; only the standard streams are passed on.
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/posix/child_process.h"
#include "setup/install_system.h"

extern char** environ;

namespace qm::install {

namespace {

// Copies every byte from one descriptor to another.
bool CopyBytes(int in, int out) {
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    for (ssize_t done = 0; done < n;) {
      const ssize_t w = ::write(out, buffer + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) return false;
      done += w;
    }
  }
}

// Writes the copy into the open temporary file `out`.
bool FillCopy(int in, int out, const struct stat& source) {
  const timespec times[2] = {source.st_atim, source.st_mtim};
  return CopyBytes(in, out) && ::fchmod(out, source.st_mode & 0777) == 0 && ::futimens(out, times) == 0 &&
         ::fsync(out) == 0;
}

class PosixInstallSystem : public InstallSystem {
 public:
  explicit PosixInstallSystem(std::string programFolder) : programFolder_(std::move(programFolder)) {}

  bool FileExists(const std::string& path) override {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }

  std::optional<std::int64_t> FileTime(const std::string& path) override {
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return std::int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
  }

  bool DeleteFile(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

  bool CopyFile(const std::string& from, const std::string& to) override;
  bool StartAndWait(const std::string& commandLine) override;

  std::optional<std::string> Environment(const std::string& name) override {
    const char* value = std::getenv(name.c_str());
    return value ? std::optional<std::string>(value) : std::nullopt;
  }

 private:
  // The program's file: beside this program, else on the PATH.
  std::string Locate(const std::string& program) const {
    if (program.find('/') == std::string::npos && !programFolder_.empty()) {
      const std::string beside = programFolder_ + program;
      if (::access(beside.c_str(), X_OK) == 0) return beside;
    }
    return platform::posix::FindOnPath(program);
  }

  std::string programFolder_;  // where the product's programs are, ending with "/"
};

bool PosixInstallSystem::CopyFile(const std::string& from, const std::string& to) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat source{};
  if (in < 0) return false;
  if (::fstat(in, &source) != 0 || !S_ISREG(source.st_mode)) {
    ::close(in);
    return false;
  }
  std::error_code ignored;
  const std::filesystem::path target(to);
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ignored);
  std::string temp = to + ".XXXXXX";
  const int out = ::mkstemp(temp.data());
  if (out < 0) {
    ::close(in);
    return false;
  }
  bool ok = FillCopy(in, out, source);
  ::close(in);
  ok = ::close(out) == 0 && ok;
  ok = ok && ::rename(temp.c_str(), to.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

bool PosixInstallSystem::StartAndWait(const std::string& commandLine) {
  std::vector<std::string> argv = SplitCommandLine(commandLine);
  if (argv.empty()) return false;
  const std::string program = Locate(argv[0]);
  if (program.empty()) return false;
  std::vector<char*> args;
  for (std::string& arg : argv) args.push_back(arg.data());
  args.push_back(nullptr);
  pid_t pid = -1;
  if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, args.data(), environ) != 0) return false;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return true;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> parts;
  std::string current;
  bool quoted = false;
  bool inPart = false;
  for (const char c : commandLine) {
    if (c == '"') {
      quoted = !quoted;
      inPart = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inPart) parts.push_back(current);
      current.clear();
      inPart = false;
    } else {
      current += c;
      inPart = true;
    }
  }
  if (inPart) parts.push_back(current);
  return parts;
}

std::unique_ptr<InstallSystem> MakePosixInstallSystem(std::string programFolder) {
  return std::make_unique<PosixInstallSystem>(std::move(programFolder));
}

std::string OwnProgramFolder() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || !self.has_parent_path()) return {};
  std::string folder = self.parent_path().string();
  if (folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace qm::install
