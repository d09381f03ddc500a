// The one table of the runtime's error descriptions that the host layer
// needs when it raises a bare error number again: the numbers the add-in's
// layers and the editor's runtime raise, and the add-in's registry error.
#include "addin/host/runtime_errors.h"

#include "addin/common/vba_error.h"

namespace qm {

namespace {

struct NumberText {
  long number;
  const char* text;
};

constexpr NumberText kRuntimeErrorTexts[] = {
    {5, "プロシージャの呼び出し、または引数が不正です。"},
    {6, "オーバーフローしました。"},
    {7, "メモリが不足しています。"},
    {9, "インデックスが有効範囲にありません。"},
    {13, "型が一致しません。"},
    {52, "ファイル名または番号が不正です。"},
    {53, "ファイルが見つかりません。"},
    {61, "ディスクの空き容量が不足しています。"},
    {70, "書き込みできません。"},
    {75, "パス名が無効です。"},
    {76, "パスが見つかりません。"},
    {91, "オブジェクト変数または With ブロック変数が設定されていません。"},
    {380, "プロパティの値が不正です。"},
    {424, "オブジェクトが必要です。"},
    {kErrRegistryOpen, kRegistryOpenText},
};

constexpr const char* kUndescribedError = "アプリケーション定義またはオブジェクト定義のエラーです。";

}  // namespace

std::string RuntimeErrorText(long number) {
  for (const NumberText& entry : kRuntimeErrorTexts) {
    if (entry.number == number) return entry.text;
  }
  return kUndescribedError;
}

void RaiseErrorNumber(long number) { throw VbaError(number, RuntimeErrorText(number)); }

}  // namespace qm
