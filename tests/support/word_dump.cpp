// The word-list dumper of word_dump.h: one pass over the entries, each written
// with its kind letter, the internal marks made visible.
#include "tests/support/word_dump.h"

#include <algorithm>
#include <string_view>

namespace qm::test {

namespace {

// The entry's text with the internal marks made readable.
std::string Visible(std::string_view word) {
  std::string out;
  for (char c : word) {
    if (c == '\x1A') out += '~';
    else if (c == '\t') out += "Then";
    else out += c;
  }
  return out;
}

std::string DumpEntry(std::string_view word, WordKind kind) {
  switch (kind) {
    case WordKind::Keyword: return "k{" + Visible(word) + "}";
    case WordKind::Identifier: return "d{" + Visible(word) + "}";
    case WordKind::Comment: return "c{" + Visible(word) + "}";
    case WordKind::StringLiteral: return "s{" + Visible(word) + "}";
    case WordKind::Plain: break;
  }
  std::string plain = Visible(word);
  std::replace(plain.begin(), plain.end(), ' ', '_');
  return plain;
}

}  // namespace

std::string DumpWords(const clsVBWord& words) {
  std::string out;
  for (int i = 1; i <= words.Count(); ++i) {
    if (i > 1) out += ' ';
    out += DumpEntry(words.WordAt(i), words.KindAt(i));
  }
  return out;
}

std::string JoinStatements(const std::vector<std::string>& dumps) {
  std::string out;
  for (const std::string& dump : dumps) {
    if (dump.empty()) continue;
    if (!out.empty()) out += " | ";
    out += dump;
  }
  return out;
}

}  // namespace qm::test
