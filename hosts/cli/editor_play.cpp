// Plays the editor: loads the sources with the project loaders, names the
// project's file so that the add-in proposes output beside the sources, then
// builds the in-memory editor and leaves it as a user would before a click:
// the component chosen with -m (else the first the add-in converts) selected
// in the project window, its code pane showing the --select selection in the
// window in front. The compile control follows --uncompiled, and
// --module-behind puts a floating project window in front of the code.
#include "hosts/cli/editor_play.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "addin/host/convert_command.h"
#include "editor/load/load_project.h"
#include "platform/codepage.h"

namespace qm::cli {

namespace {

namespace fs = std::filesystem;

// Host applications by document extension (lower case, without the dot).
struct HostOfExtension {
  const char* prefix;    // the extension begins with it: "xl" covers xls, xlsm, xlam …
  const char* caption;   // control 106's caption
  bool bareCaptionName;  // code windows name the document without its extension
};
constexpr HostOfExtension kHosts[] = {
    {"xl", "Microsoft Excel", false},       {"doc", "Microsoft Word", true},
    {"dot", "Microsoft Word", true},        {"pp", "Microsoft PowerPoint", false},
    {"pot", "Microsoft PowerPoint", false}, {"mdb", "Microsoft Access", true},
    {"accdb", "Microsoft Access", true},    {"pub", "Microsoft Publisher", false},
    {"vsd", "Microsoft Visio", false},
};
// The caption of control 106 for sources that are no Office document (the
// add-in then knows no host application).
constexpr const char* kNoHostCaption = "Quillmark";

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

fs::path Absolute(const std::string& path) {
  std::error_code error;
  fs::path absolute = fs::absolute(path, error).lexically_normal();
  if (absolute.has_parent_path() && absolute.filename().empty()) absolute = absolute.parent_path();  // "Book1/"
  return error ? fs::path(path) : absolute;
}

// The component the add-in converts first: by kind, then by name.
editor::MemoryComponentPtr FirstInConversionOrder(const editor::MemoryProject& project) {
  editor::MemoryComponentPtr first;
  std::string firstKey;
  for (const editor::MemoryComponentPtr& component : project.Components()) {
    if (!component->Module() || component->Module()->AllLines().Count() == 0) continue;
    const std::string key = ComponentSortKey(component->Type(), component->Name());
    if (!first || key < firstKey) {
      first = component;
      firstKey = key;
    }
  }
  return first ? first : (project.Components().empty() ? nullptr : project.Components().front());
}

// The names of the project's components, for a message.
std::string ComponentNames(const editor::MemoryProject& project) {
  std::string names;
  for (const editor::MemoryComponentPtr& component : project.Components()) {
    names += (names.empty() ? "" : ", ") + component->Name();
  }
  return names.empty() ? "none" : names;
}

// A problem with the selection for this module; empty when it fits.
std::string CheckSelection(const Selection& s, const editor::MemoryComponent& component) {
  if (!component.Module()) return {};
  const int lines = component.Module()->AllLines().Count();
  if (s.lastLine <= std::max(lines, 1)) return {};
  return "--select: " + component.Name() + " has " + std::to_string(lines) + " line" + (lines == 1 ? "" : "s");
}

// The host application of a document; nullptr for sources that are none.
const HostOfExtension* HostOf(const std::string& path) {
  std::string extension = Lower(fs::path(path).extension().string());
  if (!extension.empty()) extension.erase(0, 1);
  if (editor::IsExportedModuleFile(path) || extension.empty()) return nullptr;
  for (const HostOfExtension& host : kHosts) {
    if (extension.rfind(host.prefix, 0) == 0) return &host;
  }
  return nullptr;
}

// Word and Access name their document in code window captions without its
// extension ("Doc1 - Module1 (Code)").
void NameDocumentWithoutExtension(const editor::MemoryProject& project) {
  const std::string document = fs::path(project.CaptionName()).stem().string();
  for (const editor::MemoryComponentPtr& component : project.Components()) {
    if (component->Module()) {
      component->Module()->Pane()->CodeWindow()->SetCaption(document + " - " + component->Name() + " (Code)");
    }
  }
}

// Adds the loaded project to the editor module by module, letting go of each
// module's loaded text as soon as the editor holds it, so that the source is
// held once and not twice. As the editor does with a loaded project, every
// component gets a code module except a designer without text.
editor::MemoryProjectPtr AddProjectReleasingText(editor::MemoryVBE& vbe, editor::LoadedProject& loaded) {
  auto project = std::make_shared<editor::MemoryProject>(loaded.name, loaded.fileName, loaded.documentName);
  for (editor::LoadedModule& module : loaded.modules) {
    const bool hasCode = !(module.kind == kDesigner && module.text.empty());
    project->AddComponent(std::make_shared<editor::MemoryComponent>(
        module.name, module.kind, hasCode ? editor::MemoryCodeModule::Create(std::move(module.text)) : nullptr));
    std::string().swap(module.text);
  }
  return vbe.AddProject(std::move(project));
}

// The pane's selection for the options': a range that ends on a line without
// a column takes that whole line, as selecting whole lines in the editor
// ends at the start of the next line (or after the last line's text).
void SetPaneSelection(const editor::MemoryCodeModule& module, const Selection& s) {
  int lastLine = s.lastLine, lastColumn = s.lastColumn;
  const int count = module.AllLines().Count();
  if (s.wholeLastLine && lastLine < count) {
    lastLine += 1;
    lastColumn = 1;
  } else if (s.wholeLastLine && lastLine == count) {
    lastColumn = static_cast<int>(platform::CountCodePoints(module.AllLines().Line(count))) + 1;
  }
  module.Pane()->SetSelection(s.firstLine, s.firstColumn, lastLine, lastColumn);
}

}  // namespace

editor::LoadedProject LoadSources(const CliOptions& options) {
  return editor::LoadProject(options.sources, editor::LoadOptions{options.sourceCodePage});
}

std::string ProjectFileFor(const std::vector<std::string>& sources, const editor::LoadedProject& project) {
  if (!project.fileName.empty()) return project.fileName;
  if (sources.empty()) return {};
  const fs::path first = Absolute(sources.front());
  std::error_code error;
  fs::path file = first;
  if (!fs::is_directory(first, error) && sources.size() > 1) file = first.parent_path() / project.name;
  const std::string name = file.filename().string();
  // The add-in takes the base name as the name without its extension.
  if (fs::is_directory(first, error) && name.find('.') != std::string::npos) return file.string() + ".";
  return file.string();
}

PlayedEditor PlayEditor(editor::LoadedProject loaded, const CliOptions& options) {
  PlayedEditor played;
  loaded.fileName = ProjectFileFor(options.sources, loaded);
  const HostOfExtension* host = HostOf(options.sources.empty() ? std::string() : options.sources.front());
  played.vbe = editor::MemoryVBE::Create();
  played.vbe->MemoryBars()->SetHostCaption(host ? host->caption : kNoHostCaption);
  played.vbe->MemoryBars()->SetCompiled(!options.uncompiled);
  const editor::MemoryProjectPtr project = AddProjectReleasingText(*played.vbe, loaded);
  if (host && host->bareCaptionName) NameDocumentWithoutExtension(*project);

  played.selected = options.module.empty() ? FirstInConversionOrder(*project) : project->FindComponent(options.module);
  if (!played.selected) {
    played.problem = options.module.empty()
                         ? "the project has no component"
                         : "--module: no component " + options.module + " (the project has " +
                               ComponentNames(*project) + ")";
    return played;
  }
  if (played.problem = CheckSelection(options.selection, *played.selected); !played.problem.empty()) return played;

  played.vbe->SelectComponent(played.selected);
  if (const editor::MemoryCodeModulePtr& module = played.selected->Module()) {
    SetPaneSelection(*module, options.selection);
    played.vbe->ActivatePane(module->Pane());
  }
  if (options.moduleBehind) played.vbe->OpenDockingView("Project - " + project->Name(), true);
  return played;
}

}  // namespace qm::cli
