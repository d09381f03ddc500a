#include "platform/reg_file.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"

namespace qm::platform {
namespace {

constexpr Hive kCU = Hive::CurrentUser;
const std::string kV5 = "Windows Registry Editor Version 5.00\r\n\r\n";

std::string Utf16WithBom(const std::string& utf8) { return "\xFF\xFE" + *EncodeText(utf8, 1200); }

RegTree Parse(const std::string& bytes, int codePage = kCodePageUtf8) {
  const RegParseResult parsed = ParseRegText(bytes, "test.reg", codePage);
  EXPECT_FALSE(parsed.error) << parsed.error->Message();
  RegTree tree;
  ApplyRegEntries(parsed.entries, tree);
  return tree;
}

// One export touching every kind of line regedit writes.
const std::string kExportBody =
    "; a comment\r\n"
    "[HKEY_CURRENT_USER\\Software\\Old]\r\n"
    "\"Gone\"=\"x\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Quill]\r\n"
    "@=\"default\"\r\n"
    "\"Path\"=\"C:\\\\Program Files\\\\\\\"Q\\\"\"\r\n"
    "\"Face\"=\"ＭＳ ゴシック\"\r\n"
    "\"Tab\"=dword:00000008\r\n"
    "\"Short\"=dword:1f\r\n"
    "\"Bin\"=hex:01,02,\\\r\n"
    "  ff,00\r\n"
    "\"Expand\"=hex(2):25,00,58,00,25,00,00,00\r\n"
    "\"Multi\"=hex(7):61,00,00,00,62,00,63,00,00,00,00,00\r\n"
    "\"Q\"=hex(b):01,00,00,00,00,00,00,00\r\n"
    "\"Gone2\"=-\r\n"
    "[-HKEY_CURRENT_USER\\Software\\Old]\r\n";

void ExpectExportTree(const RegTree& tree) {
  const std::string key = "Software\\Quill";
  EXPECT_FALSE(tree.KeyExists(kCU, "Software\\Old"));
  EXPECT_EQ(*tree.FindValue(kCU, key, ""), RegValue::Text("default"));
  EXPECT_EQ(*tree.FindValue(kCU, key, "Path"), RegValue::Text("C:\\Program Files\\\"Q\""));
  EXPECT_EQ(*tree.FindValue(kCU, key, "Face"), RegValue::Text("ＭＳ ゴシック"));
  EXPECT_EQ(*tree.FindValue(kCU, key, "Tab"), RegValue::Dword(8));
  EXPECT_EQ(*tree.FindValue(kCU, key, "Short"), RegValue::Dword(0x1f));
  EXPECT_EQ(*tree.FindValue(kCU, key, "Bin"), (RegValue{kRegBinary, std::string("\x01\x02\xff\x00", 4)}));
  EXPECT_EQ(*tree.FindValue(kCU, key, "Expand"), (RegValue{kRegExpandSz, "%X%"}));
  EXPECT_EQ(*tree.FindValue(kCU, key, "Multi"), RegValue::MultiText({"a", "bc"}));
  EXPECT_EQ(*tree.FindValue(kCU, key, "Q"), (RegValue{0xb, std::string("\x01\0\0\0\0\0\0\0", 8)}));
  EXPECT_EQ(tree.ValueNames(kCU, key).size(), 9u);
}

TEST(RegFileTest, ReadsVersion5AsUtf16AndAsUtf8) {
  ExpectExportTree(Parse(Utf16WithBom(kV5 + kExportBody)));
  ExpectExportTree(Parse(kV5 + kExportBody));
  ExpectExportTree(Parse("\xEF\xBB\xBF" + kV5 + kExportBody));
}

TEST(RegFileTest, ReadsRegedit4InTheAnsiCodePage) {
  if (!CodePageSupported(932)) GTEST_SKIP() << "no CP932 on this system";
  // "ＭＳ ゴシック" in Shift-JIS, also as the ANSI bytes of a hex(2) text.
  const std::string face = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";
  const std::string text =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\VBA\\6.0\\Common]\r\n"
      "\"FontFace\"=\"" + face + "\"\r\n"
      "\"Expand\"=hex(2):82,6c,82,72,00\r\n";
  const RegTree tree = Parse(text, 932);
  EXPECT_EQ(*tree.FindValue(kCU, "Software\\Microsoft\\VBA\\6.0\\Common", "FontFace"), RegValue::Text("ＭＳ ゴシック"));
  EXPECT_EQ(*tree.FindValue(kCU, "Software\\Microsoft\\VBA\\6.0\\Common", "Expand"), (RegValue{kRegExpandSz, "ＭＳ"}));
}

TEST(RegFileTest, Regedit4InAWesternCodePage) {
  const RegTree tree = Parse("REGEDIT4\n[HKCU\\K]\n\"v\"=\"caf\xe9\"\n", 1252);
  EXPECT_EQ(*tree.FindValue(kCU, "K", "v"), RegValue::Text("café"));
}

struct ErrorCase {
  std::string text;
  int line;
  std::string what;  // a piece of the message
};

TEST(RegFileTest, ErrorsNameTheLineAndTheFault) {
  const std::string key = "[HKEY_CURRENT_USER\\K]\r\n";
  const ErrorCase cases[] = {
      {"", 1, "not a registry file"},
      {"REGEDIT5\r\n[HKCU\\K]\r\n", 1, "not a registry file"},
      {kV5 + "\"v\"=\"x\"\r\n", 3, "value outside a key"},
      {kV5 + "[HKEY_NOWHERE\\A]\r\n", 3, "unknown hive \"HKEY_NOWHERE\""},
      {kV5 + "[HKEY_CURRENT_USER\\A\r\n", 3, "closing \"]\""},
      {kV5 + "[HKEY_CURRENT_USER\\A] x\r\n", 3, "text after the key name"},
      {kV5 + "[-HKEY_CURRENT_USER]\r\n", 3, "whole hive"},
      {kV5 + "[-HKEY_CURRENT_USER\\A]\r\n\"v\"=\"x\"\r\n", 4, "value under a deleted key"},
      {kV5 + key + "\"v\"=\"x\r\n", 4, "without a closing quote"},
      {kV5 + key + "\"v\"=\"a\\qb\"\r\n", 4, "unknown escape"},
      {kV5 + key + "\"v\"=\"a\" b\r\n", 4, "text after the closing quote"},
      {kV5 + key + "\"v\" \"x\"\r\n", 4, "expected \"=\""},
      {kV5 + key + "\"v\"=\r\n", 4, "not understood"},
      {kV5 + key + "\"v\"=word:1\r\n", 4, "not understood"},
      {kV5 + key + "\"v\"=dword:123456789\r\n", 4, "1 to 8 hexadecimal digits"},
      {kV5 + key + "\"v\"=dword:xyz\r\n", 4, "1 to 8 hexadecimal digits"},
      {kV5 + key + "\"v\"=hex:01,zz\r\n", 4, "not a hexadecimal byte: \"zz\""},
      {kV5 + key + "\"v\"=hex(q):01\r\n", 4, "hex(N)"},
      {kV5 + key + "\"v\"=hex(2):41,00,42\r\n", 4, "odd number of bytes"},
      {kV5 + key + "\"v\"=hex:01,\\", 4, "continues past the end"},
      {kV5 + key + "\"a\"=hex:01,\\\r\n  02\r\nnonsense\r\n", 6, "expected a key"},
      {kV5 + key + "\"v\"=\"\xff\"\r\n", 4, "not valid UTF-8"},
      {"\xFE\xFF" + kV5, 0, "big-endian"},
  };
  for (const auto& c : cases) {
    const RegParseResult parsed = ParseRegText(c.text, "in.reg", kCodePageUtf8);
    ASSERT_TRUE(parsed.error) << c.text;
    EXPECT_EQ(parsed.error->line, c.line) << c.text;
    EXPECT_NE(parsed.error->what.find(c.what), std::string::npos) << parsed.error->what;
    EXPECT_TRUE(parsed.entries.empty());
    const std::string prefix = c.line > 0 ? "in.reg:" + std::to_string(c.line) + ": " : "in.reg: ";
    EXPECT_EQ(parsed.error->Message().rfind(prefix, 0), 0u) << parsed.error->Message();
  }
}

TEST(RegFileTest, WritesVersion5TextThatReadsBackTheSame) {
  RegTree tree;
  tree.SetValue(kCU, "Software\\Quill", "", RegValue::Text("default"));
  tree.SetValue(kCU, "Software\\Quill", "Say \"hi\"\\", RegValue::Text("C:\\a\\\"b\""));
  tree.SetValue(kCU, "Software\\Quill", "Face", RegValue::Text("ＭＳ ゴシック"));
  tree.SetValue(kCU, "Software\\Quill", "Lines", RegValue::Text("one\r\ntwo"));
  tree.SetValue(kCU, "Software\\Quill", "Tab", RegValue::Dword(0xfedcba98));
  tree.SetValue(kCU, "Software\\Quill", "Odd", RegValue{kRegDword, "\x01\x02"});
  tree.SetValue(kCU, "Software\\Quill", "Expand", RegValue{kRegExpandSz, "%X%"});
  tree.SetValue(kCU, "Software\\Quill", "Multi", RegValue::MultiText({"a", "", "b"}));
  tree.SetValue(kCU, "Software\\Quill", "Big", RegValue{kRegBinary, std::string(100, '\x5a')});
  tree.SetValue(Hive::ClassesRoot, "", "RootValue", RegValue{0x0, ""});
  tree.CreateKey(Hive::LocalMachine, "Empty\\Leaf");
  tree.CreateKey(Hive::Users, "Ｋｅｙ [1]");

  const std::string text = SerializeRegTree(tree);
  EXPECT_TRUE(Parse(text) == tree) << text;
  EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\n\n[HKEY_CLASSES_ROOT]\n\"RootValue\"=hex(0):\n", 0), 0u)
      << text;
  for (const char* line : {"\n@=\"default\"\n", "\n\"Say \\\"hi\\\"\\\\\"=\"C:\\\\a\\\\\\\"b\\\"\"\n",
                           "\n\"Tab\"=dword:fedcba98\n", "\n\"Odd\"=hex(4):01,02\n",
                           "\n\"Expand\"=hex(2):25,00,58,00,25,00,00,00\n",
                           "\n[HKEY_LOCAL_MACHINE\\Empty\\Leaf]\n\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  }
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    EXPECT_LE(end - start, 80u) << text.substr(start, end - start);
  }
}

}  // namespace
}  // namespace qm::platform
