#include "export/start_time.h"

#include "export/time_text.h"
#include "platform/text.h"

namespace tts::exporting {

bool startTimeInRange(std::string_view startText) {
  if (toInteger(part(startText, 0, 2)) > 23)
    return false;
  if (toInteger(part(startText, 3, 2)) > 59)
    return false;
  return true;
}

std::string askStartTime(const StartTimeDialog& dialog) {
  // The dialog keeps the user's text between showings; a rejected time is
  // simply shown again, without a message.
  for (;;) {
    std::string startText = part(dialog(), 0, 5);
    if (startTimeInRange(startText))
      return startText;
  }
}

}  // namespace tts::exporting
