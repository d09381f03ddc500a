// A module's source as the editor shows it. Exported files and the module
// streams of an Office project both begin with a header the editor never
// shows: in an exported file an optional "VERSION …" line and, after it, a
// designer block "Begin … End" (class settings, a user form's controls),
// then the module attributes "Attribute VB_Name = …"; a module stream holds
// only the attribute lines. Further down, member attributes
// "Attribute <member>.VB_… = …" (procedure descriptions, WithEvents help ids)
// are hidden too. Every other line stays, in order, so the editor's line
// numbers are those of the shown text.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qm::editor {

// Component kinds of LoadedModule::kind.
inline constexpr int kKindStandard = 1;
inline constexpr int kKindClass = 2;
inline constexpr int kKindUserForm = 3;
inline constexpr int kKindDesigner = 11;
inline constexpr int kKindDocument = 100;

struct ModuleSource {
  std::vector<std::pair<std::string, std::string>> attributes;  // header attributes, values unquoted
  bool hasDesigner = false;  // a "Begin … End" block followed the VERSION line
  std::string text;          // the shown lines joined by CR LF, no final line break
};

// Splits UTF-8 source into header and shown text. An unterminated designer
// block raises LoadError naming origin.
ModuleSource ParseModuleSource(std::string_view utf8, std::string_view origin);

// The value of a header attribute ("VB_Name"), compared without case; empty when absent.
std::string AttributeValue(const ModuleSource& source, std::string_view name);

// The kind a class-like module's attributes give: user form (VB_Base naming
// the forms library's form class, or a form's own two GUIDs), document
// (VB_Base naming one host document class, with a predeclared id and not
// creatable), otherwise class.
int KindOfClassModule(const ModuleSource& source);

// The source as a module stream holds it: the exported file's text without
// its VERSION line and designer block; attribute lines stay. Lines end in CR LF.
std::string StreamSourceOfExport(std::string_view utf8);

// True for a name the editor accepts for a module or project: a letter first,
// then letters, digits and "_", at most 31 characters; non-ASCII letters
// (Japanese names) count as letters.
bool IsVbaIdentifier(std::string_view utf8);

// The lines of a text split at CR LF, LF or CR; a final line break ends the
// last line rather than starting an empty one.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace qm::editor
