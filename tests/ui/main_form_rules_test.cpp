// The options dialog's rules as the user meets them: operation and target
// changes with the boxes they force and the values they hold and give back,
// the style-sheet and placement rules, the size box's keystroke filter, and
// the path label's frame with its scroll bar.
#include "tests/ui/main_form_fixture.h"

namespace qm::test {
namespace {

using Action = platform::FormAction;

struct Steps {
  const char* name;
  std::vector<Action> actions;
  const char* dump;
  const char* path;
};

TEST_F(MainFormTest, OperationChangesTakeAndGiveBackTheProjectTargetAndBoxes) {
  InstallBrowser();
  settings().TargetMode(3);
  settings().UseStyleSheet(false);
  settings().UsePreTag(true);
  const Steps cases[] = {
      {"save to copy", {Action::Click("optOperationCopy")}, "Mod* Pj~ BodyOnly* PreTag* File~",
       "/out/Book1_Module1.htm"},
      {"copy back to save",
       {Action::Click("optOperationCopy"), Action::Click("optOperationSave")},
       "Mod Pj* BodyOnly~ PreTag* File~",
       "/out/Book1/index.htm"},
      {"save to show", {Action::Click("optOperationShow")}, "Mod* Pj~ BodyOnly~ PreTag~ File~",
       "/out/Book1_Module1.htm"},
      {"show back to save",
       {Action::Click("optOperationShow"), Action::Click("optOperationSave")},
       "Mod Pj* BodyOnly~ PreTag* File~",
       "/out/Book1/index.htm"},
      {"body box held across show",
       {Action::Click("optOperationCopy"), Action::Tick("chkBodyOnly", false), Action::Click("optOperationShow"),
        Action::Click("optOperationCopy")},
       "Mod* Pj~ BodyOnly PreTag* File~",
       "/out/Book1_Module1.htm"},
      {"pre box held across show",
       {Action::Tick("chkPreTag", false), Action::Click("optOperationShow"), Action::Click("optOperationSave")},
       "Mod Pj* BodyOnly~ PreTag File~",
       "/out/Book1/index.htm"},
  };
  for (const Steps& c : cases) {
    SCOPED_TRACE(c.name);
    Open();
    Do(c.actions);
    EXPECT_EQ(Dump({"optTargetMod", "optTargetPj", "chkBodyOnly", "chkPreTag", "cmdFile"}), c.dump);
    EXPECT_EQ(Path(), c.path);
  }
}

TEST_F(MainFormTest, OneComponentKeepsTheProjectTargetDisabledWhateverTheOperation) {
  UseModules(1);
  settings().TargetMode(3);
  Open();
  for (const char* operation : {"optOperationCopy", "optOperationSave", "optOperationShow", "optOperationSave"}) {
    if (Ctl(operation).Enabled()) Do({Action::Click(operation)});
    EXPECT_EQ(Dump({"optTargetMod", "optTargetPj"}), "Mod* Pj~") << operation;
  }
}

TEST_F(MainFormTest, TargetChangesFollowTheRowsSeparatorsScriptAndPath) {
  settings().UseJavaScript(true);
  const Steps cases[] = {
      {"procedure", {Action::Click("optTargetProc")}, "EndProcLine~ JavaScript~ ProcName LineRow~ File",
       "/out/Book1_Module1_Main.htm"},
      {"procedure and back",
       {Action::Click("optTargetProc"), Action::Click("optTargetMod")},
       "EndProcLine* JavaScript~ ProcName~ LineRow~ File",
       "/out/Book1_Module1.htm"},
      {"separators held while forced off",
       {Action::Tick("chkEndProcLine", false), Action::Click("optTargetProc"), Action::Click("optTargetSel")},
       "EndProcLine JavaScript~ ProcName~ LineRow File",
       "/out/Book1_Module1_3-5.htm"},
      {"project", {Action::Click("optTargetPj")}, "EndProcLine* JavaScript* ProcName~ LineRow~ File~",
       "/out/Book1/index.htm"},
      {"script box held while away from the project",
       {Action::Click("optTargetPj"), Action::Click("optTargetMod"), Action::Click("optTargetPj")},
       "EndProcLine* JavaScript* ProcName~ LineRow~ File~",
       "/out/Book1/index.htm"},
      {"script box unticked by the user stays so",
       {Action::Click("optTargetPj"), Action::Tick("chkJavaScript", false), Action::Click("optTargetSel"),
        Action::Click("optTargetPj")},
       "EndProcLine* JavaScript ProcName~ LineRow~ File~",
       "/out/Book1/index.htm"},
  };
  for (const Steps& c : cases) {
    SCOPED_TRACE(c.name);
    Open();
    EXPECT_EQ(Dump({"chkJavaScript"}), "JavaScript*~") << "the remembered value until a target change";
    Do(c.actions);
    EXPECT_EQ(Dump({"chkEndProcLine", "chkJavaScript", "lblProcName", "lblLineRow", "cmdFile"}), c.dump);
    EXPECT_EQ(Path(), c.path);
  }
}

TEST_F(MainFormTest, PathLabelKeepsAChosenNameAndLeavingTheProjectReturnsToTheDefaultFolder) {
  fileDialog.Choose("/out/mine.htm");
  Open();
  Do({Action::Click("cmdFile"), Action::Click("optTargetProc")});
  EXPECT_EQ(Path(), "/out/mine.htm");

  settings().TargetMode(3);
  Open(Opening().Remembered("/out/last"));
  EXPECT_EQ(Path(), "/out/last/Book1/index.htm");
  Do({Action::Click("optTargetMod")});
  EXPECT_EQ(Path(), "/out/Book1_Module1.htm");
}

TEST_F(MainFormTest, ClickOnTheSelectedOptionChangesNothing) {
  fileDialog.Choose("/out/mine.htm");
  Open();
  Do({Action::Click("cmdFile"), Action::Tick("chkEndProcLine", false)});
  Do({Action::Click("optOperationSave"), Action::Click("optTargetMod")});
  EXPECT_EQ(Path(), "/out/mine.htm") << "saving again would have reset the path";
  EXPECT_EQ(Options(), "Save* Copy Show~ Mod* Proc Sel Pj");
  EXPECT_EQ(Ctl("optOperationSave").Tag(), "1");
  EXPECT_EQ(Ctl("optOperationCopy").Tag(), "");
}

TEST_F(MainFormTest, SavingAfterAnOpeningWithoutPathShowsTheDefaultPath) {
  settings().Operation(1);
  settings().UseStyleSheet(false);
  Open();
  EXPECT_EQ(Path(), "");
  Do({Action::Click("optOperationSave")});
  EXPECT_EQ(Path(), "/out/Book1_Module1.htm");
  EXPECT_EQ(Dump({"lblCaptionFile", "fraFileName", "cmdFile"}), "CaptionFile FileName File");
}

TEST_F(MainFormTest, StyleSheetRuleEmptiesAndRestoresSizeAndPlacement) {
  InstallBrowser();
  settings().FontSize(12);
  settings().CssOption(2);
  Open();
  Do({Action::Tick("chkStyleSheet", false)});
  EXPECT_EQ(Ctl("cboFontSize").Text(), "");
  EXPECT_EQ(Ctl("cboCSSOption").ListIndex(), -1);
  EXPECT_EQ(form->HeldFontSize(), 12);
  EXPECT_EQ(form->HeldCssOption(), 2);
  EXPECT_EQ(Dump({"lblFontSize", "cboFontSize", "lblCSSOption", "cboCSSOption"}),
            "FontSize~ FontSize~ CSSOption~ CSSOption~");

  Do({Action::Tick("chkStyleSheet", true)});
  EXPECT_EQ(Ctl("cboFontSize").ListIndex(), 4);
  EXPECT_EQ(Ctl("cboCSSOption").ListIndex(), 2);
  EXPECT_EQ(Dump({"cboFontSize", "cboCSSOption"}), "FontSize CSSOption");

  // With the show operation the placement is forced inline and stays disabled.
  Do({Action::Tick("chkStyleSheet", false), Action::Click("optOperationShow"), Action::Tick("chkStyleSheet", true)});
  EXPECT_EQ(Ctl("cboCSSOption").ListIndex(), 1);
  EXPECT_EQ(Dump({"cboFontSize", "cboCSSOption"}), "FontSize CSSOption~");
  Do({Action::Click("optOperationSave")});
  EXPECT_EQ(Ctl("cboCSSOption").ListIndex(), 2) << "saving gives back the placement held before the show";
}

TEST_F(MainFormTest, CopyPlacementDecidesTheFileRow) {
  InstallBrowser();
  settings().Operation(1);
  Open();
  const struct {
    int placement;
    const char* caption;
    const char* path;
  } cases[] = {
      {2, "CSSファイル名 CaptionFile", "/out/Quillmark.css"},
      {0, "HTMLファイル名 CaptionFile~", ""},
      {1, "HTMLファイル名 CaptionFile~", ""},
  };
  for (const auto& c : cases) {
    Do({Action::Choose("cboCSSOption", c.placement)});
    EXPECT_EQ(Ctl("lblCaptionFile").Caption() + " " + Dump({"lblCaptionFile"}), c.caption) << c.placement;
    EXPECT_EQ(Path(), c.path) << c.placement;
    EXPECT_EQ(form->HeldCssOption(), c.placement);
  }
  Do({Action::Choose("cboCSSOption", 2), Action::Click("optOperationShow")});
  EXPECT_EQ(Path(), "") << "show: the HTML file, greyed";
}

TEST_F(MainFormTest, FontSizeFilterTakesOnlyDigitsAndNoLeadingZero) {
  Open();
  const struct {
    const char* typed;
    const char* text;
    int index;
  } cases[] = {
      {"12x", "12", 4}, {"1x2", "12", 4}, {"0", "", -1},  {"07", "7", -1},
      {"１", "", -1},   {"1２", "1", -1}, {"24", "24", 8}, {"", "", -1},
  };
  for (const auto& c : cases) {
    Do({Action::Type("cboFontSize", c.typed)});
    EXPECT_EQ(Ctl("cboFontSize").Text(), c.text) << c.typed;
    EXPECT_EQ(Ctl("cboFontSize").ListIndex(), c.index) << c.typed;
  }
  Ctl("cboFontSize").Text("05");  // pasted: the number it begins with is 5
  EXPECT_EQ(Ctl("cboFontSize").Text(), "05");
  EXPECT_EQ(form->FontSizeValue(), 5);
  Ctl("cboFontSize").Text("00");
  EXPECT_EQ(Ctl("cboFontSize").Text(), "");
  EXPECT_EQ(form->FontSizeValue(), 0);
}

TEST_F(MainFormTest, LongPathGetsAScrollBarAndShortPathNone) {
  const std::string folder = "/out/" + std::string(240, 'd');
  Open(Opening().Folder(folder));
  platform::Control& frame = Ctl("fraFileName");
  platform::Control& label = Ctl("lblFileName");
  const float inside = frame.InsideWidth();
  EXPECT_EQ(Path(), folder + "/Book1_Module1.htm");
  EXPECT_EQ(frame.ScrollBarsShown(), platform::ScrollBars::Vertical);
  EXPECT_FLOAT_EQ(label.Width(), inside - 12.75f) << "narrowed by the scroll bar's width";
  EXPECT_GT(label.Height(), frame.InsideHeight());
  EXPECT_FLOAT_EQ(frame.ScrollHeight(), label.Height());

  frame.ScrollTop(20);
  form->SetFileLabel(folder + "/other.htm");
  EXPECT_FLOAT_EQ(frame.ScrollTop(), 0) << "scrolled to the top";

  form->SetFileLabel("/out/a.htm");
  EXPECT_EQ(frame.ScrollBarsShown(), platform::ScrollBars::None);
  EXPECT_FLOAT_EQ(frame.ScrollHeight(), 0);
  EXPECT_FLOAT_EQ(label.Width(), inside);
  EXPECT_LE(label.Height(), frame.InsideHeight());
}

}  // namespace
}  // namespace qm::test
