// The Linux clipboard: the bytes go to the standard input of a clipboard tool
// of the running display (wl-copy under Wayland; xclip or xsel under X11).
// The tool gets a few seconds; one that hangs is killed and the copy fails.
#include <string>
#include <vector>

#include "platform/posix/child_process.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/user_dirs.h"

namespace qm::platform::posix {

namespace {

constexpr int kToolTimeoutMs = 5000;

// The command line of the first clipboard tool present for the display.
std::vector<std::string> ClipboardTool() {
  if (!EnvValue("WAYLAND_DISPLAY").empty() && !FindOnPath("wl-copy").empty()) return {"wl-copy"};
  if (!EnvValue("DISPLAY").empty()) {
    if (!FindOnPath("xclip").empty()) return {"xclip", "-selection", "clipboard"};
    if (!FindOnPath("xsel").empty()) return {"xsel", "--clipboard", "--input"};
  }
  return {};
}

class ToolClipboard : public Clipboard {
 public:
  bool SetText(std::string_view ansiBytes) override {
    const std::vector<std::string> tool = ClipboardTool();
    if (tool.empty()) return false;
    const ChildResult result = RunChild(tool, std::string(ansiBytes), kToolTimeoutMs);
    return result.finished && result.exitCode == 0;
  }
};

}  // namespace

Clipboard& LinuxClipboard() {
  static ToolClipboard service;
  return service;
}

}  // namespace qm::platform::posix
