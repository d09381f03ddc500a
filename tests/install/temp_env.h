// A temporary folder removed with its contents at the end of a test, and an
// environment variable set (or unset) for the length of a scope.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/scoped_env.h"

namespace qm::install::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmark-install-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

using ::qm::test::ScopedEnv;

}  // namespace qm::install::testing
