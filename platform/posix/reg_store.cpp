// The persistent registry file. Reads go to the tree loaded from the file.
// A write reloads the file when another program changed it (its inode, size
// or time differ), applies the change to a copy of the tree, writes the whole
// copy as .reg text into a temporary file beside the store, flushes it and
// renames it over the store; the copy replaces the tree only after that
// succeeded. The text is parsed back before saving, so a name or text that the
// file cannot hold faithfully is refused instead of corrupting the store.
#include "platform/posix/reg_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/codepage.h"
#include "platform/posix/user_dirs.h"
#include "platform/reg_file.h"

namespace qm::platform {

namespace {

std::string ErrnoText(int error) { return std::strerror(error); }

// Reads the whole file; false with errno's value in `error`.
bool ReadWholeFile(const std::string& path, std::string& out, int& error) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return false;
  }
  char buffer[8192];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) != 0) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = errno;
      close(fd);
      return false;
    }
    out.append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  return true;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// Creates the folder and its parents; true when it exists afterwards.
bool MakeFolders(const std::string& folder) {
  for (size_t slash = folder.find('/', 1); ; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (!part.empty() && mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string RegStore::DefaultPath() {
  if (std::string path = posix::EnvValue("QUILLMARK_REGISTRY"); !path.empty()) return path;
  return posix::XdgConfigHome() + "/quillmark/registry.reg";
}

RegStore::RegStore(std::string path) : path_(std::move(path)) { Load(); }

RegStore::FileStamp RegStore::Stamp() const {
  struct stat st {};
  if (stat(path_.c_str(), &st) != 0) return {};
  return {true, st.st_dev, st.st_ino, st.st_size, st.st_mtim};
}

bool RegStore::Load() const {
  tree_ = RegTree();
  loadError_.clear();
  stamp_ = Stamp();
  std::string bytes;
  int error = 0;
  if (!ReadWholeFile(path_, bytes, error)) {
    if (error == ENOENT) return true;
    loadError_ = path_ + ": cannot be read: " + ErrnoText(error);
    return false;
  }
  RegParseResult parsed = ParseRegText(bytes, path_, AnsiCodePage());
  if (parsed.error) {
    loadError_ = parsed.error->Message();
    return false;
  }
  ApplyRegEntries(parsed.entries, tree_);
  return true;
}

bool RegStore::Refresh() const {
  const FileStamp now = Stamp();
  const bool changed = now.exists != stamp_.exists || now.device != stamp_.device || now.inode != stamp_.inode ||
                       now.size != stamp_.size || now.modified.tv_sec != stamp_.modified.tv_sec ||
                       now.modified.tv_nsec != stamp_.modified.tv_nsec;
  return changed ? Load() : Loaded();
}

bool RegStore::Write(const std::function<void(RegTree&)>& change) {
  if (!Refresh()) {
    lastError_ = loadError_ + " (the store was not changed)";
    return false;
  }
  RegTree updated = tree_;
  change(updated);
  const std::string text = SerializeRegTree(updated);
  const RegParseResult check = ParseRegText(text, path_, AnsiCodePage());
  RegTree reread;
  ApplyRegEntries(check.entries, reread);
  if (check.error || !(reread == updated)) {
    lastError_ = path_ + ": a key name, value name or text holds characters the registry file cannot keep "
                         "(line breaks or invalid UTF-8); the store was not changed";
    return false;
  }
  if (!Save(text)) return false;
  tree_ = std::move(updated);
  stamp_ = Stamp();
  return true;
}

bool RegStore::Save(const std::string& text) {
  const std::string folder = FolderOf(path_);
  if (!MakeFolders(folder)) {
    lastError_ = path_ + ": cannot create the folder " + folder + ": " + ErrnoText(errno);
    return false;
  }
  std::string temp = path_ + ".tmp.XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) {
    lastError_ = path_ + ": cannot create a temporary file: " + ErrnoText(errno);
    return false;
  }
  struct stat old {};
  if (stat(path_.c_str(), &old) == 0) fchmod(fd, old.st_mode & 07777);
  bool ok = WriteAll(fd, text) && fsync(fd) == 0;
  int error = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && rename(temp.c_str(), path_.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    unlink(temp.c_str());
    lastError_ = path_ + ": cannot be saved: " + ErrnoText(error) + " (the store was not changed)";
    return false;
  }
  if (const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    fsync(dir);  // makes the rename itself durable
    close(dir);
  }
  return true;
}

bool RegStore::Import(const std::string& regFilePath) {
  std::string bytes;
  int error = 0;
  if (!ReadWholeFile(regFilePath, bytes, error)) {
    lastError_ = regFilePath + ": cannot be read: " + ErrnoText(error);
    return false;
  }
  RegParseResult parsed = ParseRegText(bytes, regFilePath, AnsiCodePage());
  if (parsed.error) {
    lastError_ = parsed.error->Message();
    return false;
  }
  return Write([&](RegTree& tree) { ApplyRegEntries(parsed.entries, tree); });
}

bool RegStore::KeyExists(Hive hive, std::string_view path) const {
  Refresh();
  return tree_.KeyExists(hive, path);
}

std::optional<RegValue> RegStore::ReadValue(Hive hive, std::string_view path, std::string_view name) const {
  Refresh();
  const RegValue* value = tree_.FindValue(hive, path, name);
  return value != nullptr ? std::optional<RegValue>(*value) : std::nullopt;
}

std::vector<std::string> RegStore::SubKeys(Hive hive, std::string_view path) const {
  Refresh();
  return tree_.SubKeys(hive, path);
}

std::vector<std::string> RegStore::ValueNames(Hive hive, std::string_view path) const {
  Refresh();
  return tree_.ValueNames(hive, path);
}

bool RegStore::SetValue(Hive hive, std::string_view path, std::string_view name, const RegValue& value) {
  return Write([&](RegTree& tree) { tree.SetValue(hive, path, name, value); });
}

bool RegStore::CreateKey(Hive hive, std::string_view path) {
  if (Refresh() && tree_.KeyExists(hive, path)) return true;
  return Write([&](RegTree& tree) { tree.CreateKey(hive, path); });
}

bool RegStore::DeleteValue(Hive hive, std::string_view path, std::string_view name) {
  if (Refresh() && tree_.FindValue(hive, path, name) == nullptr) return true;
  return Write([&](RegTree& tree) { tree.DeleteValue(hive, path, name); });
}

bool RegStore::DeleteKey(Hive hive, std::string_view path) {
  if (SplitKeyPath(path).empty()) {
    lastError_ = std::string(HiveName(hive)) + ": a whole hive cannot be deleted";
    return false;
  }
  if (Refresh() && !tree_.KeyExists(hive, path)) return true;
  return Write([&](RegTree& tree) { tree.DeleteKey(hive, path); });
}

RegStore& PersistentRegistry() {
  static RegStore store(RegStore::DefaultPath());
  return store;
}

}  // namespace qm::platform
