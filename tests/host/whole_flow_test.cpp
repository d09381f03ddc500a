// One conversion from the click to the page on disk: an in-memory editor,
// the add-in connected to it, a module selected, the "Ferravel" button
// clicked, the options dialog confirmed by the scripted user, the progress
// window run, and the page written into a temporary folder of the real file
// system, then opened with its program.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "addin/common/globals.h"
#include "addin/host/dsr_addin.h"
#include "addin/job/settings.h"
#include "addin/ui/window_lock.h"
#include "editor/editor_defaults.h"
#include "editor/editor_windows.h"
#include "editor/fake_editor.h"
#include "platform/codepage.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/memory_registry.h"
#include "platform/fake/scripted_message_box.h"
#include "platform/forms_script.h"

namespace qm::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kExpectedHead =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
    "<html><head>\r\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n"
    "<meta name=\"Generator\" content=\"Ferravel\">\r\n"
    "<!--\r\n"
    "quillmark-option {type: 0; css: 0}\r\n"
    "-->\r\n"
    "<title>Book1_Module1</title>\r\n"
    "<style type=text/css>\r\n"
    "<!--\r\n"
    "body {background-color: #ffffff; color: #000000; white-space: nowrap; font-size: 10pt; "
    "font-family: 'ＭＳ ゴシック'}\r\n";

class WholeFlowTest : public ::testing::Test {
 protected:
  WholeFlowTest() {
    folder_ = fs::temp_directory_path() / ("qm_flow_" + std::to_string(::getpid()));
    fs::create_directories(folder_ / "work");
    fs::create_directories(folder_ / "docs");
    WriteEditorDefaults(registry_);
    shell_.SetEnvironment("tmp", (folder_ / "work").string());
    shell_.SetFolder(platform::kFolderDocuments, (folder_ / "docs").string());
    shell_.SetAssociation({platform::kShellSuccess, "/usr/bin/quill-viewer"});
    platform::SetAnsiCodePage(platform::kCodePageUtf8);
  }
  ~WholeFlowTest() override {
    VBEInstance.reset();
    CurrentJob.reset();
    RememberedSettings.reset();
    LockedWindow = 0;
    PreviousWindowProc = nullptr;
    platform::SetAnsiCodePage(0);
    fs::remove_all(folder_);
  }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  fs::path folder_;
  platform::MemoryRegistry registry_;
  platform::FakeShell shell_;
  platform::ScriptedMessageBox boxes_;
  platform::ScriptedFormHost forms_;
  platform::ScopedCurrentRegistry useRegistry_{registry_};
  platform::ScopedShell useShell_{shell_};
  platform::ScopedMessageBox useBoxes_{boxes_};
  platform::ScopedFormHost useForms_{forms_};
};

TEST_F(WholeFlowTest, AClickOnTheButtonSavesThePageOfTheSelectedModule) {
  const std::string book = (folder_ / "Book1.xlsm").string();
  editor::FakeEditor builder;
  builder.project("VBAProject", book)
      .module("ThisWorkbook", kDocument, "")
      .module("Module2", kStdModule, "Sub Other()\r\nEnd Sub")
      .module("Module1", kStdModule, "Option Explicit\r\n\r\nSub Main()\r\n  MsgBox \"a & b\"\r\nEnd Sub")
      .selected()
      .caret(4, 3)
      .shown();
  const editor::MemoryVBEPtr vbe = builder.build();
  editor::EditorWindows windows(vbe);
  platform::ScopedWindows useWindows(windows);

  dsrAddin addin;
  CustomArgs custom;
  addin.OnConnection(vbe, kConnectStartup, nullptr, custom);
  ASSERT_EQ(VBEInstance, vbe);

  forms_.Script("frmMain", {platform::FormAction::Click("cmdOK")});
  forms_.Script("frmProgress", {platform::FormAction::Click("cmdOK")});
  vbe->CommandBars()->Item("Ferravel")->Controls()->Item(1)->Execute();

  EXPECT_TRUE(boxes_.ShownBoxes().empty()) << boxes_.ShownBoxes().front().text;
  EXPECT_EQ(forms_.ShownForms(), (std::vector<std::string>{"frmMain", "frmProgress"}));
  const fs::path page = folder_ / "Book1_Module1.htm";
  ASSERT_TRUE(fs::exists(page));
  const std::string html = Read(page);
  EXPECT_EQ(html.substr(0, std::string(kExpectedHead).size()), kExpectedHead);
  EXPECT_NE(html.find("<span class=\"k\">Sub</span>&nbsp;Main()</div>\r\n"), std::string::npos) << html;
  EXPECT_NE(html.find("MsgBox&nbsp;&quot;a&nbsp;&amp;&nbsp;b&quot;</div>\r\n"), std::string::npos) << html;
  EXPECT_EQ(html.find("Other"), std::string::npos);  // only the selected module
  EXPECT_EQ(html.substr(html.size() - 16), "</body></html>\r\n");

  // The saved file was opened, the work folder is empty, and the dialog
  // state is remembered for the next click.
  EXPECT_EQ(shell_.Opened(), std::vector<std::string>{page.string()});
  EXPECT_TRUE(fs::is_empty(folder_ / "work"));
  ASSERT_NE(RememberedSettings, nullptr);
  EXPECT_EQ(RememberedSettings->LastProjectTitle(), "VBAProject (Book1.xlsm)");
  EXPECT_EQ(CurrentJob, nullptr);

  addin.OnDisconnection(kDisconnectUserClosed, custom);
  EXPECT_EQ(VBEInstance, nullptr);
}

}  // namespace
}  // namespace qm::test
