// ByteSet: a table of 256 flags, one per byte value, for the scanning loops
// of the converter that look for a few special characters in long runs of
// ordinary text (one table lookup per byte instead of a chain of compares).
#pragma once

#include <array>
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

}  // namespace qm
