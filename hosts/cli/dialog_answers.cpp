// Answers frmMain through its controls, in the order a user works through
// the dialog: the operation first (it decides which targets and boxes are
// offered), then the target and the output file — for the whole project the
// file first, because the file button only serves a single page and the site
// keeps the folder of the page chosen — then the style placement, the font
// size and the check boxes, and OK last. Every action goes through the
// scripted user of platform/forms_script.h, so the dialog's own handlers
// fire as they would for a click; an action on a control the dialog has
// disabled is refused with the reason in kBoxes or below.
#include "hosts/cli/dialog_answers.h"

#include <filesystem>
#include <system_error>

#include "platform/forms_script.h"

namespace qm::cli {

namespace {

namespace fs = std::filesystem;

// The name the project target gives the site's first page.
constexpr const char* kIndexPage = "index.htm";

// The dialog's check boxes and the options that set them.
struct BoxRow {
  const char* control;
  std::optional<bool> CliOptions::*wanted;
  const char* onOption;
  const char* offOption;
  const char* whyLocked;  // why the dialog disables the box
  bool lockedIsWanted;    // a locked box already gives what either option asks for
};

constexpr BoxRow kBoxes[] = {
    {"chkPreTag", &CliOptions::preTag, "--pre", "--no-pre", "showing in the browser uses no <pre> element", false},
    {"chkBodyOnly", &CliOptions::bodyOnly, "--body-only", "--no-body-only",
     "only a copy (--copy, --stdout) can be the inside of <body> alone", false},
    {"chkEndProcLine", &CliOptions::separators, "--separators", "--no-separators",
     "a single procedure gets no separator lines", false},
    {"chkIgnoreCharSet", &CliOptions::ignoreCharset, "--ignore-charset", "--ignore-charset", "", false},
    {"chkModuleName", &CliOptions::moduleName, "--module-name", "--module-name", "", false},
    {"chkJavaScript", &CliOptions::javaScript, "--javascript", "--javascript",
     "the script menu belongs to the site of the whole project (--target project)", false},
    // Disabled and ticked when the editor's colours are the standard ones.
    {"chkNormalColor", &CliOptions::standardColors, "--standard-colors", "--editor-colors", "", true},
};

// The controls of the operations and the targets.
const char* OperationControl(Delivery delivery) {
  switch (delivery) {
    case Delivery::Copy:
    case Delivery::Stdout: return "optOperationCopy";
    case Delivery::Show: return "optOperationShow";
    case Delivery::Save: break;
  }
  return "optOperationSave";
}

const char* TargetControl(Target target) {
  switch (target) {
    case Target::Procedure: return "optTargetProc";
    case Target::Selection: return "optTargetSel";
    case Target::Project: return "optTargetPj";
    case Target::Module: break;
  }
  return "optTargetMod";
}

std::string FilePart(const std::string& path) { return fs::path(path).filename().string(); }

}  // namespace

bool DialogAnswerer::Refuse(std::string reason) {
  refusal_ = std::move(reason);
  return false;
}

bool DialogAnswerer::Answer(platform::UserForm& dialog) {
  if (!ChooseOperation(dialog)) return false;
  const bool project = options_.target == Target::Project;
  const bool ordered = project ? ChooseFile(dialog) && ChooseTarget(dialog) : ChooseTarget(dialog) && ChooseFile(dialog);
  if (!ordered || !ChooseStyle(dialog) || !ChooseFontSize(dialog) || !ChooseBoxes(dialog)) return false;
  platform::UserClick(dialog["cmdOK"]);
  return true;
}

bool DialogAnswerer::ChooseOperation(platform::UserForm& dialog) {
  platform::Control& option = dialog[OperationControl(options_.delivery)];
  if (option.Value()) return true;
  if (!option.Usable()) {
    return Refuse(options_.delivery == Delivery::Show ? "--show: no browser is installed (set BROWSER, or install xdg-open)"
                                                      : std::string(DeliveryOption(options_.delivery)) + ": not offered");
  }
  platform::UserClick(option);
  return true;
}

bool DialogAnswerer::ChooseTarget(platform::UserForm& dialog) {
  if (!options_.target) return true;
  platform::Control& option = dialog[TargetControl(*options_.target)];
  if (option.Value()) return true;
  if (option.Usable()) {
    platform::UserClick(option);
    return true;
  }
  switch (*options_.target) {
    case Target::Project:
      if (options_.delivery != Delivery::Save) {
        return Refuse("--target project: the whole project can only be saved, not with " +
                      std::string(DeliveryOption(options_.delivery)));
      }
      return Refuse("--target project: the project has only one module with code");
    case Target::Procedure: return Refuse("--target procedure: the selection (--select) lies in no one procedure");
    case Target::Selection: return Refuse("--target selection: the selected lines (--select) hold no code");
    case Target::Module: break;
  }
  return Refuse("--target module: not offered");
}

bool DialogAnswerer::ChooseFile(platform::UserForm& dialog) {
  if (options_.output.empty()) return true;
  platform::Control& button = dialog["cmdFile"];
  if (!button.Usable()) return Refuse("-o: the options dialog offers no file name here");
  const std::string path = OutputChoice(dialog["lblFileName"].Caption());
  if (path.empty()) return false;
  fileDialog_.Choose(path);
  platform::UserClick(button);
  return true;
}

std::string DialogAnswerer::OutputChoice(const std::string& label) {
  std::error_code error;
  const bool folderGiven = options_.output.back() == '/' || fs::is_directory(options_.output, error);
  fs::path path = fs::absolute(options_.output, error).lexically_normal();
  if (path.filename().empty()) path = path.parent_path();
  if (options_.target == Target::Project) {
    if (folderGiven) {
      path /= kIndexPage;
    } else if (path.filename() != kIndexPage) {
      Refuse("-o: with --target project, give the site's folder or its " + std::string(kIndexPage));
      return {};
    }
  } else if (folderGiven) {
    path /= FilePart(label);  // the dialog's default name in that folder
  }
  // The add-in creates the output folder itself, one level deep.
  const fs::path folder = path.parent_path();
  if (!fs::is_directory(folder, error) && !fs::is_directory(folder.parent_path(), error)) {
    Refuse("-o: there is no folder " + folder.parent_path().string());
    return {};
  }
  return path.string();
}

bool DialogAnswerer::ChooseStyle(platform::UserForm& dialog) {
  if (!options_.style) return true;
  platform::Control& styleSheet = dialog["chkStyleSheet"];
  const bool wanted = *options_.style != Style::None;
  if (styleSheet.Value() != wanted) {
    if (!styleSheet.Usable()) return Refuse("--style: not offered");
    platform::UserTick(styleSheet, wanted);
  }
  if (!wanted) return true;
  platform::Control& placement = dialog["cboCSSOption"];
  const int position = static_cast<int>(*options_.style);
  if (placement.ListIndex() == position) return true;
  if (!placement.Usable()) return Refuse("--style: showing in the browser puts the styles inline (--style inline)");
  platform::UserChoose(placement, position);
  return true;
}

bool DialogAnswerer::ChooseFontSize(platform::UserForm& dialog) {
  if (options_.fontSize.empty()) return true;
  platform::Control& size = dialog["cboFontSize"];
  if (!size.Usable()) return Refuse("--font-size: the size goes with a style (--style head, inline or file)");
  platform::UserType(size, options_.fontSize);
  return true;
}

bool DialogAnswerer::ChooseBoxes(platform::UserForm& dialog) {
  for (const BoxRow& row : kBoxes) {
    const std::optional<bool>& wanted = options_.*row.wanted;
    platform::Control& box = dialog[row.control];
    if (!wanted || box.Value() == *wanted) continue;
    if (!box.Usable()) {
      if (row.lockedIsWanted) continue;
      return Refuse(std::string(*wanted ? row.onOption : row.offOption) + ": " + row.whyLocked);
    }
    platform::UserTick(box, *wanted);
  }
  return true;
}

}  // namespace qm::cli
