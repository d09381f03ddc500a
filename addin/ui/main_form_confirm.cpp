// The options dialog's OK and file buttons. OK checks the font size and the
// output path, decides whether the style sheet file is written (asking
// before an existing one is replaced), asks before existing output is
// replaced, sets the job's line range from the target, writes the dialog's
// nineteen choices into the job in a fixed order and hides the dialog. A
// failed check or a cancelled question leaves the dialog open; an error
// closes it with ErrorNumber set. The file button goes back to the default
// path or lets the user pick the output file in the save-file dialog.
#include <optional>
#include <string>

#include "addin/common/path_parts.h"
#include "addin/common/vba_error.h"
#include "addin/host/vbe.h"
#include "addin/job/vb_code.h"
#include "addin/output/output_targets.h"
#include "addin/ui/file_dialog.h"
#include "addin/ui/main_form.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/forms_host.h"
#include "platform/message_box.h"

namespace qm {

namespace {

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

constexpr const char* kFontSizeRangeMessage = "フォントサイズは６～２４の範囲で設定して下さい。";
constexpr const char* kFontSizeInvalidMessage = "フォントサイズの設定値が不正です。";
constexpr const char* kPathTooLongMessage = "ファイル名はパスも含めて２５５文字\r\n(全角は２文字換算)までで設定して下さい。";
constexpr const char* kReplaceQuestionEnd = " は、\r\n同名のファイルが存在します。置き換えますか？";
constexpr const char* kFolderExistsMessage =
    " フォルダは既に存在します。\r\nフォルダ内の出力ファイルと同名のファイルは置き換えられます。";
constexpr const char* kBackToDefaultQuestion = "既定のファイル名に戻しますか？";
constexpr double kMinFontSize = 6;
constexpr double kMaxFontSize = 24;
constexpr size_t kMaxPathBytes = 255;
constexpr int32_t kFilePlacement = 2;
constexpr long kErrObjectVariableNotSet = 91;

MsgResult Ask(const std::string& text, MsgButtons buttons, MsgIcon icon) {
  return platform::CurrentMessageBox().Show(text, platform::kMessageCaption, buttons, icon);
}

// True when the text reads as a number: blanks, an optional sign, digits
// with at most one decimal point, blanks.
bool IsNumeric(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return false;
  const size_t last = text.find_last_not_of(' ');
  size_t pos = first + ((text[first] == '-' || text[first] == '+') ? 1 : 0);
  bool digit = false, point = false;
  for (; pos <= last; ++pos) {
    if (text[pos] >= '0' && text[pos] <= '9') {
      digit = true;
    } else if (text[pos] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit;
}

// Length in bytes of the text in the system's ANSI code page.
size_t AnsiLength(const std::string& text) {
  const std::optional<std::string> bytes = platform::EncodeText(text, platform::AnsiCodePage());
  return bytes ? bytes->size() : text.size();
}

// The number of code lines of the job's selected component.
int32_t SelectedLineCount(const clsVBCode& job) {
  const VBComponentPtr component = job.SelectedComponent();
  const CodeModulePtr module = component ? component->CodeModule() : nullptr;
  if (!module) throw VbaError(kErrObjectVariableNotSet, "オブジェクト変数が設定されていません。");
  return module->CountOfLines();
}

}  // namespace

int32_t frmMain::OperationIndex() const {
  if ((*this)["optOperationCopy"].Value()) return 1;
  if ((*this)["optOperationShow"].Value()) return 2;
  return 0;
}

void frmMain::cmdOK_Click() {
  const int32_t error = Trap([this] {
    if (!CheckChoices()) return;
    WriteJob();
    cancelled_ = false;
    Hide();
    platform::DoEvents();
  });
  if (error != 0) CloseOnError(error);
}

bool frmMain::CheckChoices() {
  const std::string message = CheckMessage();
  if (!message.empty()) {
    Ask(message, MsgButtons::OK, MsgIcon::Error);
    return false;
  }
  return DecideCssFile() && ConfirmReplace();
}

std::string frmMain::CheckMessage() const {
  std::string message;
  if ((*this)["chkStyleSheet"].Value()) {
    const std::string& size = (*this)["cboFontSize"].Text();
    if (!IsNumeric(size)) {
      message = kFontSizeInvalidMessage;
    } else if (const double value = std::stod(size); value < kMinFontSize || value > kMaxFontSize) {
      message = kFontSizeRangeMessage;
    }
  }
  if (message.empty() && (*this)["optOperationSave"].Value()) {
    if (CheckOutputDrive(PathLabel(), message) && AnsiLength(PathLabel()) > kMaxPathBytes) {
      message = kPathTooLongMessage;
    }
  }
  return message;
}

bool frmMain::DecideCssFile() {
  clsVBCode& job = Job();
  // Decided afresh at every press: a decision of an earlier, cancelled press
  // must not write (and replace) a style sheet the user did not agree to.
  job.WriteCssFile(false);
  if (!(*this)["chkStyleSheet"].Value() || (*this)["cboCSSOption"].ListIndex() != kFilePlacement) return true;
  if ((*this)["optTargetPj"].Value()) {
    job.WriteCssFile(true);
    return true;
  }
  const std::string styleSheet = InFolder(PathPart(PathLabel(), true), kStyleSheetFileName);
  if (!platform::CurrentFileSystem().FileExists(styleSheet)) {
    job.WriteCssFile(true);
    return true;
  }
  const MsgResult answer = Ask(std::string("スタイルシートファイル ") + kStyleSheetFileName + kReplaceQuestionEnd,
                               MsgButtons::YesNoCancel, MsgIcon::Question);
  if (answer == MsgResult::Cancel) return false;
  job.WriteCssFile(answer == MsgResult::Yes);
  return true;
}

bool frmMain::ConfirmReplace() {
  if (!(*this)["optOperationSave"].Value()) return true;
  platform::FileSystem& files = platform::CurrentFileSystem();
  const std::string& path = PathLabel();
  if ((*this)["optTargetPj"].Value()) {
    if (!files.FolderExists(PathPart(path, true))) return true;
    return Ask(PathPart(path, true, true) + kFolderExistsMessage, MsgButtons::OKCancel, MsgIcon::Information) !=
           MsgResult::Cancel;
  }
  if (!files.FileExists(path)) return true;
  return Ask(PathPart(path, false) + kReplaceQuestionEnd, MsgButtons::OKCancel, MsgIcon::Question) !=
         MsgResult::Cancel;
}

void frmMain::WriteJob() {
  clsVBCode& job = Job();
  switch (targetMode_) {
    case 0:
      job.StartLine(1);
      job.LineCount(SelectedLineCount(job));
      break;
    case 1:
      job.StartLine(procFirstLine_);
      job.LineCount(procLineTotal_);
      break;
    case 2:
      job.StartLine(selFirstLine_);
      job.LineCount(selLastLine_ - selFirstLine_ + 1);
      break;
    default: break;  // the whole project: every component is converted whole
  }
  job.FontSize(FontSizeValue());
  job.BodyOnly((*this)["chkBodyOnly"].Value());
  job.EndProcLine((*this)["chkEndProcLine"].Value());
  job.IgnoreCharSet((*this)["chkIgnoreCharSet"].Value());
  job.FileName(PathLabel());
  job.Operation(OperationIndex());
  job.RememberFolder(job.Operation() == 0 && hasChosenFolder_);
  job.UseNormalColor((*this)["chkNormalColor"].Value());
  job.UsePreTag((*this)["chkPreTag"].Value());
  job.CssOption((*this)["cboCSSOption"].ListIndex());
  job.UseStyleSheet((*this)["chkStyleSheet"].Value());
  job.ShowModuleName((*this)["chkModuleName"].Value());
  job.UseJavaScript((*this)["chkJavaScript"].Value());
  job.HeldBodyOnly(heldBodyOnly_);
  job.HeldEndProcLine(heldEndProcLine_);
  job.HeldFontSize(heldFontSize_);
  job.ProjectTitle(projectTitle_);
  job.HeldCssOption(heldCssOption_);
  job.TargetMode(targetMode_);
}

void frmMain::CloseOnError(int32_t number) {
  errorNumber_ = number;
  Hide();
  platform::DoEvents();
}

void frmMain::cmdFile_Click() {
  const std::string byDefault = InFolder(defaultFolder_, defaultFileNames_[static_cast<size_t>(targetMode_)]);
  if (PathLabel() != byDefault) {
    const MsgResult answer = Ask(kBackToDefaultQuestion, MsgButtons::YesNoCancel, MsgIcon::Question);
    if (answer == MsgResult::Cancel) return;
    if (answer == MsgResult::Yes) {
      SetFileLabel(byDefault);
      hasChosenFolder_ = false;
      chosenFolder_.clear();
      return;
    }
  }
  if (const int32_t error = ChooseFile(); error != 0) CloseOnError(error);
}

int32_t frmMain::ChooseFile() {
  return Trap([this] {
    const std::string current = PathLabel();
    std::string chosen;
    clsFileDialog dialog;
    const bool picked = dialog.ChooseSaveFile(chosen, current);
    errorNumber_ = dialog.ErrorNumber();
    if (errorNumber_ != 0) throw VbaError(errorNumber_, "");
    if (!picked || chosen == PathLabel()) return;
    SetFileLabel(chosen);
    if (PathPart(chosen, true) != PathPart(current, true)) {
      chosenFolder_ = PathPart(chosen, true);
      hasChosenFolder_ = true;
    }
  });
}

}  // namespace qm
