// The forms model: events fired by values set from code, option groups, the
// combo box's list position and typed text, spin buttons, frame scrolling,
// auto size, the form lifecycle and the scripted user.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/forms_host.h"
#include "platform/forms_script.h"

namespace qm::platform {
namespace {

using Kind = ControlKind;

// A form that logs every event of its controls as "name_Event".
class LoggingForm : public UserForm {
 public:
  LoggingForm() : UserForm("frmTest") {}

  Control& AddLogged(Kind kind, const std::string& name, Control* container = nullptr) {
    Control& control = Add(kind, name, container);
    for (const char* event : {"Click", "Change", "SpinUp", "SpinDown", "Scroll", "DropButtonClick"}) {
      if (ControlRaises(kind, event)) On(name + "_" + event, [this, name, event] { log.push_back(name + "_" + event); });
    }
    return control;
  }

  std::vector<std::string> TakeLog() { return std::exchange(log, {}); }
  std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST(FormsControl, CheckBoxFiresOnlyWhenTheValueChanges) {
  LoggingForm form;
  Control& chk = form.AddLogged(Kind::CheckBox, "chkPreTag");
  chk.Value(true);
  EXPECT_EQ(form.TakeLog(), (Log{"chkPreTag_Change", "chkPreTag_Click"}));
  chk.Value(true);
  EXPECT_TRUE(form.TakeLog().empty());
  chk.Value(false);
  EXPECT_EQ(form.TakeLog(), (Log{"chkPreTag_Change", "chkPreTag_Click"}));
}

TEST(FormsControl, OptionGroupsClearTheirOtherMembersOnly) {
  LoggingForm form;
  Control& save = form.AddLogged(Kind::OptionButton, "optSave");
  Control& copy = form.AddLogged(Kind::OptionButton, "optCopy");
  Control& mod = form.AddLogged(Kind::OptionButton, "optMod");
  Control& pj = form.AddLogged(Kind::OptionButton, "optPj");
  for (Control* c : {&save, &copy}) c->GroupName("Operation");
  for (Control* c : {&mod, &pj}) c->GroupName("Target");
  save.Value(true);
  mod.Value(true);
  form.TakeLog();

  copy.Value(true);
  EXPECT_EQ(form.TakeLog(), (Log{"optSave_Change", "optCopy_Change", "optCopy_Click"}));
  EXPECT_FALSE(save.Value());
  EXPECT_TRUE(mod.Value()) << "another group is left alone";

  copy.Value(true);  // already selected: nothing fires
  EXPECT_TRUE(form.TakeLog().empty());
  copy.Value(false);  // cleared from code: Change, no Click
  EXPECT_EQ(form.TakeLog(), (Log{"optCopy_Change"}));
}

TEST(FormsControl, OptionsWithoutGroupNameGroupByContainer) {
  UserForm form("frm");
  Control& frame = form.Add(Kind::Frame, "fra");
  Control& outside = form.Add(Kind::OptionButton, "optA");
  Control& inside1 = form.Add(Kind::OptionButton, "optB", &frame);
  Control& inside2 = form.Add(Kind::OptionButton, "optC", &frame);
  outside.Value(true);
  inside1.Value(true);
  inside2.Value(true);
  EXPECT_TRUE(outside.Value());
  EXPECT_FALSE(inside1.Value());
}

TEST(FormsControl, ComboListPositionAndText) {
  LoggingForm form;
  Control& cbo = form.AddLogged(Kind::ComboBox, "cboFontSize");
  for (const char* size : {"8", "9", "10"}) cbo.AddItem(size);

  cbo.ListIndex(1);
  EXPECT_EQ(cbo.Text(), "9");
  EXPECT_EQ(form.TakeLog(), (Log{"cboFontSize_Change", "cboFontSize_Click"}));
  cbo.ListIndex(1);
  EXPECT_TRUE(form.TakeLog().empty());

  cbo.Text("10");  // text of an entry moves the list position
  EXPECT_EQ(cbo.ListIndex(), 2);
  cbo.Text("13");  // typed text without an entry
  EXPECT_EQ(cbo.ListIndex(), -1);
  EXPECT_EQ(cbo.Text(), "13");
  form.TakeLog();

  cbo.ListIndex(0);
  cbo.ListIndex(-1);
  EXPECT_EQ(cbo.Text(), "");
  EXPECT_EQ(form.TakeLog(), (Log{"cboFontSize_Change", "cboFontSize_Click", "cboFontSize_Change"}));
  EXPECT_THROW(cbo.ListIndex(3), FormError);
  EXPECT_THROW(cbo.ListIndex(-2), FormError);
}

TEST(FormsControl, DropDownListTakesOnlyEntries) {
  UserForm form("frm");
  Control& cbo = form.Add(Kind::ComboBox, "cboCSSOption");
  cbo.Style(ComboStyle::DropDownList);
  cbo.AddItem("a");
  cbo.Text("a");
  EXPECT_EQ(cbo.ListIndex(), 0);
  EXPECT_THROW(cbo.Text("b"), FormError);
  EXPECT_EQ(cbo.Text(), "a");
  EXPECT_THROW(UserType(cbo, "a"), FormError);
}

TEST(FormsControl, ChangeHandlerThatEditsTheTextRunsNested) {
  // A filter in the Change handler that drops a typed non-digit at once.
  UserForm form("frm");
  Control& cbo = form.Add(Kind::ComboBox, "cboFontSize");
  int changes = 0;
  form.On("cboFontSize_Change", [&] {
    ++changes;
    const std::string text = cbo.Text();
    if (!text.empty() && (text.back() < '0' || text.back() > '9')) cbo.Text(text.substr(0, text.size() - 1));
  });
  UserType(cbo, "1x2");
  EXPECT_EQ(cbo.Text(), "12");
  EXPECT_EQ(changes, 4);  // "1", "1x", back to "1", "12"
}

TEST(FormsControl, SpinButtonsClampAndRaiseTheirArrows) {
  LoggingForm form;
  Control& spn = form.AddLogged(Kind::SpinButton, "spnProcName");
  spn.Min(0);
  spn.Max(1);
  UserSpin(spn, true);
  UserSpin(spn, true);  // at the maximum: the arrow still raises SpinUp
  UserSpin(spn, false);
  EXPECT_EQ(form.TakeLog(), (Log{"spnProcName_Change", "spnProcName_SpinUp", "spnProcName_SpinUp",
                                 "spnProcName_Change", "spnProcName_SpinDown"}));
  EXPECT_EQ(spn.SpinValue(), 0);
}

TEST(FormsControl, FrameInsideAndScrolling) {
  LoggingForm form;
  Control& fra = form.AddLogged(Kind::Frame, "fraFileName");
  fra.Move(98.2f, 302.2f, 297.6f, 39.8f);
  fra.Effect(SpecialEffect::Sunken);
  EXPECT_FLOAT_EQ(fra.InsideWidth(), 294.6f);
  EXPECT_FLOAT_EQ(fra.InsideHeight(), 36.8f);

  fra.ScrollHeight(50);
  fra.ScrollTop(100);
  EXPECT_FLOAT_EQ(fra.ScrollTop(), 50 - 36.8f);
  fra.ScrollTop(0);
  EXPECT_EQ(form.TakeLog(), (Log{"fraFileName_Scroll", "fraFileName_Scroll"}));
  fra.ScrollHeight(0);
  fra.ScrollTop(10);
  EXPECT_FLOAT_EQ(fra.ScrollTop(), 0);
}

TEST(FormsControl, AutoSizeFitsWithTheInstalledMetrics) {
  UserForm form("frm");
  Control& measure = form.Add(Kind::Label, "lblProjectDummy");
  measure.AutoSize(true);
  measure.Caption("VBAProject (Book1.xls)");  // 22 half-width characters at 9 pt
  EXPECT_FLOAT_EQ(measure.Width(), 99.0f);
  measure.Caption("プロジェクト");  // 6 full-width characters
  EXPECT_FLOAT_EQ(measure.Width(), 54.0f);

  Control& wrapped = form.Add(Kind::Label, "lblFileName");
  wrapped.WordWrap(true);
  wrapped.Width(45);  // ten half-width characters per line
  wrapped.AutoSize(true);
  wrapped.Caption("/home/user/out/Book1_Module1.htm");  // 32 characters, no blank
  EXPECT_FLOAT_EQ(wrapped.Height(), 4 * 11.25f);
  EXPECT_FLOAT_EQ(wrapped.Width(), 45.0f);
  wrapped.Width(200);  // a wider label refits
  EXPECT_FLOAT_EQ(wrapped.Height(), 11.25f);
}

TEST(FormsText, WrapBreaksAfterBlanksAndAtLineBreaks) {
  FontSpec font;
  EXPECT_EQ(WrapText("aaa bbb ccc", 4.5 * 8, font), (std::vector<std::string>{"aaa bbb ", "ccc"}));
  EXPECT_EQ(WrapText("ab\r\ncd", 100, font), (std::vector<std::string>{"ab", "cd"}));
  EXPECT_EQ(WrapText("", 100, font), (std::vector<std::string>{""}));
  EXPECT_EQ(WrapText("全角全角", 18, font), (std::vector<std::string>{"全角", "全角"}));
}

TEST(FormsControl, AcceleratorComesFromTheCaption) {
  UserForm form("frm");
  Control& chk = form.Add(Kind::CheckBox, "chkPreTag");
  chk.Caption("<pre>タグを使用する(T)");
  EXPECT_EQ(chk.Accelerator(), 'T');
  chk.Caption("ファイル名変更...");
  EXPECT_EQ(chk.Accelerator(), 0);
}

TEST(FormsForm, HandlerNamesAreChecked) {
  UserForm form("frm");
  form.Add(Kind::CheckBox, "chkPreTag");
  EXPECT_NO_THROW(form.On("chkPreTag_Change", [] {}));
  EXPECT_NO_THROW(form.On("UserForm_Activate", [] {}));
  EXPECT_THROW(form.On("chkPreTg_Change", [] {}), FormError);
  EXPECT_THROW(form.On("chkPreTag_SpinUp", [] {}), FormError);
  EXPECT_THROW(form.Add(Kind::Label, "chkPreTag"), FormError);
  EXPECT_THROW(form["nothing"], FormError);
}

// A small dialog with OK and Cancel buttons and a lifecycle log.
class DialogFixture : public ::testing::Test {
 protected:
  DialogFixture() : scope_(host_) {
    Control& ok = form_.Add(Kind::CommandButton, "cmdOK");
    ok.Default(true);
    form_.Add(Kind::CommandButton, "cmdCancel").Cancel(true);
    form_.Add(Kind::CheckBox, "chkOpenFile");
    Control& frame = form_.Add(Kind::Frame, "fra");
    form_.Add(Kind::CheckBox, "chkInside", &frame);
    for (const char* e : {"Initialize", "Activate", "Terminate"}) {
      form_.On(std::string("UserForm_") + e, [this, e] { log_.push_back(e); });
    }
    form_.On("cmdOK_Click", [this] { log_.push_back("OK"), form_.Hide(); });
    form_.On("cmdCancel_Click", [this] { log_.push_back("Cancel"), form_.Hide(); });
    form_.OnQueryClose([this](bool& cancel, CloseMode mode) {
      log_.push_back(mode == CloseMode::kCloseFromCode ? "QueryClose(code)" : "QueryClose(menu)");
      cancel = refuseClose_;
    });
  }

  ScriptedFormHost host_;
  ScopedFormHost scope_;
  UserForm form_{"frmDialog"};
  Log log_;
  bool refuseClose_ = false;
};

TEST_F(DialogFixture, InitializeOnceActivateOnEveryShow) {
  host_.Script("frmDialog", {FormAction::Tick("chkOpenFile", true), FormAction::Click("cmdOK")});
  form_.Show();
  form_.Show();  // no script left: the user leaves with Esc
  EXPECT_EQ(log_, (Log{"Initialize", "Activate", "OK", "Activate", "Cancel"}));
  EXPECT_TRUE(form_["chkOpenFile"].Value());
  EXPECT_FALSE(form_.Visible());
  EXPECT_TRUE(form_.Unload());
  EXPECT_EQ(log_.back(), "Terminate");
  EXPECT_FALSE(form_.Loaded());
}

TEST_F(DialogFixture, QueryCloseCanRefuseTheUnload) {
  form_.Load();
  refuseClose_ = true;
  EXPECT_FALSE(form_.Unload());
  EXPECT_TRUE(form_.Loaded());
  refuseClose_ = false;
  EXPECT_TRUE(form_.Unload());
  EXPECT_EQ(log_, (Log{"Initialize", "QueryClose(code)", "QueryClose(code)", "Terminate"}));
}

TEST_F(DialogFixture, TheCloseBoxClosesThroughTheWindowProcedure) {
  host_.Script("frmDialog", {FormAction::Close()});
  form_.Show();
  EXPECT_EQ(log_, (Log{"Initialize", "Activate", "QueryClose(menu)", "Terminate"}));
  EXPECT_FALSE(form_.Loaded());
}

TEST_F(DialogFixture, ActionsOnUnreachableControlsAreRefused) {
  struct Case {
    const char* what;
    std::function<void(UserForm&)> disable;
    FormAction action;
  };
  const std::vector<Case> cases = {
      {"disabled", [](UserForm& f) { f["chkOpenFile"].Enabled(false); }, FormAction::Tick("chkOpenFile", true)},
      {"invisible", [](UserForm& f) { f["chkOpenFile"].Visible(false); }, FormAction::Click("chkOpenFile")},
      {"in a disabled frame", [](UserForm& f) { f["fra"].Enabled(false); }, FormAction::Click("chkInside")},
      {"disabled button", [](UserForm& f) { f["cmdOK"].Enabled(false); }, FormAction::Enter()},
  };
  for (const Case& c : cases) {
    UserForm form("frmCase");
    form.Add(Kind::CheckBox, "chkOpenFile");
    form.Add(Kind::CheckBox, "chkInside", &form.Add(Kind::Frame, "fra"));
    form.Add(Kind::CommandButton, "cmdOK").Default(true);
    c.disable(form);
    host_.Script("frmCase", {c.action});
    EXPECT_THROW(form.Show(), FormError) << c.what;
    EXPECT_FALSE(form.Visible()) << c.what;
    EXPECT_FALSE(form["chkOpenFile"].Value()) << c.what;
  }
}

TEST_F(DialogFixture, ClicksTakeTheFocusBeforeTheirHandlersRun) {
  // As in the progress window: a click on the check box hands the focus to OK.
  form_.On("chkOpenFile_Click", [this] { form_["cmdOK"].SetFocus(); });
  form_.Activate();
  UserTick(form_["chkOpenFile"], true);
  EXPECT_EQ(form_.ActiveControl(), &form_["cmdOK"]);
  form_["cmdOK"].Enabled(false);
  EXPECT_THROW(form_["cmdOK"].SetFocus(), FormError);
  EXPECT_EQ(form_.ActiveControl(), &form_["cmdOK"]);
}

TEST_F(DialogFixture, DoEventsAndBeepGoToTheHost) {
  DoEvents();
  DoEvents();
  Beep();
  EXPECT_EQ(host_.DoEventsCount(), 2);
  EXPECT_EQ(host_.BeepCount(), 1);
}

TEST(FormsHost, DefaultHostNeverWaits) {
  UserForm form("frmProgress");  // no buttons at all: the user closes the window
  bool terminated = false;
  form.On("UserForm_Terminate", [&] { terminated = true; });
  form.Show();
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(terminated);
}

}  // namespace
}  // namespace qm::platform
