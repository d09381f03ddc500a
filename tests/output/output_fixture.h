// The output tests' world: an in-memory file system with a work volume
// ("/work", the work folder through the variable "tmp") and an output volume
// ("/out"), a fake shell, clipboard and browser, a scripted message box and
// form host, and a job over an in-memory editor project of named modules.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "addin/common/globals.h"
#include "addin/job/vb_code.h"
#include "editor/fake_editor.h"
#include "platform/codepage.h"
#include "platform/fake/fake_browser.h"
#include "platform/fake/fake_clipboard.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/memory_files.h"
#include "platform/fake/memory_registry.h"
#include "platform/fake/scripted_message_box.h"
#include "platform/forms_script.h"

namespace qm::test {

// The in-memory file system, keeping the last contents of every file deleted
// (so a test can compare placed files with the work files they came from).
class RecordingFileSystem : public platform::MemoryFileSystem {
 public:
  bool DeleteFile(const std::string& path) override {
    if (auto bytes = Contents(path)) deleted[path] = *bytes;
    return MemoryFileSystem::DeleteFile(path);
  }
  std::map<std::string, std::string> deleted;  // path → contents when deleted
};

// A scripted form host that notes the progress window's state at every
// processing of pending messages: "<description>|<file label>|<bar width>".
class RecordingFormHost : public platform::ScriptedFormHost {
 public:
  void ShowModal(platform::UserForm& form) override {
    form_ = &form;
    ScriptedFormHost::ShowModal(form);
  }
  void DoEvents() override {
    ScriptedFormHost::DoEvents();
    if (!form_) return;
    const platform::UserForm& f = *form_;
    std::ostringstream line;
    line << f["lblDescription"].Caption() << "|" << f["lblFileName"].Caption() << "|" << f["lblIndicator"].Width();
    states.push_back(line.str());
  }
  std::vector<std::string> states;

 private:
  platform::UserForm* form_ = nullptr;
};

class OutputTest : public ::testing::Test {
 protected:
  OutputTest() {
    files.AddVolume("/work", {});
    files.AddVolume("/out", {});
    shell.SetEnvironment("tmp", "/work");
    shell.SetFolder(platform::kFolderDocuments, "/home/u/Documents");
    shell.SetCurrentDirectory("/cwd");
  }
  void SetUp() override {
    platform::SetAnsiCodePage(platform::kCodePageUtf8);
    CurrentJob = std::make_shared<clsVBCode>();
  }
  void TearDown() override {
    CurrentJob.reset();
    platform::SetAnsiCodePage(0);
  }

  clsVBCode& job() { return *CurrentJob; }

  // A project "VBAProject" of Book1.xlsm with modules of the given texts
  // (named Module1, Module2, …); the module at `failing` (1-based, 0 for
  // none) cannot be read. The job converts the first module, or the whole
  // project, into /out/<fileName> with the standard colours.
  void UseProject(const std::vector<std::string>& texts, bool wholeProject, const std::string& fileName,
                  int failing = 0) {
    editor::FakeEditor builder;
    builder.project("VBAProject", "/w/Book1.xlsm");
    for (size_t i = 0; i < texts.size(); ++i) {
      builder.module("Module" + std::to_string(i + 1), kStdModule, texts[i]);
      if (static_cast<int>(i) + 1 == failing) builder.failingLineCount();
      if (i == 0) builder.selected();
    }
    vbe = builder.build();
    clsVBCode& j = job();
    j.Project(vbe->VBProjects().front());
    for (const VBComponentPtr& component : j.Project()->VBComponents()) j.AddComponent(component);
    j.SelectedComponent(j.ComponentAt(1));
    j.SetForeColors("#000000", "#000080", "#008000", "#000000");
    j.SetBackColors("#ffffff", "#ffffff", "#ffffff", "#ffffff");
    j.FontFace("Courier New");
    j.FontSize(10);
    j.TabWidth(4);
    j.UseStyleSheet(true);
    j.ProjectBaseName("Book1");
    j.ProjectTitle("Book1.xlsm");
    j.TargetMode(wholeProject ? 3 : 0);
    j.StartLine(1);
    j.LineCount(j.ComponentAt(1)->CodeModule()->CountOfLines());
    for (int mode = 0; mode < 4; ++mode) j.SetDefaultFileName(mode, fileName);
    j.FileName("/out/" + fileName);
  }

  RecordingFileSystem files;
  platform::FakeShell shell;
  platform::FakeClipboard clipboard;
  platform::FakeBrowser browser;
  platform::ScriptedMessageBox boxes;
  RecordingFormHost host;
  platform::MemoryRegistry registry;
  platform::ScopedFileSystem useFiles{files};
  platform::ScopedShell useShell{shell};
  platform::ScopedClipboard useClipboard{clipboard};
  platform::ScopedBrowser useBrowser{browser};
  platform::ScopedMessageBox useBoxes{boxes};
  platform::ScopedFormHost useHost{host};
  platform::ScopedCurrentRegistry useRegistry{registry};
  editor::MemoryVBEPtr vbe;
};

}  // namespace qm::test
