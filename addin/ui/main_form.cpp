// The options dialog's window: its controls with their designed captions,
// kinds and geometry (one table, with the look of each control), the handler
// registration by event name, the initialisation on loading, and the small
// handlers of the window and its Cancel and help buttons. The rules that
// keep the controls in step live in the other main_form_*.cpp files.
#include "addin/ui/main_form.h"

#include <array>
#include <new>

#include "addin/common/globals.h"
#include "addin/common/path_parts.h"
#include "addin/common/vba_error.h"
#include "addin/job/settings.h"
#include "addin/job/vb_code.h"
#include "addin/ui/help.h"
#include "addin/ui/window_lock.h"
#include "platform/forms_host.h"
#include "platform/message_box.h"

namespace qm {

namespace {

using platform::ControlKind;

// How a control looks beyond its kind.
enum class Look {
  Plain,
  Title,    // bold 11.25 pt: the two description lines
  Heading,  // bold, dark blue: the box and row titles
  Etched,   // an empty label with an etched border: a group box
  Sunken,   // a sunken border: the name rows and the file frame
  Measure,  // invisible, one line, sized to its text: the name rows' measuring labels
};

struct ControlDesign {
  const char* name;
  ControlKind kind;
  float left, top, width, height;
  const char* caption;
  Look look;
};

constexpr ControlKind kLabel = ControlKind::Label;
constexpr ControlKind kOption = ControlKind::OptionButton;
constexpr ControlKind kCheck = ControlKind::CheckBox;
constexpr ControlKind kButton = ControlKind::CommandButton;

// Every control of the dialog in the order of its top edge, in points from
// the top-left corner of the client area. lblFileName lies inside
// fraFileName, at a position relative to the frame.
constexpr ControlDesign kControls[] = {
    {"cmdOK", kButton, 340.8f, 3, 55.5f, 17.3f, "OK", Look::Plain},
    {"lblDescription1", kLabel, 42.8f, 12, 273, 15.8f, "現在選択されているプロジェクト／モジュールの", Look::Title},
    {"img2000", ControlKind::Picture, 11.3f, 13.5f, 21, 21, "", Look::Plain},
    {"img2002", ControlKind::Picture, 11.3f, 13.5f, 21, 21, "", Look::Plain},
    {"cmdCancel", kButton, 340.8f, 21, 55.5f, 17.3f, "キャンセル", Look::Plain},
    {"lblDescription2", kLabel, 43.6f, 25.5f, 235.5f, 15.8f, "VBAコードをHTML形式に変換します。", Look::Title},
    {"cmdHelp", kButton, 340.8f, 39.1f, 55.5f, 17.3f, "ヘルプ", Look::Plain},
    {"lblCaptionOperation", kLabel, 17.9f, 56.2f, 46.5f, 9, "処理区分", Look::Heading},
    {"lblCaptionOption", kLabel, 214.4f, 56.2f, 68.3f, 9, "オプション設定", Look::Heading},
    {"lblFrameOperation", kLabel, 10.5f, 60, 189.8f, 85.5f, "", Look::Etched},
    {"lblFrameOption", kLabel, 207, 60, 189.8f, 174.8f, "", Look::Etched},
    {"chkStyleSheet", kCheck, 216.7f, 69.8f, 131.2f, 14.3f, "スタイルシートを使用する(E)", Look::Plain},
    {"optOperationSave", kOption, 19.5f, 70.6f, 91.5f, 14.3f, "ファイルに保存(S)", Look::Plain},
    {"cboFontSize", ControlKind::ComboBox, 276.7f, 86.3f, 37.5f, 15, "", Look::Plain},
    {"optOperationCopy", kOption, 19.5f, 87.8f, 118.5f, 14.3f, "クリップボードにコピー(C)", Look::Plain},
    {"lblFontSize", kLabel, 230.2f, 89.3f, 73.5f, 9, "文字サイズ", Look::Plain},
    {"cboCSSOption", ControlKind::ComboBox, 276.7f, 104.3f, 111, 15, "", Look::Plain},
    {"chkBodyOnly", kCheck, 37.5f, 105.1f, 120, 14.3f, "<body>タグの内部のみ(B)", Look::Plain},
    {"lblCSSOption", kLabel, 230.2f, 107.3f, 73.5f, 9, "属性指定", Look::Plain},
    {"chkPreTag", kCheck, 216.7f, 124.5f, 111.7f, 14.3f, "<pre>タグを使用する(T)", Look::Plain},
    {"optOperationShow", kOption, 19.5f, 124.6f, 158.3f, 14.3f, "InternetExplorerで表示(X)", Look::Plain},
    {"chkNormalColor", kCheck, 216.7f, 142.5f, 119.3f, 14.3f, "標準の配色を使用する(N)", Look::Plain},
    {"lblOperationRange", kLabel, 17.9f, 151.5f, 46.5f, 9, "対象範囲", Look::Heading},
    {"lblFrameRange", kLabel, 10.5f, 155.2f, 189.8f, 79.5f, "", Look::Etched},
    {"chkEndProcLine", kCheck, 216.7f, 160.5f, 119.3f, 14.3f, "プロシージャの区分線(R)", Look::Plain},
    {"optTargetPj", kOption, 19.4f, 163.4f, 99.8f, 14.3f, "プロジェクト全体(W)", Look::Plain},
    {"chkIgnoreCharSet", kCheck, 216.7f, 178.5f, 159.8f, 14.3f, "フォントと文字コードを無視する(F)", Look::Plain},
    {"optTargetMod", kOption, 19.4f, 181.4f, 93, 14.3f, "モジュール全体(M)", Look::Plain},
    {"chkModuleName", kCheck, 216.7f, 196.5f, 171.8f, 14.3f, "HTMLの先頭にモジュール名を表示(A)", Look::Plain},
    {"optTargetProc", kOption, 19.4f, 198.7f, 122.3f, 14.3f, "選択されたプロシージャ(P)", Look::Plain},
    {"chkJavaScript", kCheck, 216.7f, 214.5f, 147, 14.3f, "JavaScriptを使用する(J)", Look::Plain},
    {"optTargetSel", kOption, 19.4f, 215.9f, 104.3f, 14.3f, "選択範囲を含む行(L)", Look::Plain},
    {"spnProjectName", ControlKind::SpinButton, 369, 241.5f, 26.2f, 14.3f, "", Look::Plain},
    {"lblProjectName", kLabel, 98.3f, 242.3f, 270.7f, 13.5f, "", Look::Sunken},
    {"lblCaptionProject", kLabel, 10.5f, 244.5f, 85.5f, 13.5f, "対象プロジェクト", Look::Heading},
    {"lblModuleName", kLabel, 98.3f, 257.2f, 297.6f, 13.5f, "", Look::Sunken},
    {"lblCaptionModule", kLabel, 10.5f, 258.7f, 85.5f, 13.5f, "対象モジュール", Look::Heading},
    {"spnProcName", ControlKind::SpinButton, 369, 271.5f, 26.2f, 14.3f, "", Look::Plain},
    {"lblProcName", kLabel, 98.3f, 272.2f, 270.7f, 13.5f, "", Look::Sunken},
    {"lblCaptionProc", kLabel, 10.5f, 273.9f, 85.5f, 13.5f, "対象プロシージャ", Look::Heading},
    {"lblLineRow", kLabel, 98.3f, 287.3f, 297.6f, 13.5f, "", Look::Sunken},
    {"lblCaptionLine", kLabel, 10.5f, 288.1f, 85.5f, 13.5f, "対象行", Look::Heading},
    {"fraFileName", ControlKind::Frame, 98.2f, 302.2f, 297.6f, 39.8f, "", Look::Sunken},
    {"lblFileName", kLabel, 0, 0, 258.8f, 48, "", Look::Plain},
    {"lblCaptionFile", kLabel, 10.5f, 303.8f, 85.5f, 13.5f, "HTMLファイル名", Look::Heading},
    {"cmdFile", kButton, 8.9f, 321.7f, 84, 21, "ファイル名変更...", Look::Plain},
    {"lblCopyright", kLabel, 107.9f, 345, 288.6f, 12, "", Look::Plain},
    {"lblProjectDummy", kLabel, 40.5f, 366.8f, 147, 12.8f, "", Look::Measure},
    {"lblProcDummy", kLabel, 192.8f, 366.8f, 147, 12.8f, "", Look::Measure},
};

constexpr long kErrOutOfMemory = 7;
constexpr long kErrInternal = 51;
constexpr long kErrObjectVariableNotSet = 91;
constexpr const char* kObjectVariableNotSetText = "オブジェクト変数が設定されていません。";

constexpr float kClientWidth = 407.3f;
constexpr float kClientHeight = 354.8f;
constexpr platform::Color kDarkBlue = platform::Rgb(0, 0, 192);
constexpr double kTitleFontSize = 11.25;
// The entries of the font size list, positions 0 to 8.
constexpr std::array<const char*, 9> kFontSizes = {"8", "9", "10", "11", "12", "14", "16", "18", "24"};

void ApplyLook(platform::Control& control, Look look) {
  switch (look) {
    case Look::Plain: break;
    case Look::Title:
      control.FontSize(kTitleFontSize);
      control.FontBold(true);
      break;
    case Look::Heading:
      control.FontBold(true);
      control.ForeColor(kDarkBlue);
      break;
    case Look::Etched: control.Effect(platform::SpecialEffect::Etched); break;
    case Look::Sunken: control.Effect(platform::SpecialEffect::Sunken); break;
    case Look::Measure:
      control.Visible(false);
      control.WordWrap(false);
      control.AutoSize(true);
      break;
  }
}

}  // namespace

frmMain::frmMain() : platform::UserForm("frmMain") {
  AddControls();
  RegisterHandlers();
  Load();
}

frmMain::~frmMain() {
  if (Loaded()) Unload();
}

void frmMain::AddControls() {
  InsideWidth(kClientWidth);
  InsideHeight(kClientHeight);
  for (const ControlDesign& design : kControls) {
    platform::Control* container = std::string_view(design.name) == "lblFileName" ? &(*this)["fraFileName"] : nullptr;
    platform::Control& control = Add(design.kind, design.name, container);
    control.Move(design.left, design.top, design.width, design.height);
    control.Caption(design.caption);
    ApplyLook(control, design.look);
    if (design.kind == kOption) {
      control.GroupName(std::string_view(design.name).starts_with("optOperation") ? "Operation" : "Target");
    }
  }
  for (const char* spin : {"spnProjectName", "spnProcName"}) {
    (*this)[spin].SpinOrientation(platform::Orientation::Horizontal);
  }
  (*this)["cboFontSize"].Style(platform::ComboStyle::DropDownCombo);
  (*this)["cboFontSize"].ListRows(static_cast<int>(kFontSizes.size()));
  (*this)["cboCSSOption"].Style(platform::ComboStyle::DropDownList);
  (*this)["lblFileName"].WordWrap(true);
  (*this)["lblFileName"].AutoSize(true);  // its height follows the wrapped path
  (*this)["cmdCancel"].Cancel(true);
  (*this)["lblCopyright"].Enabled(false);
  (*this)["img2000"].Picture(kPictureClassicEditor);
  (*this)["img2002"].Picture(kPictureLaterEditor);
}

void frmMain::RegisterHandlers() {
  On("UserForm_Initialize", [this] { UserForm_Initialize(); });
  On("UserForm_Activate", [this] { UserForm_Activate(); });
  On("UserForm_Terminate", [this] { UserForm_Terminate(); });
  On("optOperationSave_Click", [this] {
    SelectOperation((*this)["optOperationSave"], (*this)["optOperationCopy"], (*this)["optOperationShow"], 0);
  });
  On("optOperationCopy_Click", [this] {
    SelectOperation((*this)["optOperationCopy"], (*this)["optOperationSave"], (*this)["optOperationShow"], 1);
  });
  On("optOperationShow_Click", [this] {
    SelectOperation((*this)["optOperationShow"], (*this)["optOperationSave"], (*this)["optOperationCopy"], 2);
  });
  On("optTargetMod_Click", [this] { SelectTarget(0); });
  On("optTargetProc_Click", [this] { SelectTarget(1); });
  On("optTargetSel_Click", [this] { SelectTarget(2); });
  On("optTargetPj_Click", [this] { SelectTarget(3); });
  On("chkStyleSheet_Change", [this] { chkStyleSheet_Change(); });
  On("cboCSSOption_Change", [this] { cboCSSOption_Change(); });
  On("cboFontSize_Change", [this] { cboFontSize_Change(); });
  On("chkPreTag_Change", [this] { HeldValueChange("chkPreTag", heldPreTag_); });
  On("chkEndProcLine_Change", [this] { HeldValueChange("chkEndProcLine", heldEndProcLine_); });
  On("chkBodyOnly_Change", [this] { HeldValueChange("chkBodyOnly", heldBodyOnly_); });
  On("chkJavaScript_Change", [this] { HeldValueChange("chkJavaScript", heldJavaScript_); });
  On("spnProjectName_SpinUp", [this] { ScrollNameForward((*this)["lblProjectName"], (*this)["lblProjectDummy"]); });
  On("spnProjectName_SpinDown",
     [this] { ScrollNameBack((*this)["lblProjectName"], (*this)["lblProjectDummy"], projectTitle_); });
  On("spnProcName_SpinUp", [this] { ScrollNameForward((*this)["lblProcName"], (*this)["lblProcDummy"]); });
  On("spnProcName_SpinDown", [this] { ScrollNameBack((*this)["lblProcName"], (*this)["lblProcDummy"], procName_); });
  On("cmdCancel_Click", [this] { cmdCancel_Click(); });
  On("cmdHelp_Click", [this] { cmdHelp_Click(); });
  On("cmdOK_Click", [this] { cmdOK_Click(); });
  On("cmdFile_Click", [this] { cmdFile_Click(); });
}

int32_t frmMain::Trap(const std::function<void()>& body) {
  try {
    body();
    return 0;
  } catch (const VbaError& error) {
    return static_cast<int32_t>(error.Number());
  } catch (const platform::FormError&) {
    return kErrInvalidPropertyValue;
  } catch (const std::bad_alloc&) {
    return kErrOutOfMemory;
  } catch (const std::exception&) {
    return kErrInternal;
  }
}

clsVBCode& frmMain::Job() {
  if (!CurrentJob) throw VbaError(kErrObjectVariableNotSet, kObjectVariableNotSetText);
  return *CurrentJob;
}

clsSettings& frmMain::Settings() {
  if (!RememberedSettings) throw VbaError(kErrObjectVariableNotSet, kObjectVariableNotSetText);
  return *RememberedSettings;
}

std::string frmMain::InFolder(const std::string& folder, const std::string& name) {
  std::string path = folder;
  if (path.empty() || path.back() != kPathSeparator) path += kPathSeparator;
  return path + name;
}

void frmMain::UserForm_Initialize() {
  eventsEnabled_ = false;
  Caption(std::string(platform::kMessageCaption) + " Ver " + kProductVersion);
  (*this)["lblCopyright"].Caption(kCopyrightLine);
  platform::Control& sizes = (*this)["cboFontSize"];
  for (const char* size : kFontSizes) sizes.AddItem(size);
  cancelled_ = true;
  errorNumber_ = 0;
}

void frmMain::UserForm_Activate() { LockActiveWindow(); }

void frmMain::UserForm_Terminate() {
  CloseHelp();
  RestoreWindowProc();
}

void frmMain::cmdCancel_Click() {
  cancelled_ = true;
  Hide();
  platform::DoEvents();
}

void frmMain::cmdHelp_Click() { ShowHelp(); }

void frmMain::HeldValueChange(const char* checkBox, bool& held) {
  if (!eventsEnabled_) return;
  eventsEnabled_ = false;
  held = (*this)[checkBox].Value();
  eventsEnabled_ = true;
}

}  // namespace qm
