// Files, folders, work files and volumes: the file-system service the add-in
// writes its output through. The real service works on the Linux file system;
// tests install an in-memory one (platform/fake/memory_files.h) in which free
// space, drive types and failures are set by the test.
//
// Operations whose failure ends a run return an error number of the runtime
// (0 = success): 53 file not found, 61 disk full, 70 permission denied,
// 75 path/file access error, 76 path not found. The others answer by result.
//
// A volume is what a path lives on. VolumeOf gives it for any path, existing
// or not: on Linux the mount point that holds the path, on Windows the drive
// root ("C:\"). Free space, drive type and the removable-drive probe all take
// a volume.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/text_writer.h"

namespace qm::platform {

// Runtime error numbers the file service reports.
inline constexpr long kFileErrFileNotFound = 53;
inline constexpr long kFileErrDiskFull = 61;
inline constexpr long kFileErrPermissionDenied = 70;
inline constexpr long kFileErrAccess = 75;
inline constexpr long kFileErrPathNotFound = 76;

// Drive types, with the values of the Windows drive-type query.
inline constexpr int kDriveUnknown = 0;
inline constexpr int kDriveNoRootDir = 1;
inline constexpr int kDriveRemovable = 2;
inline constexpr int kDriveFixed = 3;
inline constexpr int kDriveRemote = 4;
inline constexpr int kDriveCdRom = 5;

// Results of probing a removable volume (the system's last-error codes).
inline constexpr int kProbeReady = 0;
inline constexpr int kProbeNotReady = 21;     // no disk in the drive
inline constexpr int kProbeUnformatted = 31;  // the disk is not formatted
inline constexpr int kProbeIoError = 1117;    // any other access failure

// An output text file: each WriteLine encodes the UTF-8 line to the file's
// code page and appends CR LF; a failed write (disk full, file gone) makes it
// and every later write return false. Close flushes and reports.
class TextFile : public TextWriter {
 public:
  // Flushes and closes; 0, or the error number of the first failure.
  virtual long Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // --- Files and folders
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool FolderExists(const std::string& path) = 0;
  // Creates one folder whose parent exists; 0 or an error number.
  virtual long CreateFolder(const std::string& path) = 0;
  // True when the file was deleted; false when it was absent or undeletable.
  virtual bool DeleteFile(const std::string& path) = 0;
  // Every byte of a file; nullopt when it cannot be read.
  virtual std::optional<std::string> ReadAllBytes(const std::string& path) = 0;
  // The length of a file in bytes; -1 when it cannot be examined.
  virtual int64_t FileLength(const std::string& path) = 0;
  // Puts a file's bytes over the target so that the target is either its old
  // self or the complete new file, never a partly written one: on the
  // target's volume the file is renamed over the target (it is then gone
  // from where it was), elsewhere a copy goes to a temporary file beside the
  // target and is renamed over it. A new target gets a new file's default
  // permissions, a replaced one keeps its own. 0 or an error number; on
  // failure the source is kept and nothing is left beside the target.
  virtual long PlaceFile(const std::string& from, const std::string& to) = 0;
  // Opens a file for writing in a code page, emptying it; nullptr on failure.
  virtual std::unique_ptr<TextFile> OpenTextFile(const std::string& path, int codePage) = 0;
  // Creates a new, empty, uniquely named file in a folder whose name begins
  // with the prefix; its path, or empty on failure.
  virtual std::string CreateWorkFile(const std::string& folder, const std::string& prefix) = 0;

  // --- Volumes
  // The volume a path lives on (mount point; Windows: drive root).
  virtual std::string VolumeOf(const std::string& path) = 0;
  // How a message names the drive of a volume (Windows: its letter).
  virtual std::string VolumeName(const std::string& volume) = 0;
  // Bytes free for the user on the volume; 0 when that cannot be found out.
  virtual uint64_t FreeBytes(const std::string& volume) = 0;
  // One of the kDrive* values.
  virtual int DriveType(const std::string& volume) = 0;
  // Reads the root of a removable volume; one of the kProbe* values.
  virtual int ProbeVolume(const std::string& volume) = 0;
};

// The installed file service; the real Linux one when none is installed.
FileSystem& CurrentFileSystem();
void SetFileSystem(FileSystem* service);

class ScopedFileSystem {
 public:
  explicit ScopedFileSystem(FileSystem& service) { SetFileSystem(&service); }
  ~ScopedFileSystem() { SetFileSystem(nullptr); }
  ScopedFileSystem(const ScopedFileSystem&) = delete;
  ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;
};

}  // namespace qm::platform
