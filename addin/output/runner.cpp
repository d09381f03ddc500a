// The run of the progress window, from its activation to its ending: every
// page is written into a work file first (the style sheet, for a project the
// index and menu pages and one page per module, else one page), so the
// free-space decision is taken once on the exact, block-rounded total; then
// the job's operation delivers the result; then every work file is deleted.
// An error (a failed converter operation, a file that cannot be created,
// written, read or placed) ends the run at once with its number, after the
// open file is closed and the work files are deleted.
#include <cmath>

#include "addin/common/globals.h"
#include "addin/common/path_parts.h"
#include "addin/common/vba_error.h"
#include "addin/convert/converter.h"
#include "addin/job/vb_code.h"
#include "addin/output/output_targets.h"
#include "addin/output/progress_form.h"
#include "platform/codepage.h"
#include "platform/forms_host.h"
#include "platform/message_box.h"

namespace qm {

namespace {

constexpr double kLastPageFactor = 0.97;  // the bar stops at 97 % until delivery
constexpr const char* kStyleSheetName = "Quillmark.css";
constexpr const char* kNoRoomForStyleSheet =
    "ドライブの空き容量が足りないため\r\nスタイルシートファイルの保存はできません。\r\nクリップボードへのコピーのみ実行します。";

[[noreturn]] void RaiseRunnerError(long number) { throw VbaError(number, ""); }

std::string ModulePageName(const clsVBCode& job, int index) {
  return job.ProjectBaseName() + "_" + job.ComponentAt(index)->Name() + ".htm";
}

}  // namespace

std::string frmProgress::OpenWorkFile() {
  const std::string path = NewWorkFile();
  if (path.empty()) RaiseFileError(platform::kFileErrAccess);
  run_.file = platform::CurrentFileSystem().OpenTextFile(path, platform::AnsiCodePage());
  if (!run_.file) {
    platform::CurrentFileSystem().DeleteFile(path);
    RaiseFileError(platform::kFileErrAccess);
  }
  return path;
}

void frmProgress::CloseWorkFile() {
  const long error = run_.file ? run_.file->Close() : 0;
  run_.file.reset();
  if (error != 0) RaiseFileError(error);
}

void frmProgress::Convert(clsVBCode& job) {
  const std::string folder = job.OutputFolder();
  platform::FileSystem& files = platform::CurrentFileSystem();
  if (!folder.empty() && !files.FolderExists(folder)) {
    if (const long error = files.CreateFolder(folder)) RaiseFileError(error);
  }
  run_.converter = std::make_unique<clsConverter>();
  if (job.WriteCssFile()) WriteStyleSheet(job);
  if (job.TargetMode() == 3) WriteProjectPages(job);
  else WriteSinglePage(job);
}

void frmProgress::WriteStyleSheet(clsVBCode&) {
  run_.css = OpenWorkFile();
  if (!run_.converter->WriteStyleRules(*run_.file)) RaiseRunnerError(kErrStyleRules);
  CloseWorkFile();
  run_.cssSize = AllocatedSize(run_.css);
}

void frmProgress::WriteProjectPages(clsVBCode& job) {
  run_.index = OpenWorkFile();
  if (!run_.converter->WriteIndexPage(*run_.file)) RaiseRunnerError(kErrIndexPage);
  CloseWorkFile();
  run_.total = AllocatedSize(run_.index);
  run_.menu = OpenWorkFile();
  if (!run_.converter->WriteMenuPage(*run_.file)) RaiseRunnerError(kErrMenuPage);
  CloseWorkFile();
  run_.total += AllocatedSize(run_.menu) + run_.cssSize;

  const int count = job.CountOfComponents();
  for (int i = 1; i <= count; ++i) {
    if (i > 1) {
      (*this)["lblFileName"].Caption(std::to_string(i) + "/" + std::to_string(count) + " " +
                                     job.ComponentAt(i)->Name());
      SetBar(0);
      platform::DoEvents();
    }
    if (!run_.converter) run_.converter = std::make_unique<clsConverter>();
    run_.pages.push_back(OpenWorkFile());
    const bool ok = run_.converter->BeginModule(*run_.file, true, i) &&
                    WriteModuleLines(job, 1, i == count ? kLastPageFactor : 1.0);
    if (!ok) RaiseRunnerError(kErrProjectModule);
    run_.converter.reset();
    CloseWorkFile();
    run_.total += AllocatedSize(run_.pages.back());
    job.ClearLogicalLines();
  }
}

void frmProgress::WriteSinglePage(clsVBCode& job) {
  run_.pages.push_back(OpenWorkFile());
  const bool ok = run_.converter->BeginModule(*run_.file, false, 0) &&
                  WriteModuleLines(job, job.StartLine(), kLastPageFactor);
  if (!ok) RaiseRunnerError(kErrSinglePage);
  run_.converter.reset();
  CloseWorkFile();
  run_.total = AllocatedSize(run_.pages.back()) + run_.cssSize;
}

bool frmProgress::WriteModuleLines(clsVBCode& job, int32_t counter, double factor) {
  const int n = job.CountOfLogicalLines();
  for (int j = 1; j <= n; ++j) {
    if (!run_.converter->WriteLine(*run_.file, counter, j)) return false;
    SetBar(static_cast<float>(static_cast<double>(j) / n * factor * indicatorFullWidth_));
    platform::DoEvents();
  }
  return run_.converter->WriteFooter(*run_.file);
}

void frmProgress::Deliver(clsVBCode& job) {
  switch (job.Operation()) {
    case 0: Save(job); break;
    case 1: Copy(job); break;
    case 2: ShowInBrowser(); break;
    default: break;
  }
}

void frmProgress::Save(clsVBCode& job) {
  const bool project = job.TargetMode() == 3;
  if (project) (*this)["lblFileName"].Caption(job.ProjectBaseName());
  (*this)["lblDescription"].Caption("保存しています...");
  platform::DoEvents();
  const uint64_t free = FreeDiskSpace(DriveRoot(job.FileName()));
  if (free <= static_cast<uint64_t>(run_.total)) {
    run_.failure = "保存できませんでした。";
    return;
  }
  const std::string folder = job.OutputFolder();
  if (!run_.css.empty()) PlaceSavedFile(run_.css, JoinPath(folder, kStyleSheetName));
  if (!project) {
    PlaceSavedFile(run_.pages.at(0), job.FileName());
    return;
  }
  PlaceSavedFile(run_.index, JoinPath(folder, "index.htm"));
  PlaceSavedFile(run_.menu, JoinPath(folder, "menu.htm"));
  for (size_t i = 0; i < run_.pages.size(); ++i) {
    PlaceSavedFile(run_.pages[i], JoinPath(folder, ModulePageName(job, static_cast<int>(i) + 1)));
  }
}

void frmProgress::Copy(clsVBCode& job) {
  const std::string cssTarget = JoinPath(job.OutputFolder(), kStyleSheetName);
  bool keepCss = !run_.css.empty();
  if (keepCss && FreeDiskSpace(DriveRoot(cssTarget)) <= static_cast<uint64_t>(run_.cssSize)) {
    platform::CurrentMessageBox().Show(kNoRoomForStyleSheet, platform::kMessageCaption, platform::MsgButtons::OK,
                                       platform::MsgIcon::Warning);
    keepCss = false;
  }
  const std::string text = ReadPageBack(run_.pages.at(0));
  (*this)["lblDescription"].Caption("コピーしています...");
  platform::DoEvents();
  if (!CopyToClipboard(text)) {
    run_.failure = "データをクリップボードにコピーできませんでした。";
    return;
  }
  if (keepCss) PlaceSavedFile(run_.css, cssTarget);
}

void frmProgress::ShowInBrowser() {
  const std::string text = ReadPageBack(run_.pages.at(0));
  (*this)["lblDescription"].Caption("InternetExplorerを起動しています...");
  platform::DoEvents();
  run_.browser = ShowTextInBrowser(text);
  if (!run_.browser) run_.failure = "データを表示できませんでした。";
}

void frmProgress::CleanUp() {
  if (run_.file) run_.file->Close();
  run_.file.reset();
  run_.converter.reset();
  platform::FileSystem& files = platform::CurrentFileSystem();
  for (const std::string& page : run_.pages) files.DeleteFile(page);
  for (const std::string* work : {&run_.css, &run_.index, &run_.menu}) {
    if (!work->empty()) files.DeleteFile(*work);
  }
  run_.pages.clear();
  run_.css.clear();
  run_.index.clear();
  run_.menu.clear();
}

void frmProgress::FailWithError(long number) {
  CleanUp();
  run_.browser.reset();
  errorNumber_ = static_cast<int32_t>(number);
  Hide();
  platform::DoEvents();
}

void frmProgress::Finish(clsVBCode& job) {
  if (!run_.failure.empty()) {
    cancelled_ = true;
    Hide();
    platform::DoEvents();
    platform::CurrentMessageBox().Show(run_.failure, platform::kMessageCaption, platform::MsgButtons::OK,
                                       platform::MsgIcon::Error);
    return;
  }
  SetBar(indicatorFullWidth_);
  (*this)["lblDescription"].Caption("処理が終わりました。");
  platform::DoEvents();
  if (job.Operation() == 2) {
    Hide();
    platform::DoEvents();
    if (run_.browser) run_.browser->Visible(true);
    platform::DoEvents();
    run_.browser.reset();
    return;
  }
  (*this)["cmdOK"].Enabled(true);
  platform::Control& openFile = (*this)["chkOpenFile"];
  if (openFile.Visible()) {
    openFile.Enabled(true);
    openFile.Value(true);
  }
  platform::DoEvents();
  platform::Beep();
}

}  // namespace qm
