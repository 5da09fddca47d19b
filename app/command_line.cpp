#include "app/command_line.h"

#include <windows.h>

#include "platform/text.h"

namespace tts::app {

namespace {

bool separates(char c) {
  return static_cast<unsigned char>(c) <= ' ' && c != '\0';
}
bool continues(char c) {
  return static_cast<unsigned char>(c) > ' ';
}

// Reads one item from `rest` into `item` and returns what follows it.
std::string_view nextItem(std::string_view rest, std::string& item) {
  size_t i = 0;
  for (;;) {
    while (i < rest.size() && separates(rest[i]))
      ++i;
    if (i + 1 < rest.size() && rest[i] == '"' && rest[i + 1] == '"') {
      i += 2;
    } else {
      break;
    }
  }
  item.clear();
  while (i < rest.size() && continues(rest[i])) {
    if (rest[i] == '"') {
      ++i;
      while (i < rest.size() && rest[i] != '"')
        item += rest[i++];
      if (i < rest.size())
        ++i;
    } else {
      item += rest[i++];
    }
  }
  return rest.substr(i);
}

}  // namespace

std::vector<std::string> splitParameters(std::string_view commandLine) {
  // A NUL ends the command line as it ends the runtime's C string.
  commandLine = commandLine.substr(0, commandLine.find('\0'));
  std::string item;
  std::string_view rest = nextItem(commandLine, item);
  std::vector<std::string> parameters;
  for (;;) {
    rest = nextItem(rest, item);
    if (item.empty())
      break;
    parameters.push_back(item);
  }
  return parameters;
}

std::vector<std::string> commandLineParameters() {
  const char* line = GetCommandLineA();
  return splitParameters(line ? std::string_view(line) : std::string_view());
}

int32_t hostHandleValue(const std::string& parameter) {
  return toInteger("$" + parameter);
}

}  // namespace tts::app
