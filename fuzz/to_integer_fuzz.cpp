// libFuzzer target: the whole-number conversion against its model (see checkToInteger).
#include <cstddef>
#include <cstdint>

#include "fuzz/checks.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tts::fuzz::require(tts::fuzz::checkToInteger({reinterpret_cast<const char*>(data), size}));
  return 0;
}
