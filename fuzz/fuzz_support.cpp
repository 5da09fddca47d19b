#include "fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>

#include "platform/files.h"

namespace tts::fuzz {
namespace {

struct Scratch {
  Scratch() {
    const char* tmp = std::getenv("TMPDIR");
    path = files::makeUniqueFolder(tmp && *tmp ? tmp : "/tmp", "tts_fuzz_");
  }
  ~Scratch() { files::removeTreeQuietly(path); }
  std::string path;
};

}  // namespace

const std::string& scratchFolder() {
  static const Scratch scratch;
  return scratch.path;
}

void require(const std::string& broken) {
  if (broken.empty())
    return;
  std::fprintf(stderr, "broken promise: %s\n", broken.c_str());
  std::abort();
}

}  // namespace tts::fuzz
