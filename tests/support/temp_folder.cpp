#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "platform/files.h"
#include "tests/support/testing.h"

namespace tts::testing {

TempFolder::TempFolder() {
  auto base = std::filesystem::temp_directory_path().string();
  path_ = files::makeUniqueFolder(base, "tts-test-");
}

TempFolder::~TempFolder() {
  files::removeTreeQuietly(path_);
}

std::string TempFolder::file(const std::string& name) const {
  return files::join(path_, name);
}

std::string TempFolder::write(const std::string& name, const std::string& bytes) const {
  std::string path = file(name);
  files::writeAll(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
  return path;
}

std::string TempFolder::read(const std::string& name) const {
  auto bytes = files::readAll(file(name));
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace tts::testing
