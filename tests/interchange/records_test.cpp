// Records and values of the interchange document, read from real files.
#include <gtest/gtest.h>

#include "interchange/records.h"
#include "platform/files.h"
#include "tests/support/testing.h"

namespace tts {
namespace {

using tts::testing::TempFolder;

// UTF-8 text of the documents is written as escapes: the literals of this file
// are compiled into the ANSI code page.
const char kSchool[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<SERVICIO><SALIDAS>\n"
    "  <listasal seq=\"MATERIAS\">\n"
    "    <listasal>\n"
    "      <salida dato=\"CODIGO\">\n        M01  \n      </salida>\n"
    "      <salida dato=\" NOMBRE\">Matem\xC3\xA1ticas  y  m\xC3\xA1s</salida>\n"
    "      <salida>sin nombre</salida>\n"
    "    </listasal>\n"
    "    <listasal><salida>solo</salida></listasal>\n"
    "    <listasal><salida>a</salida><salida>b</salida><salida>c</salida>"
    "</listasal>\n"
    "    <listasal/>\n"
    "  </listasal>\n"
    "  <listasal seq=\"AULAS\"><listasal><salida>A1</salida></listasal></listasal>\n"
    "  <listasal seq=\"AULAS\"><listasal><salida>A2</salida></listasal>"
    "<listasal><salida>A3</salida></listasal></listasal>\n"
    "</SALIDAS></SERVICIO>\n";

class Records : public ::testing::Test {
 protected:
  TempFolder folder;
  std::unique_ptr<xml::Document> doc = loadDocument(folder.write("school.xml", kSchool));
};

TEST(ListPath, IsTheSelectionOfTheListsRecords) {
  EXPECT_EQ(listPath("MATERIAS"), "/SERVICIO/SALIDAS/listasal[@seq=\"MATERIAS\"]/listasal");
}

TEST_F(Records, ValuesByPositionAreTrimmedAnsiAndNamesAreUntrimmed) {
  auto records = recordsOf(*doc, "MATERIAS");
  ASSERT_EQ(records.size(), 4u);
  const Record& first = records[0];
  EXPECT_EQ(first.list(), "MATERIAS");
  EXPECT_EQ(first.number(), 1u);
  ASSERT_EQ(first.count(), 3u);
  EXPECT_EQ(first.value(0), "M01");
  EXPECT_EQ(first.value(1), "Matemáticas  y  más");
  EXPECT_EQ(first.value(2), "sin nombre");
  EXPECT_EQ(first.name(0), "CODIGO");
  EXPECT_EQ(first.name(1), " NOMBRE");
  EXPECT_EQ(first.name(2), std::nullopt);
  EXPECT_EQ(records[1].count(), 1u);
  EXPECT_EQ(records[3].count(), 0u);
}

TEST_F(Records, ListsSharingASeqAreReadAsOneNumberedOnAndMissingListsAreEmpty) {
  auto records = recordsOf(*doc, "AULAS");
  ASSERT_EQ(records.size(), 3u);
  for (size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(records[i].number(), i + 1);
    EXPECT_EQ(records[i].value(0), "A" + std::to_string(i + 1));
  }
  EXPECT_TRUE(recordsOf(*doc, "PROFESORES").empty());
  EXPECT_TRUE(recordsOf(*doc, "aulas").empty());
}

struct MissingCase {
  size_t record;  // index in the list
  size_t position;
  const char* message;
};

class MissingPosition : public Records, public ::testing::WithParamInterface<MissingCase> {};

TEST_P(MissingPosition, IsAnErrorNamingListRecordAndPosition) {
  auto records = recordsOf(*doc, "MATERIAS");
  const Record& record = records.at(GetParam().record);
  EXPECT_THROW_MSG(record.value(GetParam().position), GetParam().message);
  EXPECT_THROW_MSG(record.name(GetParam().position), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MissingPosition,
    ::testing::Values(
        MissingCase{
            2, 3,
            "La lista MATERIAS, registro 3, no tiene el valor de la posición 3: el registro "
            "tiene 3 valores, en las posiciones 0 a 2"},
        MissingCase{
            1, 1,
            "La lista MATERIAS, registro 2, no tiene el valor de la posición 1: el registro "
            "tiene 1 valor, en la posición 0"},
        MissingCase{
            3, 0,
            "La lista MATERIAS, registro 4, no tiene el valor de la posición 0: el registro "
            "no tiene valores"}));

struct TextCase {
  const char* label;
  std::string content;  // of the salida element, as written in the file
  std::string value;    // what value(0) gives, ANSI
};

class ValueText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ValueText, IsTrimmedAndConvertedToAnsi) {
  TempFolder folder;
  auto doc = loadDocument(folder.write(
      "v.xml", "<SERVICIO><SALIDAS><listasal seq=\"TRAMOS\"><listasal><salida>" +
                   GetParam().content + "</salida></listasal></listasal></SALIDAS></SERVICIO>"));
  auto records = recordsOf(*doc, "TRAMOS");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].value(0), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValueText,
    ::testing::Values(TextCase{"Blanks", "  x  ", "x"},
                      TextCase{"LineBreaks", "\r\n\t  Lunes  8 \t\r\n  ", "Lunes  8"},
                      TextCase{"References", "&#9;&#13;&#10; a &#9;", "a"},
                      TextCase{"OnlyBlanks", " \t\n ", ""}, TextCase{"Empty", "", ""},
                      TextCase{"Nested", " <b>x</b> y <i>z </i>", "x y z"},
                      TextCase{"Accents",
                               "\xC3\xB1"
                               "and\xC3\xBA \xC3\x81"
                               "ngel",
                               "ñandú Ángel"},
                      TextCase{"Euro", "\xE2\x82\xAC", "\x80"},
                      TextCase{"OutsideTheCodePage", "\xC5\x9B", "?"}),
    [](const ::testing::TestParamInfo<TextCase>& param) { return param.param.label; });

TEST(LoadDocument, NamesTheFileThatDoesNotLoad) {
  TempFolder folder;
  std::string missing = folder.file("falta.xml");
  EXPECT_THROW_HAS(loadDocument(missing), "'" + files::pathForMessage(missing) + "'");
  std::string broken = folder.write("roto.xml", "<SERVICIO><SALIDAS></SERVICIO>");
  EXPECT_THROW_HAS(loadDocument(broken),
                   "El archivo '" + files::pathForMessage(broken) + "' no es un documento XML");
}

}  // namespace
}  // namespace tts
