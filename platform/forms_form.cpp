// User forms: the control collection, handlers by event name, option groups,
// the load / show / hide / unload lifecycle, and the form windows a host
// shows (a registry of loaded forms by window handle, the active window, and
// the forms' own window procedure).
#include <algorithm>
#include <array>

#include "platform/forms.h"
#include "platform/forms_host.h"

namespace qm::platform {

namespace {

struct KindEvents {
  ControlKind kind;
  std::array<std::string_view, 5> events;  // unused slots are empty
};

// The events each kind of control raises.
constexpr std::array<KindEvents, 8> kKindEvents = {{
    {ControlKind::Label, {"Click", "DblClick"}},
    {ControlKind::OptionButton, {"Click", "Change", "DblClick"}},
    {ControlKind::CheckBox, {"Click", "Change", "DblClick"}},
    {ControlKind::ComboBox, {"Click", "Change", "DblClick", "DropButtonClick"}},
    {ControlKind::SpinButton, {"Change", "SpinUp", "SpinDown"}},
    {ControlKind::Frame, {"Click", "DblClick", "Scroll"}},
    {ControlKind::Picture, {"Click", "DblClick"}},
    {ControlKind::CommandButton, {"Click", "DblClick"}},
}};

// The events of the form itself (QueryClose has its own handler type).
constexpr std::array<std::string_view, 5> kFormEvents = {"Initialize", "Activate", "Deactivate", "Terminate",
                                                         "Click"};

std::map<WindowHandle, UserForm*>& LoadedForms() {
  static std::map<WindowHandle, UserForm*> forms;
  return forms;
}

std::vector<WindowHandle>& ActiveStack() {  // shown forms, the active one last
  static std::vector<WindowHandle> stack;
  return stack;
}

WindowHandle g_nextHandle = 0x1000;

void Deactivate(WindowHandle handle) {
  auto& stack = ActiveStack();
  stack.erase(std::remove(stack.begin(), stack.end(), handle), stack.end());
}

}  // namespace

bool ControlRaises(ControlKind kind, std::string_view event) {
  for (const KindEvents& entry : kKindEvents) {
    if (entry.kind == kind) return !event.empty() && std::ranges::find(entry.events, event) != entry.events.end();
  }
  return false;
}

UserForm* FormOfWindow(WindowHandle window) {
  const auto found = LoadedForms().find(window);
  return found == LoadedForms().end() ? nullptr : found->second;
}

WindowHandle ActiveFormWindow() { return ActiveStack().empty() ? 0 : ActiveStack().back(); }

std::intptr_t FormWindowProc(WindowHandle window, unsigned message, std::uintptr_t, std::intptr_t) {
  UserForm* form = FormOfWindow(window);
  if (!form) return 0;
  if (message == kWmNcLButtonDblClk) form->Window().maximized = !form->Window().maximized;
  if (message == kWmClose) form->UserClose();
  return 0;
}

UserForm::UserForm(std::string name) : name_(std::move(name)) {}

UserForm::~UserForm() {
  if (!Loaded()) return;
  Deactivate(window_.handle);
  LoadedForms().erase(window_.handle);
}

Control& UserForm::Add(ControlKind kind, std::string name, Control* container) {
  if (Find(name)) throw FormError("A control named " + name + " already exists.");
  controls_.push_back(std::make_unique<Control>(*this, container, std::move(name), kind));
  return *controls_.back();
}

Control* UserForm::Find(std::string_view name) const {
  for (const auto& control : controls_) {
    if (control->Name() == name) return control.get();
  }
  return nullptr;
}

Control& UserForm::operator[](std::string_view name) const {
  Control* control = Find(name);
  if (!control) throw FormError("Could not find the specified object: " + std::string(name));
  return *control;
}

void UserForm::On(std::string eventName, std::function<void()> handler) {
  const size_t underscore = eventName.rfind('_');
  if (underscore == std::string::npos) throw FormError("Not an event name: " + eventName);
  const std::string_view owner = std::string_view(eventName).substr(0, underscore);
  const std::string_view event = std::string_view(eventName).substr(underscore + 1);
  const bool known = owner == "UserForm" ? std::ranges::find(kFormEvents, event) != kFormEvents.end()
                                         : Find(owner) && ControlRaises(Find(owner)->Kind(), event);
  if (!known) throw FormError("No such event: " + eventName);
  handlers_[std::move(eventName)] = std::move(handler);
}

bool UserForm::Fire(std::string_view eventName) {
  const auto found = handlers_.find(eventName);
  if (found == handlers_.end() || !found->second) return false;
  const std::function<void()> handler = found->second;  // a handler may re-register itself
  handler();
  return true;
}

std::vector<Control*> UserForm::GroupOf(const Control& option) const {
  std::vector<Control*> group;
  for (const auto& control : controls_) {
    if (control.get() == &option || control->Kind() != ControlKind::OptionButton) continue;
    const bool same = option.GroupName().empty()
                          ? control->GroupName().empty() && control->Container() == option.Container()
                          : control->GroupName() == option.GroupName();
    if (same) group.push_back(control.get());
  }
  return group;
}

void UserForm::Load() {
  if (Loaded()) return;
  window_ = FormWindow{};
  window_.handle = g_nextHandle++;
  window_.proc = &FormWindowProc;
  LoadedForms()[window_.handle] = this;
  Fire("UserForm_Initialize");
}

void UserForm::Show() { CurrentFormHost().ShowModal(*this); }

void UserForm::Activate() {
  Load();
  visible_ = true;
  Deactivate(window_.handle);
  ActiveStack().push_back(window_.handle);
  Fire("UserForm_Activate");
}

void UserForm::Hide() {
  visible_ = false;
  if (Loaded()) Deactivate(window_.handle);
}

bool UserForm::Close(CloseMode mode) {
  if (!Loaded()) return true;
  bool cancel = false;
  if (queryClose_) queryClose_(cancel, mode);
  if (cancel) return false;
  Hide();
  Fire("UserForm_Terminate");
  LoadedForms().erase(window_.handle);
  window_ = FormWindow{};
  return true;
}

bool UserForm::Unload() { return Close(CloseMode::kCloseFromCode); }

bool UserForm::UserClose() { return Close(CloseMode::kCloseFromControlMenu); }

}  // namespace qm::platform
