// The user's folders from the environment. Each XDG base folder is its
// variable when that holds an absolute path; otherwise (unset, empty or
// relative, which the XDG rules say to ignore) it is its default folder under
// the home folder, joined without doubling the home folder's trailing slash.
#include "platform/posix/user_dirs.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace qm::platform::posix {

namespace {

// The XDG folder named by the variable, else home + "/" + fallback.
std::string XdgFolder(const char* variable, const char* fallback) {
  if (std::string value = EnvValue(variable); !value.empty() && value.front() == '/') return value;
  std::string home = HomeFolder();
  if (home.empty()) return {};
  while (home.size() > 1 && home.back() == '/') home.pop_back();
  return home + "/" + fallback;
}

}  // namespace

std::string EnvValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string HomeFolder() {
  if (std::string home = EnvValue("HOME"); !home.empty()) return home;
  const passwd* entry = ::getpwuid(::getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

std::string XdgDataHome() { return XdgFolder("XDG_DATA_HOME", ".local/share"); }

std::string XdgConfigHome() { return XdgFolder("XDG_CONFIG_HOME", ".config"); }

std::string XdgCacheHome() { return XdgFolder("XDG_CACHE_HOME", ".cache"); }

}  // namespace qm::platform::posix
