// Where the editor keeps its settings for the current user: the key under
// HKEY_CURRENT_USER and the names of the values in it. The editor writes them
// (editor/editor_defaults.h), the add-in reads them (addin/job/settings.h).
#pragma once

namespace qm {

inline constexpr const char* kEditorSettingsKey = "Software\\Microsoft\\VBA\\6.0\\Common";

inline constexpr const char* kRegTabWidth = "TabWidth";              // 4-byte integer, columns
inline constexpr const char* kRegFontFace = "FontFace";              // text
inline constexpr const char* kRegFontHeight = "FontHeight";          // 4-byte integer, points
inline constexpr const char* kRegEndProcLine = "EndProcLine";        // 4-byte integer, 1 = separators on
inline constexpr const char* kRegCodeForeColors = "CodeForeColors";  // text: palette numbers per text category
inline constexpr const char* kRegCodeBackColors = "CodeBackColors";  // text: palette numbers per text category

}  // namespace qm
