// Windows and code panes of the in-memory editor. A window is a plain record
// of what the editor and window detection read; a code pane keeps a selection
// and, when shown, asks its editor to make it the active pane and bring its
// code window to the top.
#include "editor/memory_windows.h"

#include <atomic>

#include "editor/memory_code_module.h"
#include "editor/memory_editor.h"

namespace qm::editor {

long long NextWindowHandle() {
  static std::atomic<long long> next{0x10010};
  return next.fetch_add(0x10);
}

MemoryWindow::MemoryWindow(int type, std::string caption, std::string className, long long handle)
    : type_(type), caption_(std::move(caption)), className_(std::move(className)), handle_(handle) {}

std::string MemoryWindow::Caption() const { return captionSource_ ? captionSource_() : caption_; }

void MemoryWindow::SetGeometry(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
}

int MemoryWindow::Width() const {
  return Maximized() ? kMaximizedExtent.right - kMaximizedExtent.left : width_;
}

int MemoryWindow::Height() const {
  return Maximized() ? kMaximizedExtent.bottom - kMaximizedExtent.top : height_;
}

void MemoryWindow::SetNormalRect(const platform::WindowRect& rect) {
  SetGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

std::string MemoryWindow::SystemText() const {
  const std::string caption = Caption();
  if (!Maximized() || className_ != kCodeWindowClass) return caption;
  const size_t cut = caption.rfind(" - ");
  return cut == std::string::npos ? caption : caption.substr(cut + 3);
}

MemoryCodePane::MemoryCodePane(std::weak_ptr<MemoryCodeModule> module, MemoryWindowPtr window)
    : module_(std::move(module)), window_(std::move(window)) {}

void MemoryCodePane::GetSelection(int& startLine, int& startColumn, int& endLine, int& endColumn) const {
  startLine = startLine_;
  startColumn = startColumn_;
  endLine = endLine_;
  endColumn = endColumn_;
}

CodeModulePtr MemoryCodePane::CodeModule() const { return module_.lock(); }

void MemoryCodePane::Show() {
  std::shared_ptr<MemoryVBE> editor = editor_.lock();
  if (!editor) return;
  editor->ActivatePane(shared_from_this());
}

void MemoryCodePane::SetSelection(int startLine, int startColumn, int endLine, int endColumn) {
  startLine_ = startLine;
  startColumn_ = startColumn;
  endLine_ = endLine;
  endColumn_ = endColumn;
}

}  // namespace qm::editor
