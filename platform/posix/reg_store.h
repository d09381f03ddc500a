// RegStore: the current user's persistent registry, one .reg text file (see
// platform/reg_file.h for the format) shared by every program of the product:
// setup, removal, the hosts and the add-in library.
//
// Where it lives: $QUILLMARK_REGISTRY when set (tests point it at a temporary
// file), else $XDG_CONFIG_HOME/quillmark/registry.reg, else
// ~/.config/quillmark/registry.reg.
//
// The file is read when the store is opened; a missing file is an empty
// registry. Every write is saved at once and atomically (a temporary file in
// the same folder, flushed to disk, renamed over the old one), so the file is
// never left truncated or half-written: a write that cannot be saved fails
// and leaves both the file and the store as they were. Before a write the
// file is read again when another program has changed it since (reads check
// that too). A malformed
// file is reported (path, line, what is wrong) through LoadError and is never
// overwritten: the store then reads as empty and refuses every write.
#pragma once

#include <sys/types.h>

#include <ctime>
#include <functional>
#include <string>

#include "platform/reg_tree.h"
#include "platform/registry.h"

namespace qm::platform {

class RegStore : public Registry {
 public:
  // The path the store uses when none is given (see above).
  static std::string DefaultPath();

  // Opens the store at `path` and reads it.
  explicit RegStore(std::string path);

  const std::string& Path() const { return path_; }
  // True when the file was missing or read without fault.
  bool Loaded() const { return loadError_.empty(); }
  // "path:line: what is wrong" for a malformed file; empty otherwise.
  const std::string& LoadError() const { return loadError_; }

  // Applies a .reg export (either form) to the store and saves once; nothing
  // is changed when the export is malformed or the save fails.
  bool Import(const std::string& regFilePath);

  bool KeyExists(Hive hive, std::string_view path) const override;
  std::optional<RegValue> ReadValue(Hive hive, std::string_view path, std::string_view name) const override;
  std::vector<std::string> SubKeys(Hive hive, std::string_view path) const override;
  std::vector<std::string> ValueNames(Hive hive, std::string_view path) const override;
  bool SetValue(Hive hive, std::string_view path, std::string_view name, const RegValue& value) override;
  bool CreateKey(Hive hive, std::string_view path) override;
  bool DeleteValue(Hive hive, std::string_view path, std::string_view name) override;
  bool DeleteKey(Hive hive, std::string_view path) override;
  std::string LastError() const override { return lastError_; }

 private:
  struct FileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
  };

  // Reads the file into tree_; false (and loadError_ set) when malformed.
  bool Load() const;
  // Reads the file again when another program changed it since it was last
  // read or written (or when it was malformed); false when it is malformed.
  bool Refresh() const;
  // Runs `change` on a copy of the tree, saves the copy, and keeps it only
  // when the save succeeded.
  bool Write(const std::function<void(RegTree&)>& change);
  // Writes the text atomically over the file; false with lastError_ set.
  bool Save(const std::string& text);
  FileStamp Stamp() const;

  std::string path_;               // the .reg file
  mutable RegTree tree_;           // its contents as last read or written
  mutable FileStamp stamp_;        // the file as last read or written
  mutable std::string loadError_;  // why the file could not be read
  std::string lastError_;   // why the last write failed
};

// The current user's store at its default path, opened on first use; what
// CurrentRegistry() gives unless another registry was set.
RegStore& PersistentRegistry();

}  // namespace qm::platform
