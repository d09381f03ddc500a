// The conversion command's rules one by one: widening the selection over
// continued lines, the procedure around a selection (property pairs and the
// declarations included), the usable-selection test, the size estimate and
// the conversion order of components.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addin/host/convert_command.h"
#include "tests/host/command_fixture.h"

namespace qm::test {
namespace {

constexpr const char* kContinued =
    "Sub A()\r\n"      // 1
    "  x = 1 + _\r\n"  // 2
    "    2 + _\r\n"    // 3
    "    3\r\n"        // 4
    "  y = 4\r\n"      // 5
    "End Sub\r\n"      // 6
    "' a _\r\n"        // 7
    "' b _";           // 8  the last line ends with a continuation too

TEST(WidenSelection, CoversWholeLogicalLines) {
  const auto module = editor::MemoryCodeModule::Create(kContinued);
  const struct {
    int first, firstColumn, last, lastColumn;
    int widenedFirst, widenedLast;
  } cases[] = {
      {5, 1, 6, 1, 5, 5},  // ends at column 1 of line 6: line 6 is left out
      {5, 3, 5, 3, 5, 5},  // a bare caret
      {1, 1, 1, 1, 1, 1},  // line 1, column 1 stays line 1
      {3, 2, 3, 2, 2, 4},  // inside a continued line: up to its start, down to its end
      {1, 1, 2, 5, 1, 4},  // ends on a continued line: down to its end
      {4, 4, 4, 1, 2, 4},  // a caret at column 1 keeps its own line
      {5, 5, 5, 1, 5, 5},
      {8, 1, 8, 3, 7, 8},  // never past the module's last line
  };
  for (const auto& c : cases) {
    int first = c.first, last = c.last;
    WidenSelection(*module, first, c.firstColumn, last, c.lastColumn);
    EXPECT_EQ(first, c.widenedFirst) << c.first << "," << c.firstColumn << "-" << c.last << "," << c.lastColumn;
    EXPECT_EQ(last, c.widenedLast) << c.first << "," << c.firstColumn << "-" << c.last << "," << c.lastColumn;
  }
}

TEST(IsUsableSelection, NeedsMoreThanBlanksAndContinuations) {
  const auto module = editor::MemoryCodeModule::Create("Sub A()\r\n \u3000 _\r\n\r\n   \r\n  x = 1\r\nEnd Sub");
  EXPECT_FALSE(IsUsableSelection(*module, 2, 4));
  EXPECT_FALSE(IsUsableSelection(*module, 3, 3));
  EXPECT_TRUE(IsUsableSelection(*module, 2, 5));
  EXPECT_TRUE(IsUsableSelection(*module, 1, 1));
}

constexpr const char* kProperties =
    "Option Explicit\r\n"                // 1
    "Private v As Long\r\n"              // 2
    "\r\n"                               // 3
    "Sub Main()\r\n"                     // 4
    "  v = 1\r\n"                        // 5
    "End Sub\r\n"                        // 6
    "\r\n"                               // 7
    "Property Get Value() As Long\r\n"   // 8
    "  Value = v\r\n"                    // 9
    "End Property\r\n"                   // 10
    "\r\n"                               // 11
    "Property Let Value(n As Long)\r\n"  // 12
    "  v = n\r\n"                        // 13
    "End Property";                      // 14

class ResolveProcedureTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    editor::FakeEditor builder;
    builder.project("VBAProject", "/w/Book1.xlsm").module("Class1", kClassModule, kProperties).selected().shown();
    Connect(builder);
    module = vbe->ActiveCodePane()->CodeModule();
  }
  CodeModulePtr module;
};

TEST_F(ResolveProcedureTest, TellsPropertiesOfOneNameApart) {
  const struct {
    int first, last;
    int32_t kind;
    const char* name;
  } cases[] = {
      {1, 2, kProcDeclarations, "(Declarations)"},
      {5, 5, kProcProc, "Main"},
      {9, 9, kProcGet, "Value(PropertyGet)"},
      {8, 10, kProcGet, "Value(PropertyGet)"},
      {13, 13, kProcLet, "Value(PropertyLet)"},
      {11, 13, kProcLet, "Value(PropertyLet)"},  // the blank line above the Let belongs to it
      {9, 13, kProcNone, ""},                     // from the Get into the Let
      {5, 9, kProcNone, ""},                      // from one procedure into another
      {2, 5, kProcNone, ""},                      // from the declarations into a procedure
  };
  for (const auto& c : cases) {
    std::string name = "stale";
    EXPECT_EQ(ResolveProcedure(c.first, c.last, name), c.kind) << c.first << "-" << c.last;
    EXPECT_EQ(name, c.name) << c.first << "-" << c.last;
  }
}

TEST_F(ResolveProcedureTest, RangesOfTheDeclarationsAndOfAProcedure) {
  const struct {
    int32_t kind;
    int first;
    int32_t start, count;
  } cases[] = {
      {kProcDeclarations, 1, 1, module->CountOfDeclarationLines()},
      {kProcGet, 9, module->ProcStartLine("Value", kProcGet), module->ProcCountLines("Value", kProcGet)},
      {kProcLet, 13, module->ProcStartLine("Value", kProcLet), module->ProcCountLines("Value", kProcLet)},
      {kProcNone, 9, 0, 0},
  };
  for (const auto& c : cases) {
    int32_t start = -1, count = -1;
    ProcedureRange(*module, c.kind, c.first, start, count);
    EXPECT_EQ(start, c.start) << c.kind;
    EXPECT_EQ(count, c.count) << c.kind;
  }
  EXPECT_EQ(module->CountOfDeclarationLines(), 2);
  EXPECT_EQ(module->ProcStartLine("Value", kProcLet), 11);
}

TEST(ProcKindSuffix, NamesThePropertyKinds) {
  EXPECT_EQ(ProcKindSuffix(kProcProc), "");
  EXPECT_EQ(ProcKindSuffix(kProcLet), "(PropertyLet)");
  EXPECT_EQ(ProcKindSuffix(kProcSet), "(PropertySet)");
  EXPECT_EQ(ProcKindSuffix(kProcGet), "(PropertyGet)");
  EXPECT_EQ(ProcKindSuffix(kProcDeclarations), "");
}

TEST(ModuleSizeEstimate, WeighsWhatGrowsIntoMarkupAndRoundsToBlocks) {
  platform::SetAnsiCodePage(platform::kCodePageUtf8);
  const struct {
    std::string text;
    int32_t tabWidth;
    int32_t expected;
  } cases[] = {
      {"", 4, 512},
      {"x", 4, 512},
      {std::string(100, ' '), 4, 3072},           // E = 100 + 5 × 100 = 600; 3000 → 5 blocks + 1
      {std::string(10, '\t'), 4, 1536},           // E = 10 + 10 × 4 × 5 = 210; 1050 → 2 blocks + 1
      {std::string(10, '\t'), 8, 2560},           // E = 10 + 10 × 8 × 5 = 410; 2050 → 4 blocks + 1
      {"a<b>&\"c\"", 4, 512},                     // E = 8 + 4 + 3 + 3 + 10 = 28
      {std::string(103, 'x'), 4, 1024},           // E × 5 = 515 → 1 block + 1
      // Multi-byte text: each difference grows by the extra bytes (20 here).
      {"あいうえおかきくけこ", 4, 4608},          // E = 30 + 20 × 20 + 20 × 4 × 5 = 830
  };
  for (const auto& c : cases) EXPECT_EQ(ModuleSizeEstimate(c.text, c.tabWidth), c.expected) << c.text;
  platform::SetAnsiCodePage(0);
}

TEST(ComponentOrder, KindsFirstThenNamesByCharacterCode) {
  std::vector<std::string> keys = {
      ComponentSortKey(kStdModule, "alpha"),     ComponentSortKey(kClassModule, "Class1"),
      ComponentSortKey(kDocument, "ThisWorkbook"), ComponentSortKey(kStdModule, "Zeta"),
      ComponentSortKey(kDocument, "Sheet10"),    ComponentSortKey(99, "Other"),
      ComponentSortKey(kDesigner, "Designer1"),  ComponentSortKey(kMSForm, "UserForm1"),
      ComponentSortKey(kDocument, "Sheet1"),
  };
  SortKeys(keys);
  EXPECT_EQ(keys, (std::vector<std::string>{"1Sheet1", "1Sheet10", "1ThisWorkbook", "2UserForm1", "3Zeta", "3alpha",
                                            "4Class1", "5Designer1", "9Other"}));
}

}  // namespace
}  // namespace qm::test
