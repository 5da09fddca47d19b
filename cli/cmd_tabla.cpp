#include "cli/commands.h"

namespace tts::cli {

int runTabla(const Args&, std::ostream&) { throw Error("Orden tabla: sin implementar"); }

}  // namespace tts::cli
