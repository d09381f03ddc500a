// Windows and code panes of the in-memory editor. A window (code window,
// designer window, docking view, the main window) keeps, besides what the
// add-in reads through Window, what window detection needs from the host: the
// window class name, whether it has a system menu, whether it is open
// (listed among the editor's windows), and its text as the window system
// reads it. A code pane holds the selection of one code module and the code
// window that shows it.
//
// Geometry: a window keeps its normal-position rectangle (Left, Top, Width,
// Height while not maximised); while maximised, Left, Top, Width and Height
// report the editor's client area (kMaximizedExtent) and writes go to the
// normal position.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "addin/host/vbe.h"
#include "platform/windows.h"

namespace qm::editor {

// Window class names of the editor's windows.
inline constexpr const char* kCodeWindowClass = "VbaWindow";
inline constexpr const char* kDesignerWindowClass = "DesignerWindow";
inline constexpr const char* kDockingViewClass = "DockingView";
inline constexpr const char* kMainWindowClass = "wndclass_desked_gsk";

// Window types beyond code (0) and designer (1), for the other editor windows.
inline constexpr int kWindowProjectWindow = 6;
inline constexpr int kWindowMainWindow = 12;

// The area a maximised child window of the editor covers.
inline constexpr platform::WindowRect kMaximizedExtent{0, 0, 1016, 680};

// A new window handle, distinct from every other one handed out in this process.
long long NextWindowHandle();

class MemoryWindow : public Window {
 public:
  MemoryWindow(int type, std::string caption, std::string className, long long handle);

  std::string Caption() const override;
  long long HWnd() const override { return handle_; }
  void Visible(bool visible) override { visible_ = visible; }
  int Type() const override { return type_; }
  int WindowState() const override { return state_; }
  void WindowState(int state) override { state_ = state; }
  int Left() const override { return Maximized() ? kMaximizedExtent.left : left_; }
  void Left(int left) override { left_ = left; }
  int Top() const override { return Maximized() ? kMaximizedExtent.top : top_; }
  void Top(int top) override { top_ = top; }
  int Width() const override;
  int Height() const override;

  // Host side.
  bool IsVisible() const { return visible_; }
  const std::string& ClassName() const { return className_; }
  bool HasSystemMenu() const { return systemMenu_; }
  void SetSystemMenu(bool systemMenu) { systemMenu_ = systemMenu; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  // A caption computed when read (the main window's title follows the editor).
  void SetCaptionSource(std::function<std::string()> source) { captionSource_ = std::move(source); }
  void SetGeometry(int left, int top, int width, int height);
  bool Maximized() const { return state_ == kWindowMaximized; }
  // The normal-position rectangle, also while maximised or minimised.
  platform::WindowRect NormalRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  void SetNormalRect(const platform::WindowRect& rect);
  // The text the window system reads: the caption, except that a maximised
  // code window hands its document part to the main window's title and keeps
  // only "<Module> (Code)".
  std::string SystemText() const;
  bool IsOpen() const { return open_; }
  void SetOpen(bool open) { open_ = open; }

 private:
  int type_;                                    // WindowKind or another window type
  std::string caption_;                         // fixed caption
  std::function<std::string()> captionSource_;  // when set, computes the caption instead
  std::string className_;                       // the window class, for window detection
  long long handle_;                            // unique within one editor
  bool visible_ = true;
  bool systemMenu_ = true;
  bool open_ = false;  // listed among the editor's windows
  int state_ = kWindowNormal;
  int left_ = 0;
  int top_ = 0;
  int width_ = 600;
  int height_ = 400;
};

using MemoryWindowPtr = std::shared_ptr<MemoryWindow>;

class MemoryVBE;
class MemoryCodeModule;

class MemoryCodePane : public CodePane, public std::enable_shared_from_this<MemoryCodePane> {
 public:
  MemoryCodePane(std::weak_ptr<MemoryCodeModule> module, MemoryWindowPtr window);

  void GetSelection(int& startLine, int& startColumn, int& endLine, int& endColumn) const override;
  CodeModulePtr CodeModule() const override;
  // Makes this the editor's active pane and its window the top window; does
  // nothing while the module belongs to no editor.
  void Show() override;

  // Host side.
  void SetSelection(int startLine, int startColumn, int endLine, int endColumn);
  const MemoryWindowPtr& CodeWindow() const { return window_; }
  void AttachTo(std::weak_ptr<MemoryVBE> editor) { editor_ = std::move(editor); }

 private:
  std::weak_ptr<MemoryCodeModule> module_;  // the module shown (it owns this pane)
  MemoryWindowPtr window_;                  // the code window, open or not
  std::weak_ptr<MemoryVBE> editor_;         // the editor, once the project is added to one
  int startLine_ = 1;
  int startColumn_ = 1;
  int endLine_ = 1;
  int endColumn_ = 1;
};

using MemoryCodePanePtr = std::shared_ptr<MemoryCodePane>;

}  // namespace qm::editor
