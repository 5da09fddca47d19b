// The filter the import sets on SOLUC: "PROF= 'value'", quotes doubled,
// exact comparison, and where switching it moves the table.
#include "platform/dbase/filter.h"
#include "platform/dbase/table.h"
#include "platform/files.h"
#include "tests/support/testing.h"

namespace tts::dbase {
namespace {

using tts::testing::TempFolder;

TEST(DbaseFilterText, AcceptedFormsAndTheirValue) {
  struct Case {
    const char* expression;
    const char* field;
    const char* value;
  };
  const Case cases[] = {
      {"PROF= 'ANA'", "PROF", "ANA"},
      {"PROF='ANA'", "PROF", "ANA"},
      {"  prof  =   'A B'  ", "prof", "A B"},
      {"PROF= 'O''Neil'", "PROF", "O'Neil"},
      {"PROF= ''''", "PROF", "'"},
      {"PROF= ''", "PROF", ""},
      {"PROF= ' x '", "PROF", " x "},
      {"X_EMPLEADO= 'Peña'", "X_EMPLEADO", "Peña"},
  };
  for (const Case& c : cases) {
    std::optional<FilterExpression> parsed = parseFilter(c.expression);
    ASSERT_TRUE(parsed) << c.expression;
    EXPECT_EQ(parsed->field, c.field) << c.expression;
    EXPECT_EQ(parsed->value, c.value) << c.expression;
  }
}

TEST(DbaseFilterText, OtherFormsAreRefused) {
  for (const char* expression : {"PROF", "PROF=", "= 'A'", "PROF= A", "PROF= 'A", "PROF= 'A'B'",
                                 "PROF= 'A' AND DIA= '1'", "PROF<> 'A'", "PROF= \"A\""}) {
    EXPECT_FALSE(parseFilter(expression)) << expression;
  }
}

class DbaseFilter : public ::testing::Test {
 protected:
  void SetUp() override {
    createTable(dir.file("SOLUC.DBF"),
                {{"PROF", FieldType::String, 10}, {"DIA", FieldType::Integer, 0}});
    Table writer(dir.path(), "SOLUC", Access::Shared);
    writer.open();
    const std::pair<const char*, int> rows[] = {{"ANA", 1},  {"O'Neil", 2}, {"ana", 3},
                                                {"ANA ", 4}, {"ANA", 5},    {" ANA", 6}};
    for (const auto& [prof, dia] : rows) {
      writer.append();
      writer.setString("PROF", prof);
      writer.setInteger("DIA", dia);
      writer.post();
    }
    writer.close();
    table.open();
  }

  std::vector<int> days() {
    std::vector<int> seen;
    for (; !table.eof(); table.next())
      seen.push_back(table.asInteger("DIA"));
    return seen;
  }

  TempFolder dir;
  Table table{dir.path(), "SOLUC", Access::Exclusive};
};

TEST_F(DbaseFilter, SwitchingOnMovesToTheFirstPassingRowAndPassesExactMatchesOnly) {
  table.next();
  table.next();  // somewhere in the middle
  table.setFilter("PROF= 'ANA'");
  table.setFiltered(true);
  // "ANA " is stored as "ANA" (padding is not part of the text); "ana" and
  // " ANA" differ.
  EXPECT_EQ(days(), (std::vector<int>{1, 4, 5}));
  table.first();
  EXPECT_EQ(table.asInteger("DIA"), 1);
  EXPECT_EQ(table.recordCount(), 6u);
}

TEST_F(DbaseFilter, DoubledQuoteMatchesTheQuote) {
  table.setFiltered(true);
  table.setFilter("PROF= 'O''Neil'");
  EXPECT_EQ(days(), (std::vector<int>{2}));
}

TEST_F(DbaseFilter, ChangingTheTextWhileOnMovesAgainAndOffShowsAll) {
  table.setFilter("PROF= 'ana'");
  table.setFiltered(true);
  EXPECT_EQ(table.asInteger("DIA"), 3);
  table.next();
  EXPECT_TRUE(table.eof());
  table.setFilter("PROF= ' ANA'");
  EXPECT_EQ(days(), (std::vector<int>{6}));
  table.setFiltered(false);
  EXPECT_EQ(days(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST_F(DbaseFilter, NoPassingRowIsEndOfFile) {
  table.setFilter("PROF= 'LUIS'");
  table.setFiltered(true);
  EXPECT_TRUE(table.eof());
  table.first();
  EXPECT_TRUE(table.eof());
  EXPECT_THROW_HAS(table.asString("PROF"), "no tiene fila actual");
}

TEST_F(DbaseFilter, FilterSetBeforeOpenAppliesAtOpen) {
  table.close();
  table.setFilter("PROF= 'ANA'");
  table.setFiltered(true);
  table.open();
  EXPECT_EQ(days(), (std::vector<int>{1, 4, 5}));
}

TEST_F(DbaseFilter, NumericFieldsCompareTheirText) {
  table.setFilter("DIA= '5'");
  table.setFiltered(true);
  EXPECT_EQ(days(), (std::vector<int>{5}));
}

TEST_F(DbaseFilter, RowsAppendedWhileFilteredAreFilteredToo) {
  table.setFilter("PROF= 'ANA'");
  table.setFiltered(true);
  table.append();
  table.setString("PROF", "ANA");
  table.setInteger("DIA", 7);
  table.post();
  table.append();
  table.setString("PROF", "LUIS");
  table.setInteger("DIA", 8);
  table.post();
  table.first();
  EXPECT_EQ(days(), (std::vector<int>{1, 4, 5, 7}));
}

TEST_F(DbaseFilter, DeletedRowsStayHiddenAndEachFieldIsFilteredOnItsOwn) {
  // Mark the fourth record (ANA, day 4) deleted on disk, as another program
  // would, then walk the same table under filters on two fields in turn: the
  // rows found for one field must never be reused for the other.
  table.close();
  std::string bytes = dir.read("SOLUC.DBF");
  const size_t headerLength = static_cast<uint8_t>(bytes[8]) | static_cast<uint8_t>(bytes[9]) << 8;
  const size_t recordLength = static_cast<uint8_t>(bytes[10]) | static_cast<uint8_t>(bytes[11])
                                                                    << 8;
  bytes[headerLength + 3 * recordLength] = '*';
  dir.write("SOLUC.DBF", bytes);
  table.open();
  table.setFilter("PROF= 'ANA'");
  table.setFiltered(true);
  EXPECT_EQ(days(), (std::vector<int>{1, 5}));
  table.setFilter("DIA= '4'");
  EXPECT_TRUE(table.eof());
  table.setFilter("DIA= '5'");
  EXPECT_EQ(days(), (std::vector<int>{5}));
  table.setFilter("PROF= 'ANA'");
  EXPECT_EQ(days(), (std::vector<int>{1, 5}));
}

TEST_F(DbaseFilter, BadExpressionsAndMissingFieldsAreErrorsThatChangeNothing) {
  const std::string soluc = files::pathForMessage(dir.file("SOLUC.DBF"));
  EXPECT_THROW_MSG(
      table.setFilter("PROF = ANA"),
      "Filtro no válido para la tabla '" + soluc + "': 'PROF = ANA' (se esperaba CAMPO= 'valor')");
  table.setFilter("PROF= 'O''Neil'");
  table.setFiltered(true);
  EXPECT_THROW_MSG(table.setFilter("PROFESOR= 'ANA'"),
                   "La tabla '" + soluc + "' no tiene el campo 'PROFESOR'");
  EXPECT_EQ(days(), (std::vector<int>{2}));  // the previous filter still holds

  table.setFiltered(false);
  table.setFilter("NADA= 'x'");  // checked when switched on
  EXPECT_THROW_MSG(table.setFiltered(true), "La tabla '" + soluc + "' no tiene el campo 'NADA'");
  EXPECT_EQ(days(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

}  // namespace
}  // namespace tts::dbase
