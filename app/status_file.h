// The status file through which the host learns the outcome: "Tempaxin.ini"
// beside the executable, section "Transformadores", key "Transformado".
#pragma once

#include <string>

namespace tts::app {

// The status file's path for an executable: its folder (final backslash
// included) followed by "Tempaxin.ini".
std::string statusFilePath(const std::string& executable);

// Writes `value` in decimal under [Transformadores] Transformado=, creating the
// file when missing and keeping every other section and key. Throws Error
// naming the file when it cannot be written.
void writeStatus(const std::string& iniPath, int value);

}  // namespace tts::app
