// The conversion runner end to end over the real converter, an in-memory
// editor and fake services: what is placed where, what the user is told, the
// error numbers, the progress bar, and that no work file outlives a run.
#include "addin/output/progress_form.h"

#include <algorithm>

#include "addin/common/vba_error.h"
#include "output_fixture.h"

namespace qm::test {
namespace {

const std::string kModule = "Sub A()\r\n    x = 1\r\nEnd Sub\r\n";

struct Outcome {
  int32_t error;
  bool cancelled;
  bool openFileChecked;
};

class RunnerTest : public OutputTest {
 protected:
  Outcome Run(std::vector<platform::FormAction> actions = {}) {
    frmProgress form;
    EXPECT_EQ(form.PrepareRun(job().Operation(), job().OutputFileName()), 0);
    host.Script("frmProgress", std::move(actions));
    form.Show();
    return {form.ErrorNumber(), form.Cancelled(), form.OpenFileChecked()};
  }
  std::set<std::string> Out() const { return files.FilesIn("/out"); }
  bool WorkFolderEmpty() const { return files.FilesIn("/work").empty(); }
  // The contents of the work file whose contents ended up at `target`.
  bool CameFromAWorkFile(const std::string& target) const {
    const auto placed = files.Contents(target);
    return placed && !placed->empty() &&
           std::any_of(files.deleted.begin(), files.deleted.end(), [&](const auto& entry) {
             return entry.first.rfind("/work/vba", 0) == 0 && entry.second == *placed;
           });
  }
  // The block-rounded size of every work file deleted.
  int64_t WorkTotal() const {
    int64_t total = 0;
    for (const auto& [path, bytes] : files.deleted) total += (static_cast<int64_t>(bytes.size()) / 512 + 1) * 512;
    return total;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes.ShownBoxes()) texts.push_back(box.text);
    return texts;
  }
};

TEST_F(RunnerTest, SavesASinglePageAndWaitsForOk) {
  UseProject({kModule}, false, "Book1_Module1.htm");
  const Outcome outcome = Run();
  EXPECT_EQ(outcome.error, 0);
  EXPECT_FALSE(outcome.cancelled);
  EXPECT_TRUE(outcome.openFileChecked) << "ticked after a save";
  EXPECT_EQ(Out(), std::set<std::string>{"/out/Book1_Module1.htm"});
  EXPECT_TRUE(CameFromAWorkFile("/out/Book1_Module1.htm"));
  EXPECT_TRUE(WorkFolderEmpty());
  EXPECT_EQ(host.BeepCount(), 1);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(RunnerTest, SavesAProjectSiteWithItsStyleSheet) {
  UseProject({kModule, "Sub B()\r\nEnd Sub\r\n", ""}, true, "index.htm");
  job().WriteCssFile(true);
  job().CssOption(2);
  EXPECT_EQ(Run().error, 0);
  const std::set<std::string> expected = {"/out/Quillmark.css", "/out/index.htm", "/out/menu.htm",
                                          "/out/Book1_Module1.htm", "/out/Book1_Module2.htm",
                                          "/out/Book1_Module3.htm"};
  EXPECT_EQ(Out(), expected);
  for (const std::string& target : expected) EXPECT_TRUE(CameFromAWorkFile(target)) << target;
  EXPECT_TRUE(WorkFolderEmpty());
}

TEST_F(RunnerTest, SavingNeedsMoreFreeSpaceThanTheTotal) {
  UseProject({kModule, kModule}, true, "index.htm");
  ASSERT_EQ(Run().error, 0);
  const int64_t total = WorkTotal();
  for (const int64_t extra : {0, 1}) {
    for (const std::string& placed : Out()) files.DeleteFile(placed);
    boxes = platform::ScriptedMessageBox();
    files.VolumeAt("/out").freeBytes = static_cast<uint64_t>(total + extra);
    const Outcome outcome = Run();
    EXPECT_EQ(outcome.cancelled, extra == 0) << extra;
    EXPECT_EQ(Out().size(), extra == 0 ? 0u : 4u) << extra;
    EXPECT_EQ(Messages(), extra == 0 ? std::vector<std::string>{"保存できませんでした。"} : std::vector<std::string>{});
    EXPECT_TRUE(WorkFolderEmpty());
  }
}

TEST_F(RunnerTest, CopiesThePageAndTheStyleSheetWhenThereIsRoom) {
  UseProject({kModule}, false, "Book1_Module1.htm");
  job().Operation(1);
  job().WriteCssFile(true);
  EXPECT_EQ(Run().error, 0);
  ASSERT_TRUE(clipboard.Content());
  EXPECT_NE(clipboard.Content()->find("<html"), std::string::npos);
  EXPECT_EQ(Out(), std::set<std::string>{"/out/Quillmark.css"});
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(WorkFolderEmpty());
}

TEST_F(RunnerTest, CopyWithoutRoomForTheStyleSheetWarnsAndStillCopies) {
  UseProject({kModule}, false, "Book1_Module1.htm");
  job().Operation(1);
  job().WriteCssFile(true);
  files.VolumeAt("/out").freeBytes = 512;
  const Outcome outcome = Run();
  EXPECT_EQ(outcome.error, 0);
  EXPECT_FALSE(outcome.cancelled);
  EXPECT_TRUE(clipboard.Content());
  EXPECT_TRUE(Out().empty());
  ASSERT_EQ(boxes.ShownBoxes().size(), 1u);
  EXPECT_EQ(boxes.ShownBoxes()[0].text,
            "ドライブの空き容量が足りないため\r\nスタイルシートファイルの保存はできません。\r\n"
            "クリップボードへのコピーのみ実行します。");
  EXPECT_EQ(boxes.ShownBoxes()[0].icon, platform::MsgIcon::Warning);
  EXPECT_TRUE(WorkFolderEmpty());
}

TEST_F(RunnerTest, FailedDeliveryEndsWithItsMessageAndLeavesNothing) {
  struct Case {
    int operation;
    const char* message;
  };
  const Case cases[] = {{1, "データをクリップボードにコピーできませんでした。"}, {2, "データを表示できませんでした。"}};
  clipboard.Fail(true);
  browser.FailCreate(true);
  for (const Case& c : cases) {
    boxes = platform::ScriptedMessageBox();
    UseProject({kModule}, false, "Book1_Module1.htm");
    job().Operation(c.operation);
    job().WriteCssFile(true);
    const Outcome outcome = Run();
    EXPECT_EQ(outcome.error, 0);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
    EXPECT_EQ(boxes.ShownBoxes().at(0).icon, platform::MsgIcon::Error);
    EXPECT_TRUE(Out().empty()) << "no style sheet after a failed copy";
    EXPECT_TRUE(WorkFolderEmpty());
  }
}

TEST_F(RunnerTest, ShowsThePageInANewBrowserWindowAfterHiding) {
  UseProject({kModule}, false, "Book1_Module1.htm");
  job().Operation(2);
  EXPECT_EQ(Run().error, 0);
  const std::vector<std::string>& log = browser.Log();
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(log[0], "navigate about:blank");
  EXPECT_EQ(log[1].rfind("write <", 0), 0u);
  EXPECT_EQ(log[2], "refresh");
  EXPECT_EQ(log[3], "visible 1");
  EXPECT_EQ(log[4], "released");
  EXPECT_TRUE(WorkFolderEmpty());
}

TEST_F(RunnerTest, ConverterFailuresEndWithTheirErrorNumberAndPlaceNothing) {
  struct Case {
    bool project;
    int failing;
    bool css;
    int32_t error;
  };
  const Case cases[] = {{true, 3, true, 10004}, {false, 1, false, 10005}};
  for (const Case& c : cases) {
    UseProject({kModule, kModule, kModule, kModule, kModule}, c.project, "page.htm", c.project ? c.failing : 0);
    if (!c.project) job().SelectedComponent(nullptr);  // a module the converter cannot read
    job().WriteCssFile(c.css);
    const Outcome outcome = Run();
    EXPECT_EQ(outcome.error, c.error);
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_TRUE(Out().empty());
    EXPECT_TRUE(WorkFolderEmpty());
    EXPECT_TRUE(Messages().empty()) << "the command reports the error";
  }
  const auto reached = [&](const char* label) {
    return std::any_of(host.states.begin(), host.states.end(),
                       [&](const std::string& state) { return state.find(label) != std::string::npos; });
  };
  EXPECT_TRUE(reached("3/5 Module3"));
  EXPECT_FALSE(reached("4/5")) << "the run stops at the failing module";
}

TEST_F(RunnerTest, FileFailuresEndWithTheFileErrorAndLeaveNothing) {
  struct Case {
    const char* name;
    void (*arrange)(RecordingFileSystem&);
    int operation;
    int32_t error;
  };
  const Case cases[] = {
      {"work disk full", [](RecordingFileSystem& fs) { fs.VolumeAt("/work").writableBytes = 40; }, 0, 10005},
      {"read-only output folder", [](RecordingFileSystem& fs) { fs.MakeReadOnly("/out"); }, 0, 70},
      {"output disk full", [](RecordingFileSystem& fs) { fs.VolumeAt("/out").writableBytes = 40; }, 0, 61},
      {"page vanishes", [](RecordingFileSystem& fs) { fs.VanishOnNextRead("/work/vba1.tmp"); }, 1, 53},
  };
  for (const Case& c : cases) {
    RecordingFileSystem fresh;
    fresh.AddVolume("/work", {});
    fresh.AddVolume("/out", {});
    c.arrange(fresh);
    platform::ScopedFileSystem use(fresh);
    UseProject({kModule}, false, "page.htm");
    job().Operation(c.operation);
    EXPECT_EQ(Run().error, c.error) << c.name;
    EXPECT_TRUE(fresh.FilesIn("/out").empty()) << c.name;
    EXPECT_TRUE(fresh.FilesIn("/work").empty()) << c.name;
  }
}

TEST_F(RunnerTest, TheBarStopsAt97PercentUntilTheOutputIsDelivered) {
  UseProject({kModule, kModule}, true, "index.htm");
  EXPECT_EQ(Run().error, 0);
  const std::vector<std::string> expected = {
      "変換しています...|1/2 Module1|66.6667", "変換しています...|1/2 Module1|133.333",
      "変換しています...|1/2 Module1|200",     "変換しています...|2/2 Module2|0",
      "変換しています...|2/2 Module2|64.6667", "変換しています...|2/2 Module2|129.333",
      "変換しています...|2/2 Module2|194",     "保存しています...|Book1|194",
      "処理が終わりました。|Book1|200",
  };
  ASSERT_GE(host.states.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(host.states.begin(), host.states.begin() + expected.size()), expected);
}

TEST_F(RunnerTest, UntickingOpenFileBeforeOkIsRemembered) {
  UseProject({kModule}, false, "page.htm");
  const Outcome outcome = Run({platform::FormAction::Tick("chkOpenFile", false), platform::FormAction::Click("cmdOK")});
  EXPECT_FALSE(outcome.openFileChecked);
}

TEST_F(RunnerTest, PrepareRunSetsTheWindowUpForTheOperation) {
  struct Case {
    int operation;
    bool project;
    const char* label;
    bool checkVisible;
    bool okVisible;
  };
  const Case cases[] = {
      {0, true, "1/2 Module1", true, true},
      {0, false, "page.htm", true, true},
      {1, false, "HTMLソースをクリップボードにコピーします。", false, true},
      {2, false, "VBAコードをInternetExplorerで表示します。", false, false},
  };
  for (const Case& c : cases) {
    UseProject({kModule, kModule}, c.project, "page.htm");
    frmProgress form;
    ASSERT_EQ(form.PrepareRun(c.operation, "page.htm"), 0);
    EXPECT_EQ(form.Caption(), "Ferravel");
    EXPECT_EQ(form["lblFileName"].Caption(), c.label);
    EXPECT_EQ(form["lblDescription"].Caption(), "変換しています...");
    EXPECT_EQ(form["chkOpenFile"].Visible(), c.checkVisible);
    EXPECT_FALSE(form["chkOpenFile"].Enabled() && form["chkOpenFile"].Visible());
    EXPECT_FALSE(form["chkOpenFile"].Value());
    EXPECT_EQ(form["cmdOK"].Visible(), c.okVisible);
    EXPECT_FALSE(form["cmdOK"].Enabled());
    EXPECT_EQ(form.IndicatorFullWidth(), 200.0f);
    EXPECT_EQ(form["lblIndicator"].Width(), 0.0f);
  }
}

TEST_F(RunnerTest, AllocatedSizeCountsOneBlockMoreThanTheWholeBlocks) {
  const std::pair<size_t, int32_t> cases[] = {{0, 512}, {511, 512}, {512, 1024}, {1024, 1536}, {1500, 1536}};
  for (const auto& [length, expected] : cases) {
    files.AddFile("/work/f", std::string(length, 'x'));
    EXPECT_EQ(frmProgress::AllocatedSize("/work/f"), expected) << length;
  }
  EXPECT_THROW(frmProgress::AllocatedSize("/work/none"), VbaError);
}

}  // namespace
}  // namespace qm::test
