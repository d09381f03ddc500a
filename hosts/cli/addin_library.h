// The add-in library as the editor meets it: found through its registration
// when it is installed, else beside this program; opened with dlopen; lent
// the host's services; and its add-in object connected to the editor, its
// button clicked and the object disconnected again.
#pragma once

#include <memory>
#include <string>

#include "addin/host/addin_abi.h"
#include "editor/memory_editor.h"
#include "platform/registry.h"

namespace qm::cli {

// The library the editor's add-in key leads to: the key's program
// identifier, its class identifier and the class's InprocServer32 path,
// when that file exists; empty otherwise.
std::string InstalledLibraryPath(const platform::Registry& registry);
// libQuillmark.so in the folder of the running program.
std::string BundledLibraryPath();

class AddinLibrary {
 public:
  // Opens the installed library, else the bundled one; nullptr after the
  // problem was written to standard error.
  static std::unique_ptr<AddinLibrary> Open(const platform::Registry& registry);
  ~AddinLibrary();
  AddinLibrary(const AddinLibrary&) = delete;
  AddinLibrary& operator=(const AddinLibrary&) = delete;

  const std::string& Path() const { return path_; }
  // Lends the services (nullptr takes every one back).
  void Attach(const HostServices* services);
  // Connects a new add-in object to the editor, clicks the button it placed
  // and disconnects; false (after a message on standard error) when the
  // library made no object or the add-in placed no button.
  bool ConnectAndClick(const editor::MemoryVBEPtr& vbe);

 private:
  AddinLibrary(void* handle, std::string path) : handle_(handle), path_(std::move(path)) {}
  template <typename Proc>
  Proc Entry(const char* name) const;

  void* handle_;      // from dlopen
  std::string path_;  // the library's file
};

}  // namespace qm::cli
