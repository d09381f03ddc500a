// The in-memory command bars: a list of bars in the host's order, each with
// its controls, and a table of the editor's built-in commands by control id.
// A deleted bar or control is taken out of its list and raises on every
// further use, as the host's objects do once their command bar item is gone.
#include "editor/memory_command_bars.h"

#include <algorithm>

#include "editor/vba_procedures.h"

namespace qm::editor {
namespace {

// What the host raises for a bar or control that has been deleted.
constexpr long kErrAutomation = -2147467259;
constexpr const char* kAutomationText = "オートメーション エラーです。";
constexpr long kErrNotSupported = 438;
constexpr const char* kNotSupportedText = "オブジェクトは、このプロパティまたはメソッドをサポートしていません。";
constexpr const char* kInvalidCallText = "プロシージャの呼び出し、または引数が不正です。";

[[noreturn]] void RaiseInvalidCall() { throw VbaError(kErrInvalidProcedureCall, kInvalidCallText); }

// The editor's bars as it starts: name, row, whether shown, built-in controls.
struct DefaultBar {
  const char* name;
  int rowIndex;
  bool visible;
  int controlId;  // 0: no built-in control
};

constexpr DefaultBar kDefaultBars[] = {
    {"Menu Bar", 1, true, 0},  {"Standard", 2, true, kHostApplicationControlId},
    {"Edit", 3, false, 0},     {"Debug", 3, false, kCompileControlId},
    {"UserForm", 3, false, 0},
};

}  // namespace

MemoryCommandBarControl::MemoryCommandBarControl(int type, int id, BuiltinCommandPtr command,
                                                 std::weak_ptr<MemoryCommandBar> bar)
    : type_(type), id_(id), command_(std::move(command)), bar_(std::move(bar)) {
  if (command_) caption_ = command_->caption;
}

void MemoryCommandBarControl::CheckAlive() const {
  if (deleted_) throw VbaError(kErrAutomation, kAutomationText);
}

void MemoryCommandBarControl::CheckButton() const {
  CheckAlive();
  if (type_ != kControlButton) throw VbaError(kErrNotSupported, kNotSupportedText);
}

int MemoryCommandBarControl::Type() const { return CheckAlive(), type_; }
int MemoryCommandBarControl::Id() const { return CheckAlive(), id_; }
std::string MemoryCommandBarControl::Caption() const { return CheckAlive(), caption_; }
void MemoryCommandBarControl::Caption(const std::string& caption) { CheckAlive(), caption_ = caption; }

bool MemoryCommandBarControl::Enabled() const {
  CheckAlive();
  return command_ ? command_->enabled : enabled_;
}

void MemoryCommandBarControl::Enabled(bool enabled) {
  CheckAlive();
  if (command_) {
    command_->enabled = enabled;
  } else {
    enabled_ = enabled;
  }
}

bool MemoryCommandBarControl::BeginGroup() const { return CheckAlive(), beginGroup_; }
void MemoryCommandBarControl::BeginGroup(bool beginGroup) { CheckAlive(), beginGroup_ = beginGroup; }
std::string MemoryCommandBarControl::TooltipText() const { return CheckAlive(), tooltip_; }
void MemoryCommandBarControl::TooltipText(const std::string& text) { CheckAlive(), tooltip_ = text; }
int MemoryCommandBarControl::FaceId() const { return CheckButton(), faceId_; }
void MemoryCommandBarControl::FaceId(int faceId) { CheckButton(), faceId_ = faceId; }
int MemoryCommandBarControl::Style() const { return CheckButton(), style_; }
void MemoryCommandBarControl::Style(int style) { CheckButton(), style_ = style; }

void MemoryCommandBarControl::Delete() {
  CheckAlive();
  if (std::shared_ptr<MemoryCommandBar> bar = bar_.lock()) bar->RemoveControl(*this);
  MarkDeleted();
}

void MemoryCommandBarControl::Execute() {
  CheckAlive();
  if (!Enabled()) return;
  const std::map<int, ClickHandler> handlers = handlers_;  // a handler may disconnect itself
  const CommandBarControlPtr self = shared_from_this();
  bool cancelDefault = false;
  for (const auto& [cookie, handler] : handlers) handler(self, cancelDefault);
}

int MemoryCommandBarControl::ConnectClick(ClickHandler handler) {
  CheckAlive();
  handlers_[nextCookie_] = std::move(handler);
  return nextCookie_++;
}

void MemoryCommandBarControl::DisconnectClick(int cookie) { handlers_.erase(cookie); }

MemoryCommandBar::MemoryCommandBar(std::string name, int position, bool menuBar, bool temporary,
                                   std::weak_ptr<MemoryCommandBars> owner)
    : name_(std::move(name)), position_(position), menuBar_(menuBar), temporary_(temporary), owner_(std::move(owner)) {}

void MemoryCommandBar::CheckAlive() const {
  if (deleted_) throw VbaError(kErrAutomation, kAutomationText);
}

std::string MemoryCommandBar::Name() const { return CheckAlive(), name_; }
int MemoryCommandBar::Position() const { return CheckAlive(), position_; }
bool MemoryCommandBar::Temporary() const { return CheckAlive(), temporary_; }
bool MemoryCommandBar::Visible() const { return CheckAlive(), visible_; }
void MemoryCommandBar::Visible(bool visible) { CheckAlive(), visible_ = visible; }
int MemoryCommandBar::RowIndex() const { return CheckAlive(), rowIndex_; }
void MemoryCommandBar::RowIndex(int rowIndex) { CheckAlive(), rowIndex_ = rowIndex; }
int MemoryCommandBar::Left() const { return CheckAlive(), left_; }
void MemoryCommandBar::Left(int left) { CheckAlive(), left_ = left; }

int MemoryCommandBar::Width() const {
  CheckAlive();
  return kBarBorderWidth + kControlSlotWidth * static_cast<int>(controls_.size());
}

int MemoryCommandBar::Protection() const { return CheckAlive(), protection_; }
void MemoryCommandBar::Protection(int protection) { CheckAlive(), protection_ = protection; }

CommandBarControlsPtr MemoryCommandBar::Controls() const {
  CheckAlive();
  return std::const_pointer_cast<MemoryCommandBar>(shared_from_this());
}

void MemoryCommandBar::Delete() {
  CheckAlive();
  const MemoryCommandBarPtr keep = shared_from_this();  // the owner's list held the last reference
  if (std::shared_ptr<MemoryCommandBars> owner = owner_.lock()) owner->RemoveBar(*this);
  MarkDeleted();
}

void MemoryCommandBar::MarkDeleted() {
  deleted_ = true;
  for (const MemoryCommandBarControlPtr& control : controls_) control->MarkDeleted();
  controls_.clear();
}

int MemoryCommandBar::Count() const { return CheckAlive(), static_cast<int>(controls_.size()); }

CommandBarControlPtr MemoryCommandBar::Item(int index) const {
  CheckAlive();
  if (index < 1 || index > Count()) RaiseInvalidCall();
  return controls_[static_cast<size_t>(index - 1)];
}

CommandBarControlPtr MemoryCommandBar::Add(int type, int id) {
  CheckAlive();
  BuiltinCommandPtr command;
  if (id != kCustomControlId) {
    std::shared_ptr<MemoryCommandBars> owner = owner_.lock();
    command = owner ? owner->Builtin(id) : nullptr;
    if (!command) RaiseInvalidCall();
  }
  auto control = std::make_shared<MemoryCommandBarControl>(type, id, std::move(command), weak_from_this());
  controls_.push_back(control);
  return control;
}

void MemoryCommandBar::RemoveControl(const MemoryCommandBarControl& control) {
  std::erase_if(controls_, [&](const MemoryCommandBarControlPtr& c) { return c.get() == &control; });
}

std::shared_ptr<MemoryCommandBars> MemoryCommandBars::CreateEmpty(const std::string& hostCaption) {
  std::shared_ptr<MemoryCommandBars> bars(new MemoryCommandBars());
  bars->SetBuiltin(kHostApplicationControlId, hostCaption);
  bars->SetBuiltin(kCompileControlId, "VBAProject のコンパイル(&L)", false);
  return bars;
}

std::shared_ptr<MemoryCommandBars> MemoryCommandBars::Create(const std::string& hostCaption) {
  std::shared_ptr<MemoryCommandBars> bars = CreateEmpty(hostCaption);
  for (const DefaultBar& entry : kDefaultBars) {
    MemoryCommandBarPtr bar = bars->AddBar(entry.name, entry.rowIndex, 0, entry.visible);
    if (entry.controlId != 0) bar->Add(kControlButton, entry.controlId);
  }
  return bars;
}

std::vector<CommandBarPtr> MemoryCommandBars::Bars() const { return {bars_.begin(), bars_.end()}; }

CommandBarPtr MemoryCommandBars::Item(const std::string& name) const {
  MemoryCommandBarPtr bar = FindBar(name);
  if (!bar) RaiseInvalidCall();
  return bar;
}

CommandBarPtr MemoryCommandBars::Add(const std::string& name, int position, bool menuBar, bool temporary) {
  const std::string barName = name.empty() ? "Custom " + std::to_string(bars_.size() + 1) : name;
  if (FindBar(barName)) RaiseInvalidCall();
  int lastRow = 0;
  for (const MemoryCommandBarPtr& bar : bars_) {
    if (bar->Position() == position) lastRow = std::max(lastRow, bar->RowIndex());
  }
  auto bar = std::make_shared<MemoryCommandBar>(barName, position, menuBar, temporary, weak_from_this());
  bar->RowIndex(lastRow + 1);
  bars_.push_back(bar);
  return bar;
}

CommandBarControlPtr MemoryCommandBars::FindControl(std::optional<int> type, int id) const {
  for (const MemoryCommandBarPtr& bar : bars_) {
    for (const MemoryCommandBarControlPtr& control : bar->ControlList()) {
      if (control->Id() == id && (!type || control->Type() == *type)) return control;
    }
  }
  return nullptr;
}

MemoryCommandBarPtr MemoryCommandBars::AddBar(const std::string& name, int rowIndex, int left, bool visible) {
  auto bar = std::make_shared<MemoryCommandBar>(name, kBarTop, name == "Menu Bar", false, weak_from_this());
  bar->RowIndex(rowIndex);
  bar->Left(left);
  bar->Visible(visible);
  bars_.push_back(bar);
  return bar;
}

MemoryCommandBarPtr MemoryCommandBars::FindBar(const std::string& name) const {
  for (const MemoryCommandBarPtr& bar : bars_) {
    if (SameVbaName(bar->Name(), name)) return bar;
  }
  return nullptr;
}

BuiltinCommandPtr MemoryCommandBars::Builtin(int id) const {
  auto found = builtins_.find(id);
  return found == builtins_.end() ? nullptr : found->second;
}

void MemoryCommandBars::SetBuiltin(int id, std::string caption, bool enabled) {
  BuiltinCommandPtr& command = builtins_[id];
  if (!command) command = std::make_shared<BuiltinCommand>();
  command->caption = std::move(caption);
  command->enabled = enabled;
}

void MemoryCommandBars::RemoveBuiltin(int id) { builtins_.erase(id); }

void MemoryCommandBars::SetHostCaption(std::string caption) {
  BuiltinCommandPtr command = Builtin(kHostApplicationControlId);
  if (!command) return SetBuiltin(kHostApplicationControlId, std::move(caption));
  command->caption = caption;
  // Controls copied from the host command keep the caption they were made with; update them too.
  for (const MemoryCommandBarPtr& bar : bars_) {
    for (const MemoryCommandBarControlPtr& control : bar->ControlList()) {
      if (control->Id() == kHostApplicationControlId) control->Caption(caption);
    }
  }
}

void MemoryCommandBars::SetCompiled(bool compiled) {
  BuiltinCommandPtr command = Builtin(kCompileControlId);
  if (command) command->enabled = !compiled;
}

void MemoryCommandBars::RemoveBar(const MemoryCommandBar& bar) {
  std::erase_if(bars_, [&](const MemoryCommandBarPtr& b) { return b.get() == &bar; });
}

}  // namespace qm::editor
