// libFuzzer target: the table service on a damaged file (see checkTable).
#include <cstddef>
#include <cstdint>

#include "fuzz/checks.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tts::fuzz::require(tts::fuzz::checkTable({data, size}, tts::fuzz::scratchFolder()));
  return 0;
}
