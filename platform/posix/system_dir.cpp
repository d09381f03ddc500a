// The installation folder on Linux, from the environment: an explicit
// override, the XDG data folder, or the home directory's default data folder.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/system_dir.h"

namespace qm::platform {

namespace {

// The value of an environment variable; empty when unset.
std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The path without trailing slashes (a lone "/" stays).
std::string TrimSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string HomeDirectory() {
  std::string home = Env("HOME");
  if (home.empty()) {
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) home = entry->pw_dir;
  }
  return TrimSlashes(home);
}

}  // namespace

std::string SystemDirectory() {
  if (std::string dir = Env("QUILLMARK_SYSTEM_DIR"); !dir.empty()) return TrimSlashes(dir);
  if (std::string data = Env("XDG_DATA_HOME"); !data.empty()) return TrimSlashes(data) + "/quillmark";
  const std::string home = HomeDirectory();
  return home.empty() ? std::string() : home + "/.local/share/quillmark";
}

}  // namespace qm::platform
