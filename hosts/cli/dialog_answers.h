// The user at the options dialog frmMain: acts on its controls as the
// command line says — the operation, the output file through the file button
// and the save-file dialog, the target, the style placement, the font size
// and the check boxes — and presses OK. A choice the dialog does not offer in
// that state (its control is disabled or hidden) is refused with the reason,
// never skipped: the answer stops there and the host leaves the dialog
// through Cancel.
#pragma once

#include <string>

#include "hosts/cli/cli_options.h"
#include "platform/fake/scripted_file_dialog.h"
#include "platform/forms.h"

namespace qm::cli {

class DialogAnswerer {
 public:
  // fileDialog: the save-file dialog the add-in is lent; the answer queues
  // the -o path on it right before it presses the file button.
  DialogAnswerer(const CliOptions& options, platform::ScriptedFileDialog& fileDialog)
      : options_(options), fileDialog_(fileDialog) {}

  // Answers the shown dialog and presses OK; false when a choice was refused
  // (Refusal() says why) before OK was pressed.
  bool Answer(platform::UserForm& dialog);
  // Why a choice was refused; empty when none was.
  const std::string& Refusal() const { return refusal_; }

 private:
  bool ChooseOperation(platform::UserForm& dialog);
  bool ChooseTarget(platform::UserForm& dialog);
  bool ChooseFile(platform::UserForm& dialog);
  bool ChooseStyle(platform::UserForm& dialog);
  bool ChooseFontSize(platform::UserForm& dialog);
  bool ChooseBoxes(platform::UserForm& dialog);
  // The path to pick in the save-file dialog for -o, given the path label
  // now; empty (and the refusal set) when -o cannot name it.
  std::string OutputChoice(const std::string& label);
  // Sets the refusal; returns false for the caller to pass on.
  bool Refuse(std::string reason);

  const CliOptions& options_;
  platform::ScriptedFileDialog& fileDialog_;
  std::string refusal_;
};

}  // namespace qm::cli
