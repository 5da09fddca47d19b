#include "app/error_report.h"

#include "app/application.h"

namespace tts::app {

std::string withFullStop(std::string message) {
  if (!message.empty() && message.back() != '.')
    message += '.';
  return message;
}

void showError(HWND owner, const std::string& message) {
  MessageBoxA(owner, withFullStop(message).c_str(), application().title.c_str(),
              MB_OK | MB_ICONERROR);
}

void showMessage(HWND owner, const std::string& text) {
  MessageBoxA(owner, text.c_str(), application().title.c_str(), MB_OK);
}

}  // namespace tts::app
