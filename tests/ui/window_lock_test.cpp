// The window lock on the forms model's windows: no close box, fixed size,
// title-bar double-clicks ignored, other messages passed on, and a second
// lock that must not make the replacement its own predecessor.
#include <gtest/gtest.h>

#include "addin/ui/window_lock.h"
#include "platform/forms.h"
#include "platform/forms_host.h"
#include "platform/forms_script.h"

namespace qm {
namespace {

using platform::FormWindowProc;
using platform::UserForm;

// A form whose window is resizable, locked on activation and restored on termination.
class WindowLockTest : public ::testing::Test {
 protected:
  WindowLockTest() : scope_(host_) {
    form_.On("UserForm_Initialize", [this] { form_.Window().style |= platform::kWsThickFrame; });
    form_.On("UserForm_Activate", [] { LockActiveWindow(); });
    form_.On("UserForm_Terminate", [this] {
      terminated_ = true;
      RestoreWindowProc();
    });
  }
  ~WindowLockTest() override {
    LockedWindow = 0;
    PreviousWindowProc = nullptr;
  }

  platform::ScriptedFormHost host_;
  platform::ScopedFormHost scope_;
  UserForm form_{"frmMain"};
  bool terminated_ = false;
};

TEST_F(WindowLockTest, UnlockedWindowReactsToTheTitleBar) {
  form_.Load();
  EXPECT_TRUE(form_.Window().HasCloseBox());
  EXPECT_TRUE(form_.Window().Resizable());
  platform::UserDoubleClickTitle(form_);
  EXPECT_TRUE(form_.Window().maximized);
}

TEST_F(WindowLockTest, LockedWindowHasNoCloseBoxFixedSizeAndIgnoresDoubleClicks) {
  form_.Activate();
  EXPECT_EQ(LockedWindow, form_.Window().handle);
  EXPECT_FALSE(form_.Window().HasCloseBox());
  EXPECT_FALSE(form_.Window().Resizable());
  EXPECT_TRUE(form_.Window().style & platform::kWsCaption) << "other style bits stay";
  EXPECT_THROW(platform::UserCloseWindow(form_), platform::FormError);

  platform::UserDoubleClickTitle(form_);
  EXPECT_FALSE(form_.Window().maximized);

  // Other messages still reach the form's own procedure: WM_CLOSE from code closes it.
  platform::CurrentWindows().SendMessage(form_.Window().handle, platform::kWmClose, 0, 0);
  EXPECT_TRUE(terminated_);
  EXPECT_EQ(PreviousWindowProc, nullptr);
}

TEST_F(WindowLockTest, LockingTwiceThenRestoringGivesBackTheOriginalProcedure) {
  form_.Activate();
  form_.Activate();  // activated again: the lock runs a second time
  EXPECT_EQ(PreviousWindowProc, &FormWindowProc);
  EXPECT_EQ(form_.Window().proc, &DialogWindowProc);
  platform::UserDoubleClickTitle(form_);  // would recurse forever with the replacement as its own predecessor
  EXPECT_FALSE(form_.Window().maximized);

  RestoreWindowProc();
  EXPECT_EQ(form_.Window().proc, &FormWindowProc);
  EXPECT_EQ(PreviousWindowProc, nullptr);
  platform::UserDoubleClickTitle(form_);
  EXPECT_TRUE(form_.Window().maximized) << "restored, but the style stays locked";
  EXPECT_FALSE(form_.Window().HasCloseBox());
}

TEST_F(WindowLockTest, RestoreWithoutLockDoesNothing) {
  form_.Load();
  RestoreWindowProc();
  EXPECT_EQ(form_.Window().proc, &FormWindowProc);
  EXPECT_EQ(PreviousWindowProc, nullptr);
}

TEST_F(WindowLockTest, LockingAnotherWindowFirstRestoresTheLockedOne) {
  UserForm progress("frmProgress");
  form_.Activate();
  progress.Activate();
  LockActiveWindow();
  EXPECT_EQ(LockedWindow, progress.Window().handle);
  EXPECT_EQ(form_.Window().proc, &FormWindowProc);
  EXPECT_EQ(PreviousWindowProc, &FormWindowProc);
  RestoreWindowProc();
  EXPECT_EQ(progress.Window().proc, &FormWindowProc);
}

TEST_F(WindowLockTest, ModalDisplayLocksAndTerminationRestores) {
  host_.Script("frmMain", {platform::FormAction::TitleDoubleClick()});
  form_.Show();  // no buttons: the scripted user leaves by closing the form
  EXPECT_TRUE(terminated_);
  EXPECT_EQ(PreviousWindowProc, nullptr);
}

}  // namespace
}  // namespace qm
