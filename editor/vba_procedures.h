// The procedure analysis of one module text, as the editor answers it through
// its code module: which procedure holds a line, where a procedure's range
// starts and how many lines it has, and how many lines the declarations take.
//
// Calling protocol: build one ProcedureMap from a module's lines (analysed
// once, in one pass), then ask it as often as needed; every query is a lookup.
// Build a new map whenever the text changes. Line numbers start at 1.
//
// Ranges: the declarations run from line 1 to the last statement line before
// the first procedure header; the comment and blank lines leading into a
// procedure belong to it, so each range starts right after the previous
// procedure's End line (or after the declarations); the lines after the last
// End belong to the last procedure.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "addin/host/vbe.h"
#include "editor/module_lines.h"

namespace qm::editor {

// The role of a word in a procedure header or End statement.
enum class ProcWordRole {
  kModifier,      // may precede the opener: Public, Private, Friend, Static
  kOpener,        // Sub, Function, Property
  kPropertyKind,  // Get, Let, Set after Property
  kEnd,           // End
  kRemark,        // Rem: the rest of the line is a comment
};

struct ProcWord {
  std::string_view word;  // as written in the editor; compared without case
  ProcWordRole role;
  int kind;  // ProcKind for openers without a property kind and for property kinds; -1 otherwise
};

// The vocabulary of procedure headers and End statements; the one table.
inline constexpr ProcWord kProcedureWords[] = {
    {"Public", ProcWordRole::kModifier, -1},   {"Private", ProcWordRole::kModifier, -1},
    {"Friend", ProcWordRole::kModifier, -1},   {"Static", ProcWordRole::kModifier, -1},
    {"Sub", ProcWordRole::kOpener, kProcProc},         {"Function", ProcWordRole::kOpener, kProcProc},
    {"Property", ProcWordRole::kOpener, -1},   {"Get", ProcWordRole::kPropertyKind, kProcGet},
    {"Let", ProcWordRole::kPropertyKind, kProcLet},   {"Set", ProcWordRole::kPropertyKind, kProcSet},
    {"End", ProcWordRole::kEnd, -1},           {"Rem", ProcWordRole::kRemark, -1},
};

// One procedure of a module and its range.
struct ProcedureRange {
  std::string name;    // as written in the header
  int kind = 0;        // ProcKind: 0 Sub or Function, 1 Let, 2 Set, 3 Get
  int startLine = 0;   // first line of the range (comments above the header included)
  int headerLine = 0;  // first line of the header statement
  int endLine = 0;     // last line of the range
  int CountLines() const { return endLine - startLine + 1; }
};

class ProcedureMap {
 public:
  // Analyses the module's physical lines.
  explicit ProcedureMap(const ModuleLines& lines);

  // Lines 1..n that make the declarations section (0 when there is none).
  int CountOfDeclarationLines() const { return declarationLines_; }
  // The procedure whose range holds the line; none for a declaration line or a
  // line outside the module.
  const ProcedureRange* ProcedureAt(int line) const;
  // The first procedure of that name (compared without case) and kind; none
  // when the module has no such procedure.
  const ProcedureRange* Find(std::string_view name, int kind) const;
  // Every procedure in the order of the text.
  const std::vector<ProcedureRange>& Procedures() const { return procedures_; }

 private:
  // Reads the statements of the logical line made of physical lines
  // first..last, opening and closing procedures (open: the one whose End is
  // not yet met, -1 for none); true when a statement is code.
  bool ReadStatements(const std::vector<std::string_view>& statements, int first, int last, int& open);
  void CloseRanges(int lineCount, int lastDeclarationCode, int lastNonBlank);
  void BuildIndex();

  struct IndexEntry {
    uint32_t key;        // hash of kind and name without case
    uint32_t procedure;  // position in procedures_
  };
  bool IsLastStartingBy(size_t index, int line) const;

  int declarationLines_ = 0;                     // size of the declarations section
  std::vector<ProcedureRange> procedures_;       // in text order, ranges tiling the rest
  std::vector<IndexEntry> index_;                // by key, text order among equal keys
  mutable size_t lastFound_ = 0;                 // the procedure ProcedureAt found last
};

// True when two names are the same VBA name (compared without case).
bool SameVbaName(std::string_view a, std::string_view b);

// True when the physical line continues on the next one (ends in " _").
bool ContinuesOnNextLine(std::string_view line);

}  // namespace qm::editor
