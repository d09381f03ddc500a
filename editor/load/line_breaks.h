// Walks the lines of a text without copying them: the loaders and the
// in-memory code module both cut module text at CR LF, CR or LF, where a
// break at the very end opens no further line and the empty text has no
// lines. The next CR and the next LF are each looked for with memchr and
// remembered until the walk passes them, so a line costs two searches
// instead of a test per byte. FindChar is that search on its own.
//
// Calling protocol: construct over the text (which must outlive the walk),
// then call Next until it returns false.
#pragma once

#include <cstring>
#include <string_view>

namespace qm::editor {

// The first c in text at or after from; the text's size when there is none.
inline size_t FindChar(std::string_view text, char c, size_t from) {
  if (from >= text.size()) return text.size();
  const void* found = std::memchr(text.data() + from, c, text.size() - from);
  return found == nullptr ? text.size() : static_cast<size_t>(static_cast<const char*>(found) - text.data());
}

// One line of the text: [begin, end) without its break; breakLength is 2 for
// CR LF, 1 for a lone CR or LF, 0 for a last line without a break.
struct LineSpan {
  size_t begin = 0;
  size_t end = 0;
  size_t breakLength = 0;
  size_t Length() const { return end - begin; }
};

class LineBreaks {
 public:
  explicit LineBreaks(std::string_view text)
      : text_(text), cr_(FindChar(text, '\r', 0)), lf_(FindChar(text, '\n', 0)) {}

  // Reads the next line; false when the text is used up.
  bool Next(LineSpan& line) {
    if (pos_ >= text_.size()) return false;
    if (cr_ < pos_) cr_ = FindChar(text_, '\r', pos_);
    if (lf_ < pos_) lf_ = FindChar(text_, '\n', pos_);
    line.begin = pos_;
    line.end = cr_ < lf_ ? cr_ : lf_;
    if (line.end == text_.size()) {
      line.breakLength = 0;
    } else {
      line.breakLength = line.end == cr_ && lf_ == cr_ + 1 && lf_ < text_.size() ? 2 : 1;
    }
    pos_ = line.end + line.breakLength;
    return true;
  }

  // Where the next line starts (the text's size once it is used up).
  size_t Position() const { return pos_; }

 private:
  std::string_view text_;
  size_t pos_ = 0;  // start of the next line
  size_t cr_;       // the next CR at or after the last search (size: none)
  size_t lf_;       // the next LF likewise
};

}  // namespace qm::editor
