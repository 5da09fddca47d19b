#include "export/sessions.h"

#include <cmath>
#include <cstdint>

namespace tts::exporting {

namespace {

// A week has at most this many single sessions; more hours are told by the
// count in front of them.
constexpr int64_t kSingleSessions = 13;

}  // namespace

std::string sessionsText(double hours) {
  auto n = static_cast<int64_t>(std::ceil(hours));
  std::string text;
  if (n > kSingleSessions) {
    text = std::to_string(n - kSingleSessions);
    n = kSingleSessions;
  }
  text.append(static_cast<size_t>(n < 0 ? 0 : n), '1');
  return text;
}

}  // namespace tts::exporting
