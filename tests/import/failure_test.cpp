// A failing import: the error names what failed, no result file is written (an
// older one stays as it was), and every table the import opened is closed
// again, so another program can take it for exclusive use.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/files.h"
#include "tests/import/import_fixture.h"

namespace tts::testing {
namespace {

const char* const kTables[] = {"SOLUC",    "GRUPOST",    "PROFT", "AULAT",
                               "ASIGNOMT", "DIASHORAST", "ASIGT"};

School goodSchool() {
  School s;
  s.proft = {{"E1", "F1", "GAR"}, {"E2", "F2", "LUZ"}};
  s.soluc = {{"GAR", 1, 1, "", "A1", "1A", "MAT", "ESO", "1"},
             {"LUZ", 1, 3, "GUA", "A1", "1A", "MAT", "ESO", "1"}};
  s.asignomt = {{"MAT", "M001"}, {"GUA", "G101"}};
  s.diashorast = {{"11", "1", "T11"}, {"13", "1", "T13"}};
  s.aulat = {{"A1", "D1"}};
  s.grupost = {{"1A", "U1A"}};
  s.asigt = {{"MAT", "1A", "ESO", "1", "M001"}};
  return s;
}

// The table `name` rewritten without one of its fields.
void dropField(const std::string& folder, const std::string& name, const std::string& field,
               const std::vector<std::vector<std::string>>& rows) {
  std::vector<dbase::FieldDef> layout = layoutOf(name);
  layout.erase(std::find_if(layout.begin(), layout.end(),
                            [&](const dbase::FieldDef& f) { return f.name == field; }));
  writeTable(folder, name, layout, rows);
}

// SOLUC with DIA and HORA held as text, so that they can hold what is no number.
void solucWithTextDayAndHour(const std::string& folder, const std::string& dia,
                             const std::string& hora) {
  std::vector<dbase::FieldDef> layout = layoutOf("SOLUC");
  layout[1] = {"DIA", dbase::FieldType::String, 3};
  layout[2] = {"HORA", dbase::FieldType::String, 3};
  writeTable(folder, "SOLUC", layout,
             {{"GAR", "1", "1", "", "A1", "1A", "MAT", "ESO", "1"},
              {"GAR", dia, hora, "", "A1", "1A", "MAT", "ESO", "1"}});
}

struct FailureCase {
  std::string name;
  std::function<void(ImportFixture&)> damage;  // applied to a good school and document
  std::vector<std::string> messageParts;
};

std::vector<FailureCase> failureCases() {
  std::vector<FailureCase> cases;
  for (const char* table : kTables) {
    cases.push_back(
        {std::string("Missing") + table,
         [table](ImportFixture& f) { files::removeQuietly(tableFile(f.qtemp.path(), table)); },
         {table}});
  }
  cases.push_back({"SolucLacksTarea",
                   [](ImportFixture& f) {
                     dropField(f.qtemp.path(), "SOLUC", "TAREA",
                               {{"GAR", "1", "1", "A1", "1A", "MAT", "ESO", "1"}});
                   },
                   {"SOLUC", "TAREA"}});
  cases.push_back({"ProftLacksAbrev",
                   [](ImportFixture& f) {
                     dropField(f.qtemp.path(), "PROFT", "ABREV", {{"", "", "", "E1", "F1"}});
                   },
                   {"PROFT", "ABREV"}});
  cases.push_back({"AsigtLacksMateria",
                   [](ImportFixture& f) {
                     dropField(f.qtemp.path(), "ASIGT", "MATERIA", {{"MAT", "", "1A"}});
                   },
                   {"ASIGT", "MATERIA"}});
  cases.push_back({"DiashorastLacksCoddiho",
                   [](ImportFixture& f) {
                     dropField(f.qtemp.path(), "DIASHORAST", "CODDIHO", {{"11", "1"}});
                   },
                   {"DIASHORAST", "CODDIHO"}});
  cases.push_back({"DiaIsNoNumber",
                   [](ImportFixture& f) { solucWithTextDayAndHour(f.qtemp.path(), "x", "1"); },
                   {"'x'"}});
  cases.push_back({"HoraIsNoNumber",
                   [](ImportFixture& f) { solucWithTextDayAndHour(f.qtemp.path(), "1", "3.5"); },
                   {"'3.5'"}});
  cases.push_back({"MalformedDocument",
                   [](ImportFixture& f) { f.docs.write("horario.xml", "<SERVICIO><SALIDAS>"); },
                   {"horario.xml"}});
  cases.push_back({"EmptyDocument",
                   [](ImportFixture& f) { f.docs.write("horario.xml", ""); },
                   {"horario.xml"}});
  cases.push_back({"DocumentWithoutSalidas",
                   [](ImportFixture& f) { f.docs.write("horario.xml", "<SERVICIO/>"); },
                   {"horario.xml"}});
  return cases;
}

const std::string kOlderResult = "<SERVICIO><SALIDAS/></SERVICIO>\n";

class ImportFailure : public ::testing::TestWithParam<std::tuple<FailureCase, bool>>,
                      public ImportFixture {};

TEST_P(ImportFailure, NamesTheFaultSavesNothingAndClosesTheTables) {
  const auto& [c, olderResult] = GetParam();
  goodSchool().write(qtemp.path());
  docs.write("horario.xml", document);
  if (olderResult)
    docs.write("ResultadoTempaxhorario.xml", kOlderResult);
  c.damage(*this);

  for (const std::string& part : c.messageParts)
    EXPECT_THROW_HAS(import(), part);

  std::vector<std::string> entries = files::list(docs.path());
  std::sort(entries.begin(), entries.end());
  if (olderResult) {
    EXPECT_EQ(entries, (std::vector<std::string>{"ResultadoTempaxhorario.xml", "horario.xml"}));
    EXPECT_EQ(docs.read("ResultadoTempaxhorario.xml"), kOlderResult);
  } else {
    EXPECT_EQ(entries, std::vector<std::string>{"horario.xml"});
  }
  for (const char* table : kTables) {
    if (!files::exists(tableFile(qtemp.path(), table)))
      continue;
    dbase::Table other(qtemp.path(), table, dbase::Access::Exclusive);
    EXPECT_NO_THROW(other.open()) << table << " was left open";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportFailure,
                         ::testing::Combine(::testing::ValuesIn(failureCases()), ::testing::Bool()),
                         [](const auto& tp) {
                           return std::get<0>(tp.param).name +
                                  (std::get<1>(tp.param) ? "_OlderResult" : "_NoResult");
                         });

class ImportLocked : public ::testing::Test, public ImportFixture {
 protected:
  void SetUp() override {
    goodSchool().write(qtemp.path());
    docs.write("horario.xml", document);
  }
};

TEST_F(ImportLocked, ATableHeldByAnotherProgramEndsTheImportNamingIt) {
  for (const char* table : kTables) {
    dbase::Table holder(qtemp.path(), table, dbase::Access::Exclusive);
    holder.open();
    EXPECT_THROW_HAS(import(), table);
    EXPECT_FALSE(files::exists(resultPath));
  }
  EXPECT_NO_THROW(import());
  EXPECT_TRUE(files::exists(resultPath));
}

TEST_F(ImportLocked, TheDocumentIsLoadedBeforeAnyTableIsOpened) {
  docs.write("horario.xml", "no es XML");
  dbase::Table holder(qtemp.path(), "SOLUC", dbase::Access::Exclusive);
  holder.open();
  EXPECT_THROW_HAS(import(), "horario.xml");
}

}  // namespace
}  // namespace tts::testing
