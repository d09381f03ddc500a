// The Linux side of volumes. A path's volume is the longest mount point that
// holds it; its drive type comes from the file-system type (one table) and the
// /sys "removable" flag of its block device, so local disks count as fixed,
// sticks and cards as removable, and network shares and optical discs as
// unusable.
#include "platform/posix/posix_volumes.h"

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <string_view>

#include "platform/files.h"

namespace qm::platform::posix {

namespace {

struct FsClass {
  std::string_view fsType;
  int driveType;
};

// File-system types and the drive type they stand for. Types not listed are
// unusable (0): pseudo file systems and anything unknown.
constexpr FsClass kFsClasses[] = {
    {"ext2", kDriveFixed},     {"ext3", kDriveFixed},       {"ext4", kDriveFixed},
    {"xfs", kDriveFixed},      {"btrfs", kDriveFixed},      {"overlay", kDriveFixed},
    {"tmpfs", kDriveFixed},    {"ramfs", kDriveFixed},      {"zfs", kDriveFixed},
    {"f2fs", kDriveFixed},     {"jfs", kDriveFixed},        {"reiserfs", kDriveFixed},
    {"nilfs2", kDriveFixed},   {"bcachefs", kDriveFixed},   {"hfsplus", kDriveFixed},
    {"vfat", kDriveFixed},     {"msdos", kDriveFixed},      {"exfat", kDriveFixed},
    {"ntfs", kDriveFixed},     {"ntfs3", kDriveFixed},      {"fuseblk", kDriveFixed},
    {"nfs", kDriveRemote},     {"nfs4", kDriveRemote},      {"cifs", kDriveRemote},
    {"smb3", kDriveRemote},    {"smbfs", kDriveRemote},     {"sshfs", kDriveRemote},
    {"fuse.sshfs", kDriveRemote}, {"9p", kDriveRemote},     {"afs", kDriveRemote},
    {"ceph", kDriveRemote},    {"glusterfs", kDriveRemote}, {"fuse.glusterfs", kDriveRemote},
    {"davfs", kDriveRemote},   {"fuse.davfs2", kDriveRemote}, {"fuse.rclone", kDriveRemote},
    {"virtiofs", kDriveRemote}, {"iso9660", kDriveCdRom},   {"udf", kDriveCdRom},
};

// mountinfo escapes blanks, tabs, newlines and backslashes as \ooo.
std::string Unescape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 3 < text.size()) {
      const std::string_view digits = text.substr(i + 1, 3);
      if (digits.find_first_not_of("01234567") == std::string_view::npos) {
        out += static_cast<char>(std::stoi(std::string(digits), nullptr, 8));
        i += 3;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

std::string ReadSmallFile(const std::string& path) {
  std::ifstream in(path);
  std::string word;
  in >> word;
  return word;
}

// "/a/./b/../c" → "/a/c"; the path must be absolute.
std::string Normalize(const std::string& path) {
  std::vector<std::string> parts;
  std::stringstream in(path);
  std::string part;
  while (std::getline(in, part, '/')) {
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else {
      parts.push_back(part);
    }
  }
  std::string out;
  for (const std::string& p : parts) out += "/" + p;
  return out.empty() ? "/" : out;
}

// The path with its longest existing leading part resolved by realpath.
std::string ResolveExisting(const std::string& normalized) {
  std::string head = normalized;
  std::string tail;
  while (!head.empty()) {
    char buffer[PATH_MAX];
    if (::realpath(head.c_str(), buffer)) {
      std::string resolved = buffer;
      if (!tail.empty()) resolved = (resolved == "/" ? "" : resolved) + tail;
      return resolved;
    }
    const size_t slash = head.rfind('/');
    if (slash == std::string::npos || head == "/") break;
    tail = head.substr(slash) + tail;
    head = slash == 0 ? "/" : head.substr(0, slash);
  }
  return normalized;
}

std::string SysBlockDir(const std::string& source) {
  char buffer[PATH_MAX];
  if (source.rfind("/dev/", 0) != 0 || !::realpath(source.c_str(), buffer)) return {};
  const std::string device = buffer;
  const std::string name = device.substr(device.rfind('/') + 1);
  if (!::realpath(("/sys/class/block/" + name).c_str(), buffer)) return {};
  return buffer;
}

}  // namespace

std::vector<MountEntry> ParseMountInfo(const std::string& text) {
  std::vector<MountEntry> mounts;
  std::stringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::stringstream fields(line);
    std::vector<std::string> words;
    std::string word;
    while (fields >> word) words.push_back(word);
    size_t dash = 0;
    while (dash < words.size() && words[dash] != "-") ++dash;
    if (words.size() < 5 || dash + 2 >= words.size()) continue;
    mounts.push_back({Unescape(words[4]), words[dash + 1], Unescape(words[dash + 2])});
  }
  return mounts;
}

std::vector<MountEntry> CurrentMounts() {
  std::ifstream in("/proc/self/mountinfo");
  std::stringstream text;
  text << in.rdbuf();
  return ParseMountInfo(text.str());
}

std::string MountPointOf(const std::string& path, const std::vector<MountEntry>& mounts) {
  if (path.empty()) return {};
  std::string absolute = path;
  if (absolute[0] != '/') {
    char cwd[PATH_MAX];
    if (!::getcwd(cwd, sizeof cwd)) return {};
    absolute = std::string(cwd) + "/" + absolute;
  }
  const std::string resolved = ResolveExisting(Normalize(absolute));
  std::string best;
  for (const MountEntry& mount : mounts) {
    const std::string& mp = mount.mountPoint;
    const bool holds = mp == "/" || resolved == mp || resolved.rfind(mp + "/", 0) == 0;
    if (holds && mp.size() >= best.size()) best = mp;
  }
  return best;
}

int DriveTypeOfMount(const MountEntry& mount, bool removableDevice) {
  int type = kDriveUnknown;
  for (const FsClass& fs : kFsClasses) {
    if (fs.fsType == mount.fsType) type = fs.driveType;
  }
  if (type == kDriveFixed && removableDevice) return kDriveRemovable;
  return type;
}

bool IsRemovableDevice(const std::string& source) {
  const std::string sys = SysBlockDir(source);
  if (sys.empty()) return false;
  std::string flag = ReadSmallFile(sys + "/removable");
  if (flag.empty()) flag = ReadSmallFile(sys + "/../removable");
  return flag == "1";
}

int ProbeMount(const MountEntry& mount) {
  const std::string sys = SysBlockDir(mount.source);
  if (!sys.empty() && ReadSmallFile(sys + "/size") == "0") return kProbeNotReady;
  DIR* dir = ::opendir(mount.mountPoint.c_str());
  if (!dir) {
    const int error = errno;
    if (error == ENOMEDIUM || error == ENXIO || error == ENODEV || error == ENOENT) return kProbeNotReady;
    return kProbeIoError;
  }
  errno = 0;
  ::readdir(dir);
  const int error = errno;
  ::closedir(dir);
  if (error == ENOMEDIUM || error == ENXIO) return kProbeNotReady;
  return error == 0 ? kProbeReady : kProbeIoError;
}

}  // namespace qm::platform::posix
