// The installation folder on Linux, from the environment: an explicit
// override, else the quillmark folder in the user's XDG data folder.
#include <string>

#include "platform/posix/user_dirs.h"
#include "platform/system_dir.h"

namespace qm::platform {

namespace {

// The path without trailing slashes (a lone "/" stays).
std::string TrimSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

std::string SystemDirectory() {
  if (std::string dir = posix::EnvValue("QUILLMARK_SYSTEM_DIR"); !dir.empty()) return TrimSlashes(dir);
  const std::string data = posix::XdgDataHome();
  return data.empty() ? std::string() : TrimSlashes(data) + "/quillmark";
}

}  // namespace qm::platform
