// What the setup program (Quillset) and the removal program (Quillsweep)
// share: the file names, the registry entries of the add-in, the window
// classes of the applications that must not run during either program, the
// mutex that keeps the two from running at once, and the messages both show.
//
// The add-in's identifiers and registry entries are the library's own
// (addin/host/registration_data.h): the library writes them when it is
// registered, and both programs test for them. Registry paths are written
// without their leading "\"; the registry service ignores empty segments.
#pragma once

#include <string_view>

#include "addin/host/registration_data.h"
#include "platform/registry.h"

namespace qm::install {

// --- Files
inline constexpr std::string_view kHelpFileName = "Quillmark.chm";
inline constexpr std::string_view kSourceLibraryName = "Quillmark.dl_";  // as shipped
inline constexpr std::string_view kInstalledLibraryName = "Quillmark.dll";

// --- The add-in's identity, as the library registers itself
inline constexpr std::string_view kAddinClsid = qm::kAddinClsid;

// --- Registry entries
// The class registration: the ProgID's Clsid key, whose default value holds
// the class identifier.
inline constexpr platform::Hive kClassHive = platform::Hive::ClassesRoot;
inline constexpr std::string_view kClassKeyPath = qm::kClassRegistrationKey;
// The class's type library link (default value: the type library's id) and
// the folder of type library keys that id must be found in.
inline constexpr std::string_view kTypeLibLinkPath = qm::kTypeLibLinkKey;
inline constexpr std::string_view kTypeLibFolder = qm::kTypeLibRootKey;

// The add-in key of the current user, through which the editor loads the add-in.
inline constexpr platform::Hive kAddinHive = platform::Hive::CurrentUser;
inline constexpr std::string_view kAddinKeyPath = qm::kAddinKey;
inline constexpr std::string_view kLoadBehaviorName = qm::kRegLoadBehavior;
inline constexpr std::string_view kCommandLineSafeName = qm::kRegCommandLineSafe;
inline constexpr std::string_view kFriendlyNameName = qm::kRegFriendlyName;
inline constexpr std::string_view kDescriptionName = qm::kRegDescription;
inline constexpr unsigned kLoadBehavior = qm::kAddinLoadBehavior;
inline constexpr unsigned kCommandLineSafe = qm::kAddinCommandLineSafe;
inline constexpr std::string_view kFriendlyName = qm::kAddinFriendlyName;
inline constexpr std::string_view kDescription = qm::kAddinDescription;

// --- Running applications
struct WindowClassEntry {
  std::string_view windowClass;
  std::string_view application;  // as the message names it, with its blank
};

// The applications whose windows stop both programs, in the order the
// message names them; several classes may name one application.
inline constexpr WindowClassEntry kApplicationWindows[] = {
    {"OMain", "Access "},
    {"XLMAIN", "Excel "},
    {"FrontPageExplorerWindow40", "FrontPage "},
    {"rctrl_renwnd32", "Outlook "},
    {"mspim_wnd32", "Outlook "},
    {"PP97FrameClass", "PowerPoint "},
    {"PP9FrameClass", "PowerPoint "},
    {"PP10FrameClass", "PowerPoint "},
    {"PP11FrameClass", "PowerPoint "},
    {"PP12FrameClass", "PowerPoint "},
    {"MSWinPub", "Publisher "},
    {"VISIOA", "Visio "},
    {"OpusApp", "Word "},
};

// The editor's main window.
inline constexpr std::string_view kEditorWindowClass = "wndclass_desked_gsk";

// --- The mutex held by whichever of the two programs runs
inline constexpr std::string_view kMutexName = "Quillmark_RegisterServer";

// --- The Windows NT family test: the "OS" variable
inline constexpr std::string_view kOsVariable = "OS";
inline constexpr std::string_view kNtFamilyOs = "Windows_NT";

// --- Messages both programs show
inline constexpr std::string_view kApplicationsRunningText =
    "が起動しています。\r\n先にアプリケーションを終了させてください。";
inline constexpr std::string_view kEditorRunningText =
    "VBE(VisualBasicEditor)が起動しています。\r\n先に親アプリケーションを終了させてください。";
inline constexpr std::string_view kCannotStartText =
    "レジストリにアクセスできません。\r\n管理者権限のあるユーザーにて再実行してください。";
// Appended to failure messages on the NT family.
inline constexpr std::string_view kNtAdminHint = "\r\n管理者権限のあるユーザーにて再実行してください。";

// The registration program and its switches.
inline constexpr std::string_view kRegsvrProgram = "regsvr32";

}  // namespace qm::install
