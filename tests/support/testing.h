// Helpers shared by the tests: a temporary folder per test, and a check of an
// error's type and message.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/error.h"

namespace tts::testing {

// A new empty folder under the system's temporary folder, removed with the
// object. Each test gets its own; no test writes into the source tree.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }
  // Path of an entry inside the folder.
  std::string file(const std::string& name) const;
  // Writes a file (bytes as given) and returns its path.
  std::string write(const std::string& name, const std::string& bytes) const;
  // Reads a file whole.
  std::string read(const std::string& name) const;

 private:
  std::string path_;
};

}  // namespace tts::testing

// Runs `statement` and checks that it throws tts::Error whose message equals
// `expected`.
#define EXPECT_THROW_MSG(statement, expected)                   \
  do {                                                          \
    try {                                                       \
      statement;                                                \
      ADD_FAILURE() << "no error was thrown by: " #statement;   \
    } catch (const ::tts::Error& e_) {                          \
      EXPECT_EQ(std::string(e_.what()), std::string(expected)); \
    }                                                           \
  } while (false)

// As EXPECT_THROW_MSG, for a message that must contain `part`.
#define EXPECT_THROW_HAS(statement, part)                                                          \
  do {                                                                                             \
    try {                                                                                          \
      statement;                                                                                   \
      ADD_FAILURE() << "no error was thrown by: " #statement;                                      \
    } catch (const ::tts::Error& e_) {                                                             \
      EXPECT_NE(std::string(e_.what()).find(part), std::string::npos) << "message: " << e_.what(); \
    }                                                                                              \
  } while (false)
