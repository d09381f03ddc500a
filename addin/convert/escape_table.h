// EscapeTable: what rendering writes for each byte value of a line's text, so
// that escaping is one table lookup and one short copy per byte instead of a
// test and an append per special character. Ordinary bytes stand for
// themselves; the markup characters become their entities, spaces and hard-
// space marks the hard-space form, and the Then mark "Then". The continuation
// mark has no entry (length 0): how it is written depends on where it stands,
// so the caller handles it.
//
// There is one table per hard-space form: the internal mark of a marked line,
// "&nbsp;", and the plain space of <pre> mode.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "addin/convert/converter.h"

namespace qm {

// The text written for one byte: up to 7 bytes, padded, and its length. An
// entry is 8 bytes, so it is copied whole and the output moves on by length.
struct EscapeForm {
  std::array<char, 7> text{};
  uint8_t length = 0;
};
static_assert(sizeof(EscapeForm) == 8);

struct EscapeTable {
  std::array<EscapeForm, 256> forms{};
  const EscapeForm& operator[](char c) const { return forms[static_cast<unsigned char>(c)]; }
};

// The longest text of any entry: what one byte of text can grow to.
inline constexpr size_t kLongestEscape = 6;

// The table for hard spaces written as `hardSpace` (at most kLongestEscape bytes).
constexpr EscapeTable MakeEscapeTable(std::string_view hardSpace) {
  EscapeTable table;
  auto set = [&table](char c, std::string_view text) {
    EscapeForm& form = table.forms[static_cast<unsigned char>(c)];
    form = {};
    for (size_t k = 0; k < text.size(); ++k) form.text[k] = text[k];
    form.length = static_cast<uint8_t>(text.size());
  };
  for (int b = 0; b < 256; ++b) {
    const char self[1] = {static_cast<char>(b)};
    set(self[0], std::string_view(self, 1));
  }
  set('&', "&amp;");
  set('>', "&gt;");
  set('<', "&lt;");
  set('"', "&quot;");
  set(' ', hardSpace);
  set(kHardSpace, hardSpace);
  set(kThenMark, "Then");
  set(kContinuationMark, "");  // the caller's
  return table;
}

inline constexpr EscapeTable kMarkedEscapes = MakeEscapeTable({&kHardSpace, 1});
inline constexpr EscapeTable kEntityEscapes = MakeEscapeTable("&nbsp;");
inline constexpr EscapeTable kPreEscapes = MakeEscapeTable(" ");

}  // namespace qm
