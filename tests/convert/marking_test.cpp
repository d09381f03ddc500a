// Line marking: how a logical line is cut into statements, strings, comments,
// words and separators, checked as dumps of each rendered statement's word
// list (" | " between statements), plus the text MarkLine returns around them.
#include <string>

#include <gtest/gtest.h>

#include "tests/convert/marking_fixture.h"

namespace qm::test {
namespace {

struct Row {
  const char* source;  // "~" stands for " _" and a line break
  const char* dump;
};

class MarkingTest : public ConverterTest, public ::testing::WithParamInterface<Row> {};

TEST_P(MarkingTest, DumpsAsExpected) {
  EXPECT_EQ(Dump(GetParam().source), GetParam().dump) << GetParam().source;
}

const Row kCommentRows[] = {
    {"' note", "c{' note}"},
    {"    ' indented note", "c{' indented note}"},
    {"Rem note", "c{Rem note}"},
    {"Rem", "c{Rem}"},
    {"Rem'note", "c{Rem'note}"},
    {"Remark = 1", "d{Remark} _ = _ 1"},
    {"x = 1 ' note: Then \"q\"", "d{x} _ = _ 1 _ c{' note: Then \"q\"}"},
    {"x = 1: Rem note", "d{x} _ = _ 1 : _ c{Rem note}"},
    {"x = 1:  Rem note", "d{x} _ = _ 1 : _ _ c{Rem note}"},
    {"x = 1: Rem'note", "d{x} _ = _ 1 : _ c{Rem'note}"},
    {"x = 1:~Rem note", "d{x} _ = _ 1 : ~ c{Rem note}"},
    {"If a Then Rem note", "k{If} _ d{a} _ k{Then} _ c{Rem note}"},
    {"If a Then Remark = 1", "k{If} _ d{a} _ k{Then} | _ d{Remark} _ = _ 1"},
    {"x = 1: Remark = 2", "d{x} _ = _ 1 : | _ d{Remark} _ = _ 2"},
    {"' first~' second", "c{' first~' second}"},
    {"x = 1 ' a~b", "d{x} _ = _ 1 _ c{' a~b}"},
    {"' コメント：日本語の説明 Then", "c{' コメント：日本語の説明 Then}"},
};
INSTANTIATE_TEST_SUITE_P(Comments, MarkingTest, ::testing::ValuesIn(kCommentRows));

const Row kStringRows[] = {
    {"s = \"a: 'b' Then c\"", "d{s} _ = _ s{\"a: 'b' Then c\"}"},
    {"s = \"say \"\"hi\"\"\"", "d{s} _ = _ s{\"say \"\"hi\"\"\"}"},
    {"s = \"\"\"quoted\"\"\" & t", "d{s} _ = _ s{\"\"\"quoted\"\"\"} _ & _ d{t}"},
    {"s = \"\"", "d{s} _ = _ \"\""},
    {"s = \"\"\"\"", "d{s} _ = _ \"\"\"\""},
    {"MsgBox \"a\" & \"b\", vbOKOnly", "d{MsgBox} _ s{\"a\"} _ & _ s{\"b\"} , _ d{vbOKOnly}"},
    {"s = \"x\": t = \"y\"", "d{s} _ = _ s{\"x\"} : | _ d{t} _ = _ s{\"y\"}"},
    {"s = \"It's\" ' it is", "d{s} _ = _ s{\"It's\"} _ c{' it is}"},
    {"s = \"日本語: 'テスト'\"", "d{s} _ = _ s{\"日本語: 'テスト'\"}"},
    {"s = \"abc", "d{s} _ = _ d{\"abc}"},
};
INSTANTIATE_TEST_SUITE_P(Strings, MarkingTest, ::testing::ValuesIn(kStringRows));

const Row kSplitRows[] = {
    {"x = 1: y = 2", "d{x} _ = _ 1 : | _ d{y} _ = _ 2"},
    {"If a Then b = 1 Else b = 2", "k{If} _ d{a} _ k{Then} | _ d{b} _ = _ 1 _ k{Else} _ d{b} _ = _ 2"},
    {"If a Then", "k{If} _ d{a} _ k{Then}"},
    {"If a Then~b = 1", "k{If} _ d{a} _ k{Then} | ~ d{b} _ = _ 1"},
    {"Select Case x: Case 1: Name a As b",
     "k{Select} _ k{Case} _ d{x} : | _ k{Case} _ 1 : | _ k{Name} _ d{a} _ k{As} _ d{b}"},
    {"If dtThen = 1 Then x = 1", "k{If} _ d{dtThen} | _ = _ 1 _ k{Then} | _ d{x} _ = _ 1"},
    {"x = AndThen", "d{x} _ = _ d{AndThen}"},
    {"10 x = 1", "10 _ d{x} _ = _ 1"},
    {"100 Exit Sub", "100 _ k{Exit} _ k{Sub}"},
    {"Retry:", "Retry:"},
    {"Retry: x = 1", "Retry: | _ d{x} _ = _ 1"},
    {"10 Retry: x = 1", "10 _Retry: | _ d{x} _ = _ 1"},
    {"Foo a:=1, b:=2", "d{Foo} _ d{a} : = 1 , _ d{b} : = 2"},
    {"Call Foo(a:=\"x\", b:=2)", "k{Call} _ d{Foo} ( d{a} : = s{\"x\"} , _ d{b} : = 2 )"},
    {"x = a - b", "d{x} _ = _ d{a} _ - _ d{b}"},
    {"Print #1, a; b", "k{Print} _ # 1 , _ d{a} ; _ d{b}"},
};
INSTANTIATE_TEST_SUITE_P(Splits, MarkingTest, ::testing::ValuesIn(kSplitRows));

const Row kParenthesisRows[] = {
    {"Call Foo(a,~    b)", "k{Call} _ d{Foo} ( d{a} , ~ _ _ _ _ d{b} )"},
    {"x = CInt(~y)", "d{x} _ = _ k{CInt} k{(} ~ d{y} k{)}"},
    {"x = CInt~(y)", "d{x} _ = _ k{CInt} ~ k{(} d{y} k{)}"},
    {"x = CInt(\"5\")", "d{x} _ = _ k{CInt} k{(} s{\"5\"} k{)}"},
    {"x = CLng(Len(\"ab\")) + CInt(\"5\")",
     "d{x} _ = _ k{CLng} k{(} d{Len} ( s{\"ab\"} ) k{)} _ + _ k{CInt} k{(} s{\"5\"} k{)}"},
    {"x = f(\"a\", CInt(\"5\"))", "d{x} _ = _ d{f} ( s{\"a\"} , _ k{CInt} k{(} s{\"5\"} k{)} )"},
    // A name ending in "Then" cuts the statement inside the parentheses; the
    // ")" then has nothing open and stays plain text.
    {"y = (dtThen + 1) * 2", "d{y} _ = _ ( d{dtThen} | _ + _ 1 ) _ * _ 2"},
    {"Call Foo(IsThen~    , CInt(b))", "k{Call} _ d{Foo} ( d{IsThen} | ~ _ _ _ _ , _ k{CInt} k{(} d{b} k{)} )"},
};
INSTANTIATE_TEST_SUITE_P(Parentheses, MarkingTest, ::testing::ValuesIn(kParenthesisRows));

const Row kJapaneseRows[] = {
    {"名前 = \"山田\"", "d{名前} _ = _ s{\"山田\"}"},
    {"Call 処理(a)", "k{Call} _ d{処理} ( d{a} )"},
    {"Dim\u3000a\u3000As\u3000Long", "k{Dim} \u3000 d{a} \u3000 k{As} \u3000 k{Long}"},
    {"x\u3000=\u30001", "d{x} \u3000 = \u3000 1"},
    {"x = 1: \u3000Rem メモ", "d{x} _ = _ 1 : _ \u3000 c{Rem メモ}"},
    {"シート.Range(\"A1\").Value = 値", "d{シート} . d{Range} ( s{\"A1\"} ) d{.Value} _ = _ d{値}"},
};
INSTANTIATE_TEST_SUITE_P(Japanese, MarkingTest, ::testing::ValuesIn(kJapaneseRows));

// The returned text: indentation as hard spaces, statements rendered one
// after the other, every Then mark turned back into "Then".
TEST_F(ConverterTest, MarkLineKeepsIndentationAndRestoresThen) {
  const std::string hs(1, kHardSpace);
  EXPECT_EQ(MarkSource("    If a Then x = 1 ' Then"),
            hs + hs + hs + hs + "<span class=\"k\">If</span>" + hs + "a" + hs + "<span class=\"k\">Then</span>" +
                hs + "x" + hs + "=" + hs + "1" + hs + "<span class=\"c\">'" + hs + "Then</span>");
  EXPECT_EQ(MarkSource("x = dtThen"), "x" + hs + "=" + hs + "dtThen");
  EXPECT_EQ(MarkSource("Retry:"), "Retry:");
}

TEST(NormalizeSpacesTest, CollapsesAndTrims) {
  EXPECT_EQ(clsConverter::NormalizeSpaces(""), "");
  EXPECT_EQ(clsConverter::NormalizeSpaces("   "), "");
  EXPECT_EQ(clsConverter::NormalizeSpaces("  a   b  "), "a b");
  EXPECT_EQ(clsConverter::NormalizeSpaces("\u3000a\u3000 \u3000b"), "a b");
  EXPECT_EQ(clsConverter::NormalizeSpaces(": Rem"), ": Rem");
}

}  // namespace
}  // namespace qm::test
