// Damaged and truncated files: a clear error naming the table and what is
// wrong, never a crash or a read past the data (the native build runs these
// under AddressSanitizer).
#include <cctype>
#include <random>

#include "platform/dbase/cells.h"
#include "platform/dbase/layout.h"
#include "platform/dbase/table.h"
#include "platform/files.h"
#include "tests/dbase/dbf_bytes.h"
#include "tests/support/testing.h"

namespace tts::dbase {
namespace {

using tts::testing::DbfBytes;
using tts::testing::padded;
using tts::testing::right;
using tts::testing::TempFolder;

// A sound table: three fields, two records. Header 32 + 3 * 32 + 1 = 129
// bytes, records of 1 + 5 + 6 + 1 = 13 bytes.
DbfBytes sound() {
  DbfBytes bytes;
  bytes.field("COD", 'C', 5)
      .field("NUM", 'N', 6, 2)
      .field("OK", 'L', 1)
      .record(padded("ab", 5) + right("1.50", 6) + "T")
      .record(padded("cd", 5) + right("-2.00", 6) + "F");
  return bytes;
}

std::vector<uint8_t> asBytes(const std::string& s) {
  return std::vector<uint8_t>(s.begin(), s.end());
}

struct Damage {
  const char* label;
  std::string (*make)();
  const char* problem;  // after "La tabla 'T.DBF' está dañada: "
};

std::string withByte(size_t at, uint8_t value) {
  std::string s = sound().build();
  s[at] = static_cast<char>(value);
  return s;
}

std::string withLe16(size_t at, uint32_t value) {
  std::string s = sound().build();
  DbfBytes::put16(s, at, value);
  return s;
}

const Damage kDamages[] = {
    {"empty file", [] { return std::string(); },
     "el archivo tiene 0 bytes y la cabecera de una tabla dBase tiene 32"},
    {"cut inside the fixed header", [] { return sound().build().substr(0, 31); },
     "el archivo tiene 31 bytes y la cabecera de una tabla dBase tiene 32"},
    {"cut inside the descriptors", [] { return sound().build().substr(0, 70); },
     "la cabecera declara 129 bytes y el archivo tiene 70"},
    {"cut inside the records", [] { return sound().build().substr(0, 129 + 13 + 5); },
     "declara 2 registros y el archivo solo tiene datos para 1"},
    {"cut before the records", [] { return sound().build().substr(0, 129); },
     "declara 2 registros y el archivo solo tiene datos para 0"},
    {"unknown version", [] { return withByte(0, 0x07); },
     "versión de dBase desconocida (0x07 en el primer byte)"},
    {"record count beyond the data",
     [] {
       std::string s = sound().build();
       DbfBytes::put32(s, 4, 3);
       return s;
     },
     "declara 3 registros y el archivo solo tiene datos para 2"},
    {"huge record count",
     [] {
       std::string s = sound().build();
       DbfBytes::put32(s, 4, 0xFFFFFFFF);
       return s;
     },
     "declara 4294967295 registros y el archivo solo tiene datos para 2"},
    {"header length beyond the file", [] { return withLe16(8, 60000); },
     "la cabecera declara 60000 bytes y el archivo tiene 156"},
    {"header length smaller than the descriptors", [] { return withLe16(8, 100); },
     "la cabecera de 100 bytes es más corta que sus descripciones de campos"},
    {"header length smaller than the fixed header", [] { return withLe16(8, 10); },
     "la cabecera de 10 bytes termina antes del fin de las descripciones de campos (0x0D)"},
    {"descriptor end marker missing", [] { return withByte(128, 'X'); },
     "la cabecera de 129 bytes es más corta que sus descripciones de campos"},
    {"record length too small", [] { return withLe16(10, 12); },
     "la longitud de registro declarada (12) no es la de sus campos más la marca de borrado "
     "(13)"},
    {"record length too large", [] { return withLe16(10, 14); },
     "la longitud de registro declarada (14) no es la de sus campos más la marca de borrado "
     "(13)"},
    {"record length zero", [] { return withLe16(10, 0); },
     "la longitud de registro declarada (0) no es la de sus campos más la marca de borrado (13)"},
    {"unknown field type", [] { return withByte(32 + 32 + 11, 'Q'); },
     "el campo 2 ('NUM') es de un tipo desconocido (0x51)"},
    {"field of width zero", [] { return withByte(32 + 16, 0); },
     "el campo 1 ('COD') tiene anchura 0"},
    {"level 7 type in a Visual FoxPro table",
     [] {
       std::string s = withByte(0, 0x30);
       s[32 + 32 + 11] = 'O';
       return s;
     },
     "el campo 2 ('NUM') es de un tipo desconocido (0x4F)"},
    {"binary field of the wrong width",
     [] {
       DbfBytes bytes;
       bytes.level7("DBWINWE0").field("DIA", 'I', 2).record("ab");
       return bytes.build();
     },
     "el campo 1 ('DIA') de tipo I tiene anchura 2 y debe tener 4"},
    {"level 7 header too short for its descriptors",
     [] {
       DbfBytes bytes;
       bytes.level7("DBWINWE0").field("DIA", 'I', 4);
       std::string s = bytes.build();
       DbfBytes::put16(s, 8, 40);
       return s;
     },
     "la cabecera de nivel 7 declara 40 bytes, menos de 68"},
};

class DbaseDamaged : public ::testing::TestWithParam<Damage> {};

TEST_P(DbaseDamaged, ParseGivesAClearError) {
  const Damage& d = GetParam();
  const std::vector<uint8_t> bytes = asBytes(d.make());
  EXPECT_THROW_MSG(parseTable(bytes, "T.DBF"),
                   std::string("La tabla 'T.DBF' está dañada: ") + d.problem);
}

INSTANTIATE_TEST_SUITE_P(Cases, DbaseDamaged, ::testing::ValuesIn(kDamages),
                         [](const ::testing::TestParamInfo<Damage>& param) {
                           std::string name;
                           for (const char* p = param.param.label; *p; ++p) {
                             name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           }
                           return name;
                         });

TEST(DbaseDamagedFile, OpeningADamagedFileNamesItAndLeavesTheTableClosed) {
  TempFolder dir;
  dir.write("SOLUC.DBF", sound().build().substr(0, 140));
  Table table(dir.path(), "SOLUC", Access::Exclusive);
  EXPECT_THROW_MSG(table.open(), "La tabla '" + files::pathForMessage(dir.file("SOLUC.DBF")) +
                                     "' está dañada: declara 2 registros y el archivo solo "
                                     "tiene datos para 0");
  EXPECT_FALSE(table.active());
  // The hold on the file went with the failed open.
  Table again(dir.path(), "SOLUC", Access::Exclusive);
  EXPECT_THROW_HAS(again.open(), "está dañada");
}

// Every value of every record of a parsed layout, read in every way: what
// a damaged file that still parses gives must stay inside the bytes.
void readEverything(const std::vector<uint8_t>& bytes, const Layout& layout) {
  for (uint32_t r = 0; r < layout.recordCount; ++r) {
    const uint8_t* record = bytes.data() + layout.headerLength + size_t{r} * layout.recordLength;
    for (const Field& f : layout.fields) {
      (void)cellText(f, record, layout.codePage);
      (void)cellNumber(f, record);
      (void)cellTextEquals(f, record, layout.codePage, "x");
    }
  }
}

TEST(DbaseDamagedFile, EveryTruncationAndManyByteFlipsParseOrFailCleanly) {
  std::vector<std::string> samples = {sound().build()};
  {
    DbfBytes bytes;
    bytes.level7("DB850ES0")
        .field("A", 'I', 4)
        .field("B", 'O', 8)
        .field("C", '@', 8)
        .field("D", 'C', 3)
        .afterDescriptors("props")
        .record(std::string(4, '\x80') + std::string(8, '\xFF') + std::string(8, '\x7F') +
                "\xA4xy");
    samples.push_back(bytes.build());
  }
  std::mt19937 random(20240305);
  for (const std::string& sample : samples) {
    for (size_t cut = 0; cut <= sample.size(); ++cut) {
      std::vector<uint8_t> bytes = asBytes(sample.substr(0, cut));
      try {
        readEverything(bytes, parseTable(bytes, "T.DBF"));
      } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("está dañada"), std::string::npos) << e.what();
      }
    }
    for (int round = 0; round < 3000; ++round) {
      std::vector<uint8_t> bytes = asBytes(sample);
      for (int flips = 1 + round % 4; flips > 0; --flips) {
        bytes[random() % bytes.size()] = static_cast<uint8_t>(random());
      }
      try {
        readEverything(bytes, parseTable(bytes, "T.DBF"));
      } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("está dañada"), std::string::npos) << e.what();
      }
    }
  }
}

}  // namespace
}  // namespace tts::dbase
