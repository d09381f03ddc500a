// Draws the progress window as one line on standard error: the window's
// file label (the file name or the module counter "2/5 Module2"), its status
// text, a bar of kBarCells cells and the percentage. The line is rewritten in
// place with a carriage return and an erase-to-end. The add-in processes
// window messages after every converted line, so the window is looked at
// only once every kMinInterval, and the final state when the host forces it.
#include "hosts/cli/progress_display.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qm::cli {

namespace {

constexpr int kBarCells = 24;
constexpr auto kMinInterval = std::chrono::milliseconds(50);

std::string CaptionOf(const platform::UserForm& form, const char* control) {
  const platform::Control* found = form.Find(control);
  return found ? found->Caption() : std::string();
}

}  // namespace

std::string ProgressDisplay::StatusLine(const std::string& fileLabel, const std::string& status, double share) {
  share = std::clamp(share, 0.0, 1.0);
  const int filled = static_cast<int>(std::lround(share * kBarCells));
  std::string line = fileLabel;
  if (!status.empty()) line += (line.empty() ? "" : "  ") + status;
  line += " [" + std::string(filled, '#') + std::string(kBarCells - filled, '.') + "] ";
  line += std::to_string(static_cast<int>(std::floor(share * 100))) + "%";
  return line;
}

void ProgressDisplay::Update(const platform::UserForm& progressWindow, float fullWidth, bool force) {
  if (!enabled_) return;
  const auto now = std::chrono::steady_clock::now();
  if (!force && drawn_ && now - lastDrawn_ < kMinInterval) return;
  const platform::Control* bar = progressWindow.Find("lblIndicator");
  const double share = bar && fullWidth > 0 ? bar->Width() / fullWidth : 0.0;
  const std::string line =
      StatusLine(CaptionOf(progressWindow, "lblFileName"), CaptionOf(progressWindow, "lblDescription"), share);
  lastDrawn_ = now;
  if (line == lastLine_) return;
  std::fprintf(stderr, "\r%s\033[K", line.c_str());
  std::fflush(stderr);
  drawn_ = true;
  lastLine_ = line;
}

void ProgressDisplay::Finish() {
  if (!drawn_) return;
  std::fprintf(stderr, "\n");
  std::fflush(stderr);
  drawn_ = false;
  lastLine_.clear();
}

}  // namespace qm::cli
