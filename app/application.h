// The application object: the title that captions every message box, and the
// help file. The program entry sets both before the main window is created.
#pragma once

#include <string>

namespace tts::app {

struct Application {
  std::string title;     // "TransTempaxScolvia"
  std::string helpFile;  // "SCOLVIA.chm"; a bare name lives beside the executable
};

// The one application object of the process.
Application& application();

// Full path of this process's executable (ANSI).
std::string executablePath();

}  // namespace tts::app
