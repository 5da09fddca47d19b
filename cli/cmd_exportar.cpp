#include "cli/commands.h"

namespace tts::cli {

int runExportar(const Args&, std::ostream&) { throw Error("Orden exportar: sin implementar"); }

}  // namespace tts::cli
