// A test world for the host layer: an in-memory editor made current as
// VBEInstance, its windows installed as the window service, and scripted
// message boxes. Everything is put back when the world goes.
#pragma once

#include <memory>
#include <optional>

#include "addin/common/globals.h"
#include "editor/editor_windows.h"
#include "editor/fake_editor.h"
#include "platform/fake/scripted_message_box.h"

namespace qm::test {

class ConnectedEditor {
 public:
  explicit ConnectedEditor(editor::MemoryVBEPtr vbe)
      : vbe_(std::move(vbe)), windows_(vbe_), useWindows_(windows_), useMessages_(messages_) {
    VBEInstance = vbe_;
  }
  ~ConnectedEditor() { VBEInstance.reset(); }
  ConnectedEditor(const ConnectedEditor&) = delete;
  ConnectedEditor& operator=(const ConnectedEditor&) = delete;

  const editor::MemoryVBEPtr& Vbe() const { return vbe_; }
  editor::EditorWindows& Windows() { return windows_; }
  platform::ScriptedMessageBox& Messages() { return messages_; }

 private:
  editor::MemoryVBEPtr vbe_;
  editor::EditorWindows windows_;
  platform::ScopedWindows useWindows_;
  platform::ScriptedMessageBox messages_;
  platform::ScopedMessageBox useMessages_;
};

}  // namespace qm::test
