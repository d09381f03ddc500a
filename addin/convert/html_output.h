// HtmlOutput: the end of a std::string that rendering writes to through a
// pointer. Appending to the string piece by piece costs a size check and an
// update per piece; here room is made ahead of the writes, a few hundred
// bytes at a time (the string's size runs ahead of the text written), the
// pieces are copied straight in, and Finish cuts the string back to the text.
// Nothing else may touch the string between construction and Finish.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

namespace qm {

class HtmlOutput {
 public:
  explicit HtmlOutput(std::string& text) : text_(text), end_(text.size()) {}
  HtmlOutput(const HtmlOutput&) = delete;
  HtmlOutput& operator=(const HtmlOutput&) = delete;

  // Room for `n` more bytes: where they go. Written bytes count once Advance
  // says so.
  char* Room(size_t n) {
    if (end_ + n > text_.size()) text_.resize(end_ + n + kAhead);
    return text_.data() + end_;
  }
  void Advance(size_t n) { end_ += n; }

  void Put(std::string_view piece) {
    std::memcpy(Room(piece.size()), piece.data(), piece.size());
    end_ += piece.size();
  }
  void Put(char c) {
    *Room(1) = c;
    ++end_;
  }
  // True when the text written so far (what the string held before included) ends with `tail`.
  bool EndsWith(std::string_view tail) const {
    return end_ >= tail.size() && std::string_view(text_.data() + end_ - tail.size(), tail.size()) == tail;
  }
  // The string holds exactly the text written.
  void Finish() { text_.resize(end_); }

 private:
  static constexpr size_t kAhead = 512;  // room made beyond what a write needs

  std::string& text_;
  size_t end_;  // the end of the text written
};

}  // namespace qm
