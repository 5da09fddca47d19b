// transtempax: the command-line tool over the core.
#include <iostream>
#include <string>

#include "cli/commands.h"

namespace {

const char* const kUsage =
    "Uso:\n"
    "  transtempax tabla ARCHIVO.DBF\n"
    "  transtempax exportar DOCUMENTO.xml [--hora-inicio HH:MM] [--qtemp CARPETA]\n"
    "  transtempax importar DOCUMENTO.xml [--qtemp CARPETA]\n";

}  // namespace

int main(int argc, char** argv) {
  using namespace tts::cli;
  Args args(argv + 1, argv + argc);
  try {
    if (args.empty())
      throw UsageError("Falta la orden");
    std::string command = args.front();
    args.erase(args.begin());
    if (command == "tabla")
      return runTabla(args, std::cout);
    if (command == "exportar")
      return runExportar(args, std::cout);
    if (command == "importar")
      return runImportar(args, std::cout);
    throw UsageError("Orden desconocida: " + command);
  } catch (const UsageError& e) {
    std::cerr << forTerminal(e.what()) << "\n" << forTerminal(kUsage);
    return kExitUsage;
  } catch (const tts::Error& e) {
    std::cerr << forTerminal(e.what()) << "\n";
    return kExitError;
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return kExitError;
  }
}
