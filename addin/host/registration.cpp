// Self-registration: a table of the class and type library entries
// (hive, key, value name, text), written in order and removed key by key,
// then the add-in key with its four values. The table is filled from
// registration_data.h and the library's path.
#include "addin/host/registration.h"

#include <vector>

#include "addin/common/path_parts.h"
#include "addin/host/registration_data.h"

namespace qm {
namespace {

using platform::Hive;
using platform::RegValue;

struct Entry {
  std::string key;  // under HKEY_CLASSES_ROOT
  std::string name;  // empty: the default value
  std::string text;
};

std::string TypeLibKey() { return std::string(kTypeLibRootKey) + "\\" + kAddinTypeLibId; }

std::string TypeLibVersionKey() { return TypeLibKey() + "\\" + kAddinTypeLibVersion; }

// Every class and type library value, in the order they are written.
std::vector<Entry> ClassEntries(const std::string& libraryPath) {
  const std::string classKey = kClassIdKey;
  const std::string typeLib = TypeLibVersionKey();
  return {
      {kProgIdKey, "", kAddinProgId},
      {kClassRegistrationKey, "", kAddinClsid},
      {classKey, "", kAddinProgId},
      {kInprocServerKey, "", libraryPath},
      {kInprocServerKey, "ThreadingModel", kAddinThreadingModel},
      {classKey + "\\ProgID", "", kAddinProgId},
      {kTypeLibLinkKey, "", kAddinTypeLibId},
      {classKey + "\\VERSION", "", kAddinTypeLibVersion},
      {typeLib, "", kTypeLibDescription},
      {typeLib + "\\0\\win32", "", libraryPath},
      {typeLib + "\\FLAGS", "", "0"},
      {typeLib + "\\HELPDIR", "", PathPart(libraryPath, true)},
  };
}

// The keys that hold the class and type library entries, each with all below it.
std::vector<std::string> ClassKeys() { return {kProgIdKey, kClassIdKey, TypeLibKey()}; }

bool RemoveClassEntries(platform::Registry& registry) {
  bool removed = true;
  for (const std::string& key : ClassKeys()) removed = registry.DeleteKey(Hive::ClassesRoot, key) && removed;
  return removed;
}

bool WriteAddinKey(platform::Registry& registry) {
  return registry.SetValue(Hive::CurrentUser, kAddinKey, kRegLoadBehavior, RegValue::Dword(kAddinLoadBehavior)) &&
         registry.SetValue(Hive::CurrentUser, kAddinKey, kRegCommandLineSafe,
                           RegValue::Dword(kAddinCommandLineSafe)) &&
         registry.SetValue(Hive::CurrentUser, kAddinKey, kRegFriendlyName, RegValue::Text(kAddinFriendlyName)) &&
         registry.SetValue(Hive::CurrentUser, kAddinKey, kRegDescription, RegValue::Text(kAddinDescription));
}

}  // namespace

bool RegisterServer(platform::Registry& registry, const std::string& libraryPath) {
  for (const Entry& entry : ClassEntries(libraryPath)) {
    if (!registry.SetValue(Hive::ClassesRoot, entry.key, entry.name, RegValue::Text(entry.text))) {
      RemoveClassEntries(registry);
      return false;
    }
  }
  const bool hadAddinKey = registry.KeyExists(Hive::CurrentUser, kAddinKey);
  if (!WriteAddinKey(registry)) {
    if (!hadAddinKey) registry.DeleteKey(Hive::CurrentUser, kAddinKey);
    RemoveClassEntries(registry);
    return false;
  }
  return true;
}

bool UnregisterServer(platform::Registry& registry) {
  const bool classes = RemoveClassEntries(registry);
  return registry.DeleteKey(Hive::CurrentUser, kAddinKey) && classes;
}

}  // namespace qm
