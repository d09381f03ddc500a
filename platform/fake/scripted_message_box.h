// A message box for tests: records every box shown and answers from a queue
// of scripted results (OK when the queue is empty).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace qm::platform {

class ScriptedMessageBox : public MessageBoxService {
 public:
  struct Shown {
    std::string text;
    std::string caption;
    MsgButtons buttons;
    MsgIcon icon;
  };

  MsgResult Show(const std::string& text, const std::string& caption, MsgButtons buttons,
                 MsgIcon icon) override {
    shown_.push_back({text, caption, buttons, icon});
    if (answers_.empty()) return MsgResult::OK;
    const MsgResult answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  void Answer(MsgResult result) { answers_.push_back(result); }
  const std::vector<Shown>& ShownBoxes() const { return shown_; }

 private:
  std::deque<MsgResult> answers_;  // the user's next answers, in order
  std::vector<Shown> shown_;       // every box shown so far
};

}  // namespace qm::platform
