// The start time of the first class, as the start-time dialog gives it.
#pragma once

#include <string>
#include <string_view>

#include "export/export_run.h"

namespace tts::exporting {

// True when the hours (characters 1-2) are at most 23 and the minutes
// (characters 4-5) at most 59; the minutes are read only when the hours pass.
// Throws the conversion error when a part it reads is not a whole number.
bool startTimeInRange(std::string_view startText);

// Asks `dialog` until its text, cut to its first five characters, is in range,
// and returns that text. A conversion error passes on.
std::string askStartTime(const StartTimeDialog& dialog);

}  // namespace tts::exporting
