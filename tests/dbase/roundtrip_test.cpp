// Tables we write, reopened and read back: the exact layout on disk, the
// values, and the table operations the export and the import rely on.
#include <cmath>
#include <ctime>

#include "platform/dbase/layout.h"
#include "platform/dbase/table.h"
#include "platform/files.h"
#include "tests/dbase/dbf_bytes.h"
#include "tests/support/testing.h"

namespace tts::dbase {
namespace {

using tts::testing::padded;
using tts::testing::right;
using tts::testing::TempFolder;

// The fields of the teaching-assignments table, one of each kind we write.
const std::vector<FieldDef> kAsig = {
    {"CASIG", FieldType::String, 10},  {"HORAS", FieldType::Float, 0},
    {"NUM", FieldType::Integer, 0},    {"ESTAREA", FieldType::Boolean, 0},
    {"NOMBRE", FieldType::String, 20},
};

uint32_t le(const std::string& bytes, size_t at, size_t size) {
  uint32_t value = 0;
  for (size_t i = 0; i < size; ++i) {
    value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
  }
  return value;
}

TEST(DbaseWrite, NewTableHasTheEngineLevelFourHeaderByteForByte) {
  TempFolder dir;
  createTable(dir.file("ASIGT.DBF"), kAsig);
  const std::string bytes = dir.read("ASIGT.DBF");

  const size_t headerLength = 32 + 32 * kAsig.size() + 1;
  ASSERT_EQ(bytes.size(), headerLength + 1);
  EXPECT_EQ(static_cast<uint8_t>(bytes[0]), 0x03);
  std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  EXPECT_EQ(static_cast<uint8_t>(bytes[1]), local->tm_year);
  EXPECT_EQ(static_cast<uint8_t>(bytes[2]), local->tm_mon + 1);
  EXPECT_EQ(static_cast<uint8_t>(bytes[3]), local->tm_mday);
  EXPECT_EQ(le(bytes, 4, 4), 0u);
  EXPECT_EQ(le(bytes, 8, 2), headerLength);
  EXPECT_EQ(le(bytes, 10, 2), 1u + 10 + 20 + 11 + 1 + 20);
  for (size_t i = 12; i < 32; ++i) {
    if (i == 29)
      continue;
    EXPECT_EQ(bytes[i], 0) << "header byte " << i;  // 28: no production index
  }
  EXPECT_EQ(static_cast<uint8_t>(bytes[29]), 0x58);

  struct Expected {
    const char* name;
    char type;
    int width;
    int decimals;
  };
  const Expected expected[] = {{"CASIG", 'C', 10, 0},
                               {"HORAS", 'N', 20, 4},
                               {"NUM", 'N', 11, 0},
                               {"ESTAREA", 'L', 1, 0},
                               {"NOMBRE", 'C', 20, 0}};
  for (size_t f = 0; f < 5; ++f) {
    const std::string d = bytes.substr(32 + 32 * f, 32);
    EXPECT_EQ(d.substr(0, 11), padded(expected[f].name, 11, '\0'));
    EXPECT_EQ(d[11], expected[f].type);
    EXPECT_EQ(d.substr(12, 4), std::string(4, '\0'));
    EXPECT_EQ(static_cast<uint8_t>(d[16]), expected[f].width);
    EXPECT_EQ(static_cast<uint8_t>(d[17]), expected[f].decimals);
    EXPECT_EQ(d.substr(18), std::string(14, '\0'));
  }
  EXPECT_EQ(bytes[headerLength - 1], '\x0D');
  EXPECT_EQ(bytes[headerLength], '\x1A');
}

TEST(DbaseWrite, PostedRowsAreWrittenInOrderWithExactRecordBytes) {
  TempFolder dir;
  createTable(dir.file("ASIGT.DBF"), kAsig);
  Table table(dir.path(), "ASIGT", Access::Shared);
  table.open();
  table.append();
  table.setString("CASIG", "MAT1");
  table.setFloat("HORAS", 61.0 / 60);
  table.setInteger("NUM", -42);
  table.setBoolean("ESTAREA", true);
  table.setString("NOMBRE", "Educación Física y Niñez");  // cut to 20
  table.post();
  table.append();  // nothing set: blanks for every field
  table.post();
  table.append();
  table.setBoolean("ESTAREA", false);
  table.setInteger("NUM", 2147483647);
  table.setFloat("HORAS", -0.00001);  // rounds to zero: written unsigned
  table.post();
  table.close();

  const std::string bytes = dir.read("ASIGT.DBF");
  const size_t headerLength = 32 + 32 * 5 + 1;
  const size_t recordLength = 63;
  ASSERT_EQ(bytes.size(), headerLength + 3 * recordLength + 1);
  EXPECT_EQ(le(bytes, 4, 4), 3u);
  EXPECT_EQ(bytes.substr(headerLength, recordLength), std::string(" ") + "MAT1      " +
                                                          right("1.0167", 20) + right("-42", 11) +
                                                          "T" + "Educación Física y N");
  EXPECT_EQ(bytes.substr(headerLength + recordLength, recordLength), std::string(63, ' '));
  EXPECT_EQ(bytes.substr(headerLength + 2 * recordLength, recordLength),
            std::string(" ") + std::string(10, ' ') + right("0.0000", 20) +
                right("2147483647", 11) + "F" + std::string(20, ' '));
  EXPECT_EQ(bytes.back(), '\x1A');
}

TEST(DbaseWrite, ReopenedTableGivesFieldsAndValuesBack) {
  TempFolder dir;
  createTable(dir.file("ASIGT.DBF"), kAsig);
  {
    Table table(dir.path(), "ASIGT.DBF", Access::Shared);
    table.open();
    table.append();
    table.setString("casig", " G100 ");  // field names in any letter case
    table.setFloat("HORAS", 2.5);
    table.setInteger("NUM", 7);
    table.setBoolean("ESTAREA", true);
    table.setString("NOMBRE", "Año");
    table.post();
    table.append();
    table.setString("CASIG", "X");
    table.post();
  }  // the destructor closes and writes

  Table table(dir.path(), "asigt", Access::Exclusive);
  table.open();
  const std::vector<FieldInfo>& fields = table.fields();
  ASSERT_EQ(fields.size(), 5u);
  EXPECT_EQ(fields[1].name, "HORAS");
  EXPECT_EQ(fields[1].type, 'N');
  EXPECT_EQ(fields[1].width, 20);
  EXPECT_EQ(fields[1].decimals, 4);
  EXPECT_EQ(fields[3].type, 'L');
  EXPECT_EQ(table.recordCount(), 2u);

  ASSERT_FALSE(table.eof());
  EXPECT_EQ(table.asString("CASIG"), " G100");  // leading blanks stay, padding goes
  EXPECT_EQ(table.asString("HORAS"), "2.5");
  EXPECT_EQ(table.asFloat("HORAS"), 2.5);
  EXPECT_EQ(table.asString("NUM"), "7");
  EXPECT_EQ(table.asInteger("NUM"), 7);
  EXPECT_TRUE(table.asBoolean("ESTAREA"));
  EXPECT_EQ(table.asString("ESTAREA"), "True");
  EXPECT_EQ(table.asString(table.fieldIndex("nombre")), "Año");

  table.next();
  ASSERT_FALSE(table.eof());
  EXPECT_EQ(table.asString("CASIG"), "X");
  EXPECT_EQ(table.asString("HORAS"), "");  // never set: no value
  EXPECT_EQ(table.asFloat("HORAS"), 0);
  EXPECT_EQ(table.asInteger("NUM"), 0);
  EXPECT_FALSE(table.asBoolean("ESTAREA"));
  EXPECT_EQ(table.asString("ESTAREA"), "");
  table.next();
  EXPECT_TRUE(table.eof());
  table.next();
  EXPECT_TRUE(table.eof());
  table.first();
  EXPECT_EQ(table.asString("CASIG"), " G100");
}

TEST(DbaseWrite, FloatReadsBackExactlyUntilCloseAndAsStoredAfterwards) {
  TempFolder dir;
  createTable(dir.file("ASIGT.DBF"), kAsig);
  Table table(dir.path(), "ASIGT", Access::Shared);
  table.open();
  table.append();
  table.setFloat("HORAS", 61 / 60.0);
  EXPECT_EQ(table.asFloat("HORAS"), 61.0 / 60);  // before post: the value as set
  EXPECT_EQ(std::ceil(table.asFloat("HORAS")), 2);
  table.post();
  EXPECT_EQ(table.asFloat("HORAS"), 61.0 / 60);  // posted, not yet on disk
  table.first();
  EXPECT_EQ(table.asFloat("HORAS"), 61.0 / 60);
  EXPECT_EQ(table.asString("HORAS"), "1.01666666666667");
  table.close();
  table.open();
  EXPECT_EQ(table.asFloat("HORAS"), 1.0167);
  EXPECT_EQ(table.asString("HORAS"), "1.0167");
}

TEST(DbaseWrite, NumberThatDoesNotFitIsAnErrorAtPostNamingTableAndField) {
  TempFolder dir;
  createTable(dir.file("ASIGT.DBF"), kAsig);
  Table table(dir.path(), "ASIGT", Access::Shared);
  table.open();
  table.append();
  table.setString("CASIG", "A");
  table.setFloat("HORAS", 1e16);  // 17 digits and 4 decimals: 22 > 20
  EXPECT_THROW_MSG(table.post(), "No se puede guardar en el campo 'HORAS' de la tabla '" +
                                     files::pathForMessage(table.path()) +
                                     "': el número 1E16 no cabe en un campo N 20.4");
  table.setFloat("HORAS", 999999999999999.0);  // 15 digits + ".0000" = 20: fits
  table.post();
  table.close();
  table.open();
  EXPECT_EQ(table.recordCount(), 1u);
  EXPECT_EQ(table.asString("HORAS"), "999999999999999");
}

TEST(DbaseWrite, PendingRowIsDroppedAtCloseAndPostedByTheNextAppend) {
  TempFolder dir;
  createTable(dir.file("T.DBF"), {{"COD", FieldType::String, 5}});
  Table table(dir.path(), "T", Access::Shared);
  table.open();
  table.append();
  table.setString("COD", "uno");
  table.append();  // posts "uno"
  table.append();  // nothing set in the previous one: dropped
  table.setString("COD", "dos");
  table.post();
  table.append();
  table.setString("COD", "tres");
  table.close();  // "tres" never posted
  table.open();
  EXPECT_EQ(table.recordCount(), 2u);
  EXPECT_EQ(table.asString("COD"), "uno");
  table.next();
  EXPECT_EQ(table.asString("COD"), "dos");
}

TEST(DbaseWrite, AppendingToAnExistingTableKeepsItsRows) {
  TempFolder dir;
  createTable(dir.file("T.DBF"), {{"N", FieldType::Integer, 0}});
  for (int session = 0; session < 3; ++session) {
    Table table(dir.path(), "T", Access::Exclusive);
    table.open();
    for (int i = 0; i < 2; ++i) {
      table.append();
      table.setInteger("N", session * 10 + i);
      table.post();
    }
    table.close();
  }
  Table table(dir.path(), "T", Access::Shared);
  table.open();
  std::vector<int> values;
  for (table.first(); !table.eof(); table.next())
    values.push_back(table.asInteger("N"));
  EXPECT_EQ(values, (std::vector<int>{0, 1, 10, 11, 20, 21}));
  EXPECT_EQ(dir.read("T.DBF").size(), 32 + 32 + 1 + 6 * 12 + 1u);
}

TEST(DbaseWrite, CreateReplacesATableOfTheSameNameWhateverItsLetterCase) {
  TempFolder dir;
  createTable(dir.file("ASIGNOMT.DBF"), {{"COD", FieldType::String, 10}});
  {
    Table table(dir.path(), "ASIGNOMT", Access::Shared);
    table.open();
    table.append();
    table.setString("COD", "viejo");
    table.post();
  }
  createTable(dir.file("ASIGNOMT.DBF"), {{"MATERIA", FieldType::String, 12}});
  Table table(dir.path(), "ASIGNOMT", Access::Shared);
  table.open();
  EXPECT_TRUE(table.eof());
  EXPECT_EQ(table.recordCount(), 0u);
  ASSERT_EQ(table.fields().size(), 1u);
  EXPECT_EQ(table.fields()[0].name, "MATERIA");
  table.close();

  // Also on a case-sensitive file system the table stays one file.
  createTable(dir.file("asignomt.dbf"), {{"X", FieldType::Integer, 0}});
  EXPECT_EQ(files::list(dir.path()), std::vector<std::string>{"ASIGNOMT.DBF"});
  table.open();
  EXPECT_EQ(table.fields()[0].name, "X");
}

TEST(DbaseWrite, FieldDefinitionsThatCannotBeWrittenAreRefused) {
  struct Case {
    std::vector<FieldDef> fields;
    const char* problem;
  };
  const Case cases[] = {
      {{}, "una tabla necesita al menos un campo"},
      {{{"NOMBRELARGO", FieldType::String, 5}},
       "el nombre de campo 'NOMBRELARGO' no es válido (de 1 a 10 letras, cifras o '_')"},
      {{{"", FieldType::Integer, 0}},
       "el nombre de campo '' no es válido (de 1 a 10 letras, cifras o '_')"},
      {{{"AÑO", FieldType::Integer, 0}},
       "el nombre de campo 'AÑO' no es válido (de 1 a 10 letras, cifras o '_')"},
      {{{"COD", FieldType::String, 5}, {"cod", FieldType::Integer, 0}},
       "el campo 'cod' está repetido"},
      {{{"COD", FieldType::String, 0}}, "el campo 'COD' tiene un tamaño no válido (0; de 1 a 254)"},
      {{{"COD", FieldType::String, 255}},
       "el campo 'COD' tiene un tamaño no válido (255; de 1 a 254)"},
  };
  TempFolder dir;
  const std::string path = dir.file("MAL.DBF");
  for (const Case& c : cases) {
    EXPECT_THROW_MSG(
        createTable(path, c.fields),
        "No se puede crear la tabla '" + files::pathForMessage(path) + "': " + c.problem);
  }
  EXPECT_FALSE(files::exists(path));
}

TEST(DbaseTable, EmptyTableIsAtEndAtOnceAndHasNoCurrentRow) {
  TempFolder dir;
  createTable(dir.file("T.DBF"), {{"COD", FieldType::String, 5}});
  Table table(dir.path(), "T", Access::Exclusive);
  table.open();
  EXPECT_TRUE(table.eof());
  table.first();
  EXPECT_TRUE(table.eof());
  EXPECT_THROW_MSG(table.asString("COD"), "La tabla '" + files::pathForMessage(table.path()) +
                                              "' no tiene fila actual (fin de la tabla)");
}

TEST(DbaseTable, OpenAndCloseTwiceChangeNothing) {
  TempFolder dir;
  createTable(dir.file("T.DBF"), {{"COD", FieldType::String, 5}});
  Table table(dir.path(), "T", Access::Exclusive);
  table.close();
  EXPECT_FALSE(table.active());
  table.open();
  table.append();
  table.setString("COD", "a");
  table.post();
  table.next();
  EXPECT_TRUE(table.eof());
  table.open();  // still open, still at its end, the posted row still there
  EXPECT_TRUE(table.active());
  EXPECT_TRUE(table.eof());
  EXPECT_EQ(table.recordCount(), 1u);
  table.close();
  table.close();
  EXPECT_FALSE(table.active());
  EXPECT_EQ(dir.read("T.DBF").size(), 32 + 32 + 1 + 6 + 1u);
}

TEST(DbaseTable, FailuresNameTheTableAndWhatWentWrong) {
  TempFolder dir;
  createTable(dir.file("PROFT.DBF"), {{"ABREV", FieldType::String, 10}});
  const std::string proft = files::pathForMessage(dir.file("PROFT.DBF"));

  Table missing(dir.path(), "SOLUC", Access::Exclusive);
  EXPECT_THROW_MSG(missing.open(), "No se encuentra la tabla '" +
                                       files::pathForMessage(dir.file("SOLUC.DBF")) + "'");
  EXPECT_FALSE(missing.active());
  EXPECT_THROW_MSG(missing.first(), "La tabla '" + files::pathForMessage(dir.file("SOLUC.DBF")) +
                                        "' no está abierta");

  Table table(dir.path(), "PROFT", Access::Exclusive);
  table.open();
  EXPECT_THROW_MSG(table.fieldIndex("X_EMPLEADO"),
                   "La tabla '" + proft + "' no tiene el campo 'X_EMPLEADO'");
  EXPECT_THROW_MSG(table.setString("ABREV", "x"),
                   "La tabla '" + proft + "' no tiene ninguna fila nueva en edición");
  EXPECT_THROW_MSG(table.post(), "La tabla '" + proft + "' no tiene ninguna fila nueva en edición");
  table.append();
  EXPECT_THROW_MSG(table.setString("NOMBRE", "x"),
                   "La tabla '" + proft + "' no tiene el campo 'NOMBRE'");
  table.setString("ABREV", "O'Neil");
  EXPECT_THROW_MSG(
      table.asInteger("ABREV"),
      "'O'Neil' no es un valor entero válido (campo 'ABREV' de la tabla '" + proft + "')");
  EXPECT_THROW_MSG(table.asFloat("ABREV"),
                   "'O'Neil' no es un valor de coma flotante válido (campo 'ABREV' de la tabla '" +
                       proft + "')");
}

TEST(DbaseTable, TextFieldsReadAsNumbersWithTheSystemConversion) {
  TempFolder dir;
  createTable(dir.file("SOLUC.DBF"), {{"DIA", FieldType::String, 4}});
  Table table(dir.path(), "SOLUC", Access::Shared);
  table.open();
  for (const char* text : {" 12", "$1F", "", "-3"}) {
    table.append();
    table.setString("DIA", text);
    table.post();
  }
  table.first();
  EXPECT_EQ(table.asInteger("DIA"), 12);
  EXPECT_EQ(table.asString("DIA"), " 12");
  table.next();
  EXPECT_EQ(table.asInteger("DIA"), 31);
  table.next();
  EXPECT_EQ(table.asInteger("DIA"), 0);  // no value reads as 0
  EXPECT_EQ(table.asFloat("DIA"), 0);
  table.next();
  EXPECT_EQ(table.asInteger("DIA"), -3);
  EXPECT_EQ(table.asFloat("DIA"), -3);
}

TEST(DbaseTable, ManyRowsRoundTrip) {
  TempFolder dir;
  createTable(dir.file("SOLUC.DBF"), {{"PROF", FieldType::String, 10},
                                      {"DIA", FieldType::Integer, 0},
                                      {"HORAS", FieldType::Float, 0}});
  const int rows = 25000;
  {
    Table table(dir.path(), "SOLUC", Access::Shared);
    table.open();
    for (int i = 0; i < rows; ++i) {
      table.append();
      table.setString("PROF", "P" + std::to_string(i % 97));
      table.setInteger("DIA", i);
      table.setFloat("HORAS", i / 4.0);
      table.post();
    }
    table.close();
  }
  Table table(dir.path(), "SOLUC", Access::Exclusive);
  table.open();
  ASSERT_EQ(table.recordCount(), static_cast<size_t>(rows));
  const int prof = table.fieldIndex("PROF");
  const int dia = table.fieldIndex("DIA");
  const int horas = table.fieldIndex("HORAS");
  int i = 0;
  for (table.first(); !table.eof(); table.next(), ++i) {
    ASSERT_EQ(table.asString(prof), "P" + std::to_string(i % 97));
    ASSERT_EQ(table.asInteger(dia), i);
    ASSERT_EQ(table.asFloat(horas), i / 4.0);
  }
  EXPECT_EQ(i, rows);
}

}  // namespace
}  // namespace tts::dbase
