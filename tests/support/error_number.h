// The number of the VbaError a call raises; 0 when it raises none.
#pragma once

#include <functional>

#include "addin/common/vba_error.h"

namespace qm::test {

inline long ErrorNumberOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const VbaError& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace qm::test
