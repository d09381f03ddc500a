// The services quillmark lends the add-in besides its forms host: message
// boxes on the terminal that also note how the command ended, standard
// output as the clipboard for --stdout, and the registry store prepared as
// the editor prepares it on its start.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "platform/posix/reg_store.h"
#include "platform/posix/terminal_message_box.h"

namespace qm::cli {

// The terminal message box (platform/posix/terminal_message_box.h), noting
// whether the add-in's general error message was shown.
class CliMessageBox : public platform::MessageBoxService {
 public:
  explicit CliMessageBox(bool yes);

  platform::MsgResult Show(const std::string& text, const std::string& caption, platform::MsgButtons buttons,
                           platform::MsgIcon icon) override;

  // Runs before each box is written (the progress line ends its line there).
  void BeforeEachBox(std::function<void()> hook) { beforeBox_ = std::move(hook); }
  bool GeneralErrorShown() const { return generalError_; }

 private:
  platform::posix::TerminalMessageBox terminal_;
  std::function<void()> beforeBox_;
  bool generalError_ = false;  // "エラーが発生しました。処理を中止します。…" was shown
};

// The clipboard of --stdout: the text, already in the ANSI code page, goes to
// standard output as it is.
class StdoutClipboard : public platform::Clipboard {
 public:
  bool SetText(std::string_view ansiBytes) override;
};

// Opens the registry store (QUILLMARK_REGISTRY or the user's), imports the
// .reg export when one is given, and writes the editor's settings key with
// its defaults when it is missing. The store, or nullptr after the problem
// was written to standard error.
std::unique_ptr<platform::RegStore> PrepareRegistry(const std::string& settingsFile);

// Windows always names a temporary folder in TMP/TEMP, where the add-in puts
// its work files; on Linux the environment names it TMPDIR, or nobody does.
// Sets "tmp" to $TMPDIR (else /tmp) unless "tmp" or "temp" is already set.
void ProvideTemporaryFolderVariable();

}  // namespace qm::cli
