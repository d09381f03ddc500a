// The message box service slot and its non-interactive default: the text goes
// to standard error as one block, and a question takes its negative answer, so
// nothing ever waits on a closed input.
#include "platform/message_box.h"

#include <cstdio>

namespace qm::platform {

const char* IconWord(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Error: return "error";
    case MsgIcon::Question: return "question";
    case MsgIcon::Warning: return "warning";
    case MsgIcon::Information: return "information";
    case MsgIcon::None: break;
  }
  return "";
}

namespace {

class StderrMessageBox : public MessageBoxService {
 public:
  MsgResult Show(const std::string& text, const std::string& caption, MsgButtons buttons,
                 MsgIcon icon) override {
    std::fprintf(stderr, "%s: [%s] %s\n", caption.c_str(), IconWord(icon), text.c_str());
    switch (buttons) {
      case MsgButtons::OK: return MsgResult::OK;
      case MsgButtons::YesNo: return MsgResult::No;
      case MsgButtons::OKCancel:
      case MsgButtons::YesNoCancel: return MsgResult::Cancel;
    }
    return MsgResult::Cancel;
  }
};

StderrMessageBox g_default;
MessageBoxService* g_current = nullptr;

}  // namespace

MessageBoxService& CurrentMessageBox() { return g_current ? *g_current : g_default; }

void SetMessageBox(MessageBoxService* service) { g_current = service; }

}  // namespace qm::platform
