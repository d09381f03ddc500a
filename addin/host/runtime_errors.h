// The descriptions of raised error numbers. A form hands an error back to
// the conversion command as a bare number (ErrorNumber); raising it again
// takes the runtime's description of that number, as raising a number
// without a description does in the editor's runtime.
#pragma once

#include <string>

namespace qm {

// The runtime's description of an error number; the add-in's own text for
// 10100; "アプリケーション定義またはオブジェクト定義のエラーです。" for any number
// the runtime does not describe (the runner's 10001 to 10005 among them).
std::string RuntimeErrorText(long number);

// Raises VbaError with the number and RuntimeErrorText.
[[noreturn]] void RaiseErrorNumber(long number);

}  // namespace qm
