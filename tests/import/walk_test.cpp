// The solution walk over real tables on disk: teacher and activity lists,
// their numbering, the day-0 rule, the teacher filter, and the values of the
// result document.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "tests/import/import_fixture.h"

namespace tts::testing {
namespace {

using Lines = std::vector<std::string>;

const std::string kError = "ERROR 0|Servicio finalizado Correctamente";

// Tables in which every code of the class below resolves.
School resolvingSchool() {
  School s;
  s.asignomt = {{"MAT", "M001"}, {"GUA", "G101"}};
  s.diashorast = {{"11", "1", "T11"}, {"13", "1", "T13"}, {"21", "2", "T21"}};
  s.aulat = {{"A1", "D1"}, {"A2", "D2"}};
  s.grupost = {{"1A", "U1A"}, {"1B", "U1B"}};
  s.asigt = {{"MAT", "1A", "ESO", "1", "M001"}};
  return s;
}

SolucRow classOf(const std::string& prof, int dia, int hora) {
  return SolucRow{prof, dia, hora, "", "A1", "1A", "MAT", "ESO", "1"};
}

class ImportWalk : public ::testing::TestWithParam<Strategy>, public ImportFixture {};

TEST_P(ImportWalk, WritesEveryValueOfAClassUnderItsName) {
  School s = resolvingSchool();
  s.proft = {{"E1", "01/09/2020", "GAR"}};
  s.soluc = {SolucRow{"GAR", 1, 3, "GUA", "A2", "1B", "MAT", "ESO", "1"}};
  EXPECT_EQ(run(s, GetParam().make, true),
            (Lines{"ERROR CN_ERROR=0|TE_ERROR=Servicio finalizado Correctamente",
                   "EMPLEADO_1 X_EMPLEADO=E1|F_TOMAPOS=01/09/2020",
                   "ACTIVIDAD_1 X_ACTIVIDAD=G101|N_DIASEMANA=1|X_TRAMO=T13|X_DEPCENTRO=D2|"
                   "X_UNIDAD=U1B|X_MATERIAOMC=M001"}));
  EXPECT_EQ(summary.resultFile, resultPath);
  EXPECT_EQ(summary.teachers, 1u);
  EXPECT_EQ(summary.activities, 1u);
  EXPECT_EQ(summary.slotsNotFound + summary.roomsNotFound + summary.groupsNotFound +
                summary.subjectsNotFound,
            0u);
  EXPECT_EQ(docs.read("horario.xml"), document) << "the chosen file is only read";
}

TEST_P(ImportWalk, EmptyProftGivesOnlyTheErrorElementAndReadsNoSolucRow) {
  School s = resolvingSchool();
  s.write(qtemp.path());
  // A SOLUC row whose DIA is no number would stop any walk that read it.
  writeTable(qtemp.path(), "SOLUC",
             {{"PROF", dbase::FieldType::String, 10},
              {"DIA", dbase::FieldType::String, 3},
              {"HORA", dbase::FieldType::Integer, 0},
              {"TAREA", dbase::FieldType::String, 10},
              {"AULA", dbase::FieldType::String, 10},
              {"CODGRUPO", dbase::FieldType::String, 10},
              {"ASIG", dbase::FieldType::String, 10},
              {"NIVEL", dbase::FieldType::String, 5},
              {"CURSO", dbase::FieldType::String, 3}},
             {{"GAR", "x", "1"}});
  docs.write("horario.xml", document);
  summary = import(GetParam().make);
  EXPECT_EQ(resultLines(resultPath), Lines{kError});
  EXPECT_EQ(summary.teachers, 0u);
  EXPECT_EQ(summary.activities, 0u);
}

TEST_P(ImportWalk, NumbersTeachersAcrossTheDocumentAndActivitiesPerTeacherWithoutGaps) {
  School s = resolvingSchool();
  s.proft = {{"E1", "F1", "GAR"},  // classes, one of them unplaced
             {"E2", "F2", "NAD"},  // no SOLUC row
             {"E3", "F3", "CER"},  // only an unplaced class
             {"E4", "F4", "GAR"},  // the same abbreviation again
             {"E5", "F5", "LUZ"}};
  s.soluc = {classOf("GAR", 1, 1), classOf("LUZ", 2, 1), classOf("GAR", 0, 3),
             classOf("CER", 0, 1), classOf("GAR", 1, 3), classOf("XXX", 1, 1),
             classOf("LUZ", 0, 3), classOf("LUZ", 1, 3)};
  const std::string rest = "|D1|U1A|M001";
  EXPECT_EQ(run(s, GetParam().make),
            (Lines{kError, "EMPLEADO_1 E1|F1", "ACTIVIDAD_1 G439|1|T11" + rest,
                   "ACTIVIDAD_2 G439|1|T13" + rest, "EMPLEADO_2 E2|F2", "EMPLEADO_3 E3|F3",
                   "EMPLEADO_4 E4|F4", "ACTIVIDAD_1 G439|1|T11" + rest,
                   "ACTIVIDAD_2 G439|1|T13" + rest, "EMPLEADO_5 E5|F5",
                   "ACTIVIDAD_1 G439|2|T21" + rest, "ACTIVIDAD_2 G439|1|T13" + rest}));
  EXPECT_EQ(summary.teachers, 5u);
  EXPECT_EQ(summary.activities, 6u);
}

TEST_P(ImportWalk, CountsTheLookupsThatFoundNothing) {
  School s = resolvingSchool();
  s.proft = {{"E1", "F1", "GAR"}};
  s.soluc = {classOf("GAR", 1, 1),
             SolucRow{"GAR", 9, 1, "", "A1", "1A", "MAT", "ESO", "1"},   // no slot
             SolucRow{"GAR", 1, 1, "", "Z9", "1A", "MAT", "ESO", "1"},   // no room
             SolucRow{"GAR", 1, 1, "", "A1", "9Z", "FIS", "ESO", "1"},   // no group, no subject
             SolucRow{"GAR", 0, 1, "", "Z9", "9Z", "FIS", "ESO", "1"}};  // unplaced: not counted
  run(s, GetParam().make);
  EXPECT_EQ(summary.activities, 4u);
  EXPECT_EQ(summary.slotsNotFound, 1u);
  EXPECT_EQ(summary.roomsNotFound, 1u);
  EXPECT_EQ(summary.groupsNotFound, 1u);
  EXPECT_EQ(summary.subjectsNotFound, 1u);
}

TEST_P(ImportWalk, FiltersAbbreviationsWithSingleQuotesExactly) {
  School s = resolvingSchool();
  s.proft = {{"E1", "F1", "O'NE"}, {"E2", "F2", "O"}, {"E3", "F3", "O''NE"}, {"E4", "F4", "'"}};
  s.soluc = {classOf("O'NE", 1, 1), classOf("O", 1, 3), classOf("O''NE", 2, 1), classOf("'", 1, 3),
             classOf("ONE", 2, 1)};
  const std::string rest = "|D1|U1A|M001";
  EXPECT_EQ(
      run(s, GetParam().make),
      (Lines{kError, "EMPLEADO_1 E1|F1", "ACTIVIDAD_1 G439|1|T11" + rest, "EMPLEADO_2 E2|F2",
             "ACTIVIDAD_1 G439|1|T13" + rest, "EMPLEADO_3 E3|F3", "ACTIVIDAD_1 G439|2|T21" + rest,
             "EMPLEADO_4 E4|F4", "ACTIVIDAD_1 G439|1|T13" + rest}));
}

TEST_P(ImportWalk, MarkupCharactersAreSavedEscapedAndReadBackUnchanged) {
  School s = resolvingSchool();
  s.proft = {{"A&B<C>", "1&2", "GAR"}};
  s.asignomt = {{"GUA", "G<&>1"}};
  s.soluc = {SolucRow{"GAR", 1, 1, "GUA", "A1", "1A", "MAT", "ESO", "1"}};
  EXPECT_EQ(run(s, GetParam().make),
            (Lines{kError, "EMPLEADO_1 A&B<C>|1&2", "ACTIVIDAD_1 G<&>1|1|T11|D1|U1A|M001"}));
  const std::string saved = docs.read("ResultadoTempaxhorario.xml");
  EXPECT_NE(saved.find("A&amp;B&lt;C"), std::string::npos) << saved;
  EXPECT_NE(saved.find("G&lt;&amp;"), std::string::npos) << saved;
}

TEST_P(ImportWalk, WritesTableTextUntrimmed) {
  School s = resolvingSchool();
  s.proft = {{" E1", "F1", "GAR"}};
  s.soluc = {SolucRow{"GAR", 1, 1, " LE", "A1", "1A", "MAT", "ESO", "1"}};
  run(s, GetParam().make);
  // Read back through the Windows component, text comes trimmed; the file
  // itself must hold the blanks.
  const std::string saved = docs.read("ResultadoTempaxhorario.xml");
  EXPECT_NE(saved.find("\"X_EMPLEADO\"> E1<"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\"X_ACTIVIDAD\"> LE<"), std::string::npos) << saved;
}

TEST_P(ImportWalk, DeletedRecordsAreNotSeen) {
  School s = resolvingSchool();
  s.proft = {{"E1", "F1", "GAR"}, {"E2", "F2", "LUZ"}};
  s.asignomt = {{"GUA", "G101"}, {"GUA", "G202"}};
  s.soluc = {SolucRow{"GAR", 1, 1, "GUA", "A1", "1A", "MAT", "ESO", "1"}, classOf("GAR", 1, 3),
             classOf("GAR", 2, 1)};
  s.write(qtemp.path());
  markDeleted(tableFile(qtemp.path(), "SOLUC"), 1);
  markDeleted(tableFile(qtemp.path(), "PROFT"), 1);
  markDeleted(tableFile(qtemp.path(), "ASIGNOMT"), 0);
  docs.write("horario.xml", document);
  summary = import(GetParam().make);
  EXPECT_EQ(resultLines(resultPath),
            (Lines{kError, "EMPLEADO_1 E1|F1", "ACTIVIDAD_1 G202|1|T11|D1|U1A|M001",
                   "ACTIVIDAD_2 G439|2|T21|D1|U1A|M001"}));
}

INSTANTIATE_TEST_SUITE_P(Lookups, ImportWalk, ::testing::ValuesIn(kStrategies),
                         [](const auto& tp) { return std::string(tp.param.name); });

// The result keeps the encoding the chosen document declares.
struct EncodingCase {
  const char* name;
  const char* declaration;
  const char* savedName;  // "Muñoz" as the saved file must hold it
};

class ImportEncoding : public ::testing::TestWithParam<EncodingCase>, public ImportFixture {};

TEST_P(ImportEncoding, TableTextIsSavedInTheDocumentsEncoding) {
  School s = resolvingSchool();
  s.proft = {{"Muñoz", "F1", "MUÑ"}};
  s.soluc = {classOf("MUÑ", 1, 1)};
  document = std::string("<?xml version=\"1.0\" encoding=\"") + GetParam().declaration +
             "\"?>\n<SERVICIO><SALIDAS/></SERVICIO>\n";
  EXPECT_EQ(run(s, makeIndexedLookups),
            (Lines{kError, "EMPLEADO_1 Muñoz|F1", "ACTIVIDAD_1 G439|1|T11|D1|U1A|M001"}));
  const std::string saved = docs.read("ResultadoTempaxhorario.xml");
  EXPECT_NE(saved.find(GetParam().declaration), std::string::npos) << saved;
  EXPECT_NE(saved.find(GetParam().savedName), std::string::npos) << saved;
}

INSTANTIATE_TEST_SUITE_P(Declared, ImportEncoding,
                         ::testing::Values(EncodingCase{"Utf8", "UTF-8", "Mu\xC3\xB1oz"},
                                           EncodingCase{"Latin1", "ISO-8859-1", "Mu\xF1oz"}),
                         [](const auto& tp) { return std::string(tp.param.name); });

}  // namespace
}  // namespace tts::testing
