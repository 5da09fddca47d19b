// The result document: structure, numbering, texts, encoding and the atomic
// save, checked by reading the saved file back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "interchange/records.h"
#include "interchange/result.h"
#include "platform/files.h"
#include "platform/text.h"
#include "tests/support/testing.h"

namespace tts {
namespace {

using tts::testing::TempFolder;

// The element and what lies below it, compactly: name, the attributes the
// result uses, then the children in brackets or, for a leaf, ":" and its text.
std::string outline(const xml::NodePtr& node) {
  std::string out = node->name();
  for (const char* attribute : {"seq", "dato", "n"}) {
    if (auto value = node->attribute(attribute))
      out += " " + std::string(attribute) + "=" + *value;
  }
  auto children = node->selectNodes("*");
  if (children.empty()) {
    std::string text = trim(node->text());
    return text.empty() ? out : out + ":" + text;
  }
  out += "[";
  for (size_t i = 0; i < children.size(); ++i)
    out += (i ? ", " : "") + outline(children[i]);
  return out + "]";
}

const std::string kError =
    "ERROR[salida dato=CN_ERROR:0, salida dato=TE_ERROR:Servicio finalizado Correctamente]";

class Result : public ::testing::Test {
 protected:
  std::string chosen(const std::string& xml) { return folder.write("escuela.xml", xml); }
  // The saved result, loaded anew, as an outline of its root.
  std::string savedOutline(const std::string& path) {
    return outline(loadDocument(resultPath(path))->documentElement());
  }
  TempFolder folder;
  std::unique_ptr<xml::Document> doc;
};

TEST_F(Result, WithoutTeachersTheNewOutputHoldsOnlyTheErrorAndComesLast) {
  std::string path = chosen(
      "<SERVICIO v=\"1\"><A>uno</A><SALIDAS><listasal seq=\"MATERIAS\"/></SALIDAS>"
      "<B>dos</B><C/></SERVICIO>");
  xml::NodePtr output = IniciarResultado(doc, path);
  EXPECT_EQ(outline(output), "SALIDAS[" + kError + "]");
  GuardarResultado(*doc, path);
  EXPECT_EQ(savedOutline(path), "SERVICIO[A:uno, B:dos, C, SALIDAS[" + kError + "]]");
  EXPECT_EQ(loadDocument(resultPath(path))->documentElement()->attribute("v"), "1");
}

TEST_F(Result, TeacherNumbersRunOnAndActivityNumbersRestart) {
  std::string path = chosen("<SERVICIO><SALIDAS/></SERVICIO>");
  xml::NodePtr output = IniciarResultado(doc, path);
  xml::NodePtr first = AgregarEmpleado(*doc, output, 1, "E1", "2024-09-01");
  for (int activity = 1; activity <= 2; ++activity) {
    xml::NodePtr list = AgregarActividad(*doc, first, activity);
    AgregarSalida(*doc, list, "X_ACTIVIDAD", "G" + std::to_string(activity));
  }
  xml::NodePtr second = AgregarEmpleado(*doc, output, 2, "E2", "");
  AgregarSalida(*doc, AgregarActividad(*doc, second, 1), "X_ACTIVIDAD", "G9");
  AgregarEmpleado(*doc, output, 3, "E3", "F3");
  GuardarResultado(*doc, path);
  EXPECT_EQ(savedOutline(path),
            "SERVICIO[SALIDAS[" + kError +
                ", listasal seq=EMPLEADO_1[salida dato=X_EMPLEADO:E1, "
                "salida dato=F_TOMAPOS:2024-09-01, "
                "listasal seq=ACTIVIDAD_1[salida dato=X_ACTIVIDAD:G1], "
                "listasal seq=ACTIVIDAD_2[salida dato=X_ACTIVIDAD:G2]], "
                "listasal seq=EMPLEADO_2[salida dato=X_EMPLEADO:E2, salida dato=F_TOMAPOS, "
                "listasal seq=ACTIVIDAD_1[salida dato=X_ACTIVIDAD:G9]], "
                "listasal seq=EMPLEADO_3[salida dato=X_EMPLEADO:E3, salida dato=F_TOMAPOS:F3]]]");
}

TEST_F(Result, WithTwoSalidasTheSecondReceivesTheOutputAndTheNewOneStaysEmpty) {
  std::string path = chosen(
      "<SERVICIO><SALIDAS n=\"1\"><viejo/></SALIDAS><X/><SALIDAS n=\"2\"><queda/></SALIDAS>"
      "</SERVICIO>");
  xml::NodePtr output = IniciarResultado(doc, path);
  AgregarEmpleado(*doc, output, 1, "E1", "F1");
  GuardarResultado(*doc, path);
  EXPECT_EQ(savedOutline(path),
            "SERVICIO[X, SALIDAS n=2[queda, " + kError +
                ", listasal seq=EMPLEADO_1[salida dato=X_EMPLEADO:E1, salida dato=F_TOMAPOS:F1]], "
                "SALIDAS]");
}

TEST_F(Result, ARootWithoutSalidasIsAnErrorNamingTheFileAndWritesNothing) {
  std::string path = chosen("<SERVICIO><ENTRADAS/><salidas/></SERVICIO>");
  EXPECT_THROW_MSG(IniciarResultado(doc, path),
                   "El archivo '" + files::pathForMessage(path) +
                       "' no tiene el elemento SALIDAS dentro de su elemento raíz 'SERVICIO'");
  EXPECT_FALSE(files::exists(resultPath(path)));
}

TEST_F(Result, ADocumentThatDoesNotLoadIsAnErrorNamingTheFile) {
  std::string path = chosen("<SERVICIO><SALIDAS></SERVICIO>");
  EXPECT_THROW_HAS(IniciarResultado(doc, path), "'" + files::pathForMessage(path) + "'");
  EXPECT_THROW_HAS(IniciarResultado(doc, folder.file("falta.xml")), "falta.xml");
}

TEST_F(Result, TextsWithMarkupAndAccentsReadBackUnchanged) {
  std::string path = chosen("<SERVICIO><SALIDAS/></SERVICIO>");
  xml::NodePtr output = IniciarResultado(doc, path);
  xml::NodePtr teacher = AgregarEmpleado(*doc, output, 1, "A & B <C>", "Peña");
  xml::NodePtr activity = AgregarActividad(*doc, teacher, 1);
  AgregarSalida(*doc, activity, "X_ACTIVIDAD", "x&amp;<y>");
  AgregarSalida(*doc, activity, "N_DIASEMANA", "");
  AgregarSalida(*doc, activity, "X_TRAMO", "  ");
  GuardarResultado(*doc, path);

  std::string saved = folder.read("ResultadoTempaxescuela.xml");
  EXPECT_NE(saved.find("A &amp; B &lt;C"), std::string::npos) << saved;
  auto result = loadDocument(resultPath(path));
  auto activities = recordsOf(*result, "EMPLEADO_1");
  ASSERT_EQ(activities.size(), 1u);
  EXPECT_EQ(activities[0].value(0), "x&amp;<y>");
  EXPECT_EQ(activities[0].name(1), "N_DIASEMANA");
  EXPECT_EQ(activities[0].value(1), "");
  auto teacherValues = result->selectNodes("/SERVICIO/SALIDAS/listasal/salida");
  ASSERT_EQ(teacherValues.size(), 2u);
  EXPECT_EQ(teacherValues[0]->text(), utf8FromAnsi("A & B <C>"));
  EXPECT_EQ(ansiFromUtf8(teacherValues[1]->text()), "Peña");
  EXPECT_TRUE(std::regex_search(saved, std::regex(R"(dato="N_DIASEMANA"\s*(/>|></salida>))")))
      << saved;
}

TEST_F(Result, KeepsTheDeclaredLatin1EncodingOfTheChosenDocument) {
  // An ISO-8859-1 document: "ñ" is the byte 0xF1 here, as in the file.
  std::string path = chosen(
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
      "<SERVICIO><ENTRADAS><x a=\"Muñoz\">año</x></ENTRADAS><SALIDAS/></SERVICIO>\n");
  xml::NodePtr output = IniciarResultado(doc, path);
  AgregarEmpleado(*doc, output, 1, "Ibáñez", "\x80");
  GuardarResultado(*doc, path);

  std::string saved = folder.read("ResultadoTempaxescuela.xml");
  EXPECT_NE(saved.find("encoding=\"ISO-8859-1\""), std::string::npos) << saved;
  EXPECT_NE(saved.find("año"), std::string::npos) << saved;
  EXPECT_NE(saved.find("Muñoz"), std::string::npos) << saved;
  EXPECT_NE(saved.find("Ibáñez"), std::string::npos) << saved;
  EXPECT_EQ(saved.find("\xC3"), std::string::npos) << saved;
  auto result = loadDocument(resultPath(path));
  auto x = result->documentElement()->selectSingleNode("ENTRADAS")->selectSingleNode("x");
  EXPECT_EQ(ansiFromUtf8(x->text()), "año");
  EXPECT_EQ(ansiFromUtf8(*x->attribute("a")), "Muñoz");
  auto values = result->selectNodes("/SERVICIO/SALIDAS/listasal/salida");
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(ansiFromUtf8(values[0]->text()), "Ibáñez");
  EXPECT_EQ(values[1]->text(), "\xE2\x82\xAC");  // the euro sign, outside ISO-8859-1
}

// Entries of a folder, sorted.
std::vector<std::string> entries(const std::string& folder) {
  auto names = files::list(folder);
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(Result, ASaveThatCannotReplaceTheTargetLeavesItAndNoTemporaryFile) {
  std::string path = chosen("<SERVICIO><SALIDAS/></SERVICIO>");
  // The result's name is taken by a folder with a file in it.
  std::filesystem::create_directory(resultPath(path));
  folder.write(files::join("ResultadoTempaxescuela.xml", "dentro.txt"), "old");
  IniciarResultado(doc, path);
  EXPECT_THROW_HAS(GuardarResultado(*doc, path), "ResultadoTempaxescuela.xml");
  EXPECT_EQ(entries(folder.path()),
            (std::vector<std::string>{"ResultadoTempaxescuela.xml", "escuela.xml"}));
  EXPECT_EQ(folder.read(files::join("ResultadoTempaxescuela.xml", "dentro.txt")), "old");
}

// A document whose save writes part of the file, then fails.
class FailingDocument final : public xml::Document {
 public:
  void load(const std::string&) override {}
  std::vector<xml::NodePtr> selectNodes(const std::string&) const override { return {}; }
  xml::NodePtr documentElement() const override { return nullptr; }
  xml::NodePtr createElement(const std::string&) override { return nullptr; }
  void save(const std::string& path) const override {
    savedTo = path;
    files::writeAll(path, {'<', 'S'});
    throw Error("disco lleno");
  }
  mutable std::string savedTo;
};

TEST_F(Result, ASaveThatFailsHalfWayLeavesTheOlderResultAndNoTemporaryFile) {
  std::string path = chosen("<SERVICIO><SALIDAS/></SERVICIO>");
  folder.write("ResultadoTempaxescuela.xml", "older result");
  FailingDocument failing;
  EXPECT_THROW_MSG(GuardarResultado(failing, path), "disco lleno");
  EXPECT_EQ(files::folderPart(failing.savedTo), files::folderPart(resultPath(path)));
  EXPECT_NE(failing.savedTo, resultPath(path));
  EXPECT_EQ(folder.read("ResultadoTempaxescuela.xml"), "older result");
  EXPECT_EQ(entries(folder.path()),
            (std::vector<std::string>{"ResultadoTempaxescuela.xml", "escuela.xml"}));
}

TEST_F(Result, ASecondSaveReplacesTheOlderResult) {
  std::string path = chosen("<SERVICIO><SALIDAS/></SERVICIO>");
  folder.write("ResultadoTempaxescuela.xml", "older result");
  IniciarResultado(doc, path);
  GuardarResultado(*doc, path);
  EXPECT_EQ(savedOutline(path), "SERVICIO[SALIDAS[" + kError + "]]");
  EXPECT_EQ(entries(folder.path()),
            (std::vector<std::string>{"ResultadoTempaxescuela.xml", "escuela.xml"}));
}

}  // namespace
}  // namespace tts
