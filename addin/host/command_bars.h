// The host's command bars as the add-in sees them, reached as CommandBars of
// the editor object: bars (toolbars, menu bars) with their controls. The
// add-in places its own bar with one button, and looks up built-in controls
// by id: 106 names the host application in its caption, 578 is the editor's
// compile command (enabled while the project is not compiled).
//
// Calling protocol:
//   CommandBars → Add(name, position, menuBar, temporary) → bar
//   bar → Controls() → Add(type, id) → control → Caption, FaceId, Style…
//   CommandBars → FindControl(type, id) → a control of any bar, or none
//   control → ConnectClick(handler) … DisconnectClick(cookie)
// Operations that the host lets fail raise VbaError, as do the operations of
// a bar or control that has been deleted.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "addin/host/vbe.h"

namespace qm {

class CommandBar;
class CommandBarControl;
class CommandBarControls;

using CommandBarPtr = std::shared_ptr<CommandBar>;
using CommandBarControlPtr = std::shared_ptr<CommandBarControl>;
using CommandBarControlsPtr = std::shared_ptr<CommandBarControls>;

// Where a bar is docked (CommandBar::Position).
enum BarPosition : int {
  kBarLeft = 0,
  kBarTop = 1,
  kBarRight = 2,
  kBarBottom = 3,
  kBarFloating = 4,
  kBarPopup = 5,
};

// Kinds of controls (CommandBarControl::Type).
enum ControlType : int {
  kControlCustom = 0,
  kControlButton = 1,
  kControlEdit = 2,
  kControlDropdown = 3,
  kControlComboBox = 4,
  kControlPopup = 10,
};

// How a button shows itself (CommandBarControl::Style).
enum ButtonStyle : int {
  kButtonAutomatic = 0,
  kButtonIcon = 1,
  kButtonCaption = 2,
  kButtonIconAndCaption = 3,
};

// What the user may not change on a bar (CommandBar::Protection, bit flags).
enum BarProtection : int {
  kBarNoProtection = 0,
  kBarNoCustomize = 1,
  kBarNoResize = 2,
  kBarNoMove = 4,
};

// The id of a control that is not a built-in command.
inline constexpr int kCustomControlId = 1;
// Built-in controls the add-in looks up.
inline constexpr int kHostApplicationControlId = 106;  // caption names the host ("Microsoft Excel")
inline constexpr int kCompileControlId = 578;          // compiles the project; disabled once compiled

// Runs when the user clicks a control: the control and whether to skip the
// control's built-in action (left unchanged by most handlers).
using ClickHandler = std::function<void(const CommandBarControlPtr& ctrl, bool& cancelDefault)>;

class CommandBarControl {
 public:
  virtual ~CommandBarControl() = default;
  virtual int Type() const = 0;
  virtual int Id() const = 0;
  virtual std::string Caption() const = 0;
  virtual void Caption(const std::string& caption) = 0;
  virtual bool Enabled() const = 0;
  virtual void Enabled(bool enabled) = 0;
  // Draws a separator before the control.
  virtual bool BeginGroup() const = 0;
  virtual void BeginGroup(bool beginGroup) = 0;
  virtual std::string TooltipText() const = 0;
  virtual void TooltipText(const std::string& text) = 0;
  // Button picture and style (buttons only; other kinds raise).
  virtual int FaceId() const = 0;
  virtual void FaceId(int faceId) = 0;
  virtual int Style() const = 0;
  virtual void Style(int style) = 0;
  // Removes the control from its bar.
  virtual void Delete() = 0;
  // Runs the control as a click of the user would: the click handlers, then
  // the built-in action unless a handler cancelled it.
  virtual void Execute() = 0;
  // The click event: a handler runs on every click until it is disconnected
  // with the cookie returned here.
  virtual int ConnectClick(ClickHandler handler) = 0;
  virtual void DisconnectClick(int cookie) = 0;
};

class CommandBarControls {
 public:
  virtual ~CommandBarControls() = default;
  virtual int Count() const = 0;
  // The control at a position from 1; raises outside 1..Count().
  virtual CommandBarControlPtr Item(int index) const = 0;
  // Adds a control at the end: a new one of the type (id kCustomControlId),
  // or a copy of the built-in control with that id (raises for an unknown id).
  virtual CommandBarControlPtr Add(int type, int id = kCustomControlId) = 0;
};

class CommandBar {
 public:
  virtual ~CommandBar() = default;
  virtual std::string Name() const = 0;
  virtual int Position() const = 0;
  // A temporary bar is gone when the host closes.
  virtual bool Temporary() const = 0;
  virtual bool Visible() const = 0;
  virtual void Visible(bool visible) = 0;
  // The docking row (docked bars); bars of one row are ordered by Left.
  virtual int RowIndex() const = 0;
  virtual void RowIndex(int rowIndex) = 0;
  virtual int Left() const = 0;
  virtual void Left(int left) = 0;
  virtual int Width() const = 0;
  virtual int Protection() const = 0;
  virtual void Protection(int protection) = 0;
  virtual CommandBarControlsPtr Controls() const = 0;
  // Removes the bar and its controls from the host.
  virtual void Delete() = 0;
};

class CommandBars {
 public:
  virtual ~CommandBars() = default;
  // Every bar, in the host's order.
  virtual std::vector<CommandBarPtr> Bars() const = 0;
  // The bar of that name (compared without case); raises when there is none.
  virtual CommandBarPtr Item(const std::string& name) const = 0;
  // A new bar; raises when a bar of that name exists already.
  virtual CommandBarPtr Add(const std::string& name, int position, bool menuBar, bool temporary) = 0;
  // The first control with that id (and type, when given) on any bar; none
  // when there is no such control.
  virtual CommandBarControlPtr FindControl(std::optional<int> type, int id) const = 0;
};

}  // namespace qm
