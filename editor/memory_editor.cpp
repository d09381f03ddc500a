// The in-memory editor's objects: components with their properties, projects
// with or without a file, and the editor that holds projects, windows in
// z-order (topmost first), the active project, the selected component and the
// active code pane. Projects come from a loader's record or are assembled by
// hand; each code pane is told its editor so that Show can activate it.
#include "editor/memory_editor.h"

#include <algorithm>

#include "editor/vba_procedures.h"

namespace qm::editor {
namespace {

// The part of a window caption after its last " - ".
std::string AfterLastDash(const std::string& caption) {
  const size_t cut = caption.rfind(" - ");
  return cut == std::string::npos ? caption : caption.substr(cut + 3);
}

bool IsCodeOrDesigner(const MemoryWindow& window) {
  return window.Type() == kWindowCodeWindow || window.Type() == kWindowDesigner;
}

}  // namespace

std::string FileNameOf(const std::string& path) {
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

MemoryComponent::MemoryComponent(std::string name, int kind, MemoryCodeModulePtr module)
    : name_(std::move(name)), kind_(kind), module_(std::move(module)) {}

std::string MemoryComponent::Property(const std::string& name) const {
  for (const auto& [key, value] : properties_) {
    if (SameVbaName(key, name)) return value;
  }
  throw VbaError(kErrInvalidProcedureCall, "プロシージャの呼び出し、または引数が不正です。");
}

void MemoryComponent::SetProperty(const std::string& name, std::string value) {
  for (auto& [key, old] : properties_) {
    if (SameVbaName(key, name)) {
      old = std::move(value);
      return;
    }
  }
  properties_.emplace_back(name, std::move(value));
}

MemoryProject::MemoryProject(std::string name, std::string fileName, std::string documentName)
    : name_(std::move(name)), fileName_(std::move(fileName)), documentName_(std::move(documentName)) {}

std::vector<VBComponentPtr> MemoryProject::VBComponents() const {
  return {components_.begin(), components_.end()};
}

VBComponentPtr MemoryProject::VBComponent(const std::string& name) const {
  MemoryComponentPtr component = FindComponent(name);
  if (!component) RaiseSubscriptOutOfRange();
  return component;
}

std::string MemoryProject::FileName() const {
  if (fileName_.empty()) throw VbaError(kErrPathNotFound, "パスが見つかりません。");
  return fileName_;
}

void MemoryProject::AddComponent(MemoryComponentPtr component) {
  if (component->Type() == kDocument) {
    const bool isHost = !documentName_.empty() &&
                        std::none_of(components_.begin(), components_.end(),
                                     [](const MemoryComponentPtr& c) { return c->Type() == kDocument; });
    if (isHost) component->SetProperty("FullName", fileName_.empty() ? documentName_ : fileName_);
    component->SetProperty("Name", isHost ? documentName_ : component->Name());
  }
  components_.push_back(std::move(component));
}

std::string MemoryProject::CaptionName() const {
  if (!documentName_.empty()) return documentName_;
  if (!fileName_.empty()) return FileNameOf(fileName_);
  return name_;
}

MemoryComponentPtr MemoryProject::FindComponent(const std::string& name) const {
  for (const MemoryComponentPtr& component : components_) {
    if (SameVbaName(component->Name(), name)) return component;
  }
  return nullptr;
}

std::shared_ptr<MemoryVBE> MemoryVBE::Create(std::string version) {
  std::shared_ptr<MemoryVBE> editor(new MemoryVBE(std::move(version)));
  std::weak_ptr<MemoryVBE> weak = editor;
  editor->mainWindow_->SetCaptionSource([weak] {
    std::shared_ptr<MemoryVBE> self = weak.lock();
    return self ? self->MainCaption() : std::string(kMainWindowTitle);
  });
  return editor;
}

MemoryVBE::MemoryVBE(std::string version)
    : version_(std::move(version)),
      memoryBars_(MemoryCommandBars::Create()),
      commandBars_(memoryBars_),
      mainWindow_(std::make_shared<MemoryWindow>(kWindowMainWindow, kMainWindowTitle, kMainWindowClass,
                                                 NextWindowHandle())) {
  mainWindow_->SetGeometry(0, 0, 1024, 768);
  mainWindow_->SetOpen(true);
}

std::vector<VBProjectPtr> MemoryVBE::VBProjects() const { return {projects_.begin(), projects_.end()}; }

std::vector<WindowPtr> MemoryVBE::Windows() const { return {windows_.begin(), windows_.end()}; }

MemoryProjectPtr MemoryVBE::AddProject(const LoadedProject& loaded) {
  auto project = std::make_shared<MemoryProject>(loaded.name, loaded.fileName, loaded.documentName);
  for (const LoadedModule& module : loaded.modules) {
    const bool hasCode = !(module.kind == kDesigner && module.text.empty());
    project->AddComponent(std::make_shared<MemoryComponent>(
        module.name, module.kind, hasCode ? MemoryCodeModule::Create(module.text) : nullptr));
  }
  return AddProject(std::move(project));
}

MemoryProjectPtr MemoryVBE::AddProject(MemoryProjectPtr project) {
  for (const MemoryComponentPtr& component : project->Components()) Adopt(*project, *component);
  projects_.push_back(project);
  if (!activeProject_) activeProject_ = project;
  return project;
}

void MemoryVBE::AddComponent(const MemoryProjectPtr& project, MemoryComponentPtr component) {
  Adopt(*project, *component);
  project->AddComponent(std::move(component));
}

// Captions the component's code window and lets its pane reach this editor.
void MemoryVBE::Adopt(const MemoryProject& project, const MemoryComponent& component) {
  if (!component.Module()) return;
  const MemoryCodePanePtr& pane = component.Module()->Pane();
  pane->CodeWindow()->SetCaption(project.CaptionName() + " - " + component.Name() + " (Code)");
  pane->AttachTo(weak_from_this());
}

MemoryProjectPtr MemoryVBE::FindProject(const std::string& name) const {
  for (const MemoryProjectPtr& project : projects_) {
    if (SameVbaName(project->Name(), name)) return project;
  }
  return nullptr;
}

void MemoryVBE::SelectComponent(const MemoryComponentPtr& component) {
  selected_ = component;
  if (MemoryProjectPtr owner = ProjectOf(component)) activeProject_ = owner;
}

void MemoryVBE::ActivatePane(const MemoryCodePanePtr& pane) {
  const MemoryWindowPtr& window = pane->CodeWindow();
  MemoryWindowPtr top = TopCodeOrDesignerWindow();
  if (top && top != window && top->WindowState() == kWindowMaximized) {
    top->WindowState(kWindowNormal);
    window->WindowState(kWindowMaximized);
  }
  OpenWindow(window);
  activePane_ = pane;
}

void MemoryVBE::OpenWindow(const MemoryWindowPtr& window) {
  std::erase(windows_, window);
  windows_.insert(windows_.begin(), window);
  window->SetOpen(true);
}

void MemoryVBE::CloseWindow(const MemoryWindowPtr& window) {
  std::erase(windows_, window);
  window->SetOpen(false);
  if (activePane_ && activePane_->CodeWindow() == window) activePane_.reset();
}

MemoryWindowPtr MemoryVBE::OpenDesigner(const MemoryComponentPtr& component) {
  if (!component->DesignerWindow()) {
    MemoryProjectPtr owner = ProjectOf(component);
    const std::string document = owner ? owner->CaptionName() : std::string();
    component->SetDesignerWindow(std::make_shared<MemoryWindow>(
        kWindowDesigner, document + " - " + component->Name() + " (UserForm)", kDesignerWindowClass,
        NextWindowHandle()));
  }
  OpenWindow(component->DesignerWindow());
  return component->DesignerWindow();
}

MemoryWindowPtr MemoryVBE::OpenDockingView(std::string caption, bool floating) {
  auto window = std::make_shared<MemoryWindow>(kWindowProjectWindow, std::move(caption), kDockingViewClass,
                                               NextWindowHandle());
  window->SetSystemMenu(floating);
  OpenWindow(window);
  return window;
}

MemoryWindowPtr MemoryVBE::WindowByHandle(long long handle) const {
  if (mainWindow_->HWnd() == handle) return mainWindow_;
  for (const MemoryWindowPtr& window : windows_) {
    if (window->HWnd() == handle) return window;
  }
  return nullptr;
}

std::string MemoryVBE::MainCaption() const {
  std::string caption = kMainWindowTitle;
  if (activeProject_ && !activeProject_->DocumentName().empty()) caption += " - " + activeProject_->DocumentName();
  MemoryWindowPtr top = TopCodeOrDesignerWindow();
  if (top && top->WindowState() == kWindowMaximized) caption += " - [" + AfterLastDash(top->Caption()) + "]";
  return caption;
}

MemoryProjectPtr MemoryVBE::ProjectOf(const MemoryComponentPtr& component) const {
  for (const MemoryProjectPtr& project : projects_) {
    const auto& components = project->Components();
    if (std::find(components.begin(), components.end(), component) != components.end()) return project;
  }
  return nullptr;
}

MemoryWindowPtr MemoryVBE::TopCodeOrDesignerWindow() const {
  for (const MemoryWindowPtr& window : windows_) {
    if (IsCodeOrDesigner(*window)) return window;
  }
  return nullptr;
}

}  // namespace qm::editor
