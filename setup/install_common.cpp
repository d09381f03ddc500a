// The shared operations of both installation programs: messages, the
// regsvr32 command lines and their start, the running-application check over
// the window-class table, the NT family test and the registry tests.
#include "setup/install_common.h"

#include <cstdint>

#include "addin/common/path_parts.h"
#include "setup/install_data.h"

namespace qm::install {

using platform::MsgButtons;
using platform::MsgIcon;

platform::MsgResult Notify(InstallContext& context, std::string_view text, MsgButtons buttons, MsgIcon icon) {
  return context.messages.Show(std::string(text), context.caption, buttons, icon);
}

void NotifyError(InstallContext& context, std::string_view text) {
  Notify(context, text, MsgButtons::OK, MsgIcon::Error);
}

std::string SourceHelpFile(const InstallContext& context) {
  return context.programFolder + std::string(kHelpFileName);
}

std::string SourceLibrary(const InstallContext& context) {
  return context.programFolder + std::string(kSourceLibraryName);
}

std::string InstalledHelpFile(const InstallContext& context) {
  return JoinPath(context.systemDirectory, kHelpFileName);
}

std::string InstalledLibrary(const InstallContext& context) {
  return JoinPath(context.systemDirectory, kInstalledLibraryName);
}

std::string RegsvrCommandLine(const std::string& libraryPath, bool unregister) {
  return std::string(kRegsvrProgram) + (unregister ? " /s /u" : " /s") + " \"" + libraryPath + "\"";
}

bool RunAndWait(InstallContext& context, const std::string& commandLine) {
  if (context.system.StartAndWait(commandLine)) return true;
  NotifyError(context, kCannotStartText);
  return false;
}

std::string RunningApplications(platform::TopLevelWindows& windows) {
  std::string names;
  std::string_view lastNamed;  // the table lists an application's classes together
  for (const WindowClassEntry& entry : kApplicationWindows) {
    if (entry.application == lastNamed || !windows.ClassPresent(entry.windowClass)) continue;
    names += entry.application;
    lastNamed = entry.application;
  }
  return names;
}

bool NothingRunning(InstallContext& context) {
  if (const std::string names = RunningApplications(context.windows); !names.empty()) {
    NotifyError(context, names + std::string(kApplicationsRunningText));
    return false;
  }
  if (context.windows.ClassPresent(kEditorWindowClass)) {
    NotifyError(context, kEditorRunningText);
    return false;
  }
  return true;
}

bool IsNtFamily(const std::optional<std::string>& osVariable) {
  if (!osVariable) return true;
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20 || c == 0x7F; };
  std::string_view value = *osVariable;
  while (!value.empty() && blank(value.front())) value.remove_prefix(1);
  while (!value.empty() && blank(value.back())) value.remove_suffix(1);
  return value == kNtFamilyOs;
}

bool IsNtFamily(InstallContext& context) { return IsNtFamily(context.system.Environment(std::string(kOsVariable))); }

bool ClassKeyPresent(const platform::Registry& registry) { return registry.KeyExists(kClassHive, kClassKeyPath); }

bool AddinKeyExists(const platform::Registry& registry) { return registry.KeyExists(kAddinHive, kAddinKeyPath); }

bool AddinKeyPresent(const platform::Registry& registry) {
  if (!AddinKeyExists(registry)) return false;
  const std::optional<platform::RegValue> value = registry.ReadValue(kAddinHive, kAddinKeyPath, kLoadBehaviorName);
  const std::optional<uint32_t> number = value ? value->AsDword() : std::nullopt;
  return number && static_cast<int32_t>(*number) >= 0;
}

}  // namespace qm::install
