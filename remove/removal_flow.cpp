// The removal program's flow. It reads the removal state, stops when nothing
// is registered or the registered library's file is gone, makes sure no
// Office application and no editor runs, and asks the question of the state.
// Yes (or OK) runs "regsvr32 /s /u" on the installed library and, once the
// class registration is gone, deletes the installed files that existed at
// the start; No (offered in state 7 only) deletes this user's add-in key.
#include "remove/removal_flow.h"

#include "setup/install_data.h"

namespace qm::install {

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

constexpr std::string_view kNothingRegisteredText = "アドインが登録されていません。\r\n処理を中止します。";
constexpr std::string_view kLibraryMissingText = "アドインファイルが見つかりません。\r\n処理を中止します。";
constexpr std::string_view kAskRemoveText = "VBE(VisualBasicEditor)用COMアドイン\r\n｢Ferravel｣の登録を解除します。";
constexpr std::string_view kAskPerUserText =
    "VBE(VisualBasicEditor)用COMアドイン\r\n｢Ferravel｣のユーザー別登録を解除します。";
constexpr std::string_view kAskUninstallText =
    "VBE(VisualBasicEditor)用COMアドイン\r\n｢Ferravel｣をアンインストールします。";
constexpr std::string_view kAskChoiceText =
    "VBE(VisualBasicEditor)用COMアドイン\r\n｢Ferravel｣の登録を解除します。\r\n実行する処理を選択して下さい。\r\n\r\n"
    "はい\u3000\t：全部解除\r\nいいえ\t：ユーザー別解除";
constexpr std::string_view kCannotUninstallText =
    "アンインストールができません。\r\n管理者権限のあるユーザーにて再実行してください。";
constexpr std::string_view kHalfDoneText =
    "ユーザー別登録解除処理は完了しましたが\r\nアンインストールに失敗しました。\r\n"
    "管理者権限のあるユーザーにて再実行してください。";
constexpr std::string_view kCannotUnregisterText = "登録解除ができません。";
constexpr std::string_view kUninstalledText = "アンインストールが完了しました。";
constexpr std::string_view kUnregisteredText = "登録解除処理が完了しました。";
constexpr std::string_view kPerUserDoneText = "ユーザー別登録解除処理が完了しました。";
constexpr std::string_view kPerUserFailedText = "ユーザー別登録解除ができません。";

constexpr int kUninstallState = kStateNtFamily | kStateClassKey;
constexpr int kChoiceState = kStateNtFamily | kStateClassKey | kStateAddinKey;

// The installed files as they were before any change.
struct Installed {
  bool helpFile = false;
  bool library = false;
};

// The question of the state; the answer with OK counted as Yes.
MsgResult Ask(InstallContext& context, int state) {
  if (state == kChoiceState) {
    return Notify(context, kAskChoiceText, MsgButtons::YesNoCancel, MsgIcon::Question);
  }
  std::string_view text = kAskRemoveText;
  if (state == kStateAddinKey || state == (kStateNtFamily | kStateAddinKey)) text = kAskPerUserText;
  if (state == kUninstallState) text = kAskUninstallText;
  const MsgResult answer = Notify(context, text, MsgButtons::OKCancel, MsgIcon::Question);
  return answer == MsgResult::OK ? MsgResult::Yes : answer;
}

Outcome PerUserRemoval(InstallContext& context) {
  const bool removed = DeleteAddinKey(context.registry);
  Notify(context, removed ? kPerUserDoneText : kPerUserFailedText, MsgButtons::OK, MsgIcon::Information);
  return removed ? Outcome::Done : Outcome::Stopped;
}

// The message when the class registration outlived the unregistration.
std::string_view StillRegisteredText(InstallContext& context, int state) {
  if (state == kUninstallState) return kCannotUninstallText;
  return AddinKeyExists(context.registry) ? kCannotUnregisterText : kHalfDoneText;
}

Outcome FullRemoval(InstallContext& context, int state, const Installed& installed) {
  if (!RunAndWait(context, RegsvrCommandLine(InstalledLibrary(context), true))) return Outcome::Stopped;
  if (ClassKeyPresent(context.registry)) {
    NotifyError(context, StillRegisteredText(context, state));
    return Outcome::Stopped;
  }
  // The library's unregistration removes this user's add-in key. When it
  // could not (no library file to unregister, as when only the add-in key
  // was left), the key is removed here, so that "done" is never reported
  // while the editor would still try to load the add-in.
  if (AddinKeyExists(context.registry) && !DeleteAddinKey(context.registry)) {
    Notify(context, kPerUserFailedText, MsgButtons::OK, MsgIcon::Information);
    return Outcome::Stopped;
  }
  if (installed.helpFile) context.system.DeleteFile(InstalledHelpFile(context));
  if (installed.library) context.system.DeleteFile(InstalledLibrary(context));
  Notify(context, state == kUninstallState ? kUninstalledText : kUnregisteredText, MsgButtons::OK,
         MsgIcon::Information);
  return Outcome::Done;
}

}  // namespace

int RemovalState(InstallContext& context) {
  return (IsNtFamily(context) ? kStateNtFamily : 0) + (ClassKeyPresent(context.registry) ? kStateClassKey : 0) +
         (AddinKeyExists(context.registry) ? kStateAddinKey : 0);
}

bool DeleteAddinKey(platform::Registry& registry) {
  if (AddinKeyExists(registry)) registry.DeleteKey(kAddinHive, kAddinKeyPath);
  return !AddinKeyExists(registry);
}

Outcome RunRemoval(InstallContext& context) {
  const int state = RemovalState(context);
  if ((state & (kStateClassKey | kStateAddinKey)) == 0) {
    NotifyError(context, kNothingRegisteredText);
    return Outcome::Stopped;
  }
  const Installed installed{context.system.FileExists(InstalledHelpFile(context)),
                            context.system.FileExists(InstalledLibrary(context))};
  if ((state & kStateClassKey) != 0 && !installed.library) {
    NotifyError(context, kLibraryMissingText);
    return Outcome::Stopped;
  }
  if (!NothingRunning(context)) return Outcome::Stopped;
  const MsgResult answer = Ask(context, state);
  if (answer == MsgResult::Yes) return FullRemoval(context, state, installed);
  if (answer == MsgResult::No) return PerUserRemoval(context);
  return Outcome::Cancelled;
}

}  // namespace qm::install
