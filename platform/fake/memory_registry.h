// MemoryRegistry: a registry held in memory only, for tests. It can be told
// to refuse every write (disk full, access denied) so that callers' failure
// paths can be tested, and can apply .reg text directly.
#pragma once

#include <string>

#include "platform/codepage.h"
#include "platform/reg_tree.h"
#include "platform/registry.h"

namespace qm::platform {

class MemoryRegistry : public Registry {
 public:
  // While true, every write fails and changes nothing.
  void FailWrites(bool fail) { failWrites_ = fail; }

  // Applies .reg text (either form); false with LastError set when it is
  // malformed, and then nothing is changed.
  bool ApplyRegText(std::string_view text, int ansiCodePage = kCodePageUtf8);

  const RegTree& Tree() const { return tree_; }

  bool KeyExists(Hive hive, std::string_view path) const override { return tree_.KeyExists(hive, path); }
  std::optional<RegValue> ReadValue(Hive hive, std::string_view path, std::string_view name) const override;
  std::vector<std::string> SubKeys(Hive hive, std::string_view path) const override {
    return tree_.SubKeys(hive, path);
  }
  std::vector<std::string> ValueNames(Hive hive, std::string_view path) const override {
    return tree_.ValueNames(hive, path);
  }
  bool SetValue(Hive hive, std::string_view path, std::string_view name, const RegValue& value) override;
  bool CreateKey(Hive hive, std::string_view path) override;
  bool DeleteValue(Hive hive, std::string_view path, std::string_view name) override;
  bool DeleteKey(Hive hive, std::string_view path) override;
  std::string LastError() const override { return lastError_; }

 private:
  // False (with LastError set) while writes are made to fail.
  bool WriteAllowed();

  RegTree tree_;
  bool failWrites_ = false;  // every write fails
  std::string lastError_;    // why the last write failed
};

}  // namespace qm::platform
