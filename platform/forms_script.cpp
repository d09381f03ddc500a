// The scripted user and the scripted form host. Every action first checks
// that the user can reach the control, then acts through the control's own
// setters, so the handlers fire in the order the forms library fires them.
#include "platform/forms_script.h"

#include <cctype>

namespace qm::platform {

namespace {

// Throws unless the user can reach control and it is of the kind wanted.
void Require(const Control& control, ControlKind kind, const char* action) {
  if (!control.Usable()) {
    throw FormError(control.Name() + " cannot be " + action + ": it is disabled or hidden.");
  }
  if (control.Kind() != kind) throw FormError(control.Name() + " cannot be " + action + ".");
}

// The usable command button of the form with the Default (enter) or Cancel (escape) flag.
Control* FindKeyButton(const UserForm& form, bool escape) {
  for (const auto& control : form.Controls()) {
    if (control->Kind() != ControlKind::CommandButton || !control->Usable()) continue;
    if (escape ? control->Cancel() : control->Default()) return control.get();
  }
  return nullptr;
}

size_t Utf8Length(unsigned char lead) { return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1; }

}  // namespace

void UserClick(Control& control) {
  if (!control.Usable()) throw FormError(control.Name() + " cannot be clicked: it is disabled or hidden.");
  const ControlKind kind = control.Kind();
  if (kind != ControlKind::Label && kind != ControlKind::Picture && kind != ControlKind::Frame) control.SetFocus();
  switch (kind) {
    case ControlKind::CheckBox: control.Value(!control.Value()); break;
    case ControlKind::OptionButton: control.Value(true); break;  // a selected option stays as it is
    case ControlKind::ComboBox: control.Fire("DropButtonClick"); break;
    case ControlKind::SpinButton: throw FormError(control.Name() + " is a spin button: use its arrows.");
    default: control.Fire("Click"); break;
  }
}

void UserTick(Control& checkBox, bool ticked) {
  Require(checkBox, ControlKind::CheckBox, "ticked");
  if (checkBox.Value() != ticked) UserClick(checkBox);
}

void UserType(Control& comboBox, std::string_view text) {
  Require(comboBox, ControlKind::ComboBox, "typed into");
  if (comboBox.Style() == ComboStyle::DropDownList) throw FormError(comboBox.Name() + " takes no typed text.");
  comboBox.SetFocus();
  if (text.empty()) {
    comboBox.Text("");  // the selection deleted
    return;
  }
  bool first = true;  // the first keystroke replaces the selected text
  for (size_t pos = 0; pos < text.size();) {
    const size_t length = std::min(Utf8Length(static_cast<unsigned char>(text[pos])), text.size() - pos);
    const std::string key(text.substr(pos, length));
    comboBox.Text(first ? key : comboBox.Text() + key);
    first = false;
    pos += length;
  }
}

void UserChoose(Control& comboBox, int index) {
  Require(comboBox, ControlKind::ComboBox, "chosen from");
  if (index < 0 || index >= comboBox.ListCount()) throw FormError(comboBox.Name() + " has no such entry.");
  comboBox.SetFocus();
  comboBox.ListIndex(index);
}

void UserSpin(Control& spinButton, bool up) {
  Require(spinButton, ControlKind::SpinButton, "spun");
  spinButton.SpinValue(spinButton.SpinValue() + (up ? spinButton.SmallChange() : -spinButton.SmallChange()));
  spinButton.Fire(up ? "SpinUp" : "SpinDown");
}

void UserPressEnter(UserForm& form) {
  Control* button = FindKeyButton(form, false);
  if (!button) throw FormError(form.Name() + " has no usable default button.");
  UserClick(*button);
}

void UserPressEscape(UserForm& form) {
  Control* button = FindKeyButton(form, true);
  if (!button) throw FormError(form.Name() + " has no usable cancel button.");
  UserClick(*button);
}

void UserPressAccelerator(UserForm& form, char key) {
  const auto upper = [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); };
  for (const auto& control : form.Controls()) {
    if (control->Accelerator() != 0 && upper(control->Accelerator()) == upper(key)) {
      UserClick(*control);
      return;
    }
  }
  throw FormError(form.Name() + " has no control with the accelerator " + std::string(1, key) + ".");
}

void UserCloseWindow(UserForm& form) {
  if (!form.Window().HasCloseBox()) throw FormError(form.Name() + " shows no close box.");
  CurrentWindows().SendMessage(form.Window().handle, kWmClose, 0, 0);
}

void UserDoubleClickTitle(UserForm& form) {
  CurrentWindows().SendMessage(form.Window().handle, kWmNcLButtonDblClk, 0, 0);
}

void Perform(UserForm& form, const FormAction& action) {
  using K = FormAction::Kind;
  switch (action.kind) {
    case K::Click: UserClick(form[action.control]); break;
    case K::Tick: UserTick(form[action.control], action.ticked); break;
    case K::Type: UserType(form[action.control], action.text); break;
    case K::Choose: UserChoose(form[action.control], action.index); break;
    case K::SpinUp: UserSpin(form[action.control], true); break;
    case K::SpinDown: UserSpin(form[action.control], false); break;
    case K::Enter: UserPressEnter(form); break;
    case K::Escape: UserPressEscape(form); break;
    case K::Accelerator: UserPressAccelerator(form, action.text.empty() ? '\0' : action.text[0]); break;
    case K::Close: UserCloseWindow(form); break;
    case K::TitleDoubleClick: UserDoubleClickTitle(form); break;
  }
}

void ScriptedFormHost::Script(const std::string& formName, std::vector<FormAction> actions) {
  scripts_[formName].push_back(std::move(actions));
}

void ScriptedFormHost::ShowModal(UserForm& form) {
  shown_.push_back(form.Name());
  std::vector<FormAction> actions;
  if (auto queued = scripts_.find(form.Name()); queued != scripts_.end() && !queued->second.empty()) {
    actions = std::move(queued->second.front());
    queued->second.pop_front();
  }
  form.Activate();
  try {
    for (const FormAction& action : actions) {
      if (!form.Visible()) break;
      Perform(form, action);
    }
    if (form.Visible()) Leave(form);
  } catch (...) {
    form.Hide();
    throw;
  }
}

void ScriptedFormHost::Leave(UserForm& form) {
  if (Control* cancel = FindKeyButton(form, true)) {
    UserClick(*cancel);
  } else if (Control* ok = FindKeyButton(form, false)) {
    UserClick(*ok);
  } else {
    form.UserClose();
  }
  if (form.Visible()) form.Hide();
}

}  // namespace qm::platform
