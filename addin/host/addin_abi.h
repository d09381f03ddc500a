// What a host that loads the add-in library (libQuillmark.so) sees of it: the
// add-in interface it drives and the library's C entry points.
//
// Calling protocol of a host:
//   handle = dlopen("libQuillmark.so")
//   QuillmarkAttachHost(&services)       its message boxes, forms host, windows, registry
//   DllGetClassObject(kAddinClsid, kIDTExtensibility2, &object) → IDTExtensibility2*
//   addin->OnConnection(vbe, kConnectStartup, nullptr, custom)
//   … the user clicks the "Ferravel" button on the editor's command bars …
//   addin->OnDisconnection(kDisconnectUserClosed, custom); addin->Release()
//   DllCanUnloadNow() == kSOk → dlclose(handle)
// DllRegisterServer and DllUnregisterServer write and remove the library's
// registration (addin/host/registration_data.h) in the registry the library
// uses: the one attached by the host, else the persistent store
// ($QUILLMARK_REGISTRY when set).
//
// Host and library must be built with the same compiler and headers: the
// interface passes C++ objects (the editor object, the host's services).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "addin/host/vbe.h"

namespace qm::platform {
class MessageBoxService;
class FormHost;
class WindowService;
class Registry;
class Clipboard;
class FileDialogService;
}  // namespace qm::platform

namespace qm {

// How the add-in was connected (ext_ConnectMode) and disconnected (ext_DisconnectMode).
enum ConnectMode : int { kConnectAfterStartup = 0, kConnectStartup = 1, kConnectExternal = 2, kConnectCommandLine = 3 };
enum DisconnectMode : int { kDisconnectHostShutdown = 0, kDisconnectUserClosed = 1 };

// The editor's entry for the add-in in its add-ins list; opaque, may be none.
class AddIn;
// The custom arguments of the add-in events; the add-in ignores them.
using CustomArgs = std::vector<std::string>;

// The editor's add-in interface: the editor reports connection and
// disconnection and the other add-in events through it.
class IDTExtensibility2 {
 public:
  // Application: the editor object.
  virtual void OnConnection(std::shared_ptr<VBE> Application, int ConnectMode, AddIn* AddInInst,
                            CustomArgs& custom) = 0;
  virtual void OnDisconnection(int RemoveMode, CustomArgs& custom) = 0;
  virtual void OnAddInsUpdate(CustomArgs& custom) = 0;
  virtual void OnStartupComplete(CustomArgs& custom) = 0;
  virtual void OnBeginShutdown(CustomArgs& custom) = 0;
  // Drops the host's reference: an object made by DllGetClassObject is
  // destroyed inside the library.
  virtual void Release() = 0;

 protected:
  virtual ~IDTExtensibility2() = default;
};

// The services a host lends the library. A field left empty leaves the
// library's default (the persistent store, standard error, the forms'
// windows, a host that shows nothing, the display's clipboard tool, a file
// dialog that cancels, the locale's code page). size: sizeof the struct the
// host was built with, so that later fields can be added.
//
// The library has its own copy of every platform service slot: a service a
// host installs in its own process is not seen by the library unless it is
// passed here.
struct HostServices {
  std::uint32_t size = sizeof(HostServices);
  platform::MessageBoxService* messageBox = nullptr;
  platform::FormHost* formHost = nullptr;
  platform::WindowService* windows = nullptr;
  platform::Registry* registry = nullptr;
  platform::Clipboard* clipboard = nullptr;
  platform::FileDialogService* fileDialog = nullptr;
  int ansiCodePage = 0;  // the system's ANSI code page; 0 follows the locale
};

// The interface name DllGetClassObject hands out.
inline constexpr const char* kIDTExtensibility2 = "IDTExtensibility2";

// Results of the entry points (HRESULT values).
inline constexpr std::int32_t kSOk = 0;
inline constexpr std::int32_t kSFalse = 1;
inline constexpr std::int32_t kENoInterface = static_cast<std::int32_t>(0x80004002u);
inline constexpr std::int32_t kEPointer = static_cast<std::int32_t>(0x80004003u);
inline constexpr std::int32_t kClassNotAvailable = static_cast<std::int32_t>(0x80040111u);
inline constexpr std::int32_t kSelfRegClass = static_cast<std::int32_t>(0x80040201u);

// The entry points as a host looks them up (dlsym).
using DllRegisterServerProc = std::int32_t (*)();
using DllUnregisterServerProc = std::int32_t (*)();
using DllGetClassObjectProc = std::int32_t (*)(const char* clsid, const char* iid, void** object);
using DllCanUnloadNowProc = std::int32_t (*)();
using QuillmarkAttachHostProc = void (*)(const HostServices* services);

}  // namespace qm

#define QM_LIBRARY_EXPORT __attribute__((visibility("default")))

extern "C" {
// Writes the library's registration; kSOk, or kSelfRegClass when a write failed.
QM_LIBRARY_EXPORT std::int32_t DllRegisterServer();
// Removes it; kSOk, or kSelfRegClass when an entry could not be removed.
QM_LIBRARY_EXPORT std::int32_t DllUnregisterServer();
// A new add-in object for the add-in's class identifier (compared without
// case) and the interface name kIDTExtensibility2, in *object; kEPointer,
// kClassNotAvailable or kENoInterface otherwise (*object then none).
QM_LIBRARY_EXPORT std::int32_t DllGetClassObject(const char* clsid, const char* iid, void** object);
// kSOk when no add-in object is alive, kSFalse otherwise.
QM_LIBRARY_EXPORT std::int32_t DllCanUnloadNow();
// Installs the host's services in the library (nullptr: every default).
QM_LIBRARY_EXPORT void QuillmarkAttachHost(const qm::HostServices* services);
}
