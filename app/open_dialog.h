// OpenDialogXML: the open dialog "Archivo XML" of the main window.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tts::app {

// The chosen path with ".xml" added when its name has no extension (the
// dialog's default extension; Wine's dialog does not add it itself).
std::string withDefaultExtension(const std::string& path);

// Shows the dialog: title "Archivo XML", the one filter "*.xml", initial
// folder "c:\qtemp\scolvia", `fileName` (the name confirmed last) filled in.
// A typed name of a missing file is accepted. Returns the full path of the
// chosen file, or nothing when the user cancels (or the dialog fails).
std::optional<std::string> showOpenDialogXml(HWND owner, const std::string& fileName);

}  // namespace tts::app
