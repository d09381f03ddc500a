#include "addin/job/settings.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "addin/common/globals.h"
#include "addin/common/path_parts.h"
#include "addin/common/vba_error.h"
#include "addin/host/editor_settings_key.h"
#include "addin/job/palette.h"
#include "addin/job/reg_value.h"
#include "addin/job/vb_code.h"
#include "platform/codepage.h"
#include "platform/fake/memory_registry.h"

namespace qm {
namespace {

using platform::Hive;
using platform::RegValue;

// The current registry is an in-memory one holding the editor's key; the
// ANSI code page is UTF-8 unless a test says otherwise; no settings remembered.
class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetAnsiCodePage(platform::kCodePageUtf8);
    registry_.CreateKey(Hive::CurrentUser, kEditorSettingsKey);
    RememberedSettings.reset();
  }
  void TearDown() override {
    platform::SetAnsiCodePage(0);
    RememberedSettings.reset();
  }
  void Set(const char* name, const RegValue& value) {
    ASSERT_TRUE(registry_.SetValue(Hive::CurrentUser, kEditorSettingsKey, name, value));
  }
  static std::array<std::string, 8> Colors(const clsVBCode& job) {
    return {job.NormalForeColor(), job.KeywordForeColor(), job.CommentForeColor(), job.IdentifierForeColor(),
            job.NormalBackColor(), job.KeywordBackColor(), job.CommentBackColor(), job.IdentifierBackColor()};
  }

  platform::MemoryRegistry registry_;
  platform::ScopedCurrentRegistry current_{registry_};
};

const std::array<std::string, 8> kStandard = {"#000000", "#000080", "#008000", "#000000",
                                              "#ffffff", "#ffffff", "#ffffff", "#ffffff"};

TEST_F(SettingsTest, ReadRegValueReadsTheAnsiBytesWhateverTheStoredType) {
  struct Case {
    std::string label;
    std::optional<RegValue> stored;
    int kind;
    RegData defaultValue;
    RegData expected;
  };
  const Case cases[] = {
      {"dword", RegValue::Dword(8), 4, 4, 8},
      {"negative dword", RegValue::Dword(0xffffffff), 4, 4, -1},
      {"missing number", std::nullopt, 4, 4, 4},
      {"missing text", std::nullopt, 1, std::string("d"), std::string("d")},
      {"text as number: first four bytes", RegValue::Text("1234"), 4, 0, 0x34333231},
      {"short text as number: zero padded", RegValue::Text("8"), 4, 0, 0x38},
      {"number as text: bytes before NUL", RegValue::Dword(0x4241), 1, std::string(), std::string("AB")},
      {"japanese text", RegValue::Text("ＭＳ ゴシック"), 1, std::string(), std::string("ＭＳ ゴシック")},
      {"multi-text: first text", RegValue::MultiText({"a", "b"}), 1, std::string(), std::string("a")},
      {"259 bytes and NUL fit", RegValue::Text(std::string(259, 'x')), 1, std::string("d"), std::string(259, 'x')},
      {"260 bytes and NUL do not", RegValue::Text(std::string(260, 'x')), 1, std::string("d"), std::string("d")},
      {"260 binary bytes fit", RegValue{platform::kRegBinary, std::string(260, '\x01')}, 4, 0, 0x01010101},
      {"261 binary bytes do not", RegValue{platform::kRegBinary, std::string(261, '\x01')}, 4, 7, 7},
      {"empty binary as number", RegValue{platform::kRegBinary, ""}, 4, 7, 0},
      {"other kind", RegValue::Text("x"), 3, std::string("d"), std::monostate{}},
  };
  for (const auto& c : cases) {
    if (c.stored) Set("V", *c.stored); else registry_.DeleteValue(Hive::CurrentUser, kEditorSettingsKey, "V");
    EXPECT_EQ(ReadRegValue(Hive::CurrentUser, kEditorSettingsKey, "V", c.kind, c.defaultValue), c.expected)
        << c.label;
  }
}

TEST_F(SettingsTest, ReadRegValueCountsBytesInTheAnsiCodePage) {
  Set("Face", RegValue::Text("ＭＳ ゴシック"));
  platform::SetAnsiCodePage(1252);
  EXPECT_EQ(ReadRegText(Hive::CurrentUser, kEditorSettingsKey, "Face", ""), "?? ????");
  if (!platform::CodePageSupported(932)) GTEST_SKIP() << "no CP932 on this system";
  platform::SetAnsiCodePage(932);
  std::string a129;
  for (int i = 0; i < 129; ++i) a129 += "あ";  // 258 bytes in Shift-JIS, 387 in UTF-8
  Set("Long", RegValue::Text(a129));
  EXPECT_EQ(ReadRegText(Hive::CurrentUser, kEditorSettingsKey, "Long", "d"), a129);
  Set("Long", RegValue::Text(a129 + "あ"));  // 260 bytes and the NUL
  EXPECT_EQ(ReadRegText(Hive::CurrentUser, kEditorSettingsKey, "Long", "d"), "d");
}

TEST_F(SettingsTest, UnopenableKeyRaises10100) {
  registry_.DeleteKey(Hive::CurrentUser, "Software");
  clsVBCode job;
  const std::function<void()> reads[] = {
      [] { ReadRegLong(Hive::CurrentUser, kEditorSettingsKey, kRegTabWidth, 4); },
      [] { ReadRegText(Hive::CurrentUser, kEditorSettingsKey, kRegFontFace, "x"); },
      [&] { ReadEditorSettings(job); },
      [] { PrepareRememberedSettings(true); },
  };
  for (const auto& read : reads) {
    try {
      read();
      ADD_FAILURE() << "no error raised";
    } catch (const VbaError& e) {
      EXPECT_EQ(e.Number(), 10100);
      EXPECT_EQ(e.Description(), "レジストリがオープンできませんでした。");
    }
  }
  EXPECT_FALSE(RememberedSettings);  // not created half-filled
}

TEST(PaletteTest, PaletteIsSixteenDistinctLowerCaseColours) {
  const std::regex colour("#[0-9a-f]{6}");
  std::set<std::string> seen;
  for (const char* c : kPalette) {
    EXPECT_TRUE(std::regex_match(c, colour)) << c;
    EXPECT_TRUE(seen.insert(c).second) << c;
  }
  EXPECT_EQ(seen.size(), 16u);
}

TEST(PaletteTest, PaletteColorPicksDefaultOrPaletteEntry) {
  struct Case { std::string list; int position; std::string expected; };
  const std::string editor = "0 0 5 0 1 10 14 0 0 0 0 0 0 0 0 0 ";
  const Case cases[] = {
      {editor, 7, "#000080"},   {editor, 6, "#008000"},   {editor, 1, "dflt"},   {editor, 16, "dflt"},
      {editor, 17, "dflt"},     {"1 2 3", 6, "dflt"},     {"13", 1, "#0000ff"},  {"16", 1, "#800080"},
      {"4   ", 1, "#000000"},   {"", 1, "dflt"},          {"   ", 1, "dflt"},    {"+5", 1, "#ff0000"},
      {"1 99", 1, "#ffffff"},   // only the number at the position must lie in 0..16
  };
  for (const auto& c : cases) EXPECT_EQ(PaletteColor(c.list, c.position, "dflt"), c.expected) << c.list;
}

TEST(PaletteTest, PaletteColorRaisesOnBadLists) {
  struct Case { std::string list; int position; long error; };
  const Case cases[] = {
      {"1  2", 1, kErrTypeMismatch},  // two spaces: an empty piece, wherever it is
      {" 1", 2, kErrTypeMismatch},    // leading space
      {"1 x", 1, kErrTypeMismatch},   {"1 -", 1, kErrTypeMismatch}, {"1\t2", 1, kErrTypeMismatch},
      {"17", 1, kErrSubscriptOutOfRange}, {"-1", 1, kErrSubscriptOutOfRange},
      {"99999999999", 1, 6},          // overflow
  };
  for (const auto& c : cases) {
    try {
      PaletteColor(c.list, c.position, "dflt");
      ADD_FAILURE() << "no error for \"" << c.list << "\"";
    } catch (const VbaError& e) {
      EXPECT_EQ(e.Number(), c.error) << c.list;
    }
  }
}

TEST_F(SettingsTest, EditorColoursFromTheTwoLists) {
  struct Case {
    std::string label;
    std::optional<std::string> fore, back;
    std::array<std::string, 8> expected;  // fore n k c i, back n k c i
    bool defaultColors;
  };
  const Case cases[] = {
      {"other positions do not matter", "0 3 3 3 3 10 14 0 3 3 3 3 3 3 3 3 ", "0 2 2 2 2 0 0 0 2 2 2 2 2 2 2 2 ",
       kStandard, true},
      {"automatic everywhere", "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ", "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ", kStandard,
       true},
      {"both missing", std::nullopt, std::nullopt, kStandard, true},
      {"both empty", "", "", kStandard, true},
      {"keyword blue", "0 0 0 0 0 0 13 0", std::nullopt,
       {"#000000", "#0000ff", "#008000", "#000000", "#ffffff", "#ffffff", "#ffffff", "#ffffff"}, false},
      {"three numbers", "5 5 5", std::nullopt,
       {"#ff0000", "#000080", "#008000", "#000000", "#ffffff", "#ffffff", "#ffffff", "#ffffff"}, false},
      {"backgrounds by position", std::nullopt, "1 0 0 0 0 3 12 2",
       {"#000000", "#000080", "#008000", "#000000", "#ffffff", "#008080", "#808080", "#c0c0c0"}, false},
  };
  for (const auto& c : cases) {
    registry_.DeleteValue(Hive::CurrentUser, kEditorSettingsKey, kRegCodeForeColors);
    registry_.DeleteValue(Hive::CurrentUser, kEditorSettingsKey, kRegCodeBackColors);
    if (c.fore) Set(kRegCodeForeColors, RegValue::Text(*c.fore));
    if (c.back) Set(kRegCodeBackColors, RegValue::Text(*c.back));
    clsVBCode job;
    EXPECT_EQ(ReadEditorColors(job), c.defaultColors) << c.label;
    EXPECT_EQ(Colors(job), c.expected) << c.label;
  }
}

TEST_F(SettingsTest, KeywordColourMakesKeywordsDiffer) {
  Set(kRegCodeForeColors, RegValue::Text("0 0 0 0 0 0 13 0"));
  clsVBCode job;
  EXPECT_FALSE(ReadEditorSettings(job));
  EXPECT_TRUE(job.KeywordDiffers());
  ApplyStandardColors(job);
  EXPECT_EQ(Colors(job), kStandard);
  EXPECT_FALSE(job.KeywordBackDiffers() || job.CommentBackDiffers() || job.IdentifierDiffers());
}

TEST_F(SettingsTest, TabWidthAndFontFace) {
  clsVBCode job;
  ReadEditorSettings(job);
  EXPECT_EQ(job.TabWidth(), 4);
  EXPECT_EQ(job.FontFace(), "ＭＳ ゴシック");
  Set(kRegTabWidth, RegValue::Dword(8));
  Set(kRegFontFace, RegValue::Text("Consolas"));
  ReadEditorSettings(job);
  EXPECT_EQ(job.TabWidth(), 8);
  EXPECT_EQ(job.FontFace(), "Consolas");
  Set(kRegTabWidth, RegValue::Text("8"));  // a text is read through its first four bytes
  ReadEditorTabWidth(job);
  EXPECT_EQ(job.TabWidth(), 0x38);
}

// One conversion command as far as the settings go: read the editor's
// settings, then create or update RememberedSettings.
void StartCommand() {
  clsVBCode job;
  PrepareRememberedSettings(ReadEditorSettings(job));
}

TEST_F(SettingsTest, FirstCommandCreatesTheRememberedSettings) {
  Set(kRegFontHeight, RegValue::Dword(12));
  StartCommand();
  ASSERT_TRUE(RememberedSettings);
  const clsSettings& s = *RememberedSettings;
  EXPECT_EQ(s.Operation(), 0);
  EXPECT_TRUE(s.BodyOnly());
  EXPECT_EQ(s.TargetMode(), 0);
  EXPECT_FALSE(s.UsePreTag());
  EXPECT_EQ(s.CssOption(), 0);
  EXPECT_EQ(s.FontSize(), 12);
  EXPECT_TRUE(s.UseStyleSheet());
  EXPECT_TRUE(s.UseNormalColor());
  EXPECT_TRUE(s.EndProcLine());
  EXPECT_FALSE(s.IgnoreCharSet() || s.ShowModuleName() || s.UseJavaScript());
  EXPECT_EQ(s.LastFolder(), "");
  EXPECT_EQ(s.LastProjectTitle(), "");
  EXPECT_TRUE(s.HeldBodyOnly());
  EXPECT_EQ(s.HeldFontSize(), 12);
  EXPECT_EQ(s.HeldCssOption(), 0);
  EXPECT_TRUE(s.HeldEndProcLine());
  EXPECT_TRUE(s.DefaultColors());
  EXPECT_TRUE(s.WasDefaultColors());
}

TEST_F(SettingsTest, FontHeightAndEndProcLineOnCreation) {
  struct Case { std::optional<uint32_t> fontHeight, endProcLine; int32_t fontSize; bool separators; };
  const Case cases[] = {
      {std::nullopt, std::nullopt, 10, true}, {9, 1, 9, true}, {9, 0, 9, false}, {9, 2, 9, false},
      {9, 0xffffffff, 9, false},
  };
  for (const auto& c : cases) {
    RememberedSettings.reset();
    for (auto [name, value] : {std::pair{kRegFontHeight, c.fontHeight}, std::pair{kRegEndProcLine, c.endProcLine}}) {
      if (value) Set(name, RegValue::Dword(*value)); else registry_.DeleteValue(Hive::CurrentUser, kEditorSettingsKey, name);
    }
    StartCommand();
    EXPECT_EQ(RememberedSettings->FontSize(), c.fontSize);
    EXPECT_EQ(RememberedSettings->HeldFontSize(), c.fontSize);
    EXPECT_EQ(RememberedSettings->EndProcLine(), c.separators);
    EXPECT_EQ(RememberedSettings->HeldEndProcLine(), c.separators);
  }
}

TEST_F(SettingsTest, LaterCommandsFollowOnlyTheColours) {
  StartCommand();
  const auto first = RememberedSettings;
  Set(kRegFontHeight, RegValue::Dword(20));
  Set(kRegEndProcLine, RegValue::Dword(0));
  StartCommand();
  EXPECT_EQ(RememberedSettings, first);  // never replaced
  EXPECT_EQ(RememberedSettings->FontSize(), 10);
  EXPECT_TRUE(RememberedSettings->EndProcLine());
}

// Commands in a row: the editor colours each finds, what the user left
// chkNormalColor at, and the flags each command starts with.
TEST_F(SettingsTest, UseNormalColorAcrossCommands) {
  struct Step { bool standard; bool userChoice; bool useNormal, defaultColors, wasDefault; };
  struct Scenario { std::string label; std::vector<Step> steps; };
  const Scenario scenarios[] = {
      {"starts standard",
       {{true, true, true, true, true},
        {false, true, false, false, true},     // colours changed: off, though the user had it on
        {false, true, false, false, true},     // and stays off whatever the user chose
        {true, false, true, true, true}}},     // standard again: the user's last choice
      {"starts changed",
       {{false, true, false, false, false},
        {false, false, true, false, false},    // the user's choice is kept while never standard
        {true, true, false, true, true},
        {false, true, false, false, true}}},
  };
  for (const auto& scenario : scenarios) {
    RememberedSettings.reset();
    for (size_t i = 0; i < scenario.steps.size(); ++i) {
      const Step& step = scenario.steps[i];
      Set(kRegCodeForeColors, RegValue::Text(step.standard ? "0 0 0 0 0 0 0 0" : "0 0 0 0 0 0 13 0"));
      StartCommand();
      const clsSettings& s = *RememberedSettings;
      EXPECT_EQ(s.UseNormalColor(), step.useNormal) << scenario.label << " step " << i + 1;
      EXPECT_EQ(s.DefaultColors(), step.defaultColors) << scenario.label << " step " << i + 1;
      EXPECT_EQ(s.WasDefaultColors(), step.wasDefault) << scenario.label << " step " << i + 1;
      clsVBCode finished;  // the run ends with the user's choice
      finished.UseNormalColor(step.userChoice);
      RememberJob(finished);
    }
  }
}

TEST_F(SettingsTest, RememberJobCopiesEveryOption) {
  StartCommand();
  const std::string folder = std::string("out") + kPathSeparator + "Book1";
  clsVBCode job;
  job.BodyOnly(false); job.FontSize(14); job.EndProcLine(false); job.IgnoreCharSet(true);
  job.HeldBodyOnly(false); job.HeldEndProcLine(true); job.HeldFontSize(16); job.HeldCssOption(2);
  job.FileName(folder + kPathSeparator + "index.htm"); job.RememberFolder(true); job.ProjectTitle("VBAProject (Book1)");
  job.Operation(2); job.TargetMode(3); job.UseNormalColor(false); job.UsePreTag(true); job.CssOption(1);
  job.UseStyleSheet(false); job.ShowModuleName(true); job.UseJavaScript(true);
  RememberJob(job);
  const clsSettings& s = *RememberedSettings;
  EXPECT_FALSE(s.BodyOnly());
  EXPECT_EQ(s.FontSize(), 14);
  EXPECT_FALSE(s.EndProcLine());
  EXPECT_TRUE(s.IgnoreCharSet());
  EXPECT_FALSE(s.HeldBodyOnly());
  EXPECT_TRUE(s.HeldEndProcLine());
  EXPECT_EQ(s.HeldFontSize(), 16);
  EXPECT_EQ(s.HeldCssOption(), 2);
  EXPECT_EQ(s.LastFolder(), folder);
  EXPECT_EQ(s.LastProjectTitle(), "VBAProject (Book1)");
  EXPECT_EQ(s.Operation(), 2);
  EXPECT_EQ(s.TargetMode(), 3);
  EXPECT_FALSE(s.UseNormalColor());
  EXPECT_TRUE(s.UsePreTag());
  EXPECT_EQ(s.CssOption(), 1);
  EXPECT_FALSE(s.UseStyleSheet());
  EXPECT_TRUE(s.ShowModuleName());
  EXPECT_TRUE(s.UseJavaScript());
  EXPECT_TRUE(s.DefaultColors() && s.WasDefaultColors());  // not the job's to change

  job.RememberFolder(false);  // a folder not to remember clears the last one
  RememberJob(job);
  EXPECT_EQ(RememberedSettings->LastFolder(), "");
}

TEST_F(SettingsTest, RememberJobNeedsTheSettingsStep) {
  try {
    RememberJob(clsVBCode());
    ADD_FAILURE() << "no error raised";
  } catch (const VbaError& e) {
    EXPECT_EQ(e.Number(), 91);
  }
}

}  // namespace
}  // namespace qm
