#include "editor/editor_defaults.h"

#include <gtest/gtest.h>

#include "addin/common/globals.h"
#include "addin/host/editor_settings_key.h"
#include "addin/job/settings.h"
#include "addin/job/vb_code.h"
#include "platform/codepage.h"
#include "platform/fake/memory_registry.h"

namespace qm {
namespace {

using platform::Hive;
using platform::RegValue;

// A registry whose n-th value write (1-based) fails, as a full disk would.
class FailingRegistry : public platform::MemoryRegistry {
 public:
  explicit FailingRegistry(int failAt) : failAt_(failAt) {}
  bool SetValue(Hive hive, std::string_view path, std::string_view name, const RegValue& value) override {
    if (++writes_ == failAt_) return false;
    return MemoryRegistry::SetValue(hive, path, name, value);
  }

 private:
  int failAt_;
  int writes_ = 0;
};

TEST(EditorDefaultsTest, FirstStartGivesTheStandardSettings) {
  platform::MemoryRegistry registry;
  ASSERT_TRUE(WriteEditorDefaults(registry));
  EXPECT_EQ(registry.ReadValue(Hive::CurrentUser, kEditorSettingsKey, kRegTabWidth), RegValue::Dword(4));
  EXPECT_EQ(registry.ReadValue(Hive::CurrentUser, kEditorSettingsKey, kRegEndProcLine), RegValue::Dword(1));
  EXPECT_EQ(registry.ReadValue(Hive::CurrentUser, kEditorSettingsKey, kRegFontFace)->type, platform::kRegSz);

  platform::ScopedCurrentRegistry current(registry);
  platform::SetAnsiCodePage(platform::kCodePageUtf8);
  RememberedSettings.reset();
  clsVBCode job;
  PrepareRememberedSettings(ReadEditorSettings(job));
  EXPECT_EQ(job.TabWidth(), 4);
  EXPECT_EQ(job.FontFace(), "ＭＳ ゴシック");
  EXPECT_TRUE(RememberedSettings->DefaultColors());
  EXPECT_EQ(RememberedSettings->FontSize(), 10);
  EXPECT_TRUE(RememberedSettings->EndProcLine());
  RememberedSettings.reset();
  platform::SetAnsiCodePage(0);
}

TEST(EditorDefaultsTest, AnExistingKeyIsLeftAlone) {
  platform::MemoryRegistry registry;
  ASSERT_TRUE(registry.SetValue(Hive::CurrentUser, kEditorSettingsKey, kRegTabWidth, RegValue::Dword(8)));
  ASSERT_TRUE(WriteEditorDefaults(registry));
  EXPECT_EQ(registry.ValueNames(Hive::CurrentUser, kEditorSettingsKey), std::vector<std::string>{kRegTabWidth});
  EXPECT_EQ(registry.ReadValue(Hive::CurrentUser, kEditorSettingsKey, kRegTabWidth), RegValue::Dword(8));
}

TEST(EditorDefaultsTest, AFailedWriteLeavesNoHalfKey) {
  for (int failAt : {1, 3, 6}) {
    FailingRegistry registry(failAt);
    EXPECT_FALSE(WriteEditorDefaults(registry)) << failAt;
    EXPECT_FALSE(registry.KeyExists(Hive::CurrentUser, kEditorSettingsKey)) << failAt;
    EXPECT_TRUE(WriteEditorDefaults(registry));  // the next start writes them all
    EXPECT_EQ(registry.ValueNames(Hive::CurrentUser, kEditorSettingsKey).size(), 6u);
  }
}

}  // namespace
}  // namespace qm
