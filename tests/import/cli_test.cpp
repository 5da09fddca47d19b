// transtempax importar, run as a program: its output, its messages and its
// exit codes.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/files.h"
#include "tests/import/import_fixture.h"

namespace tts::testing {
namespace {

struct Outcome {
  int exitCode = -1;
  std::string out, err;
};

class ImportCli : public ::testing::Test, public ImportFixture {
 protected:
  void SetUp() override {
    School s;
    s.proft = {{"E1", "F1", "GAR"}, {"E2", "F2", "LUZ"}};
    s.soluc = {{"GAR", 1, 1, "", "A1", "1A", "MAT", "ESO", "1"},
               {"GAR", 1, 3, "", "Z9", "1A", "FIS", "ESO", "1"}};
    s.asignomt = {{"MAT", "M001"}};
    s.diashorast = {{"11", "1", "T11"}};
    s.aulat = {{"A1", "D1"}};
    s.grupost = {{"1A", "U1A"}};
    s.asigt = {{"MAT", "1A", "ESO", "1", "M001"}};
    s.write(qtemp.path());
    docs.write("horario.xml", document);
  }

  // Runs transtempax with these arguments (each quoted for the shell).
  Outcome transtempax(const std::vector<std::string>& args) {
    std::string command = "'" TTS_TRANSTEMPAX "'";
    for (const auto& arg : args)
      command += " '" + arg + "'";
    command += " > '" + output.file("out") + "' 2> '" + output.file("err") + "'";
    int status = std::system(command.c_str());
    Outcome o;
    o.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    o.out = output.read("out");
    o.err = output.read("err");
    return o;
  }

  TempFolder output;
};

TEST_F(ImportCli, PrintsTheResultPathAndASummary) {
  Outcome o = transtempax({"importar", docPath, "--qtemp", qtemp.path()});
  EXPECT_EQ(o.exitCode, 0) << o.err;
  EXPECT_EQ(o.out, resultPath +
                       "\nProfesores: 2\nActividades: 2\nTramos no encontrados: 1\n"
                       "Aulas no encontradas: 1\nGrupos no encontrados: 0\n"
                       "Materias sin c\xC3\xB3"
                       "digo: 1\n");
  EXPECT_EQ(o.err, "");
  EXPECT_TRUE(files::exists(resultPath));
}

TEST_F(ImportCli, TakesTheOptionBeforeTheDocument) {
  Outcome o = transtempax({"importar", "--qtemp", qtemp.path(), docPath});
  EXPECT_EQ(o.exitCode, 0) << o.err;
  EXPECT_TRUE(files::exists(resultPath));
}

TEST_F(ImportCli, AMissingDocumentIsReportedOnStandardError) {
  Outcome o = transtempax({"importar", docs.file("otro.xml"), "--qtemp", qtemp.path()});
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_EQ(o.err, "No existe archivo\n");
  EXPECT_EQ(o.out, "");
}

TEST_F(ImportCli, AnErrorOfTheImportIsReportedOnStandardError) {
  files::removeQuietly(tableFile(qtemp.path(), "AULAT"));
  Outcome o = transtempax({"importar", docPath, "--qtemp", qtemp.path()});
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_NE(o.err.find("AULAT"), std::string::npos) << o.err;
  EXPECT_EQ(o.out, "");
  EXPECT_FALSE(files::exists(resultPath));
}

TEST_F(ImportCli, BadUsageExitsWithTwo) {
  const std::vector<std::vector<std::string>> usages = {
      {"importar"},
      {"importar", docPath, "--qtemp"},
      {"importar", docPath, "--otra", "x"},
      {"importar", docPath, docPath},
  };
  for (const auto& args : usages) {
    Outcome o = transtempax(args);
    EXPECT_EQ(o.exitCode, 2) << args.size() << " arguments: " << o.err;
    EXPECT_NE(o.err.find("Uso:"), std::string::npos) << o.err;
    EXPECT_FALSE(files::exists(resultPath));
  }
}

}  // namespace
}  // namespace tts::testing
