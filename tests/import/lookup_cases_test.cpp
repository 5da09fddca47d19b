// Each reference lookup through the walk, with both ways of serving it: what
// one class's six values become for tables that match, match several times,
// match only in letter case, or do not match.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "tests/import/import_fixture.h"

namespace tts::testing {
namespace {

// Tables in which the base class resolves in every lookup.
School baseSchool() {
  School s;
  s.proft = {{"E1", "F1", "GAR"}};
  s.asignomt = {{"MAT", "M001"}, {"GUA", "G101"}};
  s.diashorast = {{"11", "1", "T11"}, {"13", "1", "T13"}};
  s.aulat = {{"A1", "D1"}};
  s.grupost = {{"1A", "U1A"}};
  s.asigt = {{"MAT", "1A", "ESO", "1", "M100"}};
  return s;
}

struct ClassCase {
  const char* name;
  std::function<void(School&, SolucRow&)> change;  // applied to the base school and class
  const char* expected;                            // the activity list's six values joined by "|"
};

const ClassCase kCases[] = {
    {"BaseClass", [](School&, SolucRow&) {}, "G439|1|T13|D1|U1A|M100"},
    // Activity lookup.
    {"TaskFoundGivesMateria", [](School&, SolucRow& c) { c.tarea = "GUA"; },
     "G101|1|T13|D1|U1A|M100"},
    {"TaskNotFoundGivesTarea", [](School&, SolucRow& c) { c.tarea = "LE"; },
     "LE|1|T13|D1|U1A|M100"},
    {"TaskFoundWithBlankMateriaGivesDefault",
     [](School& s, SolucRow& c) {
       s.asignomt.insert(s.asignomt.begin(), {"VAC", ""});
       c.tarea = "VAC";
     },
     "G439|1|T13|D1|U1A|M100"},
    {"TaskInOtherCaseIsNotFound", [](School&, SolucRow& c) { c.tarea = "gua"; },
     "gua|1|T13|D1|U1A|M100"},
    {"TaskTakesTheFirstOfDuplicates",
     [](School& s, SolucRow& c) {
       s.asignomt.push_back({"GUA", "G202"});
       c.tarea = "GUA";
     },
     "G101|1|T13|D1|U1A|M100"},
    // Slot lookup: the key is DIA as text followed by HORA in decimal.
    {"SlotOfATwoDigitHour",
     [](School& s, SolucRow& c) {
       s.diashorast.push_back({"112", "1", "T112"});
       c.hora = 12;
     },
     "G439|1|T112|D1|U1A|M100"},
    {"SlotWithALeadingZeroIsNotMatched",
     [](School& s, SolucRow&) {
       s.diashorast = {{"103", "1", "T103"}};
     },
     "G439|||D1|U1A|M100"},
    {"SlotWithABlankIsNotMatched",
     [](School& s, SolucRow&) {
       s.diashorast = {{"1 3", "1", "X"}};
     },
     "G439|||D1|U1A|M100"},
    {"SlotTakesTheFirstOfDuplicates",
     [](School& s, SolucRow&) {
       s.diashorast = {{"13", "1", "T13"}, {"13", "9", "OTRO"}};
     },
     "G439|1|T13|D1|U1A|M100"},
    {"SlotNotFound", [](School&, SolucRow& c) { c.dia = 4; }, "G439|||D1|U1A|M100"},
    // Room and group lookups.
    {"RoomInOtherCaseIsNotFound", [](School&, SolucRow& c) { c.aula = "a1"; },
     "G439|1|T13||U1A|M100"},
    {"RoomTakesTheFirstOfDuplicates",
     [](School& s, SolucRow&) {
       s.aulat.push_back({"A1", "D9"});
     },
     "G439|1|T13|D1|U1A|M100"},
    {"RoomNotFound", [](School&, SolucRow& c) { c.aula = "Z9"; }, "G439|1|T13||U1A|M100"},
    {"GroupInOtherCaseIsNotFound",
     [](School& s, SolucRow&) {
       s.grupost = {{"1a", "U1a"}};
     },
     "G439|1|T13|D1||M100"},
    {"GroupTakesTheFirstOfDuplicates",
     [](School& s, SolucRow&) {
       s.grupost.push_back({"1A", "U9"});
     },
     "G439|1|T13|D1|U1A|M100"},
    // Subject lookup, stage 1: CASIG and CGRUP.
    {"SubjectStage1TakesTheFirstMatch",
     [](School& s, SolucRow&) {
       s.asigt.push_back({"MAT", "1A", "ESO", "1", "M200"});
     },
     "G439|1|T13|D1|U1A|M100"},
    {"SubjectStage1BlankLeadsToStage2",
     [](School& s, SolucRow&) {
       s.asigt = {{"MAT", "1A", "BAC", "2", ""}, {"MAT", "2B", "ESO", "1", "M300"}};
     },
     "G439|1|T13|D1|U1A|M300"},
    {"SubjectStage1StopsAtItsFirstMatchEvenWhenBlank",
     [](School& s, SolucRow&) {
       s.asigt = {{"MAT", "1A", "BAC", "2", ""}, {"MAT", "1A", "BAC", "2", "M200"}};
       s.asignomt = {{"GUA", "G101"}};
     },
     "G439|1|T13|D1|U1A|"},
    // Stage 2: CASIG, NIVEL and CURSO, passing over blank MATERIA values.
    {"SubjectStage2PassesOverBlanks",
     [](School& s, SolucRow&) {
       s.asigt = {{"MAT", "9Z", "ESO", "1", ""},
                  {"MAT", "8Z", "ESO", "1", "M300"},
                  {"MAT", "7Z", "ESO", "1", "M400"}};
     },
     "G439|1|T13|D1|U1A|M300"},
    {"SubjectStage2ComparesLetterCase",
     [](School& s, SolucRow&) {
       s.asigt = {{"MAT", "9Z", "eso", "1", "M300"}};
     },
     "G439|1|T13|D1|U1A|M001"},
    // Stage 3: ASIGNOMT by ASIG, only when both ASIGT stages give nothing.
    {"SubjectStage3WhenAsigtHasNoMateria",
     [](School& s, SolucRow&) {
       s.asigt = {{"MAT", "9Z", "ESO", "1", ""}};
     },
     "G439|1|T13|D1|U1A|M001"},
    {"SubjectNotFoundAnywhereIsEmpty", [](School&, SolucRow& c) { c.asig = "FIS"; },
     "G439|1|T13|D1|U1A|"},
};

class ImportLookupCase : public ::testing::TestWithParam<std::tuple<ClassCase, Strategy>>,
                         public ImportFixture {};

TEST_P(ImportLookupCase, GivesTheValuesOfTheFirstMatchingRecords) {
  const auto& [c, strategy] = GetParam();
  School s = baseSchool();
  SolucRow row{"GAR", 1, 3, "", "A1", "1A", "MAT", "ESO", "1"};
  c.change(s, row);
  s.soluc = {row};
  std::vector<std::string> lines = run(s, strategy.make);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2], std::string("ACTIVIDAD_1 ") + c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportLookupCase,
                         ::testing::Combine(::testing::ValuesIn(kCases),
                                            ::testing::ValuesIn(kStrategies)),
                         [](const auto& tp) {
                           return std::string(std::get<0>(tp.param).name) + "_" +
                                  std::get<1>(tp.param).name;
                         });

}  // namespace
}  // namespace tts::testing
