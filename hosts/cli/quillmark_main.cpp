// quillmark: runs one conversion of the Quillmark add-in for real. It plays
// the editor (the sources loaded into the in-memory editor, its settings key
// written on first start, its main window class announced while it runs)
// and the user (the module selected, the button clicked, the options dialog
// answered, the progress window closed), and lends the add-in library its
// services: terminal message boxes, the forms host, the editor's windows,
// the registry store with the browser's registration, the save-file dialog
// that answers -o, the clipboard of --stdout and the code page of
// --codepage. The exit status tells how the command ended.
#include <unistd.h>

#include <cstdio>
#include <variant>

#include "editor/editor_windows.h"
#include "editor/load/load_project.h"
#include "hosts/cli/addin_library.h"
#include "hosts/cli/cli_form_host.h"
#include "hosts/cli/cli_options.h"
#include "hosts/cli/editor_play.h"
#include "hosts/cli/host_services.h"
#include "platform/browser_registry.h"
#include "platform/codepage.h"
#include "platform/window_classes.h"

namespace qm::cli {

namespace {

// The status for how the forms and the message boxes left the command.
int ExitStatus(const FormsOutcome& outcome, const CliMessageBox& boxes, bool clicked) {
  if (!outcome.refusal.empty()) {
    Complain(outcome.refusal);
    return kExitUsage;
  }
  if (boxes.GeneralErrorShown()) return kExitError;
  if (!clicked) {
    Complain("the add-in placed no \"Ferravel\" button");
    return kExitMessage;
  }
  return outcome.finished ? kExitDone : kExitMessage;
}

// One conversion with the opened library; the exit status. Everything that
// may hold the library's code (the editor with the add-in's button, the
// lent services) goes before the library is closed.
int Convert(const CliOptions& options, PlayedEditor played, platform::Registry& registry, AddinLibrary& library) {
  CliMessageBox boxes(options.yes);
  platform::ScriptedFileDialog fileDialog;
  CliFormHost forms(options, fileDialog, !options.quiet && ::isatty(STDERR_FILENO));
  boxes.BeforeEachBox([&forms] { forms.EndProgressLine(); });
  editor::EditorWindows windows(played.vbe, forms.Windows());
  StdoutClipboard standardOutput;
  HostServices services;
  services.messageBox = &boxes;
  services.formHost = &forms;
  services.windows = &windows;
  services.registry = &registry;
  services.clipboard = options.delivery == Delivery::Stdout ? &standardOutput : nullptr;
  services.fileDialog = &fileDialog;
  services.ansiCodePage = options.codePage;

  const platform::WindowClassAnnouncement running({editor::kMainWindowClass});
  library.Attach(&services);
  const bool clicked = library.ConnectAndClick(played.vbe);
  library.Attach(nullptr);
  return ExitStatus(forms.Outcome(), boxes, clicked);
}

int Run(int argc, char** argv) {
  const ParseResult parsed = ParseCommandLine(argc, argv);
  if (const auto* exit = std::get_if<ParseExit>(&parsed)) return exit->status;
  const CliOptions& options = std::get<CliOptions>(parsed);
  // The loaders decode sources in the system's code page too.
  if (options.codePage != 0) platform::SetAnsiCodePage(options.codePage);
  ProvideTemporaryFolderVariable();
  editor::LoadedProject project;
  try {
    project = LoadSources(options);
  } catch (const editor::LoadError& error) {
    Complain(error.Description());
    return kExitMessage;
  }
  PlayedEditor played = PlayEditor(std::move(project), options);
  if (!played.problem.empty()) {
    Complain(played.problem);
    return kExitUsage;
  }
  const auto store = PrepareRegistry(options.settingsFile);
  if (!store) return kExitMessage;
  platform::BrowserRegistryLayer registry(*store);
  const auto library = AddinLibrary::Open(registry);
  if (!library) return kExitMessage;
  return Convert(options, std::move(played), registry, *library);
}

}  // namespace

}  // namespace qm::cli

int main(int argc, char** argv) { return qm::cli::Run(argc, argv); }
