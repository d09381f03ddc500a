// The operations the setup and removal programs share: the message box with
// the program's caption, starting regsvr32 and waiting for it, the check for
// running applications and for the editor, the Windows NT family test, and
// the registry tests of the add-in's entries.
//
// A run of either program works on one InstallContext: the services it
// talks to and the two folders it works between.
#pragma once

#include <optional>
#include <string>

#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/window_classes.h"
#include "setup/install_system.h"

namespace qm::install {

struct InstallContext {
  platform::Registry& registry;
  platform::MessageBoxService& messages;
  platform::TopLevelWindows& windows;
  InstallSystem& system;
  std::string programFolder;    // the folder the programs are shipped in, ending with "/"
  std::string systemDirectory;  // the installation folder, without a trailing "/"
  std::string caption;          // of every message box of the running program
};

// How a run of either program ended.
enum class Outcome {
  Done,       // the work was done and reported
  Stopped,    // a message told why nothing (more) was done
  Cancelled,  // the user declined the question
  Busy,       // another setup or removal run was active: nothing shown
};

// A message box with the program's caption; the button pressed.
platform::MsgResult Notify(InstallContext& context, std::string_view text, platform::MsgButtons buttons,
                           platform::MsgIcon icon);
// An error box with the OK button.
void NotifyError(InstallContext& context, std::string_view text);

// Source files beside the programs and the installed files.
std::string SourceHelpFile(const InstallContext& context);
std::string SourceLibrary(const InstallContext& context);
std::string InstalledHelpFile(const InstallContext& context);
std::string InstalledLibrary(const InstallContext& context);

// "regsvr32 /s" (or "regsvr32 /s /u"), a blank and the path in double quotes.
std::string RegsvrCommandLine(const std::string& libraryPath, bool unregister);

// Starts the command line and waits for its end: true. When it cannot be
// started, shows the registry-access message and returns false.
bool RunAndWait(InstallContext& context, const std::string& commandLine);

// The application names of the running applications' window classes, each
// once, in table order, each followed by its blank; empty when none runs.
std::string RunningApplications(platform::TopLevelWindows& windows);
// Shows the message for running applications, then for a running editor;
// true when neither runs (nothing shown).
bool NothingRunning(InstallContext& context);

// The Windows NT family test on the "OS" variable: its value without leading
// and trailing blanks and control characters equals "Windows_NT" exactly.
// An unset variable is the normal case on Linux, which counts as the NT
// family: a system of several users, each with their own entries.
bool IsNtFamily(const std::optional<std::string>& osVariable);
bool IsNtFamily(InstallContext& context);

// True when the class registration key can be opened.
bool ClassKeyPresent(const platform::Registry& registry);
// True when the add-in key can be opened.
bool AddinKeyExists(const platform::Registry& registry);
// True when the add-in key exists and its "LoadBehavior" is a number >= 0
// (a DWORD read as a signed 32-bit number). A missing or non-numeric
// "LoadBehavior" counts as no add-in key, so that setup writes a whole one.
bool AddinKeyPresent(const platform::Registry& registry);

}  // namespace qm::install
