// The shell: special folders, environment variables, the current folder, the
// program associated with a file, and "open". On Linux the documents folder
// is the XDG documents directory (else the home folder), associations come
// from the desktop's MIME defaults (xdg-mime and .desktop files) and "open"
// goes to the system's launcher ($BROWSER or xdg-open).
#pragma once

#include <string>

namespace qm::platform {

// Shell folder identifiers.
inline constexpr int kFolderDocuments = 5;
inline constexpr int kFolderRecent = 8;

// The association query's codes below 33 (failure).
inline constexpr int kFindOutOfMemory = 0;
inline constexpr int kFindFileNotFound = 2;
inline constexpr int kFindPathNotFound = 3;
inline constexpr int kFindBadFormat = 11;
inline constexpr int kFindNoAssociation = 31;
// A result above 32 is success.
inline constexpr int kShellSuccess = 42;

struct Association {
  int code = kFindNoAssociation;  // above 32 on success
  std::string program;            // the associated program's path on success
};

class ShellService {
 public:
  virtual ~ShellService() = default;
  // The path of a special folder; empty when the shell has none.
  virtual std::string SpecialFolderPath(int folderId) = 0;
  // An environment variable's value; empty when it is not set.
  virtual std::string Environment(const std::string& name) = 0;
  virtual std::string CurrentDirectory() = 0;
  // The program that opens `file` (a name in `folder`).
  virtual Association FindExecutable(const std::string& file, const std::string& folder) = 0;
  // Opens a file or address with its program; above 32 on success.
  virtual int Open(const std::string& target) = 0;
};

// The installed shell; the real Linux one when none is installed.
ShellService& CurrentShell();
void SetShell(ShellService* service);

class ScopedShell {
 public:
  explicit ScopedShell(ShellService& service) { SetShell(&service); }
  ~ScopedShell() { SetShell(nullptr); }
  ScopedShell(const ScopedShell&) = delete;
  ScopedShell& operator=(const ScopedShell&) = delete;
};

}  // namespace qm::platform
