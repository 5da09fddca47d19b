// transtempax exportar, run as the user runs it; its tables read back by
// Debian's python3-dbfread.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "platform/text.h"
#include "tests/export/export_fixture.h"

namespace tts::testing {
namespace {

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string err;
};

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text)
    out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Runs a command line through the shell; stderr goes to a file of `folder`.
Outcome run(const std::string& command, const TempFolder& folder) {
  const std::string errFile = folder.file("stderr.txt");
  Outcome outcome;
  FILE* pipe = ::popen((command + " 2>" + quoted(errFile)).c_str(), "r");
  if (!pipe)
    return outcome;
  char buffer[4096];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
    outcome.out.append(buffer, n);
  const int status = ::pclose(pipe);
  outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  outcome.err = folder.read("stderr.txt");
  files::removeQuietly(errFile);
  return outcome;
}

class Exportar : public ExportTest {
 protected:
  Outcome exportar(const std::string& arguments) {
    return run(quoted(TTS_TRANSTEMPAX) + " exportar " + arguments, docs);
  }
  std::string document(const std::string& ansiXml) {
    return docs.write("escuela.xml", utf8FromAnsi(ansiXml));
  }
  // The table as dbfread gives it, in UTF-8.
  std::string dbfread(const std::string& table) {
    const char* source = std::getenv("TTS_SOURCE_DIR");
    const std::string script = std::string(source ? source : ".") + "/tests/export/dbf_rows.py";
    Outcome outcome = run(
        quoted(TTS_PYTHON) + " " + quoted(script) + " " + quoted(qtemp.file(table + ".DBF")), docs);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    return outcome.out;
  }
};

// A school with accents in every kind of table.
std::string school() {
  return interchange(
      {list("MATERIAS", {record({"GTUT", "TUT", "TUTORIA",
                                 "Tutor\xED"
                                 "a"}),
                         record({"MAT", "MAT1", "MATEM", "Matem\xE1ticas"}),
                         record({"MAT", "mat1", "OTRA", "Repetida"})}),
       list("PROFESORES", {record({"E1", "2020-09-01",
                                   "Pe\xF1"
                                   "a G\xF3mez, \xC1ngela",
                                   "APG"})}),
       list("AULAS", {record({"D1", "", "Laboratorio de Qu\xEDmica", "N"})}),
       list("GRUPOS", {record({"U1", "1A", "M", "", "1", "A"})}),
       list("ASIGNATURAS", {record({"MAT1", "1A", "D1", "M", "ESO", "1", "A", "61", "MAT"}),
                            record({"TUT", "1A", "D1", "M", "ESO", "1", "A", "", "GTUT"})}),
       list("TRAMOS", {tramo("L1", "55",
                             "S\xD1"
                             "1"),
                       tramo("L2", "55", "S2")})});
}

TEST_F(Exportar, TablesReadBackByDbfreadWithAccents) {
  const Outcome outcome = exportar(quoted(document(school())) + " --qtemp " + quoted(qtemp.path()));
  ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.out, utf8FromAnsi("Exportaci\xF3n terminada en '" + qtemp.path() +
                                      "':\n"
                                      "  ASIGNOMT: 2 filas\n"
                                      "  PROFT: 1 fila\n"
                                      "  AULAT: 1 fila\n"
                                      "  GRUPOST: 1 fila\n"
                                      "  ASIGT: 2 filas\n"
                                      "  DIASHORAST: 2 filas\n"));
  auto expect = [&](const std::string& table, const std::string& ansiRows) {
    EXPECT_EQ(dbfread(table), utf8FromAnsi(ansiRows)) << table;
  };
  expect("ASIGNOMT",
         "COD|CODLARGO|NOMBRE|MATERIA|ESTAREA\n"
         "TUT|TUTORIA|Tutor\xED"
         "a|GTUT|True\n"
         "MAT1|MATEM|Matem\xE1ticas|MAT|False\n");
  expect("PROFT",
         "ABREV|NOMBRE|DEPART|DNI|X_EMPLEADO|F_TOMAPOS\n"
         "APG|Pe\xF1"
         "a G\xF3mez, \xC1ngela|||E1|2020-09-01\n");
  expect("AULAT",
         "ABREV|NOMBRE|EDIFICIO|MAXALUM|DEPCENTRO\n"
         "D1|Laboratorio de Qu\xEDmica|N||D1\n");
  expect("GRUPOST",
         "ABREV|TURNO|NIVEL|CURSO|GRUPO|UNIDAD|DESCRIP|MARCO\n"
         "1A|M|NIV|1|A|U1|M NIV 1 A|0\n");
  expect("ASIGT",
         "CASIG|CPROF|CGRUP|CAULA|TURNO|NIVEL|CURSO|GRUPO|HORAS|SESIONES|NCONEX|MATERIA|CTAREA\n"
         "MAT1||1A|D1|M|ESO|1|A|1.0167|11||MAT|LE\n"
         "TUT||1A|D1|M|ESO|1|A|1.0|1||GTUT|TUT\n");
  expect("DIASHORAST",
         "DIHO|CODDIHO|DIA|TEXTODIA|HORA|TEXTOHOR|HORADESDE|HORAHASTA|MINUTOS|MARCO|MARCOXML\n"
         "11|S\xD1"
         "1|1||1|1-08:00-08:55|08:00|08:55|55|0|\n"
         "12|S2|1||2|2-08:55-09:50|08:55|09:50|55|0|\n");
}

TEST_F(Exportar, StartTimeWithALeadingBlankAsTheDialogGivesIt) {
  const Outcome outcome = exportar(quoted(document(school())) + " --hora-inicio ' 8:00' --qtemp " +
                                   quoted(qtemp.path()));
  ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(table("DIASHORAST").column("TEXTOHOR"),
            (std::vector<std::string>{"1- 8:00-08:55", "2-08:55-09:50"}));
}

struct UsageCase {
  const char* title;
  std::string arguments;  // after the document
  std::string message;    // first line on stderr, in UTF-8
};

class ExportarUsage : public Exportar, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(ExportarUsage, ExitsWithTwoAndTouchesNothing) {
  const std::string doc = document(school());
  qtemp.write("SOLUC.DBF", "soluci\xF3n");
  const auto before = snapshot(qtemp.path());
  const Outcome outcome =
      exportar(quoted(doc) + " " + GetParam().arguments + " --qtemp " + quoted(qtemp.path()));
  EXPECT_EQ(outcome.exitCode, 2);
  EXPECT_EQ(outcome.err.substr(0, outcome.err.find('\n')), GetParam().message);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(snapshot(qtemp.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportarUsage,
    ::testing::Values(
        UsageCase{"HourAbove23", "--hora-inicio 24:00",
                  "La hora de inicio '24:00' no es v\xC3\xA1lida: las horas van de 00 a 23 y los "
                  "minutos de 00 a 59"},
        UsageCase{"MinutesAbove59", "--hora-inicio 12:60",
                  "La hora de inicio '12:60' no es v\xC3\xA1lida: las horas van de 00 a 23 y los "
                  "minutos de 00 a 59"},
        UsageCase{
            "NotTheMasksShape", "--hora-inicio 8:00",
            "La hora de inicio '8:00' no tiene la forma HH:MM (por ejemplo 08:00 o \" 8:00\")"},
        UsageCase{
            "Letters", "--hora-inicio ab:cd",
            "La hora de inicio 'ab:cd' no tiene la forma HH:MM (por ejemplo 08:00 o \" 8:00\")"},
        UsageCase{"MissingValue", "--hora-inicio", "Falta el valor de --hora-inicio"},
        UsageCase{"UnknownOption", "--hora 08:00", "Opci\xC3\xB3n desconocida: --hora"},
        UsageCase{"SecondDocument", "otro.xml", "Sobra el argumento: otro.xml"}),
    [](const ::testing::TestParamInfo<UsageCase>& p) { return std::string(p.param.title); });

TEST_F(Exportar, WithoutADocumentIsAUsageError) {
  const Outcome outcome = exportar("--qtemp " + quoted(qtemp.path()));
  EXPECT_EQ(outcome.exitCode, 2);
  EXPECT_EQ(outcome.err.substr(0, outcome.err.find('\n')), "Falta el documento de Scolvia");
}

TEST_F(Exportar, AMissingDocumentSaysNoExisteArchivo) {
  const Outcome outcome =
      exportar(quoted(docs.file("no-esta.xml")) + " --qtemp " + quoted(qtemp.path()));
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.err, "No existe archivo\n");
  EXPECT_TRUE(files::list(qtemp.path()).empty());
}

TEST_F(Exportar, AMissingWorkingFolderIsNamedAndNotCreated) {
  const std::string missing = qtemp.file("QTEMP");
  const Outcome outcome = exportar(quoted(document(school())) + " --qtemp " + quoted(missing));
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.err, "No existe la carpeta de trabajo '" + missing + "'\n");
  EXPECT_FALSE(files::isFolder(missing));
}

// Documents that end the export with an error: exit 1, the message on
// stderr, the working folder as an earlier export left it.
struct ErrorCase {
  const char* title;
  std::string documentBytes;  // as written to the file
  std::string message;        // stderr, UTF-8, a %s for the document's path
};

class ExportarError : public Exportar, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(ExportarError, ExitsWithOneAndLeavesTheFolderUnchanged) {
  ASSERT_EQ(exportar(quoted(document(school())) + " --qtemp " + quoted(qtemp.path())).exitCode, 0);
  const auto before = snapshot(qtemp.path());
  const std::string doc = docs.write("malo.xml", GetParam().documentBytes);
  const Outcome outcome = exportar(quoted(doc) + " --qtemp " + quoted(qtemp.path()));
  EXPECT_EQ(outcome.exitCode, 1);
  std::string expected = GetParam().message;
  if (auto at = expected.find("%s"); at != std::string::npos)
    expected.replace(at, 2, doc);
  EXPECT_NE(outcome.err.find(expected), std::string::npos) << outcome.err;
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(snapshot(qtemp.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportarError,
    ::testing::Values(
        ErrorCase{"NotWellFormed", "<?xml version=\"1.0\"?><SERVICIO><SALIDAS></SERVICIO>", "%s"},
        ErrorCase{"GapInTheMondayHours",
                  utf8FromAnsi(interchange({list("TRAMOS", {tramo("L1", "55"), tramo("L2", "55"),
                                                            tramo("L4", "55")})})),
                  "'' no es un valor entero v\xC3\xA1lido\n"}),
    [](const ::testing::TestParamInfo<ErrorCase>& p) { return std::string(p.param.title); });

}  // namespace
}  // namespace tts::testing
