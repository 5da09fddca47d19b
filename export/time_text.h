// Time texts and slot codes of the time-slot table DIASHORAST.
//
// A time text is "HH:MM": characters 1-2 the hours, character 3 ":", characters
// 4-5 the minutes. A slot code is a day letter followed by the hour characters
// (characters 2 and 3; anything after them is ignored). Reading a part as a
// number uses the system's whole-number conversion, whose error passes on.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tts::exporting {

// Hour numbers run from 1 to this: no day has more teaching hours.
inline constexpr int kMaxHours = 20;

// One text per hour number 1 to kMaxHours (index 0 is hour 1), empty when unset.
using HourTable = std::array<std::string, kMaxHours>;

// Up to `count` characters of `text` from the 0-based `from`; empty past the end.
std::string part(std::string_view text, size_t from, size_t count);

// hours * 60 + minutes of a time text; throws the conversion error when a part
// is not a whole number (an empty or short text included).
int64_t minuteCount(std::string_view timeText);

// A minute count as "HH:MM": the hours do not wrap at 24 (1455 gives "24:15"),
// and from 100 hours on only their last two digits remain.
std::string timeText(int64_t minutes);

// The hour characters of a slot code: its characters 2 and 3, as they stand.
std::string hourCharacters(std::string_view slotCode);

// The day digit of a slot code: "1" for "L" up to "7" for "D" (upper case
// only); any other first character stands for itself; empty for an empty code.
std::string dayDigit(std::string_view slotCode);

// The start time of every present hour (one whose duration is not empty),
// derived from the start of the first class: hour 1 starts at `startText`,
// hour k at the start of hour k-1 plus the duration of hour k-1. Hours that are
// not present stay empty. Throws the conversion error when hour k is present
// and hour k-1 has no start or no duration.
HourTable deriveStartTimes(const std::string& startText, const HourTable& durations);

}  // namespace tts::exporting
