// The forms model: user forms and their controls, as the add-in's two modal
// windows use them.
//
// Calling protocol.
//   1. A form class derives from UserForm, adds its controls in its
//      constructor (Add returns a reference that stays valid for the form's
//      life) and registers its handlers by the event's name, control & "_" &
//      event: On("cmdOK_Click", ...), On("UserForm_Activate", ...).
//   2. Load() runs UserForm_Initialize once. Show() asks the installed form
//      host (platform/forms_host.h) for the modal display: it loads the form
//      when needed, makes it visible, runs UserForm_Activate, lets the user
//      act and returns when the form hides itself (Hide()).
//   3. Unload() runs UserForm_QueryClose (close mode kCloseFromCode) and,
//      unless a handler cancelled, UserForm_Terminate; the form's window goes.
//      A form destroyed without Unload runs no handler.
//
// Setting a value from code acts as the forms library does: Value, Text,
// ListIndex and SpinValue fire the control's handlers at once, and only when
// the value really changes:
//   check box      Change, then Click
//   option button  Change; when it became true, first the other options of
//                  its group become false (each firing its Change), then its
//                  own Click. A group is the GroupName, or else the container.
//   combo box      Change when the text changes; Click when the list position
//                  moves to an entry. ListIndex(-1) empties the text.
//   spin button    Change when the value changes (clamped to Min..Max).
// A handler may set values itself; the nested events fire at once too.
//
// Geometry is in points (float), from the top-left corner of the container's
// inside. AutoSize fits a label to its caption with the installed text
// metrics (platform/text_metrics.h): without word wrap to one line's width
// and height, with word wrap to the height of the text wrapped in the
// label's width. Fitting happens when AutoSize is set true and whenever the
// caption, font, width or word wrap changes while it is true.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_metrics.h"
#include "platform/windows.h"

namespace qm::platform {

enum class ControlKind { Label, OptionButton, CheckBox, ComboBox, SpinButton, Frame, Picture, CommandButton };
enum class SpecialEffect { Flat, Raised, Sunken, Etched, Bump };
enum class ScrollBars { None, Horizontal, Vertical, Both };
enum class ComboStyle { DropDownCombo, DropDownList };  // typed text allowed / list entries only
enum class Orientation { Vertical, Horizontal };         // spin button arrows
// Why a form closes: the user's close box, or Unload from code.
enum class CloseMode { kCloseFromControlMenu = 0, kCloseFromCode = 1 };

// Colours as the forms library stores them: 0x00BBGGRR, or a system colour
// (high bit set, the system colour index below it).
using Color = std::uint32_t;
constexpr Color Rgb(unsigned red, unsigned green, unsigned blue) { return red | (green << 8) | (blue << 16); }
inline constexpr Color kSysWindowText = 0x80000008;
inline constexpr Color kSysHighlight = 0x8000000D;
inline constexpr Color kSysButtonFace = 0x8000000F;
inline constexpr Color kSysButtonText = 0x80000012;

// A misuse of the forms model (unknown control, invalid list position,
// an action on a control the user cannot reach).
class FormError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The events each kind of control raises (one table, in forms.cpp).
bool ControlRaises(ControlKind kind, std::string_view event);

class UserForm;

class Control {
 public:
  Control(UserForm& form, Control* container, std::string name, ControlKind kind);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  ControlKind Kind() const { return kind_; }
  UserForm& Form() const { return form_; }
  Control* Container() const { return container_; }  // the frame holding it, nullptr for the form

  const std::string& Caption() const { return caption_; }
  void Caption(std::string caption);
  // The accelerator key: the letter in parentheses in the caption, as "(S)"; 0 when none.
  char Accelerator() const;
  // Check box and option button state; setting fires Change/Click (see above).
  bool Value() const { return value_; }
  void Value(bool value);
  // Combo box text; setting fires Change when it differs and moves the list
  // position to the first equal entry (-1 when none). A drop-down list takes
  // only the empty text or an entry's text (anything else throws FormError).
  const std::string& Text() const { return text_; }
  void Text(std::string text);
  // Combo box list.
  void AddItem(std::string item);
  void Clear();
  int ListCount() const { return static_cast<int>(list_.size()); }
  const std::string& List(int index) const;  // throws FormError outside 0..ListCount-1
  int ListIndex() const { return listIndex_; }
  void ListIndex(int index);  // -1 empties the text; throws FormError outside -1..ListCount-1
  ComboStyle Style() const { return style_; }
  void Style(ComboStyle style) { style_ = style; }
  int ListRows() const { return listRows_; }
  void ListRows(int rows) { listRows_ = rows; }
  // Spin button.
  long SpinValue() const { return spinValue_; }
  void SpinValue(long value);
  long Min() const { return min_; }
  void Min(long min) { min_ = min; }
  long Max() const { return max_; }
  void Max(long max) { max_ = max; }
  long SmallChange() const { return smallChange_; }
  void SmallChange(long step) { smallChange_ = step; }
  Orientation SpinOrientation() const { return orientation_; }
  void SpinOrientation(Orientation orientation) { orientation_ = orientation; }

  bool Enabled() const { return enabled_; }
  void Enabled(bool enabled) { enabled_ = enabled; }
  bool Visible() const { return visible_; }
  void Visible(bool visible) { visible_ = visible; }
  // True when the user can reach the control: it and every container enabled and visible.
  bool Usable() const;

  float Left() const { return left_; }
  void Left(float left) { left_ = left; }
  float Top() const { return top_; }
  void Top(float top) { top_ = top; }
  float Width() const { return width_; }
  void Width(float width);
  float Height() const { return height_; }
  void Height(float height) { height_ = height; }
  void Move(float left, float top, float width, float height);

  const FontSpec& Font() const { return font_; }
  void Font(FontSpec font);
  void FontSize(double size);
  void FontBold(bool bold);
  bool WordWrap() const { return wordWrap_; }
  void WordWrap(bool wrap);
  bool AutoSize() const { return autoSize_; }
  void AutoSize(bool autoSize);

  int TabIndex() const { return tabIndex_; }
  void TabIndex(int index) { tabIndex_ = index; }
  SpecialEffect Effect() const { return effect_; }
  void Effect(SpecialEffect effect) { effect_ = effect; }
  Color BackColor() const { return backColor_; }
  void BackColor(Color color) { backColor_ = color; }
  Color ForeColor() const { return foreColor_; }
  void ForeColor(Color color) { foreColor_ = color; }
  const std::string& Tag() const { return tag_; }
  void Tag(std::string tag) { tag_ = std::move(tag); }
  const std::string& GroupName() const { return groupName_; }
  void GroupName(std::string group) { groupName_ = std::move(group); }
  const std::string& Picture() const { return picture_; }  // name of the picture shown
  void Picture(std::string picture) { picture_ = std::move(picture); }
  // Command buttons: Enter presses the default button, Esc the cancel button.
  bool Default() const { return default_; }
  void Default(bool isDefault) { default_ = isDefault; }
  bool Cancel() const { return cancel_; }
  void Cancel(bool isCancel) { cancel_ = isCancel; }

  // Frames: the inside is the size less a 1.5-point border on each side
  // unless the effect is flat (and less one line for a caption).
  float InsideWidth() const;
  float InsideHeight() const;
  ScrollBars ScrollBarsShown() const { return scrollBars_; }
  void ScrollBarsShown(ScrollBars bars) { scrollBars_ = bars; }
  float ScrollHeight() const { return scrollHeight_; }
  void ScrollHeight(float height);
  // Clamped to 0..max(0, ScrollHeight - InsideHeight).
  float ScrollTop() const { return scrollTop_; }
  void ScrollTop(float top);

  // Moves the keyboard focus here; throws FormError when the user cannot reach the control.
  void SetFocus();

  // Runs the handler control & "_" & event when one is registered.
  void Fire(std::string_view event);

 private:
  void Fit();                  // AutoSize fitting
  void SetText(std::string text);  // text change with its Change event

  UserForm& form_;
  Control* container_;  // enclosing frame, nullptr for the form itself
  std::string name_;
  ControlKind kind_;
  std::string caption_, text_, tag_, groupName_, picture_;
  bool value_ = false;
  std::vector<std::string> list_;
  int listIndex_ = -1;
  ComboStyle style_ = ComboStyle::DropDownCombo;
  int listRows_ = 8;
  long spinValue_ = 0, min_ = 0, max_ = 100, smallChange_ = 1;
  Orientation orientation_ = Orientation::Vertical;
  bool enabled_ = true, visible_ = true;
  float left_ = 0, top_ = 0, width_ = 72, height_ = 18;
  FontSpec font_;
  bool wordWrap_ = false, autoSize_ = false;
  int tabIndex_ = 0;
  SpecialEffect effect_ = SpecialEffect::Flat;
  Color backColor_ = kSysButtonFace, foreColor_ = kSysButtonText;
  bool default_ = false, cancel_ = false;
  ScrollBars scrollBars_ = ScrollBars::None;
  float scrollHeight_ = 0, scrollTop_ = 0;
};

// A form's top-level window as a host shows it.
struct FormWindow {
  WindowHandle handle = 0;  // non-zero while the form is loaded
  std::uint32_t style = kWsCaption | kWsSysMenu;
  WindowProc proc = nullptr;  // the procedure chain's head; the forms' own procedure by default
  bool maximized = false;     // a title-bar double-click toggles it (through the procedure)
  bool HasCloseBox() const { return (style & kWsSysMenu) != 0; }
  bool Resizable() const { return (style & kWsThickFrame) != 0; }
};

// The forms' own window procedure: a title-bar double-click maximizes or
// restores, WM_CLOSE closes the form as the close box does; 0 for others.
std::intptr_t FormWindowProc(WindowHandle window, unsigned message, std::uintptr_t first, std::intptr_t second);
// The loaded form that owns a window; nullptr for none.
UserForm* FormOfWindow(WindowHandle window);
// The window of the form shown last and still visible; 0 when none.
WindowHandle ActiveFormWindow();

using QueryCloseHandler = std::function<void(bool& cancel, CloseMode mode)>;

class UserForm {
 public:
  explicit UserForm(std::string name);
  virtual ~UserForm();
  UserForm(const UserForm&) = delete;
  UserForm& operator=(const UserForm&) = delete;

  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void Caption(std::string caption) { caption_ = std::move(caption); }
  float InsideWidth() const { return insideWidth_; }
  void InsideWidth(float width) { insideWidth_ = width; }
  float InsideHeight() const { return insideHeight_; }
  void InsideHeight(float height) { insideHeight_ = height; }
  const FontSpec& Font() const { return font_; }
  void Font(FontSpec font) { font_ = std::move(font); }

  // Adds a control (inside a frame when container is given); names are unique.
  Control& Add(ControlKind kind, std::string name, Control* container = nullptr);
  // The control of that name; throws FormError when there is none.
  Control& operator[](std::string_view name) const;
  Control* Find(std::string_view name) const;
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

  // Registers the handler of control & "_" & event or "UserForm_" & event;
  // throws FormError for an unknown control or an event it does not raise.
  void On(std::string eventName, std::function<void()> handler);
  void OnQueryClose(QueryCloseHandler handler) { queryClose_ = std::move(handler); }
  // Runs a registered handler; false when none is registered.
  bool Fire(std::string_view eventName);

  bool Loaded() const { return window_.handle != 0; }
  void Load();         // creates the window and runs Initialize, once
  void Show();         // modal display through the installed form host
  void Hide();         // ends the modal display
  bool Unload();       // QueryClose (from code), then Terminate; false when a handler cancelled
  bool UserClose();    // the close box: QueryClose (control menu), then hide and Terminate
  bool Visible() const { return visible_; }
  void Activate();     // makes the form visible and active and runs Activate (hosts call it)
  FormWindow& Window() { return window_; }
  const FormWindow& Window() const { return window_; }

  // Option buttons in the same group as option (other than itself).
  std::vector<Control*> GroupOf(const Control& option) const;
  // The control that has the keyboard focus; nullptr before any took it.
  Control* ActiveControl() const { return activeControl_; }

 private:
  friend class Control;  // SetFocus records the active control

  bool Close(CloseMode mode);

  std::string name_;
  std::string caption_;
  float insideWidth_ = 240, insideHeight_ = 180;
  FontSpec font_;
  std::vector<std::unique_ptr<Control>> controls_;      // in the order added
  std::map<std::string, std::function<void()>, std::less<>> handlers_;  // by event name
  QueryCloseHandler queryClose_;
  FormWindow window_;
  bool visible_ = false;
  Control* activeControl_ = nullptr;  // has the keyboard focus
};

}  // namespace qm::platform
