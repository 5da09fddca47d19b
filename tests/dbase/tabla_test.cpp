// `transtempax tabla`: the built tool run on real table files, its output
// compared with golden files (UTF-8). Native builds only.
#include <sys/wait.h>

#include <cstdio>

#include "platform/dbase/table.h"
#include "platform/files.h"
#include "tests/dbase/dbf_bytes.h"
#include "tests/support/testing.h"

namespace tts::dbase {
namespace {

using tts::testing::DbfBytes;
using tts::testing::level7Double;
using tts::testing::level7Long;
using tts::testing::padded;
using tts::testing::TempFolder;

struct Outcome {
  int exitCode = -1;
  std::string out;  // stdout, then stderr when asked for
};

// Runs `transtempax tabla` in `folder` with the arguments (quoted for the
// shell as needed).
Outcome tool(const std::string& folder, const std::string& arguments, bool withErrors = false) {
  std::string command = "cd '" + folder + "' && '" + std::string(TTS_TRANSTEMPAX) + "' tabla " +
                        arguments + (withErrors ? " 2>&1" : " 2>/dev/null");
  Outcome outcome;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe)
    return outcome;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
    outcome.out.append(buffer, n);
  int status = ::pclose(pipe);
  outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

std::string golden(const std::string& name) {
  auto bytes = files::readAll(std::string(TTS_DBASE_TEST_DIR) + "/golden/" + name);
  return std::string(bytes.begin(), bytes.end());
}

TEST(Tabla, ShowsFieldsAndRowsOfOurTable) {
  TempFolder dir;
  createTable(dir.file("ASIGNOMT.DBF"), {{"COD", FieldType::String, 10},
                                         {"NOMBRE", FieldType::String, 40},
                                         {"HORAS", FieldType::Float, 0},
                                         {"NUM", FieldType::Integer, 0},
                                         {"ESTAREA", FieldType::Boolean, 0}});
  Table table(dir.path(), "ASIGNOMT", Access::Shared);
  table.open();
  table.append();
  table.setString("COD", "G100");
  table.setString("NOMBRE", "  Educación Física y Niñez");
  table.setFloat("HORAS", 61 / 60.0);
  table.setInteger("NUM", 3);
  table.setBoolean("ESTAREA", true);
  table.post();
  table.append();
  table.setString("COD", "LE");
  table.post();
  table.close();

  Outcome result = tool(dir.path(), "asignomt.dbf");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, golden("tabla_asignomt.txt"));
}

TEST(Tabla, ShowsALevelSevenTableWithDeletedRowsLeftOut) {
  TempFolder dir;
  DbfBytes bytes;
  bytes.level7("DB850ES0")
      .field("PROF", 'C', 8)
      .field("DIA", 'I', 4)
      .field("HORA", 'I', 4)
      .field("PESO", 'O', 8)
      .record(padded("Pe\xA4\x61", 8) + level7Long(1) + level7Long(3) + level7Double(2.5))
      .record(padded("BORRADO", 8) + level7Long(9) + level7Long(9) + level7Double(9), '*')
      .record(padded("O'Neil", 8) + level7Long(5) + level7Long(12) + std::string(8, '\0'));
  dir.write("SOLUC.DBF", bytes.build());

  Outcome result = tool(dir.path(), "SOLUC.DBF");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, golden("tabla_soluc_nivel7.txt"));
}

TEST(Tabla, FailuresAndBadUsage) {
  TempFolder dir;
  Outcome missing = tool(dir.path(), "SOLUC.DBF", true);
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, "No se encuentra la tabla 'SOLUC.DBF'\n");

  dir.write("ROTA.DBF", "\x03\x7C\x03\x05");
  Outcome damaged = tool(dir.path(), "ROTA.DBF", true);
  EXPECT_EQ(damaged.exitCode, 1);
  EXPECT_EQ(damaged.out,
            "La tabla 'ROTA.DBF' est\xC3\xA1 da\xC3\xB1\x61\x64\x61: el archivo tiene 4 bytes y la "
            "cabecera de una tabla dBase tiene 32\n");

  EXPECT_EQ(tool(dir.path(), "").exitCode, 2);
  EXPECT_EQ(tool(dir.path(), "A.DBF B.DBF").exitCode, 2);
  EXPECT_EQ(tool(dir.path(), "--todo A.DBF").exitCode, 2);
}

}  // namespace
}  // namespace tts::dbase
