// The message box, the --stdout clipboard, the registry store and the
// temporary-folder variable quillmark provides. The message box is the
// terminal one of the command-line programs; it notes the add-in's general
// error message by its fixed lead (the text up to the error number), which
// the exit status reports as 3.
#include "hosts/cli/host_services.h"

#include <cstdio>
#include <cstdlib>

#include "addin/host/host_support.h"
#include "editor/editor_defaults.h"
#include "hosts/cli/cli_options.h"

namespace qm::cli {

namespace {

// The general error message's lead: its text before the error number.
const std::string& GeneralErrorLead() {
  static const std::string lead = [] {
    const std::string sample = GeneralErrorText(0, "");
    return sample.substr(0, sample.rfind('0'));
  }();
  return lead;
}

}  // namespace

CliMessageBox::CliMessageBox(bool yes)
    : terminal_(platform::posix::TerminalMessageBox::ForStandardStreams(
          yes ? platform::posix::PresetAnswer::Yes : platform::posix::PresetAnswer::None)) {}

platform::MsgResult CliMessageBox::Show(const std::string& text, const std::string& caption,
                                        platform::MsgButtons buttons, platform::MsgIcon icon) {
  if (beforeBox_) beforeBox_();
  if (text.rfind(GeneralErrorLead(), 0) == 0) generalError_ = true;
  std::fflush(stdout);  // what was written to standard output comes first
  return terminal_.Show(text, caption, buttons, icon);
}

bool StdoutClipboard::SetText(std::string_view ansiBytes) {
  const bool written = std::fwrite(ansiBytes.data(), 1, ansiBytes.size(), stdout) == ansiBytes.size();
  return std::fflush(stdout) == 0 && written;
}

std::unique_ptr<platform::RegStore> PrepareRegistry(const std::string& settingsFile) {
  auto store = std::make_unique<platform::RegStore>(platform::RegStore::DefaultPath());
  if (!store->Loaded()) {
    Complain(store->LoadError());
    return nullptr;
  }
  if (!settingsFile.empty() && !store->Import(settingsFile)) {
    Complain("--settings: " + store->LastError());
    return nullptr;
  }
  if (!WriteEditorDefaults(*store)) {
    Complain(store->LastError());
    return nullptr;
  }
  return store;
}

void ProvideTemporaryFolderVariable() {
  for (const char* name : {"tmp", "temp"}) {
    if (const char* value = std::getenv(name); value && *value) return;
  }
  const char* tmpdir = std::getenv("TMPDIR");
  setenv("tmp", tmpdir && *tmpdir ? tmpdir : "/tmp", 1);
}

}  // namespace qm::cli
