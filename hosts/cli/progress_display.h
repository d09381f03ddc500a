// The progress window frmProgress drawn on a terminal: one status line on
// standard error with what is being produced, the status text and the bar,
// redrawn in place while the add-in lets window messages be processed.
#pragma once

#include <chrono>
#include <string>

#include "platform/forms.h"

namespace qm::cli {

class ProgressDisplay {
 public:
  // Draws only when enabled is true (standard error is a terminal, no -q).
  explicit ProgressDisplay(bool enabled) : enabled_(enabled) {}
  ~ProgressDisplay() { Finish(); }
  ProgressDisplay(const ProgressDisplay&) = delete;
  ProgressDisplay& operator=(const ProgressDisplay&) = delete;

  // Redraws the line from the progress window when it changed and the last
  // drawing is old enough, or at once when forced (the final state).
  void Update(const platform::UserForm& progressWindow, float fullWidth, bool force = false);
  // Ends the line so that later output starts on a fresh one.
  void Finish();

  // The status line for the texts and the filled share of the bar (0 to 1).
  static std::string StatusLine(const std::string& fileLabel, const std::string& status, double share);

 private:
  bool enabled_;
  bool drawn_ = false;                 // a line is on the screen
  std::string lastLine_;               // as drawn last
  std::chrono::steady_clock::time_point lastDrawn_{};
};

}  // namespace qm::cli
