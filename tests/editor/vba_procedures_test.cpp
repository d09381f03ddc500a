// Procedure queries of the in-memory code module on small realistic modules.
// Each case lists its module and a compact dump of what the editor answers:
// the declaration line count, then every procedure as name/kind:start-end,
// and the owner of every line ("." a declaration line, "1" the first
// procedure, "2" the second, …) as ProcOfLine reports it.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "editor/memory_code_module.h"
#include "editor/vba_procedures.h"

namespace qm::editor {
namespace {

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// "decl=N name/kind:start-end …", the ranges as ProcStartLine and
// ProcCountLines give them for every procedure the module holds.
std::string DumpRanges(const MemoryCodeModule& module) {
  std::string dump = "decl=" + std::to_string(module.CountOfDeclarationLines());
  for (const ProcedureRange& p : module.Procedures().Procedures()) {
    const int start = module.ProcStartLine(p.name, p.kind);
    const int last = start + module.ProcCountLines(p.name, p.kind) - 1;
    dump += " " + p.name + "/" + std::to_string(p.kind) + ":" + std::to_string(start) + "-" + std::to_string(last);
  }
  return dump;
}

// One character per line: "." for the declarations, else the position of
// the procedure that ProcOfLine names (looked up by name and kind).
std::string DumpOwners(const MemoryCodeModule& module) {
  const auto& procedures = module.Procedures().Procedures();
  std::string owners;
  for (int line = 1; line <= module.CountOfLines(); ++line) {
    int kind = -1;
    const std::string name = module.ProcOfLine(line, kind);
    char mark = name.empty() && kind == kProcProc ? '.' : '?';
    for (size_t i = 0; i < procedures.size(); ++i) {
      if (procedures[i].name == name && procedures[i].kind == kind) mark = static_cast<char>('1' + i);
    }
    owners += mark;
  }
  return owners;
}

struct ProcedureCase {
  const char* title;
  std::vector<std::string> lines;
  const char* ranges;
  const char* owners;
};

const ProcedureCase kCases[] = {
    {"property Get and Let pair",
     {"Option Explicit", "Private mValue As Long", "", "' The value", "Public Property Get Value() As Long",
      "    Value = mValue", "End Property", "", "Public Property Let Value(ByVal v As Long)", "    mValue = v",
      "End Property"},
     "decl=2 Value/3:3-7 Value/1:8-11",
     "..111112222"},
    {"declarations only, trailing comment kept",
     {"Option Explicit", "' settings", "Public Const Limit = 1", "' trailing note", ""},
     "decl=4",
     "....."},
    {"module that opens with a procedure, trailing lines to the last",
     {"Sub Main()", "    Helper", "End Sub", "", "Function Helper() As Long", "End Function", "", "' end"},
     "decl=0 Main/0:1-3 Helper/0:4-8",
     "11122222"},
    {"header and declaration continued with ' _'",
     {"Option Explicit", "Private Declare PtrSafe Function GetTickCount Lib \"kernel32\" _", "    () As Long", "",
      "Public Function Total(ByVal a As Long, _", "                      ByVal b As Long) _",
      "                      As Long", "    Total = a + b", "End Function", "Private Function _",
      "    Twice(ByVal n As Long) As Long", "End Function"},
     "decl=3 Total/0:4-9 Twice/0:10-12",
     "...111111222"},
    {"comments and Rem above procedures belong to them",
     {"Option Explicit", "", "'----------", "' Adds one", "'----------", "Sub AddOne()", "End Sub",
      "' about the next", "", "Rem also about it", "Private Sub Two()", "End Sub"},
     "decl=1 AddOne/0:2-7 Two/0:8-12",
     ".11111122222"},
    {"End Sub in strings and comments does not close",
     {"Sub Say()", "    MsgBox \"End Sub\"", "    ' End Sub", "    x = 1 ' End Sub",
      "    MsgBox \"say \"\"hi\"\": End Sub\"", "    ' a comment continued _", "End Sub", "Rem done: End Sub",
      "End Sub", "Sub Later()", "End Sub"},
     "decl=0 Say/0:1-9 Later/0:10-11",
     "11111111122"},
    {"Declare, Type and Enum stay in the declarations",
     {"Option Explicit", "Private Declare PtrSafe Sub Sleep Lib \"kernel32\" (ByVal ms As Long)",
      "Public Declare Function GetTickCount Lib \"kernel32\" () As Long", "Private Type Point", "    X As Long",
      "End Type", "Public Enum Colour", "    Red = 1", "End Enum", "", "Sub Wait()", "    Sleep 10", "End Sub"},
     "decl=9 Wait/0:10-13",
     ".........1111"},
    {"Static and Friend, labels, line numbers, Sub inside words",
     {"Private Static Function Counter() As Long", "    SubTotal = 1", "    Exit Function", "10  End Function",
      "' resets the count", "Friend Sub Reset()", "    Static calls As Long", "    Call SubMain", "End Sub", "Public Static Sub Run()",
      "    On Error GoTo Fail", "    Exit Sub", "Fail: End Sub", "friend property set Target(ByVal r As Object)",
      "end property"},
     "decl=0 Counter/0:1-4 Reset/0:5-9 Run/0:10-13 Target/2:14-15",
     "111122222333344"},
    {"empty module", {}, "decl=0", ""},
};

class ProcedureQueries : public testing::TestWithParam<ProcedureCase> {};

TEST_P(ProcedureQueries, RangesAndOwners) {
  const ProcedureCase& c = GetParam();
  auto module = MemoryCodeModule::Create(Join(c.lines));
  ASSERT_EQ(module->CountOfLines(), static_cast<int>(c.lines.size()));
  EXPECT_EQ(DumpRanges(*module), c.ranges);
  EXPECT_EQ(DumpOwners(*module), c.owners);
}

INSTANTIATE_TEST_SUITE_P(Modules, ProcedureQueries, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ProcedureCase>& info) {
                           return "case" + std::to_string(info.index);
                         });

TEST(ProcedureLookup, NamesCompareWithoutCaseAndKindMustMatch) {
  auto module = MemoryCodeModule::Create(Join(kCases[0].lines));
  EXPECT_EQ(module->ProcStartLine("value", kProcGet), 3);
  EXPECT_EQ(module->ProcCountLines("VALUE", kProcLet), 4);
  for (int kind : {0, 2, 7}) {  // Sub or Function, Property Set, no kind
    try {
      module->ProcStartLine("Value", kind);
      ADD_FAILURE() << "kind " << kind << " raised nothing";
    } catch (const VbaError& e) {
      EXPECT_EQ(e.Number(), kErrSubOrFunctionNotDefined);
    }
  }
  EXPECT_THROW(module->ProcCountLines("Missing", kProcProc), VbaError);
}

TEST(ProcedureLookup, LinesOutsideTheModuleRaise) {
  auto module = MemoryCodeModule::Create("Sub A()\r\nEnd Sub");
  int kind = 0;
  EXPECT_THROW(module->ProcOfLine(0, kind), VbaError);
  EXPECT_THROW(module->ProcOfLine(3, kind), VbaError);
  EXPECT_EQ(module->ProcOfLine(2, kind), "A");
}

TEST(ProcedureLookup, AnalysisFollowsTextChanges) {
  auto module = MemoryCodeModule::Create("Option Explicit\r\nSub A()\r\nEnd Sub");
  int kind = -1;
  EXPECT_EQ(module->ProcOfLine(2, kind), "A");
  module->ReplaceLine(2, "Public Property Get B() As Long");
  EXPECT_EQ(module->ProcOfLine(2, kind), "B");
  EXPECT_EQ(kind, kProcGet);
  module->SetText("Dim x\r\n\r\nFunction C()\r\nEnd Function\r\n");
  EXPECT_EQ(module->CountOfDeclarationLines(), 1);
  EXPECT_EQ(module->ProcStartLine("C", kProcProc), 2);
  EXPECT_THROW(module->ProcStartLine("A", kProcProc), VbaError);
}

TEST(ProcedureWords, TableHasNoEmptyOrDuplicateWords) {
  std::set<std::string> seen;
  for (const ProcWord& entry : kProcedureWords) {
    EXPECT_FALSE(entry.word.empty());
    std::string lower(entry.word);
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_TRUE(seen.insert(lower).second) << entry.word;
  }
  for (const char* word : {"public", "private", "friend", "static", "sub", "function", "property", "get", "let",
                           "set", "end", "rem"}) {
    EXPECT_TRUE(seen.count(word)) << word;
  }
}

}  // namespace
}  // namespace qm::editor
