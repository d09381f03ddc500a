// The add-in object and its command bar. Connection keeps the editor object
// and builds the bar over the editor's command bars; the button's click event
// is connected for as long as this object holds the button. Removal reads the
// bar's place before deleting it and, when all of that worked, moves the bars
// to its right in the same row left by its width.
#include "addin/host/dsr_addin.h"

#include <algorithm>
#include <atomic>
#include <climits>

#include "addin/common/globals.h"
#include "addin/host/convert_command.h"
#include "addin/host/host_support.h"

namespace qm {
namespace {

std::atomic<int> g_liveObjects{0};

// The smallest RowIndex of a visible bar that is greater than `above`; kNoRowIndex when none is.
int SmallestVisibleRow(const CommandBars& bars, long long above) {
  int row = kNoRowIndex;
  for (const CommandBarPtr& bar : bars.Bars()) {
    if (bar->Visible() && bar->RowIndex() > above) row = std::min(row, bar->RowIndex());
  }
  return row;
}

// Moves the visible bars of a row that lie right of `left` left by `width`,
// each with errors ignored.
void CloseGap(CommandBars& bars, int rowIndex, int left, int width) {
  for (const CommandBarPtr& bar : bars.Bars()) {
    try {
      if (bar->Visible() && bar->RowIndex() == rowIndex && bar->Left() > left) bar->Left(bar->Left() - width);
    } catch (const VbaError&) {
    }
  }
}

// Reads one place value of the bar; 0 (and failed set) when it cannot be read.
int ReadOrZero(int (CommandBar::*read)() const, const CommandBar& bar, bool& failed) {
  try {
    return (bar.*read)();
  } catch (const VbaError&) {
    failed = true;
    return 0;
  }
}

}  // namespace

dsrAddin::dsrAddin() { ++g_liveObjects; }

dsrAddin::~dsrAddin() {
  SetAddInButton(nullptr);
  --g_liveObjects;
}

int LiveAddinObjects() { return g_liveObjects.load(); }

void dsrAddin::IDTExtensibility2_OnConnection(std::shared_ptr<VBE> Application, int /*ConnectMode*/,
                                              AddIn* /*AddInInst*/, CustomArgs& /*custom*/) {
  try {
    VBEInstance = std::move(Application);
    SetAddInButton(CreateCommandBar());
  } catch (...) {
    SetAddInButton(nullptr);
    ShowCaughtError();
  }
}

void dsrAddin::IDTExtensibility2_OnDisconnection(int /*RemoveMode*/, CustomArgs& /*custom*/) {
  SetAddInButton(nullptr);
  RemoveCommandBar(true);
  VBEInstance.reset();
}

void dsrAddin::IDTExtensibility2_OnAddInsUpdate(CustomArgs& /*custom*/) {}
void dsrAddin::IDTExtensibility2_OnStartupComplete(CustomArgs& /*custom*/) {}
void dsrAddin::IDTExtensibility2_OnBeginShutdown(CustomArgs& /*custom*/) {}

void dsrAddin::AddInButton_Click(const CommandBarControlPtr& /*Ctrl*/, bool& /*CancelDefault*/) {
  // Nothing may escape into the host's command-bar code.
  try {
    ConvertCommand();
  } catch (...) {
    ShowCaughtError();
  }
}

void dsrAddin::SetAddInButton(CommandBarControlPtr button) {
  if (AddInButton_) AddInButton_->DisconnectClick(clickCookie_);
  AddInButton_ = std::move(button);
  clickCookie_ = 0;
  if (AddInButton_) {
    clickCookie_ = AddInButton_->ConnectClick(
        [this](const CommandBarControlPtr& ctrl, bool& cancelDefault) { AddInButton_Click(ctrl, cancelDefault); });
  }
}

CommandBarControlPtr CreateCommandBar() {
  RemoveCommandBar(true);
  CommandBars& bars = Require(Require(VBEInstance).CommandBars());
  const int firstRow = SmallestVisibleRow(bars, LLONG_MIN);
  const int secondRow = SmallestVisibleRow(bars, firstRow);

  CommandBarPtr bar = bars.Add(kAddinBarName, kBarTop, false, false);
  CommandBarControlPtr button = Require(bar->Controls()).Add(kControlButton);
  button->BeginGroup(true);
  button->Caption(kAddinButtonCaption);
  button->FaceId(kAddinButtonFaceId);
  button->TooltipText(kAddinButtonCaption);
  button->Style(kButtonIcon);

  bar->Visible(true);
  bar->Protection(kBarNoCustomize);
  bar->RowIndex(secondRow);
  return button;
}

void RemoveCommandBar(bool closeGap) {
  try {
    CommandBars& bars = Require(Require(VBEInstance).CommandBars());
    CommandBarPtr bar = bars.Item(kAddinBarName);
    bool failed = false;
    const int left = ReadOrZero(&CommandBar::Left, *bar, failed);
    const int width = ReadOrZero(&CommandBar::Width, *bar, failed);
    const int rowIndex = ReadOrZero(&CommandBar::RowIndex, *bar, failed);
    bar->Delete();
    if (!failed && closeGap) CloseGap(bars, rowIndex, left, width);
  } catch (const VbaError&) {
  }
}

}  // namespace qm
