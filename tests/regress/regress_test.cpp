// Inputs found by fuzzing (scripts/fuzz.sh), each fed to the entry point it
// broke, with the fuzz target's own check: the service must keep every promise
// that check holds it to. A new finding goes into kCases with a line on what
// it broke.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <span>
#include <string>

#include "fuzz/checks.h"
#include "tests/support/testing.h"

namespace tts::testing {
namespace {

enum class Entry { Layout, Table, Records, ToInteger };

struct Case {
  const char* name;
  Entry entry;
  std::string bytes;
};

const Case kCases[] = {
    // to_integer_fuzz: a text holding NULs is refused; the message names the
    // text up to its first NUL, as what() carries it.
    {"IntegerWithNuls", Entry::ToInteger, std::string("\x00\x00\xF5", 3)},
    // records_fuzz: the encoding is read from the declaration's bytes, but
    // pugixml drops the attributes of this malformed declaration; the document
    // loaded as ISO-8859-1 and its result was saved in ISO-8859-1 under a bare
    // "<?xml?>", so it read back as (invalid) UTF-8. Now the load refuses it.
    {"DeclarationTheParserDrops", Entry::Records,
     "<?xml />encoding=\"ISO8859-1\"?><SERVICIO><SALIDAS></SALIDAS>\xA9</SERVICIO>"},
    // records_fuzz: a declaration after text. pugixml drops the text and keeps
    // the declaration, which the save wrote first: the result named an
    // encoding the system does not read. Now the load refuses it.
    {"DeclarationAfterText", Entry::Records,
     "l<?xml encoding=\"T\"?><SERVICIO><SALIDAS/></SERVICIO>"},
    // The same road to silent damage: a line break before the declaration, so
    // the file was read as UTF-8, and its result was saved in UTF-8 under the
    // declaration's ISO-8859-1, reading back "a\xC3\xB1o" for "a\xF1o".
    {"LineBreakBeforeDeclaration", Entry::Records,
     "\n<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><SERVICIO><SALIDAS>"
     "<listasal seq=\"AULAS\"><listasal><salida>a\xC3\xB1o</salida><salida>A1</salida>"
     "</listasal></listasal></SALIDAS></SERVICIO>"},
    // What the fix must keep: a sound ISO-8859-1 document loads, and its result
    // declares the encoding it is written in (on Windows the component's
    // serialization drops it and the service puts it back).
    {"Latin1DocumentRoundTrip", Entry::Records,
     "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><SERVICIO><SALIDAS>"
     "<listasal seq=\"AULAS\"><listasal><salida>Ca\xF1"
     "ete</salida><salida>A1</salida>"
     "</listasal></listasal></SALIDAS></SERVICIO>"},
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

class Regression : public ::testing::TestWithParam<Case> {};

TEST_P(Regression, KeepsThePromisesOfItsEntryPoint) {
  const Case& c = GetParam();
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(c.bytes.data()),
                                       c.bytes.size());
  TempFolder folder;
  switch (c.entry) {
    case Entry::Layout:
      EXPECT_EQ(fuzz::checkLayout(bytes), "");
      break;
    case Entry::Table:
      EXPECT_EQ(fuzz::checkTable(bytes, folder.path()), "");
      break;
    case Entry::Records:
      EXPECT_EQ(fuzz::checkRecords(bytes, folder.path()), "");
      break;
    case Entry::ToInteger:
      EXPECT_EQ(fuzz::checkToInteger(c.bytes), "");
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(Found, Regression, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& param) {
                           return std::string(param.param.name);
                         });

}  // namespace
}  // namespace tts::testing
