// clsFileDialog: asks the user for the output file when the options dialog's
// file button is used. One object serves one question.
//
// Calling protocol (the options dialog's):
//   clsFileDialog dialog;
//   std::string chosen;
//   const bool picked = dialog.ChooseSaveFile(chosen, currentPath);
//   if (dialog.ErrorNumber() != 0) ... raise it ...
// The platform's file dialog (platform/file_dialog.h) opens titled
// "Ferravel - 保存するファイル名を指定", filtering for "*.htm", in the folder of the
// current path when that path's drive can take the output and in the user's
// documents folder otherwise, proposing the current file name, with its
// buttons labelled "OK" and "Cancel" and no replace question of its own.
// After a pick it removes what the pick left behind: the entries of the
// recent-documents record that were not there before, and an empty file at
// the chosen path.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

// What the dialog shows.
inline constexpr const char* kFileDialogTitle = "Ferravel - 保存するファイル名を指定";
inline constexpr const char* kFileDialogFilterName = "ＨＴＭＬ ファイル";
inline constexpr const char* kFileDialogExtension = ".htm";
inline constexpr const char* kFileDialogOkLabel = "OK";
inline constexpr const char* kFileDialogCancelLabel = "Cancel";

class clsFileDialog {
 public:
  // Shows the dialog for `current` (the output path shown now). True when the
  // user chose a file; `chosen` then holds its full path, else it is empty.
  // An error while preparing or showing the dialog sets ErrorNumber and
  // gives false; the clean-up after a pick never fails.
  bool ChooseSaveFile(std::string& chosen, const std::string& current);

  // The number of the error ChooseSaveFile met; 0 when none.
  int32_t ErrorNumber() const { return errorNumber_; }

  // Shows the platform dialog in `initialFolder` with one filter ("name(*ext)"
  // for "*ext") and the proposed file name; the chosen path, or empty when
  // the user cancelled. Raises VbaError when the dialog fails.
  std::string ShowFileDialog(const std::string& initialFolder, const std::string& filterName,
                             const std::string& defaultExtension, const std::string& fileName);

 private:
  int32_t errorNumber_ = 0;  // the error ChooseSaveFile met
};

}  // namespace qm
