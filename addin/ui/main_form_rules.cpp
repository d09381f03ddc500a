// The rules that keep the options dialog's controls in step: selection marks
// of the two option groups, applying a target (name rows, separator box,
// path label) and an operation (project target, body and pre boxes, style
// placement, file row), the style-sheet rule and the style placement rule.
// Every update the dialog makes to itself runs with EventsEnabled false, so
// the change handlers it fires do not take the forced values as the user's.
#include <array>

#include "addin/common/path_parts.h"
#include "addin/ui/main_form.h"
#include "platform/forms_host.h"

namespace qm {

namespace {

struct TargetOption {
  const char* name;
  bool moduleOn, procOn, linesOn, projectOn;
};

// The target options by number (the job's TargetMode) and the rows each one uses.
constexpr std::array<TargetOption, 4> kTargets = {{
    {"optTargetMod", true, false, false, false},
    {"optTargetProc", true, true, false, false},
    {"optTargetSel", true, false, true, false},
    {"optTargetPj", false, false, false, true},
}};

constexpr int32_t kInlinePlacement = 1;
constexpr int32_t kFilePlacement = 2;

}  // namespace

void frmMain::SetOptionState(platform::Control& option, bool state) {
  option.Value(state);
  option.Tag(state ? "1" : "");
}

void frmMain::SelectOperation(platform::Control& clicked, platform::Control& other1, platform::Control& other2,
                              int32_t number) {
  if (!clicked.Tag().empty()) return;
  clicked.Tag("1");
  SetOptionState(other1, false);
  SetOptionState(other2, false);
  if (eventsEnabled_) ApplyOperation(number);
}

void frmMain::SelectTarget(int32_t number) {
  const TargetOption& target = kTargets[static_cast<size_t>(number)];
  platform::Control& clicked = (*this)[target.name];
  if (!clicked.Tag().empty()) return;
  clicked.Tag("1");
  for (const TargetOption& other : kTargets) {
    if (&other != &target) SetOptionState((*this)[other.name], false);
  }
  ApplyTarget(number, target.moduleOn, target.procOn, target.linesOn);

  // The script box follows the project target. The box is set quietly: its
  // held value rule would otherwise take the forced untick as the user's and
  // lose the value just held.
  const bool events = eventsEnabled_;
  eventsEnabled_ = false;
  platform::Control& script = (*this)["chkJavaScript"];
  if (target.projectOn) {
    script.Value(heldJavaScript_);
    script.Enabled(true);
  } else {
    if (script.Enabled()) heldJavaScript_ = script.Value();
    script.Value(false);
    script.Enabled(false);
  }
  eventsEnabled_ = events;
}

void frmMain::ApplyTarget(int32_t number, bool moduleOn, bool procOn, bool linesOn) {
  (*this)["lblModuleName"].Enabled(moduleOn);
  (*this)["lblCaptionModule"].Enabled(moduleOn);
  (*this)["cmdFile"].Enabled((*this)["optOperationSave"].Value() && moduleOn);
  (*this)["lblProcName"].Enabled(procOn);
  (*this)["lblCaptionProc"].Enabled(procOn);
  if (eventsEnabled_) {
    eventsEnabled_ = false;
    platform::Control& separators = (*this)["chkEndProcLine"];
    if (procOn) {
      separators.Value(false);
    } else if (!separators.Enabled()) {
      separators.Value(heldEndProcLine_);
    }
    separators.Enabled(!procOn);
    eventsEnabled_ = true;
  }
  (*this)["lblLineRow"].Enabled(linesOn);
  (*this)["lblCaptionLine"].Enabled(linesOn);
  if (number == targetMode_) return;

  // The path label follows the target unless the user chose another name;
  // leaving the whole project always returns to the default folder.
  const std::string& name = defaultFileNames_[static_cast<size_t>(number)];
  if (targetMode_ == 3) {
    SetFileLabel(InFolder(defaultFolder_, name));
  } else if (PathPart(PathLabel(), false) == defaultFileNames_[static_cast<size_t>(targetMode_)]) {
    SetFileLabel(InFolder(PathPart(PathLabel(), true), name));
  }
  targetMode_ = number;
}

void frmMain::ApplyOperation(int32_t number) {
  eventsEnabled_ = false;
  (*this)["fraFileName"].Enabled(number == 0);
  (*this)["cmdFile"].Enabled(number == 0);
  switch (number) {
    case 0: ApplySave(); break;
    case 1: ApplyCopy(); break;
    default: ApplyShow(); break;
  }
  eventsEnabled_ = true;
}

void frmMain::ApplySave() {
  platform::Control& project = (*this)["optTargetPj"];
  if (!singleComponent_) {
    project.Enabled(true);
    if (heldProjectTarget_) {
      heldProjectTarget_ = false;
      project.Value(true);
    }
  }
  (*this)["cmdFile"].Enabled(!project.Value());
  HoldAndDisable("chkBodyOnly", heldBodyOnly_);
  if (GiveBackPreTagAndPlacement()) {
    SetFileCaption(true, true);
  } else if (PathLabel().empty()) {
    // Copy and show may have emptied the path: saving always shows one.
    SetFileCaption(true, true);
  }
}

void frmMain::ApplyCopy() {
  TakeProjectTargetAway();
  platform::Control& bodyOnly = (*this)["chkBodyOnly"];
  bodyOnly.Enabled(true);
  bodyOnly.Value(heldBodyOnly_);
  if (GiveBackPreTagAndPlacement()) {
    if (heldCssOption_ == kFilePlacement) {
      SetFileCaption(false, true);
    } else {
      SetFileCaption(true, false);
    }
  }
}

void frmMain::ApplyShow() {
  TakeProjectTargetAway();
  HoldAndDisable("chkBodyOnly", heldBodyOnly_);
  HoldAndDisable("chkPreTag", heldPreTag_);
  if ((*this)["chkStyleSheet"].Value()) {
    platform::Control& placement = (*this)["cboCSSOption"];
    (*this)["lblCSSOption"].Enabled(false);
    heldCssOption_ = placement.ListIndex();
    SelectCssOption(kInlinePlacement);
    placement.Enabled(false);
    SetFileCaption(true, false);
  }
}

void frmMain::TakeProjectTargetAway() {
  if (singleComponent_) return;
  platform::Control& project = (*this)["optTargetPj"];
  heldProjectTarget_ = project.Value();
  project.Enabled(false);
  if (heldProjectTarget_ && targetMode_ == 3) {
    (*this)["optTargetMod"].Value(true);
    (*this)["cmdFile"].Enabled(false);
  }
}

bool frmMain::GiveBackPreTagAndPlacement() {
  (*this)["chkPreTag"].Enabled(true);
  (*this)["chkPreTag"].Value(heldPreTag_);
  if (!(*this)["chkStyleSheet"].Value()) return false;
  (*this)["lblCSSOption"].Enabled(true);
  (*this)["cboCSSOption"].Enabled(true);
  SelectCssOption(heldCssOption_);
  return true;
}

void frmMain::HoldAndDisable(const char* checkBox, bool& held) {
  platform::Control& box = (*this)[checkBox];
  if (box.Enabled()) held = box.Value();
  box.Enabled(false);
  box.Value(false);
}

void frmMain::chkStyleSheet_Change() {
  if (!eventsEnabled_) return;
  eventsEnabled_ = false;
  const bool on = (*this)["chkStyleSheet"].Value();
  const bool show = (*this)["optOperationShow"].Value();
  platform::Control& placement = (*this)["cboCSSOption"];
  (*this)["lblFontSize"].Enabled(on);
  (*this)["cboFontSize"].Enabled(on);
  if (on) {
    SelectFontSize(heldFontSize_);
    SelectCssOption(show ? kInlinePlacement : heldCssOption_);
  } else {
    const int32_t size = TypedFontSize();
    if (size > 0) heldFontSize_ = size;
    (*this)["cboFontSize"].Text("");
    if (placement.Enabled()) heldCssOption_ = placement.ListIndex();
    SelectCssOption(-1);
  }
  (*this)["lblCSSOption"].Enabled(on && !show);
  placement.Enabled(on && !show);
  platform::DoEvents();
  eventsEnabled_ = true;
}

void frmMain::cboCSSOption_Change() {
  if (!eventsEnabled_) return;
  platform::Control& placement = (*this)["cboCSSOption"];
  if ((*this)["optOperationCopy"].Value()) {
    if (placement.ListIndex() == kFilePlacement) {
      SetFileCaption(false, true);
    } else {
      SetFileCaption(true, false);
    }
  }
  if (placement.Enabled()) heldCssOption_ = placement.ListIndex();
}

}  // namespace qm
