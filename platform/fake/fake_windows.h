// Windows for tests: windows that a test creates and destroys by hand (a
// help viewer's window, say), the active one chosen by the test, and a record
// of every message sent. Window procedures are kept and called as the real
// service does.
#pragma once

#include <map>
#include <vector>

#include "platform/windows.h"

namespace qm::platform {

class FakeWindows : public WindowService {
 public:
  struct Sent {
    WindowHandle window;
    unsigned message;
  };

  // Creates a window with the given style; it becomes the active one.
  void Create(WindowHandle window, std::uint32_t style = kWsCaption | kWsSysMenu) {
    windows_[window] = {style, &Ignore};
    active_ = window;
  }
  // Destroys a window, as a user closing it would.
  void Destroy(WindowHandle window) {
    windows_.erase(window);
    if (active_ == window) active_ = 0;
  }
  const std::vector<Sent>& SentMessages() const { return sent_; }
  WindowProc ProcOf(WindowHandle window) const {
    auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : found->second.proc;
  }

  WindowHandle ActiveWindow() override { return active_; }
  std::uint32_t GetStyle(WindowHandle window) override {
    auto found = windows_.find(window);
    return found == windows_.end() ? 0 : found->second.style;
  }
  bool SetStyle(WindowHandle window, std::uint32_t style) override {
    auto found = windows_.find(window);
    if (found == windows_.end()) return false;
    found->second.style = style;
    return true;
  }
  void DrawMenuBar(WindowHandle) override {}
  WindowProc ReplaceWindowProc(WindowHandle window, WindowProc proc) override {
    auto found = windows_.find(window);
    if (found == windows_.end() || !proc) return nullptr;
    WindowProc previous = found->second.proc;
    found->second.proc = proc;
    return previous;
  }
  std::intptr_t CallWindowProc(WindowProc proc, WindowHandle window, unsigned message, std::uintptr_t first,
                               std::intptr_t second) override {
    return proc ? proc(window, message, first, second) : 0;
  }
  bool IsWindow(WindowHandle window) override { return windows_.count(window) != 0; }
  std::intptr_t SendMessage(WindowHandle window, unsigned message, std::uintptr_t first,
                            std::intptr_t second) override {
    sent_.push_back({window, message});
    auto found = windows_.find(window);
    return found == windows_.end() ? 0 : found->second.proc(window, message, first, second);
  }

 private:
  struct Window {
    std::uint32_t style;
    WindowProc proc;
  };
  static std::intptr_t Ignore(WindowHandle, unsigned, std::uintptr_t, std::intptr_t) { return 0; }

  std::map<WindowHandle, Window> windows_;
  WindowHandle active_ = 0;
  std::vector<Sent> sent_;  // every message sent, in order
};

}  // namespace qm::platform
