#include "export/time_text.h"

#include "platform/text.h"

namespace tts::exporting {

namespace {

// The last two characters of "00" followed by the number in decimal.
std::string twoDigits(int64_t number) {
  std::string text = "00" + std::to_string(number);
  return text.substr(text.size() - 2);
}

}  // namespace

std::string part(std::string_view text, size_t from, size_t count) {
  if (from >= text.size())
    return std::string();
  return std::string(text.substr(from, count));
}

int64_t minuteCount(std::string_view timeText) {
  int64_t hours = toInteger(part(timeText, 0, 2));
  int64_t minutes = toInteger(part(timeText, 3, 2));
  return hours * 60 + minutes;
}

std::string timeText(int64_t minutes) {
  // Division truncates toward zero, so a negative count gives a negative part
  // ("00:-5" for -5 minutes), as the table has always shown it.
  return twoDigits(minutes / 60) + ":" + twoDigits(minutes % 60);
}

std::string hourCharacters(std::string_view slotCode) {
  return part(slotCode, 1, 2);
}

std::string dayDigit(std::string_view slotCode) {
  if (slotCode.empty())
    return std::string();
  switch (slotCode.front()) {
    case 'L':
      return "1";
    case 'M':
      return "2";
    case 'X':
      return "3";
    case 'J':
      return "4";
    case 'V':
      return "5";
    case 'S':
      return "6";
    case 'D':
      return "7";
    default:
      return std::string(1, slotCode.front());
  }
}

HourTable deriveStartTimes(const std::string& startText, const HourTable& durations) {
  HourTable starts;
  starts[0] = startText;
  for (size_t k = 1; k < starts.size(); ++k) {
    if (durations[k].empty())
      continue;
    // Always the hour just below, never the last present one: a gap fails on
    // its empty start.
    starts[k] = timeText(minuteCount(starts[k - 1]) + toInteger(durations[k - 1]));
  }
  return starts;
}

}  // namespace tts::exporting
