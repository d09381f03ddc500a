// An in-memory file system for tests: files and folders in maps, volumes in a
// table the test fills (free space, drive type, probe result, the name a
// message gives the drive), and faults to inject: a volume that fills up after
// N more bytes, a read-only folder, a file that vanishes when it is next read
// or copied. Paths are plain strings; a path's volume is the longest
// registered volume root that begins it.
//
//   MemoryFileSystem fs;
//   fs.AddVolume("/out", {.freeBytes = 1 << 20});
//   fs.AddFolder("/out");
//   ScopedFileSystem use(fs);
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/files.h"

namespace qm::platform {

class MemoryFileSystem : public FileSystem {
 public:
  struct Volume {
    uint64_t freeBytes = uint64_t{1} << 40;  // bytes FreeBytes reports
    int driveType = kDriveFixed;
    int probe = kProbeReady;                 // ProbeVolume's answer
    std::string name;                        // VolumeName; the root when empty
    // Bytes that can still be written before writes fail with "disk full";
    // nullopt for no limit.
    std::optional<uint64_t> writableBytes;
  };

  // --- Set-up
  void AddVolume(const std::string& root, Volume volume);
  Volume& VolumeAt(const std::string& root) { return volumes_.at(root); }
  void AddFolder(const std::string& path) { folders_.insert(path); }
  void AddFile(const std::string& path, std::string bytes) { files_[path] = std::move(bytes); }
  // Writing, creating or placing files in the folder fails with "permission denied".
  void MakeReadOnly(const std::string& folder) { readOnly_.insert(folder); }
  // The file disappears the next time it is read or copied.
  void VanishOnNextRead(const std::string& path) { vanishing_.insert(path); }

  // --- Inspection
  const std::map<std::string, std::string>& Files() const { return files_; }
  std::optional<std::string> Contents(const std::string& path) const;
  // Files directly inside a folder.
  std::set<std::string> FilesIn(const std::string& folder) const;

  // --- FileSystem
  bool FileExists(const std::string& path) override { return files_.count(path) > 0; }
  bool FolderExists(const std::string& path) override { return folders_.count(path) > 0; }
  long CreateFolder(const std::string& path) override;
  bool DeleteFile(const std::string& path) override { return files_.erase(path) > 0; }
  std::optional<std::string> ReadAllBytes(const std::string& path) override;
  int64_t FileLength(const std::string& path) override;
  long PlaceFile(const std::string& from, const std::string& to) override;
  std::unique_ptr<TextFile> OpenTextFile(const std::string& path, int codePage) override;
  std::string CreateWorkFile(const std::string& folder, const std::string& prefix) override;
  std::string VolumeOf(const std::string& path) override;
  std::string VolumeName(const std::string& volume) override;
  uint64_t FreeBytes(const std::string& volume) override;
  int DriveType(const std::string& volume) override;
  int ProbeVolume(const std::string& volume) override;

  // Takes `bytes` of room on the volume holding `path`; false when full.
  bool Consume(const std::string& path, uint64_t bytes);
  // 0 when a file may be written at path, else the error number.
  long CheckWritable(const std::string& path) const;

 private:
  std::map<std::string, Volume> volumes_;     // by root
  std::set<std::string> folders_;             // every existing folder
  std::map<std::string, std::string> files_;  // path → bytes
  std::set<std::string> readOnly_;            // folders that refuse writes
  std::set<std::string> vanishing_;           // files gone at their next read
  int workCounter_ = 0;                       // numbers the work files
};

}  // namespace qm::platform
