// The Linux file service: plain POSIX calls. Work files come from mkstemps;
// an output file is buffered and written with write(2), so a full disk shows
// as a failed WriteLine or Close. Placing a file never leaves a partly
// written target: on the target's volume the file itself is renamed over the
// target, elsewhere it is copied to a temporary file beside the target that
// is then renamed over it. The data is flushed to the disk before the rename
// only when an existing file is replaced, so that a crash leaves the old file
// or the complete new one whatever the file system does with unflushed data
// on a rename; a new file that a crash catches unflushed may come back empty,
// which loses nothing the user had. The folder is not flushed: a crash may
// undo the rename, which again leaves the old file.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/codepage.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/posix_volumes.h"

namespace qm::platform::posix {

long ErrorNumberOf(int error) {
  switch (error) {
    case 0: return 0;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return kFileErrDiskFull;
    case EACCES:
    case EPERM:
    case EROFS: return kFileErrPermissionDenied;
    case ENOENT: return kFileErrFileNotFound;
    case ENOTDIR: return kFileErrPathNotFound;
    default: return kFileErrAccess;
  }
}

namespace {

// Writes all of `size` bytes; errno describes a failure.
bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

class PosixTextFile : public TextFile {
 public:
  PosixTextFile(int fd, int codePage) : fd_(fd), codePage_(codePage) {}
  ~PosixTextFile() override { Close(); }

  bool WriteLine(std::string_view utf8) override {
    if (fd_ < 0 || error_ != 0) return false;
    if (codePage_ == kCodePageUtf8 && IsValidUtf8(utf8)) {
      buffer_.append(utf8);
    } else if (const std::optional<std::string> bytes = EncodeText(utf8, codePage_)) {
      buffer_.append(*bytes);
    } else {
      error_ = kFileErrAccess;
      return false;
    }
    buffer_.append("\r\n", 2);
    return buffer_.size() < kFlushSize || Flush();
  }

  long Close() override {
    if (fd_ < 0) return error_;
    if (error_ == 0) Flush();
    if (::close(fd_) != 0 && error_ == 0) error_ = ErrorNumberOf(errno);
    fd_ = -1;
    return error_;
  }

 private:
  static constexpr size_t kFlushSize = 64 * 1024;

  bool Flush() {
    if (!WriteAll(fd_, buffer_.data(), buffer_.size())) error_ = ErrorNumberOf(errno ? errno : ENOSPC);
    buffer_.clear();
    return error_ == 0;
  }

  int fd_;             // the open file, -1 once closed
  int codePage_;       // the code page lines are written in
  std::string buffer_; // encoded lines not yet written
  long error_ = 0;     // the first failure's error number
};

// The mode a new file gets from the process's umask.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// What placing needs to know of the target before it is replaced.
struct TargetState {
  bool exists = false;     // a file is there now
  mode_t mode = 0;         // the permissions the placed file gets
  dev_t folderDevice = 0;  // the volume of the target's folder
};

// Copies an open file to the end of another.
long Copy(int in, int out) {
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const ssize_t n = ::read(in, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return ErrorNumberOf(errno);
    if (n == 0) break;
    if (!WriteAll(out, buffer.data(), static_cast<size_t>(n))) return ErrorNumberOf(errno ? errno : ENOSPC);
  }
  return 0;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

class PosixFileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }

  bool FolderExists(const std::string& path) override {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }

  long CreateFolder(const std::string& path) override {
    if (::mkdir(path.c_str(), 0777) == 0) return 0;
    return errno == ENOENT ? kFileErrPathNotFound : ErrorNumberOf(errno);
  }

  bool DeleteFile(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

  std::optional<std::string> ReadAllBytes(const std::string& path) override {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
      if (n > 0) bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    if (n < 0) return std::nullopt;
    return bytes;
  }

  int64_t FileLength(const std::string& path) override {
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return st.st_size;
  }

  long PlaceFile(const std::string& from, const std::string& to) override;

  std::unique_ptr<TextFile> OpenTextFile(const std::string& path, int codePage) override {
    if (!CodePageSupported(codePage)) return nullptr;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixTextFile>(fd, codePage);
  }

  std::string CreateWorkFile(const std::string& folder, const std::string& prefix) override {
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != '/') pattern += '/';
    pattern += prefix + "XXXXXX.tmp";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemps(name.data(), 4);
    if (fd < 0) return {};
    ::close(fd);
    return name.data();
  }

  std::string VolumeOf(const std::string& path) override { return MountPointOf(path, CurrentMounts()); }

  std::string VolumeName(const std::string& volume) override { return volume; }

  uint64_t FreeBytes(const std::string& volume) override {
    struct statvfs st{};
    if (volume.empty() || ::statvfs(volume.c_str(), &st) != 0) return 0;
    return static_cast<uint64_t>(st.f_bavail) * st.f_frsize;
  }

  int DriveType(const std::string& volume) override {
    for (const MountEntry& mount : CurrentMounts()) {
      if (mount.mountPoint == volume) return DriveTypeOfMount(mount, IsRemovableDevice(mount.source));
    }
    return kDriveNoRootDir;
  }

  int ProbeVolume(const std::string& volume) override {
    for (const MountEntry& mount : CurrentMounts()) {
      if (mount.mountPoint == volume) return ProbeMount(mount);
    }
    return kProbeNotReady;
  }
};

// Moves the source over the target when both are on one volume: the source
// takes the target's permissions (a new file's default ones when there is no
// target yet) and, when it replaces a file, is flushed to the disk before the
// rename. False, with the source as it was, when that cannot be done.
bool MoveInPlace(const std::string& from, const std::string& to, const TargetState& target) {
  struct stat src{};
  if (::stat(from.c_str(), &src) != 0 || src.st_dev != target.folderDevice || !S_ISREG(src.st_mode)) return false;
  const int fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool moved = ::fchmod(fd, target.mode) == 0 && (!target.exists || ::fsync(fd) == 0) &&
               ::rename(from.c_str(), to.c_str()) == 0;
  if (!moved) ::fchmod(fd, src.st_mode & 07777);
  ::close(fd);
  return moved;
}

// Copies the source to a temporary file beside the target and renames it over
// the target; the copy is flushed first when it replaces a file.
long CopyInPlace(const std::string& from, const std::string& to, const TargetState& target) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return ErrorNumberOf(errno);
  std::string temp = FolderOf(to) + "/.vbaXXXXXX";
  std::vector<char> name(temp.begin(), temp.end());
  name.push_back('\0');
  const int out = ::mkstemp(name.data());
  if (out < 0) {
    const long error = errno == ENOENT ? kFileErrPathNotFound : ErrorNumberOf(errno);
    ::close(in);
    return error;
  }
  temp = name.data();
  ::fchmod(out, target.mode);
  long error = Copy(in, out);
  if (error == 0 && target.exists && ::fsync(out) != 0) error = ErrorNumberOf(errno);
  ::close(in);
  if (::close(out) != 0 && error == 0) error = ErrorNumberOf(errno);
  if (error == 0 && ::rename(temp.c_str(), to.c_str()) != 0) error = ErrorNumberOf(errno);
  if (error != 0) ::unlink(temp.c_str());
  return error;
}

long PosixFileSystem::PlaceFile(const std::string& from, const std::string& to) {
  TargetState target;
  struct stat st{};
  target.exists = ::stat(to.c_str(), &st) == 0;
  target.mode = target.exists ? (st.st_mode & 07777) : NewFileMode();
  if (::stat(FolderOf(to).c_str(), &st) == 0) {
    target.folderDevice = st.st_dev;
    if (MoveInPlace(from, to, target)) return 0;
  }
  return CopyInPlace(from, to, target);
}

}  // namespace

FileSystem& LinuxFileSystem() {
  static PosixFileSystem service;
  return service;
}

}  // namespace qm::platform::posix
