// A file dialog played by a script: every request is recorded, and each
// display takes the next queued answer (a chosen path, a cancel, or a failure
// number); with the queue empty the user cancels. An answer may also carry
// what a platform dialog leaves behind on a pick — an empty file at the
// chosen path, entries in the recent-documents record — through a hook that
// runs before the dialog returns. Used by the tests and by the command-line
// host.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/file_dialog.h"

namespace qm::platform {

class ScriptedFileDialog : public FileDialogService {
 public:
  // Runs while the dialog is still open, with the request and the path chosen.
  using PickHook = std::function<void(const FileDialogRequest&, const std::string&)>;

  FileDialogResult ShowSave(const FileDialogRequest& request) override {
    requests_.push_back(request);
    if (answers_.empty()) return {};
    FileDialogResult answer = answers_.front();
    answers_.pop_front();
    if (!answer.path.empty() && onPick_) onPick_(request, answer.path);
    return answer;
  }
  // The pick hook has run before the dialog returns: nothing comes later.
  bool RecordsPickLater() const override { return false; }

  // The user picks this path.
  void Choose(std::string path) { answers_.push_back({std::move(path), 0}); }
  // The user cancels.
  void Cancel() { answers_.push_back({}); }
  // The dialog fails with an error number.
  void Fail(long error) { answers_.push_back({{}, error}); }
  void OnPick(PickHook hook) { onPick_ = std::move(hook); }

  const std::vector<FileDialogRequest>& Requests() const { return requests_; }

 private:
  std::deque<FileDialogResult> answers_;    // the next displays' answers, in order
  std::vector<FileDialogRequest> requests_; // every display so far
  PickHook onPick_;                         // the platform's traces of a pick
};

}  // namespace qm::platform
