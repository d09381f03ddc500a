// The real file, shell, clipboard and browser services of Linux, installed by
// default when no other one is.
#pragma once

#include "platform/browser.h"
#include "platform/clipboard.h"
#include "platform/files.h"
#include "platform/shell.h"

namespace qm::platform::posix {

FileSystem& LinuxFileSystem();
ShellService& LinuxShell();
Clipboard& LinuxClipboard();
BrowserService& LinuxBrowser();

// The runtime error number of an errno value (ENOSPC → 61 and so on).
long ErrorNumberOf(int error);

}  // namespace qm::platform::posix

namespace qm::platform::posix {

// The system's browser launcher: the first program of $BROWSER found on the
// PATH, else xdg-open; empty when there is none.
std::string BrowserLauncher();

}  // namespace qm::platform::posix
