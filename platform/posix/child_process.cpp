// Child programs through posix_spawn. The bounded run gives the child a
// socket as standard input (so a child that stops reading cannot kill us with
// SIGPIPE) and a pipe as standard output, and polls both until the child ends
// or the time is up; then the whole process group is killed. The detached
// start forks twice so the program is never our zombie.
#include "platform/posix/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

extern char** environ;

namespace qm::platform::posix {

namespace {

std::vector<char*> ArgvPointers(const std::vector<std::string>& argv) {
  std::vector<char*> out;
  for (const std::string& arg : argv) out.push_back(const_cast<char*>(arg.c_str()));
  out.push_back(nullptr);
  return out;
}

bool IsExecutableFile(const std::string& path) {
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// Spawns the child with the given ends as its standard input and output.
pid_t Spawn(const std::string& program, const std::vector<std::string>& argv, int in, int out) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in, 0);
  posix_spawn_file_actions_adddup2(&actions, out, 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attr, 0);
  std::vector<char*> args = ArgvPointers(argv);
  pid_t pid = -1;
  if (posix_spawn(&pid, program.c_str(), &actions, &attr, args.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  return pid;
}

// Feeds input and collects output until the child ends or the deadline passes.
void Pump(pid_t pid, int inFd, int outFd, const std::string& input, int timeoutMs, ChildResult& result) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  size_t sent = 0;
  if (input.empty()) ::shutdown(inFd, SHUT_WR);
  char buffer[4096];
  for (;;) {
    pollfd fds[2] = {{outFd, POLLIN, 0}, {inFd, sent < input.size() ? short(POLLOUT) : short(0), 0}};
    ::poll(fds, 2, 20);
    if (fds[0].revents & (POLLIN | POLLHUP)) {
      const ssize_t n = ::read(outFd, buffer, sizeof buffer);
      if (n > 0) result.output.append(buffer, static_cast<size_t>(n));
    }
    if (sent < input.size() && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP))) {
      const ssize_t n = ::send(inFd, input.data() + sent, input.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
      if (n > 0) sent += static_cast<size_t>(n);
      else if (n < 0 && errno != EAGAIN && errno != EINTR) sent = input.size();
      if (sent == input.size()) ::shutdown(inFd, SHUT_WR);
    }
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == pid) {
      ssize_t n;
      while ((n = ::read(outFd, buffer, sizeof buffer)) > 0) result.output.append(buffer, static_cast<size_t>(n));
      result.finished = true;
      result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      return;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(-pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return;
    }
  }
}

}  // namespace

std::string FindOnPath(const std::string& program) {
  if (program.empty()) return {};
  if (program.find('/') != std::string::npos) return IsExecutableFile(program) ? program : std::string();
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    // An empty PATH entry means the current folder.
    const std::string dir = end > start ? dirs.substr(start, end - start) : std::string(1, '.');
    const std::string candidate = dir + "/" + program;
    if (IsExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return {};
}

ChildResult RunChild(const std::vector<std::string>& argv, const std::string& input, int timeoutMs) {
  ChildResult result;
  const std::string program = argv.empty() ? std::string() : FindOnPath(argv[0]);
  if (program.empty()) return result;
  int sock[2];
  int pipeFds[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sock) != 0) return result;
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
    ::close(sock[0]);
    ::close(sock[1]);
    return result;
  }
  ::fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
  const pid_t pid = Spawn(program, argv, sock[1], pipeFds[1]);
  ::close(sock[1]);
  ::close(pipeFds[1]);
  if (pid > 0) {
    result.started = true;
    Pump(pid, sock[0], pipeFds[0], input, timeoutMs, result);
  }
  ::close(sock[0]);
  ::close(pipeFds[0]);
  return result;
}

bool StartDetached(const std::vector<std::string>& argv) {
  const std::string program = argv.empty() ? std::string() : FindOnPath(argv[0]);
  if (program.empty()) return false;
  std::vector<char*> args = ArgvPointers(argv);
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    ::setsid();
    const int devNull = ::open("/dev/null", O_RDWR);
    if (devNull >= 0) {
      ::dup2(devNull, 0);
      ::dup2(devNull, 1);
      ::dup2(devNull, 2);
    }
    if (::fork() == 0) {
      ::execv(program.c_str(), args.data());
      ::_exit(127);
    }
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return true;
}

}  // namespace qm::platform::posix
