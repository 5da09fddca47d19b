// transtempax importar DOCUMENTO.xml [--qtemp CARPETA]: the import, with the
// result's path and a short summary on the output.
#include <memory>
#include <string>

#include "cli/commands.h"
#include "import/import_run.h"
#include "platform/files.h"

namespace tts::cli {

int runImportar(const Args& args, std::ostream& out) {
  std::string document;
  std::string qtemp;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--qtemp") {
      if (i + 1 == args.size())
        throw UsageError("Falta la carpeta tras --qtemp");
      qtemp = args[++i];
      if (qtemp.empty())
        throw UsageError("La carpeta de --qtemp está vacía");
    } else if (arg.rfind("--", 0) == 0) {
      throw UsageError("Opción desconocida: " + files::pathForMessage(arg));
    } else if (document.empty()) {
      document = arg;
    } else {
      throw UsageError("Sobra el argumento: " + files::pathForMessage(arg));
    }
  }
  if (document.empty())
    throw UsageError("Falta el documento");
  if (!files::exists(document))
    throw Error("No existe archivo");

  std::unique_ptr<xml::Document> doc;
  ImportSummary summary = ImportarSolucion(doc, document, workingFolder(qtemp));
  out << summary.resultFile << "\n";
  out << forTerminal("Profesores: " + std::to_string(summary.teachers) + "\n");
  out << forTerminal("Actividades: " + std::to_string(summary.activities) + "\n");
  out << forTerminal("Tramos no encontrados: " + std::to_string(summary.slotsNotFound) + "\n");
  out << forTerminal("Aulas no encontradas: " + std::to_string(summary.roomsNotFound) + "\n");
  out << forTerminal("Grupos no encontrados: " + std::to_string(summary.groupsNotFound) + "\n");
  out << forTerminal("Materias sin código: " + std::to_string(summary.subjectsNotFound) + "\n");
  return kExitOk;
}

}  // namespace tts::cli
