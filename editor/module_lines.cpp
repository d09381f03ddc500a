// Keeps a module's lines in one string. Taking a text is one walk over its
// line breaks (LineBreaks), recording where each line starts; only a text
// with other breaks than CR LF, or a break at its end, is copied into the
// kept form. A line is the piece between its start and the next line's start
// less the CR LF.
#include "editor/module_lines.h"

#include <limits>

#include "addin/common/vba_error.h"
#include "editor/load/line_breaks.h"

namespace qm::editor {
namespace {

constexpr long kErrOutOfMemory = 7;

// Offsets are four bytes: a longer text is more than a module can hold.
void CheckSize(size_t size) {
  if (size > std::numeric_limits<uint32_t>::max()) throw VbaError(kErrOutOfMemory, "メモリが不足しています。");
}

}  // namespace

ModuleLines::ModuleLines(std::string text) {
  CheckSize(text.size());
  bool kept = true;  // every break is CR LF and none ends the text
  LineBreaks breaks(text);
  for (LineSpan line; breaks.Next(line);) {
    starts_.push_back(static_cast<uint32_t>(line.begin));
    if (line.breakLength == 1 || (line.breakLength == 2 && line.end + 2 == text.size())) kept = false;
  }
  if (kept) {
    text_ = std::move(text);
  } else {
    starts_.clear();
    text_.reserve(text.size());
    LineBreaks again(text);
    for (LineSpan line; again.Next(line);) {
      if (!starts_.empty()) text_ += "\r\n";
      starts_.push_back(static_cast<uint32_t>(text_.size()));
      text_.append(text, line.begin, line.Length());
    }
  }
  starts_.shrink_to_fit();  // the module keeps them as long as its text
}

std::string_view ModuleLines::Span(int first, int count) const {
  if (count <= 0) return {};
  const size_t begin = starts_[static_cast<size_t>(first - 1)];
  return std::string_view(text_).substr(begin, EndOf(first + count - 1) - begin);
}

void ModuleLines::Replace(int number, std::string_view text) {
  const size_t begin = starts_[static_cast<size_t>(number - 1)];
  const size_t oldLength = EndOf(number) - begin;
  CheckSize(text_.size() - oldLength + text.size());
  text_.replace(begin, oldLength, text);
  for (size_t i = static_cast<size_t>(number); i < starts_.size(); ++i) {
    starts_[i] = static_cast<uint32_t>(starts_[i] - oldLength + text.size());
  }
}

}  // namespace qm::editor
