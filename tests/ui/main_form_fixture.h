// The options dialog's test world: an output volume "/out" (fixed disk) and a
// network volume "/net", a job over an in-memory project "VBAProject" of
// Book1.xlsm whose Module1 is selected, remembered settings at their first
// command's values, scripted message boxes and file dialog, and a compact
// dump of control states:
//
//   Dump({"optOperationSave", "chkPreTag"}) == "Save* PreTag~"
//
// Each control is named without its kind prefix (and without "Operation" or
// "Target" for option buttons); "*" marks a ticked box or selected option,
// "~" a disabled control.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "addin/common/globals.h"
#include "addin/job/settings.h"
#include "addin/job/vb_code.h"
#include "addin/ui/main_form.h"
#include "addin/ui/window_lock.h"
#include "editor/fake_editor.h"
#include "platform/codepage.h"
#include "platform/fake/fake_recent_documents.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/memory_files.h"
#include "platform/fake/memory_registry.h"
#include "platform/fake/scripted_file_dialog.h"
#include "platform/fake/scripted_message_box.h"
#include "platform/forms_script.h"

namespace qm::test {

// What the command passes to PrepareDialog.
struct Opening {
  std::string projectTitle = "VBAProject (Book1.xlsm)";
  std::string moduleName = "Module1";
  std::string defaultFolder = "/out";
  std::string rememberedFolder;
  std::string procName = "Main";
  int32_t procFirstLine = 2;
  int32_t procLineTotal = 4;
  int32_t selFirstLine = 3;
  int32_t selLastLine = 5;
  bool editorVersion6 = true;

  Opening& Title(std::string title) { projectTitle = std::move(title); return *this; }
  Opening& Folder(std::string folder) { defaultFolder = std::move(folder); return *this; }
  Opening& Remembered(std::string folder) { rememberedFolder = std::move(folder); return *this; }
  Opening& Procedure(std::string name) { procName = std::move(name); return *this; }
  Opening& NoSelection() { selFirstLine = 0; return *this; }
  Opening& Version6(bool on) { editorVersion6 = on; return *this; }
};

inline constexpr const char* kModuleText = "Option Explicit\r\nSub Main()\r\n  x = 1\r\n  y = 2\r\nEnd Sub\r\n' end";

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() {
    files.AddVolume("/out", {});
    files.AddFolder("/out");
    platform::MemoryFileSystem::Volume network;
    network.driveType = platform::kDriveRemote;
    files.AddVolume("/net", network);
    shell.SetFolder(platform::kFolderDocuments, "/home/u/Documents");
  }

  void SetUp() override {
    platform::SetAnsiCodePage(platform::kCodePageUtf8);
    UseModules(2);
    RememberedSettings = std::make_shared<clsSettings>();
    settings().FontSize(10);
    settings().HeldFontSize(10);
    settings().EndProcLine(true);
    settings().HeldEndProcLine(true);
  }

  void TearDown() override {
    form.reset();
    CurrentJob.reset();
    RememberedSettings.reset();
    platform::SetAnsiCodePage(0);
    LockedWindow = 0;
    PreviousWindowProc = nullptr;
  }

  // A new job over a project of `count` modules (Module1 selected) with the
  // default file names of Module1, its procedure Main and lines 3 to 5.
  void UseModules(int count, bool failingLineCount = false) {
    editor::FakeEditor builder;
    builder.project("VBAProject", "/w/Book1.xlsm");
    for (int i = 1; i <= count; ++i) {
      builder.module("Module" + std::to_string(i), kStdModule, kModuleText);
      if (i == 1) {
        builder.selected();
        if (failingLineCount) builder.failingLineCount();
      }
    }
    vbe = builder.build();
    CurrentJob = std::make_shared<clsVBCode>();
    clsVBCode& j = job();
    j.Project(vbe->VBProjects().front());
    for (const VBComponentPtr& component : j.Project()->VBComponents()) j.AddComponent(component);
    j.SelectedComponent(j.ComponentAt(1));
    j.SetDefaultFileName(0, "Book1_Module1.htm");
    j.SetDefaultFileName(1, "Book1_Module1_Main.htm");
    j.SetDefaultFileName(2, "Book1_Module1_3-5.htm");
    j.SetDefaultFileName(3, "Book1/index.htm");
  }

  void InstallBrowser() {
    using platform::Hive;
    using platform::RegValue;
    registry.SetValue(Hive::ClassesRoot, "InternetExplorer.Application\\CLSID", "", RegValue::Text("{C}"));
    registry.SetValue(Hive::ClassesRoot, "CLSID\\{C}\\LocalServer32", "", RegValue::Text("\"/opt/web/browser\""));
    files.AddFile("/opt/web/browser", "");
  }

  // Loads and prepares the dialog (expecting success) and shows it.
  frmMain& Open(const Opening& o = {}) {
    form = std::make_unique<frmMain>();
    EXPECT_EQ(form->PrepareDialog(o.projectTitle, o.moduleName, o.defaultFolder, o.rememberedFolder, o.procName,
                                  o.procFirstLine, o.procLineTotal, o.selFirstLine, o.selLastLine,
                                  o.editorVersion6),
              0);
    form->Activate();
    return *form;
  }

  // The user's actions, in order.
  void Do(const std::vector<platform::FormAction>& actions) {
    for (const platform::FormAction& action : actions) platform::Perform(*form, action);
  }

  std::string Dump(std::initializer_list<std::string_view> names) const {
    std::string dump;
    for (std::string_view name : names) {
      const platform::Control& control = (*form)[name];
      std::string_view shown = name.substr(3);
      for (std::string_view word : {"Operation", "Target"}) {
        if (shown.starts_with(word) && shown.size() > word.size()) shown.remove_prefix(word.size());
      }
      if (!dump.empty()) dump += ' ';
      dump += shown;
      if (control.Value()) dump += '*';
      if (!control.Enabled()) dump += '~';
    }
    return dump;
  }

  // The seven option buttons: the operations, then the targets.
  std::string Options() const {
    return Dump({"optOperationSave", "optOperationCopy", "optOperationShow", "optTargetMod", "optTargetProc",
                 "optTargetSel", "optTargetPj"});
  }

  platform::Control& Ctl(std::string_view name) const { return (*form)[name]; }
  const std::string& Path() const { return (*form)["lblFileName"].Caption(); }
  clsVBCode& job() { return *CurrentJob; }
  clsSettings& settings() { return *RememberedSettings; }

  // The texts of the message boxes shown so far.
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes.ShownBoxes()) {
      EXPECT_EQ(box.caption, "Ferravel");
      texts.push_back(box.text);
    }
    return texts;
  }

  platform::MemoryFileSystem files;
  platform::FakeShell shell;
  platform::MemoryRegistry registry;
  platform::ScriptedMessageBox boxes;
  platform::ScriptedFileDialog fileDialog;
  platform::FakeRecentDocuments recent;
  platform::ScriptedFormHost host;
  platform::ScopedFileSystem useFiles{files};
  platform::ScopedShell useShell{shell};
  platform::ScopedCurrentRegistry useRegistry{registry};
  platform::ScopedMessageBox useBoxes{boxes};
  platform::ScopedFileDialog useFileDialog{fileDialog};
  platform::ScopedRecentDocuments useRecent{recent};
  platform::ScopedFormHost useHost{host};
  editor::MemoryVBEPtr vbe;
  std::unique_ptr<frmMain> form;  // destroyed first: unloading still uses the services
};

}  // namespace qm::test
