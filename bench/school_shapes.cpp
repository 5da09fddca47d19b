#include "bench/school.h"

namespace tts::bench {
namespace {

// small: a rural school; large: a big secondary school; district: ten such
// schools in one document.
const SchoolShape kShapes[] = {
    {"small", 1, 12, 6, 8, 16, 120, 5, 6},
    {"large", 1, 150, 60, 80, 140, 2500, 6, 12},
    {"district", 10, 1500, 600, 800, 1400, 25000, 6, 12},
};

}  // namespace

std::optional<SchoolShape> shapeNamed(std::string_view name) {
  for (const SchoolShape& shape : kShapes) {
    if (shape.name == name)
      return shape;
  }
  return std::nullopt;
}

std::vector<std::string> shapeNames() {
  std::vector<std::string> names;
  for (const SchoolShape& shape : kShapes)
    names.push_back(shape.name);
  return names;
}

}  // namespace tts::bench
