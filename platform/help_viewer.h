// The help viewer: opens the product's compiled help file at a topic given
// by its context number. On Linux the topic is extracted from the help file
// and shown in the browser ($BROWSER, else xdg-open); a failure (missing or
// unreadable file, unknown context, no browser) shows nothing and is
// reported only by the result.
//
// Services follow the pattern of platform/message_box.h: CurrentHelpViewer(),
// SetHelpViewer(nullptr) for the default, ScopedHelpViewer for a scope.
#pragma once

#include <string>

#include "platform/windows.h"

namespace qm::platform {

class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  // Opens helpFile at the topic mapped to context. Returns the handle of the
  // viewer's window when it is a window of the window service (so that it can
  // be closed with WM_CLOSE), else 0 — also on any failure.
  virtual WindowHandle ShowContext(const std::string& helpFile, unsigned context) = 0;
};

HelpViewer& CurrentHelpViewer();
void SetHelpViewer(HelpViewer* viewer);

class ScopedHelpViewer {
 public:
  explicit ScopedHelpViewer(HelpViewer& viewer) { SetHelpViewer(&viewer); }
  ~ScopedHelpViewer() { SetHelpViewer(nullptr); }
  ScopedHelpViewer(const ScopedHelpViewer&) = delete;
  ScopedHelpViewer& operator=(const ScopedHelpViewer&) = delete;
};

}  // namespace qm::platform
