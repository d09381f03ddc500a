// Window-class announcements on Linux: a running host writes one file into
// "<runtime folder>/windows/" naming itself and its window classes; readers
// list the folder and keep the files of processes that still run. A process
// is named by its id and its start time (from /proc), so a file left by a
// dead host is not revived when the system gives its id to a new process.
// Files are written under a temporary name and renamed, so a reader never
// sees half an announcement.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/posix/runtime_dir.h"
#include "platform/window_classes.h"

namespace qm::platform {

namespace {

// The folder of the announcements, created when missing; empty when none.
std::string AnnouncementFolder() {
  const std::string runtime = posix::RuntimeDirectory();
  if (runtime.empty()) return {};
  const std::string folder = runtime + "/windows";
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
  return folder;
}

// The start time of a process in clock ticks since boot; 0 when unknown.
unsigned long long StartTimeOf(long pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  if (!stat || !std::getline(stat, text)) return 0;
  const size_t close = text.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream rest(text.substr(close + 1));
  std::string field;
  // Fields after the name: state is field 3, the start time field 22.
  for (int i = 3; i < 22 && (rest >> field); ++i) {
  }
  unsigned long long start = 0;
  rest >> start;
  return start;
}

// True when the process runs and is the one that wrote the announcement.
bool StillRunning(long pid, unsigned long long startTime) {
  if (pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM)) return false;
  return startTime == 0 || StartTimeOf(pid) == 0 || StartTimeOf(pid) == startTime;
}

bool SameClass(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The classes of one announcement file; empty when its writer is gone.
std::vector<std::string> ReadAnnouncement(const std::filesystem::path& file) {
  std::ifstream in(file);
  long pid = 0;
  unsigned long long startTime = 0;
  std::string header;
  if (!std::getline(in, header) || !(std::istringstream(header) >> pid >> startTime)) return {};
  if (!StillRunning(pid, startTime)) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    return {};
  }
  std::vector<std::string> classes;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) classes.push_back(line);
  }
  return classes;
}

class AnnouncedWindows : public TopLevelWindows {
 public:
  bool ClassPresent(std::string_view windowClass) override {
    for (const std::string& announced : AnnouncedWindowClasses()) {
      if (SameClass(announced, windowClass)) return true;
    }
    return false;
  }
};

AnnouncedWindows g_default;
TopLevelWindows* g_current = nullptr;
std::atomic<unsigned> g_sequence{0};

}  // namespace

TopLevelWindows& CurrentTopLevelWindows() { return g_current ? *g_current : g_default; }

void SetTopLevelWindows(TopLevelWindows* service) { g_current = service; }

std::vector<std::string> AnnouncedWindowClasses() {
  std::vector<std::string> all;
  const std::string folder = AnnouncementFolder();
  std::error_code error;
  if (folder.empty()) return all;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (!entry.is_regular_file(error) || entry.path().extension() != ".classes") continue;
    for (std::string& windowClass : ReadAnnouncement(entry.path())) {
      bool known = false;
      for (const std::string& seen : all) known = known || SameClass(seen, windowClass);
      if (!known) all.push_back(std::move(windowClass));
    }
  }
  return all;
}

WindowClassAnnouncement::WindowClassAnnouncement(const std::vector<std::string>& classes) {
  const std::string folder = AnnouncementFolder();
  if (folder.empty()) return;
  const long pid = static_cast<long>(::getpid());
  const std::string stem = folder + "/" + std::to_string(pid) + "-" + std::to_string(g_sequence++);
  {
    std::ofstream out(stem + ".tmp", std::ios::trunc);
    out << pid << ' ' << StartTimeOf(pid) << '\n';
    for (const std::string& windowClass : classes) {
      if (windowClass.find('\n') == std::string::npos) out << windowClass << '\n';
    }
    if (!out.flush()) {
      ::unlink((stem + ".tmp").c_str());
      return;
    }
  }
  if (::rename((stem + ".tmp").c_str(), (stem + ".classes").c_str()) == 0) path_ = stem + ".classes";
}

WindowClassAnnouncement::~WindowClassAnnouncement() {
  if (!path_.empty()) ::unlink(path_.c_str());
}

}  // namespace qm::platform
