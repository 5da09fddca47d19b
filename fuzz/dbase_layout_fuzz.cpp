// libFuzzer target: the table parser on raw bytes (see checkLayout).
#include <cstddef>
#include <cstdint>

#include "fuzz/checks.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tts::fuzz::require(tts::fuzz::checkLayout({data, size}));
  return 0;
}
