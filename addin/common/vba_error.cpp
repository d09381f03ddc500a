// The runtime's own error texts for the errors the product raises itself.
#include "addin/common/vba_error.h"

namespace qm {

void RaiseSubscriptOutOfRange() {
  throw VbaError(kErrSubscriptOutOfRange, "インデックスが有効範囲にありません。");
}

}  // namespace qm
