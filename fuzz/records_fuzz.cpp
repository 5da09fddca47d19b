// libFuzzer target: loading and reading an interchange document (see checkRecords).
#include <cstddef>
#include <cstdint>

#include "fuzz/checks.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tts::fuzz::require(tts::fuzz::checkRecords({data, size}, tts::fuzz::scratchFolder()));
  return 0;
}
