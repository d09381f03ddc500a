// The save-file dialog: what the platform dialog is asked to show, where it
// starts, and what is removed after a pick (recent-documents entries the pick
// added, an empty file at the chosen path) — and what is never removed.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "addin/ui/file_dialog.h"
#include "platform/fake/fake_recent_documents.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/memory_files.h"
#include "platform/fake/scripted_file_dialog.h"

namespace qm {
namespace {

using platform::MemoryFileSystem;

constexpr const char* kDocuments = "/home/u/Documents";

MemoryFileSystem::Volume Drive(int type, int probe = platform::kProbeReady) {
  MemoryFileSystem::Volume volume;
  volume.driveType = type;
  volume.probe = probe;
  return volume;
}

class FileDialogTest : public ::testing::Test {
 protected:
  FileDialogTest() {
    files_.AddVolume("/", {});
    files_.AddVolume("/cd", Drive(platform::kDriveCdRom));
    files_.AddVolume("/net", Drive(platform::kDriveRemote));
    files_.AddVolume("/media/stick", Drive(platform::kDriveRemovable, platform::kProbeNotReady));
    files_.AddFolder("/out");
    shell_.SetFolder(platform::kFolderDocuments, kDocuments);
  }

  // Runs ChooseSaveFile for `current`; the chosen path, "" when none.
  std::string Choose(const std::string& current, bool expectPicked = true) {
    std::string chosen = "stale";
    EXPECT_EQ(dialog_.ChooseSaveFile(chosen, current), expectPicked);
    return chosen;
  }

  MemoryFileSystem files_;
  platform::FakeShell shell_;
  platform::ScriptedFileDialog platformDialog_;
  platform::FakeRecentDocuments recent_;
  platform::ScopedFileSystem filesScope_{files_};
  platform::ScopedShell shellScope_{shell_};
  platform::ScopedFileDialog dialogScope_{platformDialog_};
  platform::ScopedRecentDocuments recentScope_{recent_};
  clsFileDialog dialog_;
};

TEST_F(FileDialogTest, AsksForAnHtmlFileInTheCurrentFolder) {
  platformDialog_.Choose("/out/other.htm");
  EXPECT_EQ(Choose("/out/Book1_Module1.htm"), "/out/other.htm");

  ASSERT_EQ(platformDialog_.Requests().size(), 1u);
  const platform::FileDialogRequest& request = platformDialog_.Requests()[0];
  EXPECT_EQ(request.title, "Ferravel - 保存するファイル名を指定");
  EXPECT_EQ(request.filterName, "ＨＴＭＬ ファイル(*.htm)");
  EXPECT_EQ(request.filterPattern, "*.htm");
  EXPECT_EQ(request.defaultExtension, ".htm");
  EXPECT_EQ(request.initialFolder, "/out");
  EXPECT_EQ(request.fileName, "Book1_Module1.htm");
  EXPECT_EQ(request.okLabel, "OK");
  EXPECT_EQ(request.cancelLabel, "Cancel");
  EXPECT_TRUE(request.pathMustExist);
  EXPECT_EQ(dialog_.ErrorNumber(), 0);
}

TEST_F(FileDialogTest, StartsInTheDocumentsFolderWhenTheDriveCannotTakeTheOutput) {
  const struct {
    const char* current;
    const char* initialFolder;
  } cases[] = {
      {"/out/a.htm", "/out"},
      {"/cd/site/a.htm", kDocuments},            // CD-ROM
      {"/net/share/a.htm", kDocuments},          // network share
      {"/media/stick/a.htm", kDocuments},        // removable drive without a disk
  };
  for (const auto& c : cases) {
    platformDialog_.Cancel();
    Choose(c.current, false);
    EXPECT_EQ(platformDialog_.Requests().back().initialFolder, c.initialFolder) << c.current;
    EXPECT_EQ(platformDialog_.Requests().back().fileName, "a.htm") << c.current;
  }
}

TEST_F(FileDialogTest, CancelChangesNothing) {
  files_.AddFile("/out/empty.htm", "");
  platformDialog_.OnPick([&](auto&, auto&) { ADD_FAILURE() << "no pick expected"; });
  platformDialog_.Cancel();

  EXPECT_EQ(Choose("/out/empty.htm", false), "");
  EXPECT_TRUE(recent_.RemoveCalls().empty());
  EXPECT_TRUE(files_.FileExists("/out/empty.htm"));
  EXPECT_EQ(dialog_.ErrorNumber(), 0);
}

TEST_F(FileDialogTest, AFailingDialogSetsTheErrorNumber) {
  platformDialog_.Fail(platform::kFileErrPathNotFound);
  EXPECT_EQ(Choose("/out/a.htm", false), "");
  EXPECT_EQ(dialog_.ErrorNumber(), platform::kFileErrPathNotFound);
  EXPECT_TRUE(recent_.RemoveCalls().empty());
}

// Recent-documents entries before the dialog, the ones the pick of
// /out/page.htm adds, and the entries left afterwards.
TEST_F(FileDialogTest, RemovesOnlyTheRecentEntriesThePickAdded) {
  const struct {
    std::set<std::string> before;
    std::set<std::string> added;
    std::set<std::string> after;
  } cases[] = {
      // An empty record: both the file's and the folder's entries go.
      {{}, {"page.htm.lnk", "out.lnk"}, {}},
      // Entries that were there before stay.
      {{"page.htm.lnk", "report.doc.lnk"}, {"out.lnk"}, {"page.htm.lnk", "report.doc.lnk"}},
      {{"out.lnk"}, {"page.htm.lnk"}, {"out.lnk"}},
      // Names compare exactly.
      {{"Page.htm.lnk"}, {"page.htm.lnk", "out.lnk"}, {"Page.htm.lnk"}},
      // Unrelated entries the pick did not add are never touched.
      {{"a.lnk"}, {"b.lnk"}, {"a.lnk", "b.lnk"}},
  };
  for (const auto& c : cases) {
    platform::FakeRecentDocuments recent;
    platform::ScopedRecentDocuments scope(recent);
    for (const std::string& name : c.before) recent.Add(name);
    platformDialog_.OnPick([&](auto&, auto&) {
      for (const std::string& name : c.added) recent.Add(name);
    });
    platformDialog_.Choose("/out/page.htm");
    Choose("/out/a.htm");
    EXPECT_EQ(recent.Entries(), c.after);
  }
}

TEST_F(FileDialogTest, AnEmptyRecordTriesBothEntriesEvenWhenThePickAddedNone) {
  platformDialog_.Choose("/out/page.htm");
  Choose("/out/a.htm");
  EXPECT_EQ(recent_.RemoveCalls(), (std::vector<std::string>{"page.htm.lnk", "out.lnk"}));
}

TEST_F(FileDialogTest, AnUnreadableRecordIsLeftAlone) {
  recent_.Add("page.htm.lnk");
  recent_.MakeUnreadable(true);
  platformDialog_.Choose("/out/page.htm");
  EXPECT_EQ(Choose("/out/a.htm"), "/out/page.htm");
  EXPECT_TRUE(recent_.RemoveCalls().empty());
}

TEST_F(FileDialogTest, DeletesAnEmptyFileAtTheChosenPathOnly) {
  files_.AddFile("/out/empty.htm", "");
  files_.AddFile("/out/full.htm", "<html>");
  files_.AddFile("/out/a.htm", "");
  // The platform dialog leaves an empty file at a new path.
  platformDialog_.OnPick([&](auto&, const std::string& path) {
    if (!files_.FileExists(path)) files_.AddFile(path, "");
  });
  for (const char* path : {"/out/empty.htm", "/out/full.htm", "/out/new.htm"}) {
    platformDialog_.Choose(path);
    EXPECT_EQ(Choose("/out/a.htm"), path);
  }
  EXPECT_FALSE(files_.FileExists("/out/empty.htm"));
  EXPECT_FALSE(files_.FileExists("/out/new.htm"));
  EXPECT_EQ(files_.Contents("/out/full.htm"), "<html>");
  EXPECT_TRUE(files_.FileExists("/out/a.htm"));  // the current path is not the chosen one
}

}  // namespace
}  // namespace qm
