// frmMain: the options dialog in which the user settles one conversion —
// what to do with the HTML (save, copy, show), what to convert (project,
// module, procedure, selected lines), how the HTML is formed, and, when
// saving, the output file.
//
// Calling protocol (the conversion command's):
//   frmMain form;                    (construction loads it: Initialize runs)
//   if (form.PrepareDialog(title, module, folder, lastFolder, procName,
//                          procStart, procCount, selFirst, selLast, v6) == 0)
//     form.Show();                   (modal; returns when the dialog hides)
//   then read ErrorNumber() and, when it is 0, Cancelled(); form.Unload().
// PrepareDialog reads CurrentJob (default file names, component count) and
// RememberedSettings; the OK button writes every choice into CurrentJob.
//
// Setting a control from code fires its handler at once (platform/forms.h);
// EventsEnabled keeps the change handlers quiet while the dialog updates
// itself. Target clicks are never gated, so selecting a target from code
// always applies it. Each option button's Tag is its selection mark: "1" on
// the option the dialog last took as selected, empty on the others.
//
// The layout, initialisation and small handlers live in main_form.cpp, the
// opening in main_form_prepare.cpp, the option and target rules in
// main_form_rules.cpp, the size box, the name rows and the path label in
// main_form_fields.cpp, and the OK and file buttons in main_form_confirm.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/forms.h"

namespace qm {

class clsSettings;
class clsVBCode;

inline constexpr const char* kProductVersion = "4.1.1";
// The line lblCopyright shows.
inline constexpr const char* kCopyrightLine = "Copyright (C) 2026 Quillmark";
// The external style sheet's file name.
inline constexpr const char* kStyleSheetFileName = "Quillmark.css";
// The file row's captions.
inline constexpr const char* kHtmlFileCaption = "HTMLファイル名";
inline constexpr const char* kCssFileCaption = "CSSファイル名";
// The pictures img2000 and img2002 show: two 24 x 24 quill icons of our own,
// a classic one for editors whose version begins "6.00", a flat one for later
// editors. A host that draws pictures looks them up by these names.
inline constexpr const char* kPictureClassicEditor = "quillmark-quill-classic-24";
inline constexpr const char* kPictureLaterEditor = "quillmark-quill-flat-24";

class frmMain : public platform::UserForm {
 public:
  // Adds the controls, registers the handlers and loads the dialog.
  frmMain();
  ~frmMain() override;

  // Fills the dialog from the command's values, CurrentJob and
  // RememberedSettings; 0 when it is ready, else the number of the error
  // that stopped it (the dialog is then not shown).
  int32_t PrepareDialog(const std::string& projectTitle, const std::string& moduleName,
                        const std::string& defaultFolder, const std::string& rememberedFolder,
                        const std::string& procName, int32_t procFirstLine, int32_t procLineTotal,
                        int32_t selFirstLine, int32_t selLastLine, bool editorVersion6);

  // --- What the command reads after the modal display
  bool Cancelled() const { return cancelled_; }
  int32_t ErrorNumber() const { return errorNumber_; }

  // --- The dialog's members, for reading
  const std::string& ProjectTitle() const { return projectTitle_; }
  const std::string& ProcName() const { return procName_; }
  int32_t TargetMode() const { return targetMode_; }
  const std::string& DefaultFolder() const { return defaultFolder_; }
  const std::string& ChosenFolder() const { return chosenFolder_; }
  bool HasChosenFolder() const { return hasChosenFolder_; }
  bool HeldPreTag() const { return heldPreTag_; }
  bool HeldBodyOnly() const { return heldBodyOnly_; }
  bool HeldEndProcLine() const { return heldEndProcLine_; }
  bool HeldJavaScript() const { return heldJavaScript_; }
  int32_t HeldFontSize() const { return heldFontSize_; }
  int32_t HeldCssOption() const { return heldCssOption_; }
  bool HeldProjectTarget() const { return heldProjectTarget_; }
  bool EventsEnabled() const { return eventsEnabled_; }
  bool SingleComponent() const { return singleComponent_; }

  // --- Operations the buttons share
  // Shows a path of any length in the fixed frame, with a vertical scroll
  // bar when the wrapped text is higher than the frame; scrolled to the top.
  void SetFileLabel(const std::string& path);
  // The size box as an integer; 0 when it is empty. Raises VbaError 6
  // (overflow) for a number outside 32 bits.
  int32_t FontSizeValue() const;
  // FontSizeValue without raising: 0 for a text that is no 32-bit whole number.
  int32_t TypedFontSize() const;
  // 1 copy selected, else 2 show selected, else 0.
  int32_t OperationIndex() const;
  // Runs the save-file dialog from the path label and takes over a chosen
  // file; 0 on success, else the error number.
  int32_t ChooseFile();

 private:
  void AddControls();
  void RegisterHandlers();

  // Runs body; 0, or the number of the error it raised (a misuse of a
  // control counts as 380, invalid property value).
  static int32_t Trap(const std::function<void()>& body);
  static clsVBCode& Job();         // CurrentJob; raises VbaError 91 when it is empty
  static clsSettings& Settings();  // RememberedSettings; raises VbaError 91 when it is empty
  // folder & separator & name, without doubling a separator the folder ends with.
  static std::string InFolder(const std::string& folder, const std::string& name);

  // --- Handlers (main_form.cpp, main_form_rules.cpp, main_form_confirm.cpp)
  void UserForm_Initialize();
  void UserForm_Activate();
  void UserForm_Terminate();
  void cmdCancel_Click();
  void cmdHelp_Click();
  void cmdOK_Click();
  void cmdFile_Click();
  void chkStyleSheet_Change();
  void cboCSSOption_Change();
  void cboFontSize_Change();
  // The held value rule of chkPreTag, chkEndProcLine, chkBodyOnly, chkJavaScript.
  void HeldValueChange(const char* checkBox, bool& held);

  // --- Opening (main_form_prepare.cpp)
  void PrepareTargets();
  void PrepareOperation();
  void PrepareOptions(bool editorVersion6);

  // --- Option and target rules (main_form_rules.cpp)
  void SetOptionState(platform::Control& option, bool state);
  void SelectOperation(platform::Control& clicked, platform::Control& other1, platform::Control& other2,
                       int32_t number);
  // Runs the target click of the option: the others unmarked, the target
  // applied, the script box following the project target.
  void SelectTarget(int32_t number);
  void ApplyTarget(int32_t number, bool moduleOn, bool procOn, bool linesOn);
  void ApplyOperation(int32_t number);
  void ApplySave();
  void ApplyCopy();
  void ApplyShow();
  // Copy and show: the project target is taken away.
  void TakeProjectTargetAway();
  // Save and copy: the PRE tag box comes back with its held value and, with
  // a style sheet, the placement list with its held choice; true with a
  // style sheet.
  bool GiveBackPreTagAndPlacement();
  // Keeps a check box's value in held, then disables and unticks it.
  void HoldAndDisable(const char* checkBox, bool& held);

  // --- Fields (main_form_fields.cpp)
  // The HTML file (active: enabled with the default path; else greyed and
  // empty) or the style sheet file as the file row's caption and path.
  void SetFileCaption(bool html, bool active);
  void FitNameLabel(platform::Control& spin, platform::Control& label, platform::Control& measure,
                    const std::string& text);
  void ScrollNameForward(platform::Control& label, platform::Control& measure);
  void ScrollNameBack(platform::Control& label, platform::Control& measure, const std::string& full);
  void SelectFontSize(int32_t size);
  void SelectCssOption(int32_t position);
  // The folder the file rows use: ChosenFolder when held, else DefaultFolder.
  const std::string& FileFolder() const;
  const std::string& PathLabel() const;

  // --- Confirmation (main_form_confirm.cpp)
  // Steps 1-6 of the OK button: false when the dialog stays open.
  bool CheckChoices();
  // The font size and path checks; the message to show, empty when they pass.
  std::string CheckMessage() const;
  // The style sheet replace question; false when the user cancelled.
  bool DecideCssFile();
  // The replace questions of the save operation; false when cancelled.
  bool ConfirmReplace();
  void WriteJob();
  // The error path of the OK and file buttons.
  void CloseOnError(int32_t number);

  bool cancelled_ = true;           // until OK completes; Cancel sets it again
  int32_t errorNumber_ = 0;         // the error that closed the dialog
  std::string projectTitle_;        // shown in the project row, written to the job on OK
  std::string procName_;            // procedure holding the selection; empty for none
  int32_t procFirstLine_ = 0;       // first editor line of that procedure's range
  int32_t procLineTotal_ = 0;       // its number of editor lines
  int32_t selFirstLine_ = 0;        // widened selection; 0 when none is usable
  int32_t selLastLine_ = 0;
  int32_t targetMode_ = 0;          // the target the dialog has applied, 0..3
  std::array<std::string, 4> defaultFileNames_;  // the job's, by target
  std::string defaultFolder_;       // the folder the command proposes
  std::string chosenFolder_;        // remembered or chosen folder; empty after going back to the default
  bool hasChosenFolder_ = false;    // chosenFolder_ holds a remembered or chosen folder
  bool heldPreTag_ = false;         // chkPreTag while forced off
  bool heldBodyOnly_ = false;       // chkBodyOnly while disabled
  bool heldEndProcLine_ = false;    // chkEndProcLine while forced off
  bool heldJavaScript_ = false;     // chkJavaScript while disabled
  int32_t heldFontSize_ = 0;        // last non-zero size while the size box is empty
  int32_t heldCssOption_ = 0;       // cboCSSOption's position while disabled, forced or emptied
  bool heldProjectTarget_ = false;  // the project target was selected when copy or show took it away
  bool eventsEnabled_ = false;      // the change handlers act only while true
  bool singleComponent_ = false;    // one component with code: no project target
};

}  // namespace qm
