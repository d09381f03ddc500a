// Scanning aids for the converter's loops over long runs of ordinary text
// that look for a few special characters:
// - ByteSet, a table of 256 flags, one per byte value: one table lookup per
//   byte instead of a chain of compares;
// - CharFinder, for a walk through one text from event to event: each of its
//   characters is looked for with a fast search of memory and where it occurs
//   next is remembered until the walk passes it, so that every stretch of the
//   text is searched once per character instead of tested byte by byte.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace qm {

using ByteSet = std::array<bool, 256>;

// The set of the bytes in `bytes`.
constexpr ByteSet MakeByteSet(std::string_view bytes) {
  ByteSet set{};
  for (char c : bytes) set[static_cast<unsigned char>(c)] = true;
  return set;
}

constexpr bool InSet(const ByteSet& set, char c) { return set[static_cast<unsigned char>(c)]; }

template <size_t N>
class CharFinder {
 public:
  CharFinder(std::string_view text, const std::array<char, N>& chars) : text_(text), chars_(chars) {
    for (size_t k = 0; k < N; ++k) next_[k] = text.find(chars[k]);
  }

  // The position of the first of the first `count` characters at or after
  // `at`; npos when there is none. `at` never moves back from one call to
  // the next.
  size_t Next(size_t at, size_t count = N) {
    size_t first = std::string_view::npos;
    for (size_t k = 0; k < count; ++k) {
      if (next_[k] < at) next_[k] = text_.find(chars_[k], at);
      first = std::min(first, next_[k]);
    }
    return first;
  }

 private:
  std::string_view text_;
  std::array<char, N> chars_;
  std::array<size_t, N> next_{};  // per character: where it occurs next, npos for nowhere
};

}  // namespace qm
