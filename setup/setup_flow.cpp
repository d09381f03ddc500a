// The setup program's flow. It first makes sure nothing runs that holds the
// library (Office applications, the editor) and that the help file is
// shipped, then decides a mode from the registration state: install (not
// registered), replace (another version registered; it is unregistered and
// its files deleted first) or per-user entry (registered, but this user's
// add-in key is missing). After a confirmation it copies the files, runs
// "regsvr32 /s" on the installed library and writes the add-in key when the
// registration did not; every outcome ends in one message.
#include "setup/setup_flow.h"

#include "setup/install_data.h"

namespace qm::install {

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

constexpr std::string_view kHelpMissingText = "ヘルプファイルが見つかりません。\r\n処理を中止します。";
constexpr std::string_view kAlreadyRegisteredText = "既に登録済です。処理を中止します。";
constexpr std::string_view kNewerInstalledText = "新しい日付のアドインが既に存在します。\r\n処理を中止します。";
constexpr std::string_view kSourceMissingText = "ソースファイルが見つかりません。\r\n処理を中止します。";
constexpr std::string_view kConfirmNtPerUserText =
    "VBE(VisualBasicEditor)用COMアドイン\r\n｢Ferravel｣を現在のユーザーで登録します。\r\n\r\n"
    "＜実行する処理＞\r\nユーザー別登録処理";
constexpr std::string_view kConfirmNtInstallText =
    "VBE(VisualBasicEditor)用COMアドイン\r\n｢Ferravel｣を現在のユーザーで登録します。\r\n\r\n"
    "＜実行する処理＞\r\nアドインのインストール／ユーザー別登録処理";
constexpr std::string_view kConfirmText = "VBE(VisualBasicEditor)用COMアドイン\r\n｢Ferravel｣を登録します。";
constexpr std::string_view kOldVersionStaysText = "旧バージョンがアンインストールできません。";
constexpr std::string_view kPerUserFailedText = "ユーザー別登録できません。";
constexpr std::string_view kCopyFailedText = "ファイルをコピーできません。";
constexpr std::string_view kKeyFailedText = "インストールは完了しましたが、\r\nユーザー別登録に失敗しました。";
constexpr std::string_view kNotRegisteredText = "登録できません。";
constexpr std::string_view kPerUserDoneText = "ユーザー別登録処理が完了しました。";
constexpr std::string_view kDoneText = "登録処理が完了しました。";
constexpr std::string_view kNtMultiUserHint =
    "\r\n他の未登録のユーザーでこのアドインを使用される場合は\r\n各ユーザーにてログオンし、登録処理を実行してください。";

enum class Mode { Install, Replace, PerUser };

// What the run found in the two folders before it changed anything.
struct Facts {
  bool helpInstalled = false;
  bool sourceLibrary = false;
  bool libraryInstalled = false;
  bool installedNewer = false;  // both libraries exist and the installed one is younger
};

// The default value of a key as text; empty when missing or not text.
std::string DefaultText(const platform::Registry& registry, std::string_view path) {
  const std::optional<platform::RegValue> value = registry.ReadValue(platform::Hive::ClassesRoot, path, "");
  if (!value || (value->type != platform::kRegSz && value->type != platform::kRegExpandSz)) return {};
  return value->data;
}

Facts GatherFacts(InstallContext& context) {
  Facts facts;
  InstallSystem& system = context.system;
  facts.helpInstalled = system.FileExists(InstalledHelpFile(context));
  facts.sourceLibrary = system.FileExists(SourceLibrary(context));
  facts.libraryInstalled = system.FileExists(InstalledLibrary(context));
  if (facts.sourceLibrary && facts.libraryInstalled) {
    const std::optional<std::int64_t> source = system.FileTime(SourceLibrary(context));
    const std::optional<std::int64_t> installed = system.FileTime(InstalledLibrary(context));
    facts.installedNewer = source && installed && *source < *installed;
  }
  return facts;
}

std::string_view ConfirmationText(bool nt, Mode mode) {
  if (!nt) return kConfirmText;
  return mode == Mode::PerUser ? kConfirmNtPerUserText : kConfirmNtInstallText;
}

// A failure message, with the administrator hint on the NT family.
std::string WithNtHint(std::string_view text, bool nt) {
  return std::string(text) + (nt ? std::string(kNtAdminHint) : std::string());
}

Outcome Success(InstallContext& context, Mode mode, bool nt) {
  std::string text(mode == Mode::PerUser ? kPerUserDoneText : kDoneText);
  if (nt) text += kNtMultiUserHint;
  Notify(context, text, MsgButtons::OK, MsgIcon::Information);
  return Outcome::Done;
}

// Unregisters the other version and deletes its files; false (after its
// message) when it stays registered or regsvr32 cannot be started.
bool RemoveOtherVersion(InstallContext& context, const Facts& facts, bool nt) {
  const bool keyBefore = AddinKeyPresent(context.registry);
  if (!RunAndWait(context, RegsvrCommandLine(InstalledLibrary(context), true))) return false;
  if (ServerState(context.registry) == kOtherVersion) {
    if (keyBefore && !AddinKeyPresent(context.registry)) WriteAddinKey(context.registry);
    NotifyError(context, WithNtHint(kOldVersionStaysText, nt));
    return false;
  }
  if (facts.libraryInstalled) context.system.DeleteFile(InstalledLibrary(context));
  if (facts.helpInstalled) context.system.DeleteFile(InstalledHelpFile(context));
  return true;
}

// Copies both files, registers the library and makes sure of the add-in key.
Outcome InstallAndRegister(InstallContext& context, Mode mode, bool nt) {
  InstallSystem& system = context.system;
  if (!system.CopyFile(SourceHelpFile(context), InstalledHelpFile(context)) ||
      !system.CopyFile(SourceLibrary(context), InstalledLibrary(context))) {
    NotifyError(context, kCopyFailedText);
    return Outcome::Stopped;
  }
  if (!RunAndWait(context, RegsvrCommandLine(InstalledLibrary(context), false))) return Outcome::Stopped;
  if (ServerState(context.registry) == kRegistered) {
    if (AddinKeyPresent(context.registry) || WriteAddinKey(context.registry)) return Success(context, mode, nt);
    NotifyError(context, kKeyFailedText);
    return Outcome::Stopped;
  }
  if (system.FileExists(InstalledLibrary(context))) system.DeleteFile(InstalledLibrary(context));
  NotifyError(context, WithNtHint(kNotRegisteredText, nt));
  return Outcome::Stopped;
}

// The mode of the run from the registration state; nullopt (after its
// message) when the run ends here.
std::optional<Mode> ChooseMode(InstallContext& context, const Facts& facts) {
  switch (ServerState(context.registry)) {
    case kRegistered:
      if (!AddinKeyPresent(context.registry)) return Mode::PerUser;
      Notify(context, kAlreadyRegisteredText, MsgButtons::OK, MsgIcon::Warning);
      return std::nullopt;
    case kOtherVersion:
      if (!facts.installedNewer) return Mode::Replace;
      NotifyError(context, kNewerInstalledText);
      return std::nullopt;
    default:
      return Mode::Install;
  }
}

}  // namespace

int ServerState(const platform::Registry& registry) {
  if (!ClassKeyPresent(registry)) return kNotRegistered;
  if (DefaultText(registry, kClassKeyPath) != kAddinClsid) return kOtherVersion;
  const std::string typeLib = DefaultText(registry, kTypeLibLinkPath);
  if (typeLib.empty()) return kNotRegistered;
  const std::string typeLibKey = std::string(kTypeLibFolder) + "\\" + typeLib;
  return registry.KeyExists(platform::Hive::ClassesRoot, typeLibKey) ? kRegistered : kNotRegistered;
}

bool WriteAddinKey(platform::Registry& registry) {
  using platform::RegValue;
  // Each write creates the key when it is missing; a failed one leaves the
  // key without that value, which the final test below sees.
  registry.SetValue(kAddinHive, kAddinKeyPath, kLoadBehaviorName, RegValue::Dword(kLoadBehavior));
  registry.SetValue(kAddinHive, kAddinKeyPath, kCommandLineSafeName, RegValue::Dword(kCommandLineSafe));
  registry.SetValue(kAddinHive, kAddinKeyPath, kFriendlyNameName, RegValue::Text(std::string(kFriendlyName)));
  registry.SetValue(kAddinHive, kAddinKeyPath, kDescriptionName, RegValue::Text(std::string(kDescription)));
  return AddinKeyPresent(registry);
}

Outcome RunSetup(InstallContext& context) {
  if (!NothingRunning(context)) return Outcome::Stopped;
  if (!context.system.FileExists(SourceHelpFile(context))) {
    NotifyError(context, kHelpMissingText);
    return Outcome::Stopped;
  }
  const Facts facts = GatherFacts(context);
  const std::optional<Mode> mode = ChooseMode(context, facts);
  if (!mode) return Outcome::Stopped;
  if (*mode != Mode::PerUser && !facts.sourceLibrary) {
    NotifyError(context, kSourceMissingText);
    return Outcome::Stopped;
  }
  const bool nt = IsNtFamily(context);
  if (Notify(context, ConfirmationText(nt, *mode), MsgButtons::OKCancel, MsgIcon::Question) != MsgResult::OK) {
    return Outcome::Cancelled;
  }
  if (*mode == Mode::PerUser) {
    if (WriteAddinKey(context.registry)) return Success(context, *mode, nt);
    NotifyError(context, kPerUserFailedText);
    return Outcome::Stopped;
  }
  if (*mode == Mode::Replace && !RemoveOtherVersion(context, facts, nt)) return Outcome::Stopped;
  return InstallAndRegister(context, *mode, nt);
}

}  // namespace qm::install
