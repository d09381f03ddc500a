// Top-level windows for tests: the classes the test says are open.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "platform/window_classes.h"

namespace qm::platform {

class FakeTopLevelWindows : public TopLevelWindows {
 public:
  void Open(std::string windowClass) { open_.insert(std::move(windowClass)); }
  void Close(const std::string& windowClass) { open_.erase(windowClass); }

  // Window classes compare without regard to case, as FindWindow's do.
  bool ClassPresent(std::string_view windowClass) override {
    for (const std::string& open : open_) {
      if (SameClass(open, windowClass)) return true;
    }
    return false;
  }

 private:
  static bool SameClass(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
      if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
  }

  std::set<std::string> open_;  // classes of the open windows
};

}  // namespace qm::platform
