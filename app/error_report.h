// The application's default error report and its plain message boxes.
//
// Every error that reaches a window handler ends up here: a message box
// captioned with the application title, with the error icon, showing the
// error's own text with a full stop appended when it lacks one. No exception
// ever crosses into the window system: guarded() is the one place that
// catches.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace tts::app {

// The message as the error report shows it: a full stop appended to a
// non-empty message that does not already end in one.
std::string withFullStop(std::string message);

// Shows the error report (MB_ICONERROR, one OK button) owned by `owner`.
void showError(HWND owner, const std::string& message);

// Shows a fixed message ("Proceso finalizado") in a box captioned with the
// application title, one OK button and no icon, and waits for it.
void showMessage(HWND owner, const std::string& text);

// Runs `action`; an error that escapes it is shown by the error report and
// false is returned.
template <class Action>
bool guarded(HWND owner, Action&& action) noexcept {
  try {
    action();
    return true;
  } catch (const std::exception& e) {
    showError(owner, e.what());
  } catch (...) {
    showError(owner, "Error inesperado");
  }
  return false;
}

}  // namespace tts::app
