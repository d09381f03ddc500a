// Word classification: which words of a statement are keywords, identifiers
// or plain text, checked as dumps of the word list (see word_dump.h), and the
// context the word list keeps.
#include <algorithm>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "tests/convert/marking_fixture.h"

namespace qm::test {
namespace {

struct Row {
  const char* source;
  const char* dump;
};

class ClassifyTest : public ConverterTest, public ::testing::WithParamInterface<Row> {};

TEST_P(ClassifyTest, DumpsAsExpected) {
  EXPECT_EQ(Dump(GetParam().source), GetParam().dump) << GetParam().source;
}

// Words that the editor colours only in some positions, and the keyword
// functions whose parentheses share their colour.
const Row kContextRows[] = {
    {"Dim x As Long", "k{Dim} _ d{x} _ k{As} _ k{Long}"},
    {"Public Property Get Name()", "k{Public} _ k{Property} _ k{Get} _ d{Name} ( )"},
    {"Property Get X()", "k{Property} _ k{Get} _ d{X} ( )"},
    {"Public Property Let Value(ByVal v As Long)",
     "k{Public} _ k{Property} _ k{Let} _ d{Value} ( k{ByVal} _ d{v} _ k{As} _ k{Long} )"},
    {"End Property", "k{End} _ k{Property}"},
    {"Exit Property", "k{Exit} _ k{Property}"},
    {"x = obj.Property", "d{x} _ = _ d{obj} . d{Property}"},
    {"Set rng = Nothing", "k{Set} _ d{rng} _ = _ k{Nothing}"},
    {"Open f For Random Access Read Write As #1 Len = 128",
     "k{Open} _ d{f} _ k{For} _ k{Random} _ k{Access} _ k{Read} _ k{Write} _ k{As} _ # 1 _ k{Len} _ = _ 128"},
    {"Open f For Binary Access Read Lock Read Write As #2",
     "k{Open} _ d{f} _ k{For} _ k{Binary} _ k{Access} _ k{Read} _ k{Lock} _ k{Read} _ k{Write} _ k{As} _ # 2"},
    {"Open f For Append As #1", "k{Open} _ d{f} _ k{For} _ k{Append} _ k{As} _ # 1"},
    {"x = Output + Access + Read", "d{x} _ = _ d{Output} _ + _ d{Access} _ + _ d{Read}"},
    {"x = Input(5, #1)", "d{x} _ = _ d{Input} ( 5 , _ # 1 )"},
    {"Input #1, a", "k{Input} _ # 1 , _ d{a}"},
    {"Line Input #1, a", "k{Line} _ k{Input} _ # 1 , _ d{a}"},
    {"Option Base 1", "k{Option} _ k{Base} _ k{1}"},
    {"Option Base 0", "k{Option} _ k{Base} _ k{0}"},
    {"Option Compare Text", "k{Option} _ k{Compare} _ k{Text}"},
    {"Option Compare Database", "k{Option} _ k{Compare} _ k{Database}"},
    {"Option Compare Binary", "k{Option} _ k{Compare} _ k{Binary}"},
    {"Option Private Module", "k{Option} _ k{Private} _ k{Module}"},
    {"Option Explicit", "k{Option} _ k{Explicit}"},
    {"x = Text + Module + Explicit + 1 + 0", "d{x} _ = _ d{Text} _ + _ d{Module} _ + _ d{Explicit} _ + _ 1 _ + _ 0"},
    {"On Error GoTo 0", "k{On} _ k{Error} _ k{GoTo} _ k{0}"},
    {"On Error GoTo Handler", "k{On} _ k{Error} _ k{GoTo} _ Handler"},
    {"On Error Resume Next", "k{On} _ k{Error} _ k{Resume} _ k{Next}"},
    {"Error 5", "k{Error} _ 5"},
    {"Resume Retry", "k{Resume} _ Retry"},
    {"Resume Next", "k{Resume} _ k{Next}"},
    {"GoSub Sub1", "k{GoSub} _ Sub1"},
    {"s = String(3, c)", "d{s} _ = _ d{String} ( 3 , _ d{c} )"},
    {"Dim s As String, d As Date, o As Object",
     "k{Dim} _ d{s} _ k{As} _ k{String} , _ d{d} _ k{As} _ k{Date} , _ d{o} _ k{As} _ k{Object}"},
    {"n = Len(s)", "d{n} _ = _ d{Len} ( d{s} )"},
    {"Const MAX_ROWS As Long = 100", "k{Const} _ d{MAX_ROWS} _ k{As} _ k{Long} _ = _ 100"},
    {"Case Is = 1", "k{Case} _ k{Is} _ = _ 1"},
    {"Sub F(Optional ByVal n As Long = 10, Optional v As Variant = Empty)",
     "k{Sub} _ d{F} ( k{Optional} _ k{ByVal} _ d{n} _ k{As} _ k{Long} _ = _ 10 , _ k{Optional} _ d{v} _ k{As} _ "
     "k{Variant} _ = _ k{Empty} )"},
    {"For i = 1 To 9 Step 2", "k{For} _ d{i} _ = _ 1 _ k{To} _ 9 _ k{Step} _ 2"},
    {"y = x.Step", "d{y} _ = _ d{x} . d{Step}"},
    {"Mid$(s, 2, 1) = t", "k{Mid$} k{(} d{s} , _ 2 , _ 1 k{)} _ = _ d{t}"},
    {"y = Mid(s, 2)", "d{y} _ = _ d{Mid} ( d{s} , _ 2 )"},
    {"x = CInt(y)", "d{x} _ = _ k{CInt} k{(} d{y} k{)}"},
    {"x = CInt (y)", "d{x} _ = _ k{CInt} _ ( d{y} )"},
    {"n = UBound(a) - LBound(a, 1)", "d{n} _ = _ k{UBound} k{(} d{a} k{)} _ - _ k{LBound} k{(} d{a} , _ 1 k{)}"},
    {"x = StrComp(a, b)", "d{x} _ = _ k{StrComp} k{(} d{a} , _ d{b} k{)}"},
    {"Public Function StrComp()", "k{Public} _ k{Function} _ d{StrComp} ( )"},
    {"Name a As b", "k{Name} _ d{a} _ k{As} _ d{b}"},
    {"Seek #1, 5", "k{Seek} _ # 1 , _ 5"},
    {"x = Name", "d{x} _ = _ d{Name}"},
    {"Declare Sub Sleep Lib \"kernel32\" (ByVal ms As Long)",
     "k{Declare} _ k{Sub} _ d{Sleep} _ k{Lib} _ s{\"kernel32\"} _ ( k{ByVal} _ d{ms} _ k{As} _ k{Long} )"},
    {"Private Declare PtrSafe Function GetTickCount Lib \"kernel32\" Alias \"GetTickCount\" () As Long",
     "k{Private} _ k{Declare} _ d{PtrSafe} _ k{Function} _ d{GetTickCount} _ k{Lib} _ s{\"kernel32\"} _ "
     "k{Alias} _ s{\"GetTickCount\"} _ ( ) _ k{As} _ k{Long}"},
    {"Call Lib(Alias)", "k{Call} _ d{Lib} ( d{Alias} )"},
    {"#If Win64 Then", "# k{If} _ d{Win64} _ k{Then}"},
    {"#Const DEBUG_MODE = 1", "# k{Const} _ d{DEBUG_MODE} _ = _ 1"},
    {"Debug.Print x", "k{Debug} . k{Print} _ d{x}"},
    {"Debug.Assert x > 0", "k{Debug} . k{Assert} _ d{x} _ > _ 0"},
    {"Attribute VB_Name = \"Module1\"", "d{Attribute} _ d{VB_Name} _ = _ s{\"Module1\"}"},
    {"ws.Range(\"A1\").Value = Me.Name", "d{ws} . d{Range} ( s{\"A1\"} ) d{.Value} _ = _ d{Me} . d{Name}"},
    {"x = &HFF + 10& - 3# * 1.5 / 2 \\ 1", "d{x} _ = _ &HFF _ + _ 10& _ - _ 3# _ * _ 1.5 _ / _ 2 _ \\ _ 1"},
    {"If x Is Nothing And Not y Then Exit Sub",
     "k{If} _ d{x} _ k{Is} _ k{Nothing} _ k{And} _ k{Not} _ d{y} _ k{Then} | _ k{Exit} _ k{Sub}"},
    {"ReDim Preserve a(1 To n)", "k{ReDim} _ k{Preserve} _ d{a} ( 1 _ k{To} _ d{n} )"},
    {"x=1", "d{x=1}"},
};
INSTANTIATE_TEST_SUITE_P(Context, ClassifyTest, ::testing::ValuesIn(kContextRows));

// Enum and Type blocks: the first word of each member line is the member's
// name whatever it is spelled like; the block state carries from line to line.
TEST_F(ConverterTest, TypeAndEnumBlocksMakeTheFirstWordAMemberName) {
  const Row lines[] = {
      {"Private Type Point", "k{Private} _ k{Type} _ d{Point}"},
      {"x As Long", "d{x} _ k{As} _ k{Long}"},
      {"Next As Integer", "d{Next} _ k{As} _ k{Integer}"},
      {"#If VBA7 Then", "# k{If} _ d{VBA7} _ k{Then}"},
      {"hWnd As LongPtr", "d{hWnd} _ k{As} _ d{LongPtr}"},
      {"#Else", "# k{Else}"},
      {"hWnd As Long", "d{hWnd} _ k{As} _ k{Long}"},
      {"#End If", "# k{End} _ k{If}"},
      {"' a comment line", "c{' a comment line}"},
      {"End Type", "k{End} _ k{Type}"},
      {"Next", "k{Next}"},
      {"Public Enum Color", "k{Public} _ k{Enum} _ d{Color}"},
      {"Red = 1", "d{Red} _ = _ 1"},
      {"Green", "d{Green}"},
      {"End Enum", "k{End} _ k{Enum}"},
      {"Exit Sub", "k{Exit} _ k{Sub}"},
  };
  for (const Row& row : lines) EXPECT_EQ(Dump(row.source), row.dump) << row.source;
  EXPECT_FALSE(conv->InTypeBlock());
}

TEST(NumberWordTest, AcceptsNumericLiteralsWithTypeCharacters) {
  for (const char* text : {"12", "0", "1.5", ".5", "5.", "1E5", "1.5E-3", "2D3", "&HFF", "&hff", "&O17",
                           "10&", "3#", "2!", "7%", "1@", "&HFF&", "+1"}) {
    EXPECT_TRUE(clsConverter::IsNumberWord(text)) << text;
  }
  for (const char* text : {"", "#1", "1/1/2000#", "&", "&H", "&HFG", "&O8", "1E", ".", "#", "x1", "1x", "12#3",
                           "1..2", "%", "1$", "Then"}) {
    EXPECT_FALSE(clsConverter::IsNumberWord(text)) << text;
  }
}

// The vocabulary tables are complete, free of empty entries and of
// duplicates, and no word is both in the main list and ruled on its own.
TEST(KeywordTableTest, TablesAreCompleteAndDistinct) {
  const auto mainList = clsConverter::MainKeywordList();
  const auto ruled = clsConverter::RuleWordList();
  ASSERT_EQ(mainList.size(), 100u);
  EXPECT_EQ(mainList.front(), std::string_view(&kThenMark, 1));
  EXPECT_EQ(ruled.size(), 56u);
  const std::set<std::string_view> mainSet(mainList.begin(), mainList.end());
  const std::set<std::string_view> ruledSet(ruled.begin(), ruled.end());
  EXPECT_EQ(mainSet.size(), mainList.size()) << "duplicate in the main keyword list";
  EXPECT_EQ(ruledSet.size(), ruled.size()) << "duplicate among the ruled words";
  EXPECT_EQ(mainSet.count(""), 0u);
  EXPECT_EQ(ruledSet.count(""), 0u);
  for (std::string_view word : ruled) EXPECT_EQ(mainSet.count(word), 0u) << word;
}

// Spaces and continuation marks are neither counted nor remembered;
// punctuation counts but leaves the context words; strings clear the last one.
TEST(VBWordTest, ContextSkipsSpacesAndContinuations) {
  clsVBWord w;
  w.AddWord("", WordKind::Keyword);
  EXPECT_EQ(w.Count(), 0);
  w.AddWord("Open", WordKind::Keyword);
  w.AddWord("  ", WordKind::Plain);
  w.AddWord(std::string_view(&kContinuationMark, 1), WordKind::Plain);
  EXPECT_EQ(w.SignificantCount(), 1);
  EXPECT_EQ(w.LastWordIndex(), 1);
  w.AddWord("(", WordKind::Plain);
  EXPECT_EQ(w.SignificantCount(), 2);
  EXPECT_EQ(w.LastWordIndex(), 4);
  EXPECT_EQ(w.LastWord(), "Open");
  w.AddWord("Line", WordKind::Identifier);
  EXPECT_EQ(w.LastWord(), "Line");
  EXPECT_EQ(w.WordBeforeLast(), "Open");
  w.AddWord("\"s\"", WordKind::StringLiteral);
  EXPECT_EQ(w.LastWord(), "");
  EXPECT_EQ(w.WordBeforeLast(), "Line");
  w.AddWord("GoTo", WordKind::Keyword);
  w.AddWord("Label", WordKind::Identifier);
  EXPECT_EQ(w.KindAt(w.Count()), WordKind::Plain);
  w.SetKind(5, WordKind::Keyword);
  EXPECT_EQ(w.KindAt(5), WordKind::Keyword);
  w.Reset();
  EXPECT_EQ(w.Count(), 0);
  EXPECT_EQ(w.SignificantCount(), 0);
  EXPECT_FALSE(w.AfterGoTo());
  EXPECT_TRUE(w.ParenStack().empty());
}

// AddSpaces is AddWord of plain spaces: an entry that neither counts nor
// moves the context.
TEST(VBWordTest, AddSpacesAddsAnUncountedPlainEntry) {
  clsVBWord w;
  w.AddWord("Line", WordKind::Identifier);
  w.AddSpaces("  ");
  EXPECT_EQ(w.Count(), 2);
  EXPECT_EQ(w.WordAt(2), "  ");
  EXPECT_EQ(w.KindAt(2), WordKind::Plain);
  EXPECT_EQ(w.SignificantCount(), 1);
  EXPECT_EQ(w.LastWordIndex(), 1);
  EXPECT_EQ(w.LastWord(), "Line");
}

}  // namespace
}  // namespace qm::test
