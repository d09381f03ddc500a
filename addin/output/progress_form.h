// frmProgress: the small modal window that performs one conversion after the
// options dialog was confirmed.
//
// Calling protocol (the conversion command's):
//   frmProgress form;                       (Initialize: no error, not cancelled)
//   if (form.PrepareRun(job.Operation(), job.OutputFileName()) == 0) form.Show();
//   then read ErrorNumber() (raise it when not 0), Cancelled() and, after a
//   save, OpenFileChecked(); finally form.Unload().
// The whole run happens in the activation handler: every page is converted
// into a work file of the work folder, then the job's operation delivers the
// result (save to files, copy to the clipboard, show in the browser), then
// the work files are deleted. A run that fails with a message sets
// Cancelled; one that fails with an error sets ErrorNumber (10001-10005 for a
// failed converter operation, or the file error's number) and hides the
// window without a message. No work file is left behind on either path, and
// no target file is ever left partly written.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/browser.h"
#include "platform/files.h"
#include "platform/forms.h"

namespace qm {

class clsConverter;
class clsVBCode;

// The runner's error numbers: a converter operation failed.
inline constexpr long kErrStyleRules = 10001;    // WriteStyleRules
inline constexpr long kErrIndexPage = 10002;     // WriteIndexPage
inline constexpr long kErrMenuPage = 10003;      // WriteMenuPage
inline constexpr long kErrProjectModule = 10004; // a module page of a project
inline constexpr long kErrSinglePage = 10005;    // the page of a module, procedure or selection

// The window lock the progress window applies when its run starts and undoes
// when it terminates. It belongs to the user-interface layer above this one
// (LockActiveWindow, RestoreWindowProc), which installs it here; until then
// both steps do nothing.
struct WindowLockHooks {
  void (*lock)() = nullptr;
  void (*restore)() = nullptr;
};
void SetProgressWindowLock(WindowLockHooks hooks);

class frmProgress : public platform::UserForm {
 public:
  frmProgress();
  ~frmProgress() override;

  // Sets the window up for the operation (0 save, 1 copy, 2 show) and the
  // output file name; 0, or the number of the error met (nothing raised).
  int32_t PrepareRun(int32_t operation, const std::string& fileLabel);

  int32_t ErrorNumber() const { return errorNumber_; }
  bool Cancelled() const { return cancelled_; }
  bool OpenFileChecked() const;
  float IndicatorFullWidth() const { return indicatorFullWidth_; }

  // The room a file takes against free space: (⌊length ÷ 512⌋ + 1) × 512.
  // Raises the file error 53 when the file cannot be examined.
  static int32_t AllocatedSize(const std::string& path);

 private:
  // What one run keeps: its work files, sizes, failure text and browser.
  struct Run {
    std::vector<std::string> pages;  // page work files, page i at [i - 1]
    std::string css, index, menu;    // work files; empty when not produced
    int64_t total = 0;               // block-rounded size of all output
    int32_t cssSize = 0;             // block-rounded size of the style sheet
    std::string failure;             // the failure message; empty while none
    std::unique_ptr<platform::TextFile> file;       // the open work file
    std::unique_ptr<clsConverter> converter;        // the converter writing now
    std::unique_ptr<platform::BrowserWindow> browser;  // the show operation's window
  };

  void AddControls();
  void UserForm_Initialize();
  void UserForm_Activate();
  void cmdOK_Click();
  void chkOpenFile_Click();
  void UserForm_Terminate();

  // --- The run (runner.cpp)
  void Convert(clsVBCode& job);
  void WriteStyleSheet(clsVBCode& job);
  void WriteProjectPages(clsVBCode& job);
  void WriteSinglePage(clsVBCode& job);
  // Writes the logical lines of the module that BeginModule read and the
  // page's end; false at the first failure. `factor` scales the bar.
  bool WriteModuleLines(clsVBCode& job, int32_t counter, double factor);
  void Deliver(clsVBCode& job);
  void Save(clsVBCode& job);
  void Copy(clsVBCode& job);
  void ShowInBrowser();
  void CleanUp();
  void Finish(clsVBCode& job);
  void FailWithError(long number);
  // Creates a work file and opens it for writing; returns its path.
  std::string OpenWorkFile();
  // Closes the open work file; raises the file error of a failed write.
  void CloseWorkFile();
  void SetBar(float width);

  int32_t errorNumber_ = 0;
  bool cancelled_ = false;
  float indicatorFullWidth_ = 0;  // the bar's designed width, saved by PrepareRun
  Run run_;
};

}  // namespace qm
