// The editor's settings on first start. The editor keeps its settings for the
// current user under HKEY_CURRENT_USER "Software\Microsoft\VBA\6.0\Common"
// (addin/host/editor_settings_key.h); when that key is missing, it writes its
// defaults there, as the real editor does the first time it runs.
#pragma once

#include "platform/registry.h"

namespace qm {

// The editor's default colour lists: sixteen palette numbers, one per text
// category (normal, selection, syntax error, execution point, breakpoint,
// comment, keyword, identifier, bookmark, call return, then unused), each
// followed by a space. Positions 1, 6, 7 and 8 give the standard scheme.
inline constexpr const char* kEditorDefaultForeColors = "0 0 5 0 1 10 14 0 0 0 0 0 0 0 0 0 ";
inline constexpr const char* kEditorDefaultBackColors = "0 0 0 7 6 0 0 0 0 0 0 0 0 0 0 0 ";

// Writes the editor's defaults (TabWidth 4, FontFace "ＭＳ ゴシック",
// FontHeight 10, EndProcLine 1 and the two colour lists) when the settings
// key is missing; an existing key is left exactly as it is, even when values
// are missing from it. False when a write failed (registry.LastError() says
// why); the partly written key is then removed again, so that the next start
// writes the defaults anew.
bool WriteEditorDefaults(platform::Registry& registry);

}  // namespace qm
