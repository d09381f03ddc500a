// The single-pass renderer against the marker-based reference of
// tests/support/reference_render.h, over generated input: word lists of every
// kind in every order (spaces, hard spaces, continuations and markup inside
// any entry), and generated source lines written by WriteLine in every output
// mode and colour scheme. Both must give the same bytes.
#include <algorithm>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/fake/string_writer.h"
#include "tests/convert/marking_fixture.h"
#include "tests/support/reference_render.h"

namespace qm::test {
namespace {

struct Scheme {
  const char* name;
  const char* fore[4];  // normal, keyword, comment, identifier
  const char* back[4];
};

const Scheme kSchemes[] = {
    {"standard", {"#000000", "#000080", "#008000", "#000000"}, {"#ffffff", "#ffffff", "#ffffff", "#ffffff"}},
    {"identifiers", {"#000000", "#000080", "#008000", "#800000"}, {"#ffffff", "#ffffff", "#ffffff", "#ffffff"}},
    {"backgrounds", {"#000000", "#000080", "#008000", "#800000"}, {"#ffffff", "#ffff00", "#c0c0c0", "#c0c0c0"}},
    {"monochrome", {"#000000", "#000000", "#000000", "#000000"}, {"#ffffff", "#ffffff", "#ffffff", "#ffffff"}},
};

struct Mode {
  bool styleSheet;
  int cssOption;
  bool pre;
};

const Mode kModes[] = {{true, 0, false}, {true, 1, false}, {true, 2, false}, {false, 0, false},
                       {true, 0, true},  {true, 1, true},  {false, 0, true}};

std::string Describe(const Scheme& scheme, const Mode& mode) {
  return std::string(scheme.name) + (mode.styleSheet ? " css " + std::to_string(mode.cssOption) : " font") +
         (mode.pre ? " pre" : "");
}

// `text` with each Then mark written back as "Then".
std::string WithThen(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == kThenMark) out += "Then"; else out += c;
  }
  return out;
}

// Pieces that word-list entries are made of: spaces of both kinds, marks,
// markup characters, keyword and name text.
const char* const kEntryPieces[] = {" ", " ", " ", "\x0B", "\x1A", "\t", "(", ")", "<", "&", "\"", "x",
                                    "Dim", "As", "名前", "  ", "'", "_", ":"};

// Pieces that source lines are made of, as the editor shows them ("~" is a
// line continuation).
const char* const kSourcePieces[] = {
    "Dim", "As", "Long", "If", "Then", "Else", "End", "Sub", "Property", "Get", "Type", "Enum", "GoTo",
    "On", "Error", "Resume", "Next", "CInt", "Mid$", "Open", "For", "Input", "Line", "Option", "Base",
    "0", "1", "Debug.Print", "#If", "Rem", "Call", "Is", "Len", "String", "x", "total", "a.b", ".Value",
    "名前", "dtThen", "Foo", "(", ")", ",", ":", ":=", "=", "+", "-", "&", "<", ">", "\"", "\"\"", "'",
    "_", ";", "#", "~", "\u3000", "\x0B", "\"a b\"", "\"<b>\"", "\"it's\"", "' note", "12", "&HFF"};

class RenderDiffTest : public ConverterTest {
 protected:
  void Apply(const Scheme& scheme, const Mode& mode) {
    job().SetForeColors(scheme.fore[0], scheme.fore[1], scheme.fore[2], scheme.fore[3]);
    job().SetBackColors(scheme.back[0], scheme.back[1], scheme.back[2], scheme.back[3]);
    job().UseStyleSheet(mode.styleSheet);
    job().CssOption(mode.cssOption);
    job().UsePreTag(mode.pre);
    conv->PrepareOpeners();
  }

  template <typename T, size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[std::uniform_int_distribution<size_t>(0, N - 1)(random_)];
  }
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  // A random source line of up to twelve pieces, indented or not.
  std::string SourceLine() {
    std::string line(static_cast<size_t>(Below(3) == 0 ? Below(6) : 0), ' ');
    const int pieces = 1 + Below(12);
    for (int i = 0; i < pieces; ++i) {
      if (i > 0 && Below(4) != 0) line += ' ';
      line += Pick(kSourcePieces);
    }
    return line;
  }

  std::mt19937 random_{20240601};
};

// Word lists of every kind in every order, including entries no marking
// produces (a keyword that is a hard space, a space entry between spans).
TEST_F(RenderDiffTest, StatementsRenderAsTheReferenceDoes) {
  for (const Scheme& scheme : kSchemes) {
    Apply(scheme, kModes[0]);
    for (int n = 0; n < 2000; ++n) {
      clsVBWord& s = conv->Statement();
      s.Reset();
      std::deque<std::string> words;  // the entries are views: their texts live until the list is rendered
      const int entries = Below(10);
      for (int i = 0; i < entries; ++i) {
        std::string& word = words.emplace_back(Pick(kEntryPieces));
        if (Below(3) == 0) word += Pick(kEntryPieces);
        s.AddWord(word, static_cast<WordKind>(Below(5)));
      }
      if (s.Count() > 1 && Below(4) == 0) s.SetKind(1 + Below(s.Count() - 1), WordKind::Keyword);
      const std::string expected = WithThen(ReferenceRenderStatement(s, job()));
      ASSERT_EQ(conv->RenderStatement(), expected) << scheme.name << " list " << n;
    }
  }
}

// Generated source lines through WriteLine: each statement is rendered by
// the reference as it is handed to the observer, and the line is wrapped by
// the reference's replacement passes. MarkLine followed by WrapLine, from the
// same state, must give the same text.
TEST_F(RenderDiffTest, LinesAreWrittenAsTheReferenceWritesThem) {
  std::string statements;  // the line's statements as the reference renders them
  conv->ObserveStatements([&](const clsVBWord& s) { statements += ReferenceRenderStatement(s, job()); });
  for (const Scheme& scheme : kSchemes) {
    for (const Mode& mode : kModes) {
      Apply(scheme, mode);
      const ReferenceOpeners openers{conv->KeywordOpen(), conv->CommentOpen(), conv->IdentifierOpen()};
      std::string pending = mode.pre ? "<font size=\"2\">" : "";
      conv->PendingPrefix(pending);
      for (int n = 0; n < 400; ++n) {
        const std::string source = SourceLine();
        const std::string stored = Stored(source);
        job().ClearLogicalLines();
        job().AddLogicalLine(stored, 1);
        const bool inTypeBlock = conv->InTypeBlock();  // carried over from the line before
        const std::string prefix = conv->PendingPrefix();
        statements.clear();
        platform::StringWriter page;
        int32_t counter = 1;
        ASSERT_TRUE(conv->WriteLine(page, counter, 1));
        const size_t indent = std::min(stored.find_first_not_of(' '), stored.size());
        const bool empty = indent == stored.size();
        const std::string expected =
            ReferenceWriteLine(static_cast<int>(indent), statements, empty, job(), openers, pending) + "\r\n";
        ASSERT_EQ(page.Text(), expected) << Describe(scheme, mode) << ": " << source;

        const bool inTypeBlockAfter = conv->InTypeBlock();
        conv->InTypeBlock(inTypeBlock);
        conv->PendingPrefix(prefix);
        const std::string wrapped = conv->WrapLine(empty ? std::string() : conv->MarkLine(1), empty);
        ASSERT_EQ(wrapped + "\r\n", expected) << Describe(scheme, mode) << ": " << source;
        conv->InTypeBlock(inTypeBlockAfter);
      }
    }
  }
}

}  // namespace
}  // namespace qm::test
