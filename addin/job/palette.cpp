// Reading one colour out of an editor colour list: trailing spaces are cut,
// the list is split at every single space, every piece is converted to a
// 32-bit number (as the runtime's conversion would, raising its errors), and
// the number at the position picks the default or a palette colour.
#include "addin/job/palette.h"

#include <cstdint>
#include <vector>

#include "addin/common/vba_error.h"

namespace qm {

namespace {

constexpr long kErrOverflow = 6;

std::string_view TrimTrailingSpaces(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A piece as a 32-bit signed decimal number: an optional sign and digits.
int32_t ToLong(std::string_view piece) {
  std::string_view digits = piece;
  const bool negative = digits.starts_with('-');
  if (negative || digits.starts_with('+')) digits.remove_prefix(1);
  if (digits.empty()) throw VbaError(kErrTypeMismatch, "型が一致しません。");
  int64_t number = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') throw VbaError(kErrTypeMismatch, "型が一致しません。");
    number = number * 10 + (c - '0');
    if (number > INT64_C(2147483648)) throw VbaError(kErrOverflow, "オーバーフローしました。");
  }
  if (negative) number = -number;
  if (number > INT32_MAX || number < INT32_MIN) throw VbaError(kErrOverflow, "オーバーフローしました。");
  return static_cast<int32_t>(number);
}

// Every number of the list, in order; an empty list has none.
std::vector<int32_t> ListNumbers(std::string_view list) {
  std::vector<int32_t> numbers;
  list = TrimTrailingSpaces(list);
  if (list.empty()) return numbers;
  size_t start = 0;
  while (true) {
    const size_t space = list.find(' ', start);
    numbers.push_back(ToLong(TrimTrailingSpaces(list.substr(start, space - start))));
    if (space == std::string_view::npos) return numbers;
    start = space + 1;
  }
}

}  // namespace

std::string PaletteColor(std::string_view list, int position, const std::string& defaultColor) {
  const std::vector<int32_t> numbers = ListNumbers(list);
  if (position < 1) RaiseSubscriptOutOfRange();
  if (numbers.size() < static_cast<size_t>(position)) return defaultColor;
  const int32_t number = numbers[position - 1];
  if (number == 0) return defaultColor;
  if (number < 1 || number > static_cast<int32_t>(kPalette.size())) RaiseSubscriptOutOfRange();
  return kPalette[number - 1];
}

}  // namespace qm
