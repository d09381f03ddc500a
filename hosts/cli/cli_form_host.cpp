// Displays the add-in's forms for the command line's user. A display makes
// the form the active window, runs its activation (the progress window does
// its whole run there, drawing itself through DoEvents), then plays the
// user: the options dialog is answered by DialogAnswerer, the finished
// progress window gets "open the saved file" set as --open says and its OK
// pressed. A form still visible after that (a check failed, a question was
// answered Cancel) is left through its Cancel button, as a user gives up.
// Errors of the forms model never leave this host: the form is hidden and
// the command carries on from there.
#include "hosts/cli/cli_form_host.h"

#include "addin/output/progress_form.h"
#include "hosts/cli/cli_options.h"
#include "platform/forms_script.h"

namespace qm::cli {

namespace {

constexpr const char* kOptionsDialog = "frmMain";
constexpr const char* kProgressWindow = "frmProgress";

}  // namespace

platform::UserForm* FormWindows::Find(platform::WindowHandle window) const {
  for (platform::UserForm* form : shown_) {
    if (window != 0 && form->Window().handle == window) return form;
  }
  return nullptr;
}

platform::WindowHandle FormWindows::ActiveWindow() {
  return !shown_.empty() && shown_.back()->Visible() ? shown_.back()->Window().handle : 0;
}

std::uint32_t FormWindows::GetStyle(platform::WindowHandle window) {
  const platform::UserForm* form = Find(window);
  return form ? form->Window().style : 0;
}

bool FormWindows::SetStyle(platform::WindowHandle window, std::uint32_t style) {
  platform::UserForm* form = Find(window);
  if (form) form->Window().style = style;
  return form != nullptr;
}

platform::WindowProc FormWindows::ReplaceWindowProc(platform::WindowHandle window, platform::WindowProc proc) {
  platform::UserForm* form = Find(window);
  if (!form || !proc) return nullptr;
  const platform::WindowProc previous = form->Window().proc;
  form->Window().proc = proc;
  return previous;
}

std::intptr_t FormWindows::CallWindowProc(platform::WindowProc proc, platform::WindowHandle window,
                                          unsigned message, std::uintptr_t first, std::intptr_t second) {
  return proc ? proc(window, message, first, second) : 0;
}

std::intptr_t FormWindows::SendMessage(platform::WindowHandle window, unsigned message, std::uintptr_t first,
                                       std::intptr_t second) {
  platform::UserForm* form = Find(window);
  return form && form->Window().proc ? form->Window().proc(window, message, first, second) : 0;
}

void CliFormHost::ShowModal(platform::UserForm& form) {
  windows_.Push(form);
  const bool progress = form.Name() == kProgressWindow;
  if (progress) progressWindow_ = &form;
  try {
    form.Activate();
    if (form.Name() == kOptionsDialog) PlayOptionsDialog(form);
    if (progress) PlayProgressWindow(form);
    Leave(form);
  } catch (const platform::FormError& error) {
    Complain("the form " + form.Name() + " could not be answered: " + error.what());
    form.Hide();
  }
  if (progress) {
    progress_.Finish();
    progressWindow_ = nullptr;
  }
  windows_.Pop();
}

void CliFormHost::DoEvents() {
  if (progressWindow_) {
    const auto& window = static_cast<const frmProgress&>(*progressWindow_);
    progress_.Update(window, window.IndicatorFullWidth());
  }
}

void CliFormHost::PlayOptionsDialog(platform::UserForm& dialog) {
  if (!dialog.Visible()) return;
  if (!answerer_.Answer(dialog)) outcome_.refusal = answerer_.Refusal();
}

void CliFormHost::PlayProgressWindow(platform::UserForm& window) {
  const auto& run = static_cast<const frmProgress&>(window);
  outcome_.finished = run.ErrorNumber() == 0 && !run.Cancelled();
  progress_.Update(window, run.IndicatorFullWidth(), true);
  if (!window.Visible()) return;
  platform::Control& ok = window["cmdOK"];
  if (!ok.Usable()) return;
  if (platform::Control& openFile = window["chkOpenFile"]; openFile.Usable()) {
    platform::UserTick(openFile, options_.open);
  }
  platform::UserClick(ok);
}

void CliFormHost::Leave(platform::UserForm& form) {
  if (!form.Visible()) return;
  if (platform::Control* cancel = form.Find("cmdCancel"); cancel && cancel->Usable()) {
    platform::UserClick(*cancel);
  }
  if (form.Visible()) form.Hide();
}

}  // namespace qm::cli
