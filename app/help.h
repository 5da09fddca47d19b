// The compiled HTML help "SCOLVIA.chm", through HtmlHelpA of hhctrl.ocx,
// loaded when first asked for. A missing help file or viewer shows nothing.
#pragma once

#include <windows.h>

#include <string>

namespace tts::app {

// The help file's path: a name without a folder is looked up in the folder of
// the executable.
std::string helpFilePath(const std::string& helpFile, const std::string& executable);

// Opens the application's help file at its table of contents; returns the
// help window, or null.
HWND showHelpContents(HWND caller);

// Opens the application's help file at the topic of `context`; returns the
// help window, or null.
HWND showHelpContext(HWND caller, DWORD context);

// The help context of `window` or of its nearest enclosing window that has
// one, up to and including `top`; 0 when none has.
DWORD helpContextOf(HWND window, HWND top);

// Closes every help window the program opened.
void closeHelp();

}  // namespace tts::app
