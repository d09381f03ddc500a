// Top-level windows: the few window operations the add-in makes on its own
// forms and on the help viewer (active window, style bits, window procedure
// replacement, existence, messages).
//
// A window procedure is a plain function; replacing it returns the previous
// one, which the replacement forwards to with CallWindowProc. The default
// service answers for the windows of the forms model (platform/forms.h):
// every loaded form has a window whose style bits and procedure the host
// honours: without WS_SYSMENU it shows no close box, without WS_THICKFRAME it
// cannot be resized, and every message a user's action produces (a title-bar
// double-click, the close box) passes through its procedure chain first.
//
// Services follow the pattern of platform/message_box.h: CurrentWindows(),
// SetWindows(nullptr) for the default, ScopedWindows for a scope.
#pragma once

#include <cstdint>

namespace qm::platform {

using WindowHandle = std::uintptr_t;  // 0 is no window
using WindowProc = std::intptr_t (*)(WindowHandle window, unsigned message, std::uintptr_t first,
                                     std::intptr_t second);

inline constexpr std::uint32_t kWsThickFrame = 0x40000;
inline constexpr std::uint32_t kWsSysMenu = 0x80000;
inline constexpr std::uint32_t kWsCaption = 0xC00000;
inline constexpr unsigned kWmClose = 0x0010;
inline constexpr unsigned kWmNcLButtonDblClk = 0x00A3;

class WindowService {
 public:
  virtual ~WindowService() = default;
  // The active window; 0 when none of the service's windows is active.
  virtual WindowHandle ActiveWindow() = 0;
  // The style bits of a window; 0 for an unknown window.
  virtual std::uint32_t GetStyle(WindowHandle window) = 0;
  // Sets the style bits; false for an unknown window.
  virtual bool SetStyle(WindowHandle window, std::uint32_t style) = 0;
  // Redraws the window's frame after a style change.
  virtual void DrawMenuBar(WindowHandle window) = 0;
  // Installs proc as the window's procedure; returns the one it replaced,
  // nullptr for an unknown window (nothing is installed then).
  virtual WindowProc ReplaceWindowProc(WindowHandle window, WindowProc proc) = 0;
  // Passes a message to proc (a previous procedure) and returns its result.
  virtual std::intptr_t CallWindowProc(WindowProc proc, WindowHandle window, unsigned message,
                                       std::uintptr_t first, std::intptr_t second) = 0;
  // True while the handle names an existing window.
  virtual bool IsWindow(WindowHandle window) = 0;
  // Sends a message through the window's procedure; 0 for an unknown window.
  virtual std::intptr_t SendMessage(WindowHandle window, unsigned message, std::uintptr_t first,
                                    std::intptr_t second) = 0;
};

// The installed window service; by default the forms model's windows.
WindowService& CurrentWindows();
void SetWindows(WindowService* service);

class ScopedWindows {
 public:
  explicit ScopedWindows(WindowService& service) { SetWindows(&service); }
  ~ScopedWindows() { SetWindows(nullptr); }
  ScopedWindows(const ScopedWindows&) = delete;
  ScopedWindows& operator=(const ScopedWindows&) = delete;
};

}  // namespace qm::platform
