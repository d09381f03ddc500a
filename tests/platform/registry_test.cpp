#include "platform/registry.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "platform/fake/memory_registry.h"

namespace qm::platform {
namespace {

constexpr Hive kCU = Hive::CurrentUser;

TEST(RegistryTest, PathsAndNamesIgnoreCaseAndEmptySegments) {
  MemoryRegistry reg;
  ASSERT_TRUE(reg.SetValue(kCU, "Software\\Quill\\Sub", "Name", RegValue::Text("x")));
  for (const char* path : {"software\\QUILL\\sub", "\\Software\\Quill\\Sub\\", "Software\\\\Quill\\Sub"}) {
    EXPECT_TRUE(reg.KeyExists(kCU, path)) << path;
    EXPECT_EQ(reg.ReadValue(kCU, path, "NAME"), RegValue::Text("x")) << path;
  }
  EXPECT_TRUE(reg.KeyExists(kCU, "Software\\Quill"));  // parents are created
  EXPECT_TRUE(reg.KeyExists(kCU, ""));                 // the hive itself
  EXPECT_FALSE(reg.KeyExists(Hive::LocalMachine, "Software\\Quill"));
  EXPECT_FALSE(reg.KeyExists(kCU, "Software\\Quil"));
  // Setting again under another spelling replaces the value, keeps the key's spelling.
  ASSERT_TRUE(reg.SetValue(kCU, "SOFTWARE\\quill\\SUB", "name", RegValue::Dword(7)));
  EXPECT_EQ(reg.ValueNames(kCU, "Software\\Quill\\Sub"), std::vector<std::string>{"Name"});
  EXPECT_EQ(reg.SubKeys(kCU, "software"), std::vector<std::string>{"Quill"});
  EXPECT_EQ(reg.ReadValue(kCU, "Software\\Quill\\Sub", "Name")->AsDword(), 7u);
}

TEST(RegistryTest, EnumeratesSubkeysSortedAndValuesInCreationOrder) {
  MemoryRegistry reg;
  for (const char* key : {"b", "C", "a"}) ASSERT_TRUE(reg.CreateKey(kCU, std::string("K\\") + key));
  for (const char* name : {"z", "", "m"}) ASSERT_TRUE(reg.SetValue(kCU, "K", name, RegValue::Text(name)));
  EXPECT_EQ(reg.SubKeys(kCU, "K"), (std::vector<std::string>{"a", "b", "C"}));
  EXPECT_EQ(reg.ValueNames(kCU, "K"), (std::vector<std::string>{"z", "", "m"}));
  EXPECT_TRUE(reg.SubKeys(kCU, "missing").empty());
}

TEST(RegistryTest, DeletesValuesAndWholeSubtrees) {
  MemoryRegistry reg;
  ASSERT_TRUE(reg.SetValue(kCU, "A\\B\\C", "v", RegValue::Text("1")));
  ASSERT_TRUE(reg.SetValue(kCU, "A", "w", RegValue::Text("2")));
  EXPECT_TRUE(reg.DeleteValue(kCU, "a", "W"));
  EXPECT_FALSE(reg.ReadValue(kCU, "A", "w"));
  EXPECT_TRUE(reg.DeleteValue(kCU, "A", "never there"));
  EXPECT_TRUE(reg.DeleteKey(kCU, "a\\b"));
  EXPECT_FALSE(reg.KeyExists(kCU, "A\\B\\C"));
  EXPECT_TRUE(reg.KeyExists(kCU, "A"));
  EXPECT_TRUE(reg.DeleteKey(kCU, "X\\Y"));  // missing: nothing to do
  EXPECT_FALSE(reg.DeleteKey(kCU, "\\"));   // a hive stays
  EXPECT_TRUE(reg.KeyExists(kCU, "A"));
}

TEST(RegistryTest, FailingWritesChangeNothing) {
  MemoryRegistry reg;
  ASSERT_TRUE(reg.SetValue(kCU, "K", "v", RegValue::Text("old")));
  reg.FailWrites(true);
  EXPECT_FALSE(reg.SetValue(kCU, "K", "v", RegValue::Text("new")));
  EXPECT_FALSE(reg.CreateKey(kCU, "K2"));
  EXPECT_FALSE(reg.DeleteKey(kCU, "K"));
  EXPECT_FALSE(reg.LastError().empty());
  EXPECT_EQ(reg.ReadValue(kCU, "K", "v"), RegValue::Text("old"));
  EXPECT_FALSE(reg.KeyExists(kCU, "K2"));
}

TEST(RegistryTest, HiveNamesFullAndShort) {
  EXPECT_EQ(HiveOfName("HKEY_CLASSES_ROOT"), Hive::ClassesRoot);
  EXPECT_EQ(HiveOfName("hkey_current_user"), Hive::CurrentUser);
  EXPECT_EQ(HiveOfName("HKLM"), Hive::LocalMachine);
  EXPECT_EQ(HiveOfName("HKU"), Hive::Users);
  EXPECT_FALSE(HiveOfName("HKEY_CURRENT_CONFIG"));
  for (Hive hive : kAllHives) EXPECT_EQ(HiveOfName(HiveName(hive)), hive);
}

// The single-byte view: texts in the ANSI code page with their NULs.
class AnsiViewTest : public ::testing::Test {
 protected:
  void TearDown() override { SetAnsiCodePage(0); }
  std::string Ansi(const RegValue& value) {
    reg_.SetValue(kCU, "K", "v", value);
    return QueryValueAnsi(reg_, kCU, "K", "v")->data;
  }
  MemoryRegistry reg_;
};

TEST_F(AnsiViewTest, EncodesTextsAndKeepsOtherBytes) {
  SetAnsiCodePage(kCodePageUtf8);
  EXPECT_EQ(Ansi(RegValue::Text("Tab")), std::string("Tab\0", 4));
  EXPECT_EQ(Ansi(RegValue{kRegExpandSz, "%X%"}), std::string("%X%\0", 4));
  EXPECT_EQ(Ansi(RegValue::MultiText({"a", "bc"})), std::string("a\0bc\0\0", 6));
  EXPECT_EQ(Ansi(RegValue::Dword(0x01020304)), std::string("\x04\x03\x02\x01", 4));
  EXPECT_EQ(Ansi(RegValue{kRegBinary, std::string("\0\xff", 2)}), std::string("\0\xff", 2));
  EXPECT_EQ(QueryValueAnsi(reg_, kCU, "K", "missing"), std::nullopt);
}

TEST_F(AnsiViewTest, TextFollowsTheCodePage) {
  if (!CodePageSupported(932)) GTEST_SKIP() << "no CP932 on this system";
  SetAnsiCodePage(932);
  EXPECT_EQ(Ansi(RegValue::Text("ＭＳ")), std::string("\x82\x6c\x82\x72\0", 5));
  SetAnsiCodePage(1252);
  EXPECT_EQ(Ansi(RegValue::Text("ＭＳ")), std::string("??\0", 3));  // not representable
}

TEST(CurrentRegistryTest, ScopedRegistryIsCurrentAndRestored) {
  MemoryRegistry outer, inner;
  ScopedCurrentRegistry a(outer);
  {
    ScopedCurrentRegistry b(inner);
    EXPECT_EQ(&CurrentRegistry(), &inner);
  }
  EXPECT_EQ(&CurrentRegistry(), &outer);
}

}  // namespace
}  // namespace qm::platform
