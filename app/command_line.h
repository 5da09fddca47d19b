// The program's command line, split as the Delphi runtime's ParamStr splits it,
// and the host window named by its second parameter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tts::app {

// The parameters of a command line, the program name (its first item)
// excluded. Items are separated by characters of code 32 or less; a double
// quote opens or closes a quoted stretch (blanks inside it belong to the item)
// and is removed; backslashes are ordinary characters; empty "" pairs between
// items are skipped. The list ends at the first empty item.
std::vector<std::string> splitParameters(std::string_view commandLine);

// This process's parameters (GetCommandLineA split by splitParameters).
std::vector<std::string> commandLineParameters();

// The host window handle that parameter 2 names: "$" followed by the parameter,
// through the system's text-to-integer conversion. Throws its conversion error
// ("'$0x1A' no es un valor entero válido").
int32_t hostHandleValue(const std::string& parameter);

}  // namespace tts::app
