// The in-memory file system of tests. Writes and copies take room from the
// volume's writable bytes, so "disk full after N bytes" shows exactly where
// the real disk would fail; a failed placing leaves the target untouched, as
// the real service's rename does.
#include "platform/fake/memory_files.h"

#include "platform/codepage.h"

namespace qm::platform {

namespace {

std::string ParentOf(const std::string& path) {
  const size_t cut = path.find_last_of("/\\");
  if (cut == std::string::npos) return {};
  return cut == 0 ? path.substr(0, 1) : path.substr(0, cut);
}

class MemoryTextFile : public TextFile {
 public:
  MemoryTextFile(MemoryFileSystem& fs, std::string path, int codePage)
      : fs_(fs), path_(std::move(path)), codePage_(codePage) {}

  bool WriteLine(std::string_view utf8) override {
    if (closed_ || error_ != 0) return false;
    std::optional<std::string> bytes = EncodeText(utf8, codePage_);
    if (!bytes || !fs_.FileExists(path_)) {
      error_ = kFileErrAccess;
      return false;
    }
    *bytes += "\r\n";
    if (!fs_.Consume(path_, bytes->size())) {
      error_ = kFileErrDiskFull;
      return false;
    }
    fs_.AddFile(path_, *fs_.Contents(path_) + *bytes);
    return true;
  }

  long Close() override {
    closed_ = true;
    return error_;
  }

 private:
  MemoryFileSystem& fs_;
  std::string path_;
  int codePage_;
  bool closed_ = false;
  long error_ = 0;  // the first failure's error number
};

}  // namespace

void MemoryFileSystem::AddVolume(const std::string& root, Volume volume) {
  volumes_[root] = std::move(volume);
  folders_.insert(root);
}

std::optional<std::string> MemoryFileSystem::Contents(const std::string& path) const {
  const auto it = files_.find(path);
  if (it == files_.end()) return std::nullopt;
  return it->second;
}

std::set<std::string> MemoryFileSystem::FilesIn(const std::string& folder) const {
  std::set<std::string> names;
  for (const auto& [path, bytes] : files_) {
    if (ParentOf(path) == folder) names.insert(path);
  }
  return names;
}

long MemoryFileSystem::CheckWritable(const std::string& path) const {
  const std::string parent = ParentOf(path);
  if (!folders_.count(parent)) return kFileErrPathNotFound;
  if (readOnly_.count(parent)) return kFileErrPermissionDenied;
  return 0;
}

bool MemoryFileSystem::Consume(const std::string& path, uint64_t bytes) {
  const auto it = volumes_.find(VolumeOf(path));
  if (it == volumes_.end() || !it->second.writableBytes) return true;
  std::optional<uint64_t>& room = it->second.writableBytes;
  if (*room < bytes) {
    room = 0;
    return false;
  }
  *room -= bytes;
  return true;
}

long MemoryFileSystem::CreateFolder(const std::string& path) {
  if (folders_.count(path) || files_.count(path)) return kFileErrAccess;
  if (const long error = CheckWritable(path)) return error;
  folders_.insert(path);
  return 0;
}

std::optional<std::string> MemoryFileSystem::ReadAllBytes(const std::string& path) {
  if (vanishing_.erase(path)) files_.erase(path);
  return Contents(path);
}

int64_t MemoryFileSystem::FileLength(const std::string& path) {
  const auto it = files_.find(path);
  return it == files_.end() ? -1 : static_cast<int64_t>(it->second.size());
}

long MemoryFileSystem::PlaceFile(const std::string& from, const std::string& to) {
  const std::optional<std::string> bytes = ReadAllBytes(from);
  if (!bytes) return kFileErrFileNotFound;
  if (folders_.count(to)) return kFileErrAccess;  // a folder stands where the file goes
  if (const long error = CheckWritable(to)) return error;
  if (!Consume(to, bytes->size())) return kFileErrDiskFull;
  files_[to] = *bytes;
  return 0;
}

std::unique_ptr<TextFile> MemoryFileSystem::OpenTextFile(const std::string& path, int codePage) {
  if (CheckWritable(path) != 0 || !CodePageSupported(codePage)) return nullptr;
  files_[path].clear();
  return std::make_unique<MemoryTextFile>(*this, path, codePage);
}

std::string MemoryFileSystem::CreateWorkFile(const std::string& folder, const std::string& prefix) {
  if (!folders_.count(folder) || readOnly_.count(folder)) return {};
  const std::string sep = folder.find('\\') != std::string::npos ? "\\" : "/";
  std::string path;
  do {
    path = folder + (folder.back() == sep[0] ? "" : sep) + prefix + std::to_string(++workCounter_) + ".tmp";
  } while (files_.count(path));
  files_[path] = "";
  return path;
}

std::string MemoryFileSystem::VolumeOf(const std::string& path) {
  std::string best;
  for (const auto& [root, volume] : volumes_) {
    if (path.rfind(root, 0) == 0 && root.size() > best.size()) best = root;
  }
  return best;
}

std::string MemoryFileSystem::VolumeName(const std::string& volume) {
  const auto it = volumes_.find(volume);
  return it == volumes_.end() || it->second.name.empty() ? volume : it->second.name;
}

uint64_t MemoryFileSystem::FreeBytes(const std::string& volume) {
  const auto it = volumes_.find(volume);
  return it == volumes_.end() ? 0 : it->second.freeBytes;
}

int MemoryFileSystem::DriveType(const std::string& volume) {
  const auto it = volumes_.find(volume);
  return it == volumes_.end() ? kDriveNoRootDir : it->second.driveType;
}

int MemoryFileSystem::ProbeVolume(const std::string& volume) {
  const auto it = volumes_.find(volume);
  return it == volumes_.end() ? kProbeNotReady : it->second.probe;
}

}  // namespace qm::platform
