// The save-file dialog: takes a list of the recent-documents record, opens the
// platform's file dialog in the folder of the current output path (or in the
// documents folder when that path's drive cannot take the output), and after
// a pick removes what the pick left behind: the record's entries for the
// chosen file and its folder that were not in the list, and an empty file at
// the chosen path. Errors before the pick end the call with ErrorNumber set;
// the clean-up after it ignores every failure.
#include "addin/ui/file_dialog.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "addin/common/path_parts.h"
#include "addin/common/vba_error.h"
#include "addin/output/output_targets.h"
#include "platform/file_dialog.h"
#include "platform/files.h"
#include "platform/forms_host.h"
#include "platform/recent_documents.h"
#include "platform/shell.h"

namespace qm {

namespace {

using Snapshot = std::optional<std::vector<std::string>>;

// Runs one clean-up step; a failure only skips it.
template <typename Step>
void IgnoringErrors(Step step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

// Removes the record's entries for `chosen` that the snapshot does not hold.
// An empty snapshot means the record held nothing before, so every entry
// left now came from the pick. Without a snapshot (the record could not be
// read) nothing is removed: no entry is known to be the pick's.
void RemoveTraces(const Snapshot& snapshot, const std::string& chosen) {
  if (!snapshot) return;
  platform::RecentDocuments& recent = platform::CurrentRecentDocuments();
  for (const std::string& name : recent.TraceNames(chosen)) {
    if (std::find(snapshot->begin(), snapshot->end(), name) == snapshot->end()) {
      IgnoringErrors([&] { recent.Remove(name); });
    }
  }
}

// Deletes the file at `path` when it exists and holds no byte.
void DeleteEmptyFile(const std::string& path) {
  platform::FileSystem& files = platform::CurrentFileSystem();
  if (files.FileExists(path) && files.FileLength(path) == 0) files.DeleteFile(path);
}

}  // namespace

bool clsFileDialog::ChooseSaveFile(std::string& chosen, const std::string& current) {
  chosen.clear();
  Snapshot snapshot;
  try {
    snapshot = platform::CurrentRecentDocuments().Names();
    std::string driveMessage;
    const std::string initialFolder = CheckOutputDrive(current, driveMessage)
                                          ? PathPart(current, true)
                                          : SpecialFolderPath(platform::kFolderDocuments);
    chosen = ShowFileDialog(initialFolder, kFileDialogFilterName, kFileDialogExtension, PathPart(current, false));
    platform::DoEvents();
  } catch (const VbaError& error) {
    errorNumber_ = static_cast<int32_t>(error.Number());
    chosen.clear();
    return false;
  }
  if (chosen.empty()) return false;

  IgnoringErrors([] { platform::CurrentRecentDocuments().Settle(); });
  IgnoringErrors([&] { RemoveTraces(snapshot, chosen); });
  IgnoringErrors([&] { DeleteEmptyFile(chosen); });
  return true;
}

std::string clsFileDialog::ShowFileDialog(const std::string& initialFolder, const std::string& filterName,
                                          const std::string& defaultExtension, const std::string& fileName) {
  platform::FileDialogRequest request;
  request.owner = platform::CurrentWindows().ActiveWindow();
  request.title = kFileDialogTitle;
  request.filterName = filterName + "(*" + defaultExtension + ")";
  request.filterPattern = "*" + defaultExtension;
  request.defaultExtension = defaultExtension;
  request.initialFolder = initialFolder;
  request.fileName = fileName;
  request.okLabel = kFileDialogOkLabel;
  request.cancelLabel = kFileDialogCancelLabel;
  request.pathMustExist = true;
  const platform::FileDialogResult result = platform::CurrentFileDialog().ShowSave(request);
  if (result.error != 0) RaiseFileError(result.error);
  return result.path;
}

}  // namespace qm
