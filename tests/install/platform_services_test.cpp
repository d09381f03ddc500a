// The Linux services the installation programs stand on: the terminal
// message box and its answers, the named mutex, and the announcements of
// running hosts' window classes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "platform/named_mutex.h"
#include "platform/posix/terminal_message_box.h"
#include "platform/window_classes.h"
#include "temp_env.h"

namespace qm::install::testing {
namespace {

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::posix::PresetAnswer;
using platform::posix::TerminalMessageBox;

TEST(TerminalMessageBoxTest, AnswersWithoutATerminalNeverWait) {
  const struct {
    PresetAnswer preset;
    MsgButtons buttons;
    MsgResult answer;
  } cases[] = {
      {PresetAnswer::None, MsgButtons::OK, MsgResult::OK},
      {PresetAnswer::None, MsgButtons::OKCancel, MsgResult::Cancel},
      {PresetAnswer::None, MsgButtons::YesNo, MsgResult::No},
      {PresetAnswer::None, MsgButtons::YesNoCancel, MsgResult::Cancel},
      {PresetAnswer::Yes, MsgButtons::OKCancel, MsgResult::OK},
      {PresetAnswer::Yes, MsgButtons::YesNo, MsgResult::Yes},
      {PresetAnswer::Yes, MsgButtons::YesNoCancel, MsgResult::Yes},
      {PresetAnswer::No, MsgButtons::OK, MsgResult::OK},
      {PresetAnswer::No, MsgButtons::OKCancel, MsgResult::Cancel},
      {PresetAnswer::No, MsgButtons::YesNoCancel, MsgResult::No},
  };
  for (const auto& c : cases) {
    std::FILE* out = std::tmpfile();
    TerminalMessageBox box(c.preset, nullptr, out);
    EXPECT_EQ(box.Show("text", "caption", c.buttons, MsgIcon::Question), c.answer);
    std::fclose(out);
  }
}

// Shows one box reading `typed` as the terminal; the answer and what was written.
std::pair<MsgResult, std::string> Typed(const std::string& typed, MsgButtons buttons,
                                        PresetAnswer preset = PresetAnswer::None) {
  std::string input = typed;
  std::FILE* in = typed.empty() ? nullptr : ::fmemopen(input.data(), input.size(), "r");
  char* written = nullptr;
  size_t size = 0;
  std::FILE* out = ::open_memstream(&written, &size);
  TerminalMessageBox box(preset, in, out);
  const MsgResult answer = box.Show("一行目\r\n二行目", "｢Ferravel｣ - 登録解除", buttons, MsgIcon::Question);
  std::fclose(out);
  if (in) std::fclose(in);
  std::string text(written, size);
  std::free(written);
  return {answer, text};
}

TEST(TerminalMessageBoxTest, AsksOnTheTerminalUntilAButtonIsNamed) {
  EXPECT_EQ(Typed("n\n", MsgButtons::YesNoCancel).first, MsgResult::No);
  EXPECT_EQ(Typed("いいえ\n", MsgButtons::YesNoCancel).first, MsgResult::No);
  EXPECT_EQ(Typed("maybe\nYES\n", MsgButtons::YesNoCancel).first, MsgResult::Yes);
  EXPECT_EQ(Typed("\n", MsgButtons::OKCancel).first, MsgResult::OK);  // the first button
  EXPECT_EQ(Typed("n\n", MsgButtons::OKCancel).first, MsgResult::Cancel);  // "n" names no button here: then the end
  EXPECT_EQ(Typed("c\n", MsgButtons::OKCancel).first, MsgResult::Cancel);
  EXPECT_EQ(Typed("y", MsgButtons::YesNo).first, MsgResult::Yes);  // no line break before the end
  EXPECT_EQ(Typed("x\n", MsgButtons::YesNo).first, MsgResult::No);  // the end of input: the negative answer
  EXPECT_EQ(Typed("n\n", MsgButtons::YesNoCancel, PresetAnswer::Yes).first, MsgResult::Yes);
}

TEST(TerminalMessageBoxTest, WritesCaptionIconAndTextWithPlainLineBreaks) {
  const std::string shown = Typed("", MsgButtons::OK).second;
  EXPECT_EQ(shown, "[｢Ferravel｣ - 登録解除] question\n一行目\n二行目\n");
  EXPECT_NE(Typed("o\n", MsgButtons::OKCancel).second.find("OK (o) / キャンセル (c) [o]: "), std::string::npos);
}

class RuntimeFolderTest : public ::testing::Test {
 protected:
  TempFolder folder;
  ScopedEnv runtime{"XDG_RUNTIME_DIR", folder.Path()};
};

TEST_F(RuntimeFolderTest, NamedMutexIsHeldUntilItsHolderEnds) {
  {
    platform::NamedMutex first("Quillmark_RegisterServer");
    ASSERT_TRUE(first.Held());
    platform::NamedMutex second("Quillmark_RegisterServer");
    EXPECT_TRUE(second.HeldElsewhere());
    EXPECT_FALSE(second.Held());
    platform::NamedMutex other("Another");
    EXPECT_TRUE(other.Held());
  }
  platform::NamedMutex again("Quillmark_RegisterServer");
  EXPECT_TRUE(again.Held());
}

TEST_F(RuntimeFolderTest, AnnouncedClassesAreSeenWhileTheirAnnouncementLasts) {
  platform::TopLevelWindows& windows = platform::CurrentTopLevelWindows();
  EXPECT_FALSE(windows.ClassPresent("wndclass_desked_gsk"));
  {
    platform::WindowClassAnnouncement editor({"wndclass_desked_gsk"});
    platform::WindowClassAnnouncement office({"XLMAIN", "OpusApp"});
    ASSERT_TRUE(editor.Announced());
    EXPECT_TRUE(windows.ClassPresent("wndclass_desked_gsk"));
    EXPECT_TRUE(windows.ClassPresent("WNDCLASS_DESKED_GSK"));
    EXPECT_TRUE(windows.ClassPresent("OpusApp"));
    EXPECT_FALSE(windows.ClassPresent("PP12FrameClass"));
  }
  EXPECT_FALSE(windows.ClassPresent("wndclass_desked_gsk"));
  EXPECT_TRUE(platform::AnnouncedWindowClasses().empty());
}

TEST_F(RuntimeFolderTest, AnnouncementsOfEndedProcessesAreIgnored) {
  {
    platform::WindowClassAnnouncement make({});  // creates the folder
  }
  // A process id that no running process has, and this process under a
  // start time it does not have (its id was reused).
  std::ofstream(folder / "windows/999999999-0.classes") << "999999999 0\nXLMAIN\n";
  std::ofstream(folder / "windows/self-0.classes") << ::getpid() << " 1\nOpusApp\n";
  EXPECT_FALSE(platform::CurrentTopLevelWindows().ClassPresent("XLMAIN"));
  EXPECT_FALSE(platform::CurrentTopLevelWindows().ClassPresent("OpusApp"));
}

}  // namespace
}  // namespace qm::install::testing
