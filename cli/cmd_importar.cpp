#include "cli/commands.h"

namespace tts::cli {

int runImportar(const Args&, std::ostream&) { throw Error("Orden importar: sin implementar"); }

}  // namespace tts::cli
