// The help viewer on Linux: the topic that the help file maps the context
// number to is shown in the user's browser. The help file's pages are
// extracted into the user's cache folder (~/.cache/quillmark/help, or under
// $XDG_CACHE_HOME), so that the topic's links and style sheet work, and the
// browser is started detached: the first command of $BROWSER (a "%s" in it
// stands for the address, else the address is appended), else xdg-open.
// The browser's window is not one of ours, so the result is always 0.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/chm_archive.h"
#include "platform/help_viewer.h"
#include "platform/posix/user_dirs.h"

namespace qm::platform {

namespace {

namespace fs = std::filesystem;

// The folder the help pages are extracted into; empty when there is no home.
fs::path ExtractFolder() {
  const std::string cache = posix::XdgCacheHome();
  return cache.empty() ? fs::path() : fs::path(cache) / "quillmark" / "help";
}

// True for an entry that is a page of the help file (not the file's own
// system data) with a name that stays inside the extraction folder.
bool IsSafePage(const std::string& name) {
  if (name.size() < 2 || name[0] != '/' || name[1] == '#' || name[1] == '$' || name.back() == '/') return false;
  for (const auto& part : fs::path(name.substr(1))) {
    if (part == ".." || part == ".") return false;
  }
  return true;
}

bool ExtractPages(const ChmArchive& archive, const fs::path& folder) {
  std::error_code error;
  for (const std::string& name : archive.Names()) {
    if (!IsSafePage(name)) continue;
    const auto content = archive.Read(name);
    if (!content) return false;
    const fs::path target = folder / name.substr(1);
    fs::create_directories(target.parent_path(), error);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    if (!out.write(content->data(), static_cast<std::streamsize>(content->size()))) return false;
  }
  return true;
}

// A file address for a local path, with the characters that would end or
// break it escaped.
std::string FileUrl(const fs::path& path) {
  std::string url = "file://";
  for (const char c : path.string()) {
    if (c == ' ' || c == '%' || c == '#' || c == '?') {
      static const char* hex = "0123456789ABCDEF";
      url += '%';
      url += hex[static_cast<unsigned char>(c) >> 4];
      url += hex[c & 0xF];
    } else {
      url += c;
    }
  }
  return url;
}

// The browser's command line for url: from $BROWSER, else xdg-open.
std::vector<std::string> BrowserCommand(const std::string& url) {
  std::string browser = posix::EnvValue("BROWSER");
  browser = browser.substr(0, browser.find(':'));
  std::vector<std::string> args;
  std::istringstream words(browser);
  bool substituted = false;
  for (std::string word; words >> word;) {
    if (const size_t at = word.find("%s"); at != std::string::npos) word.replace(at, 2, url), substituted = true;
    args.push_back(word);
  }
  if (args.empty()) args.push_back("xdg-open");
  if (!substituted) args.push_back(url);
  return args;
}

// True when program names an executable file, directly or on the PATH.
bool Executable(const std::string& program) {
  if (program.find('/') != std::string::npos) return access(program.c_str(), X_OK) == 0;
  std::istringstream path(posix::EnvValue("PATH"));
  for (std::string dir; std::getline(path, dir, ':');) {
    if (!dir.empty() && access((dir + "/" + program).c_str(), X_OK) == 0) return true;
  }
  return false;
}

// Starts the command detached from us (no zombie, no shared terminal input).
bool StartDetached(const std::vector<std::string>& args) {
  if (args.empty() || !Executable(args[0])) return false;
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    setsid();
    if (fork() == 0) {
      const int null = open("/dev/null", O_RDWR);
      if (null >= 0) dup2(null, 0), dup2(null, 1), dup2(null, 2);
      execvp(argv[0], argv.data());
      _exit(127);
    }
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class BrowserHelpViewer : public HelpViewer {
 public:
  WindowHandle ShowContext(const std::string& helpFile, unsigned context) override {
    const auto archive = ChmArchive::Open(helpFile);
    if (!archive) return 0;
    const std::string topic = archive->TopicForContext(context);
    const fs::path folder = ExtractFolder();
    if (topic.empty() || folder.empty() || !ExtractPages(*archive, folder)) return 0;
    StartDetached(BrowserCommand(FileUrl(folder / topic)));
    return 0;
  }
};

BrowserHelpViewer g_default;
HelpViewer* g_current = nullptr;

}  // namespace

HelpViewer& CurrentHelpViewer() { return g_current ? *g_current : g_default; }

void SetHelpViewer(HelpViewer* viewer) { g_current = viewer; }

}  // namespace qm::platform
