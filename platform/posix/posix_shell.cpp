// The Linux shell and browser. Special folders follow the XDG user
// directories; the program of a file comes from its MIME type's default
// application (xdg-mime, then the Exec line of that .desktop file); "open" and
// the browser both go through the launcher ($BROWSER, else xdg-open), started
// detached so the add-in never waits on it.
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/codepage.h"
#include "platform/posix/child_process.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/user_dirs.h"

namespace qm::platform::posix {

namespace {

constexpr int kQueryTimeoutMs = 3000;

bool IsFolder(const std::string& path) {
  struct stat st{};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Trim(const std::string& text) {
  const size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t\r\n") - begin + 1);
}

// XDG_DOCUMENTS_DIR of user-dirs.dirs, with $HOME expanded; empty when unset.
std::string XdgDocumentsDir(const std::string& home) {
  std::ifstream in(XdgConfigHome() + "/user-dirs.dirs");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("XDG_DOCUMENTS_DIR=", 0) != 0) continue;
    std::string value = line.substr(18);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
    return value;
  }
  return {};
}

// The first word of the Exec line of a desktop entry, found on the PATH.
std::string DesktopEntryProgram(const std::string& desktopId) {
  const std::string system = EnvValue("XDG_DATA_DIRS");
  const std::string dirs = XdgDataHome() + ":" + (system.empty() ? "/usr/local/share:/usr/share" : system);
  std::stringstream list(dirs);
  std::string dir;
  while (std::getline(list, dir, ':')) {
    std::ifstream in(dir + "/applications/" + desktopId);
    std::string line;
    while (std::getline(in, line)) {
      if (line.rfind("Exec=", 0) != 0) continue;
      std::string program;
      std::stringstream(line.substr(5)) >> program;
      if (program.size() >= 2 && program.front() == '"') program = program.substr(1, program.size() - 2);
      return FindOnPath(program);
    }
  }
  return {};
}

std::string MimeTypeOf(const std::string& path) {
  const size_t dot = path.rfind('.');
  std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == "htm" || ext == "html") return "text/html";
  return Trim(RunChild({"xdg-mime", "query", "filetype", path}, "", kQueryTimeoutMs).output);
}

class LinuxShellService : public ShellService {
 public:
  std::string SpecialFolderPath(int folderId) override {
    const std::string home = HomeFolder();
    if (folderId != kFolderDocuments || !IsFolder(home)) return {};
    const std::string documents = XdgDocumentsDir(home);
    return IsFolder(documents) ? documents : home;
  }

  std::string Environment(const std::string& name) override { return EnvValue(name.c_str()); }

  std::string CurrentDirectory() override {
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) ? buffer : "";
  }

  Association FindExecutable(const std::string& file, const std::string& folder) override {
    if (!folder.empty() && !IsFolder(folder)) return {kFindPathNotFound, {}};
    const std::string path = folder.empty() || file.rfind('/', 0) == 0 ? file : folder + "/" + file;
    if (::access(path.c_str(), F_OK) != 0) return {kFindFileNotFound, {}};
    const std::string mime = MimeTypeOf(path);
    if (mime.empty()) return {kFindNoAssociation, {}};
    const std::string desktop = Trim(RunChild({"xdg-mime", "query", "default", mime}, "", kQueryTimeoutMs).output);
    const std::string program = desktop.empty() ? std::string() : DesktopEntryProgram(desktop);
    if (program.empty()) return {kFindNoAssociation, {}};
    return {kShellSuccess, program};
  }

  int Open(const std::string& target) override {
    std::string opener = FindOnPath("xdg-open");
    if (opener.empty()) opener = BrowserLauncher();
    if (opener.empty()) return kFindNoAssociation;
    return StartDetached({opener, target}) ? kShellSuccess : kFindFileNotFound;
  }
};

// A browser window standing on the launcher: the written document is kept
// and handed to the launcher as a page file once the window becomes visible.
class LauncherBrowserWindow : public BrowserWindow {
 public:
  explicit LauncherBrowserWindow(std::string launcher) : launcher_(std::move(launcher)) {}

  void Visible(bool visible) override {
    visible_ = visible;
    Show();
  }
  void Navigate(const std::string& address) override {
    address_ = address;
    document_.clear();
    pageFile_.clear();
    written_ = false;
    Show();
  }
  void DocumentWrite(const std::string& html) override {
    document_ += html;
    pageFile_.clear();
    written_ = true;
  }
  void Refresh() override { Show(); }

 private:
  // The document in a new page file of the work folder; its path, or empty.
  std::string WritePageFile() const {
    std::string folder = EnvValue("tmp");
    if (folder.empty()) folder = EnvValue("temp");
    if (folder.empty()) folder = EnvValue("TMPDIR");
    if (folder.empty()) folder = "/tmp";
    std::string pattern = folder + "/vbaXXXXXX.htm";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemps(name.data(), 4);
    if (fd < 0) return {};
    const std::string bytes = EncodeText(document_, AnsiCodePage()).value_or(document_);
    const bool written = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    ::close(fd);
    return written ? std::string(name.data()) : std::string();
  }

  // While visible, hands the current page to the launcher once: the written
  // document as a page file, else the address navigated to.
  void Show() {
    if (!visible_) return;
    std::string target = address_ == "about:blank" ? std::string() : address_;
    if (written_) {
      if (pageFile_.empty()) pageFile_ = WritePageFile();
      target = pageFile_;
    }
    if (target.empty() || target == shownTarget_) return;
    if (StartDetached({launcher_, target})) shownTarget_ = target;
  }

  std::string launcher_;   // the program that shows pages
  std::string address_;    // the last address navigated to
  std::string document_;   // HTML written since the last navigation
  bool written_ = false;   // the document was written into
  bool visible_ = false;   // the window was made visible
  std::string pageFile_;     // the page file of the document as written so far
  std::string shownTarget_;  // what the launcher was given last
};

class LinuxBrowserService : public BrowserService {
 public:
  std::unique_ptr<BrowserWindow> Create() override {
    const std::string launcher = BrowserLauncher();
    if (launcher.empty()) return nullptr;
    return std::make_unique<LauncherBrowserWindow>(launcher);
  }
  std::string ServerPath() override { return BrowserLauncher(); }
};

}  // namespace

std::string BrowserLauncher() {
  std::stringstream list(EnvValue("BROWSER"));
  std::string entry;
  while (std::getline(list, entry, ':')) {
    std::string program;
    std::stringstream(entry) >> program;
    const std::string path = FindOnPath(program);
    if (!path.empty()) return path;
  }
  return FindOnPath("xdg-open");
}

ShellService& LinuxShell() {
  static LinuxShellService service;
  return service;
}

BrowserService& LinuxBrowser() {
  static LinuxBrowserService service;
  return service;
}

}  // namespace qm::platform::posix
