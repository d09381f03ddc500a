// The browser registration layer: two keys of HKEY_CLASSES_ROOT and their
// parents are answered from the installed browser service's server path at
// the moment of each read, so the registration follows the system (a launcher
// installed or removed later) and is never written anywhere.
#include "platform/browser_registry.h"

#include <string>
#include <vector>

#include "platform/browser.h"

namespace qm::platform {

namespace {

// The key path without empty segments ("\a\\b\" → "a\b").
std::string Canonical(std::string_view path) {
  std::string out;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) {
      if (!out.empty()) out += '\\';
      out.append(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return out;
}

std::string ProgIdKey() { return std::string(kBrowserProgId) + "\\CLSID"; }
std::string ServerKey() { return std::string("CLSID\\") + kBrowserClsid + "\\LocalServer32"; }

// True when `path` is `key` or one of its parents.
bool IsKeyOrParent(const std::string& path, const std::string& key) {
  return !path.empty() && (SameRegName(path, key) ||
                           (key.size() > path.size() && key[path.size()] == '\\' &&
                            SameRegName(path, std::string_view(key).substr(0, path.size()))));
}

}  // namespace

bool BrowserRegistryLayer::LayerKey(Hive hive, std::string_view path) const {
  if (hive != Hive::ClassesRoot) return false;
  const std::string key = Canonical(path);
  if (!IsKeyOrParent(key, ProgIdKey()) && !IsKeyOrParent(key, ServerKey())) return false;
  return !CurrentBrowser().ServerPath().empty();
}

std::optional<RegValue> BrowserRegistryLayer::LayerValue(Hive hive, std::string_view path) const {
  if (hive != Hive::ClassesRoot) return std::nullopt;
  const std::string key = Canonical(path);
  const bool progId = SameRegName(key, ProgIdKey());
  if (!progId && !SameRegName(key, ServerKey())) return std::nullopt;
  const std::string server = CurrentBrowser().ServerPath();
  if (server.empty()) return std::nullopt;
  return RegValue::Text(progId ? std::string(kBrowserClsid) : "\"" + server + "\"");
}

bool BrowserRegistryLayer::KeyExists(Hive hive, std::string_view path) const {
  return LayerKey(hive, path) || base_.KeyExists(hive, path);
}

std::optional<RegValue> BrowserRegistryLayer::ReadValue(Hive hive, std::string_view path,
                                                        std::string_view name) const {
  if (name.empty()) {
    if (std::optional<RegValue> value = LayerValue(hive, path)) return value;
  }
  return base_.ReadValue(hive, path, name);
}

}  // namespace qm::platform
