#include <cstdlib>
#include <string>

#include "cli/commands.h"
#include "platform/files.h"
#include "platform/text.h"

namespace tts::cli {

std::string workingFolder(const std::string& qtempOption) {
  if (!qtempOption.empty())
    return qtempOption;
#ifdef _WIN32
  return "C:\\QTEMP";
#else
  // Where a timetable generator running under Wine keeps its tables.
  std::string prefix;
  if (const char* wp = std::getenv("WINEPREFIX"); wp && *wp) {
    prefix = wp;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    prefix = files::join(home, ".wine");
  } else {
    prefix = ".wine";
  }
  return files::join(files::join(prefix, "drive_c"), "QTEMP");
#endif
}

std::string forTerminal(const std::string& text) {
#ifdef _WIN32
  return text;
#else
  return utf8FromAnsi(text);
#endif
}

}  // namespace tts::cli
