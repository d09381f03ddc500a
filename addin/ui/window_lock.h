// Locking the add-in's modal windows. Each of the two forms calls
// LockActiveWindow when it is activated and RestoreWindowProc when it
// terminates. While locked, the window has no system menu (so no close box)
// and no sizing border, and double-clicks on its title bar or border do
// nothing: it can be left only through its own buttons.
#pragma once

#include <cstdint>

#include "platform/windows.h"

namespace qm {

// The window that LockActiveWindow changed last.
extern platform::WindowHandle LockedWindow;
// The procedure that DialogWindowProc replaced; nullptr when none is installed.
extern platform::WindowProc PreviousWindowProc;

// Locks the active window: clears its system menu and sizing border, redraws
// its frame, processes pending window messages and installs DialogWindowProc.
// Locking the locked window again changes nothing; locking another window
// first restores the one locked before.
void LockActiveWindow();

// The locked window's procedure: swallows title-bar double-clicks (result 0)
// and passes every other message of LockedWindow to PreviousWindowProc.
std::intptr_t DialogWindowProc(platform::WindowHandle window, unsigned message, std::uintptr_t first,
                               std::intptr_t second);

// Puts PreviousWindowProc back on LockedWindow and empties it; does nothing
// when no replacement is installed. The window's style stays as it is.
void RestoreWindowProc();

}  // namespace qm
