// ConvertCommand: what the add-in's button runs. It checks that a module with
// code is selected, creates the job (CurrentJob), lists the project's
// components with code in conversion order, checks the work drive's free
// space, asks about an uncompiled project and about a module whose code
// window is not the active one, widens the editor selection over continued
// lines, finds the procedure around it, names the default output files,
// reads the editor settings, and then shows the options dialog (frmMain) and
// the progress window (frmProgress). After a run without failure it
// remembers the dialog state and, when asked, opens the saved file. Every
// error ends in the general error message; the job is released in every case.
//
// The command's steps live in convert_command.cpp; the selection, procedure
// and line rules in convert_selection.cpp; the component order, size
// estimate, compile state and output names in convert_prepare.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "addin/host/vbe.h"

namespace qm {

// ResolveProcedure's answers besides a procedure kind 0..3.
inline constexpr int32_t kProcDeclarations = -1;
inline constexpr int32_t kProcNone = -4137;
// The procedure name of the declarations section.
inline constexpr const char* kDeclarationsName = "(Declarations)";

// The whole command, started by the button's click on the editor's
// user-interface thread. Never raises.
void ConvertCommand();

// The selected component's name when the editor has an active project and a
// selected component whose code module has at least one line; otherwise the
// empty text after the reason was shown.
std::string CheckSelection();

// True when the editor's compile command (control 578) is disabled: the
// project is compiled. False when the control cannot be found or read.
bool IsProjectCompiled();

// The kind (0..3) of the procedure that holds lines first..last of the active
// code pane's module, with `name` its name and ProcKindSuffix; kProcDeclarations
// with "(Declarations)" when `last` lies in the declarations; kProcNone with
// an empty name when the lines do not lie within one procedure.
int32_t ResolveProcedure(int32_t first, int32_t last, std::string& name);

// "(PropertyLet)" for 1, "(PropertySet)" for 2, "(PropertyGet)" for 3, else "".
std::string ProcKindSuffix(int32_t kind);

// --- The command's rules, one by one

// Widens a raw editor selection to whole logical lines of `module`: a
// selection that ends in column 1 of a later line leaves that line out, and
// the range grows over lines continued with " _" in both directions, never
// past the module's first or last line.
void WidenSelection(const CodeModule& module, int32_t& first, int32_t firstColumn, int32_t& last,
                    int32_t lastColumn);

// True when lines first..last of the module hold anything besides spaces,
// ideographic spaces, continuation marks and line breaks.
bool IsUsableSelection(const CodeModule& module, int32_t first, int32_t last);

// The first line and line count of the procedure range that ResolveProcedure's
// `kind` stands for: the declarations, the procedure at line `first`, or 0, 0.
void ProcedureRange(const CodeModule& module, int32_t kind, int32_t first, int32_t& start, int32_t& count);

// The room one module's text may need on the work drive: its ANSI byte
// length, weighted by the characters that grow into markup (space 5, "&" 4,
// ">" 3, "<" 3, '"' 5, tab TabWidth × 5), times 5, rounded down to 512-byte
// blocks, plus one block. Raises VbaError 6 (overflow) beyond 32 bits.
int32_t ModuleSizeEstimate(const std::string& text, int32_t tabWidth);

// The conversion-order key of a component: its kind's digit (document 1,
// user form 2, standard module 3, class module 4, designer 5, other 9)
// followed by its name.
std::string ComponentSortKey(int kind, const std::string& name);

// Sorts keys ascending by plain character code (upper case before lower case).
void SortKeys(std::vector<std::string>& keys);

}  // namespace qm
