// The form host: how a form is displayed modally, how pending window messages
// are processed, and the beep. A desktop host draws real windows; the
// command-line host and tests use the scripted host of platform/forms_script.h.
//
// ShowModal(form) must: load the form when it is not loaded (Initialize runs
// once), make it visible and active and run Activate (form.Activate()), let
// the user act on it, and return once the form is hidden (form.Hide()) or
// closed. The default host is a ScriptedFormHost without scripts: after
// Activate it presses the form's Esc button, else its Enter button, else
// closes the window, so nothing ever waits for a user who is not there.
//
// Services follow the pattern of platform/message_box.h: CurrentFormHost(),
// SetFormHost(nullptr) for the default, ScopedFormHost for a scope.
#pragma once

#include "platform/forms.h"

namespace qm::platform {

class FormHost {
 public:
  virtual ~FormHost() = default;
  virtual void ShowModal(UserForm& form) = 0;
  // Processes pending window messages so that windows repaint. Does nothing
  // by default; the command-line host draws its progress bar here.
  virtual void DoEvents() {}
  // Sounds the default beep. Does nothing by default.
  virtual void Beep() {}
};

FormHost& CurrentFormHost();
void SetFormHost(FormHost* host);

class ScopedFormHost {
 public:
  explicit ScopedFormHost(FormHost& host) { SetFormHost(&host); }
  ~ScopedFormHost() { SetFormHost(nullptr); }
  ScopedFormHost(const ScopedFormHost&) = delete;
  ScopedFormHost& operator=(const ScopedFormHost&) = delete;
};

// Processes pending window messages through the installed host.
void DoEvents();
// Sounds the default beep through the installed host.
void Beep();

}  // namespace qm::platform
