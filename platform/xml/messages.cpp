#include "platform/xml/messages.h"

#include "platform/files.h"

namespace tts::xml {

namespace {

std::string quoted(const std::string& path) {
  return "'" + files::pathForMessage(path) + "'";
}

}  // namespace

std::string notValidMessage(const std::string& path, const std::string& reason) {
  return "El archivo " + quoted(path) + " no es un documento XML válido: " + reason;
}

std::string notValidMessage(const std::string& path, const std::string& reason, size_t line,
                            size_t column) {
  return notValidMessage(path, reason) + " (línea " + std::to_string(line) + ", columna " +
         std::to_string(column) + ")";
}

std::string notReadMessage(const std::string& path, const std::string& reason) {
  return "No se puede leer el archivo " + quoted(path) + ": " + reason;
}

std::string notSavedMessage(const std::string& path, const std::string& reason) {
  return "No se puede guardar el archivo " + quoted(path) + ": " + reason;
}

}  // namespace tts::xml
