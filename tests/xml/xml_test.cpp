// Contract of the XML document service, the same on every back end: this file
// runs natively on pugixml and, in the Windows build, on the platform's XML
// component under Wine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/text.h"
#include "platform/xml.h"
#include "tests/support/testing.h"

namespace tts::xml {
namespace {

using tts::testing::TempFolder;

// Literals of this file are compiled into the ANSI code page, so UTF-8 text
// is written as escapes.
std::unique_ptr<Document> loaded(const TempFolder& folder, const std::string& name,
                                 const std::string& bytes) {
  auto doc = createDocument();
  doc->load(folder.write(name, bytes));
  return doc;
}

// The trimmed text of each node: the Windows component trims text ends itself.
std::vector<std::string> texts(const std::vector<NodePtr>& nodes) {
  std::vector<std::string> out;
  for (const NodePtr& node : nodes)
    out.push_back(trim(node->text()));
  return out;
}

// The trimmed text of the first value of each record.
std::vector<std::string> firstValues(const std::vector<NodePtr>& records) {
  std::vector<std::string> out;
  for (const NodePtr& record : records) {
    auto values = record->selectNodes("salida");
    out.push_back(values.empty() ? "<none>" : trim(values.front()->text()));
  }
  return out;
}

const char kSchool[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<SERVICIO>
  <ENTRADAS><x>1</x></ENTRADAS>
  <SALIDAS>
    <listasal seq="MATERIAS">
      <listasal><salida>M1</salida></listasal>
      <listasal><salida>M2</salida></listasal>
    </listasal>
    <listasal seq="materias"><listasal><salida>m-small</salida></listasal></listasal>
    <listasal seq="PROFESORES"><listasal><salida>P1</salida></listasal></listasal>
    <listasal seq="AULAS"><listasal><salida>A1</salida></listasal></listasal>
    <listasal seq="GRUPOS">
      <listasal><salida>G1</salida></listasal>
      <otro><listasal><salida>not-a-record</salida></listasal></otro>
    </listasal>
    <listasal seq="AULAS">
      <listasal><salida>A2</salida></listasal>
      <listasal><salida>A3</salida></listasal>
    </listasal>
    <listasal seq="ASIGNATURAS"/>
    <listasal seq="TRAMOS"><listasal><salida>T1</salida></listasal></listasal>
  </SALIDAS>
  <listasal seq="MATERIAS"><listasal><salida>outside</salida></listasal></listasal>
</SERVICIO>
)";

std::string pathOf(const std::string& seq) {
  return "/SERVICIO/SALIDAS/listasal[@seq=\"" + seq + "\"]/listasal";
}

struct ListCase {
  const char* seq;
  std::vector<std::string> firsts;
};

class ListSelection : public ::testing::TestWithParam<ListCase> {};

TEST_P(ListSelection, SelectsTheRecordsOfEveryListWithTheSeqInDocumentOrder) {
  TempFolder folder;
  auto doc = loaded(folder, "school.xml", kSchool);
  EXPECT_EQ(firstValues(doc->selectNodes(pathOf(GetParam().seq))), GetParam().firsts);
}

INSTANTIATE_TEST_SUITE_P(Lists, ListSelection,
                         ::testing::Values(ListCase{"MATERIAS", {"M1", "M2"}},
                                           ListCase{"PROFESORES", {"P1"}},
                                           ListCase{"AULAS", {"A1", "A2", "A3"}},
                                           ListCase{"GRUPOS", {"G1"}}, ListCase{"ASIGNATURAS", {}},
                                           ListCase{"TRAMOS", {"T1"}},
                                           ListCase{"materias", {"m-small"}},
                                           ListCase{"Materias", {}}, ListCase{"NADA", {}}));

TEST(XmlSelection, AnotherRootNameSelectsNothing) {
  TempFolder folder;
  auto doc = loaded(folder, "other.xml",
                    "<servicio><SALIDAS><listasal seq=\"MATERIAS\"><listasal><salida>x</salida>"
                    "</listasal></listasal></SALIDAS></servicio>");
  EXPECT_TRUE(doc->selectNodes(pathOf("MATERIAS")).empty());
  EXPECT_EQ(doc->documentElement()->name(), "servicio");
}

TEST(XmlSelection, RelativeSalidaTakesOnlyDirectSalidaChildren) {
  TempFolder folder;
  auto doc = loaded(folder, "record.xml", R"(<SERVICIO><SALIDAS><listasal seq="AULAS">
    <listasal>
      <salida>a</salida>
      <!-- a comment -->
      <otro>x<salida>nested</salida></otro>
      <salida>b</salida>
      text between
      <salida/>
    </listasal>
  </listasal></SALIDAS></SERVICIO>)");
  auto records = doc->selectNodes(pathOf("AULAS"));
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(texts(records[0]->selectNodes("salida")), (std::vector<std::string>{"a", "b", ""}));
  EXPECT_TRUE(records[0]->selectNodes("SALIDA").empty());
}

TEST(XmlSelection, SingleNodeIsTheFirstChildOfThatNameOrNull) {
  TempFolder folder;
  auto doc =
      loaded(folder, "two.xml",
             "<R><A/><SALIDAS n=\"1\"><SALIDAS n=\"inner\"/></SALIDAS><SALIDAS n=\"2\"/></R>");
  auto root = doc->documentElement();
  auto first = root->selectSingleNode("SALIDAS");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->attribute("n"), "1");
  EXPECT_EQ(root->selectSingleNode("salidas"), nullptr);
  auto fresh = createDocument();
  EXPECT_EQ(fresh->documentElement(), nullptr);
  fresh->createElement("SERVICIO");  // created, not appended: still no root
  EXPECT_EQ(fresh->documentElement(), nullptr);
}

TEST(XmlText, IsAllTextInsideTheElementInDocumentOrder) {
  TempFolder folder;
  auto doc = loaded(folder, "nested.xml",
                    "<R><salida>\n   uno <b>dos<i> tres</i></b><![CDATA[ <cuatro> ]]>&amp; cinco\n"
                    "  </salida></R>");
  auto value = doc->documentElement()->selectSingleNode("salida");
  EXPECT_EQ(trim(value->text()), "uno dos tres <cuatro> & cinco");
}

TEST(XmlText, NestedTextReadsBackTheSameAfterSaving) {
  TempFolder folder;
  auto doc = loaded(folder, "nested.xml",
                    "<R><salida><b>x</b> tail <i>y<u>z</u></i><![CDATA[&]]></salida></R>");
  doc->save(folder.file("out.xml"));
  auto again = createDocument();
  again->load(folder.file("out.xml"));
  EXPECT_EQ(trim(again->documentElement()->selectSingleNode("salida")->text()), "x tail yz&");
}

TEST(XmlText, AccentedLettersArriveAsUtf8FromEveryEncoding) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"utf8.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><R>a\xC3\xB1o \xE2\x82\xAC</R>"},
      {"none.xml", "<R>a\xC3\xB1o \xE2\x82\xAC</R>"},
      {"bom.xml", "\xEF\xBB\xBF<R>a\xC3\xB1o \xE2\x82\xAC</R>"},
      {"latin1.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><R>a\xF1o &#8364;</R>"},
      {"cp1252.xml", "<?xml version=\"1.0\" encoding=\"windows-1252\"?><R>a\xF1o \x80</R>"},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    auto doc = loaded(folder, c.name, c.bytes);
    EXPECT_EQ(doc->documentElement()->text(), "a\xC3\xB1o \xE2\x82\xAC") << c.name;
  }
}

TEST(XmlAttribute, MissingIsNothingAndEmptyIsEmpty) {
  TempFolder folder;
  auto doc = loaded(folder, "attr.xml",
                    "<R><salida dato=\" NOMBRE\">x</salida><salida>y</salida>"
                    "<salida dato=\"\">z</salida></R>");
  auto values = doc->documentElement()->selectNodes("salida");
  ASSERT_EQ(values.size(), 3u);
  EXPECT_EQ(values[0]->attribute("dato"), " NOMBRE");
  EXPECT_EQ(values[1]->attribute("dato"), std::nullopt);
  EXPECT_EQ(values[2]->attribute("dato"), "");
  EXPECT_EQ(values[0]->attribute("DATO"), std::nullopt);
}

TEST(XmlBuild, CreatedElementsAreSavedEscapedAndReadBackUnchanged) {
  TempFolder folder;
  auto doc = loaded(folder, "in.xml", "<SERVICIO><A>keep</A></SERVICIO>");
  auto root = doc->documentElement();
  auto list = doc->createElement("listasal");
  list->setAttribute("seq", "EMPLEADO_1");
  list->setAttribute("seq", "EMPLEADO_2");
  root->appendChild(list);
  auto value = doc->createElement("salida");
  value->setAttribute("dato", "a&b<c\"d");
  value->setText("x & y < z > w");
  list->appendChild(value);  // filled after it joined the tree: the handle stays live
  auto empty = doc->createElement("salida");
  empty->setText("old");
  empty->setText("");
  list->appendChild(empty);
  doc->save(folder.file("out.xml"));

  std::string saved = folder.read("out.xml");
  EXPECT_NE(saved.find("&amp;"), std::string::npos) << saved;
  EXPECT_NE(saved.find("&lt;"), std::string::npos) << saved;
  EXPECT_EQ(saved.find("y < z"), std::string::npos) << saved;

  auto again = createDocument();
  again->load(folder.file("out.xml"));
  auto lists = again->documentElement()->selectNodes("listasal");
  ASSERT_EQ(lists.size(), 1u);
  EXPECT_EQ(lists[0]->attribute("seq"), "EMPLEADO_2");
  auto values = lists[0]->selectNodes("salida");
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0]->attribute("dato"), "a&b<c\"d");
  EXPECT_EQ(values[0]->text(), "x & y < z > w");
  EXPECT_EQ(values[1]->text(), "");
  EXPECT_EQ(values[1]->attribute("dato"), std::nullopt);
  EXPECT_EQ(trim(again->documentElement()->selectSingleNode("A")->text()), "keep");
}

TEST(XmlBuild, SetTextReplacesNestedContent) {
  TempFolder folder;
  auto doc = loaded(folder, "in.xml", "<R><salida>a<b>b</b>c</salida></R>");
  auto value = doc->documentElement()->selectSingleNode("salida");
  value->setText("nuevo");
  EXPECT_EQ(value->text(), "nuevo");
  EXPECT_EQ(value->selectSingleNode("b"), nullptr);
}

TEST(XmlBuild, RemoveChildTakesTheChildOutOfTheTree) {
  TempFolder folder;
  auto doc =
      loaded(folder, "in.xml", "<R><SALIDAS n=\"1\"><x/></SALIDAS><B/><SALIDAS n=\"2\"/></R>");
  auto root = doc->documentElement();
  auto first = root->selectSingleNode("SALIDAS");
  auto grandchild = first->selectSingleNode("x");
  EXPECT_THROW_HAS(root->removeChild(grandchild), "x");
  EXPECT_THROW(root->removeChild(nullptr), Error);
  root->removeChild(first);
  EXPECT_THROW(root->removeChild(first), Error);
  EXPECT_EQ(root->selectSingleNode("SALIDAS")->attribute("n"), "2");
  doc->save(folder.file("out.xml"));
  auto again = createDocument();
  again->load(folder.file("out.xml"));
  EXPECT_EQ(again->selectNodes("/R/SALIDAS").size(), 1u);
  EXPECT_EQ(again->selectNodes("/R/B").size(), 1u);
}

struct LoadErrorCase {
  const char* label;
  const char* bytes;  // nullptr: no file at all
  const char* part;   // a part of the message besides the file's name
};

class XmlLoadError : public ::testing::TestWithParam<LoadErrorCase> {};

TEST_P(XmlLoadError, NamesTheFile) {
  TempFolder folder;
  std::string path = folder.file("escuela.xml");
  if (GetParam().bytes)
    folder.write("escuela.xml", GetParam().bytes);
  auto doc = createDocument();
  EXPECT_THROW_HAS(doc->load(path), "'" + files::pathForMessage(path) + "'");
  EXPECT_THROW_HAS(doc->load(path), GetParam().part);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XmlLoadError,
    ::testing::Values(LoadErrorCase{"Missing", nullptr, "No se puede leer el archivo"},
                      LoadErrorCase{"Malformed", "<SERVICIO><SALIDAS></SERVICIO>",
                                    "no es un documento XML válido"},
                      LoadErrorCase{"Unclosed", "<SERVICIO>", "no es un documento XML válido"},
                      LoadErrorCase{"Empty", "", "no tiene elemento raíz"},
                      LoadErrorCase{"OnlyBlanks", " \r\n", "no tiene elemento raíz"},
                      LoadErrorCase{"OnlyProlog", "<?xml version=\"1.0\"?>\n<!-- nada -->\n",
                                    "no es un documento XML válido"},
                      LoadErrorCase{"TwoRoots", "<A/><B/>", "no es un documento XML válido"},
                      LoadErrorCase{"Latin1BytesUndeclared", "<A>a\xF1o</A>",
                                    "no es un documento XML válido"},
                      LoadErrorCase{"UnknownEncoding",
                                    "<?xml version=\"1.0\" encoding=\"koi8-r\"?><A/>", "'koi8-r'"}),
    [](const ::testing::TestParamInfo<LoadErrorCase>& param) { return param.param.label; });

// Latin-1 text as UTF-16LE code units, and as a file with a byte-order mark.
std::string utf16Units(const std::string& latin1) {
  std::string out;
  for (char c : latin1) {
    out += c;
    out += '\0';
  }
  return out;
}
std::string utf16(const std::string& latin1) {
  return "\xFF\xFE" + utf16Units(latin1);
}

struct SaveCase {
  const char* label;
  std::string input;
  std::string mustHave;     // bytes the saved file holds
  std::string mustNotHave;  // bytes it must not hold
};

class XmlSaveEncoding : public ::testing::TestWithParam<SaveCase> {};

// The document is saved with a new value holding ñ; the old and the new "año"
// must be the bytes of the declared encoding and read back as the same text.
TEST_P(XmlSaveEncoding, KeepsTheDeclaredEncodingAndTheProlog) {
  TempFolder folder;
  auto doc = loaded(folder, "in.xml", GetParam().input);
  auto added = doc->createElement("salida");
  added->setText("a\xC3\xB1o");
  doc->documentElement()->appendChild(added);
  doc->save(folder.file("out.xml"));

  std::string saved = folder.read("out.xml");
  EXPECT_NE(saved.find(GetParam().mustHave), std::string::npos) << saved;
  if (!GetParam().mustNotHave.empty()) {
    EXPECT_EQ(saved.find(GetParam().mustNotHave), std::string::npos) << saved;
  }
  auto again = createDocument();
  again->load(folder.file("out.xml"));
  EXPECT_EQ(texts(again->documentElement()->selectNodes("salida")),
            (std::vector<std::string>{"a\xC3\xB1o", "a\xC3\xB1o"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XmlSaveEncoding,
    ::testing::Values(
        SaveCase{"Latin1",
                 "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<R><salida>a\xF1o</salida></R>",
                 "encoding=\"ISO-8859-1\"", "\xC3\xB1"},
        SaveCase{"Latin1Bytes",
                 "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<R><salida>a\xF1o</salida></R>",
                 "a\xF1o", ""},
        SaveCase{
            "Windows1252",
            "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<R><salida>a\xF1o</salida></R>",
            "a\xF1o", "\xC3\xB1"},
        SaveCase{"Utf8",
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<R><salida>a\xC3\xB1o</salida></R>",
                 "a\xC3\xB1o", "a\xF1o"},
        SaveCase{"Utf8Prolog",
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<R><salida>a\xC3\xB1o</salida></R>",
                 "encoding=\"UTF-8\"", ""},
        SaveCase{"Undeclared", "<R><salida>a\xC3\xB1o</salida></R>", "a\xC3\xB1o", "a\xF1o"},
        SaveCase{"Utf16",
                 utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?><R><salida>a\xF1o</salida></R>"),
                 utf16Units("a\xF1o"), "\xC3\xB1"}),
    [](const ::testing::TestParamInfo<SaveCase>& param) { return param.param.label; });

TEST(XmlSaveEncoding, ACharacterOutsideLatin1SurvivesInAnIso88591Document) {
  TempFolder folder;
  auto doc = loaded(folder, "in.xml",
                    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<R><a>\xF1</a></R>");
  // Euro sign, s with acute, and a character beyond the 16-bit range.
  const std::string outside = "\xE2\x82\xAC \xC5\x9B \xF0\x9F\x98\x80 \xC3\xB1";
  auto added = doc->createElement("salida");
  added->setAttribute("dato", outside);
  added->setText(outside);
  doc->documentElement()->appendChild(added);
  doc->save(folder.file("out.xml"));

  std::string saved = folder.read("out.xml");
  EXPECT_EQ(saved.find('?', saved.find("?>") + 2), std::string::npos) << saved;
  EXPECT_EQ(saved.find("\xE2\x82\xAC"), std::string::npos) << saved;
  auto again = createDocument();
  again->load(folder.file("out.xml"));
  auto value = again->documentElement()->selectSingleNode("salida");
  EXPECT_EQ(value->text(), outside);
  EXPECT_EQ(value->attribute("dato"), outside);
  EXPECT_EQ(again->documentElement()->selectSingleNode("a")->text(), "\xC3\xB1");
}

}  // namespace
}  // namespace tts::xml
