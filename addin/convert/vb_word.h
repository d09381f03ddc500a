// clsVBWord: the word list of one statement. Every piece of the statement's
// text becomes an entry with a kind; the list keeps the little context that
// later words are judged by: the last two context words, a count of the
// entries so far, and the open parentheses.
//
// Positions are 1-based. Reset runs at creation and at every statement
// boundary inside a logical line; the list keeps its storage from one
// statement to the next. An entry is a view of the text it was given, not a
// copy: that text must stay valid until the next Reset. The converter's words
// are views of the stored logical line (kept by the job for the whole module)
// or of string constants, so a view from WordAt stays valid until the next
// Reset.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

enum class WordKind : int {
  Plain = 0,          // operators, punctuation, spaces, numbers, labels, quote-only literals
  Keyword = 1,        // keyword text (class "k")
  StringLiteral = 2,  // a string literal, quotes included
  Comment = 3,        // comment text to the end of the logical line (class "c")
  Identifier = 4,     // identifier text (class "d")
};

class clsVBWord {
 public:
  clsVBWord() { Reset(); }

  void Reset();
  // Appends one entry and updates the context (an empty word adds nothing);
  // `word` must stay valid until the next Reset.
  void AddWord(std::string_view word, WordKind kind);
  // The same as AddWord(spaces, WordKind::Plain) for one or more spaces, the
  // usual gap between two words, without the word tests: spaces neither
  // count nor move the context.
  void AddSpaces(std::string_view spaces) { Push(spaces, WordKind::Plain); }
  // Replaces the kind of an entry; callers name only an entry with a successor.
  void SetKind(int index, WordKind kind);
  int Count() const { return count_; }
  std::string_view WordAt(int index) const {
    const Entry& e = entries_[index - 1];
    return {e.text, e.length};
  }
  WordKind KindAt(int index) const { return entries_[index - 1].kind; }

  int32_t SignificantCount() const { return significantCount_; }
  int32_t LastWordIndex() const { return lastWordIndex_; }
  // The context words, empty when there is none; like WordAt, valid until
  // the next Reset.
  std::string_view LastWord() const { return ContextWord(lastWord_); }
  std::string_view WordBeforeLast() const { return ContextWord(wordBeforeLast_); }
  std::vector<bool>& ParenStack() { return parenStack_; }
  const std::vector<bool>& ParenStack() const { return parenStack_; }
  bool KeywordParen() const { return keywordParen_; }
  void KeywordParen(bool value) { keywordParen_ = value; }
  bool AfterGoTo() const { return afterGoTo_; }

 private:
  struct Entry {
    const char* text;  // the entry's text, as given to AddWord
    uint32_t length;   // its length in bytes
    WordKind kind;
  };
  std::vector<Entry> entries_;   // each entry's text and kind, in statement order; only
  int count_ = 0;                // the first count_ are in use (the rest is kept storage)
  std::vector<bool> parenStack_;    // one per open parenthesis: true for a keyword function's
  bool keywordParen_ = false;       // the next "(" belongs to a keyword function
  // Appends an entry and nothing more; its text must not be empty.
  void Push(std::string_view word, WordKind kind) {
    if (static_cast<size_t>(count_) == entries_.size()) Grow();
    entries_[count_++] = {word.data(), static_cast<uint32_t>(word.size()), kind};
  }
  void Grow();  // more storage for entries
  // The text of the context word held as entry position `index` (0 for none).
  std::string_view ContextWord(int32_t index) const { return index == 0 ? std::string_view() : WordAt(index); }

  int32_t lastWord_ = 0;            // position of the last context word; 0 when empty
  int32_t wordBeforeLast_ = 0;      // position of the context word before it; 0 when empty
  int32_t significantCount_ = 0;    // counted entries so far
  int32_t lastWordIndex_ = 0;       // position of the last counted entry; 0 before any
  bool afterGoTo_ = false;          // a GoTo or GoSub was added: identifiers become plain
};

}  // namespace qm
