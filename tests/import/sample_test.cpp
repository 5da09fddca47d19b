// The bundled sample school: its SOLUC.DBF is what tts_make_soluc makes, and
// examples/run-sample.sh exports and imports it with every code resolved.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/files.h"
#include "tests/import/school.h"
#include "tests/support/testing.h"

namespace tts::testing {
namespace {

std::string sourceFile(const std::string& relative) {
  const char* root = std::getenv("TTS_SOURCE_DIR");
  return files::join(root ? root : ".", relative);
}

std::vector<uint8_t> withoutDate(std::vector<uint8_t> dbf) {
  // Bytes 1 to 3 of the header hold the day the table was written.
  for (size_t i = 1; i <= 3 && i < dbf.size(); ++i)
    dbf[i] = 0;
  return dbf;
}

int run(const std::string& command) {
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ImportSample, SolucIsWhatTheGeneratorMakes) {
  TempFolder out;
  ASSERT_EQ(run("'" TTS_MAKE_SOLUC "' '" + out.path() + "'"), 0);
  EXPECT_EQ(withoutDate(files::readAll(out.file("SOLUC.DBF"))),
            withoutDate(files::readAll(sourceFile("examples/SOLUC.DBF"))));
}

TEST(ImportSample, RunsBothDirectionsWithEveryLessonResolved) {
  TempFolder tmp;
  const std::string command = "TMPDIR='" + tmp.path() + "' sh '" +
                              sourceFile("examples/run-sample.sh") + "' '" TTS_TRANSTEMPAX "' > '" +
                              tmp.file("out") + "' 2> '" + tmp.file("err") + "'";
  ASSERT_EQ(run(command), 0) << tmp.read("err");
  const std::string out = tmp.read("out");
  for (const char* line : {"Profesores: 6\n", "Actividades: 70\n", "Tramos no encontrados: 0\n",
                           "Aulas no encontradas: 0\n", "Grupos no encontrados: 6\n",
                           "Materias sin c\xC3\xB3"
                           "digo: 0\n"}) {
    EXPECT_NE(out.find(line), std::string::npos) << line << " missing in:\n" << out;
  }
  const std::string label = "Resultado: ";
  const size_t at = out.rfind(label);
  ASSERT_NE(at, std::string::npos) << out;
  const std::string result = out.substr(at + label.size(), out.find('\n', at) - at - label.size());
  std::vector<std::string> lines = resultLines(result);
  ASSERT_EQ(lines.size(), 1u + 6u + 70u);
  EXPECT_EQ(lines[1], "EMPLEADO_1 100234|01/09/2019");
  // Teacher 6 (O'D): the filter with a quote finds its nine lessons and its
  // meeting; its unplaced meeting (day 0) is left out.
  EXPECT_EQ(lines[lines.size() - 11], "EMPLEADO_6 101678|01/09/2022");
  EXPECT_EQ(lines.back().rfind("ACTIVIDAD_10 ", 0), 0u) << lines.back();
}

}  // namespace
}  // namespace tts::testing
