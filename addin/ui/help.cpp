// Showing and closing the help window through the platform's help viewer and
// window service. Failures leave no window and no message.
#include "addin/ui/help.h"

#include "addin/common/path_parts.h"
#include "platform/forms_host.h"
#include "platform/help_viewer.h"
#include "platform/system_dir.h"

namespace qm {

platform::WindowHandle HelpWindow = 0;

std::string HelpFilePath() {
  const std::string folder = platform::SystemDirectory();
  return folder.empty() ? std::string() : JoinPath(folder, kHelpFileName);  // never a relative path
}

void ShowHelp() {
  try {
    HelpWindow = platform::CurrentHelpViewer().ShowContext(HelpFilePath(), kHelpContextOptions);
  } catch (...) {  // errors ignored: no help window
  }
  platform::DoEvents();
}

void CloseHelp() {
  platform::WindowService& windows = platform::CurrentWindows();
  if (HelpWindow != 0 && windows.IsWindow(HelpWindow)) windows.SendMessage(HelpWindow, platform::kWmClose, 0, 0);
}

}  // namespace qm
