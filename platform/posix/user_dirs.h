// The current user's folders on Linux: the home folder and the XDG base
// folders for data, configuration and cache, read from the environment.
#pragma once

#include <string>

namespace qm::platform::posix {

// The value of an environment variable; empty when unset.
std::string EnvValue(const char* name);

// $HOME, else the home folder of the user's password entry; empty when neither.
std::string HomeFolder();

// $XDG_DATA_HOME when it is an absolute path (a relative value is ignored),
// else ~/.local/share; empty when there is no home folder.
std::string XdgDataHome();

// $XDG_CONFIG_HOME when absolute, else ~/.config; empty without a home folder.
std::string XdgConfigHome();

// $XDG_CACHE_HOME when absolute, else ~/.cache; empty without a home folder.
std::string XdgCacheHome();

}  // namespace qm::platform::posix
