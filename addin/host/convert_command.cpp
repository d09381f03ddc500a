// The conversion command, step by step: the selection check, the job and its
// components, the free-space check of the work drive, the compile and
// active-module questions, the selection and procedure, the project title,
// output folder and default names, the editor settings, then the options
// dialog and the progress window, and afterwards the remembered settings and
// the saved file. A check that fails ends the command in an orderly way; an
// error anywhere shows the general error message and restores a maximised
// editor window. CurrentJob is released at the end in every case.
#include "addin/host/convert_command.h"

#include <algorithm>
#include <memory>

#include "addin/common/globals.h"
#include "addin/host/active_window.h"
#include "addin/host/convert_steps.h"
#include "addin/host/host_application.h"
#include "addin/host/host_support.h"
#include "addin/host/runtime_errors.h"
#include "addin/job/settings.h"
#include "addin/job/vb_code.h"
#include "addin/output/output_targets.h"
#include "addin/output/progress_form.h"
#include "addin/ui/main_form.h"
#include "addin/ui/window_lock.h"
#include "platform/forms.h"
#include "platform/forms_host.h"
#include "platform/message_box.h"
#include "platform/shell.h"

namespace qm {

namespace {

constexpr const char* kNoWorkSpace = "作業用ドライブの空き容量が足りません。\r\n処理を中止します。";
constexpr const char* kNotCompiled =
    "プロジェクトがコンパイルされていません。\r\n正しく変換されない可能性があります。\r\n処理を続行しますか？";
constexpr const char* kCompileFirst = "プロジェクトをコンパイルしてから再実行してください。";
constexpr const char* kNotActive = "選択されたモジュールがアクティブではありません。\r\nアクティブにして処理を続行しますか？";
constexpr const char* kMaybeNotActive =
    "選択されたモジュールがアクティブではない可能性があります。\r\nアクティブにして処理を続行しますか？";
// The version text of the editors whose dialog shows the classic picture.
constexpr const char* kClassicEditorVersion = "6.00";
// What a failure that is no error of the runtime is reported as.
constexpr long kErrInternal = 51;
constexpr const char* kInternalErrorText = "内部エラーです。";

// The working values of one command; none survives it.
struct Command {
  std::string componentName;
  int32_t first = 0, last = 0;            // the widened selection; first 0 when unusable
  std::string procName;                   // empty when the selection is in no one procedure
  int32_t procStart = 0, procCount = 0;   // that procedure's range
  std::string projectTitle;
  std::string folder;                     // the proposed output folder
  std::string lastFolder, lastTitle;      // from RememberedSettings
};

platform::MsgResult Show(const char* text, platform::MsgButtons buttons, platform::MsgIcon icon) {
  return platform::CurrentMessageBox().Show(text, platform::kMessageCaption, buttons, icon);
}

bool AskYes(const char* question) {
  return Show(question, platform::MsgButtons::YesNo, platform::MsgIcon::Warning) == platform::MsgResult::Yes;
}

// False (after the message) when the work drive has too little room.
bool WorkDriveHasRoom(int32_t estimate) {
  if (FreeDiskSpace(DriveRoot(WorkFolder())) >= static_cast<uint64_t>(std::max(estimate, 0))) return true;
  Show(kNoWorkSpace, platform::MsgButtons::OK, platform::MsgIcon::Error);
  return false;
}

// False when the project is not compiled and the user stops.
bool CompileStateAccepted() {
  if (IsProjectCompiled() || AskYes(kNotCompiled)) return true;
  Show(kCompileFirst, platform::MsgButtons::OK, platform::MsgIcon::Information);
  return false;
}

// False when the selected module's window is not in front and the
// user does not want it activated.
bool SelectedModuleActive(const clsVBCode& job) {
  const int active = CheckActiveModule();
  if (active == kModuleActive) return true;
  if (!AskYes(active == kModuleMayNotBeActive ? kMaybeNotActive : kNotActive)) return false;
  Require(Require(Require(job.SelectedComponent()).CodeModule()).CodePane()).Show();
  platform::DoEvents();
  return true;
}

// The widened selection and the procedure around it.
void ReadSelection(Command& c, const clsVBCode& job) {
  const CodeModule& module = Require(Require(job.SelectedComponent()).CodeModule());
  int firstColumn = 0, lastColumn = 0;
  Require(module.CodePane()).GetSelection(c.first, firstColumn, c.last, lastColumn);
  WidenSelection(module, c.first, firstColumn, c.last, lastColumn);
  const int32_t kind = ResolveProcedure(c.first, c.last, c.procName);
  ProcedureRange(module, kind, c.first, c.procStart, c.procCount);
  if (!IsUsableSelection(module, c.first, c.last)) c.first = 0;
}

// The project title, the output folder and the file names.
void NameOutput(Command& c, clsVBCode& job) {
  if (RememberedSettings) {
    c.lastFolder = RememberedSettings->LastFolder();
    c.lastTitle = RememberedSettings->LastProjectTitle();
  }
  const VBProjectPtr project = Require(VBEInstance).ActiveVBProject();
  std::string documentName;
  c.projectTitle = Require(project).Name();
  if (HostDocumentName(project, documentName)) c.projectTitle += " (" + documentName + ")";
  const OutputPlace place = ProposeOutputPlace(*project, documentName);
  c.folder = place.folder;
  job.ProjectBaseName(place.baseName);
  if (c.projectTitle != c.lastTitle) c.lastFolder.clear();
  StoreDefaultFileNames(job, c.componentName, c.procName, c.first, c.last);
  if (UsableDriveType(DriveRoot(c.folder)) == kDriveUnusable) c.folder = SpecialFolderPath(platform::kFolderDocuments);
}

// False when the user cancelled the options dialog.
bool RunOptionsDialog(const Command& c) {
  const bool classicEditor = Require(VBEInstance).Version().substr(0, 4) == kClassicEditorVersion;
  auto form = std::make_unique<frmMain>();
  int32_t error = form->PrepareDialog(c.projectTitle, c.componentName, c.folder, c.lastFolder, c.procName,
                                      c.procStart, c.procCount, c.first, c.last, classicEditor);
  bool cancelled = true;
  if (error == 0) {
    form->Show();
    error = form->ErrorNumber();
    if (error == 0) cancelled = form->Cancelled();
  }
  form->Unload();
  if (error != 0) RaiseErrorNumber(error);
  return !cancelled;
}

// Runs the conversion; false when it ended with a failure message.
bool RunProgress(const clsVBCode& job, bool& openFile) {
  SetProgressWindowLock({&LockActiveWindow, &RestoreWindowProc});
  auto form = std::make_unique<frmProgress>();
  int32_t error = form->PrepareRun(job.Operation(), job.OutputFileName());
  bool cancelled = true;
  if (error == 0) {
    form->Show();
    error = form->ErrorNumber();
    if (error == 0) cancelled = form->Cancelled();
    openFile = form->OpenFileChecked();
  }
  form->Unload();
  if (error != 0) RaiseErrorNumber(error);
  return !cancelled;
}

// The command up to the release of the job: returns when it ends in an
// orderly way, raises on an error.
void RunCommand() {
  Require(Require(VBEInstance).MainWindow()).Visible(true);
  Command c;
  c.componentName = CheckSelection();
  if (c.componentName.empty()) return;

  CurrentJob = std::make_shared<clsVBCode>();
  clsVBCode& job = *CurrentJob;
  const VBE& vbe = Require(VBEInstance);
  job.Project(vbe.ActiveVBProject());
  job.SelectedComponent(vbe.SelectedVBComponent());
  ReadEditorTabWidth(job);

  const VBProject& project = Require(job.Project());
  ComponentScan scan = ScanComponents(project, job.TabWidth());
  if (!WorkDriveHasRoom(scan.sizeEstimate) || !CompileStateAccepted() || !SelectedModuleActive(job)) return;
  AddComponentsInOrder(job, project, std::move(scan.keys));

  ReadSelection(c, job);
  NameOutput(c, job);
  ReadEditorFontFace(job);
  PrepareRememberedSettings(ReadEditorColors(job));

  if (!RunOptionsDialog(c)) return;
  if (job.UseNormalColor()) ApplyStandardColors(job);
  bool openFile = false;
  if (!RunProgress(job, openFile)) return;
  RememberJob(job);
  if (job.Operation() == 0 && openFile) OpenSavedFile();
}

void ReportError(long number, const std::string& description) {
  ShowGeneralError(number, description);
  RestoreMaximizedWindow();
}

}  // namespace

void ConvertCommand() {
  try {
    RunCommand();
  } catch (const VbaError& error) {
    ReportError(error.Number(), error.Description());
  } catch (const platform::FormError&) {
    ReportError(kErrInvalidPropertyValue, RuntimeErrorText(kErrInvalidPropertyValue));
  } catch (const std::exception&) {
    ReportError(kErrInternal, kInternalErrorText);
  }
  CurrentJob.reset();
}

}  // namespace qm
