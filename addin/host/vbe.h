// The editor's object model as the add-in sees it: the only operations the
// add-in calls, behind interfaces that each host implements (the in-memory
// editor of editor/, a desktop host, tests). Objects are shared references;
// "none" is an empty pointer. Operations that the editor lets fail raise
// VbaError. Line and column numbers start at 1.
//
// Calling protocol: everything starts from VBEInstance (addin/common/globals.h).
//   VBE → VBProjects / ActiveVBProject → VBComponents → CodeModule → Lines…
//   VBE → ActiveCodePane / SelectedVBComponent; VBE → Windows / MainWindow.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "addin/common/vba_error.h"

namespace qm {

class Window;
class VBProject;
class VBComponent;
class CodeModule;
class CodePane;
class CommandBars;  // the host's command bars: addin/host/command_bars.h

using WindowPtr = std::shared_ptr<Window>;
using VBProjectPtr = std::shared_ptr<VBProject>;
using VBComponentPtr = std::shared_ptr<VBComponent>;
using CodeModulePtr = std::shared_ptr<CodeModule>;
using CodePanePtr = std::shared_ptr<CodePane>;
using CommandBarsPtr = std::shared_ptr<CommandBars>;

// Kinds of a component (VBComponent::Type).
enum ComponentKind : int {
  kStdModule = 1,
  kClassModule = 2,
  kMSForm = 3,
  kDesigner = 11,
  kDocument = 100,
};

// Kinds of a procedure (ProcOfLine, ProcStartLine, ProcCountLines).
enum ProcKind : int {
  kProcProc = 0,  // Sub or Function
  kProcLet = 1,   // Property Let
  kProcSet = 2,   // Property Set
  kProcGet = 3,   // Property Get
};

// Window types and states (Window::Type, Window::WindowState).
enum WindowKind : int { kWindowCodeWindow = 0, kWindowDesigner = 1 };
enum WindowStateKind : int { kWindowNormal = 0, kWindowMinimized = 1, kWindowMaximized = 2 };

class Window {
 public:
  virtual ~Window() = default;
  virtual std::string Caption() const = 0;
  virtual long long HWnd() const = 0;
  virtual void Visible(bool visible) = 0;
  virtual int Type() const = 0;
  virtual int WindowState() const = 0;
  virtual void WindowState(int state) = 0;
  virtual int Left() const = 0;
  virtual void Left(int left) = 0;
  virtual int Top() const = 0;
  virtual void Top(int top) = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
};

class CodePane {
 public:
  virtual ~CodePane() = default;
  // The selection: first line, first column, last line, last column.
  virtual void GetSelection(int& startLine, int& startColumn, int& endLine, int& endColumn) const = 0;
  virtual CodeModulePtr CodeModule() const = 0;
  // Makes this the editor's active code pane.
  virtual void Show() = 0;
};

class CodeModule {
 public:
  virtual ~CodeModule() = default;
  virtual int CountOfLines() const = 0;
  // Lines first..first+count-1 joined by CR LF.
  virtual std::string Lines(int first, int count) const = 0;
  // The name of the procedure that holds the line, and its kind; an empty
  // name for a line of the declarations.
  virtual std::string ProcOfLine(int line, int& kind) const = 0;
  // First line and line count of the procedure's range (the comment and blank
  // lines above its first statement included); raise when the module has no
  // procedure of that name and kind.
  virtual int ProcStartLine(const std::string& name, int kind) const = 0;
  virtual int ProcCountLines(const std::string& name, int kind) const = 0;
  virtual int CountOfDeclarationLines() const = 0;
  virtual CodePanePtr CodePane() const = 0;
};

class VBComponent {
 public:
  virtual ~VBComponent() = default;
  virtual std::string Name() const = 0;
  virtual int Type() const = 0;
  // None for a component without code.
  virtual CodeModulePtr CodeModule() const = 0;
  // Properties(name).Value: "FullName" reads only on the component that stands
  // for the host document (others raise); "Name" gives the document's name.
  virtual std::string Property(const std::string& name) const = 0;
};

class VBProject {
 public:
  virtual ~VBProject() = default;
  virtual std::string Name() const = 0;
  virtual std::vector<VBComponentPtr> VBComponents() const = 0;
  // VBComponents(name): raises when no component has that name.
  virtual VBComponentPtr VBComponent(const std::string& name) const = 0;
  // Full path of the project's file; raises when the project has no file.
  virtual std::string FileName() const = 0;
};

class VBE {
 public:
  virtual ~VBE() = default;
  virtual std::string Version() const = 0;
  virtual std::vector<VBProjectPtr> VBProjects() const = 0;
  virtual std::vector<WindowPtr> Windows() const = 0;
  virtual CommandBarsPtr CommandBars() const = 0;
  virtual VBProjectPtr ActiveVBProject() const = 0;
  virtual VBComponentPtr SelectedVBComponent() const = 0;
  virtual CodePanePtr ActiveCodePane() const = 0;
  virtual WindowPtr MainWindow() const = 0;
};

}  // namespace qm
