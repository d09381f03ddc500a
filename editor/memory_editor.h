// The in-memory editor: the editor object model of addin/host/vbe.h kept in
// memory, filled by a host (from loaded projects) or by a test (through
// FakeEditor, editor/fake_editor.h).
//
// Calling protocol: create the editor with MemoryVBE::Create, add projects
// (AddProject), then set the editor's state as the user left it: the active
// project, the selected component, open windows and the active code pane.
// Objects are shared; a code pane shown while its project belongs to an
// editor becomes that editor's active pane.
//
// Captions follow the editor: a code window reads "<document> - <Module>
// (Code)", a designer "<document> - <Form> (UserForm)", where <document> is
// the host document's name, else the file part of the project's file, else
// the project's name. The main window reads kMainWindowTitle, then
// " - <document>" when the active project has a host document, then
// " - [<Module> (Code)]" while the top code window is maximised.
//
// The editor has its own command bars (editor/memory_command_bars.h); its
// windows appear to the window system through editor/editor_windows.h.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "addin/host/vbe.h"
#include "editor/load/loaded_project.h"
#include "editor/memory_code_module.h"
#include "editor/memory_command_bars.h"
#include "editor/memory_windows.h"

namespace qm::editor {

// The main window's title: 22 characters, so that with " - " the document's
// name starts at the 26th character of the caption.
inline constexpr const char* kMainWindowTitle = "Quillmark Macro Editor";

// The file part of a project path: the text after its last "\" or "/" (the
// whole path when it holds neither), whichever system the path comes from.
std::string FileNameOf(const std::string& path);

class MemoryComponent : public VBComponent {
 public:
  // module: none for a component without code.
  MemoryComponent(std::string name, int kind, MemoryCodeModulePtr module);

  std::string Name() const override { return name_; }
  int Type() const override { return kind_; }
  CodeModulePtr CodeModule() const override { return module_; }
  // Raises when the component has no property of that name.
  std::string Property(const std::string& name) const override;

  // Host side.
  const MemoryCodeModulePtr& Module() const { return module_; }
  void SetProperty(const std::string& name, std::string value);
  // The designer window, once opened.
  const MemoryWindowPtr& DesignerWindow() const { return designer_; }
  void SetDesignerWindow(MemoryWindowPtr window) { designer_ = std::move(window); }

 private:
  std::string name_;
  int kind_;                                      // ComponentKind
  MemoryCodeModulePtr module_;                    // none without code
  std::vector<std::pair<std::string, std::string>> properties_;  // name → value
  MemoryWindowPtr designer_;                        // none until opened
};

using MemoryComponentPtr = std::shared_ptr<MemoryComponent>;

class MemoryProject : public VBProject {
 public:
  // fileName empty: the project has no file; documentName empty: no host document.
  MemoryProject(std::string name, std::string fileName, std::string documentName);

  std::string Name() const override { return name_; }
  std::vector<VBComponentPtr> VBComponents() const override;
  // Raises "subscript out of range" when no component has that name.
  VBComponentPtr VBComponent(const std::string& name) const override;
  // Raises "path not found" when the project has no file.
  std::string FileName() const override;

  // Host side. The first document component stands for the host document
  // (when there is one): it answers "FullName" (the project's file, or the
  // document's name while it has no file) and "Name" (the document's name);
  // other document components answer only "Name" (their own name).
  // Adds a component last; an editor that holds the project is told by
  // MemoryVBE::AddComponent instead.
  void AddComponent(MemoryComponentPtr component);
  const std::string& DocumentName() const { return documentName_; }
  const std::string& FilePath() const { return fileName_; }
  // The document part of window captions.
  std::string CaptionName() const;
  // The component of that name (compared without case); none when absent.
  MemoryComponentPtr FindComponent(const std::string& name) const;
  const std::vector<MemoryComponentPtr>& Components() const { return components_; }

 private:
  std::string name_;
  std::string fileName_;      // empty: no file
  std::string documentName_;  // empty: no host document
  std::vector<MemoryComponentPtr> components_;
};

using MemoryProjectPtr = std::shared_ptr<MemoryProject>;

class MemoryVBE : public VBE, public std::enable_shared_from_this<MemoryVBE> {
 public:
  static std::shared_ptr<MemoryVBE> Create(std::string version = "6.00");

  std::string Version() const override { return version_; }
  std::vector<VBProjectPtr> VBProjects() const override;
  // Open windows, topmost first.
  std::vector<WindowPtr> Windows() const override;
  CommandBarsPtr CommandBars() const override { return commandBars_; }
  VBProjectPtr ActiveVBProject() const override { return activeProject_; }
  VBComponentPtr SelectedVBComponent() const override { return selected_; }
  CodePanePtr ActiveCodePane() const override { return activePane_; }
  WindowPtr MainWindow() const override { return mainWindow_; }

  // Host side.
  // Builds a project from a loader's record; every component has a code
  // module except a designer without text. The first project becomes active.
  MemoryProjectPtr AddProject(const LoadedProject& loaded);
  MemoryProjectPtr AddProject(MemoryProjectPtr project);
  // Adds a component to a project of this editor.
  void AddComponent(const MemoryProjectPtr& project, MemoryComponentPtr component);
  MemoryProjectPtr FindProject(const std::string& name) const;
  void SetVersion(std::string version) { version_ = std::move(version); }
  // The editor's own command bars (see editor/memory_command_bars.h).
  const MemoryCommandBarsPtr& MemoryBars() const { return memoryBars_; }
  // Replaces the bars the editor hands out; none makes CommandBars() none.
  void SetCommandBars(CommandBarsPtr bars) { commandBars_ = std::move(bars); }
  void SetActiveProject(MemoryProjectPtr project) { activeProject_ = std::move(project); }
  // Selects the component in the project window; its project becomes active.
  void SelectComponent(const MemoryComponentPtr& component);
  // Opens the pane's code window on top and makes the pane the active one; a
  // maximised top window passes its maximised state on, as in the editor.
  void ActivatePane(const MemoryCodePanePtr& pane);
  // Opens a window (or moves an open one) on top of the others.
  void OpenWindow(const MemoryWindowPtr& window);
  void CloseWindow(const MemoryWindowPtr& window);
  // Opens the designer window of a component on top and returns it.
  MemoryWindowPtr OpenDesigner(const MemoryComponentPtr& component);
  // Opens a docking view (project window, properties…) on top; a floating view
  // has a system menu, a docked one has none.
  MemoryWindowPtr OpenDockingView(std::string caption, bool floating);
  std::shared_ptr<MemoryWindow> MainMemoryWindow() const { return mainWindow_; }
  // The open windows, topmost first.
  const std::vector<MemoryWindowPtr>& WindowsInOrder() const { return windows_; }
  // The main window or the open window with that handle; none for another handle.
  MemoryWindowPtr WindowByHandle(long long handle) const;

 private:
  explicit MemoryVBE(std::string version);
  std::string MainCaption() const;
  MemoryProjectPtr ProjectOf(const MemoryComponentPtr& component) const;
  MemoryWindowPtr TopCodeOrDesignerWindow() const;
  void Adopt(const MemoryProject& project, const MemoryComponent& component);

  std::string version_;
  std::vector<MemoryProjectPtr> projects_;
  std::vector<MemoryWindowPtr> windows_;  // open windows, topmost first
  MemoryCommandBarsPtr memoryBars_;  // the editor's own bars
  CommandBarsPtr commandBars_;       // what CommandBars() gives: the own bars unless replaced
  MemoryProjectPtr activeProject_;
  MemoryComponentPtr selected_;
  MemoryCodePanePtr activePane_;
  std::shared_ptr<MemoryWindow> mainWindow_;
};

using MemoryVBEPtr = std::shared_ptr<MemoryVBE>;

}  // namespace qm::editor
