// The one error type of the system.
//
// Every failure is raised as tts::Error carrying the Spanish text that the user
// reads, already naming what failed (file, table, field, list, record). Only the
// shells (the window's handlers and the command-line tool) catch it.
#pragma once

#include <stdexcept>
#include <string>

namespace tts {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tts
