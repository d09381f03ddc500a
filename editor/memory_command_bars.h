// The in-memory editor's command bars (addin/host/command_bars.h): bars and
// controls kept in memory, with the editor's built-in commands that controls
// can be copies of.
//
// Built-in commands are shared records (caption, enabled state): every
// control made from one reads its enabled state from the record, as the
// host's controls follow the state of their command. The editor starts with
// the host control 106 ("Microsoft Excel" unless told otherwise) on the
// "Standard" bar and the compile control 578 on the "Debug" bar; the project
// counts as compiled (578 disabled) until SetCompiled(false).
//
// Layout is kept as set: a bar keeps the RowIndex and Left written to it (the
// host's own re-flow of rows is not modelled); a bar's width follows its
// controls. Bar and control names compare without case.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "addin/host/command_bars.h"

namespace qm::editor {

// Width of a bar: its border plus one slot per control.
inline constexpr int kBarBorderWidth = 9;
inline constexpr int kControlSlotWidth = 23;

// A built-in command of the editor.
struct BuiltinCommand {
  std::string caption;
  bool enabled = true;
};

using BuiltinCommandPtr = std::shared_ptr<BuiltinCommand>;

class MemoryCommandBar;

class MemoryCommandBarControl : public CommandBarControl,
                                public std::enable_shared_from_this<MemoryCommandBarControl> {
 public:
  // command: the built-in command the control is a copy of; none for a custom control.
  MemoryCommandBarControl(int type, int id, BuiltinCommandPtr command, std::weak_ptr<MemoryCommandBar> bar);

  int Type() const override;
  int Id() const override;
  std::string Caption() const override;
  void Caption(const std::string& caption) override;
  bool Enabled() const override;
  void Enabled(bool enabled) override;
  bool BeginGroup() const override;
  void BeginGroup(bool beginGroup) override;
  std::string TooltipText() const override;
  void TooltipText(const std::string& text) override;
  int FaceId() const override;
  void FaceId(int faceId) override;
  int Style() const override;
  void Style(int style) override;
  void Delete() override;
  void Execute() override;
  int ConnectClick(ClickHandler handler) override;
  void DisconnectClick(int cookie) override;

  // Host side.
  bool Deleted() const { return deleted_; }
  void MarkDeleted() { deleted_ = true; }
  // Number of click handlers connected.
  size_t ClickHandlerCount() const { return handlers_.size(); }

 private:
  // Raises when the control has been deleted.
  void CheckAlive() const;
  // Raises for anything but a button (picture and style are button properties).
  void CheckButton() const;

  int type_;
  int id_;
  BuiltinCommandPtr command_;           // none for a custom control
  std::weak_ptr<MemoryCommandBar> bar_;  // the bar that holds it
  std::string caption_;
  bool enabled_ = true;           // custom controls only; built-ins follow their command
  bool beginGroup_ = false;
  std::string tooltip_;
  int faceId_ = 0;
  int style_ = kButtonAutomatic;
  bool deleted_ = false;
  std::map<int, ClickHandler> handlers_;  // by cookie
  int nextCookie_ = 1;
};

using MemoryCommandBarControlPtr = std::shared_ptr<MemoryCommandBarControl>;

class MemoryCommandBars;

class MemoryCommandBar : public CommandBar,
                         public CommandBarControls,
                         public std::enable_shared_from_this<MemoryCommandBar> {
 public:
  MemoryCommandBar(std::string name, int position, bool menuBar, bool temporary,
                   std::weak_ptr<MemoryCommandBars> owner);

  std::string Name() const override;
  int Position() const override;
  bool Temporary() const override;
  bool Visible() const override;
  void Visible(bool visible) override;
  int RowIndex() const override;
  void RowIndex(int rowIndex) override;
  int Left() const override;
  void Left(int left) override;
  int Width() const override;
  int Protection() const override;
  void Protection(int protection) override;
  CommandBarControlsPtr Controls() const override;
  void Delete() override;

  // CommandBarControls.
  int Count() const override;
  CommandBarControlPtr Item(int index) const override;
  CommandBarControlPtr Add(int type, int id = kCustomControlId) override;

  // Host side.
  bool MenuBar() const { return menuBar_; }
  bool Deleted() const { return deleted_; }
  const std::vector<MemoryCommandBarControlPtr>& ControlList() const { return controls_; }
  void RemoveControl(const MemoryCommandBarControl& control);
  void MarkDeleted();

 private:
  void CheckAlive() const;

  std::string name_;
  int position_;
  bool menuBar_;
  bool temporary_;
  std::weak_ptr<MemoryCommandBars> owner_;
  bool visible_ = false;
  int rowIndex_ = 0;
  int left_ = 0;
  int protection_ = kBarNoProtection;
  bool deleted_ = false;
  std::vector<MemoryCommandBarControlPtr> controls_;
};

using MemoryCommandBarPtr = std::shared_ptr<MemoryCommandBar>;

class MemoryCommandBars : public CommandBars, public std::enable_shared_from_this<MemoryCommandBars> {
 public:
  // The editor's bars: "Menu Bar" (row 1), "Standard" (row 2, with the host
  // control), and the hidden "Edit", "Debug" (with the compile control) and
  // "UserForm" bars.
  static std::shared_ptr<MemoryCommandBars> Create(const std::string& hostCaption = "Microsoft Excel");
  // The same built-in commands without any bar, for a layout of the caller's own.
  static std::shared_ptr<MemoryCommandBars> CreateEmpty(const std::string& hostCaption = "Microsoft Excel");

  std::vector<CommandBarPtr> Bars() const override;
  CommandBarPtr Item(const std::string& name) const override;
  CommandBarPtr Add(const std::string& name, int position, bool menuBar, bool temporary) override;
  CommandBarControlPtr FindControl(std::optional<int> type, int id) const override;

  // Host side.
  // Adds a bar as the host has it: docked at the top in that row and at that left.
  MemoryCommandBarPtr AddBar(const std::string& name, int rowIndex, int left, bool visible);
  MemoryCommandBarPtr FindBar(const std::string& name) const;
  // The built-in command with that id; none when the editor has none.
  BuiltinCommandPtr Builtin(int id) const;
  void SetBuiltin(int id, std::string caption, bool enabled = true);
  // Forgets a built-in command: controls can no longer be made from it.
  void RemoveBuiltin(int id);
  void SetHostCaption(std::string caption);
  // The compile command is enabled while the project is not compiled.
  void SetCompiled(bool compiled);
  // Removes a deleted bar from the list (called by the bar).
  void RemoveBar(const MemoryCommandBar& bar);

 private:
  MemoryCommandBars() = default;

  std::vector<MemoryCommandBarPtr> bars_;        // in the host's order
  std::map<int, BuiltinCommandPtr> builtins_;  // by control id
};

using MemoryCommandBarsPtr = std::shared_ptr<MemoryCommandBars>;

}  // namespace qm::editor
