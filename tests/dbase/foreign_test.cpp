// Tables written by others, as hand-made byte fixtures: the engine at level 7,
// dBase III+ with memo, FoxPro variants, OEM code pages, deleted records.
#include "platform/dbase/layout.h"
#include "platform/dbase/table.h"
#include "platform/files.h"
#include "platform/text.h"
#include "tests/dbase/dbf_bytes.h"
#include "tests/support/testing.h"

namespace tts::dbase {
namespace {

using tts::testing::bigEndianDouble;
using tts::testing::DbfBytes;
using tts::testing::level7Double;
using tts::testing::level7Long;
using tts::testing::littleEndian32;
using tts::testing::padded;
using tts::testing::right;
using tts::testing::TempFolder;

// Writes the fixture as T.DBF and opens it.
class Foreign {
 public:
  explicit Foreign(const DbfBytes& bytes, const std::string& name = "T.DBF") {
    dir_.write(name, bytes.build());
    table_ = std::make_unique<Table>(dir_.path(), "T", Access::Exclusive);
    table_->open();
  }
  Table& operator*() { return *table_; }
  Table* operator->() { return table_.get(); }

 private:
  TempFolder dir_;
  std::unique_ptr<Table> table_;
};

TEST(DbaseForeign, Level7FieldsOfTheEngineReadAsTextAndNumbers) {
  // A SOLUC as the engine writes it at level 7: I for integers, O for floats,
  // @ timestamps, + autoincrement, and a properties block after the fields.
  DbfBytes bytes;
  bytes.level7("DBWINWE0")
      .field("PROF", 'C', 6)
      .field("DIA", 'I', 4)
      .field("HORAS", 'O', 8)
      .field("CUANDO", '@', 8)
      .field("ID", '+', 4)
      .field("ACTIVO", 'L', 1)
      .afterDescriptors(std::string("\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00", 14))
      .record(padded("Peña", 6) + level7Long(3) + level7Double(61.0 / 60) +
              // 2000-08-16 17:21:41: milliseconds since 0001-01-01 (day 1)
              bigEndianDouble(63102129701000.0) + level7Long(1) + "T")
      .record(padded("X", 6) + level7Long(-7) + level7Double(-2.5) + std::string(8, '\0') +
              level7Long(2) + "?")
      .record(padded("", 6) + std::string(4, '\0') + std::string(8, '\0') + std::string(8, '\0') +
              level7Long(0) + " ");
  Foreign t(bytes);

  const std::vector<FieldInfo>& fields = t->fields();
  ASSERT_EQ(fields.size(), 6u);
  EXPECT_EQ(fields[1].name, "DIA");
  EXPECT_EQ(fields[1].type, 'I');
  EXPECT_EQ(fields[2].type, 'O');
  EXPECT_EQ(fields[2].width, 8);

  EXPECT_EQ(t->asString("PROF"), "Peña");
  EXPECT_EQ(t->asInteger("DIA"), 3);
  EXPECT_EQ(t->asString("DIA"), "3");
  EXPECT_EQ(t->asFloat("HORAS"), 61.0 / 60);
  EXPECT_EQ(t->asString("HORAS"), "1.01666666666667");
  EXPECT_EQ(t->asString("CUANDO"), "16/08/2000 17:21:41");
  EXPECT_EQ(t->asInteger("ID"), 1);
  EXPECT_TRUE(t->asBoolean("ACTIVO"));
  t->next();
  EXPECT_EQ(t->asInteger("DIA"), -7);
  EXPECT_EQ(t->asString("DIA"), "-7");
  EXPECT_EQ(t->asString("HORAS"), "-2.5");
  EXPECT_EQ(t->asString("CUANDO"), "");
  EXPECT_EQ(t->asString("ACTIVO"), "");  // "?": no value
  EXPECT_FALSE(t->asBoolean("ACTIVO"));
  t->next();
  EXPECT_EQ(t->asString("DIA"), "");  // all zero: no value
  EXPECT_EQ(t->asInteger("DIA"), 0);
  EXPECT_EQ(t->asFloat("HORAS"), 0);
  EXPECT_EQ(t->asString("ID"), "0");  // a real zero
  t->next();
  EXPECT_TRUE(t->eof());
}

TEST(DbaseForeign, NumbersReadAsTheEngineShowsThem) {
  struct Case {
    const char* stored;  // right-aligned in N 12.4 unless blank
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"1.0000", "1", 1},           {"2.5000", "2.5", 2.5},  {"-0.5000", "-0.5", -0.5},
      {"1.0167", "1.0167", 1.0167}, {"0.0000", "0", 0},      {"", "", 0},
      {"************", "", 0},      {"0012.0000", "12", 12}, {"1.5e3", "1500", 1500},
  };
  DbfBytes bytes;
  bytes.field("N", 'N', 12, 4).field("F", 'F', 12, 4);
  for (const Case& c : cases) {
    bytes.record(right(c.stored, 12) + padded(c.stored, 12, '\0'));  // F: NUL-padded
  }
  Foreign t(bytes);
  for (const Case& c : cases) {
    ASSERT_FALSE(t->eof());
    EXPECT_EQ(t->asString("N"), c.text) << c.stored;
    EXPECT_EQ(t->asFloat("N"), c.value) << c.stored;
    EXPECT_EQ(t->asString("F"), c.text) << c.stored;
    t->next();
  }
  EXPECT_TRUE(t->eof());
}

TEST(DbaseForeign, DigitsThatAreNoNumberReadAsTextAndFailAsNumber) {
  DbfBytes bytes;
  bytes.field("N", 'N', 5).record(right("1,5", 5));
  Foreign t(bytes);
  EXPECT_EQ(t->asString("N"), "1,5");
  EXPECT_THROW_HAS(t->asInteger("N"),
                   "'1,5' no es un valor numérico válido (campo 'N' de la tabla");
}

TEST(DbaseForeign, DeletedRecordsAreNotVisible) {
  DbfBytes bytes;
  bytes.field("COD", 'C', 3)
      .record("uno", '*')
      .record("dos")
      .record("tre", '*')
      .record("cua")
      .record("cin", '*');
  Foreign t(bytes);
  EXPECT_EQ(t->recordCount(), 2u);
  std::vector<std::string> seen;
  for (t->first(); !t->eof(); t->next())
    seen.push_back(t->asString("COD"));
  EXPECT_EQ(seen, (std::vector<std::string>{"dos", "cua"}));
}

TEST(DbaseForeign, AllDeletedIsAnEmptyTable) {
  DbfBytes bytes;
  bytes.field("COD", 'C', 3).record("uno", '*');
  Foreign t(bytes);
  EXPECT_TRUE(t->eof());
  EXPECT_EQ(t->recordCount(), 0u);
}

TEST(DbaseForeign, OemTextIsConvertedToAnsi) {
  struct Case {
    const char* label;
    uint8_t driver;
    const char* level7Name;  // level 7 names its driver instead
    std::string stored;
    std::string expected;
  };
  // "Año ñandú É" and a shade block (not in Windows-1252) in each DOS page.
  const Case cases[] = {
      {"DB850ES0", 0x14, nullptr, "A\xA4o \xA4\x61nd\xA3 \x90\xB0", "Año ñandú É?"},
      {"DB850US0", 0x37, nullptr, "A\xA4o \xA4\x61nd\xA3 \x90\xB0", "Año ñandú É?"},
      {"FoxPro 850", 0x02, nullptr, "\xB5\xD6\xE0", "ÁÍÓ"},
      {"DB437US0", 0x1B, nullptr, "A\xA4o \xA4\x61nd\xA3 \x90\xB0", "Año ñandú É?"},
      {"DB437ES1", 0x18, nullptr, "\x9B\x9D", "¢¥"},
      {"FoxPro 437", 0x01, nullptr, "\xE1\x9E", "ß?"},
      {"level 7 DB850ES0", 0, "DB850ES0", "\xA4\xD1", "ñÐ"},
      {"level 7 DB437US0", 0, "DB437US0", "\xA4\xE0", "ñ?"},
      {"ANSI DBWINUS0", 0x57, nullptr, "A\xF1o \x80", "Año €"},
      {"ANSI DBWINES0", 0x59, nullptr, "A\xF1o", "Año"},
      {"no driver", 0x00, nullptr, "A\xF1o", "Año"},
      {"level 7 DBWINWE0", 0, "DBWINWE0", "A\xF1o", "Año"},
  };
  for (const Case& c : cases) {
    DbfBytes bytes;
    if (c.level7Name)
      bytes.level7(c.level7Name);
    else
      bytes.driver(c.driver);
    bytes.field("NOMBRE", 'C', 20).record(padded(c.stored, 20));
    Foreign t(bytes);
    EXPECT_EQ(t->asString("NOMBRE"), c.expected) << c.label;
  }
}

TEST(DbaseForeign, FilterComparesTheConvertedText) {
  DbfBytes bytes;
  bytes.driver(0x37)
      .field("PROF", 'C', 6)
      .record(padded("Pe\xA4\x61", 6))
      .record(padded("Pena", 6));
  Foreign t(bytes);
  t->setFilter("PROF= 'Peña'");
  t->setFiltered(true);
  ASSERT_FALSE(t->eof());
  EXPECT_EQ(t->asString("PROF"), "Peña");
  t->next();
  EXPECT_TRUE(t->eof());
}

TEST(DbaseForeign, DbaseThreeWithMemoDatesAndLogicals) {
  DbfBytes bytes;
  bytes.version(0x83)
      .driver(0x00)
      .field("NOMBRE", 'C', 8)
      .field("NOTAS", 'M', 10)
      .field("ALTA", 'D', 8)
      .field("OK", 'L', 1)
      .record(padded("Ana", 8) + right("1", 10) + "20240305" + "y")
      .record(padded("Luis", 8, '\0') + std::string(10, ' ') + "        " + "N")
      .record(padded("Eva", 8) + right("2", 10) + "00000000" + "t");
  Foreign t(bytes);
  EXPECT_EQ(t->asString("NOMBRE"), "Ana");
  EXPECT_EQ(t->asString("NOTAS"), "");  // memo contents are not read
  EXPECT_EQ(t->asString("ALTA"), "05/03/2024");
  EXPECT_EQ(t->asFloat("ALTA"), 45356);  // the engine's day number
  EXPECT_EQ(t->asString("OK"), "True");
  t->next();
  EXPECT_EQ(t->asString("NOMBRE"), "Luis");  // NUL padding
  EXPECT_EQ(t->asString("ALTA"), "");
  EXPECT_FALSE(t->asBoolean("OK"));
  EXPECT_EQ(t->asString("OK"), "False");
  t->next();
  EXPECT_EQ(t->asString("ALTA"), "");
  EXPECT_TRUE(t->asBoolean("OK"));
}

TEST(DbaseForeign, VisualFoxProWithBacklinkAfterTheFields) {
  // Visual FoxPro: 263 bytes after 0x0D, little-endian integers and doubles.
  double half = 0.5;
  uint64_t bits;
  std::memcpy(&bits, &half, sizeof bits);
  std::string littleDouble(8, '\0');
  for (size_t i = 0; i < 8; ++i)
    littleDouble[i] = static_cast<char>(bits >> (8 * i));
  DbfBytes bytes;
  bytes.version(0x30)
      .driver(0x03)
      .field("COD", 'C', 4)
      .field("N", 'I', 4)
      .field("X", 'B', 8)
      .field("Y", 'Y', 8)
      .field("T", 'T', 8)
      .afterDescriptors(std::string(263, '\0'))
      .record(padded("a\xF1", 4) + littleEndian32(static_cast<uint32_t>(-5)) + littleDouble +
              littleEndian32(125000) + littleEndian32(0) + littleEndian32(2451773) +
              littleEndian32(62501000));
  Foreign t(bytes);
  EXPECT_EQ(t->asString("COD"), "añ");
  EXPECT_EQ(t->asInteger("N"), -5);
  EXPECT_EQ(t->asFloat("X"), 0.5);
  EXPECT_EQ(t->asString("Y"), "12.5");
  EXPECT_EQ(t->asString("T"), "16/08/2000 17:21:41");
}

TEST(DbaseForeign, LongTextWidthInTheDecimalsByteAsClipperWritesIt) {
  DbfBytes bytes;
  bytes.field("TEXTO", 'C', 300).record(padded("largo", 299) + "z");
  Foreign t(bytes);
  EXPECT_EQ(t->fields()[0].width, 300);
  EXPECT_EQ(t->asString("TEXTO"), padded("largo", 299) + "z");
}

TEST(DbaseForeign, EndMarkerOnARecordBoundaryEndsTheRecords) {
  DbfBytes bytes;
  bytes.field("COD", 'C', 3).record("uno").record("dos");
  std::string raw = bytes.build();
  // The header still counts two records; the second one's place holds 0x1A.
  raw[bytes.headerLength() + bytes.recordLength()] = '\x1A';
  TempFolder dir;
  dir.write("T.DBF", raw);
  Table t(dir.path(), "T", Access::Shared);
  t.open();
  EXPECT_EQ(t.recordCount(), 1u);
  EXPECT_EQ(t.asString("COD"), "uno");
  t.next();
  EXPECT_TRUE(t.eof());
}

TEST(DbaseForeign, TableFileIsFoundWhateverTheLetterCaseOfItsName) {
  for (const char* onDisk : {"SOLUC.DBF", "soluc.dbf", "Soluc.Dbf"}) {
    TempFolder dir;
    DbfBytes bytes;
    bytes.field("PROF", 'C', 3).record("abc");
    dir.write(onDisk, bytes.build());
    Table t(dir.path(), "SOLUC", Access::Exclusive);
    t.open();
    // Windows finds it by itself and keeps the name as asked.
    EXPECT_EQ(lowerAscii(t.path()), lowerAscii(dir.file(onDisk)));
    EXPECT_EQ(t.asString("prof"), "abc");
  }
}

}  // namespace
}  // namespace tts::dbase
