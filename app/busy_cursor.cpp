#include "app/busy_cursor.h"

#include <windows.h>

namespace tts::app {

namespace {
int busyLevel = 0;
}

BusyCursor::BusyCursor() {
  ++busyLevel;
  SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

BusyCursor::~BusyCursor() {
  if (--busyLevel == 0)
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
}

bool setBusyCursor() {
  if (busyLevel == 0)
    return false;
  SetCursor(LoadCursor(nullptr, IDC_WAIT));
  return true;
}

}  // namespace tts::app
