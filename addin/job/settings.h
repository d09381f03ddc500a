// The editor settings of a conversion and the dialog state remembered between
// conversions.
//
// Calling protocol over one conversion command:
//   1. ReadEditorSettings(job): the editor's tab width, font face and the
//      eight colours from the registry into the job; returns DefaultColors
//      (the colours are exactly the standard scheme).
//   2. PrepareRememberedSettings(defaultColors): creates RememberedSettings
//      on the first command (initial values, "FontHeight" and "EndProcLine"
//      from the registry), or updates its colour flags on later ones.
//   3. After the dialog: ApplyStandardColors(job) when the job's
//      UseNormalColor is on.
//   4. After a run that reached its end: RememberJob(job).
// Nothing is ever written to the registry: the remembered state lives in
// memory only.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

class clsVBCode;

// The dialog state remembered between commands; each member has a read and a
// write operation of the same name and holds the value of the job member of
// the same name in the last job that ran to its end.
class clsSettings {
 public:
  int32_t Operation() const { return operation_; }
  void Operation(int32_t v) { operation_ = v; }
  bool BodyOnly() const { return bodyOnly_; }
  void BodyOnly(bool v) { bodyOnly_ = v; }
  int32_t TargetMode() const { return targetMode_; }
  void TargetMode(int32_t v) { targetMode_ = v; }
  bool UsePreTag() const { return usePreTag_; }
  void UsePreTag(bool v) { usePreTag_ = v; }
  int32_t CssOption() const { return cssOption_; }
  void CssOption(int32_t v) { cssOption_ = v; }
  int32_t FontSize() const { return fontSize_; }
  void FontSize(int32_t v) { fontSize_ = v; }
  bool UseStyleSheet() const { return useStyleSheet_; }
  void UseStyleSheet(bool v) { useStyleSheet_ = v; }
  bool UseNormalColor() const { return useNormalColor_; }
  void UseNormalColor(bool v) { useNormalColor_ = v; }
  bool EndProcLine() const { return endProcLine_; }
  void EndProcLine(bool v) { endProcLine_ = v; }
  bool IgnoreCharSet() const { return ignoreCharSet_; }
  void IgnoreCharSet(bool v) { ignoreCharSet_ = v; }
  bool ShowModuleName() const { return showModuleName_; }
  void ShowModuleName(bool v) { showModuleName_ = v; }
  bool UseJavaScript() const { return useJavaScript_; }
  void UseJavaScript(bool v) { useJavaScript_ = v; }
  const std::string& LastFolder() const { return lastFolder_; }
  void LastFolder(std::string v) { lastFolder_ = std::move(v); }
  const std::string& LastProjectTitle() const { return lastProjectTitle_; }
  void LastProjectTitle(std::string v) { lastProjectTitle_ = std::move(v); }
  bool HeldBodyOnly() const { return heldBodyOnly_; }
  void HeldBodyOnly(bool v) { heldBodyOnly_ = v; }
  int32_t HeldFontSize() const { return heldFontSize_; }
  void HeldFontSize(int32_t v) { heldFontSize_ = v; }
  int32_t HeldCssOption() const { return heldCssOption_; }
  void HeldCssOption(int32_t v) { heldCssOption_ = v; }
  bool HeldEndProcLine() const { return heldEndProcLine_; }
  void HeldEndProcLine(bool v) { heldEndProcLine_ = v; }
  bool DefaultColors() const { return defaultColors_; }
  void DefaultColors(bool v) { defaultColors_ = v; }
  bool WasDefaultColors() const { return wasDefaultColors_; }
  void WasDefaultColors(bool v) { wasDefaultColors_ = v; }

 private:
  int32_t operation_ = 0;          // 0 save, 1 copy, 2 show
  bool bodyOnly_ = true;
  int32_t targetMode_ = 0;         // 0 module, 1 procedure, 2 selection, 3 project
  bool usePreTag_ = false;
  int32_t cssOption_ = 0;          // 0 head, 1 inline, 2 file
  int32_t fontSize_ = 0;           // points; 0 when left empty
  bool useStyleSheet_ = true;
  bool useNormalColor_ = false;
  bool endProcLine_ = false;
  bool ignoreCharSet_ = false;
  bool showModuleName_ = false;
  bool useJavaScript_ = false;
  std::string lastFolder_;         // output folder to propose; empty unless remembered
  std::string lastProjectTitle_;   // LastFolder is offered only to this project
  bool heldBodyOnly_ = true;
  int32_t heldFontSize_ = 0;
  int32_t heldCssOption_ = 0;
  bool heldEndProcLine_ = false;
  bool defaultColors_ = false;     // this command found the standard colour scheme
  bool wasDefaultColors_ = false;  // some command since creation found it
};

// What the add-in uses when a value of the editor's key is missing.
inline constexpr int32_t kDefaultTabWidth = 4;
inline constexpr const char* kDefaultFontFace = "ＭＳ ゴシック";
inline constexpr int32_t kDefaultFontHeight = 10;
inline constexpr int32_t kDefaultEndProcLine = 1;

// The editor's "TabWidth" and "FontFace" into the job.
void ReadEditorTabWidth(clsVBCode& job);
void ReadEditorFontFace(clsVBCode& job);
// The eight colours from "CodeBackColors" then "CodeForeColors" into the job
// (SetBackColors, then SetForeColors); true when they are exactly the
// standard colour scheme.
bool ReadEditorColors(clsVBCode& job);
// ReadEditorTabWidth, ReadEditorFontFace and ReadEditorColors in that order;
// returns ReadEditorColors' answer. Each raises VbaError 10100 when the
// editor's key cannot be opened, and the colour errors of PaletteColor.
bool ReadEditorSettings(clsVBCode& job);

// Creates RememberedSettings when it is empty, else updates DefaultColors,
// WasDefaultColors and UseNormalColor for this command's colours.
void PrepareRememberedSettings(bool defaultColors);

// Replaces the job's eight colours by the standard colour scheme.
void ApplyStandardColors(clsVBCode& job);

// Copies a finished job's options into RememberedSettings (which the
// command's settings step created; raises VbaError 91 when it is empty).
void RememberJob(const clsVBCode& job);

}  // namespace qm
