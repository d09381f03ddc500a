// The scripted user: performs a user's actions on a shown form exactly as the
// user would (through the controls, so every handler fires as it would for a
// real click, tick or keystroke), and a form host that plays a list of such
// actions after a form's Activate. Used by the tests and by the command-line
// host.
//
// An action on a control the user cannot reach (disabled or invisible, or
// inside a disabled or invisible frame), or one that the control does not
// support, throws FormError naming the control. ScriptedFormHost::ShowModal
// hides the form before it lets such an error out.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/forms_host.h"

namespace qm::platform {

// The user's actions on one control or on the form. A click gives the
// clicked control the focus (labels, pictures and frames take none) before
// its handlers run.
void UserClick(Control& control);                 // button, check box, option button, label, picture
void UserTick(Control& checkBox, bool ticked);    // clicks a check box when its value differs
void UserType(Control& comboBox, std::string_view text);  // selects all, then types one character at a time
void UserChoose(Control& comboBox, int index);    // picks a list entry
void UserSpin(Control& spinButton, bool up);      // one arrow click: SpinUp (right/up) or SpinDown
void UserPressEnter(UserForm& form);              // presses the default button
void UserPressEscape(UserForm& form);             // presses the cancel button
void UserPressAccelerator(UserForm& form, char key);  // Alt+key: acts on the control whose caption carries key
void UserCloseWindow(UserForm& form);             // the close box (only when the window shows one)
void UserDoubleClickTitle(UserForm& form);        // a double-click on the title bar

struct FormAction {
  enum class Kind { Click, Tick, Type, Choose, SpinUp, SpinDown, Enter, Escape, Accelerator, Close, TitleDoubleClick };
  Kind kind;
  std::string control;  // the control acted on (empty for form actions)
  std::string text;     // typed text; the key of an accelerator
  int index = 0;        // chosen list position
  bool ticked = false;  // the tick wanted

  static FormAction Click(std::string control) { return {Kind::Click, std::move(control), {}, 0, false}; }
  static FormAction Tick(std::string control, bool on) { return {Kind::Tick, std::move(control), {}, 0, on}; }
  static FormAction Type(std::string control, std::string text) { return {Kind::Type, std::move(control), std::move(text), 0, false}; }
  static FormAction Choose(std::string control, int index) { return {Kind::Choose, std::move(control), {}, index, false}; }
  static FormAction SpinUp(std::string control) { return {Kind::SpinUp, std::move(control), {}, 0, false}; }
  static FormAction SpinDown(std::string control) { return {Kind::SpinDown, std::move(control), {}, 0, false}; }
  static FormAction Enter() { return {Kind::Enter, {}, {}, 0, false}; }
  static FormAction Escape() { return {Kind::Escape, {}, {}, 0, false}; }
  static FormAction Accelerator(char key) { return {Kind::Accelerator, {}, std::string(1, key), 0, false}; }
  static FormAction Close() { return {Kind::Close, {}, {}, 0, false}; }
  static FormAction TitleDoubleClick() { return {Kind::TitleDoubleClick, {}, {}, 0, false}; }
};

// Performs one action on a shown form.
void Perform(UserForm& form, const FormAction& action);

// A form host that plays scripts. Each Script call queues one script for a
// form name; every modal display of that form takes the next queued script.
// After Activate the actions run in order while the form stays visible; when
// the form is still visible after the last one, the user leaves it: the
// cancel button (Esc) when usable, else the default button (Enter) when
// usable, else the close box; a form that still shows then is hidden.
class ScriptedFormHost : public FormHost {
 public:
  void Script(const std::string& formName, std::vector<FormAction> actions);
  void ShowModal(UserForm& form) override;
  void DoEvents() override { ++doEventsCount_; }
  void Beep() override { ++beepCount_; }

  int DoEventsCount() const { return doEventsCount_; }
  int BeepCount() const { return beepCount_; }
  const std::vector<std::string>& ShownForms() const { return shown_; }

 private:
  void Leave(UserForm& form);

  std::map<std::string, std::deque<std::vector<FormAction>>> scripts_;  // by form name
  std::vector<std::string> shown_;  // names of the forms displayed, in order
  int doEventsCount_ = 0;
  int beepCount_ = 0;
};

}  // namespace qm::platform
