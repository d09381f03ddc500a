// The named mutex as a flock on "<runtime folder>/<name>.lock". The lock is
// taken without waiting; a lock held by another open of the file (another
// process, or another NamedMutex of this one) means "held elsewhere". The
// file is opened without following links and stays in place afterwards:
// removing it would let a third process lock a new file of the same name.
#include "platform/named_mutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/runtime_dir.h"

namespace qm::platform {

namespace {

// The name with every character that cannot stand in a file name replaced.
std::string FileNameOf(const std::string& name) {
  std::string out = name;
  for (char& c : out) {
    if (c == '/' || c == '\0') c = '_';
  }
  return out + ".lock";
}

}  // namespace

NamedMutex::NamedMutex(const std::string& name) {
  const std::string folder = posix::RuntimeDirectory();
  if (folder.empty()) return;
  const std::string path = folder + "/" + FileNameOf(name);
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return;
  int result;
  do {
    result = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result == 0) {
    fd_ = fd;
    return;
  }
  heldElsewhere_ = errno == EWOULDBLOCK;
  ::close(fd);
}

NamedMutex::~NamedMutex() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace qm::platform
