// The busy cursor of the whole application, shown while a run lasts.
#pragma once

namespace tts::app {

// Shows the hourglass over every window of the program from construction to
// destruction (also when an error ends the run).
class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// For WM_SETCURSOR: while a BusyCursor lives, sets the hourglass and returns
// true (the message is handled); otherwise returns false.
bool setBusyCursor();

}  // namespace tts::app
