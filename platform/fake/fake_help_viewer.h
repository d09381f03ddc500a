// A help viewer for tests: records every call and answers with the window
// handles a test queues (0 when the queue is empty, as a failed call does).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/help_viewer.h"

namespace qm::platform {

class FakeHelpViewer : public HelpViewer {
 public:
  struct Call {
    std::string helpFile;
    unsigned context;
  };

  WindowHandle ShowContext(const std::string& helpFile, unsigned context) override {
    calls_.push_back({helpFile, context});
    if (handles_.empty()) return 0;
    const WindowHandle handle = handles_.front();
    handles_.pop_front();
    return handle;
  }

  void Answer(WindowHandle handle) { handles_.push_back(handle); }
  const std::vector<Call>& Calls() const { return calls_; }

 private:
  std::deque<WindowHandle> handles_;  // the next calls' results, in order
  std::vector<Call> calls_;           // every call so far
};

}  // namespace qm::platform
