// The Linux file service against a scratch folder: work files, output text
// files in a code page, placing a file over its target without ever leaving a
// partly written target, and the volume rules (mount table, drive types).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/posix_volumes.h"

namespace qm::platform {
namespace {

namespace fs = std::filesystem;

class LinuxFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/qm_files_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(dir_, fs::perms::owner_all, ignored);
    fs::remove_all(dir_, ignored);
  }
  void Write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
  std::string Read(const std::string& path) { return files.ReadAllBytes(path).value_or("<none>"); }
  std::set<std::string> Names() {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.insert(entry.path().filename());
    return names;
  }
  FileSystem& files = posix::LinuxFileSystem();
  std::string dir_;
};

TEST_F(LinuxFilesTest, WorkFilesAreNewEmptyAndBeginWithThePrefix) {
  const std::string a = files.CreateWorkFile(dir_, "vba");
  const std::string b = files.CreateWorkFile(dir_ + "/", "vba");
  ASSERT_FALSE(a.empty());
  EXPECT_NE(a, b);
  EXPECT_EQ(fs::path(a).parent_path(), fs::path(dir_));
  EXPECT_EQ(fs::path(a).filename().string().rfind("vba", 0), 0u);
  EXPECT_EQ(files.FileLength(a), 0);
  EXPECT_EQ(files.CreateWorkFile(dir_ + "/missing", "vba"), "");
}

TEST_F(LinuxFilesTest, TextFileEncodesEachLineAndEndsItWithCrLf) {
  if (!CodePageSupported(932)) GTEST_SKIP() << "no CP932 conversion on this machine";
  const std::string path = dir_ + "/page.htm";
  auto file = files.OpenTextFile(path, 932);
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->WriteLine("<p>日本</p>"));
  EXPECT_TRUE(file->WriteLine(""));
  EXPECT_EQ(file->Close(), 0);
  EXPECT_EQ(Read(path), "<p>\x93\xfa\x96\x7b</p>\r\n\r\n");
}

TEST(LinuxTextFileTest, FullDiskIsReportedAsFailureNotSuccess) {
  if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  auto file = posix::LinuxFileSystem().OpenTextFile("/dev/full", kCodePageUtf8);
  ASSERT_TRUE(file);
  bool allWritten = true;
  for (int i = 0; i < 20000 && allWritten; ++i) allWritten = file->WriteLine("a line of output text");
  const long closed = file->Close();
  EXPECT_FALSE(allWritten && closed == 0);
  EXPECT_EQ(closed, kFileErrDiskFull);
}

// Placing from a work file on the target's volume (a rename) and from one on
// another volume (a copy) gives the same bytes and permissions: a new target
// gets the default ones although work files are private, a replaced target
// keeps its own. Only the copy leaves the work file behind.
TEST_F(LinuxFilesTest, PlacingByRenameOrCopyGivesTheSameFile) {
  const std::string bytes("new\r\ncontent\0x", 14);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  char shm[] = "/dev/shm/qm_place_XXXXXX";
  const bool otherVolume = ::access("/dev/shm", W_OK) == 0 && ::mkdtemp(shm) != nullptr;
  struct stat a{}, b{};
  const bool distinct = otherVolume && ::stat(shm, &a) == 0 && ::stat(dir_.c_str(), &b) == 0 && a.st_dev != b.st_dev;
  for (const bool sameVolume : {true, false}) {
    if (!sameVolume && !distinct) continue;
    for (const bool replacing : {false, true}) {
      SCOPED_TRACE(std::string(sameVolume ? "same volume" : "other volume") + (replacing ? ", replacing" : ", new"));
      const std::string work = files.CreateWorkFile(sameVolume ? dir_ : std::string(shm), "vba");
      Write(work, bytes);
      const std::string target = dir_ + "/index.htm";
      if (replacing) {
        Write(target, "old");
        ::chmod(target.c_str(), 0640);
      }
      EXPECT_EQ(files.PlaceFile(work, target), 0);
      EXPECT_EQ(Read(target), bytes);
      struct stat st{};
      ::stat(target.c_str(), &st);
      EXPECT_EQ(st.st_mode & 0777, replacing ? 0640u : (0666u & ~mask));
      EXPECT_EQ(files.FileExists(work), !sameVolume);
      EXPECT_EQ(Names(), (std::set<std::string>{"index.htm"}));
      files.DeleteFile(work);
      files.DeleteFile(target);
    }
  }
  if (otherVolume) fs::remove_all(shm);
  if (!distinct) GTEST_SKIP() << "no second volume (/dev/shm) to copy from";
}

// A rename that the system refuses falls back to the copy, which is refused
// too: the target, the work file and its private permissions stay as they
// were and nothing is left beside the target.
TEST_F(LinuxFilesTest, RefusedRenameLeavesTargetAndWorkFileIntact) {
  fs::create_directories(dir_ + "/index.htm/inner");
  const std::string work = files.CreateWorkFile(dir_, "vba");
  Write(work, "new");
  EXPECT_NE(files.PlaceFile(work, dir_ + "/index.htm"), 0);
  EXPECT_TRUE(files.FolderExists(dir_ + "/index.htm/inner"));
  EXPECT_EQ(Read(work), "new");
  struct stat st{};
  ::stat(work.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(Names(), (std::set<std::string>{"index.htm", fs::path(work).filename().string()}));
}

TEST_F(LinuxFilesTest, FailedPlacingLeavesTheTargetAsItWas) {
  Write(dir_ + "/index.htm", "old");
  EXPECT_EQ(files.PlaceFile(dir_ + "/gone.tmp", dir_ + "/index.htm"), kFileErrFileNotFound);
  Write(dir_ + "/work.tmp", "new");
  EXPECT_EQ(files.PlaceFile(dir_ + "/work.tmp", dir_ + "/no/index.htm"), kFileErrPathNotFound);
  EXPECT_EQ(Read(dir_ + "/index.htm"), "old");
  EXPECT_EQ(Names(), (std::set<std::string>{"index.htm", "work.tmp"}));
}

TEST_F(LinuxFilesTest, ReadOnlyFolderRefusesPlacing) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  fs::create_directory(dir_ + "/out");
  Write(dir_ + "/out/index.htm", "old");
  Write(dir_ + "/work.tmp", "new");
  fs::permissions(dir_ + "/out", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(files.PlaceFile(dir_ + "/work.tmp", dir_ + "/out/index.htm"), kFileErrPermissionDenied);
  EXPECT_EQ(Read(dir_ + "/out/index.htm"), "old");
  fs::permissions(dir_ + "/out", fs::perms::owner_all);
}

TEST_F(LinuxFilesTest, FoldersAreCreatedOneLevelOnly) {
  EXPECT_EQ(files.CreateFolder(dir_ + "/out"), 0);
  EXPECT_TRUE(files.FolderExists(dir_ + "/out"));
  EXPECT_EQ(files.CreateFolder(dir_ + "/a/b"), kFileErrPathNotFound);
  EXPECT_FALSE(files.FileExists(dir_ + "/out"));
  EXPECT_TRUE(files.DeleteFile(files.CreateWorkFile(dir_, "vba")));
  EXPECT_FALSE(files.DeleteFile(dir_ + "/never.tmp"));
}

TEST_F(LinuxFilesTest, ThePathsVolumeIsFoundAlsoForPathsNotYetCreated) {
  const std::string volume = files.VolumeOf(dir_);
  ASSERT_FALSE(volume.empty());
  EXPECT_EQ(files.VolumeOf(dir_ + "/new/folder/page.htm"), volume);
  EXPECT_GT(files.FreeBytes(volume), 0u);
  EXPECT_EQ(files.FreeBytes("/no/such/volume"), 0u);
}

TEST(MountTableTest, LongestMountPointHoldsThePath) {
  const auto mounts = posix::ParseMountInfo(
      "20 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
      "30 20 8:17 / /media/my\\040stick rw shared:1 - vfat /dev/sdb1 rw\n"
      "31 20 0:40 / /media/mystuff rw - nfs4 srv:/x rw\n");
  ASSERT_EQ(mounts.size(), 3u);
  EXPECT_EQ(mounts[1].mountPoint, "/media/my stick");
  EXPECT_EQ(mounts[1].fsType, "vfat");
  EXPECT_EQ(mounts[1].source, "/dev/sdb1");
  EXPECT_EQ(posix::MountPointOf("/media/my stick/out/x.htm", mounts), "/media/my stick");
  EXPECT_EQ(posix::MountPointOf("/media/mystuff2/x.htm", mounts), "/");
  EXPECT_EQ(posix::MountPointOf("/media/mystuff/../my stick/x", mounts), "/media/my stick");
}

TEST(MountTableTest, DriveTypeFollowsTheFileSystemAndTheDevice) {
  struct Case {
    const char* fsType;
    bool removable;
    int expected;
  };
  const Case cases[] = {
      {"ext4", false, kDriveFixed},      {"xfs", false, kDriveFixed},        {"overlay", false, kDriveFixed},
      {"tmpfs", false, kDriveFixed},     {"ext4", true, kDriveRemovable},    {"vfat", true, kDriveRemovable},
      {"exfat", true, kDriveRemovable},  {"nfs4", false, kDriveRemote},      {"cifs", false, kDriveRemote},
      {"fuse.sshfs", false, kDriveRemote}, {"9p", false, kDriveRemote},      {"iso9660", true, kDriveCdRom},
      {"udf", false, kDriveCdRom},       {"proc", false, kDriveUnknown},     {"nfs", true, kDriveRemote},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(posix::DriveTypeOfMount({"/m", c.fsType, "/dev/x"}, c.removable), c.expected)
        << c.fsType << (c.removable ? " removable" : "");
  }
}

}  // namespace
}  // namespace qm::platform
