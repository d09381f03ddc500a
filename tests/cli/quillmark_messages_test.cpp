// How quillmark ends when it is not simply done, through the real program:
// questions without a terminal and without --yes, sources that cannot be
// read, choices the options dialog does not offer, the add-in's general
// error message; and what it takes from outside: editor settings imported
// from a .reg export, and the add-in library found through its registration.
#include "platform/posix/reg_store.h"
#include "addin/host/registration_data.h"
#include "tests/cli/cli_fixture.h"

namespace qm::test {
namespace {

using QuillmarkMessagesTest = CliTest;
using platform::Hive;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(QuillmarkMessagesTest, AReplaceQuestionWithoutYesOnAClosedInputWritesNothing) {
  Write(Work() / "Book1_modStock.htm", "old page");
  CliRun run = Run({"-m", "modStock", "Book1"});
  EXPECT_EQ(run.status, 1) << Explain(run);
  EXPECT_TRUE(Contains(run.err, "[Ferravel] question\nBook1_modStock.htm は、\n同名のファイルが存在します。置き換えますか？\n"))
      << run.err;
  EXPECT_EQ(Read(Work() / "Book1_modStock.htm"), "old page");

  run = Run({"-y", "-m", "modStock", "Book1"});
  EXPECT_EQ(run.status, 0) << Explain(run);
  EXPECT_TRUE(Contains(Read(Work() / "Book1_modStock.htm"), "StockRecord"));
}

TEST_F(QuillmarkMessagesTest, AFailedCheckOfTheDialogEndsWithItsMessage) {
  const CliRun run = Run({"--font-size", "30", "-m", "modStock", "Book1"});
  EXPECT_EQ(run.status, 1) << Explain(run);
  EXPECT_EQ(run.err, "[Ferravel] error\nフォントサイズは６～２４の範囲で設定して下さい。\n");
  EXPECT_FALSE(fs::exists(Work() / "Book1_modStock.htm"));
}

TEST_F(QuillmarkMessagesTest, TheEditorsQuestionsComeOnlyWhenTheEditorIsLeftUntidy) {
  const struct {
    const char* option;
    const char* question;
  } cases[] = {
      {"--uncompiled", "プロジェクトがコンパイルされていません。"},
      {"--module-behind", "選択されたモジュールがアクティブではありません。"},
  };
  for (const auto& c : cases) {
    CliRun run = Run({c.option, "-m", "modStock", "Book1"});
    EXPECT_EQ(run.status, 1) << c.option << "\n" << Explain(run);
    EXPECT_TRUE(Contains(run.err, c.question)) << run.err;
    EXPECT_FALSE(fs::exists(Work() / "Book1_modStock.htm")) << c.option;

    run = Run({c.option, "--yes", "-m", "modStock", "Book1"});
    EXPECT_EQ(run.status, 0) << c.option << "\n" << Explain(run);
    EXPECT_TRUE(fs::exists(Work() / "Book1_modStock.htm")) << c.option;
    fs::remove(Work() / "Book1_modStock.htm");
  }
}

TEST_F(QuillmarkMessagesTest, ASourceThatCannotBeReadEndsWithItsMessage) {
  Write(Work() / "corrupt.xlsm", "PK\x03\x04 not really a package");
  fs::create_directories(Work() / "empty");
  const struct {
    const char* source;
    const char* message;
  } cases[] = {
      {"missing.xlsm", "quillmark: missing.xlsm: no such file or folder\n"},
      {"corrupt.xlsm", "quillmark: corrupt.xlsm: "},
      {"empty", "quillmark: empty: the folder holds no exported module file"},
  };
  for (const auto& c : cases) {
    const CliRun run = Run({c.source});
    EXPECT_EQ(run.status, 1) << c.source << "\n" << Explain(run);
    EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << run.err;
  }
  EXPECT_FALSE(fs::exists(Path("registry.reg"))) << "nothing is written before the sources are read";
}

TEST_F(QuillmarkMessagesTest, AChoiceTheDialogDoesNotOfferIsAUsageError) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--body-only"}, "quillmark: --body-only: only a copy (--copy, --stdout)"},
      {{"--javascript"}, "quillmark: --javascript: the script menu belongs to the site of the whole project"},
      {{"--stdout", "-t", "project"}, "quillmark: --target project: the whole project can only be saved"},
      {{"--style", "none", "--font-size", "12"}, "quillmark: --font-size: the size goes with a style"},
      {{"-t", "procedure", "--separators"}, "quillmark: --separators: a single procedure gets no separator lines"},
      {{"-t", "selection", "--select", "2"}, "quillmark: --target selection: the selected lines (--select) hold no code"},
      {{"--copy", "-o", "page.htm"}, "quillmark: -o is for saving; --copy writes no file"},
      {{"-t", "project", "-o", "site/page.htm"}, "quillmark: -o: with --target project, give the site's folder"},
      {{"--copy", "--stdout"}, "quillmark: choose one of --copy, --show and --stdout"},
      {{"-m", "NoSuchModule"}, "quillmark: --module: no component NoSuchModule"},
      {{"--select", "400"}, "quillmark: --select: modStock has "},
      {{"--style", "bold"}, "quillmark: --style takes head, inline, file or none"},
      {{"--frobnicate"}, "quillmark: unknown option --frobnicate"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    if (std::find(args.begin(), args.end(), "-m") == args.end()) args.insert(args.end(), {"-m", "modStock"});
    args.push_back("Book1");
    const CliRun run = Run(args);
    EXPECT_EQ(run.status, 2) << c.message << "\n" << Explain(run);
    EXPECT_TRUE(Contains(run.err, c.message)) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(Files(Work()).size(), 0u) << "nothing was converted";
}

TEST_F(QuillmarkMessagesTest, AnErrorOfTheRunEndsWithTheGeneralErrorMessage) {
  Write(Work() / "blocker", "a file where the output folder should be");
  const CliRun run = Run({"-m", "modStock", "-o", "blocker/page.htm", "Book1"});
  EXPECT_EQ(run.status, 3) << Explain(run);
  EXPECT_TRUE(Contains(run.err, "[Ferravel] error\nエラーが発生しました。処理を中止します。\nエラー番号：")) << run.err;
  EXPECT_EQ(Read(Work() / "blocker"), "a file where the output folder should be");
}

TEST_F(QuillmarkMessagesTest, EditorSettingsFromARegExportColourTheKeywords) {
  // The keyword colour is the 7th number of the list: 5 is red.
  Write(Path("red-keywords.reg"),
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\VBA\\6.0\\Common]\r\n"
        "\"CodeForeColors\"=\"0 0 5 0 1 10 5 0 0 0 0 0 0 0 0 0 \"\r\n");
  CliRun run = Run({"--stdout", "--no-body-only", "-m", "modStock", "Book1"});
  ASSERT_EQ(run.status, 0) << Explain(run);
  EXPECT_TRUE(Contains(run.out, ".k {background-color: #ffffff; color: #000080}")) << "the editor's defaults first";

  run = Run({"--settings", Path("red-keywords.reg"), "--stdout", "--no-body-only", "-m", "modStock", "Book1"});
  ASSERT_EQ(run.status, 0) << Explain(run);
  EXPECT_TRUE(Contains(run.out, ".k {background-color: #ffffff; color: #ff0000}")) << run.out.substr(0, 800);
  EXPECT_TRUE(Contains(run.out, ".c {background-color: #ffffff; color: #008000}"));

  run = Run({"--settings", Path("missing.reg"), "Book1"});
  EXPECT_EQ(run.status, 1) << Explain(run);
  EXPECT_TRUE(Contains(run.err, "quillmark: --settings: ")) << run.err;
}

TEST_F(QuillmarkMessagesTest, TheAddinIsLoadedThroughItsRegistrationWhenItIsInstalled) {
  Write(Path("system/libQuillmark.so"), "not a library");
  {
    platform::RegStore store(Path("registry.reg"));
    ASSERT_TRUE(store.SetValue(Hive::CurrentUser, kAddinKey, kRegLoadBehavior, platform::RegValue::Dword(1)));
    ASSERT_TRUE(store.SetValue(Hive::ClassesRoot, kClassRegistrationKey, "", platform::RegValue::Text(kAddinClsid)));
    ASSERT_TRUE(store.SetValue(Hive::ClassesRoot, kInprocServerKey, "",
                               platform::RegValue::Text(Path("system/libQuillmark.so"))));
  }
  CliRun run = Run({"Book1"});
  EXPECT_EQ(run.status, 1) << Explain(run);
  EXPECT_TRUE(Contains(run.err, "quillmark: the add-in library cannot be loaded: " + Path("system/libQuillmark.so")))
      << run.err;

  // A registration whose library is gone leaves the library beside the program.
  fs::remove(Path("system/libQuillmark.so"));
  run = Run({"Book1"});
  EXPECT_EQ(run.status, 0) << Explain(run);
}

}  // namespace
}  // namespace qm::test
