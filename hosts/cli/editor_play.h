// The editor quillmark plays: the sources loaded into the in-memory editor
// and the editor left as a user leaves it before clicking the add-in's
// button — the component selected in the project window, its code window in
// front with the selection in its pane, the project compiled. An Office
// document's extension decides the host application the editor belongs to.
#pragma once

#include <string>
#include <vector>

#include "editor/load/loaded_project.h"
#include "editor/memory_editor.h"
#include "hosts/cli/cli_options.h"

namespace qm::cli {

// Loads the sources; raises editor::LoadError ("<file>: <what>").
editor::LoadedProject LoadSources(const CliOptions& options);

// The file name the project gets so that the add-in's default output lands
// beside the sources: an Office document's own path; for a folder the
// folder's path (its name is the base name); for one exported file that
// file; for several files "VBAProject" in the folder of the first. A name
// with a dot gets a trailing dot, so that stripping the extension gives the
// whole name back.
std::string ProjectFileFor(const std::vector<std::string>& sources, const editor::LoadedProject& project);

struct PlayedEditor {
  editor::MemoryVBEPtr vbe;
  editor::MemoryComponentPtr selected;  // none when the project has no component
  std::string problem;                  // a usage problem; the editor is not set up then
};

// Builds the editor from the loaded project and sets it up as the options
// say (module, selection, compile state, the window in front).
PlayedEditor PlayEditor(editor::LoadedProject project, const CliOptions& options);

}  // namespace qm::cli
