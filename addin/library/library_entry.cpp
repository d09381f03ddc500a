// The C entry points of the add-in library libQuillmark.so: self-registration
// into the registry the library uses (with the library's own path, found
// with dladdr), creation of the add-in object for its class identifier, the
// unload check, and the hand-over of the host's services. Only these symbols
// are exported (see addin/CMakeLists.txt); everything else stays inside.
#include <dlfcn.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <cstddef>
#include <string>

#include "addin/host/addin_abi.h"
#include "addin/host/dsr_addin.h"
#include "addin/host/registration.h"
#include "addin/host/registration_data.h"
#include "platform/clipboard.h"
#include "platform/codepage.h"
#include "platform/file_dialog.h"
#include "platform/forms_host.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/windows.h"

namespace {

// The full path of this library; empty when it cannot be found.
std::string LibraryPath() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&DllRegisterServer), &info) == 0 || !info.dli_fname) return {};
  char resolved[PATH_MAX];
  return realpath(info.dli_fname, resolved) ? std::string(resolved) : std::string(info.dli_fname);
}

bool SameIdentifier(const char* a, const char* b) { return strcasecmp(a, b) == 0; }

// True when the host's struct is long enough to hold the field at that offset.
bool Holds(const qm::HostServices& services, std::size_t offset, std::size_t size) {
  return services.size >= offset + size;
}

}  // namespace

extern "C" {

std::int32_t DllRegisterServer() {
  const std::string path = LibraryPath();
  if (path.empty()) return qm::kSelfRegClass;
  return qm::RegisterServer(qm::platform::CurrentRegistry(), path) ? qm::kSOk : qm::kSelfRegClass;
}

std::int32_t DllUnregisterServer() {
  return qm::UnregisterServer(qm::platform::CurrentRegistry()) ? qm::kSOk : qm::kSelfRegClass;
}

std::int32_t DllGetClassObject(const char* clsid, const char* iid, void** object) {
  if (!object) return qm::kEPointer;
  *object = nullptr;
  if (!clsid || !SameIdentifier(clsid, qm::kAddinClsid)) return qm::kClassNotAvailable;
  if (!iid || std::strcmp(iid, qm::kIDTExtensibility2) != 0) return qm::kENoInterface;
  qm::IDTExtensibility2* addin = new qm::dsrAddin();
  *object = addin;
  return qm::kSOk;
}

std::int32_t DllCanUnloadNow() { return qm::LiveAddinObjects() == 0 ? qm::kSOk : qm::kSFalse; }

void QuillmarkAttachHost(const qm::HostServices* services) {
  const qm::HostServices none{};
  const qm::HostServices& given = services ? *services : none;
  using S = qm::HostServices;
  qm::platform::SetMessageBox(Holds(given, offsetof(S, messageBox), sizeof(S::messageBox)) ? given.messageBox
                                                                                           : nullptr);
  qm::platform::SetFormHost(Holds(given, offsetof(S, formHost), sizeof(S::formHost)) ? given.formHost : nullptr);
  qm::platform::SetWindows(Holds(given, offsetof(S, windows), sizeof(S::windows)) ? given.windows : nullptr);
  qm::platform::SetCurrentRegistry(Holds(given, offsetof(S, registry), sizeof(S::registry)) ? given.registry
                                                                                             : nullptr);
  qm::platform::SetClipboard(Holds(given, offsetof(S, clipboard), sizeof(S::clipboard)) ? given.clipboard
                                                                                        : nullptr);
  qm::platform::SetFileDialog(Holds(given, offsetof(S, fileDialog), sizeof(S::fileDialog)) ? given.fileDialog
                                                                                            : nullptr);
  qm::platform::SetAnsiCodePage(Holds(given, offsetof(S, ansiCodePage), sizeof(S::ansiCodePage)) ? given.ansiCodePage
                                                                                                  : 0);
}

}  // extern "C"
