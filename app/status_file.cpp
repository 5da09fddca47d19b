#include "app/status_file.h"

#include <windows.h>

#include "platform/error.h"
#include "platform/files.h"

namespace tts::app {

std::string statusFilePath(const std::string& executable) {
  return files::folderPart(executable) + "Tempaxin.ini";
}

void writeStatus(const std::string& iniPath, int value) {
  std::string text = std::to_string(value);
  if (!WritePrivateProfileStringA("Transformadores", "Transformado", text.c_str(),
                                  iniPath.c_str())) {
    throw Error("No se puede escribir el archivo de estado " + files::pathForMessage(iniPath));
  }
}

}  // namespace tts::app
