// The Linux clipboard and the child-process runner beneath it: a tool gets
// its input and is killed when it hangs; without a display or a tool the
// clipboard cannot be opened.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/posix/child_process.h"
#include "platform/posix/posix_files.h"
#include "tests/support/scoped_env.h"

namespace qm::platform {
namespace {

using test::ScopedEnv;

TEST(ChildProcessTest, FeedsInputAndCollectsOutput) {
  if (posix::FindOnPath("cat").empty()) GTEST_SKIP() << "no cat";
  const std::string big(300000, 'x');
  const posix::ChildResult result = posix::RunChild({"cat"}, big + "\r\n\x93\xfa", 20000);
  EXPECT_TRUE(result.finished);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.output == big + "\r\n\x93\xfa") << result.output.size() << " bytes came back";
}

TEST(ChildProcessTest, AHangingProgramIsKilledAndCountsAsNotFinished) {
  if (posix::FindOnPath("sleep").empty()) GTEST_SKIP() << "no sleep";
  const posix::ChildResult result = posix::RunChild({"sleep", "30"}, "", 200);
  EXPECT_TRUE(result.started);
  EXPECT_FALSE(result.finished);
}

TEST(ChildProcessTest, AMissingProgramDoesNotStart) {
  EXPECT_FALSE(posix::RunChild({"qm-no-such-tool"}, "", 1000).started);
  EXPECT_FALSE(posix::StartDetached({"qm-no-such-tool"}));
  EXPECT_EQ(posix::FindOnPath(""), "");
}

TEST(LinuxClipboardTest, WithoutADisplayTheClipboardCannotBeOpened) {
  ScopedEnv wayland("WAYLAND_DISPLAY", std::nullopt);
  ScopedEnv display("DISPLAY", std::nullopt);
  EXPECT_FALSE(posix::LinuxClipboard().SetText("text"));
}

TEST(LinuxClipboardTest, PlacesTextWhenTheDisplayHasATool) {
  const bool wayland = std::getenv("WAYLAND_DISPLAY") && !posix::FindOnPath("wl-copy").empty();
  const bool x11 = std::getenv("DISPLAY") && (!posix::FindOnPath("xclip").empty() || !posix::FindOnPath("xsel").empty());
  if (!wayland && !x11) GTEST_SKIP() << "no display with a clipboard tool";
  EXPECT_TRUE(posix::LinuxClipboard().SetText("<pre>quillmark clipboard test</pre>"));
}

}  // namespace
}  // namespace qm::platform
