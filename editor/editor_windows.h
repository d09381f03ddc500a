// The window service of the in-memory editor: the editor's main window and
// its open windows (code windows, designers, docking views) as the window
// system shows them, for the add-in's active-window detection. Every other
// handle (the forms' windows, say) goes to the service that was installed
// before, so a host installs this one over the default:
//
//   editor::EditorWindows windows(vbe);
//   platform::ScopedWindows use(windows);
//
// The open windows are the main window's descendants, topmost first. A
// window's style has WS_SYSMENU when it has a system menu, WS_MAXIMIZE while
// maximised. Placement and show commands change the window's state and
// normal position. Freezing the drawing is one window at a time, as on
// Windows. Every change is also written to a trace that tests read.
#pragma once

#include <string>
#include <vector>

#include "editor/memory_editor.h"
#include "platform/windows.h"

namespace qm::editor {

inline constexpr std::uint32_t kWsChild = 0x40000000;
inline constexpr std::uint32_t kWsVisible = 0x10000000;
inline constexpr std::uint32_t kWsMaximize = 0x01000000;

class EditorWindows : public platform::WindowService {
 public:
  explicit EditorWindows(MemoryVBEPtr editor, platform::WindowService& others = platform::CurrentWindows());

  // The window whose drawing is frozen; 0 when none is.
  platform::WindowHandle FrozenWindow() const { return frozen_; }
  // Every change made through the service, in order: "freeze <caption>",
  // "unfreeze", "placement <caption> <left>,<top>,<right>,<bottom> <showCmd>",
  // "show <caption> <command>".
  const std::vector<std::string>& Trace() const { return trace_; }
  // Makes every placement read or write fail from now on.
  void FailPlacement(bool fail) { failPlacement_ = fail; }

  platform::WindowHandle ActiveWindow() override;
  std::uint32_t GetStyle(platform::WindowHandle window) override;
  bool SetStyle(platform::WindowHandle window, std::uint32_t style) override;
  void DrawMenuBar(platform::WindowHandle window) override;
  platform::WindowProc ReplaceWindowProc(platform::WindowHandle window, platform::WindowProc proc) override;
  std::intptr_t CallWindowProc(platform::WindowProc proc, platform::WindowHandle window, unsigned message,
                               std::uintptr_t first, std::intptr_t second) override;
  bool IsWindow(platform::WindowHandle window) override;
  std::intptr_t SendMessage(platform::WindowHandle window, unsigned message, std::uintptr_t first,
                            std::intptr_t second) override;

  bool EnumChildWindows(platform::WindowHandle parent, platform::WindowEnumProc proc,
                        std::intptr_t param) override;
  std::string GetClassName(platform::WindowHandle window) override;
  std::string GetWindowText(platform::WindowHandle window) override;
  bool IsZoomed(platform::WindowHandle window) override;
  bool LockWindowUpdate(platform::WindowHandle window) override;
  bool GetWindowPlacement(platform::WindowHandle window, platform::WindowPlacement& placement) override;
  bool SetWindowPlacement(platform::WindowHandle window, const platform::WindowPlacement& placement) override;
  bool ShowWindow(platform::WindowHandle window, int command) override;

 private:
  // The editor's window with that handle; none for any other handle.
  MemoryWindowPtr Find(platform::WindowHandle window) const;

  MemoryVBEPtr editor_;
  platform::WindowService& others_;  // every handle that is not the editor's
  platform::WindowHandle frozen_ = 0;
  bool failPlacement_ = false;
  std::vector<std::string> trace_;
};

}  // namespace qm::editor
