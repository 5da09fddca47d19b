// The commands of transtempax. Each takes its own arguments (after the command
// name), prints on `out`, and returns an exit code from ExitCode. A usage
// mistake throws UsageError; any other failure throws tts::Error. main()
// catches both at the boundary.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/error.h"

namespace tts::cli {

// Exit codes of the tool, in one place.
enum ExitCode : int { kExitOk = 0, kExitError = 1, kExitUsage = 2 };

// A command line the tool cannot run (message in Spanish, system text).
class UsageError : public Error {
 public:
  using Error::Error;
};

using Args = std::vector<std::string>;

int runTabla(const Args& args, std::ostream& out);     // transtempax tabla FILE.DBF
int runExportar(const Args& args, std::ostream& out);  // transtempax exportar DOC.xml [...]
int runImportar(const Args& args, std::ostream& out);  // transtempax importar DOC.xml [...]

// The working folder: --qtemp when given, else C:\QTEMP on Windows and
// $WINEPREFIX (or ~/.wine) /drive_c/QTEMP elsewhere.
std::string workingFolder(const std::string& qtempOption);

// Text of the system (ANSI) as the terminal shows it: UTF-8 on Linux.
std::string forTerminal(const std::string& text);

}  // namespace tts::cli
