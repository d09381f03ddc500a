// Helpers of the host layer: the runtime errors the host code raises itself,
// the space trimming and path cutting of the editor's runtime, and the
// general error message box.
#include "addin/host/host_support.h"

#include <exception>
#include <new>

#include "addin/common/path_parts.h"
#include "platform/message_box.h"

namespace qm {

void RaiseObjectNotSet() {
  throw VbaError(kErrObjectNotSet, "オブジェクト変数または With ブロック変数が設定されていません。");
}

void RaiseInvalidProcedureCall() {
  throw VbaError(kErrInvalidProcedureCall, "プロシージャの呼び出し、または引数が不正です。");
}

std::string TrimSpaces(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return TrimTrailingSpaces(text.substr(first));
}

std::string TrimTrailingSpaces(std::string_view text) {
  const size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string AfterLastSeparator(std::string_view text) {
  const char separators[] = {'\\', kPathSeparator, '\0'};
  const size_t cut = text.find_last_of(separators);
  return std::string(cut == std::string_view::npos ? text : text.substr(cut + 1));
}

std::string BeforeNul(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

std::string GeneralErrorText(long number, const std::string& description) {
  return "エラーが発生しました。処理を中止します。\r\nエラー番号：" + std::to_string(number) + "\r\n" + description;
}

void ShowGeneralError(long number, const std::string& description) {
  platform::CurrentMessageBox().Show(GeneralErrorText(number, description), platform::kMessageCaption,
                                     platform::MsgButtons::OK, platform::MsgIcon::Error);
}

void ShowCaughtError() {
  try {
    throw;
  } catch (const VbaError& error) {
    ShowGeneralError(error.Number(), error.Description());
  } catch (const std::bad_alloc&) {
    ShowGeneralError(7, "メモリが不足しています。");
  } catch (...) {
    ShowGeneralError(51, "内部エラーです。");
  }
}

}  // namespace qm
