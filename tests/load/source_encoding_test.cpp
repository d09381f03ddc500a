// Encodings of exported files: UTF-8 by validity, then the option, then the
// Shift-JIS guess, then the default.
#include <gtest/gtest.h>

#include "editor/load/exported_module.h"
#include "editor/load/load_project.h"
#include "editor/load/source_encoding.h"
#include "platform/codepage.h"

namespace qm::editor {
namespace {

// "' 在庫" (a Japanese comment) in Shift-JIS bytes.
const std::string kSjisComment = "' \x8D\xDD\x8C\xC9";
const std::string kUtf8Comment = "' \xE5\x9C\xA8\xE5\xBA\xAB";

class EncodingTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::SetAnsiCodePage(65001); }
  void TearDown() override { platform::SetAnsiCodePage(0); }
};

TEST_F(EncodingTest, ValidUtf8IsUtf8WithOrWithoutBom) {
  for (const std::string& bytes : {kUtf8Comment, "\xEF\xBB\xBF" + kUtf8Comment}) {
    const auto decoded = DecodeExportedBytes(bytes, 932, "m.bas");
    EXPECT_EQ(decoded.text, kUtf8Comment);
    EXPECT_EQ(decoded.codePage, 65001);
  }
}

TEST_F(EncodingTest, ShiftJisWithJapaneseCommentsIsGuessed) {
  const auto decoded = DecodeExportedBytes("Dim a " + kSjisComment + "\r\n", 0, "m.bas");
  EXPECT_EQ(decoded.codePage, 932);
  EXPECT_EQ(decoded.text, "Dim a " + kUtf8Comment + "\r\n");
}

TEST_F(EncodingTest, WesternTextFallsBackToDefault) {
  // "café déjà": E9 followed by a space is no Shift-JIS pair.
  const auto decoded = DecodeExportedBytes("' caf\xE9 d\xE9j\xE0\r\n", 0, "m.bas");
  EXPECT_EQ(decoded.codePage, 1252);
  EXPECT_EQ(decoded.text, "' caf\xC3\xA9 d\xC3\xA9j\xC3\xA0\r\n");
}

TEST_F(EncodingTest, DefaultFollowsAnsiCodePageUnlessUtf8) {
  EXPECT_EQ(DefaultExportCodePage(), 1252);
  platform::SetAnsiCodePage(1251);
  EXPECT_EQ(DefaultExportCodePage(), 1251);
  // "Привет" in code page 1251: its last byte F2 has no trail byte, so it is no Shift-JIS.
  EXPECT_EQ(DecodeExportedBytes("' \xCF\xF0\xE8\xE2\xE5\xF2\r\n", 0, "m.bas").codePage, 1251);
}

TEST_F(EncodingTest, OptionOverridesTheGuess) {
  EXPECT_EQ(DecodeExportedBytes(kSjisComment, 1252, "m.bas").codePage, 1252);
}

TEST_F(EncodingTest, UnsupportedCodePageNamesTheFile) {
  try {
    DecodeExportedBytes("\xFF\xFE", 12345, "dir/m.bas");
    FAIL();
  } catch (const LoadError& error) {
    EXPECT_EQ(error.Description(), "dir/m.bas: code page 12345 is not supported");
  }
}

TEST(ShiftJisGuess, NeedsCleanDoubleByteText) {
  EXPECT_TRUE(LooksLikeShiftJis(kSjisComment));
  EXPECT_TRUE(LooksLikeShiftJis("\xB1\xB2 " + kSjisComment));  // half-width katakana beside
  EXPECT_FALSE(LooksLikeShiftJis("\xB1\xB2"));                 // katakana alone: no double-byte character
  EXPECT_FALSE(LooksLikeShiftJis("' \x8D"));                   // lead byte cut off
  EXPECT_FALSE(LooksLikeShiftJis("' \x8D\x20"));               // lead byte before a space
  EXPECT_FALSE(LooksLikeShiftJis("plain"));
}

}  // namespace
}  // namespace qm::editor
