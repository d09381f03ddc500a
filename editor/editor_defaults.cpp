// The editor's first-start settings: a missing settings key is created with
// the editor's default tab width, font, separator setting and colour lists,
// the numbers as 4-byte integers and the rest as texts, as the editor stores
// them.
#include "editor/editor_defaults.h"

#include <utility>

#include "addin/host/editor_settings_key.h"

namespace qm {

bool WriteEditorDefaults(platform::Registry& registry) {
  using platform::RegValue;
  constexpr auto kHive = platform::Hive::CurrentUser;
  if (registry.KeyExists(kHive, kEditorSettingsKey)) return true;
  const std::pair<const char*, RegValue> values[] = {
      {kRegTabWidth, RegValue::Dword(4)},
      {kRegFontFace, RegValue::Text("ＭＳ ゴシック")},
      {kRegFontHeight, RegValue::Dword(10)},
      {kRegEndProcLine, RegValue::Dword(1)},
      {kRegCodeForeColors, RegValue::Text(kEditorDefaultForeColors)},
      {kRegCodeBackColors, RegValue::Text(kEditorDefaultBackColors)},
  };
  for (const auto& [name, value] : values) {
    if (!registry.SetValue(kHive, kEditorSettingsKey, name, value)) {
      // Leave no half-written key behind, so the next start writes it again.
      registry.DeleteKey(kHive, kEditorSettingsKey);
      return false;
    }
  }
  return true;
}

}  // namespace qm
