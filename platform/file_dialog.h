// The file dialog: asks the user for the path of a file to save. The request
// carries everything the dialog shows (title, one filter, the starting folder,
// the proposed name, the labels of its two buttons); the dialog never asks
// whether an existing file may be replaced (the caller asks that itself) and
// answers with the full path chosen, or nothing when the user cancelled.
//
// Linux has no dialog window of its own here: the default service answers
// "cancelled" at once, so nothing ever waits for a user who is not there.
// Tests and the command-line host install the scripted dialog of
// platform/fake/scripted_file_dialog.h; a desktop host installs a real one.
//
// Services follow the pattern of platform/message_box.h: CurrentFileDialog(),
// SetFileDialog(nullptr) for the default, ScopedFileDialog for a scope.
#pragma once

#include <string>

#include "platform/windows.h"

namespace qm::platform {

struct FileDialogRequest {
  WindowHandle owner = 0;        // the window the dialog is modal to; 0 for none
  std::string title;             // the dialog's title bar
  std::string filterName;        // the filter as listed, e.g. "HTML (*.htm)"
  std::string filterPattern;     // the files the filter shows, e.g. "*.htm"
  std::string defaultExtension;  // added to a typed name without one, e.g. ".htm"
  std::string initialFolder;     // the folder the dialog opens in
  std::string fileName;          // the name proposed in the name box; may be empty
  std::string okLabel;           // caption of the confirm button
  std::string cancelLabel;       // caption of the cancel button
  bool pathMustExist = true;     // only paths in an existing folder are accepted
};

struct FileDialogResult {
  std::string path;  // the full path chosen; empty when the user cancelled
  long error = 0;    // an error number of the runtime when the dialog failed, else 0
};

class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  // Shows the dialog modally and returns what the user chose.
  virtual FileDialogResult ShowSave(const FileDialogRequest& request) = 0;
  // True when the desktop may still add recent-documents entries for a pick
  // after the dialog has closed, so that a clean-up of those entries has to
  // wait for them first. A dialog that records nothing, or records before it
  // returns, answers false.
  virtual bool RecordsPickLater() const { return true; }
};

FileDialogService& CurrentFileDialog();
void SetFileDialog(FileDialogService* service);

class ScopedFileDialog {
 public:
  explicit ScopedFileDialog(FileDialogService& service) { SetFileDialog(&service); }
  ~ScopedFileDialog() { SetFileDialog(nullptr); }
  ScopedFileDialog(const ScopedFileDialog&) = delete;
  ScopedFileDialog& operator=(const ScopedFileDialog&) = delete;
};

}  // namespace qm::platform
