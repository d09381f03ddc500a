// The in-memory editor's windows behind the window service: handles are the
// windows' own (Window::HWnd), the main window's descendants are the open
// windows in z-order, and the state a window system keeps (style, text,
// placement, show state, frozen drawing) is read from and written to the
// MemoryWindow records. Handles the editor does not know go to the service
// installed before.
#include "editor/editor_windows.h"

#include <utility>

namespace qm::editor {
namespace {

constexpr std::uint32_t kWsMinimizeBox = 0x20000;
constexpr std::uint32_t kWsMaximizeBox = 0x10000;
constexpr std::uint32_t kWsMinimize = 0x20000000;

// The window state a show command leaves; -1 for a command that keeps it.
int StateOfShowCommand(int command) {
  switch (command) {
    case platform::kSwShowMaximized:
      return kWindowMaximized;
    case platform::kSwShowMinimized:
    case 6:  // SW_MINIMIZE
    case 7:  // SW_SHOWMINNOACTIVE
      return kWindowMinimized;
    case platform::kSwShowNormal:
    case platform::kSwShowNoActivate:
    case platform::kSwRestore:
      return kWindowNormal;
    default:
      return -1;
  }
}

std::string RectText(const platform::WindowRect& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
         std::to_string(rect.bottom);
}

}  // namespace

EditorWindows::EditorWindows(MemoryVBEPtr editor, platform::WindowService& others)
    : editor_(std::move(editor)), others_(others) {}

MemoryWindowPtr EditorWindows::Find(platform::WindowHandle window) const {
  return window == 0 ? nullptr : editor_->WindowByHandle(static_cast<long long>(window));
}

platform::WindowHandle EditorWindows::ActiveWindow() { return others_.ActiveWindow(); }

std::uint32_t EditorWindows::GetStyle(platform::WindowHandle window) {
  MemoryWindowPtr found = Find(window);
  if (!found) return others_.GetStyle(window);
  std::uint32_t style = platform::kWsCaption | platform::kWsThickFrame | kWsMinimizeBox | kWsMaximizeBox;
  if (found != editor_->MainMemoryWindow()) style |= kWsChild;
  if (found->IsVisible()) style |= kWsVisible;
  if (found->HasSystemMenu()) style |= platform::kWsSysMenu;
  if (found->WindowState() == kWindowMaximized) style |= kWsMaximize;
  if (found->WindowState() == kWindowMinimized) style |= kWsMinimize;
  return style;
}

bool EditorWindows::SetStyle(platform::WindowHandle window, std::uint32_t style) {
  MemoryWindowPtr found = Find(window);
  if (!found) return others_.SetStyle(window, style);
  found->SetSystemMenu((style & platform::kWsSysMenu) != 0);
  return true;
}

void EditorWindows::DrawMenuBar(platform::WindowHandle window) {
  if (!Find(window)) others_.DrawMenuBar(window);
}

platform::WindowProc EditorWindows::ReplaceWindowProc(platform::WindowHandle window, platform::WindowProc proc) {
  return Find(window) ? nullptr : others_.ReplaceWindowProc(window, proc);
}

std::intptr_t EditorWindows::CallWindowProc(platform::WindowProc proc, platform::WindowHandle window,
                                            unsigned message, std::uintptr_t first, std::intptr_t second) {
  return others_.CallWindowProc(proc, window, message, first, second);
}

bool EditorWindows::IsWindow(platform::WindowHandle window) {
  return Find(window) != nullptr || others_.IsWindow(window);
}

std::intptr_t EditorWindows::SendMessage(platform::WindowHandle window, unsigned message, std::uintptr_t first,
                                         std::intptr_t second) {
  return Find(window) ? 0 : others_.SendMessage(window, message, first, second);
}

bool EditorWindows::EnumChildWindows(platform::WindowHandle parent, platform::WindowEnumProc proc,
                                     std::intptr_t param) {
  if (Find(parent) != editor_->MainMemoryWindow()) return others_.EnumChildWindows(parent, proc, param);
  const std::vector<MemoryWindowPtr> windows = editor_->WindowsInOrder();  // the callback may change the order
  for (const MemoryWindowPtr& window : windows) {
    if (proc(static_cast<platform::WindowHandle>(window->HWnd()), param) == 0) break;
  }
  return true;
}

std::string EditorWindows::GetClassName(platform::WindowHandle window) {
  MemoryWindowPtr found = Find(window);
  return found ? found->ClassName() : others_.GetClassName(window);
}

std::string EditorWindows::GetWindowText(platform::WindowHandle window) {
  MemoryWindowPtr found = Find(window);
  return found ? found->SystemText() : others_.GetWindowText(window);
}

bool EditorWindows::IsZoomed(platform::WindowHandle window) {
  MemoryWindowPtr found = Find(window);
  return found ? found->Maximized() : others_.IsZoomed(window);
}

bool EditorWindows::LockWindowUpdate(platform::WindowHandle window) {
  if (window == 0) {
    if (frozen_ != 0) trace_.push_back("unfreeze");
    frozen_ = 0;
    return true;
  }
  MemoryWindowPtr found = Find(window);
  if (!found || frozen_ != 0) return false;
  frozen_ = window;
  trace_.push_back("freeze " + found->Caption());
  return true;
}

bool EditorWindows::GetWindowPlacement(platform::WindowHandle window, platform::WindowPlacement& placement) {
  MemoryWindowPtr found = Find(window);
  if (!found) return others_.GetWindowPlacement(window, placement);
  if (failPlacement_) return false;
  placement = platform::WindowPlacement{};
  placement.showCmd = found->Maximized()                               ? platform::kSwShowMaximized
                      : found->WindowState() == kWindowMinimized ? platform::kSwShowMinimized
                                                                         : platform::kSwShowNormal;
  placement.normalPosition = found->NormalRect();
  return true;
}

bool EditorWindows::SetWindowPlacement(platform::WindowHandle window, const platform::WindowPlacement& placement) {
  MemoryWindowPtr found = Find(window);
  if (!found) return others_.SetWindowPlacement(window, placement);
  if (failPlacement_ || placement.length != platform::WindowPlacement{}.length) return false;
  found->SetNormalRect(placement.normalPosition);
  const int state = StateOfShowCommand(static_cast<int>(placement.showCmd));
  if (state >= 0) found->WindowState(state);
  trace_.push_back("placement " + found->Caption() + " " + RectText(placement.normalPosition) + " " +
                   std::to_string(placement.showCmd));
  return true;
}

bool EditorWindows::ShowWindow(platform::WindowHandle window, int command) {
  MemoryWindowPtr found = Find(window);
  if (!found) return others_.ShowWindow(window, command);
  if (command == platform::kSwHide) {
    found->Visible(false);
  } else {
    found->Visible(true);
    const int state = StateOfShowCommand(command);
    if (state >= 0) found->WindowState(state);
  }
  trace_.push_back("show " + found->Caption() + " " + std::to_string(command));
  return true;
}

}  // namespace qm::editor
