// Message boxes on a terminal. A box is written as its caption in brackets,
// the icon's word and the text (its CR LF line breaks as plain line breaks);
// a question then prompts with the buttons it offers, under the names a
// Japanese system gives them, and reads one line per attempt.
#include "platform/posix/terminal_message_box.h"

#include <unistd.h>

#include <cctype>
#include <string>
#include <vector>

namespace qm::platform::posix {

namespace {

struct ButtonWord {
  MsgResult result;
  const char* key;    // the letter the user types
  const char* label;  // the button's caption
};

constexpr ButtonWord kOk{MsgResult::OK, "o", "OK"};
constexpr ButtonWord kCancel{MsgResult::Cancel, "c", "キャンセル"};
constexpr ButtonWord kYes{MsgResult::Yes, "y", "はい"};
constexpr ButtonWord kNo{MsgResult::No, "n", "いいえ"};

std::vector<ButtonWord> ButtonsOf(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::OK: return {kOk};
    case MsgButtons::OKCancel: return {kOk, kCancel};
    case MsgButtons::YesNo: return {kYes, kNo};
    case MsgButtons::YesNoCancel: return {kYes, kNo, kCancel};
  }
  return {kOk};
}

// The text with CR LF (and lone CR) turned into plain line breaks.
std::string TerminalText(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The line without surrounding blanks, ASCII letters in lower case.
std::string Normalised(std::string line) {
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
  size_t start = 0;
  while (start < line.size() && std::isspace(static_cast<unsigned char>(line[start]))) ++start;
  line.erase(0, start);
  for (char& c : line) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return line;
}

// The button a typed line names: its letter, its caption, or the English word.
const ButtonWord* ButtonNamed(const std::vector<ButtonWord>& offered, const std::string& line) {
  for (const ButtonWord& button : offered) {
    std::string english = Normalised(button.label);
    if (button.result == MsgResult::Yes) english = "yes";
    if (button.result == MsgResult::No) english = "no";
    if (button.result == MsgResult::Cancel) english = "cancel";
    if (line == button.key || line == Normalised(button.label) || line == english) return &button;
  }
  return nullptr;
}

}  // namespace

MsgResult UnaskedAnswer(PresetAnswer preset, MsgButtons buttons) {
  const bool hasCancel = buttons == MsgButtons::OKCancel || buttons == MsgButtons::YesNoCancel;
  const bool hasNo = buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel;
  if (buttons == MsgButtons::OK) return MsgResult::OK;
  if (preset == PresetAnswer::Yes) return hasNo ? MsgResult::Yes : MsgResult::OK;
  if (preset == PresetAnswer::No) return hasNo ? MsgResult::No : MsgResult::Cancel;
  return hasCancel ? MsgResult::Cancel : MsgResult::No;
}

TerminalMessageBox TerminalMessageBox::ForStandardStreams(PresetAnswer preset) {
  return TerminalMessageBox(preset, ::isatty(STDIN_FILENO) ? stdin : nullptr, stderr);
}

MsgResult TerminalMessageBox::Show(const std::string& text, const std::string& caption, MsgButtons buttons,
                                   MsgIcon icon) {
  std::fprintf(output_, "[%s] %s\n%s\n", caption.c_str(), IconWord(icon), TerminalText(text).c_str());
  if (buttons == MsgButtons::OK) {
    std::fflush(output_);
    return MsgResult::OK;
  }
  if (preset_ != PresetAnswer::None || input_ == nullptr) {
    const MsgResult answer = UnaskedAnswer(preset_, buttons);
    for (const ButtonWord& button : ButtonsOf(buttons)) {
      if (button.result == answer) std::fprintf(output_, "-> %s\n", button.label);
    }
    std::fflush(output_);
    return answer;
  }
  return Ask(buttons);
}

MsgResult TerminalMessageBox::Ask(MsgButtons buttons) {
  const std::vector<ButtonWord> offered = ButtonsOf(buttons);
  std::string prompt;
  for (const ButtonWord& button : offered) {
    prompt += (prompt.empty() ? "" : " / ") + std::string(button.label) + " (" + button.key + ")";
  }
  for (;;) {
    std::fprintf(output_, "%s [%s]: ", prompt.c_str(), offered.front().key);
    std::fflush(output_);
    char buffer[256];
    if (std::fgets(buffer, sizeof buffer, input_) == nullptr) {
      std::fprintf(output_, "\n");
      return UnaskedAnswer(PresetAnswer::None, buttons);
    }
    const std::string line = Normalised(buffer);
    if (line.empty()) return offered.front().result;
    if (const ButtonWord* button = ButtonNamed(offered, line)) return button->result;
  }
}

}  // namespace qm::platform::posix
