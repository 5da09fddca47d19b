// A SOLUC written by an outside dBase writer, GDAL's ogr2ogr, from a CSV file:
// once with every column as text (width 80), once with DIA and HORA as numbers
// (N fields, right-aligned). The import must read both as the generator's.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/text.h"
#include "tests/import/import_fixture.h"

namespace tts::testing {
namespace {

struct CsvCase {
  const char* name;
  const char* csvt;  // column types for ogr2ogr, or none
};

class ImportOgr : public ::testing::TestWithParam<CsvCase>, public ImportFixture {};

TEST_P(ImportOgr, ReadsASolucWrittenByGdal) {
  School s;
  s.proft = {{"E1", "F1", "MUÑ"}, {"E2", "F2", "O'NE"}};
  s.asignomt = {{"GUA", "G101"}};
  s.diashorast = {{"13", "1", "T13"}, {"112", "1", "T112"}, {"21", "2", "T21"}};
  s.aulat = {{"A1", "D1"}};
  s.grupost = {{"1A", "U1A"}};
  s.asigt = {{"MAT", "1A", "ESO", "1", "M001"}};
  s.write(qtemp.path());
  files::removeQuietly(tableFile(qtemp.path(), "SOLUC"));

  // ogr2ogr reads UTF-8 and stores ISO-8859-1 text (language driver 0x57).
  TempFolder work;
  work.write("soluc.csv", utf8FromAnsi("PROF,DIA,HORA,TAREA,AULA,CODGRUPO,ASIG,NIVEL,CURSO\n"
                                       "MUÑ,1,3,,A1,1A,MAT,ESO,1\n"
                                       "O'NE,0,2,GUA,A1,1A,MAT,ESO,1\n"
                                       "O'NE,1,12,GUA,A1,1A,MAT,ESO,1\n"
                                       "MUÑ,2,1,GUA,A1,1A,MAT,ESO,1\n"));
  if (GetParam().csvt)
    work.write("soluc.csvt", GetParam().csvt);
  const std::string command = "ogr2ogr -f 'ESRI Shapefile' '" + work.file("out") + "' '" +
                              work.file("soluc.csv") + "' > '" + work.file("log") + "' 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << work.read("log");
  // The generator's tables may come in lower case; the import finds them.
  files::replace(files::join(work.file("out"), "soluc.dbf"),
                 files::join(qtemp.path(), "soluc.dbf"));

  docs.write("horario.xml", document);
  summary = import();
  EXPECT_EQ(resultLines(resultPath),
            (std::vector<std::string>{"ERROR 0|Servicio finalizado Correctamente",
                                      "EMPLEADO_1 E1|F1", "ACTIVIDAD_1 G439|1|T13|D1|U1A|M001",
                                      "ACTIVIDAD_2 G101|2|T21|D1|U1A|M001", "EMPLEADO_2 E2|F2",
                                      "ACTIVIDAD_1 G101|1|T112|D1|U1A|M001"}));
}

INSTANTIATE_TEST_SUITE_P(
    Writers, ImportOgr,
    ::testing::Values(CsvCase{"TextColumns", nullptr},
                      CsvCase{"NumericDayAndHour",
                              "\"String(10)\",\"Integer(2)\",\"Integer(2)\",\"String(10)\","
                              "\"String(10)\",\"String(10)\",\"String(10)\",\"String(5)\","
                              "\"String(3)\"\n"}),
    [](const auto& tp) { return std::string(tp.param.name); });

}  // namespace
}  // namespace tts::testing
