// The progress window itself: its controls and designed geometry (one table),
// the set-up before the modal display, the event handlers and the size a file
// counts against free space. The run of the activation handler lives in
// runner.cpp.
#include "addin/output/progress_form.h"

#include "addin/common/globals.h"
#include "addin/common/vba_error.h"
#include "addin/convert/converter.h"
#include "addin/job/vb_code.h"
#include "addin/output/output_targets.h"
#include "platform/forms_host.h"
#include "platform/message_box.h"

namespace qm {

namespace {

using platform::ControlKind;

struct ControlDesign {
  const char* name;
  ControlKind kind;
  float left, top, width, height;
  const char* caption;
};

// The controls from top to bottom, with their designed geometry in points.
constexpr ControlDesign kControls[] = {
    {"lblFileName", ControlKind::Label, 18, 9, 200.25f, 20.25f, ""},
    {"lblDescription", ControlKind::Label, 18, 36, 202.5f, 13.5f, ""},
    {"lblFrame", ControlKind::Label, 15.75f, 58.5f, 204.75f, 18, ""},
    {"lblIndicator", ControlKind::Label, 18, 60.75f, 200, 13.5f, ""},
    {"chkOpenFile", ControlKind::CheckBox, 27, 85.5f, 128.25f, 15.75f, "保存したファイルを開く(O)"},
    {"cmdOK", ControlKind::CommandButton, 81.75f, 112.5f, 72, 20.25f, "OK"},
};

constexpr float kInsideWidth = 235.5f;
constexpr float kInsideHeight = 141;
constexpr int32_t kBlock = 512;
constexpr long kErrOutOfMemory = 7;  // the runtime's "out of memory"
constexpr long kErrInternal = 51;    // the runtime's "internal error"

WindowLockHooks g_windowLock;

}  // namespace

void SetProgressWindowLock(WindowLockHooks hooks) { g_windowLock = hooks; }

frmProgress::frmProgress() : platform::UserForm("frmProgress") {
  AddControls();
  On("UserForm_Initialize", [this] { UserForm_Initialize(); });
  On("UserForm_Activate", [this] { UserForm_Activate(); });
  On("UserForm_Terminate", [this] { UserForm_Terminate(); });
  On("cmdOK_Click", [this] { cmdOK_Click(); });
  On("chkOpenFile_Click", [this] { chkOpenFile_Click(); });
  Load();
}

frmProgress::~frmProgress() {
  CleanUp();
  if (Loaded()) Unload();
}

void frmProgress::AddControls() {
  InsideWidth(kInsideWidth);
  InsideHeight(kInsideHeight);
  for (const ControlDesign& design : kControls) {
    platform::Control& control = Add(design.kind, design.name);
    control.Move(design.left, design.top, design.width, design.height);
    control.Caption(design.caption);
  }
  (*this)["lblFrame"].Effect(platform::SpecialEffect::Sunken);
  (*this)["lblIndicator"].BackColor(platform::kSysHighlight);
  (*this)["chkOpenFile"].BackColor(platform::kSysButtonFace);
  (*this)["chkOpenFile"].ForeColor(platform::kSysButtonText);
  // The only button: Enter presses it once it is enabled.
  (*this)["cmdOK"].Default(true);
}

int32_t frmProgress::PrepareRun(int32_t operation, const std::string& fileLabel) {
  try {
    Caption(platform::kMessageCaption);
    (*this)["lblDescription"].Caption("変換しています...");
    indicatorFullWidth_ = (*this)["lblIndicator"].Width();
    SetBar(0);
    platform::Control& openFile = (*this)["chkOpenFile"];
    platform::Control& ok = (*this)["cmdOK"];
    openFile.Value(false);
    std::string label;
    if (operation == 0) {
      openFile.Enabled(false);
      const clsVBCode* job = CurrentJob.get();
      if (!job) throw VbaError(kErrObjectRequired, "オブジェクトが必要です。");
      label = job->TargetMode() == 3 ? "1/" + std::to_string(job->CountOfComponents()) + " " + job->ComponentAt(1)->Name()
                                     : fileLabel;
    } else {
      openFile.Visible(false);
      label = operation == 1 ? "HTMLソースをクリップボードにコピーします。" : "VBAコードをInternetExplorerで表示します。";
      if (operation == 2) ok.Visible(false);
    }
    ok.Enabled(false);
    (*this)["lblFileName"].Caption(label);
    return 0;
  } catch (const VbaError& error) {
    return static_cast<int32_t>(error.Number());
  }
}

bool frmProgress::OpenFileChecked() const { return (*this)["chkOpenFile"].Value(); }

int32_t frmProgress::AllocatedSize(const std::string& path) {
  const int64_t length = platform::CurrentFileSystem().FileLength(path);
  if (length < 0) RaiseFileError(platform::kFileErrFileNotFound);
  return static_cast<int32_t>((length / kBlock + 1) * kBlock);
}

void frmProgress::SetBar(float width) { (*this)["lblIndicator"].Width(width); }

void frmProgress::UserForm_Initialize() {
  errorNumber_ = 0;
  cancelled_ = false;
}

void frmProgress::cmdOK_Click() {
  Hide();
  platform::DoEvents();
}

// Moves the keyboard focus to cmdOK. The forms model has no keyboard focus of
// its own; cmdOK is the default button, which Enter presses.
void frmProgress::chkOpenFile_Click() {}

void frmProgress::UserForm_Terminate() {
  if (g_windowLock.restore) g_windowLock.restore();
}

void frmProgress::UserForm_Activate() {
  if (!CurrentJob) {
    FailWithError(kErrObjectRequired);
    return;
  }
  clsVBCode& job = *CurrentJob;
  try {
    if (g_windowLock.lock) g_windowLock.lock();
    Convert(job);
    Deliver(job);
  } catch (const VbaError& error) {
    FailWithError(error.Number());
    return;
  } catch (const std::bad_alloc&) {
    FailWithError(kErrOutOfMemory);
    return;
  } catch (const std::exception&) {
    FailWithError(kErrInternal);
    return;
  }
  CleanUp();
  Finish(job);
}

}  // namespace qm
