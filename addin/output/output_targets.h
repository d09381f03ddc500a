// Output targets: how a finished conversion leaves the add-in, and the checks
// around it — the work folder and work files, free space and drive checks,
// placing saved files, reading a page back, the clipboard, the browser, and
// opening a saved file afterwards. Plain operations without state; every
// system call goes through the platform services (files, shell, clipboard,
// browser, message box) so tests can install fakes.
//
// Every operation reports failure by its result and raises nothing, except
// PlaceSavedFile and ReadPageBack (the runner's error path takes their
// VbaError) and BrowserInstalled, which passes on the registry's error 10100.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/browser.h"

namespace qm {

// Drive types UsableDriveType answers.
inline constexpr int kDriveUnusable = 0;

// The work folder: the first non-empty of the environment variables "tmp"
// and "temp", the documents folder, the current folder.
std::string WorkFolder();
// A special folder (5 documents, 8 recent documents); empty on failure.
std::string SpecialFolderPath(int folderId);
// A new, empty work file in the work folder whose name begins "vba"; empty
// on failure.
std::string NewWorkFile();

// The root of the volume (drive) a path lives on: the form of "the first
// three characters of a path" every free-space and drive check takes.
std::string DriveRoot(const std::string& path);
// Free bytes of the volume; 0 when they cannot be found out.
uint64_t FreeDiskSpace(const std::string& root);
// The drive type of the volume when it is 2 (removable) or 3 (fixed), else 0.
int UsableDriveType(const std::string& root);
// True when the path's drive can take the output; otherwise false with the
// message to show (never shown here).
bool CheckOutputDrive(const std::string& path, std::string& message);

// Places the text, in the ANSI code page, on the clipboard; false on failure.
bool CopyToClipboard(const std::string& text);

// True when the browser's server is registered and its program exists.
// Raises VbaError 10100 when a registry key that exists cannot be opened.
bool BrowserInstalled();
// Opens the job's FileName in a new visible browser window; empty on
// success, else the message to show.
std::string ShowFileInBrowser();
// Opens the saved file (the job's FileName) with its program, falling back to
// the browser; shows a message when both fail.
void OpenSavedFile();
// The message of a failed association query.
std::string ExplainFindExecutableError(int code);

// --- Procedures of the runner

// Copies a work file over its target, replacing it; the target is never left
// partly written. Raises VbaError with the file error's number on failure.
void PlaceSavedFile(const std::string& workFile, const std::string& target);
// Every byte of a page work file, decoded from the ANSI code page. Raises
// VbaError when the file cannot be read.
std::string ReadPageBack(const std::string& workFile);
// A new, invisible browser window showing the text (about:blank, written,
// refreshed); nullptr when the browser cannot be created.
std::unique_ptr<platform::BrowserWindow> ShowTextInBrowser(const std::string& text);
// Raises the VbaError of a file error number (61 disk full and so on).
[[noreturn]] void RaiseFileError(long number);

}  // namespace qm
