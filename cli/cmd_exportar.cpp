// transtempax exportar DOCUMENTO.xml [--hora-inicio HH:MM] [--qtemp CARPETA]
//
// The export without its windows: the start time comes from the command line
// instead of the dialog. Since there is no dialog to show again, a time the
// dialog would not accept is a usage mistake.
#include <optional>

#include "cli/commands.h"
#include "export/export_run.h"
#include "export/start_time.h"
#include "interchange/records.h"
#include "platform/files.h"

namespace tts::cli {

namespace {

// The dialog's edit starts with this text.
const char* const kDefaultStartTime = "08:00";

struct ExportOptions {
  std::string document;
  std::string startTime = kDefaultStartTime;
  std::string qtemp;
};

// Command-line text as the system's text (it is native, like a path).
std::string systemText(const std::string& argument) {
  return files::pathForMessage(argument);
}

ExportOptions parse(const Args& args) {
  ExportOptions options;
  std::optional<std::string> document;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--hora-inicio" || arg == "--qtemp") {
      // An option in its place means the value was left out.
      if (i + 1 == args.size() || args[i + 1].rfind("--", 0) == 0) {
        throw UsageError("Falta el valor de " + arg);
      }
      (arg == "--qtemp" ? options.qtemp : options.startTime) = args[++i];
    } else if (arg.size() > 1 && arg.front() == '-') {
      throw UsageError("Opción desconocida: " + systemText(arg));
    } else if (document) {
      throw UsageError("Sobra el argumento: " + systemText(arg));
    } else {
      document = arg;
    }
  }
  if (!document)
    throw UsageError("Falta el documento de Scolvia");
  options.document = *document;
  return options;
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// The shape of the dialog's edit (mask "!90:00"): an hour digit or a blank in
// its place, an hour digit, ":", two minute digits.
bool hasEditShape(const std::string& text) {
  return text.size() == 5 && (isDigit(text[0]) || text[0] == ' ') && isDigit(text[1]) &&
         text[2] == ':' && isDigit(text[3]) && isDigit(text[4]);
}

void checkStartTime(const std::string& text) {
  if (!hasEditShape(text)) {
    throw UsageError("La hora de inicio '" + systemText(text) +
                     "' no tiene la forma HH:MM (por ejemplo 08:00 o \" 8:00\")");
  }
  if (!exporting::startTimeInRange(text)) {
    throw UsageError("La hora de inicio '" + systemText(text) +
                     "' no es válida: las horas van de 00 a 23 y los minutos de 00 a 59");
  }
}

}  // namespace

int runExportar(const Args& args, std::ostream& out) {
  const ExportOptions options = parse(args);
  checkStartTime(options.startTime);
  if (!files::exists(options.document))
    throw Error("No existe archivo");
  // A document that does not load ends the export before any table is touched.
  const std::unique_ptr<xml::Document> doc = loadDocument(options.document);
  const std::string qtemp = workingFolder(options.qtemp);

  bool asked = false;
  const StartTimeDialog startTime = [&]() -> std::string {
    // The time was checked above, so the run asks once; asking again would
    // mean a time the dialog rejects.
    if (asked)
      throw UsageError("La hora de inicio no es válida");
    asked = true;
    return options.startTime;
  };
  const ExportSummary summary = runExport(*doc, qtemp, startTime);

  std::string text = "Exportación terminada en '" + files::pathForMessage(qtemp) + "':\n";
  for (const auto& [table, rows] : summary.rows) {
    text += "  " + table + ": " + std::to_string(rows) + (rows == 1 ? " fila\n" : " filas\n");
  }
  out << forTerminal(text);
  return kExitOk;
}

}  // namespace tts::cli
