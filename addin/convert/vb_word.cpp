// The word list of one statement. AddWord appends an entry and keeps the
// context that classification reads: the last two context words, the count of
// significant entries and the position of the last one. Spaces and line
// continuations are appended but neither counted nor remembered, so context
// reaches over them; punctuation counts but leaves the context words alone.
#include "addin/convert/vb_word.h"

#include <algorithm>
#include <array>

#include "addin/convert/byte_set.h"
#include "addin/convert/converter.h"

namespace qm {

namespace {

// Plain or identifier words that later rules look back at (Option Base,
// Option Compare, End Type, On Error, Line Input, Property Get ...).
constexpr std::array<std::string_view, 6> kContextNames = {
    "Base", "Compare", "End", "Error", "Line", "Property"};

// The first letters of the context names: most words are ruled out by one lookup.
constexpr ByteSet kContextStarts = [] {
  ByteSet set{};
  for (std::string_view name : kContextNames) set[static_cast<unsigned char>(name[0])] = true;
  return set;
}();

bool IsSpaces(std::string_view word) {
  return word[0] == ' ' && std::all_of(word.begin(), word.end(), [](char c) { return c == ' '; });
}

bool IsContextName(std::string_view word) {
  return InSet(kContextStarts, word[0]) &&
         std::any_of(kContextNames.begin(), kContextNames.end(),
                     [word](std::string_view name) { return name == word; });
}

// The context words move on: the entry at `position` (0 for an empty word)
// becomes the last one.
void Remember(int32_t& last, int32_t& beforeLast, int32_t position) {
  beforeLast = last;
  last = position;
}

}  // namespace

void clsVBWord::Reset() {
  count_ = 0;
  parenStack_.clear();
  keywordParen_ = false;
  lastWord_ = 0;
  wordBeforeLast_ = 0;
  significantCount_ = 0;
  lastWordIndex_ = 0;
  afterGoTo_ = false;
}

// Appends (word, kind), a view of `word`, and updates the context; an empty
// word adds nothing.
void clsVBWord::AddWord(std::string_view word, WordKind kind) {
  if (word.empty()) return;
  if (kind == WordKind::Identifier && afterGoTo_) kind = WordKind::Plain;
  Push(word, kind);

  switch (kind) {
    case WordKind::Plain:
    case WordKind::Identifier:
      if (IsSpaces(word)) return;
      if (IsContextName(word)) Remember(lastWord_, wordBeforeLast_, Count());
      if (word.front() == kContinuationMark) return;
      break;
    case WordKind::Keyword:
      if (word == "GoSub" || word == "GoTo") afterGoTo_ = true;
      Remember(lastWord_, wordBeforeLast_, Count());
      break;
    case WordKind::StringLiteral:
    case WordKind::Comment:
      Remember(lastWord_, wordBeforeLast_, 0);
      break;
  }
  ++significantCount_;
  lastWordIndex_ = Count();
}

void clsVBWord::Grow() { entries_.resize(entries_.size() * 2 + 16); }

// Replaces the kind of entry `index` (1-based); an index outside the list is
// ignored rather than corrupting memory.
void clsVBWord::SetKind(int index, WordKind kind) {
  if (index < 1 || index > Count()) return;
  entries_[index - 1].kind = kind;
}

}  // namespace qm
