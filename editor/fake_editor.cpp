// The fluent builder of in-memory editors: every call changes a live
// MemoryVBE at once, on the project and component named last. A component
// named before any project gets a project "VBAProject" without a file.
#include "editor/fake_editor.h"

#include <stdexcept>

namespace qm::editor {
FakeEditor::FakeEditor() : editor_(MemoryVBE::Create()) {}

FakeEditor& FakeEditor::version(std::string text) {
  editor_->SetVersion(std::move(text));
  return *this;
}

FakeEditor& FakeEditor::project(std::string name, std::string fileName) {
  std::string document = FileNameOf(fileName);
  return project(std::move(name), std::move(fileName), std::move(document));
}

FakeEditor& FakeEditor::project(std::string name, std::string fileName, std::string documentName) {
  project_ = editor_->AddProject(
      std::make_shared<MemoryProject>(std::move(name), std::move(fileName), std::move(documentName)));
  component_.reset();
  return *this;
}

FakeEditor& FakeEditor::module(std::string name, int kind, std::string_view text) {
  if (!project_) project("VBAProject");
  component_ = std::make_shared<MemoryComponent>(std::move(name), kind, MemoryCodeModule::Create(std::string(text)));
  editor_->AddComponent(project_, component_);
  return *this;
}

FakeEditor& FakeEditor::component(std::string name, int kind) {
  if (!project_) project("VBAProject");
  component_ = std::make_shared<MemoryComponent>(std::move(name), kind, nullptr);
  editor_->AddComponent(project_, component_);
  return *this;
}

FakeEditor& FakeEditor::selected() {
  if (!component_) throw std::logic_error("FakeEditor: no component to select");
  editor_->SelectComponent(component_);
  return *this;
}

FakeEditor& FakeEditor::active() {
  if (!project_) throw std::logic_error("FakeEditor: no project to activate");
  editor_->SetActiveProject(project_);
  return *this;
}

FakeEditor& FakeEditor::selection(int startLine, int startColumn, int endLine, int endColumn) {
  LastModule()->Pane()->SetSelection(startLine, startColumn, endLine, endColumn);
  return *this;
}

FakeEditor& FakeEditor::caret(int line, int column) { return selection(line, column, line, column); }

FakeEditor& FakeEditor::codeWindow(int state) {
  const MemoryWindowPtr& window = LastModule()->Pane()->CodeWindow();
  editor_->OpenWindow(window);
  window->WindowState(state);
  return *this;
}

FakeEditor& FakeEditor::shown(int state) {
  const MemoryCodePanePtr& pane = LastModule()->Pane();
  editor_->ActivatePane(pane);
  if (state >= 0) pane->CodeWindow()->WindowState(state);
  return *this;
}

FakeEditor& FakeEditor::designer(int state) {
  if (!component_) throw std::logic_error("FakeEditor: no component for a designer");
  editor_->OpenDesigner(component_)->WindowState(state);
  return *this;
}

FakeEditor& FakeEditor::dockingView(std::string caption, bool floating) {
  editor_->OpenDockingView(std::move(caption), floating);
  return *this;
}

FakeEditor& FakeEditor::failingLineCount() {
  LastModule()->SetCountOfLinesFails(true);
  return *this;
}

FakeEditor& FakeEditor::host(std::string caption) {
  editor_->MemoryBars()->SetHostCaption(std::move(caption));
  return *this;
}

FakeEditor& FakeEditor::compiled(bool compiled) {
  editor_->MemoryBars()->SetCompiled(compiled);
  return *this;
}

const MemoryCodeModulePtr& FakeEditor::LastModule() const {
  if (!component_ || !component_->Module()) throw std::logic_error("FakeEditor: the last component has no code");
  return component_->Module();
}

}  // namespace qm::editor
