// ExportarTramos on real tables: the two passes over TRAMOS, the derived start
// times, the start-time dialog, and the records that end the export.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/export/export_fixture.h"

namespace tts::testing {
namespace {

using Strings = std::vector<std::string>;

const char* const kEmptyNumber = "'' no es un valor entero v\xE1lido";

std::string tramos(const std::vector<std::string>& records) {
  return interchange({list("TRAMOS", records)});
}

// Ten Monday hours of 60 minutes from L1 to L10.
std::vector<std::string> tenMondayHours() {
  std::vector<std::string> records;
  for (int hour = 1; hour <= 10; ++hour)
    records.push_back(tramo("L" + std::to_string(hour), "60"));
  return records;
}

using Tramos = ExportTest;

TEST_F(Tramos, WorkedExampleGivesEveryColumn) {
  exportDocument(
      tramos({tramo("L1", "55", "T-L1"), tramo("L2", "55", "T-L2"), tramo("L3", "30", "T-L3"),
              tramo("M2", "50", "T-M2"), tramo("V3", "45", "T-V3")}));
  const TableContents t = table("DIASHORAST");
  ASSERT_EQ(t.rows.size(), 5u);
  // DIHO, CODDIHO, DIA, TEXTODIA, HORA, TEXTOHOR, HORADESDE, HORAHASTA,
  // MINUTOS, MARCO, MARCOXML; the document's INICIO and FIN never reach it.
  EXPECT_EQ(t.rows[0], (Strings{"11", "T-L1", "1", "", "1", "1-08:00-08:55", "08:00", "08:55", "55",
                                "0", ""}));
  EXPECT_EQ(t.rows[1], (Strings{"12", "T-L2", "1", "", "2", "2-08:55-09:50", "08:55", "09:50", "55",
                                "0", ""}));
  EXPECT_EQ(t.rows[2], (Strings{"13", "T-L3", "1", "", "3", "3-09:50-10:20", "09:50", "10:20", "30",
                                "0", ""}));
  EXPECT_EQ(t.rows[3], (Strings{"22", "T-M2", "2", "", "2", "2-08:55-09:45", "08:55", "09:45", "50",
                                "0", ""}));
  EXPECT_EQ(t.rows[4], (Strings{"53", "T-V3", "5", "", "3", "3-09:50-10:35", "09:50", "10:35", "45",
                                "0", ""}));
}

struct RowCase {
  const char* title;
  std::string start;
  std::vector<std::string> records;
  size_t row;       // the row checked
  Strings columns;  // DIHO, DIA, HORA, TEXTOHOR, HORADESDE, HORAHASTA, CODDIHO
};

class TramosRow : public ExportTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(TramosRow, Columns) {
  const RowCase& c = GetParam();
  exportDocument(tramos(c.records), c.start);
  const TableContents t = table("DIASHORAST");
  ASSERT_GT(t.rows.size(), c.row);
  EXPECT_EQ((Strings{t.cell(c.row, "DIHO"), t.cell(c.row, "DIA"), t.cell(c.row, "HORA"),
                     t.cell(c.row, "TEXTOHOR"), t.cell(c.row, "HORADESDE"),
                     t.cell(c.row, "HORAHASTA"), t.cell(c.row, "CODDIHO")}),
            c.columns);
}

std::vector<std::string> withJ10() {
  std::vector<std::string> records = tenMondayHours();
  records.push_back(tramo("J10", "40", "J10"));
  return records;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TramosRow,
    ::testing::Values(RowCase{"HoursDoNotWrapAt24",
                              "23:30",
                              {tramo("L1", "45"), tramo("L2", "45")},
                              1,
                              {"12", "1", "2", "2-24:15-25:00", "24:15", "25:00", ""}},
                      // The edit's text without its optional digit: kept, blank included, for
                      // hour 1; later hours are derived with two digits.
                      RowCase{"StartWithALeadingBlank",
                              " 8:00",
                              {tramo("L1", "55"), tramo("L2", "55")},
                              0,
                              {"11", "1", "1", "1- 8:00-08:55", " 8:00", "08:55", ""}},
                      RowCase{"DerivedAfterALeadingBlank",
                              " 8:00",
                              {tramo("L1", "55"), tramo("L2", "55")},
                              1,
                              {"12", "1", "2", "2-08:55-09:50", "08:55", "09:50", ""}},
                      RowCase{"LeadingZeroHourStaysAsWritten",
                              "08:00",
                              {tramo("L01", "55", "S01")},
                              0,
                              {"101", "1", "01", "01-08:00-08:55", "08:00", "08:55", "S01"}},
                      RowCase{"TwoDigitHours",
                              "08:00",
                              withJ10(),
                              10,
                              {"410", "4", "10", "10-17:00-17:40", "17:00", "17:40", "J10"}},
                      // A lower-case l is no Monday: its 100 minutes do not move hour 2.
                      RowCase{"LowerCaseL",
                              "08:00",
                              {tramo("L1", "55"), tramo("l1", "100"), tramo("L2", "50")},
                              1,
                              {"l1", "l", "1", "1-08:00-09:40", "08:00", "09:40", ""}},
                      RowCase{"LowerCaseLDoesNotCountForTheDerivation",
                              "08:00",
                              {tramo("L1", "55"), tramo("l1", "100"), tramo("L2", "50")},
                              2,
                              {"12", "1", "2", "2-08:55-09:45", "08:55", "09:45", ""}},
                      // Two Monday records of one hour: the later one's minutes derive hour 2,
                      // and each keeps its own row and end.
                      RowCase{"LaterMondayRecordOfAnHourCounts",
                              "08:00",
                              {tramo("L1", "55"), tramo("L1", "45"), tramo("L2", "30")},
                              2,
                              {"12", "1", "2", "2-08:45-09:15", "08:45", "09:15", ""}},
                      RowCase{"EarlierMondayRecordKeepsItsRow",
                              "08:00",
                              {tramo("L1", "55"), tramo("L1", "45"), tramo("L2", "30")},
                              0,
                              {"11", "1", "1", "1-08:00-08:55", "08:00", "08:55", ""}},
                      // NOMBRE and DIA both set the slot code: the later value wins.
                      RowCase{"DiaAfterNombreWins",
                              "08:00",
                              {rawRecord({salida("CODIGO_SCOLVIA", "C1"), salida("NOMBRE", "L1"),
                                          salida("MINUTOS", "55"), salida("DIA", "M1")})},
                              0,
                              {"21", "2", "1", "1-08:00-08:55", "08:00", "08:55", "C1"}},
                      RowCase{"NombreAfterDiaWins",
                              "08:00",
                              {rawRecord({salida("CODIGO_SCOLVIA", "C2"), salida("DIA", "X1"),
                                          salida("MINUTOS", "40"), salida("NOMBRE", "J1")})},
                              0,
                              {"41", "4", "1", "1-08:00-08:40", "08:00", "08:40", "C2"}},
                      // Values without a name and with other names are passed over; no
                      // CODIGO_SCOLVIA leaves CODDIHO empty.
                      RowCase{"UnnamedAndUnknownValuesIgnored",
                              "08:00",
                              {rawRecord({salida("OTRO", "X"), salida("NOMBRE", "L1"),
                                          salida("MINUTOS", "55"), salida("M3"),
                                          salida("nombre", "V2"), salida(" DIA", "V2")})},
                              0,
                              {"11", "1", "1", "1-08:00-08:55", "08:00", "08:55", ""}},
                      RowCase{"CodeCharactersAfterTheThirdIgnored",
                              "08:00",
                              {tramo("L01 extra", "55")},
                              0,
                              {"101", "1", "01", "01-08:00-08:55", "08:00", "08:55", ""}}),
    [](const ::testing::TestParamInfo<RowCase>& p) { return std::string(p.param.title); });

TEST_F(Tramos, TheDialogIsAskedAgainWhileTheTimeIsOutOfRange) {
  auto doc = load(tramos({tramo("L1", "55")}));
  Strings answers = {"24:00", "12:60", "09:05"};
  size_t asked = 0;
  runExport(*doc, qtemp.path(), [&] { return answers.at(asked++); });
  EXPECT_EQ(asked, 3u);
  EXPECT_EQ(table("DIASHORAST").cell(0, "TEXTOHOR"), "1-09:05-10:00");
}

TEST_F(Tramos, AnEmptyListStillAsksAndChecksTheTime) {
  auto doc = load(interchange({}));
  size_t asked = 0;
  runExport(*doc, qtemp.path(), [&] {
    ++asked;
    return std::string("07:30");
  });
  EXPECT_EQ(asked, 1u);
  EXPECT_TRUE(table("DIASHORAST").rows.empty());
  EXPECT_THROW_MSG(runExport(*doc, qtemp.path(), [] { return std::string("7:30 "); }),
                   "'7:' no es un valor entero v\xE1lido");
}

TEST_F(Tramos, MinutosIsStoredTrimmedAndOtherwiseAsWritten) {
  exportDocument(tramos({tramo("L1", "  +55\t"), tramo("M1", "$37")}));
  const TableContents t = table("DIASHORAST");
  EXPECT_EQ(t.column("MINUTOS"), (Strings{"+55", "$37"}));
  EXPECT_EQ(t.column("HORAHASTA"), (Strings{"08:55", "08:55"}));
}

// A TRAMOS list that ends the export: the message, and a working folder left
// exactly as an earlier export wrote it.
struct FailureCase {
  const char* title;
  std::string start;
  std::vector<std::string> records;
  std::string message;
};

class TramosFailure : public ExportTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(TramosFailure, EndsTheExportAndLeavesTheFolderUnchanged) {
  exportDocument(tramos({tramo("L1", "55"), tramo("L2", "55")}));
  qtemp.write("SOLUC.DBF", "soluci\xF3n del generador");
  const auto before = snapshot(qtemp.path());
  const FailureCase& c = GetParam();
  EXPECT_THROW_MSG(exportDocument(tramos(c.records), c.start), c.message);
  EXPECT_EQ(snapshot(qtemp.path()), before);
}

std::vector<std::string> mondayOneToSixAndFriday7() {
  std::vector<std::string> records;
  for (int hour = 1; hour <= 6; ++hour)
    records.push_back(tramo("L" + std::to_string(hour), "55"));
  records.push_back(tramo("V7", "55"));
  return records;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TramosFailure,
    ::testing::Values(
        FailureCase{"GapInTheMondayHours",
                    "08:00",
                    {tramo("L1", "55"), tramo("L2", "55"), tramo("L4", "55")},
                    kEmptyNumber},
        FailureCase{"MondayHourTwoWithoutHourOne", "08:00", {tramo("L2", "55")}, kEmptyNumber},
        FailureCase{"HourWithoutAStartTime", "08:00", mondayOneToSixAndFriday7(), kEmptyNumber},
        FailureCase{
            "MissingMinutos",
            "08:00",
            {tramo("L1", "55"), rawRecord({salida("CODIGO_SCOLVIA", "C"), salida("NOMBRE", "M1"),
                                           salida("DURACION", "55")})},
            kEmptyNumber},
        FailureCase{"BadStartTimeEntry",
                    "ab:00",
                    {tramo("L1", "55")},
                    "'ab' no es un valor entero v\xE1lido"},
        FailureCase{"MinutesWithAUnit",
                    "08:00",
                    {tramo("L1", "55"), tramo("M1", "55min")},
                    "'55min' no es un valor entero v\xE1lido"},
        FailureCase{"MondayMinutesWithADecimalPoint",
                    "08:00",
                    {tramo("L1", "5.5"), tramo("L2", "55")},
                    "'5.5' no es un valor entero v\xE1lido"},
        FailureCase{"HourCharactersNotANumber",
                    "08:00",
                    {tramo("L1", "55"), tramo("MA", "55")},
                    "'A' no es un valor entero v\xE1lido"},
        FailureCase{"DiaWithOnlyTheDayLetter",
                    "08:00",
                    {rawRecord({salida("CODIGO_SCOLVIA", "C"), salida("NOMBRE", "L1"),
                                salida("MINUTOS", "55"), salida("DIA", "L")})},
                    kEmptyNumber},
        FailureCase{"HourAbove20InTheFirstPass",
                    "08:00",
                    {tramo("L1", "55"), tramo("L2", "55"), tramo("M3", "55"), tramo("L21", "55")},
                    "La lista TRAMOS, registro 4: el n\xFAmero de hora 21 est\xE1 fuera del "
                    "intervalo de 1 a 20"},
        FailureCase{"HourZeroInTheSecondPass",
                    "08:00",
                    {tramo("L1", "55"), tramo("L0", "55")},
                    "La lista TRAMOS, registro 2: el n\xFAmero de hora 0 est\xE1 fuera del "
                    "intervalo de 1 a 20"},
        FailureCase{"NegativeHour",
                    "08:00",
                    {tramo("L1", "55"), tramo("M-1", "55")},
                    "La lista TRAMOS, registro 2: el n\xFAmero de hora -1 est\xE1 fuera del "
                    "intervalo de 1 a 20"}),
    [](const ::testing::TestParamInfo<FailureCase>& p) { return std::string(p.param.title); });

}  // namespace
}  // namespace tts::testing
