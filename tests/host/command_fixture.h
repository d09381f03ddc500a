// The conversion command's test world: an in-memory editor connected as
// VBEInstance (its windows installed as the window service), the editor's
// default settings in an in-memory registry, an in-memory file system with a
// work volume "/work", a project volume "/w", a documents folder and a CD-ROM
// "/cd", a fake shell, scripted message boxes, file dialog and forms. The
// form host notes what the options dialog was opened with, so that a test
// can read the job as the command prepared it even after the command has
// released it.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "addin/common/globals.h"
#include "addin/job/settings.h"
#include "addin/job/vb_code.h"
#include "addin/ui/main_form.h"
#include "addin/ui/window_lock.h"
#include "editor/editor_defaults.h"
#include "editor/editor_windows.h"
#include "editor/fake_editor.h"
#include "platform/codepage.h"
#include "platform/fake/fake_browser.h"
#include "platform/fake/fake_clipboard.h"
#include "platform/fake/fake_recent_documents.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/memory_files.h"
#include "platform/fake/memory_registry.h"
#include "platform/fake/scripted_file_dialog.h"
#include "platform/fake/scripted_message_box.h"
#include "platform/forms_script.h"

namespace qm::test {

// What the options dialog was opened with: the job as the command prepared
// it and the dialog's own members after PrepareDialog.
struct DialogOpening {
  std::vector<std::string> components;  // the job's components, in order
  std::array<std::string, 4> defaultNames;
  std::string baseName;
  int32_t tabWidth = 0;
  std::string fontFace;
  std::string projectTitle;
  std::string procName;
  std::string defaultFolder;
  std::string chosenFolder;
  std::string pathLabel;  // lblFileName
};

// A scripted form host that notes every opening of the options dialog.
class NotingFormHost : public platform::ScriptedFormHost {
 public:
  void ShowModal(platform::UserForm& form) override {
    if (auto* dialog = dynamic_cast<frmMain*>(&form)) openings.push_back(Note(*dialog));
    ScriptedFormHost::ShowModal(form);
  }
  std::vector<DialogOpening> openings;

 private:
  static DialogOpening Note(const frmMain& dialog) {
    DialogOpening o;
    const clsVBCode& job = *CurrentJob;
    for (int i = 1; i <= job.CountOfComponents(); ++i) o.components.push_back(job.ComponentAt(i)->Name());
    for (int i = 0; i < 4; ++i) o.defaultNames[i] = job.DefaultFileName(i);
    o.baseName = job.ProjectBaseName();
    o.tabWidth = job.TabWidth();
    o.fontFace = job.FontFace();
    o.projectTitle = dialog.ProjectTitle();
    o.procName = dialog.ProcName();
    o.defaultFolder = dialog.DefaultFolder();
    o.chosenFolder = dialog.ChosenFolder();
    o.pathLabel = dialog["lblFileName"].Caption();
    return o;
  }
};

inline constexpr const char* kMainModule =
    "Option Explicit\r\n"           // 1
    "Dim total As Long\r\n"         // 2
    "\r\n"                          // 3
    "Sub Main()\r\n"                // 4
    "  total = 1 + _\r\n"           // 5
    "    2\r\n"                     // 6
    "  MsgBox \"a & b\"\r\n"        // 7
    "End Sub";                      // 8

class CommandTest : public ::testing::Test {
 protected:
  CommandTest() {
    WriteEditorDefaults(registry);
    files.AddVolume("/work", {});
    files.AddVolume("/w", {});
    files.AddVolume("/home/u/Documents", {});
    files.AddVolume("/cd", CdRom());
    for (const char* folder : {"/work", "/w", "/home/u/Documents", "/cd"}) files.AddFolder(folder);
    shell.SetEnvironment("tmp", "/work");
    shell.SetFolder(platform::kFolderDocuments, "/home/u/Documents");
  }

  void SetUp() override { platform::SetAnsiCodePage(platform::kCodePageUtf8); }

  void TearDown() override {
    windowsScope.reset();
    windows.reset();
    VBEInstance.reset();
    CurrentJob.reset();
    RememberedSettings.reset();
    platform::SetAnsiCodePage(0);
    LockedWindow = 0;
    PreviousWindowProc = nullptr;
  }

  static platform::MemoryFileSystem::Volume CdRom() {
    platform::MemoryFileSystem::Volume volume;
    volume.driveType = platform::kDriveCdRom;
    return volume;
  }

  // The usual editor: Book1.xlsm in /w with its document component and
  // Module1 (kMainModule) selected, shown, the caret on line 7.
  static editor::FakeEditor UsualEditor() {
    editor::FakeEditor builder;
    builder.project("VBAProject", "/w/Book1.xlsm")
        .module("ThisWorkbook", kDocument, "")
        .module("Module1", kStdModule, kMainModule)
        .selected()
        .caret(7, 3)
        .shown();
    return builder;
  }

  // Connects the editor as the add-in's VBEInstance, with its windows.
  void Connect(const editor::FakeEditor& builder) {
    vbe = builder.build();
    VBEInstance = vbe;
    windowsScope.reset();
    windows = std::make_unique<editor::EditorWindows>(vbe);
    windowsScope = std::make_unique<platform::ScopedWindows>(*windows);
  }

  // The texts of every message box shown.
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes.ShownBoxes()) texts.push_back(box.text);
    return texts;
  }

  // Presses OK in the options dialog, then OK in the progress window.
  void ScriptConfirmedRun(std::vector<platform::FormAction> dialogActions = {}) {
    dialogActions.push_back(platform::FormAction::Click("cmdOK"));
    forms.Script("frmMain", std::move(dialogActions));
    forms.Script("frmProgress", {platform::FormAction::Tick("chkOpenFile", false),
                                 platform::FormAction::Click("cmdOK")});
  }

  platform::MemoryRegistry registry;
  platform::MemoryFileSystem files;
  platform::FakeShell shell;
  platform::FakeClipboard clipboard;
  platform::FakeBrowser browser;
  platform::ScriptedMessageBox boxes;
  NotingFormHost forms;
  platform::ScriptedFileDialog fileDialog;
  platform::FakeRecentDocuments recent;
  platform::ScopedCurrentRegistry useRegistry{registry};
  platform::ScopedFileSystem useFiles{files};
  platform::ScopedShell useShell{shell};
  platform::ScopedClipboard useClipboard{clipboard};
  platform::ScopedBrowser useBrowser{browser};
  platform::ScopedMessageBox useBoxes{boxes};
  platform::ScopedFormHost useForms{forms};
  platform::ScopedFileDialog useFileDialog{fileDialog};
  platform::ScopedRecentDocuments useRecent{recent};
  editor::MemoryVBEPtr vbe;
  std::unique_ptr<editor::EditorWindows> windows;
  std::unique_ptr<platform::ScopedWindows> windowsScope;
};

}  // namespace qm::test
