// The add-in object dsrAddin: the editor creates it when it loads the add-in
// and reports connection and disconnection to it. On connection the add-in
// keeps the editor object (VBEInstance) and places its command bar
// "Ferravel" with one icon button; a click on the button runs ConvertCommand.
// On disconnection it deletes the bar, closes the gap left in its row, and
// lets the editor object go.
#pragma once

#include "addin/host/addin_abi.h"
#include "addin/host/command_bars.h"

namespace qm {

// The add-in's command bar and button.
inline constexpr const char* kAddinBarName = "Ferravel";
inline constexpr const char* kAddinButtonCaption = "Ferravel";
inline constexpr int kAddinButtonFaceId = 3044;
// RowIndex when no visible bar has the row asked for.
inline constexpr int kNoRowIndex = 999999;

class dsrAddin final : public IDTExtensibility2 {
 public:
  dsrAddin();
  // Disconnects the click handler; the bar itself stays (as after an unload
  // without disconnection).
  ~dsrAddin() override;
  dsrAddin(const dsrAddin&) = delete;
  dsrAddin& operator=(const dsrAddin&) = delete;

  // IDTExtensibility2, each handled by the event handler of the same name below.
  void OnConnection(std::shared_ptr<VBE> Application, int ConnectMode, AddIn* AddInInst,
                    CustomArgs& custom) override {
    IDTExtensibility2_OnConnection(std::move(Application), ConnectMode, AddInInst, custom);
  }
  void OnDisconnection(int RemoveMode, CustomArgs& custom) override {
    IDTExtensibility2_OnDisconnection(RemoveMode, custom);
  }
  void OnAddInsUpdate(CustomArgs& custom) override { IDTExtensibility2_OnAddInsUpdate(custom); }
  void OnStartupComplete(CustomArgs& custom) override { IDTExtensibility2_OnStartupComplete(custom); }
  void OnBeginShutdown(CustomArgs& custom) override { IDTExtensibility2_OnBeginShutdown(custom); }
  void Release() override { delete this; }

  // Keeps the editor object and creates the command bar; any error is shown
  // with the general error message and goes no further.
  void IDTExtensibility2_OnConnection(std::shared_ptr<VBE> Application, int ConnectMode, AddIn* AddInInst,
                                      CustomArgs& custom);
  // Lets the button go, removes the bar closing its gap, empties VBEInstance.
  void IDTExtensibility2_OnDisconnection(int RemoveMode, CustomArgs& custom);
  void IDTExtensibility2_OnAddInsUpdate(CustomArgs& custom);
  void IDTExtensibility2_OnStartupComplete(CustomArgs& custom);
  void IDTExtensibility2_OnBeginShutdown(CustomArgs& custom);
  // Runs ConvertCommand; CancelDefault is left as it is.
  void AddInButton_Click(const CommandBarControlPtr& Ctrl, bool& CancelDefault);

  // The button whose clicks this object handles; none while disconnected.
  const CommandBarControlPtr& AddInButton() const { return AddInButton_; }

 private:
  // Handles the clicks of button (none: of no button) instead of the old one's.
  void SetAddInButton(CommandBarControlPtr button);

  CommandBarControlPtr AddInButton_;  // none while disconnected
  int clickCookie_ = 0;               // the click handler's connection on AddInButton_
};

// Number of dsrAddin objects alive in the process.
int LiveAddinObjects();

// Removes a left-over bar, then adds the bar "Ferravel" docked at the top in
// the second row of visible bars, with one icon button, shown and protected
// from customising. Returns the button; errors are not caught.
CommandBarControlPtr CreateCommandBar();

// Deletes the bar "Ferravel" when there is one; with closeGap, the visible
// bars right of it in its row move left by its width. Every error is ignored.
void RemoveCommandBar(bool closeGap);

}  // namespace qm
