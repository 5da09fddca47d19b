// The result path away from Windows: only "/" separates folders.
#include <gtest/gtest.h>

#include "interchange/result.h"

namespace tts {
namespace {

TEST(ResultPath, PutsThePrefixBeforeTheNameInTheSameFolder) {
  const struct {
    const char* chosen;
    const char* result;
  } cases[] = {
      {"/datos/horario.xml", "/datos/ResultadoTempaxhorario.xml"},
      {"horario.xml", "ResultadoTempaxhorario.xml"},
      {"./a b/h.v1.xml", "./a b/ResultadoTempaxh.v1.xml"},
      {"/d/ResultadoTempaxh.xml", "/d/ResultadoTempaxResultadoTempaxh.xml"},
      {"/d/sin-extension", "/d/ResultadoTempaxsin-extension"},
      // A backslash or a colon is part of a name here.
      {"D:\\datos\\horario.xml", "ResultadoTempaxD:\\datos\\horario.xml"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(resultPath(c.chosen), c.result) << c.chosen;
}

}  // namespace
}  // namespace tts
