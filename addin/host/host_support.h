// Small helpers of the host layer: reaching an editor object that must be
// there, the text rules of the editor's runtime (Trim, the part after the
// last "\"), and the general error message every handler of the add-in shows.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "addin/common/vba_error.h"

namespace qm {

// The runtime's "object variable not set", raised on a call through none.
inline constexpr long kErrObjectNotSet = 91;

[[noreturn]] void RaiseObjectNotSet();
// The runtime's "invalid procedure call or argument" (error 5).
[[noreturn]] void RaiseInvalidProcedureCall();

// The object behind a shared reference; raises error 91 when it is none.
template <typename T>
T& Require(const std::shared_ptr<T>& object) {
  if (!object) RaiseObjectNotSet();
  return *object;
}

// The text without leading and trailing spaces (U+0020 only, as Trim does).
std::string TrimSpaces(std::string_view text);
// The text without trailing spaces.
std::string TrimTrailingSpaces(std::string_view text);
// The text after the last "\" (or the platform's separator); the whole text
// when it holds neither.
std::string AfterLastSeparator(std::string_view text);
// The text before its first NUL (as a system call's buffer is read).
std::string BeforeNul(std::string_view text);

// "エラーが発生しました。処理を中止します。\r\nエラー番号：" & number & "\r\n" & description.
std::string GeneralErrorText(long number, const std::string& description);
// Shows the general error message with the error icon and the add-in's caption.
void ShowGeneralError(long number, const std::string& description);
// Inside a catch block: shows the general error message for the exception
// being handled (a VbaError with its number; out of memory as error 7; any
// other exception as the runtime's internal error 51).
void ShowCaughtError();

}  // namespace qm
