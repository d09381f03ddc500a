// Message boxes: everything the user is told or asked goes through this one
// service. A desktop host draws a real box; the command-line host writes the
// text to standard error and prompts on a terminal; tests script the answers.
//
// Services follow one pattern in platform/: an interface, CurrentX() for the
// installed implementation, and SetX(X*) to install another one (nullptr goes
// back to the default); ScopedX installs one for the lifetime of a scope.
#pragma once

#include <string>

namespace qm::platform {

enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Error, Question, Warning, Information };
// The values of the system's answers.
enum class MsgResult { OK = 1, Cancel = 2, Yes = 6, No = 7 };

// The word a box written as text shows for its icon ("error", "question",
// "warning", "information"); empty for no icon.
const char* IconWord(MsgIcon icon);

class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  // Shows text (UTF-8; CR LF between lines) with a caption, buttons and icon;
  // returns the button the user chose.
  virtual MsgResult Show(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon) = 0;
};

// The installed message box service. With none installed, a default that
// writes to standard error and answers OK/No/Cancel without asking.
MessageBoxService& CurrentMessageBox();
void SetMessageBox(MessageBoxService* service);

class ScopedMessageBox {
 public:
  explicit ScopedMessageBox(MessageBoxService& service) { SetMessageBox(&service); }
  ~ScopedMessageBox() { SetMessageBox(nullptr); }
  ScopedMessageBox(const ScopedMessageBox&) = delete;
  ScopedMessageBox& operator=(const ScopedMessageBox&) = delete;
};

// The caption of every message box of the add-in.
inline constexpr const char* kMessageCaption = "Ferravel";

}  // namespace qm::platform
