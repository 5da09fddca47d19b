// The export run as a whole: all or nothing in the working folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "export/export_run.h"
#include "platform/files.h"
#include "tests/export/export_fixture.h"

namespace tts::testing {
namespace {

using Strings = std::vector<std::string>;

// A small school with a row in every table.
std::string school(const std::string& teacherName =
                       "Pe\xF1"
                       "a, Ana") {
  return interchange(
      {list("MATERIAS", {record({"GTUT", "TUT", "TUTORIA",
                                 "Tutor\xED"
                                 "a"}),
                         record({"MAT", "MAT1", "MATEM", "Matem\xE1ticas"})}),
       list("PROFESORES", {record({"E1", "2020", teacherName, "APG"})}),
       list("AULAS", {record({"D1", "A1", "Aula 1", "B"})}),
       list("GRUPOS", {record({"U1", "1A", "M", "ESO", "1", "A"})}),
       list("ASIGNATURAS", {record({"MAT1", "1A", "A1", "M", "ESO", "1", "A", "240", "MAT"}),
                            record({"TUT", "1A", "A1", "M", "ESO", "1", "A", "60", "GTUT"})}),
       list("TRAMOS", {tramo("L1", "55", "S1"), tramo("L2", "55", "S2")})});
}

const Strings kTables = {"ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "ASIGT", "DIASHORAST"};

using ExportRunTest = ExportTest;

TEST_F(ExportRunTest, ReplacesTheSixTablesAndTheirIndexFilesWhateverTheirLetterCase) {
  qtemp.write("proft.dbf", "vieja");
  qtemp.write("Proft.mdx", "vieja");
  qtemp.write("ASIGNOMT.MDX", "vieja");
  qtemp.write("ASIGT.DBF", "vieja");
  qtemp.write("SOLUC.DBF", "soluci\xF3n");
  qtemp.write("notas.txt", "no se toca");
  const ExportSummary summary = exportDocument(school());

  std::vector<std::pair<std::string, size_t>> expected = {
      {"ASIGNOMT", 2}, {"PROFT", 1}, {"AULAT", 1}, {"GRUPOST", 1}, {"ASIGT", 2}, {"DIASHORAST", 2}};
  EXPECT_EQ(summary.rows, expected);
  auto after = snapshot(qtemp.path());
  Strings names;
  for (const auto& [name, bytes] : after)
    names.push_back(name);
  EXPECT_EQ(names, (Strings{"ASIGNOMT.DBF", "ASIGT.DBF", "AULAT.DBF", "DIASHORAST.DBF",
                            "GRUPOST.DBF", "PROFT.DBF", "SOLUC.DBF", "notas.txt"}));
  EXPECT_EQ(after["SOLUC.DBF"], "soluci\xF3n");
  EXPECT_EQ(after["notas.txt"], "no se toca");
  EXPECT_EQ(table("PROFT").cell(0, "NOMBRE"),
            "Pe\xF1"
            "a, Ana");
  EXPECT_EQ(table("ASIGT").column("CTAREA"), (Strings{"LE", "TUT"}));
}

TEST_F(ExportRunTest, ASecondRunRebuildsEveryTable) {
  exportDocument(school("Primera"));
  exportDocument(school("Segunda"));
  EXPECT_EQ(table("PROFT").column("NOMBRE"), (Strings{"Segunda"}));
  EXPECT_EQ(table("ASIGNOMT").column("COD"), (Strings{"TUT", "MAT1"}));
  exportDocument(interchange({}));
  for (const std::string& name : kTables)
    EXPECT_TRUE(table(name).rows.empty()) << name;
}

TEST_F(ExportRunTest, AMissingWorkingFolderIsAnErrorAndIsNotCreated) {
  auto doc = load(school());
  const std::string missing = qtemp.file("QTEMP");
  EXPECT_THROW_MSG(runExport(*doc, missing, [] { return std::string("08:00"); }),
                   "No existe la carpeta de trabajo '" + files::pathForMessage(missing) + "'");
  EXPECT_FALSE(files::isFolder(missing));
}

// An earlier export's tables, an index file and a file of the generator's,
// as the folder to keep unchanged.
class AllOrNothing : public ExportTest {
 protected:
  void SetUp() override {
    exportDocument(school());
    qtemp.write("PROFT.MDX", "\x01\x02 \xFF");
    qtemp.write("SOLUC.DBF", "soluci\xF3n");
    before = snapshot(qtemp.path());
  }
  std::map<std::string, std::string> before;
};

TEST_F(AllOrNothing, ARunNeverCommittedLeavesNoTrace) {
  auto doc = load(school("Otra"));
  {
    ExportRun run(*doc, qtemp.path());
    run.ExportarMaterias();
    run.ExportarProfesores();
    EXPECT_NE(snapshot(qtemp.path()), before);  // the staging folder is there meanwhile
  }
  EXPECT_EQ(snapshot(qtemp.path()), before);
}

TEST_F(AllOrNothing, CommitNeedsEverySixTables) {
  auto doc = load(school("Otra"));
  ExportRun run(*doc, qtemp.path());
  run.ExportarMaterias();
  run.ExportarProfesores();
  run.ExportarAulas();
  run.ExportarGrupos();
  run.ExportarAsignaturas();
  EXPECT_THROW_MSG(run.commit(),
                   "La exportaci\xF3n no est\xE1 completa: falta la tabla DIASHORAST");
  // A builder that fails does not count as built either.
  EXPECT_THROW(run.ExportarTramos([] { return std::string("x"); }), Error);
  EXPECT_THROW_MSG(run.commit(),
                   "La exportaci\xF3n no est\xE1 completa: falta la tabla DIASHORAST");
  run.ExportarTramos([] { return std::string("08:00"); });
  run.commit();
  EXPECT_EQ(table("PROFT").column("NOMBRE"), (Strings{"Otra"}));
  EXPECT_THROW_MSG(run.commit(), "La exportaci\xF3n ya se ha completado");
}

// The message of a record that lacks a position.
std::string lacking(const std::string& list, int number, int position, const std::string& held) {
  return "La lista " + list + ", registro " + std::to_string(number) +
         ", no tiene el valor de la posici\xF3n " + std::to_string(position) +
         ": el registro tiene " + held;
}

// Each document fails in another builder.
struct BuilderFailure {
  const char* title;
  std::string document;
  std::string message;
};

class FailingBuilder : public AllOrNothing, public ::testing::WithParamInterface<BuilderFailure> {};

TEST_P(FailingBuilder, LeavesEveryFileUnchanged) {
  EXPECT_THROW_MSG(exportDocument(GetParam().document), GetParam().message);
  EXPECT_EQ(snapshot(qtemp.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailingBuilder,
    ::testing::Values(
        BuilderFailure{"MinutesNotANumberInAsignaturas",
                       interchange({list("MATERIAS", {record({"M", "C", "L", "N"})}),
                                    list("ASIGNATURAS", {record({"A", "G", "AU", "M", "ESO", "1",
                                                                 "A", "1.5", "MAT"})})}),
                       "'1.5' no es un valor entero v\xE1lido"},
        // A record kept by the two-value rule that lacks a position its
        // builder reads: Record's message, naming list, record and position.
        BuilderFailure{"MateriasRecordOfThreeValues",
                       interchange({list("MATERIAS", {record({"M", "C", "L", "N"}),
                                                      record({"M2", "C2", "L2"})})}),
                       lacking("MATERIAS", 2, 3, "3 valores, en las posiciones 0 a 2")},
        BuilderFailure{"ProfesoresRecordOfThreeValues",
                       interchange({list("PROFESORES", {record({"E1", "2020", "Nombre"})})}),
                       lacking("PROFESORES", 1, 3, "3 valores, en las posiciones 0 a 2")},
        BuilderFailure{"AulasRecordOfTwoValues",
                       interchange({list("AULAS", {record({"D1", "A1"})})}),
                       lacking("AULAS", 1, 2, "2 valores, en las posiciones 0 a 1")},
        BuilderFailure{"GruposRecordOfFiveValues",
                       interchange({list("GRUPOS", {record({"U", "A", "M", "ESO", "1"})})}),
                       lacking("GRUPOS", 1, 5, "5 valores, en las posiciones 0 a 4")},
        BuilderFailure{"AsignaturasRecordOfEightValues",
                       interchange({list("ASIGNATURAS",
                                         {record({"A", "G", "AU", "M", "ESO", "1", "A", "60"})})}),
                       lacking("ASIGNATURAS", 1, 8, "8 valores, en las posiciones 0 a 7")},
        BuilderFailure{"TramosRecordOfTwoValues",
                       interchange({list("TRAMOS", {tramo("L1", "55"),
                                                    rawRecord({salida("CODIGO_SCOLVIA", "C"),
                                                               salida("NOMBRE", "L2")})})}),
                       lacking("TRAMOS", 2, 2, "2 valores, en las posiciones 0 a 1")},
        BuilderFailure{"TramosRecordOfOneValue", interchange({list("TRAMOS", {record({"L1"})})}),
                       lacking("TRAMOS", 1, 1, "1 valor, en la posici\xF3n 0")},
        BuilderFailure{"LastBuilder",
                       interchange({list("MATERIAS", {record({"M", "C", "L", "N"})}),
                                    list("TRAMOS", {tramo("L1", "55"), tramo("L3", "55")})}),
                       "'' no es un valor entero v\xE1lido"}),
    [](const ::testing::TestParamInfo<BuilderFailure>& p) { return std::string(p.param.title); });

TEST_F(AllOrNothing, AFailureAtCommitPutsBackWhatWasMoved) {
  // Something that is no table file stands where DIASHORAST.DBF goes: the five
  // tables before it are moved in, then the last move fails.
  files::removeQuietly(qtemp.file("DIASHORAST.DBF"));
  files::makeUniqueFolder(qtemp.path(), "x");  // an unrelated folder, kept as it is
  const std::string blocker = qtemp.file("DIASHORAST.DBF");
  ASSERT_TRUE(
      std::rename(files::makeUniqueFolder(qtemp.path(), "bloqueo").c_str(), blocker.c_str()) == 0);
  qtemp.write("DIASHORAST.DBF/dentro.txt", "dentro");
  before = snapshot(qtemp.path());

  EXPECT_THROW_HAS(exportDocument(school("Otra")),
                   "No se puede sustituir la tabla DIASHORAST en '" +
                       files::pathForMessage(qtemp.path()) + "' (");
  EXPECT_EQ(snapshot(qtemp.path()), before);
  EXPECT_THROW_HAS(exportDocument(school("Otra")), "la carpeta de trabajo queda como estaba");
  EXPECT_EQ(table("PROFT").column("NOMBRE"), (Strings{"Pe\xF1"
                                                      "a, Ana"}));
}

}  // namespace
}  // namespace tts::testing
