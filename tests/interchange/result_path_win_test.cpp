// The result path on Windows: a backslash, a slash or a drive colon ends the
// folder part.
#include <gtest/gtest.h>

#include "interchange/result.h"

namespace tts {
namespace {

TEST(ResultPath, PutsThePrefixBeforeTheNameInTheSameFolder) {
  const struct {
    const char* chosen;
    const char* result;
  } cases[] = {
      {"D:\\datos\\horario.xml", "D:\\datos\\ResultadoTempaxhorario.xml"},
      {"D:horario.xml", "D:ResultadoTempaxhorario.xml"},
      {"horario.xml", "ResultadoTempaxhorario.xml"},
      {"C:/datos/h.xml", "C:/datos/ResultadoTempaxh.xml"},
      {"\\\\servidor\\comun\\h.xml", "\\\\servidor\\comun\\ResultadoTempaxh.xml"},
      {"C:\\d\\ResultadoTempaxh.xml", "C:\\d\\ResultadoTempaxResultadoTempaxh.xml"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(resultPath(c.chosen), c.result) << c.chosen;
}

}  // namespace
}  // namespace tts
