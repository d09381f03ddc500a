// What the setup program (Quillset) and the removal program (Quillsweep)
// share: the file names, the registry entries of the add-in, the window
// classes of the applications that must not run during either program, the
// mutex that keeps the two from running at once, and the messages both show.
//
// Registry paths are written without their leading "\"; the registry service
// ignores empty segments, so both forms name the same key.
#pragma once

#include <string_view>

#include "platform/registry.h"

namespace qm::install {

// --- Files
inline constexpr std::string_view kHelpFileName = "Quillmark.chm";
inline constexpr std::string_view kSourceLibraryName = "Quillmark.dl_";  // as shipped
inline constexpr std::string_view kInstalledLibraryName = "Quillmark.dll";

// --- The add-in's identity, as the library registers itself
inline constexpr std::string_view kAddinClsid = "{BB087339-727E-429F-A492-ECE333A7D3FC}";
inline constexpr std::string_view kAddinProgId = "Quillmark.dsrAddin";

// --- Registry entries
// The class registration: the ProgID's Clsid key, whose default value holds
// the class identifier.
inline constexpr platform::Hive kClassHive = platform::Hive::ClassesRoot;
inline constexpr std::string_view kClassKeyPath = "Quillmark.dsrAddin\\Clsid";
// The class's type library link (default value: the type library's id) and
// the folder of type library keys that id must be found in.
inline constexpr std::string_view kTypeLibLinkPath = "CLSID\\{BB087339-727E-429F-A492-ECE333A7D3FC}\\TypeLib";
inline constexpr std::string_view kTypeLibFolder = "TypeLib";

// The add-in key of the current user, through which the editor loads the add-in.
inline constexpr platform::Hive kAddinHive = platform::Hive::CurrentUser;
inline constexpr std::string_view kAddinKeyPath = "Software\\Microsoft\\VBA\\VBE\\6.0\\Addins\\Quillmark.dsrAddin";
inline constexpr std::string_view kLoadBehaviorName = "LoadBehavior";
inline constexpr std::string_view kCommandLineSafeName = "CommandLineSafe";
inline constexpr std::string_view kFriendlyNameName = "FriendlyName";
inline constexpr std::string_view kDescriptionName = "Description";
inline constexpr unsigned kLoadBehavior = 1;
inline constexpr unsigned kCommandLineSafe = 0;
inline constexpr std::string_view kFriendlyName = "Ferravel";
inline constexpr std::string_view kDescription = "選択されたモジュールのコードをHTML形式に変換します。";

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
