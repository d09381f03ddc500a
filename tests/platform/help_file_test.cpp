// Compiled help files: pages read back byte for byte from files compiled by
// chmcmd (one frame, several frames and reset intervals, incompressible
// data), the context map, damaged files, and the Linux help viewer showing
// the options topic of the product's own help file in the browser. Skipped
// when chmcmd is not installed.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "platform/chm_archive.h"
#include "platform/help_viewer.h"
#include "tests/support/scoped_env.h"

namespace qm::platform {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteAll(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

bool HaveChmcmd() { return std::system("command -v chmcmd >/dev/null 2>&1") == 0; }

// Compiles project (an .hhp in folder) with chmcmd; the path of the result.
fs::path Compile(const fs::path& folder, const std::string& project, const std::string& output) {
  const std::string command = "cd '" + folder.string() + "' && chmcmd " + project + " >/dev/null 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0);
  return folder / output;
}

class HelpFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveChmcmd()) GTEST_SKIP() << "chmcmd is not installed";
    const char* source = std::getenv("QUILLMARK_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    help_ = fs::path(source) / "help";
    work_ = fs::temp_directory_path() / ("quillmark_help_test_" + std::to_string(::getpid()));
    fs::remove_all(work_);
    fs::create_directories(work_);
  }
  void TearDown() override {
    if (!work_.empty()) fs::remove_all(work_);
  }

  // The product's help file, compiled from help/ into the work folder.
  fs::path ProductHelp() {
    const fs::path stage = work_ / "product";
    fs::create_directories(stage);
    for (const auto& entry : fs::directory_iterator(help_)) fs::copy(entry.path(), stage / entry.path().filename());
    return Compile(stage, "Quillmark.hhp", "Quillmark.chm");
  }

  fs::path help_;
  fs::path work_;
};

TEST_F(HelpFileTest, ProductHelpReadsBackAndMapsContext8ToTheOptionsTopic) {
  const auto archive = ChmArchive::Open(ProductHelp().string());
  ASSERT_TRUE(archive);
  for (const char* page : {"index.htm", "options.htm", "output.htm", "setup.htm", "help.css"}) {
    const auto content = archive->Read(std::string("/") + page);
    ASSERT_TRUE(content) << page;
    EXPECT_EQ(*content, ReadAll(help_ / page)) << page;
  }
  EXPECT_EQ(archive->TopicForContext(8), "options.htm");
  EXPECT_EQ(archive->TopicForContext(9), "");
  EXPECT_FALSE(archive->Read("/missing.htm"));
}

TEST_F(HelpFileTest, LargeAndIncompressiblePagesReadBack) {
  std::mt19937 random(7);
  std::string text = "<html><body>";
  const char* words[] = {"alpha ", "ベータ ", "gamma\n", "<b>", "</b>", "デルタ "};
  while (text.size() < 300000) text += words[random() % 6] + std::to_string(random() % 1000);
  std::string noise(70000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  WriteAll(work_ / "big.htm", text);
  WriteAll(work_ / "noise.bin", noise);
  WriteAll(work_ / "t.hhp", "[OPTIONS]\nCompiled file=t.chm\nDefault topic=big.htm\n\n[FILES]\nbig.htm\nnoise.bin\n");
  const auto archive = ChmArchive::Open(Compile(work_, "t.hhp", "t.chm").string());
  ASSERT_TRUE(archive);
  EXPECT_EQ(archive->Read("/big.htm"), text);
  EXPECT_EQ(archive->Read("/noise.bin"), noise);
}

TEST_F(HelpFileTest, DamagedFilesAreRefusedWithoutHarm) {
  const std::string good = ReadAll(ProductHelp());
  EXPECT_FALSE(ChmArchive::FromBytes("not a help file"));
  EXPECT_FALSE(ChmArchive::FromBytes(good.substr(0, 0x40)));
  const auto truncated = ChmArchive::FromBytes(good.substr(0, good.size() / 2));
  if (truncated) {
    EXPECT_FALSE(truncated->Read("/options.htm"));
  }
  std::string scrambled = good;
  for (size_t i = scrambled.size() / 2; i < scrambled.size(); i += 7) scrambled[i] = static_cast<char>(~scrambled[i]);
  if (const auto archive = ChmArchive::FromBytes(scrambled)) {
    (void)archive->Read("/options.htm");  // any result, but no crash
    (void)archive->TopicForContext(8);
  }
  EXPECT_FALSE(ChmArchive::Open((work_ / "nothing.chm").string()));
}

TEST_F(HelpFileTest, ViewerShowsTheOptionsTopicInTheBrowser) {
  const fs::path chm = ProductHelp();
  const fs::path record = work_ / "browser_called";
  const fs::path browser = work_ / "browser.sh";
  WriteAll(browser, "#!/bin/sh\necho \"$1\" > '" + record.string() + ".tmp' && mv '" + record.string() + ".tmp' '" +
                        record.string() + "'\n");
  fs::permissions(browser, fs::perms::owner_all);
  {
    test::ScopedEnv cache("XDG_CACHE_HOME", (work_ / "cache").string());
    test::ScopedEnv launcher("BROWSER", browser.string() + ":firefox");
    EXPECT_EQ(CurrentHelpViewer().ShowContext(chm.string(), 8), 0u);  // the browser is no window of ours
    EXPECT_EQ(CurrentHelpViewer().ShowContext(chm.string(), 99), 0u);
    for (int i = 0; i < 100 && !fs::exists(record); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  const fs::path topic = work_ / "cache" / "quillmark" / "help" / "options.htm";
  EXPECT_EQ(ReadAll(record), "file://" + topic.string() + "\n");
  EXPECT_EQ(ReadAll(topic), ReadAll(help_ / "options.htm"));
  EXPECT_TRUE(fs::exists(topic.parent_path() / "help.css"));
  EXPECT_FALSE(fs::exists(topic.parent_path() / "#SYSTEM"));
}

}  // namespace
}  // namespace qm::platform
