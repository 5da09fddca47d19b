// The XML document service's messages, the same wording for both back ends.
#pragma once

#include <cstddef>
#include <string>

namespace tts::xml {

// "El archivo '<path>' no es un documento XML válido: <reason>" (reason ANSI).
std::string notValidMessage(const std::string& path, const std::string& reason);
// The same, with the place of the fault: "... (línea L, columna C)".
std::string notValidMessage(const std::string& path, const std::string& reason, size_t line,
                            size_t column);

// "No se puede leer el archivo '<path>': <reason>" (reason ANSI), as the file
// helpers word it.
std::string notReadMessage(const std::string& path, const std::string& reason);

// "No se puede guardar el archivo '<path>': <reason>" (reason ANSI).
std::string notSavedMessage(const std::string& path, const std::string& reason);

}  // namespace tts::xml
