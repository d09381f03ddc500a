// Fault injection into whole runs of the progress window: the disk filling up
// at each write of a run (every work file: style sheet, index, menu, each
// page; every placement), a target another program holds locked, a folder
// standing where a page goes, a work file deleted while it is written or
// before it is placed. Each case checks what the user gets (the error number
// or the message), that no work file is left, and that every target path
// holds either the user's earlier file or a complete new one — never a part.
//
// The world: a three-module project saved as a frameset site with its style
// sheet into /out, where the user's files of an earlier run already lie
// (and one unrelated file). A clean run first records, in order, the work
// files and the placed files, so each fault can be put inside each of them.
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "addin/output/progress_form.h"
#include "output_fixture.h"

namespace qm::test {
namespace {

const std::vector<std::string> kModules = {
    "Sub A()\r\n    x = 1\r\nEnd Sub\r\n",
    "' 二番目\r\nFunction B(ByVal n As Long) As Long\r\n    B = n * 2\r\nEnd Function\r\n",
    "Private Type T\r\n    v As Integer\r\nEnd Type\r\n",
};
// The site's targets, in the order the runner places them.
const std::vector<std::string> kTargets = {"/out/Quillmark.css", "/out/index.htm", "/out/menu.htm",
                                           "/out/Book1_Module1.htm", "/out/Book1_Module2.htm",
                                           "/out/Book1_Module3.htm"};
const char* const kUnrelated = "/out/notes.txt";

// The memory file system with two faults of its own: targets locked by
// another program (placing onto them is refused, as a file held open is on
// Windows), and a work file that disappears at a chosen pending-message
// point of the run (see DeletingFormHost).
class FaultyFileSystem : public RecordingFileSystem {
 public:
  FaultyFileSystem() {
    AddVolume("/work", {});
    AddVolume("/out", {});
  }
  long PlaceFile(const std::string& from, const std::string& to) override {
    if (locked.count(to) != 0) return platform::kFileErrPermissionDenied;
    return RecordingFileSystem::PlaceFile(from, to);
  }
  // Every file ever created in /work, in creation order (names are numbered).
  std::vector<std::string> WorkFilesSeen() const {
    std::vector<std::string> seen;
    for (const auto& [path, bytes] : deleted) {
      if (path.rfind("/work/", 0) == 0) seen.push_back(path);
    }
    std::sort(seen.begin(), seen.end(), [](const std::string& a, const std::string& b) {
      return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return seen;
  }
  std::set<std::string> locked;  // targets that cannot be replaced
};

// A form host that deletes the newest file of /work at its n-th processing of
// pending messages (the runner processes them after every line it converts).
class DeletingFormHost : public RecordingFormHost {
 public:
  DeletingFormHost(FaultyFileSystem& files, int at) : files_(files), at_(at) {}
  void DoEvents() override {
    RecordingFormHost::DoEvents();
    if (++count_ != at_) return;
    const auto work = files_.FilesIn("/work");
    if (!work.empty()) files_.DeleteFile(*work.rbegin());
  }

 private:
  FaultyFileSystem& files_;
  int at_;         // the processing that deletes
  int count_ = 0;  // processings so far
};

struct RunResult {
  int32_t error = 0;
  bool cancelled = false;
};

class FaultInjectionTest : public OutputTest {
 protected:
  // Puts the user's earlier site and an unrelated file into /out.
  static void AddEarlierFiles(FaultyFileSystem& fs) {
    for (const std::string& target : kTargets) fs.AddFile(target, "earlier " + target);
    fs.AddFile(kUnrelated, "the user's notes");
  }

  // Runs the site conversion on `fs`; the job is made afresh.
  RunResult RunSite(FaultyFileSystem& fs) {
    platform::ScopedFileSystem use(fs);
    CurrentJob = std::make_shared<clsVBCode>();
    UseProject(kModules, true, "index.htm");
    job().WriteCssFile(true);
    job().CssOption(2);
    frmProgress form;
    EXPECT_EQ(form.PrepareRun(job().Operation(), job().OutputFileName()), 0);
    form.Show();
    return {form.ErrorNumber(), form.Cancelled()};
  }

  // A clean run's work files (in creation order, with their bytes) and the
  // complete new target files.
  void RecordCleanRun() {
    FaultyFileSystem fs;
    AddEarlierFiles(fs);
    host.states.clear();
    ASSERT_EQ(RunSite(fs).error, 0);
    for (size_t i = 0; i < host.states.size(); ++i) {
      const std::string& state = host.states[i];
      if (state.rfind("変換しています...|", 0) == 0 && state.substr(state.rfind('|')) != "|0") {
        lineProcessings_.push_back(static_cast<int>(i) + 1);
      }
    }
    for (const std::string& path : fs.WorkFilesSeen()) workSizes_.push_back(fs.deleted.at(path).size());
    for (const std::string& target : kTargets) newFiles_[target] = *fs.Contents(target);
    ASSERT_EQ(workSizes_.size(), kTargets.size()) << "one work file per target";
  }

  // What must hold after any failed run: no work file, the unrelated file
  // untouched, each target either the earlier file or the complete new one;
  // `placedBefore` targets (the first ones) are new, the others earlier.
  void ExpectSiteConsistent(const FaultyFileSystem& fs, size_t placedBefore, const std::string& label) {
    EXPECT_TRUE(fs.FilesIn("/work").empty()) << label << ": a work file was left behind";
    EXPECT_EQ(fs.Contents(kUnrelated), "the user's notes") << label;
    EXPECT_EQ(fs.FilesIn("/out").size(), kTargets.size() + 1) << label << ": a stray file in the output folder";
    for (size_t i = 0; i < kTargets.size(); ++i) {
      const std::string& target = kTargets[i];
      const auto expected = i < placedBefore ? newFiles_.at(target) : "earlier " + target;
      EXPECT_EQ(fs.Contents(target), expected) << label << ": " << target;
    }
  }

  std::vector<int> lineProcessings_;             // clean run: processings right after a line was written
  std::vector<size_t> workSizes_;                // clean run: work file sizes, in creation order
  std::map<std::string, std::string> newFiles_;  // clean run: target → complete new bytes
};

TEST_F(FaultInjectionTest, AFullWorkDiskInsideEachWorkFileEndsWithThatWritersNumber) {
  RecordCleanRun();
  // Work files in creation order: style sheet, index, menu, three pages.
  const int32_t expected[] = {kErrStyleRules, kErrIndexPage, kErrMenuPage,
                              kErrProjectModule, kErrProjectModule, kErrProjectModule};
  uint64_t before = 0;
  for (size_t k = 0; k < workSizes_.size(); ++k) {
    for (const uint64_t room : {before, before + workSizes_[k] / 2, before + workSizes_[k] - 1}) {
      FaultyFileSystem fs;
      AddEarlierFiles(fs);
      fs.VolumeAt("/work").writableBytes = room;
      const std::string label = "work file " + std::to_string(k + 1) + ", room " + std::to_string(room);
      EXPECT_EQ(RunSite(fs).error, expected[k]) << label;
      ExpectSiteConsistent(fs, 0, label);
    }
    before += workSizes_[k];
  }
}

TEST_F(FaultInjectionTest, AFullOutputDiskInsideEachPlacementKeepsEveryFileWholeOrEarlier) {
  RecordCleanRun();
  uint64_t before = 0;
  for (size_t k = 0; k < kTargets.size(); ++k) {
    const uint64_t size = newFiles_.at(kTargets[k]).size();
    for (const uint64_t room : {before, before + size - 1}) {
      FaultyFileSystem fs;
      AddEarlierFiles(fs);
      fs.VolumeAt("/out").writableBytes = room;
      const std::string label = "placing " + kTargets[k] + ", room " + std::to_string(room);
      EXPECT_EQ(RunSite(fs).error, platform::kFileErrDiskFull) << label;
      ExpectSiteConsistent(fs, k, label);
    }
    before += size;
  }
}

TEST_F(FaultInjectionTest, ALockedTargetEndsWithPermissionDenied) {
  RecordCleanRun();
  for (size_t k = 0; k < kTargets.size(); ++k) {
    FaultyFileSystem fs;
    AddEarlierFiles(fs);
    fs.locked.insert(kTargets[k]);
    EXPECT_EQ(RunSite(fs).error, platform::kFileErrPermissionDenied) << kTargets[k];
    ExpectSiteConsistent(fs, k, "locked " + kTargets[k]);
  }
}

TEST_F(FaultInjectionTest, AFolderWhereAPageGoesIsRefusedAndKept) {
  RecordCleanRun();
  for (size_t k = 0; k < kTargets.size(); ++k) {
    FaultyFileSystem fs;
    AddEarlierFiles(fs);
    fs.DeleteFile(kTargets[k]);
    fs.deleted.clear();
    fs.AddFolder(kTargets[k]);
    EXPECT_NE(RunSite(fs).error, 0) << kTargets[k];
    EXPECT_TRUE(fs.FolderExists(kTargets[k])) << kTargets[k];
    EXPECT_FALSE(fs.FileExists(kTargets[k])) << "a file written over the folder " << kTargets[k];
    EXPECT_TRUE(fs.FilesIn("/work").empty()) << kTargets[k];
    for (size_t i = k + 1; i < kTargets.size(); ++i) {
      EXPECT_EQ(fs.Contents(kTargets[i]), "earlier " + kTargets[i]) << "after the folder " << kTargets[k];
    }
  }
}

TEST_F(FaultInjectionTest, AWorkFileDeletedWhileItIsWrittenEndsTheRun) {
  RecordCleanRun();
  // Every processing of pending messages that follows a converted line, so
  // the page being written loses its file before its next line or its foot.
  ASSERT_GE(lineProcessings_.size(), 6u);
  for (const int at : lineProcessings_) {
    FaultyFileSystem fs;
    AddEarlierFiles(fs);
    DeletingFormHost deleting(fs, at);
    platform::ScopedFormHost useHost(deleting);
    const RunResult result = RunSite(fs);
    const std::string label = "deleted at processing " + std::to_string(at);
    EXPECT_EQ(result.error, kErrProjectModule) << label;
    ExpectSiteConsistent(fs, 0, label);
  }
}

TEST_F(FaultInjectionTest, AWorkFileGoneBeforeItIsPlacedEndsWithFileNotFound) {
  RecordCleanRun();
  // Work files are numbered in creation order; the page of Module2 is the fifth.
  for (const int n : {1, 2, 5}) {
    FaultyFileSystem fs;
    AddEarlierFiles(fs);
    fs.VanishOnNextRead("/work/vba" + std::to_string(n) + ".tmp");
    const std::string label = "work file " + std::to_string(n) + " vanished";
    EXPECT_EQ(RunSite(fs).error, platform::kFileErrFileNotFound) << label;
    ExpectSiteConsistent(fs, static_cast<size_t>(n - 1), label);
  }
}

TEST_F(FaultInjectionTest, AReadOnlyOutputFolderChangesNothing) {
  RecordCleanRun();
  FaultyFileSystem fs;
  AddEarlierFiles(fs);
  fs.MakeReadOnly("/out");
  EXPECT_EQ(RunSite(fs).error, platform::kFileErrPermissionDenied);
  ExpectSiteConsistent(fs, 0, "read-only /out");
}

}  // namespace
}  // namespace qm::test
