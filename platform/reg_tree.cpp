// The in-memory registry tree: each hive a root key, subkeys in a map by
// case-folded name (so enumeration is sorted without regard to case, as
// Windows enumerates), values in a vector in creation order. Walking a path
// folds each segment and looks it up; creating walks and inserts.
#include "platform/reg_tree.h"

#include <algorithm>

namespace qm::platform {

namespace {

using Values = std::vector<std::pair<std::string, RegValue>>;

Values::iterator FindIn(Values& values, std::string_view name) {
  return std::find_if(values.begin(), values.end(), [&](const auto& v) { return SameRegName(v.first, name); });
}

bool KeysEqual(const RegTree::Key& a, const RegTree::Key& b) {
  if (a.name != b.name || a.values != b.values || a.subkeys.size() != b.subkeys.size()) return false;
  return std::equal(a.subkeys.begin(), a.subkeys.end(), b.subkeys.begin(), [](const auto& x, const auto& y) {
    return x.first == y.first && KeysEqual(x.second, y.second);
  });
}

}  // namespace

std::vector<std::string_view> SplitKeyPath(std::string_view path) {
  std::vector<std::string_view> segments;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) segments.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return segments;
}

std::string FoldRegName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

const RegTree::Key* RegTree::Find(Hive hive, std::string_view path) const {
  const Key* key = &Root(hive);
  for (std::string_view segment : SplitKeyPath(path)) {
    const auto it = key->subkeys.find(FoldRegName(segment));
    if (it == key->subkeys.end()) return nullptr;
    key = &it->second;
  }
  return key;
}

RegTree::Key& RegTree::Create(Hive hive, std::string_view path) {
  Key* key = &roots_[static_cast<size_t>(hive)];
  for (std::string_view segment : SplitKeyPath(path)) {
    auto [it, inserted] = key->subkeys.try_emplace(FoldRegName(segment));
    if (inserted) it->second.name = std::string(segment);
    key = &it->second;
  }
  return *key;
}

const RegValue* RegTree::FindValue(Hive hive, std::string_view path, std::string_view name) const {
  const Key* key = Find(hive, path);
  if (key == nullptr) return nullptr;
  for (const auto& [valueName, value] : key->values) {
    if (SameRegName(valueName, name)) return &value;
  }
  return nullptr;
}

std::vector<std::string> RegTree::SubKeys(Hive hive, std::string_view path) const {
  std::vector<std::string> names;
  if (const Key* key = Find(hive, path)) {
    for (const auto& [folded, sub] : key->subkeys) names.push_back(sub.name);
  }
  return names;
}

std::vector<std::string> RegTree::ValueNames(Hive hive, std::string_view path) const {
  std::vector<std::string> names;
  if (const Key* key = Find(hive, path)) {
    for (const auto& [name, value] : key->values) names.push_back(name);
  }
  return names;
}

void RegTree::SetValue(Hive hive, std::string_view path, std::string_view name, RegValue value) {
  Values& values = Create(hive, path).values;
  const auto it = FindIn(values, name);
  if (it != values.end()) {
    it->second = std::move(value);
  } else {
    values.emplace_back(std::string(name), std::move(value));
  }
}

void RegTree::DeleteValue(Hive hive, std::string_view path, std::string_view name) {
  Key* key = const_cast<Key*>(Find(hive, path));
  if (key == nullptr) return;
  const auto it = FindIn(key->values, name);
  if (it != key->values.end()) key->values.erase(it);
}

bool RegTree::DeleteKey(Hive hive, std::string_view path) {
  auto segments = SplitKeyPath(path);
  if (segments.empty()) return false;
  const std::string last = FoldRegName(segments.back());
  segments.pop_back();
  Key* parent = &roots_[static_cast<size_t>(hive)];
  for (std::string_view segment : segments) {
    const auto it = parent->subkeys.find(FoldRegName(segment));
    if (it == parent->subkeys.end()) return true;
    parent = &it->second;
  }
  parent->subkeys.erase(last);
  return true;
}

bool operator==(const RegTree& a, const RegTree& b) {
  for (size_t i = 0; i < a.roots_.size(); ++i) {
    if (!KeysEqual(a.roots_[i], b.roots_[i])) return false;
  }
  return true;
}

}  // namespace qm::platform
