// The in-memory registry of the tests: a RegTree behind the Registry
// interface, with a switch that makes every write fail.
#include "platform/fake/memory_registry.h"

#include "platform/reg_file.h"

namespace qm::platform {

bool MemoryRegistry::WriteAllowed() {
  if (!failWrites_) return true;
  lastError_ = "memory registry: writes are set to fail";
  return false;
}

bool MemoryRegistry::ApplyRegText(std::string_view text, int ansiCodePage) {
  if (!WriteAllowed()) return false;
  const RegParseResult parsed = ParseRegText(text, "memory registry", ansiCodePage);
  if (parsed.error) {
    lastError_ = parsed.error->Message();
    return false;
  }
  ApplyRegEntries(parsed.entries, tree_);
  return true;
}

std::optional<RegValue> MemoryRegistry::ReadValue(Hive hive, std::string_view path, std::string_view name) const {
  const RegValue* value = tree_.FindValue(hive, path, name);
  return value != nullptr ? std::optional<RegValue>(*value) : std::nullopt;
}

bool MemoryRegistry::SetValue(Hive hive, std::string_view path, std::string_view name, const RegValue& value) {
  if (!WriteAllowed()) return false;
  tree_.SetValue(hive, path, name, value);
  return true;
}

bool MemoryRegistry::CreateKey(Hive hive, std::string_view path) {
  if (!WriteAllowed()) return false;
  tree_.CreateKey(hive, path);
  return true;
}

bool MemoryRegistry::DeleteValue(Hive hive, std::string_view path, std::string_view name) {
  if (!WriteAllowed()) return false;
  tree_.DeleteValue(hive, path, name);
  return true;
}

bool MemoryRegistry::DeleteKey(Hive hive, std::string_view path) {
  if (!WriteAllowed()) return false;
  if (!tree_.DeleteKey(hive, path)) {
    lastError_ = std::string(HiveName(hive)) + ": a whole hive cannot be deleted";
    return false;
  }
  return true;
}

}  // namespace qm::platform
