// Windows: the few window operations the add-in makes on its own forms and
// on the help viewer (active window, style bits, window procedure
// replacement, existence, messages), and on the editor's windows when it
// looks for the active code window (enumeration of descendants, class name,
// text, maximised state, placement, show state, freezing the drawing).
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
#include <string>

namespace qm::platform {

using WindowHandle = std::uintptr_t;  // 0 is no window
using WindowProc = std::intptr_t (*)(WindowHandle window, unsigned message, std::uintptr_t first,
                                     std::intptr_t second);

inline constexpr std::uint32_t kWsThickFrame = 0x40000;
inline constexpr std::uint32_t kWsSysMenu = 0x80000;
inline constexpr std::uint32_t kWsCaption = 0xC00000;
inline constexpr unsigned kWmClose = 0x0010;
inline constexpr unsigned kWmNcLButtonDblClk = 0x00A3;

// Show commands (ShowWindow, WindowPlacement::showCmd).
inline constexpr int kSwHide = 0;
inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShowMinimized = 2;
inline constexpr int kSwShowMaximized = 3;
inline constexpr int kSwShowNoActivate = 4;
inline constexpr int kSwRestore = 9;

// A rectangle in the parent's client coordinates.
struct WindowRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// The placement record of a window (44 bytes on Windows): its show state and
// the rectangle it has in the normal state, also while it is maximised.
struct WindowPlacement {
  std::uint32_t length = 44;
  std::uint32_t flags = 0;
  std::uint32_t showCmd = kSwShowNormal;
  int minX = 0, minY = 0;  // position when minimised
  int maxX = 0, maxY = 0;  // position when maximised
  WindowRect normalPosition;
};

// Called for each window of an enumeration with the caller's parameter;
// returns non-zero to go on, 0 to stop.
using WindowEnumProc = int (*)(WindowHandle window, std::intptr_t param);

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

  // The editor's windows. A service without them answers as for unknown
  // windows: nothing to enumerate, no class, no text, every change refused.
  // Calls proc for every descendant of parent, in z-order, until it returns
  // 0; false when parent is unknown.
  virtual bool EnumChildWindows(WindowHandle /*parent*/, WindowEnumProc /*proc*/, std::intptr_t /*param*/) {
    return false;
  }
  // The window's class name; empty when it cannot be read.
  virtual std::string GetClassName(WindowHandle /*window*/) { return {}; }
  // The window's text (UTF-8); empty when it has none.
  virtual std::string GetWindowText(WindowHandle /*window*/) { return {}; }
  // True while the window is maximised.
  virtual bool IsZoomed(WindowHandle /*window*/) { return false; }
  // Freezes the drawing of a window (one at a time); 0 unfreezes. False when refused.
  virtual bool LockWindowUpdate(WindowHandle /*window*/) { return false; }
  virtual bool GetWindowPlacement(WindowHandle /*window*/, WindowPlacement& /*placement*/) { return false; }
  // Sets the show state and normal-position rectangle of the placement.
  virtual bool SetWindowPlacement(WindowHandle /*window*/, const WindowPlacement& /*placement*/) { return false; }
  // Shows the window in the state of the show command; false for an unknown window.
  virtual bool ShowWindow(WindowHandle /*window*/, int /*command*/) { return false; }
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
