// Exported module files: which lines the editor shows, the module's name and
// kind from the header, and names that are not VBA names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/load/exported_module.h"
#include "editor/load/load_project.h"
#include "editor/load/module_text.h"

namespace qm::editor {
namespace {

// Joins lines with CR LF and ends the file with one, as the editor exports.
std::string File(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

std::string Shown(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return text;
}

const std::vector<std::string> kClassHeader = {"VERSION 1.0 CLASS", "BEGIN", "  MultiUse = -1  'True", "END"};

std::vector<std::string> With(std::vector<std::string> head, const std::vector<std::string>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

struct ExportCase {
  const char* label;
  const char* fileName;
  std::vector<std::string> lines;
  std::string name;
  int kind;
  std::vector<std::string> shown;
};

class ExportedFileTest : public ::testing::TestWithParam<ExportCase> {};

TEST_P(ExportedFileTest, ShowsCodeWithoutHeaderAndAttributes) {
  const auto& c = GetParam();
  const auto result = ParseExportedModule(File(c.lines), c.fileName, 0);
  EXPECT_EQ(result.module.name, c.name);
  EXPECT_EQ(result.module.kind, c.kind);
  EXPECT_EQ(result.module.text, Shown(c.shown));
}

const std::string kWorkbookBase = "Attribute VB_Base = \"0{00020819-0000-0000-C000-000000000046}\"";
const std::string kSheetBase = "Attribute VB_Base = \"0{00020820-0000-0000-C000-000000000046}\"";
const std::string kWordBase = "Attribute VB_Base = \"0{00020906-0000-0000-C000-000000000046}\"";
const std::string kClassBase = "Attribute VB_Base = \"0{FCFB3D2A-A0FA-1068-A738-08002B3371B5}\"";
const std::vector<std::string> kDocumentFlags = {"Attribute VB_GlobalNameSpace = False", "Attribute VB_Creatable = False",
                                                 "Attribute VB_PredeclaredId = True", "Attribute VB_Exposed = True"};
const std::vector<std::string> kClassFlags = {"Attribute VB_GlobalNameSpace = False", "Attribute VB_Creatable = False",
                                              "Attribute VB_PredeclaredId = False", "Attribute VB_Exposed = False"};

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportedFileTest,
    ::testing::Values(
        ExportCase{"Standard", "Module1.bas", {"Attribute VB_Name = \"Module1\"", "Option Explicit", "", "Sub A()", "End Sub"},
                   "Module1", 1, {"Option Explicit", "", "Sub A()", "End Sub"}},
        ExportCase{"NoHeaderNameFromFile", "Helpers.bas", {"Sub A()", "End Sub"}, "Helpers", 1, {"Sub A()", "End Sub"}},
        ExportCase{"ProcedureAttributes", "M.bas",
                   {"Attribute VB_Name = \"M\"", "Function F() As Long", "Attribute F.VB_Description = \"Does F\"",
                    "Attribute F.VB_UserMemId = 0", "  F = 1", "End Function"},
                   "M", 1, {"Function F() As Long", "  F = 1", "End Function"}},
        ExportCase{"AttributeTextInCodeStays", "M.bas",
                   {"Attribute VB_Name = \"M\"", "' Attribute x.VB_Foo is hidden by the editor",
                    "s = \"Attribute VB_Name\"", "Attribute VB_Exposed = True"},
                   "M", 1, {"' Attribute x.VB_Foo is hidden by the editor", "s = \"Attribute VB_Name\"", "Attribute VB_Exposed = True"}},
        ExportCase{"ClassModule", "Class1.cls", With(With(kClassHeader, {"Attribute VB_Name = \"Class1\""}), With(kClassFlags, {"Option Explicit"})),
                   "Class1", 2, {"Option Explicit"}},
        ExportCase{"ClassWithClassBase", "C.cls", With(kClassHeader, {"Attribute VB_Name = \"C\"", kClassBase, "Attribute VB_PredeclaredId = True", "Dim x"}),
                   "C", 2, {"Dim x"}},
        ExportCase{"PredeclaredClassIsNoDocument", "C.cls", With(kClassHeader, {"Attribute VB_Name = \"C\"", "Attribute VB_PredeclaredId = True", "Attribute VB_Exposed = True", "Dim x"}),
                   "C", 2, {"Dim x"}},
        ExportCase{"WorkbookDocument", "ThisWorkbook.cls",
                   With(With(kClassHeader, {"Attribute VB_Name = \"ThisWorkbook\"", kWorkbookBase}),
                        With(kDocumentFlags, {"Private WithEvents App As Application", "Attribute App.VB_VarHelpID = -1", "Sub X()", "End Sub"})),
                   "ThisWorkbook", 100, {"Private WithEvents App As Application", "Sub X()", "End Sub"}},
        ExportCase{"SheetDocument", "Sheet1.cls", With(With(kClassHeader, {"Attribute VB_Name = \"Sheet1\"", kSheetBase}), kDocumentFlags),
                   "Sheet1", 100, {}},
        ExportCase{"WordDocument", "ThisDocument.cls", With(With(kClassHeader, {"Attribute VB_Name = \"ThisDocument\"", kWordBase}), With(kDocumentFlags, {"Sub AutoOpen()", "End Sub"})),
                   "ThisDocument", 100, {"Sub AutoOpen()", "End Sub"}},
        ExportCase{"UserForm", "UserForm1.frm",
                   {"VERSION 5.00", "Begin {C62A69F0-16DC-11CE-9E98-00AA00574A4F} UserForm1 ", "   Caption         =   \"Begin\"",
                    "   ClientHeight    =   3015", "   OleObjectBlob   =   \"UserForm1.frx\":0000", "End",
                    "Attribute VB_Name = \"UserForm1\"", "Attribute VB_PredeclaredId = True", "Option Explicit", "Private Sub UserForm_Click()", "End Sub"},
                   "UserForm1", 3, {"Option Explicit", "Private Sub UserForm_Click()", "End Sub"}},
        ExportCase{"NestedDesignerBlocks", "Form1.frm",
                   {"VERSION 5.00", "Object = \"{0ECD9B60-23AA-11D0-B351-00A0C9055D8E}#6.0#0\"; \"x.ocx\"", "Begin VB.Form Form1",
                    "   Begin VB.CommandButton Command1", "      BeginProperty Font", "         Name = \"Arial\"", "      EndProperty",
                    "   End", "End", "Attribute VB_Name = \"Form1\"", "Sub Command1_Click()", "End Sub"},
                   "Form1", 3, {"Sub Command1_Click()", "End Sub"}},
        ExportCase{"BlankLinesAtTheEndStay", "M.bas", {"Attribute VB_Name = \"M\"", "Dim a", "", ""}, "M", 1, {"Dim a", "", ""}}),
    [](const ::testing::TestParamInfo<ExportCase>& info) { return std::string(info.param.label); });

TEST(ExportedFile, UnixLineEndsReadLikeCrLf) {
  const auto result = ParseExportedModule("Attribute VB_Name = \"M\"\nDim a\nDim b\n", "M.bas", 0);
  EXPECT_EQ(result.module.text, "Dim a\r\nDim b");
}

TEST(ExportedFile, MixedLineEndsReadLikeCrLf) {
  const struct {
    const char* file;
    const char* shown;
  } cases[] = {
      {"Attribute VB_Name = \"M\"\rDim a\rDim b\r", "Dim a\r\nDim b"},  // a CR at the very end opens no line
      {"Attribute VB_Name = \"M\"\r\nDim a\n\r\r\nDim b", "Dim a\r\n\r\n\r\nDim b"},
      // Member attributes are left out wherever they are, the last line included.
      {"Attribute VB_Name = \"M\"\r\nDim b\rAttribute b.VB_VarHelpID = -1\r\nSub X()\nAttribute X.VB_UserMemId = 0\r",
       "Dim b\r\nSub X()"},
      {"Attribute VB_Name = \"M\"\r\nAttribute b.VB_VarHelpID = -1\r\n", ""},
      {"Attribute VB_Name = \"M\"\r\nDim b_\r\n \tattribute b.vb_VarHelpID = -1\r\nx = a.VB_Thing\r\n", "Dim b_\r\nx = a.VB_Thing"},
      {"Attribute VB_Name = \"M\"\r\n", ""},
      {"Attribute VB_Name = \"M\"\r\n\r\n", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseExportedModule(c.file, "M.bas", 0).module.text, c.shown) << c.file;
  }
}

TEST(ExportedFile, RejectsNamesThatAreNotVbaNames) {
  for (const char* name : {"../x", "a b", "1st", "_x", "x-y", "ThisNameIsFarTooLongForAnyVbaModule"}) {
    const std::string file = std::string("Attribute VB_Name = \"") + name + "\"\r\nDim a\r\n";
    try {
      ParseExportedModule(file, "dir/evil.bas", 0);
      ADD_FAILURE() << name << " was accepted";
    } catch (const LoadError& error) {
      EXPECT_NE(error.Description().find("dir/evil.bas: "), std::string::npos) << error.Description();
      EXPECT_NE(error.Description().find("not a VBA name"), std::string::npos) << error.Description();
    }
  }
}

TEST(ExportedFile, UnterminatedDesignerBlockIsAnError) {
  EXPECT_THROW(ParseExportedModule("VERSION 5.00\r\nBegin {C62A69F0-16DC-11CE-9E98-00AA00574A4F} F\r\n  Caption = \"x\"\r\n",
                                   "F.frm", 0),
               LoadError);
}

TEST(VbaIdentifier, AcceptsLettersDigitsUnderscoreAndJapanese) {
  for (const char* name : {"Module1", "a_b", "x", "在庫管理", "Sheet1_在庫", "A234567890123456789012345678901"}) {
    EXPECT_TRUE(IsVbaIdentifier(name)) << name;
  }
  for (const char* name : {"", "A2345678901234567890123456789012", "a.b", "a/b", "\xE3\x80\x80x", "a\xFF", "a\tb"}) {
    EXPECT_FALSE(IsVbaIdentifier(name)) << name;
  }
}

TEST(StreamSource, DropsExportHeaderButKeepsAttributes) {
  const std::string file = File(With(kClassHeader, {"Attribute VB_Name = \"C\"", "Sub A()", "Attribute A.VB_UserMemId = 0", "End Sub"}));
  EXPECT_EQ(StreamSourceOfExport(file),
            "Attribute VB_Name = \"C\"\r\nSub A()\r\nAttribute A.VB_UserMemId = 0\r\nEnd Sub\r\n");
  EXPECT_EQ(StreamSourceOfExport("VERSION 1.0 CLASS\rBEGIN\rEND\rAttribute VB_Name = \"C\"\nDim x\r"),
            "Attribute VB_Name = \"C\"\r\nDim x\r\n");
}

}  // namespace
}  // namespace qm::editor
