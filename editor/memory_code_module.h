// The code module of the in-memory editor: the lines of one component (kept
// as ModuleLines), the procedure queries answered from a ProcedureMap that is
// built on the first query after the text changed, and the code pane that
// shows the module.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "addin/host/vbe.h"
#include "editor/memory_windows.h"
#include "editor/module_lines.h"
#include "editor/vba_procedures.h"

namespace qm::editor {

class MemoryCodeModule : public CodeModule, public std::enable_shared_from_this<MemoryCodeModule> {
 public:
  // A module holding text (lines split at CR LF, CR or LF, see ModuleLines),
  // with a code pane whose (not yet open) code window has the given caption.
  static std::shared_ptr<MemoryCodeModule> Create(std::string text, std::string windowCaption = "");

  // Raises when made to fail (SetCountOfLinesFails).
  int CountOfLines() const override;
  // Raises "subscript out of range" unless 1 <= first and the lines exist
  // (count 0 reads nothing from first = CountOfLines() + 1 too).
  std::string Lines(int first, int count) const override;
  // Raises for a line outside 1..CountOfLines() or made to fail.
  std::string ProcOfLine(int line, int& kind) const override;
  // Raise error 35 when the module has no procedure of that name and kind.
  int ProcStartLine(const std::string& name, int kind) const override;
  int ProcCountLines(const std::string& name, int kind) const override;
  int CountOfDeclarationLines() const override;
  CodePanePtr CodePane() const override { return pane_; }

  // Host side.
  void SetText(std::string text);
  // Replaces the text of one existing line (1-based).
  void ReplaceLine(int line, std::string_view text);
  // The lines, read without raising.
  const ModuleLines& AllLines() const { return lines_; }
  const MemoryCodePanePtr& Pane() const { return pane_; }
  // Makes CountOfLines raise, as the editor does for a module it cannot read.
  void SetCountOfLinesFails(bool fails) { countFails_ = fails; }
  // Makes ProcOfLine raise for that line.
  void SetProcOfLineFails(int line) { failingProcLines_.insert(line); }
  // The procedure analysis of the current text.
  const ProcedureMap& Procedures() const;

 private:
  MemoryCodeModule() = default;
  const ProcedureRange& FindProcedure(const std::string& name, int kind) const;

  ModuleLines lines_;                                    // the text and where its lines start
  mutable std::unique_ptr<ProcedureMap> procedures_;     // analysis of lines_; reset when they change
  MemoryCodePanePtr pane_;                               // created with the module
  bool countFails_ = false;
  std::set<int> failingProcLines_;  // lines whose ProcOfLine raises
};

using MemoryCodeModulePtr = std::shared_ptr<MemoryCodeModule>;

}  // namespace qm::editor
