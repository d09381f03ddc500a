// The text of one code module as the in-memory editor keeps it: the lines in
// one string, each followed by CR LF except the last, and the offset where
// each line starts. Reading any run of lines is one substring; a module costs
// its text and four bytes a line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm::editor {

class ModuleLines {
 public:
  ModuleLines() = default;
  // Takes a text whose lines end in CR LF, CR or LF; a break at the very end
  // opens no further line, and the empty text has no lines. A text already in
  // the kept form (CR LF between lines, none at the end) is taken over as is.
  explicit ModuleLines(std::string text);

  int Count() const { return static_cast<int>(starts_.size()); }
  // Line number (1..Count()) without its line break.
  std::string_view Line(int number) const {
    const size_t begin = starts_[static_cast<size_t>(number - 1)];
    return std::string_view(text_).substr(begin, EndOf(number) - begin);
  }
  // Lines first..first+count-1 joined by CR LF; empty for count 0. The
  // caller checks that the lines exist.
  std::string_view Span(int first, int count) const;
  // Replaces the text of one existing line (1..Count()); the other lines keep
  // their numbers, whatever the new text holds.
  void Replace(int number, std::string_view text);

 private:
  // The offset just past the line's text (before its CR LF).
  size_t EndOf(int number) const {
    const size_t next = static_cast<size_t>(number);
    return next < starts_.size() ? starts_[next] - 2 : text_.size();
  }

  std::string text_;              // the lines joined by CR LF
  std::vector<uint32_t> starts_;  // offset of each line in text_
};

}  // namespace qm::editor
