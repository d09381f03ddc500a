// Volumes on Linux: the mount table of /proc/self/mountinfo, the mount point
// that holds a path, the drive type of a mount and the probe of a removable
// device. Used by the Linux file service.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm::platform::posix {

struct MountEntry {
  std::string mountPoint;  // unescaped
  std::string fsType;      // "ext4", "fuse.sshfs", …
  std::string source;      // "/dev/sda1", "server:/export", …
};

// Parses the text of a mountinfo file.
std::vector<MountEntry> ParseMountInfo(const std::string& text);
// The current process's mount table.
std::vector<MountEntry> CurrentMounts();

// The mount point holding `path` (made absolute against the current folder;
// symbolic links of its existing part resolved); empty when none holds it.
std::string MountPointOf(const std::string& path, const std::vector<MountEntry>& mounts);

// The drive type (kDrive* of platform/files.h) of a mount, given whether its
// source device is removable.
int DriveTypeOfMount(const MountEntry& mount, bool removableDevice);

// True when the block device behind a source (/dev/sdb1, a by-uuid link…) is
// marked removable in /sys.
bool IsRemovableDevice(const std::string& source);

// Reads the root of a mounted volume; a kProbe* value.
int ProbeMount(const MountEntry& mount);

}  // namespace qm::platform::posix
