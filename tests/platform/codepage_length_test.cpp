// The encoded length of a text, counted without encoding where the code page
// allows, against the length of the text actually encoded: ASCII, accented
// and Japanese text, characters the code page cannot hold, and broken UTF-8.
// And the UTF-8 check that both rely on, which passes ASCII a word at a time:
// a bad byte is found wherever it falls against those words.
#include <gtest/gtest.h>

#include <string>

#include "platform/codepage.h"

namespace qm::platform {
namespace {

TEST(EncodedLength, MatchesTheLengthOfTheEncodedText) {
  const std::string texts[] = {
      "",
      "Dim x As Long ' plain\tASCII <&>\"",
      "caf\xC3\xA9 na\xC3\xAFve \xE2\x82\xAC",                        // é ï €
      "' \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E comment x = 1",          // 日本語
      "\xF0\x9F\x98\x80 and \xE4\xB8\x80 \xEC\x95\x88 \xD0\x96",        // emoji, 一, 안, Ж
      "broken \xC3 lead, stray \x80\x80, overlong \xC0\xAF, five \xF8\x88\x80\x80\x80 end",
  };
  for (const int codePage : {kCodePageUtf8, 1252, 1251, 874, 20127, 932, 936, 949, 950, 20932, 50220, 1200}) {
    if (!CodePageSupported(codePage)) continue;
    for (const std::string& text : texts) {
      const std::optional<std::string> encoded = EncodeText(text, codePage);
      ASSERT_TRUE(encoded);
      EXPECT_EQ(EncodedLength(text, codePage), encoded->size()) << "code page " << codePage << ": " << text;
    }
  }
}

TEST(IsValidUtf8, FindsABadSequenceAtEveryPositionOfTheText) {
  for (size_t length = 0; length <= 40; ++length) {
    const std::string ascii(length, 'a');
    EXPECT_TRUE(IsValidUtf8(ascii)) << length;
    for (size_t at = 0; at < length; ++at) {
      std::string bad = ascii;
      bad[at] = '\xFF';
      EXPECT_FALSE(IsValidUtf8(bad)) << "0xFF at " << at << " of " << length;
      bad[at] = '\x80';
      EXPECT_FALSE(IsValidUtf8(bad)) << "stray continuation at " << at << " of " << length;
      if (at + 3 <= length) {
        std::string good = ascii;
        good.replace(at, 3, "\xE6\x97\xA5");  // 日
        EXPECT_TRUE(IsValidUtf8(good)) << "character at " << at << " of " << length;
        good.resize(at + 2);  // the character cut short by the end of the text
        EXPECT_FALSE(IsValidUtf8(good)) << "cut character at " << at;
      }
    }
  }
}

}  // namespace
}  // namespace qm::platform
