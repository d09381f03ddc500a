// Opening the options dialog: PrepareDialog's 27 steps, in order. The
// command's values go into the dialog's members, the remembered settings and
// the job decide the target, the operation and every option box, and the
// change handlers stay quiet (EventsEnabled false) until the last step. Any
// error stops the preparation and comes back as its number.
#include <array>
#include <string>

#include "addin/job/settings.h"
#include "addin/job/vb_code.h"
#include "addin/output/output_targets.h"
#include "addin/ui/main_form.h"

namespace qm {

namespace {

// The style placements of cboCSSOption, positions 0 to 2 (the job's CssOption).
constexpr std::array<const char*, 3> kCssOptions = {
    "<head>内の<style>タグ",    // a style element in the head
    "<body>内インライン指定",   // inline styles in the body
    "スタイルシートファイル ",  // an external style sheet file
};

}  // namespace

int32_t frmMain::PrepareDialog(const std::string& projectTitle, const std::string& moduleName,
                               const std::string& defaultFolder, const std::string& rememberedFolder,
                               const std::string& procName, int32_t procFirstLine, int32_t procLineTotal,
                               int32_t selFirstLine, int32_t selLastLine, bool editorVersion6) {
  return Trap([&] {
    projectTitle_ = projectTitle;
    procName_ = procName;
    defaultFolder_ = defaultFolder;
    procFirstLine_ = procFirstLine;
    procLineTotal_ = procLineTotal;
    selFirstLine_ = selFirstLine;
    selLastLine_ = selLastLine;
    chosenFolder_ = rememberedFolder.empty() ? defaultFolder : rememberedFolder;
    hasChosenFolder_ = !rememberedFolder.empty();
    FitNameLabel((*this)["spnProjectName"], (*this)["lblProjectName"], (*this)["lblProjectDummy"], projectTitle_);
    (*this)["lblModuleName"].Caption(moduleName);
    (*this)["optTargetProc"].Enabled(!procName_.empty());
    (*this)["optTargetSel"].Enabled(selFirstLine_ > 0);
    if (selFirstLine_ > 0) {
      (*this)["lblLineRow"].Caption(std::to_string(selFirstLine_) + " - " + std::to_string(selLastLine_));
    }
    for (int index = 0; index < 4; ++index) defaultFileNames_[static_cast<size_t>(index)] = Job().DefaultFileName(index);
    PrepareTargets();
    (*this)["lblCaptionFile"].Caption(kHtmlFileCaption);
    PrepareOperation();
    PrepareOptions(editorVersion6);
    eventsEnabled_ = true;
  });
}

// Steps 7 to 10: the remembered target, or the module target when it is not
// available; the script box follows the project target.
void frmMain::PrepareTargets() {
  const clsSettings& settings = Settings();
  targetMode_ = settings.TargetMode();
  if (Job().CountOfComponents() == 1) {
    (*this)["optTargetPj"].Enabled(false);
    singleComponent_ = true;
    if (targetMode_ == 3) targetMode_ = 0;
  }
  platform::Control& script = (*this)["chkJavaScript"];
  if (targetMode_ == 3) {
    (*this)["optTargetPj"].Value(true);
    heldProjectTarget_ = true;
    script.Enabled(true);
    script.Value(settings.UseJavaScript());
    heldJavaScript_ = settings.UseJavaScript();
  } else {
    if (!procName_.empty() && targetMode_ == 1) {
      (*this)["optTargetProc"].Value(true);
      (*this)["chkEndProcLine"].Enabled(false);
    } else if (selFirstLine_ > 0 && targetMode_ == 2) {
      (*this)["optTargetSel"].Value(true);
    } else {
      targetMode_ = 0;
      (*this)["optTargetMod"].Value(true);
    }
    script.Enabled(false);
    script.Value(false);
    heldJavaScript_ = true;
  }
  const bool lines = (*this)["optTargetSel"].Value();
  (*this)["lblCaptionLine"].Enabled(lines);
  (*this)["lblLineRow"].Enabled(lines);
}

// Steps 12 to 15: the show operation only with a browser; the remembered
// operation decides the file row, the body box and the project target.
void frmMain::PrepareOperation() {
  clsSettings& settings = Settings();
  const bool browser = BrowserInstalled();
  (*this)["optOperationShow"].Enabled(browser);
  if (!browser && settings.Operation() == 2) settings.Operation(0);

  const bool saving = settings.Operation() == 0 && targetMode_ != 3;
  for (const char* name : {"lblCaptionModule", "lblCaptionFile", "lblModuleName", "fraFileName", "cmdFile"}) {
    (*this)[name].Enabled(saving);
  }
  (*this)["chkPreTag"].Value(settings.UsePreTag());
  heldPreTag_ = settings.UsePreTag();

  platform::Control& bodyOnly = (*this)["chkBodyOnly"];
  switch (settings.Operation()) {
    case 1:
      SetFileLabel("");
      SetOptionState((*this)["optOperationCopy"], true);
      bodyOnly.Enabled(true);
      bodyOnly.Value(settings.BodyOnly());
      (*this)["optTargetPj"].Enabled(false);
      if (settings.UseStyleSheet() && settings.CssOption() == 2) SetFileCaption(false, true);
      break;
    case 2:
      SetFileLabel("");
      SetOptionState((*this)["optOperationShow"], true);
      bodyOnly.Enabled(false);
      bodyOnly.Value(false);
      (*this)["optTargetPj"].Enabled(false);
      (*this)["chkPreTag"].Enabled(false);
      (*this)["chkPreTag"].Value(false);
      heldPreTag_ = false;
      break;
    default: {
      const std::string& folder = chosenFolder_.empty() ? defaultFolder_ : chosenFolder_;
      SetFileLabel(InFolder(folder, defaultFileNames_[static_cast<size_t>(targetMode_)]));
      SetOptionState((*this)["optOperationSave"], true);
      bodyOnly.Enabled(false);
      bodyOnly.Value(false);
      break;
    }
  }
}

// Steps 16 to 26: style sheet, size, placement, the option boxes, the held
// values, the colour box, the procedure row and the picture.
void frmMain::PrepareOptions(bool editorVersion6) {
  const clsSettings& settings = Settings();
  const bool styleSheet = settings.UseStyleSheet();
  (*this)["chkStyleSheet"].Value(styleSheet);
  (*this)["lblFontSize"].Enabled(styleSheet);
  (*this)["cboFontSize"].Enabled(styleSheet);
  SelectFontSize(settings.FontSize());

  platform::Control& placement = (*this)["cboCSSOption"];
  for (const char* entry : kCssOptions) placement.AddItem(entry);
  const bool placementOn = styleSheet && settings.Operation() != 2;
  placement.Enabled(placementOn);
  (*this)["lblCSSOption"].Enabled(placementOn);
  SelectCssOption(settings.CssOption());

  (*this)["chkEndProcLine"].Value(settings.EndProcLine());
  (*this)["chkIgnoreCharSet"].Value(settings.IgnoreCharSet());
  (*this)["chkModuleName"].Value(settings.ShowModuleName());
  (*this)["chkJavaScript"].Value(settings.UseJavaScript());
  heldFontSize_ = settings.HeldFontSize();
  heldBodyOnly_ = settings.HeldBodyOnly();
  heldCssOption_ = settings.HeldCssOption();
  heldEndProcLine_ = settings.HeldEndProcLine();

  platform::Control& normalColor = (*this)["chkNormalColor"];
  normalColor.Value(settings.DefaultColors() || settings.UseNormalColor());
  normalColor.Enabled(!settings.DefaultColors());

  FitNameLabel((*this)["spnProcName"], (*this)["lblProcName"], (*this)["lblProcDummy"], procName_);
  const bool procedure = (*this)["optTargetProc"].Value();
  (*this)["lblProcName"].Enabled(procedure);
  (*this)["lblCaptionProc"].Enabled(procedure);
  (*this)["img2000"].Visible(editorVersion6);
  (*this)["img2002"].Visible(!editorVersion6);
}

}  // namespace qm
