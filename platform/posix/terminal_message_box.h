// The message box of the command-line programs: the caption, the icon's word
// and the text go to standard error; a question is asked on the terminal.
//
// Answers:
//   preset Yes (--yes)  OK or Yes, without asking
//   preset No  (--no)   No where the box offers it, else Cancel (OK for a
//                       box that only has OK), without asking
//   a terminal          the user types the answer; an empty line takes the
//                       first button; the end of input takes the negative one
//   no terminal         Cancel, or No where there is no Cancel (OK for a box
//                       that only has OK): a program never waits on input
//                       that nobody can give
#pragma once

#include <cstdio>

#include "platform/message_box.h"

namespace qm::platform::posix {

enum class PresetAnswer { None, Yes, No };

class TerminalMessageBox : public MessageBoxService {
 public:
  // Asks on standard input when it is a terminal; writes to standard error.
  static TerminalMessageBox ForStandardStreams(PresetAnswer preset);

  // `input` is the terminal to read answers from, nullptr when there is none.
  TerminalMessageBox(PresetAnswer preset, std::FILE* input, std::FILE* output)
      : preset_(preset), input_(input), output_(output) {}

  MsgResult Show(const std::string& text, const std::string& caption, MsgButtons buttons,
                 MsgIcon icon) override;

 private:
  // Reads answers until one names a button of the box.
  MsgResult Ask(MsgButtons buttons);

  PresetAnswer preset_;
  std::FILE* input_;   // the terminal, nullptr when there is none
  std::FILE* output_;  // where boxes are written
};

// The answer a box gets without asking: the preset's, or the one of a run
// without a terminal.
MsgResult UnaskedAnswer(PresetAnswer preset, MsgButtons buttons);

}  // namespace qm::platform::posix
