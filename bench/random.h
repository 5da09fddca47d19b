// Deterministic random choices for the school generator.
//
// The engine is std::mt19937, whose output the standard fixes; the
// distributions are our own (the library's differ between versions), so a seed
// gives the same school on every machine and with every compiler.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace tts::bench {

class Random {
 public:
  explicit Random(uint32_t seed) : engine_(seed) {}

  // A whole number in [0, n), n > 0, without modulo bias.
  uint32_t below(uint32_t n) {
    const uint32_t limit = UINT32_MAX - UINT32_MAX % n;  // multiples of n below it
    uint32_t draw = 0;
    do {
      draw = static_cast<uint32_t>(engine_());
    } while (draw >= limit);
    return draw % n;
  }

  // A whole number in [low, high].
  int between(int low, int high) {
    return low + static_cast<int>(below(static_cast<uint32_t>(high - low + 1)));
  }

  // True in `perMille` of a thousand cases.
  bool chance(int perMille) { return static_cast<int>(below(1000)) < perMille; }

  // An index chosen by weights (each >= 0, at least one > 0).
  size_t weighted(const std::vector<int>& weights) {
    int total = 0;
    for (int w : weights)
      total += w;
    int draw = static_cast<int>(below(static_cast<uint32_t>(total)));
    for (size_t i = 0; i < weights.size(); ++i) {
      if (draw < weights[i])
        return i;
      draw -= weights[i];
    }
    return weights.size() - 1;
  }

  // One element of a non-empty array.
  template <typename T, size_t N>
  const T& pick(const T (&items)[N]) {
    return items[below(static_cast<uint32_t>(N))];
  }
  template <typename T>
  const T& pick(const std::vector<T>& items) {
    return items[below(static_cast<uint32_t>(items.size()))];
  }

 private:
  std::mt19937 engine_;
};

}  // namespace tts::bench
