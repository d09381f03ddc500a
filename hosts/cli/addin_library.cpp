// Finds, opens and drives libQuillmark.so as the editor does with an add-in
// listed in its add-ins key: the key's name is the add-in's program
// identifier, which leads through HKEY_CLASSES_ROOT to the class identifier
// and the library's path (InprocServer32). Without an installation the
// library built beside this program serves. The add-in object comes from
// DllGetClassObject and is connected at the editor's start; one click on its
// button runs one conversion; then the editor shuts down.
#include "hosts/cli/addin_library.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

#include "addin/host/registration_data.h"
#include "hosts/cli/cli_options.h"

namespace qm::cli {

namespace {

namespace fs = std::filesystem;
using platform::Hive;

constexpr const char* kLibraryFile = "libQuillmark.so";
constexpr const char* kButtonBar = "Ferravel";

std::string TextValue(const platform::Registry& registry, Hive hive, const std::string& key) {
  const auto value = registry.ReadValue(hive, key, "");
  return value && (value->type == platform::kRegSz || value->type == platform::kRegExpandSz) ? value->data : "";
}

bool IsFile(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::is_regular_file(path, error);
}

}  // namespace

std::string InstalledLibraryPath(const platform::Registry& registry) {
  if (!registry.KeyExists(Hive::CurrentUser, kAddinKey)) return {};
  const std::string addinKey = kAddinKey;
  const std::string progId = addinKey.substr(addinKey.rfind('\\') + 1);  // the key's own name
  const std::string clsid = TextValue(registry, Hive::ClassesRoot, progId + "\\Clsid");
  if (clsid.empty()) return {};
  const std::string path = TextValue(registry, Hive::ClassesRoot, "CLSID\\" + clsid + "\\InprocServer32");
  return IsFile(path) ? path : std::string();
}

std::string BundledLibraryPath() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string(kLibraryFile) : (self.parent_path() / kLibraryFile).string();
}

std::unique_ptr<AddinLibrary> AddinLibrary::Open(const platform::Registry& registry) {
  std::string path = InstalledLibraryPath(registry);
  if (path.empty()) path = BundledLibraryPath();
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = dlerror();
    Complain("the add-in library cannot be loaded: " + std::string(why ? why : path));
    return nullptr;
  }
  return std::unique_ptr<AddinLibrary>(new AddinLibrary(handle, path));
}

AddinLibrary::~AddinLibrary() {
  const auto canUnload = Entry<DllCanUnloadNowProc>("DllCanUnloadNow");
  if (canUnload && canUnload() == kSOk) dlclose(handle_);
}

template <typename Proc>
Proc AddinLibrary::Entry(const char* name) const {
  return reinterpret_cast<Proc>(dlsym(handle_, name));
}

void AddinLibrary::Attach(const HostServices* services) {
  if (const auto attach = Entry<QuillmarkAttachHostProc>("QuillmarkAttachHost")) attach(services);
}

bool AddinLibrary::ConnectAndClick(const editor::MemoryVBEPtr& vbe) {
  const auto getClassObject = Entry<DllGetClassObjectProc>("DllGetClassObject");
  void* object = nullptr;
  if (!getClassObject || getClassObject(kAddinClsid, kIDTExtensibility2, &object) != kSOk || !object) {
    Complain(path_ + " makes no add-in object");
    return false;
  }
  auto* addin = static_cast<IDTExtensibility2*>(object);
  CustomArgs custom;
  addin->OnConnection(vbe, kConnectStartup, nullptr, custom);
  addin->OnStartupComplete(custom);
  const editor::MemoryCommandBarPtr bar = vbe->MemoryBars()->FindBar(kButtonBar);
  const bool clicked = bar && bar->Count() > 0;
  if (clicked) bar->Item(1)->Execute();
  addin->OnBeginShutdown(custom);
  addin->OnDisconnection(kDisconnectHostShutdown, custom);
  addin->Release();
  return clicked;
}

}  // namespace qm::cli
