// The slots of the output services (files, shell, clipboard, browser): each
// holds the installed service, or nothing, in which case the real Linux one
// answers.
#include "platform/posix/posix_files.h"

namespace qm::platform {

namespace {

FileSystem* g_files = nullptr;
ShellService* g_shell = nullptr;
Clipboard* g_clipboard = nullptr;
BrowserService* g_browser = nullptr;

}  // namespace

FileSystem& CurrentFileSystem() { return g_files ? *g_files : posix::LinuxFileSystem(); }
void SetFileSystem(FileSystem* service) { g_files = service; }

ShellService& CurrentShell() { return g_shell ? *g_shell : posix::LinuxShell(); }
void SetShell(ShellService* service) { g_shell = service; }

Clipboard& CurrentClipboard() { return g_clipboard ? *g_clipboard : posix::LinuxClipboard(); }
void SetClipboard(Clipboard* service) { g_clipboard = service; }

BrowserService& CurrentBrowser() { return g_browser ? *g_browser : posix::LinuxBrowser(); }
void SetBrowser(BrowserService* service) { g_browser = service; }

}  // namespace qm::platform
