// The output targets over the platform services. Paths go to the file
// service, whose VolumeOf stands for "the drive of a path"; texts are UTF-8
// until they reach the clipboard or a file, where they are encoded in the
// system's ANSI code page. Messages are the product's own, byte for byte.
#include "addin/output/output_targets.h"

#include <cctype>

#include "addin/common/globals.h"
#include "addin/common/path_parts.h"
#include "addin/common/vba_error.h"
#include "addin/job/reg_value.h"
#include "addin/job/vb_code.h"
#include "platform/clipboard.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace qm {

namespace {

struct CodeText {
  long code;
  const char* text;
};

// Messages of a failed association query; any other code gets the last entry.
constexpr CodeText kFindExecutableTexts[] = {
    {platform::kFindOutOfMemory, "メモリ不足です。"},
    {platform::kFindFileNotFound, "ファイルが見つかりません。"},
    {platform::kFindPathNotFound, "パスが見つかりません。"},
    {platform::kFindBadFormat, "ファイルが無効です。"},
    {-1, "エラーが発生しました。"},
};

// The runtime's texts of the file errors; any other number gets the last entry.
constexpr CodeText kFileErrorTexts[] = {
    {platform::kFileErrFileNotFound, "ファイルが見つかりません。"},
    {platform::kFileErrDiskFull, "ディスクの空き容量が不足しています。"},
    {platform::kFileErrPermissionDenied, "書き込みできません。"},
    {platform::kFileErrPathNotFound, "パスが見つかりません。"},
    {-1, "パス名が無効です。"},
};

template <size_t N>
const char* TextOf(const CodeText (&table)[N], long code) {
  for (const CodeText& entry : table) {
    if (entry.code == code) return entry.text;
  }
  return table[N - 1].text;
}

// Texts of the removable-drive probe, after the drive's name.
const char* ProbeText(int probe) {
  if (probe == platform::kProbeNotReady) return "ドライブにディスクが装着されていません。";
  if (probe == platform::kProbeUnformatted) return "ドライブのディスクはフォーマットされていません。";
  return "ドライブのディスクアクセスエラーです。";
}

constexpr const char* kDriveKindMessage = "保存先にはリムーバブルディスクまたは\r\nローカルハードディスクを選択してください。";
constexpr const char* kNoBrowserMessage = "拡張子[htm]に関連付けられたアプリケーションが見つかりません。";
constexpr const char* kCannotShowMessage = "作成したファイルを表示できません。";

std::string Trim(const std::string& text) {
  const size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

// The default value of a class key, empty when the key is absent.
std::string ClassDefault(const std::string& key) {
  if (!platform::CurrentRegistry().KeyExists(platform::Hive::ClassesRoot, key)) return {};
  return ReadRegText(platform::Hive::ClassesRoot, key, "", "");
}

// "%NAME%rest" → the variable's value followed by rest; nullopt without a
// closing "%".
std::optional<std::string> ExpandLeadingVariable(const std::string& path) {
  if (path.empty() || path[0] != '%') return path;
  const size_t close = path.find('%', 1);
  if (close == std::string::npos) return std::nullopt;
  return platform::CurrentShell().Environment(path.substr(1, close - 1)) + path.substr(close + 1);
}

}  // namespace

std::string WorkFolder() {
  platform::ShellService& shell = platform::CurrentShell();
  for (const char* name : {"tmp", "temp"}) {
    const std::string value = shell.Environment(name);
    if (!value.empty()) return value;
  }
  const std::string documents = SpecialFolderPath(platform::kFolderDocuments);
  return documents.empty() ? shell.CurrentDirectory() : documents;
}

std::string SpecialFolderPath(int folderId) { return platform::CurrentShell().SpecialFolderPath(folderId); }

std::string NewWorkFile() { return Trim(platform::CurrentFileSystem().CreateWorkFile(WorkFolder(), "vba")); }

std::string DriveRoot(const std::string& path) { return platform::CurrentFileSystem().VolumeOf(path); }

uint64_t FreeDiskSpace(const std::string& root) { return platform::CurrentFileSystem().FreeBytes(root); }

int UsableDriveType(const std::string& root) {
  const int type = platform::CurrentFileSystem().DriveType(root);
  return type == platform::kDriveRemovable || type == platform::kDriveFixed ? type : kDriveUnusable;
}

bool CheckOutputDrive(const std::string& path, std::string& message) {
  const std::string root = DriveRoot(path);
  message.clear();
  const int type = UsableDriveType(root);
  if (type == kDriveUnusable) {
    message = kDriveKindMessage;
  } else if (type == platform::kDriveRemovable) {
    platform::FileSystem& files = platform::CurrentFileSystem();
    const int probe = files.ProbeVolume(root);
    if (probe != platform::kProbeReady) message = files.VolumeName(root) + ProbeText(probe);
  }
  return message.empty();
}

bool CopyToClipboard(const std::string& text) {
  const std::optional<std::string> bytes = platform::EncodeText(text, platform::AnsiCodePage());
  return bytes && platform::CurrentClipboard().SetText(*bytes);
}

bool BrowserInstalled() {
  const std::string clsid = ClassDefault(std::string(platform::kBrowserProgId) + "\\CLSID");
  if (clsid.empty()) return false;
  const std::string server = ClassDefault("CLSID\\" + clsid + "\\LocalServer32");
  if (server.size() < 2) return false;
  const std::optional<std::string> path = ExpandLeadingVariable(server.substr(1, server.size() - 2));
  return path && platform::CurrentFileSystem().FileExists(*path);
}

std::string ShowFileInBrowser() {
  if (BrowserInstalled()) {
    if (std::unique_ptr<platform::BrowserWindow> browser = platform::CurrentBrowser().Create()) {
      browser->Visible(true);
      browser->Navigate("file://" + CurrentJob->FileName());
      return {};
    }
  }
  return kNoBrowserMessage;
}

void OpenSavedFile() {
  const clsVBCode& job = *CurrentJob;
  platform::ShellService& shell = platform::CurrentShell();
  const platform::Association found = shell.FindExecutable(job.OutputFileName(), job.OutputFolder());
  std::string message;
  if (found.code < 33) {
    message = found.code == platform::kFindNoAssociation ? ShowFileInBrowser() : ExplainFindExecutableError(found.code);
  } else {
    std::string program = PathPart(found.program, false);
    for (char& c : program) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (program == "iexplore.exe" || shell.Open(job.FileName()) <= 32) message = ShowFileInBrowser();
  }
  if (message.empty()) return;
  platform::CurrentMessageBox().Show(message + "\r\n" + kCannotShowMessage, platform::kMessageCaption,
                                     platform::MsgButtons::OK, platform::MsgIcon::Error);
}

std::string ExplainFindExecutableError(int code) { return TextOf(kFindExecutableTexts, code); }

void RaiseFileError(long number) { throw VbaError(number, TextOf(kFileErrorTexts, number)); }

void PlaceSavedFile(const std::string& workFile, const std::string& target) {
  if (const long error = platform::CurrentFileSystem().PlaceFile(workFile, target)) RaiseFileError(error);
}

std::string ReadPageBack(const std::string& workFile) {
  const std::optional<std::string> bytes = platform::CurrentFileSystem().ReadAllBytes(workFile);
  if (!bytes) RaiseFileError(platform::kFileErrFileNotFound);
  return platform::DecodeText(*bytes, platform::AnsiCodePage()).value_or(*bytes);
}

std::unique_ptr<platform::BrowserWindow> ShowTextInBrowser(const std::string& text) {
  std::unique_ptr<platform::BrowserWindow> browser = platform::CurrentBrowser().Create();
  if (!browser) return nullptr;
  browser->Navigate("about:blank");
  browser->DocumentWrite(text);
  browser->Refresh();
  return browser;
}

}  // namespace qm
