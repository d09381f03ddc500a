// RegTree: the keys and values of the four hives in memory, the data both the
// persistent store and the in-memory registry of the tests hold. Paths and
// names follow the rules of registry.h (case-insensitive, "\"-separated,
// empty segments ignored). A key keeps the spelling it was created with.
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace qm::platform {

class RegTree {
 public:
  struct Key {
    std::string name;                                     // spelling at creation
    std::map<std::string, Key> subkeys;                   // by case-folded name
    std::vector<std::pair<std::string, RegValue>> values;  // in creation order
  };

  bool KeyExists(Hive hive, std::string_view path) const { return Find(hive, path) != nullptr; }
  // The value, or nullptr when the key or the value is missing.
  const RegValue* FindValue(Hive hive, std::string_view path, std::string_view name) const;
  std::vector<std::string> SubKeys(Hive hive, std::string_view path) const;
  std::vector<std::string> ValueNames(Hive hive, std::string_view path) const;

  void SetValue(Hive hive, std::string_view path, std::string_view name, RegValue value);
  void CreateKey(Hive hive, std::string_view path) { Create(hive, path); }
  void DeleteValue(Hive hive, std::string_view path, std::string_view name);
  // False only for the hive itself, which cannot be deleted.
  bool DeleteKey(Hive hive, std::string_view path);

  // The hive's root key (its name is empty), for walking the whole tree.
  const Key& Root(Hive hive) const { return roots_[static_cast<size_t>(hive)]; }

  friend bool operator==(const RegTree& a, const RegTree& b);

 private:
  const Key* Find(Hive hive, std::string_view path) const;
  Key& Create(Hive hive, std::string_view path);

  std::array<Key, 4> roots_;  // one per Hive, in enum order
};

// The non-empty "\"-separated segments of a key path.
std::vector<std::string_view> SplitKeyPath(std::string_view path);
// A name with ASCII letters lowered: the key under which names compare.
std::string FoldRegName(std::string_view name);

}  // namespace qm::platform
