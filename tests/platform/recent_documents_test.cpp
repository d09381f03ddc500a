// The XDG recently-used list: entry names are the decoded local paths of the
// bookmarks, removing one cuts out exactly its element, and a list that is
// not XBEL is never changed.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/recent_documents.h"
#include "tests/support/scoped_env.h"

namespace qm::platform {
namespace {

namespace fs = std::filesystem;

constexpr const char* kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<xbel version=\"1.0\"\n"
    "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
    ">\n";

std::string Mark(const std::string& href) {
  return "  <bookmark href=\"" + href + "\" added=\"2024-05-01T10:00:00Z\">\n"
         "    <info>\n"
         "      <metadata owner=\"http://freedesktop.org\">\n"
         "        <bookmark:applications>\n"
         "          <bookmark:application name=\"x\" exec=\"&apos;x %u&apos;\" count=\"1\"/>\n"
         "        </bookmark:applications>\n"
         "      </metadata>\n"
         "    </info>\n"
         "  </bookmark>\n";
}

class XdgRecentTest : public ::testing::Test {
 protected:
  XdgRecentTest() {
    folder_ = fs::temp_directory_path() / ("qm_recent_" + std::to_string(::getpid()));
    fs::create_directories(folder_);
    dataHome_.emplace("XDG_DATA_HOME", folder_.string());
  }
  ~XdgRecentTest() override {
    dataHome_.reset();
    fs::remove_all(folder_);
  }

  void Write(const std::string& text) { std::ofstream(folder_ / "recently-used.xbel", std::ios::binary) << text; }
  std::string Read() {
    std::ifstream in(folder_ / "recently-used.xbel", std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  RecentDocuments& recent_ = CurrentRecentDocuments();
  fs::path folder_;
  std::optional<test::ScopedEnv> dataHome_;
};

TEST_F(XdgRecentTest, NamesAreTheDecodedLocalPaths) {
  Write(std::string(kHead) + Mark("file:///out/page.htm") + Mark("file:///out/%E8%A1%A8%20a&amp;b.htm") +
        Mark("file://localhost/x/y.htm") + Mark("https://example.org/") + "</xbel>\n");
  const auto names = recent_.Names();
  ASSERT_TRUE(names);
  EXPECT_EQ(*names, (std::vector<std::string>{"/out/page.htm", "/out/表 a&b.htm", "/x/y.htm",
                                              "https://example.org/"}));
}

TEST_F(XdgRecentTest, AMissingListIsEmptyAndAForeignOneUnreadable) {
  EXPECT_EQ(recent_.Names(), std::vector<std::string>{});
  Write("not a bookmark list");
  EXPECT_EQ(recent_.Names(), std::nullopt);
  EXPECT_FALSE(recent_.Remove("/out/page.htm"));
  EXPECT_EQ(Read(), "not a bookmark list");
  Write(std::string(kHead) + "  <bookmark href=\"file:///a\">\n");  // never ends
  EXPECT_EQ(recent_.Names(), std::nullopt);
}

TEST_F(XdgRecentTest, RemoveCutsOutExactlyThatBookmark) {
  const std::string keepA = Mark("file:///out/keep.htm");
  const std::string keepB = Mark("file:///other/page.htm");
  Write(std::string(kHead) + keepA + Mark("file:///out/page.htm") + keepB + "</xbel>\n");

  EXPECT_TRUE(recent_.Remove("/out/page.htm"));
  EXPECT_EQ(Read(), std::string(kHead) + keepA + keepB + "</xbel>\n");
  EXPECT_FALSE(recent_.Remove("/out/page.htm"));
  EXPECT_FALSE(recent_.Remove("/out/Keep.htm"));
  EXPECT_EQ(Read(), std::string(kHead) + keepA + keepB + "</xbel>\n");
}

TEST_F(XdgRecentTest, TracesAreTheFileAndItsFolder) {
  EXPECT_EQ(recent_.TraceNames("/out/site/page.htm"), (std::vector<std::string>{"/out/site/page.htm", "/out/site"}));
  EXPECT_EQ(recent_.TraceNames("/page.htm"), (std::vector<std::string>{"/page.htm", "/"}));
}

}  // namespace
}  // namespace qm::platform
