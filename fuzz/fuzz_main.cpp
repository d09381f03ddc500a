// The libFuzzer entry of one fuzz executable: QUILLMARK_FUZZ_ENTRY names the
// target's entry point (fuzz/entries/fuzz_targets.h), set per executable by
// fuzz/CMakeLists.txt.
#include "fuzz/entries/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return QUILLMARK_FUZZ_ENTRY(data, size);
}
