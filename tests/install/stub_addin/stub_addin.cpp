// A stand-in for the add-in library in the installation tests: a shared
// library whose self-registration writes what the add-in library's does
// (the class registration with its server path and type library link, the
// type library key, the current user's add-in key) into the current user's
// registry store, and whose unregistration removes them again.
#include <dlfcn.h>

#include <cstdint>
#include <string>

#include "addin/host/registration_data.h"
#include "platform/registry.h"

namespace {

using qm::platform::CurrentRegistry;
using qm::platform::Hive;
using qm::platform::RegValue;

constexpr const char* kClsid = qm::kAddinClsid;
constexpr const char* kTypeLib = qm::kAddinTypeLibId;
using qm::kAddinKey;
constexpr std::int32_t kFailed = static_cast<std::int32_t>(0x80004005u);

std::string ClassKey() { return std::string("CLSID\\") + kClsid; }

// The path of this library's own file.
std::string OwnPath() {
  Dl_info info{};
  if (::dladdr(reinterpret_cast<void*>(&OwnPath), &info) == 0 || info.dli_fname == nullptr) return {};
  return info.dli_fname;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) std::int32_t DllRegisterServer() {
  auto& registry = CurrentRegistry();
  bool ok = registry.SetValue(Hive::ClassesRoot, "Quillmark.dsrAddin\\Clsid", "", RegValue::Text(kClsid));
  ok = ok && registry.SetValue(Hive::ClassesRoot, ClassKey() + "\\InprocServer32", "", RegValue::Text(OwnPath()));
  ok = ok && registry.SetValue(Hive::ClassesRoot, ClassKey() + "\\TypeLib", "", RegValue::Text(kTypeLib));
  ok = ok && registry.SetValue(Hive::ClassesRoot, std::string("TypeLib\\") + kTypeLib + "\\1.0", "",
                               RegValue::Text("Converting VBA Code into HTML"));
  ok = ok && registry.SetValue(Hive::CurrentUser, kAddinKey, "LoadBehavior", RegValue::Dword(1));
  ok = ok && registry.SetValue(Hive::CurrentUser, kAddinKey, "FriendlyName", RegValue::Text("Ferravel"));
  return ok ? 0 : kFailed;
}

extern "C" __attribute__((visibility("default"))) std::int32_t DllUnregisterServer() {
  auto& registry = CurrentRegistry();
  bool ok = registry.DeleteKey(Hive::ClassesRoot, "Quillmark.dsrAddin");
  ok = registry.DeleteKey(Hive::ClassesRoot, ClassKey()) && ok;
  ok = registry.DeleteKey(Hive::ClassesRoot, std::string("TypeLib\\") + kTypeLib) && ok;
  ok = registry.DeleteKey(Hive::CurrentUser, kAddinKey) && ok;
  return ok ? 0 : kFailed;
}
