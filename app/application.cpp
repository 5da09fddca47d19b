#include "app/application.h"

#include <windows.h>

#include <vector>

namespace tts::app {

Application& application() {
  static Application instance{"TransTempaxScolvia", "SCOLVIA.chm"};
  return instance;
}

std::string executablePath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n < buffer.size())
      return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace tts::app
