// Active code window detection. The conversion reads its procedure and
// selection from the editor's active code pane but converts the component
// selected in the project window; before it reads the selection it asks
// CheckActiveModule whether the code window in front belongs to the selected
// component. The answer comes from the editor's own windows: the caption of
// the first code window met among the main window's descendants names a
// document and a module, which are compared with the selected component and
// its host document (and, in Word, Access and FrontPage, with every open
// project, since their projects may share names).
//
// Every window call goes through platform::CurrentWindows(); every editor
// call through VBEInstance.
#pragma once

#include <cstdint>
#include <string>

#include "platform/windows.h"

namespace qm {

// Results of CheckActiveModule.
enum ActiveModuleResult : int {
  kModuleNotActive = 0,
  kModuleActive = 1,
  kModuleMayNotBeActive = 2,  // the caption fits more than one project
};

// Results of FindTopCodeWindow (ScanResult).
enum ScanResultKind : int {
  kScanNothingFound = -1,
  kScanCodeWindow = 0,   // a code window was met first
  kScanOtherWindow = 1,  // a designer or a floating docking view was met first
};

// Window classes of the editor that the scan tells apart.
inline constexpr const char* kScanCodeWindowClass = "VbaWindow";
inline constexpr const char* kScanDesignerClass = "DesignerWindow";
inline constexpr const char* kScanDockingViewClass = "DockingView";

// What one search found, written by ScanChildWindow: the ScanResultKind, the
// code window found and its caption as read during the enumeration.
extern int ScanResult;
extern platform::WindowHandle FoundWindow;
extern std::string FoundCaption;

// 1 when the selected component's code window is the one in front, 0 when it
// is not (or no code window is in front), 2 when its caption also fits
// another open project. Raises when the caption of the code window in front
// lacks " - " or a " (" after it, or when a window call fails.
int CheckActiveModule();

// Looks for the first code window among the descendants of the editor's main
// window. On kScanCodeWindow, caption is its caption; a maximised window is
// shown restored for a moment (without activation, with the main window's
// drawing frozen, at the maximised window's rectangle) to read it, then
// maximised again with its old normal-position rectangle.
int FindTopCodeWindow(std::string& caption);

// The enumeration callback: skips windows without a system menu or a class
// name; stops on a code window with a caption (kScanCodeWindow) and on a
// designer or docking view (kScanOtherWindow). 1 goes on, 0 stops.
int ScanChildWindow(platform::WindowHandle window, std::intptr_t ignored);

// After a failed command: the first maximised code or designer window is
// restored, moved to 0, 0 and maximised again, so that its normal position
// is on screen. Every error is ignored.
void RestoreMaximizedWindow();

}  // namespace qm
