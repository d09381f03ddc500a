// The product's help: the options dialog's help button opens the compiled
// help file at the options topic; closing the dialog closes that help window.
#pragma once

#include <string>

#include "platform/windows.h"

namespace qm {

// The window handle the last help call returned; 0 until help was shown.
extern platform::WindowHandle HelpWindow;

inline constexpr const char* kHelpFileName = "Quillmark.chm";
// The context number of the options dialog's topic in the help file.
inline constexpr unsigned kHelpContextOptions = 8;

// The help file's path: the system directory and "Quillmark.chm"; empty when
// there is no system directory.
std::string HelpFilePath();

// Opens the help file at the options topic and keeps the viewer's window in
// HelpWindow; then processes pending window messages. Reports nothing.
void ShowHelp();

// Sends WM_CLOSE to HelpWindow when it is not 0 and still names a window.
void CloseHelp();

}  // namespace qm
