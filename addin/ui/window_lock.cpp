// The window lock: style bits and a replaced window procedure on the active
// window, through the platform's window service. Nothing here reports an
// error; a window that vanished simply stays as it is.
#include "addin/ui/window_lock.h"

#include "platform/forms_host.h"

namespace qm {

platform::WindowHandle LockedWindow = 0;
platform::WindowProc PreviousWindowProc = nullptr;

void LockActiveWindow() {
  platform::WindowService& windows = platform::CurrentWindows();
  const platform::WindowHandle window = windows.ActiveWindow();
  if (PreviousWindowProc && LockedWindow != window) RestoreWindowProc();
  LockedWindow = window;
  const std::uint32_t style = windows.GetStyle(window);
  windows.SetStyle(window, style & ~(platform::kWsSysMenu | platform::kWsThickFrame));
  windows.DrawMenuBar(window);
  platform::DoEvents();
  const platform::WindowProc previous = windows.ReplaceWindowProc(window, &DialogWindowProc);
  // A second lock finds our own procedure installed: the first predecessor stays.
  if (previous && previous != &DialogWindowProc) PreviousWindowProc = previous;
}

std::intptr_t DialogWindowProc(platform::WindowHandle window, unsigned message, std::uintptr_t first,
                               std::intptr_t second) {
  if (window != LockedWindow || message == platform::kWmNcLButtonDblClk || !PreviousWindowProc) return 0;
  return platform::CurrentWindows().CallWindowProc(PreviousWindowProc, window, message, first, second);
}

void RestoreWindowProc() {
  if (!PreviousWindowProc) return;
  platform::CurrentWindows().ReplaceWindowProc(LockedWindow, PreviousWindowProc);
  PreviousWindowProc = nullptr;
}

}  // namespace qm
