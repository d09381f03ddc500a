// The forms host quillmark lends the add-in: the modal display of the
// add-in's two forms, played by the user of the command line, and the
// windows of those forms.
//
// The add-in library has its own copy of the forms model's registers (the
// loaded forms, the active form), which this program cannot see. So the
// host keeps the windows of the forms it displays itself: FormWindows
// answers for them from the state each form carries (its window's handle,
// style bits and procedure chain), and the editor's window service passes
// every handle that is not the editor's to it.
#pragma once

#include <string>
#include <vector>

#include "hosts/cli/dialog_answers.h"
#include "hosts/cli/progress_display.h"
#include "platform/forms_host.h"
#include "platform/windows.h"

namespace qm::cli {

// The windows of the forms displayed through CliFormHost, the one shown
// last being the active window while it is visible.
class FormWindows : public platform::WindowService {
 public:
  void Push(platform::UserForm& form) { shown_.push_back(&form); }
  void Pop() { shown_.pop_back(); }

  platform::WindowHandle ActiveWindow() override;
  std::uint32_t GetStyle(platform::WindowHandle window) override;
  bool SetStyle(platform::WindowHandle window, std::uint32_t style) override;
  void DrawMenuBar(platform::WindowHandle) override {}
  platform::WindowProc ReplaceWindowProc(platform::WindowHandle window, platform::WindowProc proc) override;
  std::intptr_t CallWindowProc(platform::WindowProc proc, platform::WindowHandle window, unsigned message,
                               std::uintptr_t first, std::intptr_t second) override;
  bool IsWindow(platform::WindowHandle window) override { return Find(window) != nullptr; }
  std::intptr_t SendMessage(platform::WindowHandle window, unsigned message, std::uintptr_t first,
                            std::intptr_t second) override;

 private:
  platform::UserForm* Find(platform::WindowHandle window) const;

  std::vector<platform::UserForm*> shown_;  // forms on display, the newest last
};

// What the command line's user did with the forms.
struct FormsOutcome {
  std::string refusal;    // a choice the options dialog does not offer; empty when none
  bool finished = false;  // the progress window ran to its end without failure or error
};

class CliFormHost : public platform::FormHost {
 public:
  CliFormHost(const CliOptions& options, platform::ScriptedFileDialog& fileDialog, bool drawProgress)
      : options_(options), answerer_(options, fileDialog), progress_(drawProgress) {}

  void ShowModal(platform::UserForm& form) override;
  void DoEvents() override;
  void Beep() override {}

  FormWindows& Windows() { return windows_; }
  // Ends the progress line, so that a message box starts on a line of its own.
  void EndProgressLine() { progress_.Finish(); }
  const FormsOutcome& Outcome() const { return outcome_; }

 private:
  // The user at each form; anything left visible is left through Cancel.
  void PlayOptionsDialog(platform::UserForm& dialog);
  void PlayProgressWindow(platform::UserForm& window);
  static void Leave(platform::UserForm& form);

  const CliOptions& options_;
  DialogAnswerer answerer_;
  ProgressDisplay progress_;
  FormWindows windows_;
  FormsOutcome outcome_;
  platform::UserForm* progressWindow_ = nullptr;  // while the progress window is on display
};

}  // namespace qm::cli
