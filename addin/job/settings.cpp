// The editor's settings for one command and the remembered dialog state.
// Everything the editor keeps is read through ReadRegValue under its key in
// HKEY_CURRENT_USER; the colour lists are turned into the job's colours with
// PaletteColor, position by position, "automatic" falling back to the
// standard scheme. RememberedSettings is created once, with the registry's
// font height and separator setting, and afterwards only its colour flags
// follow the editor, until a finished job is copied back into it.
#include "addin/job/settings.h"

#include <array>
#include <memory>

#include "addin/common/globals.h"
#include "addin/common/vba_error.h"
#include "addin/host/editor_settings_key.h"
#include "addin/job/palette.h"
#include "addin/job/reg_value.h"
#include "addin/job/vb_code.h"

namespace qm {

namespace {

constexpr platform::Hive kEditorHive = platform::Hive::CurrentUser;
constexpr long kErrObjectVariableNotSet = 91;

using Colors = std::array<std::string, 4>;  // normal, keyword, comment, identifier

// The four colours of one editor list, or the defaults when the list is empty.
Colors ListColors(const char* valueName, const std::array<const char*, 4>& defaults) {
  const std::string list = ReadRegText(kEditorHive, kEditorSettingsKey, valueName, "");
  Colors colors;
  for (size_t i = 0; i < colors.size(); ++i) {
    colors[i] = list.empty() ? defaults[i] : PaletteColor(list, kCategoryListPositions[i], defaults[i]);
  }
  return colors;
}

bool IsScheme(const Colors& colors, const std::array<const char*, 4>& scheme) {
  for (size_t i = 0; i < colors.size(); ++i) {
    if (colors[i] != scheme[i]) return false;
  }
  return true;
}

}  // namespace

void ReadEditorTabWidth(clsVBCode& job) {
  job.TabWidth(ReadRegLong(kEditorHive, kEditorSettingsKey, kRegTabWidth, kDefaultTabWidth));
}

void ReadEditorFontFace(clsVBCode& job) {
  job.FontFace(ReadRegText(kEditorHive, kEditorSettingsKey, kRegFontFace, kDefaultFontFace));
}

bool ReadEditorColors(clsVBCode& job) {
  // Each category's default background is white, as in the standard scheme.
  const Colors back = ListColors(kRegCodeBackColors, kStandardBackColors);
  job.SetBackColors(back[0], back[1], back[2], back[3]);
  const Colors fore = ListColors(kRegCodeForeColors, kStandardForeColors);
  job.SetForeColors(fore[0], fore[1], fore[2], fore[3]);
  return IsScheme(back, kStandardBackColors) && IsScheme(fore, kStandardForeColors);
}

bool ReadEditorSettings(clsVBCode& job) {
  ReadEditorTabWidth(job);
  ReadEditorFontFace(job);
  return ReadEditorColors(job);
}

void PrepareRememberedSettings(bool defaultColors) {
  if (!RememberedSettings) {
    auto settings = std::make_shared<clsSettings>();
    settings->FontSize(ReadRegLong(kEditorHive, kEditorSettingsKey, kRegFontHeight, kDefaultFontHeight));
    settings->EndProcLine(ReadRegLong(kEditorHive, kEditorSettingsKey, kRegEndProcLine, kDefaultEndProcLine) == 1);
    settings->HeldFontSize(settings->FontSize());
    settings->HeldEndProcLine(settings->EndProcLine());
    settings->DefaultColors(defaultColors);
    settings->UseNormalColor(defaultColors);
    settings->WasDefaultColors(defaultColors);
    RememberedSettings = std::move(settings);  // only once the registry reads succeeded
    return;
  }
  clsSettings& settings = *RememberedSettings;
  settings.DefaultColors(defaultColors);
  if (defaultColors) {
    settings.WasDefaultColors(true);
  } else if (settings.WasDefaultColors()) {
    settings.UseNormalColor(false);
  }
}

void ApplyStandardColors(clsVBCode& job) {
  const auto& f = kStandardForeColors;
  const auto& b = kStandardBackColors;
  job.SetForeColors(f[0], f[1], f[2], f[3]);
  job.SetBackColors(b[0], b[1], b[2], b[3]);
}

void RememberJob(const clsVBCode& job) {
  if (!RememberedSettings) throw VbaError(kErrObjectVariableNotSet, "オブジェクト変数が設定されていません。");
  clsSettings& s = *RememberedSettings;
  s.BodyOnly(job.BodyOnly());
  s.FontSize(job.FontSize());
  s.EndProcLine(job.EndProcLine());
  s.IgnoreCharSet(job.IgnoreCharSet());
  s.HeldBodyOnly(job.HeldBodyOnly());
  s.HeldEndProcLine(job.HeldEndProcLine());
  s.LastFolder(job.RememberFolder() ? job.OutputFolder() : std::string());
  s.HeldFontSize(job.HeldFontSize());
  s.LastProjectTitle(job.ProjectTitle());
  s.HeldCssOption(job.HeldCssOption());
  s.Operation(job.Operation());
  s.TargetMode(job.TargetMode());
  s.UseNormalColor(job.UseNormalColor());
  s.UsePreTag(job.UsePreTag());
  s.CssOption(job.CssOption());
  s.UseStyleSheet(job.UseStyleSheet());
  s.ShowModuleName(job.ShowModuleName());
  s.UseJavaScript(job.UseJavaScript());
}

}  // namespace qm
