// A fluent builder of in-memory editors for tests and hosts. Each call acts on
// the editor at once, on the project and component named last, so calls read
// in the order a user would have left the editor:
//
//   auto vbe = FakeEditor()
//                  .project("VBAProject", "/w/Book1.xlsm")        // document Book1.xlsm
//                  .module("ThisWorkbook", kDocument, "")         // stands for the document
//                  .module("Module1", kStdModule, "Sub A()\r\nEnd Sub")
//                  .selected().selection(1, 1, 2, 1).shown()
//                  .build();
//
// Windows open on top of the ones opened before; shown() also makes the pane
// the active one.
#pragma once

#include <string>

#include "editor/memory_editor.h"

namespace qm::editor {

class FakeEditor {
 public:
  FakeEditor();

  FakeEditor& version(std::string text);
  // A new project; the host document's name defaults to the file part of the
  // file (none without a file). The first project is the active one.
  FakeEditor& project(std::string name, std::string fileName = "");
  FakeEditor& project(std::string name, std::string fileName, std::string documentName);
  // A component with a code module holding text.
  FakeEditor& module(std::string name, int kind, std::string_view text);
  // A component without a code module.
  FakeEditor& component(std::string name, int kind);
  // The last component becomes the selected one, its project the active one.
  FakeEditor& selected();
  // The last project becomes the active one.
  FakeEditor& active();
  // The selection in the last component's code pane.
  FakeEditor& selection(int startLine, int startColumn, int endLine, int endColumn);
  FakeEditor& caret(int line, int column = 1);
  // Opens the last component's code window on top, in that state.
  FakeEditor& codeWindow(int state = kWindowNormal);
  // Opens the code window on top and makes its pane the active code pane;
  // state -1 leaves the state as the editor makes it.
  FakeEditor& shown(int state = -1);
  // Opens the last component's designer window on top.
  FakeEditor& designer(int state = kWindowNormal);
  // Opens a docking view on top (floating views have a system menu).
  FakeEditor& dockingView(std::string caption, bool floating = false);
  // Makes the last component's CountOfLines raise.
  FakeEditor& failingLineCount();
  // The caption of the host control 106, which names the host application.
  FakeEditor& host(std::string caption);
  // Whether the project counts as compiled (the compile control 578 disabled).
  FakeEditor& compiled(bool compiled = true);

  MemoryVBEPtr build() const { return editor_; }
  // The last project and component, for further set-up by hand.
  const MemoryProjectPtr& lastProject() const { return project_; }
  const MemoryComponentPtr& lastComponent() const { return component_; }

 private:
  // The last component's code module; raises when it has none.
  const MemoryCodeModulePtr& LastModule() const;

  MemoryVBEPtr editor_;
  MemoryProjectPtr project_;      // named last
  MemoryComponentPtr component_;  // named last
};

}  // namespace qm::editor
