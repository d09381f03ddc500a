// The user's folders from the environment: each XDG base folder is its
// variable when absolute, else its default under the home folder (a relative
// or empty value is ignored), and the home folder falls back to the password
// entry when $HOME is unset.
#include "platform/posix/user_dirs.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <string>

#include "tests/support/scoped_env.h"

namespace qm::platform::posix {
namespace {

using test::ScopedEnv;

TEST(UserDirsTest, XdgFoldersAreTheAbsoluteVariableElseTheHomeDefault) {
  struct Case {
    const char* value;  // of each XDG variable; nullptr for unset
    const char* home;
    std::string data, config, cache;
  };
  const Case cases[] = {
      {"/x", "/h", "/x", "/x", "/x"},
      {"/x/", "/h", "/x/", "/x/", "/x/"},
      {nullptr, "/h", "/h/.local/share", "/h/.config", "/h/.cache"},
      {"", "/h/", "/h/.local/share", "/h/.config", "/h/.cache"},
      {"relative/dir", "/h", "/h/.local/share", "/h/.config", "/h/.cache"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("value ") + (c.value ? c.value : "(unset)") + ", home " + c.home);
    ScopedEnv data("XDG_DATA_HOME", c.value ? std::optional<std::string>(c.value) : std::nullopt);
    ScopedEnv config("XDG_CONFIG_HOME", c.value ? std::optional<std::string>(c.value) : std::nullopt);
    ScopedEnv cache("XDG_CACHE_HOME", c.value ? std::optional<std::string>(c.value) : std::nullopt);
    ScopedEnv home("HOME", c.home);
    EXPECT_EQ(XdgDataHome(), c.data);
    EXPECT_EQ(XdgConfigHome(), c.config);
    EXPECT_EQ(XdgCacheHome(), c.cache);
  }
}

TEST(UserDirsTest, HomeFallsBackToThePasswordEntry) {
  const passwd* entry = ::getpwuid(::getuid());
  if (entry == nullptr || entry->pw_dir == nullptr || *entry->pw_dir == '\0') GTEST_SKIP() << "no password entry";
  const std::string expected = entry->pw_dir;
  {
    ScopedEnv home("HOME", std::nullopt);
    EXPECT_EQ(HomeFolder(), expected);
  }
  ScopedEnv home("HOME", "");
  EXPECT_EQ(HomeFolder(), expected);
}

}  // namespace
}  // namespace qm::platform::posix
