// clsVBWord: the word list of one statement. Every piece of the statement's
// text becomes an entry with a kind; the list keeps the little context that
// later words are judged by: the last two context words, a count of the
// entries so far, and the open parentheses.
//
// Positions are 1-based. Reset runs at creation and at every statement
// boundary inside a logical line.
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
  // Appends one entry and updates the context (an empty word adds nothing).
  void AddWord(std::string_view word, WordKind kind);
  // Replaces the kind of an entry; callers name only an entry with a successor.
  void SetKind(int index, WordKind kind);
  int Count() const { return static_cast<int>(words_.size()); }
  const std::string& WordAt(int index) const { return words_[index - 1]; }
  WordKind KindAt(int index) const { return kinds_[index - 1]; }

  int32_t SignificantCount() const { return significantCount_; }
  int32_t LastWordIndex() const { return lastWordIndex_; }
  const std::string& LastWord() const { return lastWord_; }
  const std::string& WordBeforeLast() const { return wordBeforeLast_; }
  std::vector<bool>& ParenStack() { return parenStack_; }
  const std::vector<bool>& ParenStack() const { return parenStack_; }
  bool KeywordParen() const { return keywordParen_; }
  void KeywordParen(bool value) { keywordParen_ = value; }
  bool AfterGoTo() const { return afterGoTo_; }

 private:
  std::vector<std::string> words_;  // every entry's text, in statement order
  std::vector<WordKind> kinds_;     // the kind of each entry, parallel to words_
  std::vector<bool> parenStack_;    // one per open parenthesis: true for a keyword function's
  bool keywordParen_ = false;       // the next "(" belongs to a keyword function
  std::string lastWord_;            // the last context word
  std::string wordBeforeLast_;      // the context word before it
  int32_t significantCount_ = 0;    // counted entries so far
  int32_t lastWordIndex_ = 0;       // position of the last counted entry; 0 before any
  bool afterGoTo_ = false;          // a GoTo or GoSub was added: identifiers become plain
};

}  // namespace qm
