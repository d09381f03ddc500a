// Top-level window classes: which kinds of application window are open on
// the desktop, looked up by window class as FindWindow does. The setup and
// removal programs use it to see a running Office application or a running
// editor ("wndclass_desked_gsk") before they change anything.
//
// On Linux a running host announces the classes of its windows for as long
// as it runs (WindowClassAnnouncement); the default service reads those
// announcements. Tests install a fake (platform/fake/fake_window_classes.h).
// Services follow the pattern of platform/message_box.h.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm::platform {

class TopLevelWindows {
 public:
  virtual ~TopLevelWindows() = default;
  // True when a top-level window of the class exists.
  virtual bool ClassPresent(std::string_view windowClass) = 0;
};

// The installed service; with none installed, the announcements of running
// hosts (see below).
TopLevelWindows& CurrentTopLevelWindows();
void SetTopLevelWindows(TopLevelWindows* service);

class ScopedTopLevelWindows {
 public:
  explicit ScopedTopLevelWindows(TopLevelWindows& service) { SetTopLevelWindows(&service); }
  ~ScopedTopLevelWindows() { SetTopLevelWindows(nullptr); }
  ScopedTopLevelWindows(const ScopedTopLevelWindows&) = delete;
  ScopedTopLevelWindows& operator=(const ScopedTopLevelWindows&) = delete;
};

// Announces, for the lifetime of the object, that this process shows
// top-level windows of the given classes. On Linux: one file per
// announcement in "<runtime folder>/windows/" naming the process (its id and
// start time) and the classes, one a line; the file goes with the object,
// and the file of a process that died without removing it is ignored.
class WindowClassAnnouncement {
 public:
  explicit WindowClassAnnouncement(const std::vector<std::string>& classes);
  ~WindowClassAnnouncement();
  WindowClassAnnouncement(const WindowClassAnnouncement&) = delete;
  WindowClassAnnouncement& operator=(const WindowClassAnnouncement&) = delete;

  // False when the announcement could not be written (no runtime folder).
  bool Announced() const { return !path_.empty(); }

 private:
  std::string path_;  // the announcement file, empty when none was written
};

// The classes that running processes announce now, each once.
std::vector<std::string> AnnouncedWindowClasses();

}  // namespace qm::platform
