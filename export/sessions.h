// Hours and sessions of a teaching assignment (ASIGT).
#pragma once

#include <string>

namespace tts::exporting {

// The SESIONES text for `hours` (at least 1): with n the ceiling of the hours,
// n "1" characters; from 14 on, n - 13 in digits followed by thirteen "1".
std::string sessionsText(double hours);

}  // namespace tts::exporting
