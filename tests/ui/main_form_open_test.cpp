// Opening the options dialog: the initialisation, which target and operation
// the remembered settings give when they are (not) available, the boxes and
// the file row each opening leaves, the name rows, the picture, and the
// errors that stop the preparation.
#include "tests/ui/main_form_fixture.h"

namespace qm::test {
namespace {

TEST_F(MainFormTest, LoadingSetsTitleCopyrightSizesAndFlags) {
  frmMain dialog;
  EXPECT_EQ(dialog.Caption(), "Ferravel Ver 4.1.1");
  EXPECT_EQ(dialog["lblCopyright"].Caption(), kCopyrightLine);
  EXPECT_FALSE(dialog["lblCopyright"].Enabled());
  const platform::Control& sizes = dialog["cboFontSize"];
  ASSERT_EQ(sizes.ListCount(), 9);
  EXPECT_EQ(sizes.List(0), "8");
  EXPECT_EQ(sizes.List(8), "24");
  EXPECT_EQ(sizes.ListRows(), 9) << "all entries visible when the list drops down";
  EXPECT_TRUE(dialog.Cancelled());
  EXPECT_EQ(dialog.ErrorNumber(), 0);
  EXPECT_FALSE(dialog.EventsEnabled());
}

struct OpenCase {
  const char* name;
  int32_t operation;   // remembered
  int32_t target;      // remembered
  bool browser;
  int modules;
  bool procedure;      // the selection lies in procedure Main
  bool selection;      // a usable selection (lines 3 to 5)
  const char* options;
  const char* path;
};

const OpenCase kOpenCases[] = {
    {"defaults", 0, 0, true, 2, true, true, "Save* Copy Show Mod* Proc Sel Pj", "/out/Book1_Module1.htm"},
    {"procedure", 0, 1, true, 2, true, true, "Save* Copy Show Mod Proc* Sel Pj", "/out/Book1_Module1_Main.htm"},
    {"procedure without one", 0, 1, true, 2, false, true, "Save* Copy Show Mod* Proc~ Sel Pj",
     "/out/Book1_Module1.htm"},
    {"selection", 0, 2, true, 2, true, true, "Save* Copy Show Mod Proc Sel* Pj", "/out/Book1_Module1_3-5.htm"},
    {"selection without one", 0, 2, true, 2, true, false, "Save* Copy Show Mod* Proc Sel~ Pj",
     "/out/Book1_Module1.htm"},
    {"project", 0, 3, true, 2, true, true, "Save* Copy Show Mod Proc Sel Pj*", "/out/Book1/index.htm"},
    {"project of one module", 0, 3, true, 1, true, true, "Save* Copy Show Mod* Proc Sel Pj~",
     "/out/Book1_Module1.htm"},
    {"copy", 1, 0, true, 2, true, true, "Save Copy* Show Mod* Proc Sel Pj~", ""},
    {"show", 2, 0, true, 2, true, true, "Save Copy Show* Mod* Proc Sel Pj~", ""},
    {"show without browser", 2, 0, false, 2, true, true, "Save* Copy Show~ Mod* Proc Sel Pj",
     "/out/Book1_Module1.htm"},
};

TEST_F(MainFormTest, RememberedTargetAndOperationOrTheirFallbacks) {
  for (const OpenCase& c : kOpenCases) {
    SCOPED_TRACE(c.name);
    UseModules(c.modules);
    RememberedSettings = std::make_shared<clsSettings>();
    settings().Operation(c.operation);
    settings().TargetMode(c.target);
    settings().UseStyleSheet(false);
    if (c.browser) InstallBrowser();
    Opening opening;
    if (!c.procedure) opening.procName.clear();
    if (!c.selection) opening.selFirstLine = 0;
    Open(opening);
    EXPECT_EQ(Options(), c.options);
    EXPECT_EQ(Path(), c.path);
    const bool lines = Ctl("optTargetSel").Value();
    EXPECT_EQ(Dump({"lblCaptionLine", "lblLineRow"}), lines ? "CaptionLine LineRow" : "CaptionLine~ LineRow~");
    EXPECT_EQ(Ctl("lblProcName").Enabled(), Ctl("optTargetProc").Value());
    if (!c.browser) {
      EXPECT_EQ(settings().Operation(), 0) << "a remembered show falls back to saving";
    }
    form.reset();
    files.DeleteFile("/opt/web/browser");
  }
}

TEST_F(MainFormTest, OpeningOptionBoxesFollowTargetAndOperation) {
  InstallBrowser();
  struct Case {
    int32_t operation, target;
    bool useJavaScript;
    const char* boxes;  // body, pre, separators, script
  };
  const Case cases[] = {
      {0, 0, true, "BodyOnly~ PreTag* EndProcLine* JavaScript*~"},
      {0, 1, false, "BodyOnly~ PreTag* EndProcLine*~ JavaScript~"},
      {0, 3, true, "BodyOnly~ PreTag* EndProcLine* JavaScript*"},
      {1, 0, false, "BodyOnly* PreTag* EndProcLine* JavaScript~"},
      {2, 0, false, "BodyOnly~ PreTag~ EndProcLine* JavaScript~"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "operation " << c.operation << " target " << c.target);
    settings().Operation(c.operation);
    settings().TargetMode(c.target);
    settings().UsePreTag(true);
    settings().UseJavaScript(c.useJavaScript);
    Open();
    EXPECT_EQ(Dump({"chkBodyOnly", "chkPreTag", "chkEndProcLine", "chkJavaScript"}), c.boxes);
    EXPECT_EQ(form->HeldPreTag(), c.operation != 2);
    form.reset();
  }
}

TEST_F(MainFormTest, OpeningFileRowForSaveProjectCopyAndRememberedFolder) {
  Open(Opening().Remembered("/out/last"));
  EXPECT_EQ(Path(), "/out/last/Book1_Module1.htm");
  EXPECT_TRUE(form->HasChosenFolder());
  EXPECT_EQ(Dump({"lblCaptionFile", "fraFileName", "cmdFile", "lblCaptionModule"}),
            "CaptionFile FileName File CaptionModule");

  settings().TargetMode(3);
  Open();
  EXPECT_FALSE(form->HasChosenFolder());
  EXPECT_EQ(form->ChosenFolder(), "/out");
  EXPECT_EQ(Dump({"lblCaptionFile", "fraFileName", "cmdFile", "lblCaptionModule"}),
            "CaptionFile~ FileName~ File~ CaptionModule~");

  settings().TargetMode(0);
  settings().Operation(1);
  settings().CssOption(2);
  Open();
  EXPECT_EQ(Ctl("lblCaptionFile").Caption(), "CSSファイル名");
  EXPECT_EQ(Dump({"lblCaptionFile", "optTargetPj", "cboCSSOption"}), "CaptionFile Pj~ CSSOption");
  EXPECT_EQ(Path(), "/out/Quillmark.css");
}

TEST_F(MainFormTest, OpeningStyleSheetSizePlacementAndColours) {
  InstallBrowser();
  settings().FontSize(13);
  settings().CssOption(1);
  settings().DefaultColors(true);
  Open();
  EXPECT_EQ(Ctl("cboFontSize").Text(), "13") << "a size without an entry stays as typed text";
  EXPECT_EQ(Ctl("cboFontSize").ListIndex(), -1);
  EXPECT_EQ(Ctl("cboCSSOption").ListCount(), 3);
  EXPECT_EQ(Ctl("cboCSSOption").List(2), "スタイルシートファイル ");
  EXPECT_EQ(Ctl("cboCSSOption").Text(), "<body>内インライン指定");
  EXPECT_EQ(Dump({"chkStyleSheet", "cboFontSize", "lblCSSOption", "chkNormalColor"}),
            "StyleSheet* FontSize CSSOption NormalColor*~");

  settings().UseStyleSheet(false);
  settings().FontSize(12);
  settings().Operation(2);
  settings().DefaultColors(false);
  settings().UseNormalColor(false);
  Open();
  EXPECT_EQ(Ctl("cboFontSize").ListIndex(), 4) << "the size is selected even in a disabled box";
  EXPECT_EQ(Dump({"chkStyleSheet", "cboFontSize", "cboCSSOption", "chkNormalColor"}),
            "StyleSheet FontSize~ CSSOption~ NormalColor");

  settings().FontSize(0);
  Open();
  EXPECT_EQ(Ctl("cboFontSize").Text(), "");
  EXPECT_EQ(Ctl("cboFontSize").ListIndex(), -1);
}

TEST_F(MainFormTest, PictureFollowsTheEditorVersion) {
  Open(Opening().Version6(true));
  EXPECT_TRUE(Ctl("img2000").Visible());
  EXPECT_FALSE(Ctl("img2002").Visible());
  Open(Opening().Version6(false));
  EXPECT_FALSE(Ctl("img2000").Visible());
  EXPECT_TRUE(Ctl("img2002").Visible());
}

TEST_F(MainFormTest, NameRowsScrollWideNamesOneCharacterPerClick) {
  // 9 pt: a full-width character is 9 points wide, so these 37 (333 points)
  // exceed the reference width of 297.6 points; 29 fit the narrowed label.
  const std::string wide = "プロジェクト名がとても長いので一行に収まりませんからスピンボタンで送ります";
  Open(Opening().Title(wide));
  const float reference = Ctl("lblModuleName").Width();
  EXPECT_TRUE(Ctl("spnProjectName").Visible());
  EXPECT_FLOAT_EQ(Ctl("lblProjectName").Width(), reference - Ctl("spnProjectName").Width() - 1.5f);
  EXPECT_FALSE(Ctl("spnProcName").Visible()) << "a short name has no spin button";
  EXPECT_FLOAT_EQ(Ctl("lblProcName").Width(), reference);

  std::vector<std::string> shown;
  for (int click = 0; click < 12; ++click) {
    Do({platform::FormAction::SpinUp("spnProjectName")});
    shown.push_back(Ctl("lblProjectName").Caption());
  }
  EXPECT_EQ(shown[0], wide.substr(3)) << "one leading character dropped";
  EXPECT_LE(Ctl("lblProjectDummy").Width(), Ctl("lblProjectName").Width());
  EXPECT_EQ(shown.back(), shown[shown.size() - 2]) << "once the rest fits, clicks change nothing";

  for (int click = 0; click < 40; ++click) Do({platform::FormAction::SpinDown("spnProjectName")});
  EXPECT_EQ(Ctl("lblProjectName").Caption(), wide) << "back to the full title, and no further";
}

TEST_F(MainFormTest, ActivationLocksTheWindowAndUnloadingRestoresIt) {
  Open();
  EXPECT_EQ(LockedWindow, form->Window().handle);
  EXPECT_FALSE(form->Window().HasCloseBox());
  EXPECT_THROW(platform::UserCloseWindow(*form), platform::FormError) << "left only through its buttons";
  form->Unload();
  EXPECT_EQ(PreviousWindowProc, nullptr);
}

TEST_F(MainFormTest, PreparationErrorsComeBackAsNumbers) {
  form = std::make_unique<frmMain>();
  settings().CssOption(7);  // no such placement
  EXPECT_EQ(form->PrepareDialog("P", "Module1", "/out", "", "", 0, 0, 0, 0, true), 380);
  EXPECT_FALSE(form->EventsEnabled());

  form = std::make_unique<frmMain>();
  CurrentJob.reset();
  EXPECT_EQ(form->PrepareDialog("P", "Module1", "/out", "", "", 0, 0, 0, 0, true), 91);
}

}  // namespace
}  // namespace qm::test
