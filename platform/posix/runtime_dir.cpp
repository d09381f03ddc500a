// The runtime folder: the XDG runtime folder when the session has one,
// otherwise a private folder of the user's own under /tmp, checked with lstat
// so that a symbolic link or another user's folder is never used.
#include "platform/posix/runtime_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/posix/user_dirs.h"

namespace qm::platform::posix {

namespace {

bool IsFolder(const std::string& path) {
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// True when the path is a folder (not a link) that only the current user owns.
bool IsPrivateFolder(const std::string& path) {
  struct stat st{};
  return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
         (st.st_mode & 0077) == 0;
}

}  // namespace

std::string RuntimeDirectory() {
  if (std::string xdg = EnvValue("XDG_RUNTIME_DIR"); !xdg.empty() && IsFolder(xdg)) return xdg;
  const std::string folder = "/tmp/quillmark-" + std::to_string(::getuid());
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
  return IsPrivateFolder(folder) ? folder : std::string();
}

}  // namespace qm::platform::posix
