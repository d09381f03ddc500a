// Active code window detection: an enumeration of the main window's
// descendants finds the code window in front, its caption is split into
// document and module parts, and these are compared with the selected
// component, the host document and, for hosts whose projects may share
// names, every open project. Reading the caption of a maximised window
// restores it for a moment inside a drawing freeze that is always lifted.
#include "addin/host/active_window.h"

#include <functional>

#include "addin/common/globals.h"
#include "addin/common/path_parts.h"
#include "addin/host/host_application.h"
#include "addin/host/host_support.h"
#include "addin/host/vbe.h"

namespace qm {

int ScanResult = kScanNothingFound;
platform::WindowHandle FoundWindow = 0;
std::string FoundCaption;

namespace {

using platform::WindowService;

// A code window's caption: "<document> - <module> (Code)".
struct CaptionParts {
  std::string document;
  std::string module;
};

// Splits at the last " - "; raises error 5 without " - " or without " (" after it.
CaptionParts SplitCaption(const std::string& caption) {
  const size_t dash = caption.rfind(" - ");
  if (dash == std::string::npos) RaiseInvalidProcedureCall();
  std::string module = TrimSpaces(std::string_view(caption).substr(dash + 3));
  const size_t paren = module.find(" (");
  if (paren == std::string::npos) RaiseInvalidProcedureCall();
  module.erase(paren);
  return {AfterLastSeparator(TrimTrailingSpaces(std::string_view(caption).substr(0, dash))), module};
}

bool SharesProjectNames(int kind) { return kind == kHostWord || kind == kHostAccess || kind == kHostFrontPage; }

// Counts (document key & component name) equal to target over every project,
// stopping at the second match.
int CountMatchingComponents(const VBE& vbe, const std::string& target) {
  int matches = 0;
  for (const VBProjectPtr& project : vbe.VBProjects()) {
    std::string name;
    const std::string key = StripExtension(HostDocumentName(project, name) ? project->Name() + name : name);
    for (const VBComponentPtr& component : project->VBComponents()) {
      if (key + component->Name() == target && ++matches == 2) return matches;
    }
  }
  return matches;
}

// Freezes the drawing of a window for a scope; lifts only a freeze it made.
class DrawingFreeze {
 public:
  DrawingFreeze(WindowService& windows, platform::WindowHandle window)
      : windows_(windows), frozen_(windows.LockWindowUpdate(window)) {}
  ~DrawingFreeze() {
    if (frozen_) windows_.LockWindowUpdate(0);
  }
  DrawingFreeze(const DrawingFreeze&) = delete;
  DrawingFreeze& operator=(const DrawingFreeze&) = delete;

 private:
  WindowService& windows_;
  bool frozen_;
};

// The rectangle of the first maximised editor window; empty when none is.
platform::WindowRect MaximizedWindowRect(const VBE& vbe) {
  for (const WindowPtr& window : vbe.Windows()) {
    if (window->WindowState() == kWindowMaximized) {
      const int left = window->Left();
      const int top = window->Top();
      return {left, top, left + window->Width(), top + window->Height()};
    }
  }
  return {};
}

// Reads FoundWindow's caption with the window restored at the maximised
// window's rectangle, then maximises it again with its old normal position.
std::string ReadRestoredCaption(const VBE& vbe, WindowService& windows, platform::WindowHandle main) {
  DrawingFreeze freeze(windows, main);
  const platform::WindowRect maximized = MaximizedWindowRect(vbe);
  platform::WindowPlacement placement;
  if (!windows.GetWindowPlacement(FoundWindow, placement)) RaiseInvalidProcedureCall();
  const platform::WindowRect normal = placement.normalPosition;
  placement.normalPosition = maximized;
  if (!windows.SetWindowPlacement(FoundWindow, placement)) RaiseInvalidProcedureCall();
  windows.ShowWindow(FoundWindow, platform::kSwShowNoActivate);
  std::string caption = BeforeNul(windows.GetWindowText(FoundWindow));
  windows.ShowWindow(FoundWindow, platform::kSwShowMaximized);
  placement.normalPosition = normal;
  if (!windows.SetWindowPlacement(FoundWindow, placement)) RaiseInvalidProcedureCall();
  return caption;
}

// Runs a call whose errors are ignored.
void IgnoringErrors(const std::function<void()>& call) {
  try {
    call();
  } catch (const VbaError&) {
  }
}

}  // namespace

int CheckActiveModule() {
  const VBE& vbe = Require(VBEInstance);
  std::string caption;
  if (!vbe.ActiveCodePane() || FindTopCodeWindow(caption) != kScanCodeWindow) return kModuleNotActive;
  CaptionParts parts = SplitCaption(caption);
  if (parts.module != Require(vbe.SelectedVBComponent()).Name()) return kModuleNotActive;

  const int kind = HostApplicationKind();
  std::string document;
  if (HostDocumentName(vbe.ActiveVBProject(), document)) {
    if (kind == kHostWord || kind == kHostAccess) document = StripExtension(document);
    if (kind == kHostFrontPage) parts.document = document = StripExtension(document);
  }
  if (document != parts.document) return kModuleNotActive;

  if (SharesProjectNames(kind)) {
    const std::string target = vbe.ActiveVBProject()->Name() + document + parts.module;
    if (CountMatchingComponents(vbe, target) >= 2) return kModuleMayNotBeActive;
  }
  return kModuleActive;
}

int FindTopCodeWindow(std::string& caption) {
  FoundCaption.clear();
  ScanResult = kScanNothingFound;
  const VBE& vbe = Require(VBEInstance);
  WindowService& windows = platform::CurrentWindows();
  const auto main = static_cast<platform::WindowHandle>(Require(vbe.MainWindow()).HWnd());
  windows.EnumChildWindows(main, &ScanChildWindow, 0);
  if (ScanResult == kScanCodeWindow) {
    caption = windows.IsZoomed(FoundWindow) ? ReadRestoredCaption(vbe, windows, main) : FoundCaption;
  }
  return ScanResult;
}

int ScanChildWindow(platform::WindowHandle window, std::intptr_t /*ignored*/) {
  WindowService& windows = platform::CurrentWindows();
  if ((windows.GetStyle(window) & platform::kWsSysMenu) == 0) return 1;
  const std::string className = windows.GetClassName(window);
  if (className.empty()) return 1;
  if (className == kScanCodeWindowClass) {
    const std::string text = BeforeNul(windows.GetWindowText(window));
    if (text.empty()) return 1;
    FoundWindow = window;
    FoundCaption = text;
    ScanResult = kScanCodeWindow;
    return 0;
  }
  if (className == kScanDesignerClass || className == kScanDockingViewClass) {
    ScanResult = kScanOtherWindow;
    return 0;
  }
  return 1;
}

void RestoreMaximizedWindow() {
  IgnoringErrors([] {
    for (const WindowPtr& window : Require(VBEInstance).Windows()) {
      const int type = window->Type();
      if ((type == kWindowCodeWindow || type == kWindowDesigner) && window->WindowState() == kWindowMaximized) {
        IgnoringErrors([&] { window->WindowState(kWindowNormal); });
        IgnoringErrors([&] { window->Left(0); });
        IgnoringErrors([&] { window->Top(0); });
        IgnoringErrors([&] { window->WindowState(kWindowMaximized); });
        return;
      }
    }
  });
}

}  // namespace qm
