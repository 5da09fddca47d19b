// Shared by the fuzz targets: a scratch folder per fuzzing process, and the
// stop of a run (a finding) when a check reports a broken promise.
#pragma once

#include <string>

namespace tts::fuzz {

// A folder of this process's own under the temporary folder ($TMPDIR), removed
// at a normal exit (scripts/fuzz.sh clears what libFuzzer's own ends leave).
const std::string& scratchFolder();

// Aborts with the broken promise when `broken` is not empty, so that the
// fuzzer keeps the input as a crash.
void require(const std::string& broken);

}  // namespace tts::fuzz
