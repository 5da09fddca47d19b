// Interoperability with dBase readers and writers that nobody here wrote:
// Debian's python3-dbfread reads our tables, GDAL reads them and writes
// tables that we read. Native builds only.
#include <cstdio>
#include <cstdlib>

#include "platform/dbase/table.h"
#include "platform/files.h"
#include "platform/text.h"
#include "tests/support/testing.h"

namespace tts::dbase {
namespace {

using tts::testing::TempFolder;

std::string shellQuoted(const std::string& text) {
  std::string out = "'";
  for (char c : text)
    out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Runs a shell command and returns what it printed; a failing command fails
// the test.
std::string run(const std::string& command) {
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe) {
    ADD_FAILURE() << "cannot run " << command;
    return {};
  }
  std::string out;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
    out.append(buffer, n);
  int status = ::pclose(pipe);
  EXPECT_EQ(status, 0) << command << "\n" << out;
  return out;
}

std::string dbfread(const std::string& table) {
  return run("/usr/bin/python3 " +
             shellQuoted(std::string(TTS_DBASE_TEST_DIR) + "/dbfread_dump.py") + " " +
             shellQuoted(table));
}

// A table of every field kind we write, with the accented letters of Spanish
// and text that only Windows-1252 holds.
void writeSample(const std::string& path) {
  createTable(path, {{"COD", FieldType::String, 10},
                     {"NOMBRE", FieldType::String, 30},
                     {"HORAS", FieldType::Float, 0},
                     {"NUM", FieldType::Integer, 0},
                     {"ESTAREA", FieldType::Boolean, 0}});
  Table table(files::folderPart(path), files::namePart(path), Access::Shared);
  table.open();
  table.append();
  table.setString("COD", "G100");
  table.setString("NOMBRE", "Educación Física: ñandú €");
  table.setFloat("HORAS", 61 / 60.0);
  table.setInteger("NUM", 42);
  table.setBoolean("ESTAREA", true);
  table.post();
  table.append();
  table.setString("COD", "X");
  table.post();
  table.append();
  table.setString("COD", "ñ'\"|");
  table.setString("NOMBRE", "ÁÉÍÓÚ áéíóú Ññ Üü ¿¡ ºª");
  table.setFloat("HORAS", -2.5);
  table.setInteger("NUM", -2147483647 - 1);
  table.setBoolean("ESTAREA", false);
  table.post();
  table.close();
}

TEST(DbaseInterop, DbfreadReadsOurTablesWithoutBeingToldTheEncoding) {
  TempFolder dir;
  writeSample(dir.file("ASIGT.DBF"));
  const std::string expected = utf8FromAnsi(
      "E cp1252\n"
      "N 3\n"
      "F COD C 10 0\n"
      "F NOMBRE C 30 0\n"
      "F HORAS N 20 4\n"
      "F NUM N 11 0\n"
      "F ESTAREA L 1 0\n"
      "R 'G100' | 'Educación Física: ñandú €' | 1.0167 | 42 | True\n"
      "R 'X' | '' | None | None | None\n"
      "R 'ñ\\'\"|' | 'ÁÉÍÓÚ áéíóú Ññ Üü ¿¡ ºª' | -2.5 | -2147483648 | False\n");
  EXPECT_EQ(dbfread(dir.file("ASIGT.DBF")), expected);
}

TEST(DbaseInterop, DbfreadReadsAnEmptyTableOfOurs) {
  TempFolder dir;
  createTable(dir.file("VACIA.DBF"), {{"A", FieldType::String, 1}});
  EXPECT_EQ(dbfread(dir.file("VACIA.DBF")), "E cp1252\nN 0\nF A C 1 0\n");
}

TEST(DbaseInterop, GdalReadsOurTables) {
  TempFolder dir;
  writeSample(dir.file("ASIGT.DBF"));
  run("ogr2ogr -f CSV " + shellQuoted(dir.file("out.csv")) + " " +
      shellQuoted(dir.file("ASIGT.DBF")));
  const std::string csv = dir.read("out.csv");
  EXPECT_EQ(csv.substr(0, csv.find('\n')), "COD,NOMBRE,HORAS,NUM,ESTAREA");
  // GDAL formats numbers its own way ("-2.5000", integers quoted); the text
  // must come through whole.
  EXPECT_NE(csv.find(utf8FromAnsi("\nG100,Educación Física: ñandú €,1.0167,")), std::string::npos)
      << csv;
  EXPECT_NE(csv.find(utf8FromAnsi(",ÁÉÍÓÚ áéíóú Ññ Üü ¿¡ ºª,-2.5")), std::string::npos) << csv;
}

struct GdalWriter {
  const char* label;
  const char* encodingOption;  // -lco ENCODING=..., empty for GDAL's default
  int driverByte;              // what GDAL puts into header byte 29
};

class DbaseFromGdal : public ::testing::TestWithParam<GdalWriter> {};

TEST_P(DbaseFromGdal, WeReadWhatOgr2ogrWritesFromACsv) {
  const GdalWriter& w = GetParam();
  TempFolder dir;
  // Text that the DOS code pages 437 and 850 hold as well.
  dir.write("in.csv", utf8FromAnsi("COD,NOMBRE,HORAS,N,F\n"
                                   "A1,Niño ñandú Éxito,1.5,3,2024-03-05\n"
                                   "B2,Über é,,-4,\n"));
  dir.write("in.csvt", "\"String(10)\",\"String(40)\",\"Real(20.4)\",\"Integer\",\"Date\"\n");
  std::string command = "ogr2ogr -f \"ESRI Shapefile\" " + shellQuoted(dir.file("out.dbf")) + " " +
                        shellQuoted(dir.file("in.csv"));
  if (*w.encodingOption)
    command += std::string(" -lco ENCODING=") + w.encodingOption;
  run(command);
  const std::string raw = dir.read("out.dbf");
  ASSERT_GT(raw.size(), 32u);
  EXPECT_EQ(static_cast<uint8_t>(raw[29]), w.driverByte) << "GDAL wrote another driver byte";

  Table table(dir.path(), "OUT", Access::Shared);
  table.open();
  const std::vector<FieldInfo>& fields = table.fields();
  ASSERT_EQ(fields.size(), 5u);
  EXPECT_EQ(fields[0].type, 'C');
  EXPECT_EQ(fields[0].width, 10);
  EXPECT_EQ(fields[1].width, 40);
  EXPECT_EQ(fields[2].type, 'N');
  EXPECT_EQ(fields[2].decimals, 4);
  EXPECT_EQ(fields[3].type, 'N');
  EXPECT_EQ(fields[4].type, 'D');
  EXPECT_EQ(table.recordCount(), 2u);

  EXPECT_EQ(table.asString("COD"), "A1");
  EXPECT_EQ(table.asString("NOMBRE"), "Niño ñandú Éxito");
  EXPECT_EQ(table.asString("HORAS"), "1.5");
  EXPECT_EQ(table.asFloat("HORAS"), 1.5);
  EXPECT_EQ(table.asString("N"), "3");
  EXPECT_EQ(table.asInteger("N"), 3);
  EXPECT_EQ(table.asString("F"), "05/03/2024");
  table.next();
  EXPECT_EQ(table.asString("NOMBRE"), "Über é");
  EXPECT_EQ(table.asString("HORAS"), "");
  EXPECT_EQ(table.asFloat("HORAS"), 0);
  EXPECT_EQ(table.asInteger("N"), -4);
  EXPECT_EQ(table.asString("F"), "");
  table.next();
  EXPECT_TRUE(table.eof());
}

INSTANTIATE_TEST_SUITE_P(Encodings, DbaseFromGdal,
                         ::testing::Values(GdalWriter{"default_latin1", "", 0x57},
                                           GdalWriter{"cp1252_with_cpg", "CP1252", 0x00},
                                           GdalWriter{"DBWINWE0", "LDID/88", 0x58},
                                           GdalWriter{"FoxPro_850", "LDID/2", 0x02},
                                           GdalWriter{"DB850US0", "LDID/55", 0x37},
                                           GdalWriter{"DB437US0", "LDID/27", 0x1B},
                                           GdalWriter{"FoxPro_437", "LDID/1", 0x01}),
                         [](const ::testing::TestParamInfo<GdalWriter>& param) {
                           return param.param.label;
                         });

}  // namespace
}  // namespace tts::dbase
