// The five list builders on real tables: ASIGNOMT, PROFT, AULAT, GRUPOST and
// ASIGT, each written by a whole export and read back from the working folder.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/export/export_fixture.h"

namespace tts::testing {
namespace {

using Strings = std::vector<std::string>;

struct Field {
  std::string name;
  char type;
  int width;
  int decimals;
};

void expectLayout(const TableContents& contents, const std::vector<Field>& expected) {
  ASSERT_EQ(contents.fields.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(contents.fields[i].name, expected[i].name) << i;
    EXPECT_EQ(contents.fields[i].type, expected[i].type) << expected[i].name;
    EXPECT_EQ(contents.fields[i].width, expected[i].width) << expected[i].name;
    EXPECT_EQ(contents.fields[i].decimals, expected[i].decimals) << expected[i].name;
  }
}

using EmptyDocument = ExportTest;

TEST_F(EmptyDocument, SixTablesWithTheirFieldsInOrderAndNoRows) {
  exportDocument(interchange({}));
  expectLayout(table("ASIGNOMT"), {{"COD", 'C', 10, 0},
                                   {"CODLARGO", 'C', 10, 0},
                                   {"NOMBRE", 'C', 80, 0},
                                   {"MATERIA", 'C', 12, 0},
                                   {"ESTAREA", 'L', 1, 0}});
  expectLayout(table("PROFT"), {{"ABREV", 'C', 10, 0},
                                {"NOMBRE", 'C', 80, 0},
                                {"DEPART", 'C', 40, 0},
                                {"DNI", 'N', 11, 0},
                                {"X_EMPLEADO", 'C', 12, 0},
                                {"F_TOMAPOS", 'C', 10, 0}});
  expectLayout(table("AULAT"), {{"ABREV", 'C', 10, 0},
                                {"NOMBRE", 'C', 80, 0},
                                {"EDIFICIO", 'C', 1, 0},
                                {"MAXALUM", 'N', 11, 0},
                                {"DEPCENTRO", 'C', 10, 0}});
  expectLayout(table("GRUPOST"), {{"ABREV", 'C', 10, 0},
                                  {"TURNO", 'C', 1, 0},
                                  {"NIVEL", 'C', 5, 0},
                                  {"CURSO", 'C', 3, 0},
                                  {"GRUPO", 'C', 2, 0},
                                  {"UNIDAD", 'C', 12, 0},
                                  {"DESCRIP", 'C', 80, 0},
                                  {"MARCO", 'C', 1, 0}});
  expectLayout(table("ASIGT"), {{"CASIG", 'C', 10, 0},
                                {"CPROF", 'C', 10, 0},
                                {"CGRUP", 'C', 10, 0},
                                {"CAULA", 'C', 10, 0},
                                {"TURNO", 'C', 1, 0},
                                {"NIVEL", 'C', 5, 0},
                                {"CURSO", 'C', 3, 0},
                                {"GRUPO", 'C', 2, 0},
                                {"HORAS", 'N', 20, 4},
                                {"SESIONES", 'C', 20, 0},
                                {"NCONEX", 'C', 4, 0},
                                {"MATERIA", 'C', 12, 0},
                                {"CTAREA", 'C', 10, 0}});
  expectLayout(table("DIASHORAST"), {{"DIHO", 'C', 10, 0},
                                     {"CODDIHO", 'C', 10, 0},
                                     {"DIA", 'C', 20, 0},
                                     {"TEXTODIA", 'C', 20, 0},
                                     {"HORA", 'C', 8, 0},
                                     {"TEXTOHOR", 'C', 15, 0},
                                     {"HORADESDE", 'C', 8, 0},
                                     {"HORAHASTA", 'C', 8, 0},
                                     {"MINUTOS", 'C', 8, 0},
                                     {"MARCO", 'C', 1, 0},
                                     {"MARCOXML", 'C', 10, 0}});
  for (const char* name : {"ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "ASIGT", "DIASHORAST"}) {
    EXPECT_TRUE(table(name).rows.empty()) << name;
  }
}

TEST_F(EmptyDocument, ListsOutsideServicioOrWithOtherLetterCaseGiveNoRows) {
  exportDocument("<?xml version=\"1.0\"?><OTRO><SALIDAS>" +
                 list("MATERIAS", {record({"M", "C", "L", "N"})}) + "</SALIDAS></OTRO>");
  EXPECT_TRUE(table("ASIGNOMT").rows.empty());
  exportDocument(interchange({list("materias", {record({"M", "C", "L", "N"})})}));
  EXPECT_TRUE(table("ASIGNOMT").rows.empty());
}

using Materias = ExportTest;

TEST_F(Materias, FieldsComeFromTheirPositionsAndEstareaFromACapitalG) {
  exportDocument(interchange({list(
      "MATERIAS", {record({"GTUT", "TUT", "TUTORIA",
                           "Tutor\xED"
                           "a"}),
                   record({"gtut", "TUT2", "L2", "N2"}), record({"MATG", "MG", "L3", "N3"}),
                   record({"", "VACIA", "L4", "N4"}),
                   record({"  MAT1 ", "\n\t  M1  \n", " LARGO ", " Matem\xE1ticas  de  1\xBA "}),
                   record({"SOLO"})})}));
  const TableContents t = table("ASIGNOMT");
  ASSERT_EQ(t.rows.size(), 5u);
  EXPECT_EQ(t.rows[0], (Strings{"TUT", "TUTORIA",
                                "Tutor\xED"
                                "a",
                                "GTUT", "T"}));
  EXPECT_EQ(t.column("ESTAREA"), (Strings{"T", "F", "F", "F", "F"}));
  // Ends trimmed, blanks inside kept, accents as the system's text.
  EXPECT_EQ(t.rows[4], (Strings{"M1", "LARGO", "Matem\xE1ticas  de  1\xBA", "MAT1", "F"}));
}

TEST_F(Materias, TheFirstRecordOfEachCodeWinsWhateverItsLetterCase) {
  exportDocument(interchange({list(
      "MATERIAS",
      {record({"M1", "lengua", "L1", "Lengua"}), record({"M2", "LENGUA", "L2", "Otra"}),
       record({"M3", "Espa\xF1ol", "L3", "Espa\xF1ol"}), record({"M4", "ESPA\xD1OL", "L4", "X"}),
       record({"M5", "", "L5",
               "Sin c\xF3"
               "digo"}),
       record({"M6", "", "L6", "Otra sin"}), record({"M7", "MATEMATICAS1", "L7", "Uno"}),
       record({"M8", "MATEMATICAS2", "L8", "Dos"}), record({"M9", "\xC1LGEBRA", "L9", "Con tilde"}),
       record({"M10", "ALGEBRA", "L10", "Sin"}),
       record({"M11", "  lengua  ", "L11", "Repetida con blancos"})})}));
  const TableContents t = table("ASIGNOMT");
  EXPECT_EQ(t.column("COD"), (Strings{"lengua", "Espa\xF1ol", "", "MATEMATICA", "MATEMATICA",
                                      "\xC1LGEBRA", "ALGEBRA"}));
  EXPECT_EQ(t.column("MATERIA"), (Strings{"M1", "M3", "M5", "M7", "M8", "M9", "M10"}));
  EXPECT_EQ(t.column("NOMBRE"), (Strings{"Lengua", "Espa\xF1ol",
                                         "Sin c\xF3"
                                         "digo",
                                         "Uno", "Dos", "Con tilde", "Sin"}));
}

using Profesores = ExportTest;

TEST_F(Profesores, AbrevFromTheFourthValueAndDuplicatesKept) {
  const std::string teacher = record({"E001", "2020-09-01",
                                      "Pe\xF1"
                                      "a G\xF3mez, Ana",
                                      "APG"});
  exportDocument(interchange({list("PROFESORES", {teacher, record({"E9"}), teacher})}));
  const TableContents t = table("PROFT");
  ASSERT_EQ(t.rows.size(), 2u);
  const Strings expected = {"APG",
                            "Pe\xF1"
                            "a G\xF3mez, Ana",
                            "",
                            "",
                            "E001",
                            "2020-09-01"};
  EXPECT_EQ(t.rows[0], expected);
  EXPECT_EQ(t.rows[1], expected);
}

using Aulas = ExportTest;

TEST_F(Aulas, EmptyAbrevTakesTheFirstValueAndEdificioKeepsOneCharacter) {
  exportDocument(interchange({list(
      "AULAS", {record({"DEP1", "A1", "Aula 1", "B"}), record({"DEP2", "   ", "Aula 2", "Norte"}),
                record({"", "",
                        "Sin c\xF3"
                        "digos",
                        ""})})}));
  const TableContents t = table("AULAT");
  ASSERT_EQ(t.rows.size(), 3u);
  EXPECT_EQ(t.rows[0], (Strings{"A1", "Aula 1", "B", "", "DEP1"}));
  EXPECT_EQ(t.rows[1], (Strings{"DEP2", "Aula 2", "N", "", "DEP2"}));
  EXPECT_EQ(t.rows[2], (Strings{"",
                                "Sin c\xF3"
                                "digos",
                                "", "", ""}));
}

using Grupos = ExportTest;

TEST_F(Grupos, NivelDescripAndMarco) {
  const std::string longGroup(90, 'g');
  exportDocument(interchange({list("GRUPOS", {record({"U1", "1A", "M", "ESO", "1", "A"}),
                                              record({"U2", "2B", "T", "", "2", "B"}),
                                              record({"U3", "3C",
                                                      "Ma\xF1"
                                                      "ana",
                                                      "BACH", "", "C"}),
                                              record({"U4", "4D", "N", "FP", "4", longGroup})})}));
  const TableContents t = table("GRUPOST");
  ASSERT_EQ(t.rows.size(), 4u);
  EXPECT_EQ(t.rows[0], (Strings{"1A", "M", "ESO", "1", "A", "U1", "M ESO 1 A", "0"}));
  EXPECT_EQ(t.rows[1], (Strings{"2B", "T", "NIV", "2", "B", "U2", "T NIV 2 B", "0"}));
  // The whole TURNO in DESCRIP, the first character in TURNO; an empty CURSO
  // keeps both blanks.
  EXPECT_EQ(t.rows[2], (Strings{"3C", "M", "BACH", "", "C", "U3",
                                "Ma\xF1"
                                "ana BACH  C",
                                "0"}));
  EXPECT_EQ(t.cell(3, "GRUPO"), "gg");
  EXPECT_EQ(t.cell(3, "DESCRIP"), ("N FP 4 " + longGroup).substr(0, 80));
}

using Asignaturas = ExportTest;

// A teaching assignment with these minutes and MATERIA.
std::string assignment(const std::string& minutes, const std::string& materia = "MAT") {
  return record({"CA", "CG", "CAU", "M", "ESO", "1", "A", minutes, materia});
}

TEST_F(Asignaturas, HorasAndSesionesFromTheMinutes) {
  struct Case {
    const char* minutes;
    double hours;
    std::string sessions;
  };
  const std::string thirteen(13, '1');
  const Case cases[] = {
      {"60", 1.0, "1"},
      {"61", 61.0 / 60, "11"},
      {"0", 1.0, "1"},
      {"-5", 1.0, "1"},
      {"", 1.0, "1"},
      {"780", 13.0, thirteen},
      {"781", 781.0 / 60, "1" + thirteen},
      {"840", 14.0, "1" + thirteen},
      {"900", 15.0, "2" + thirteen},
      {"1800", 30.0, "17" + thirteen},
      {"$3C", 1.0, "1"},  // the system's conversion reads hexadecimal too
      {"2147483647", 2147483647.0 / 60, ("35791382" + thirteen).substr(0, 20)},
  };
  std::vector<std::string> records;
  for (const Case& c : cases)
    records.push_back(assignment(c.minutes));
  exportDocument(interchange({list("ASIGNATURAS", records)}));
  const TableContents t = table("ASIGT");
  ASSERT_EQ(t.rows.size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(std::string("minutes '") + cases[i].minutes + "'");
    // The table keeps four decimals.
    EXPECT_NEAR(std::stod(t.cell(i, "HORAS")), cases[i].hours, 0.00005);
    EXPECT_EQ(t.cell(i, "SESIONES"), cases[i].sessions);
  }
}

TEST_F(Asignaturas, FieldsFromTheirPositionsAndEmptyNivelGivesNiv) {
  exportDocument(interchange({list("ASIGNATURAS", {record({" MAT1 ", "1A", "AU1",
                                                           "Ma\xF1"
                                                           "ana",
                                                           "", "1", "A", "120", "MAT"}),
                                                   record({"solo"})})}));
  const TableContents t = table("ASIGT");
  ASSERT_EQ(t.rows.size(), 1u);
  EXPECT_EQ(t.rows[0],
            (Strings{"MAT1", "", "1A", "AU1", "M", "NIV", "1", "A", "2", "11", "", "MAT", "LE"}));
}

TEST_F(Asignaturas, TaskCodesFromThisRunsSubjectsTable) {
  exportDocument(interchange(
      {list("MATERIAS",
            {record({"GTUT", "TUT1", "L",
                     "Tutor\xED"
                     "a"}),
             record({"GTUT", "TUT2", "L", "Otra"}), record({"GREL", "REL", "L", "Religi\xF3n"}),
             record({"GDUP", "tut1", "L", "Dup"}), record({"GLARGUISIMA", "LAR", "L", "Larga"}),
             record({"GLARGUISIMA99", "LAR99", "L", "Larga de 13"})}),
       list("ASIGNATURAS",
            {assignment("60", "GTUT"), assignment("60", "GREL"), assignment("60", "gtut"),
             assignment("60", "Gtut"), assignment("60", "GDUP"), assignment("60", "GNOESTA123"),
             assignment("60", "GLARGUISIMA"), assignment("60", "GLARGUISIMA99"),
             assignment("60", "MAT"), assignment("60", "")})}));
  const TableContents t = table("ASIGT");
  EXPECT_EQ(t.column("CTAREA"),
            (Strings{"TUT1",        // first of two rows with MATERIA GTUT
                     "REL", "LE",   // not a capital G: LE whatever ASIGNOMT holds
                     "Gtut",        // case-sensitive match: the value itself
                     "GDUP",        // its ASIGNOMT row was a duplicate code, never written
                     "GNOESTA123",  // not found: the value, cut to ten
                     "LAR",
                     "GLARGUISIM",  // ASIGNOMT holds thirteen characters cut to twelve
                     "LE", "LE"}));
  EXPECT_EQ(t.cell(7, "MATERIA"), "GLARGUISIMA9");
}

}  // namespace
}  // namespace tts::testing
