#include "tests/import/import_fixture.h"

#include "platform/files.h"

namespace tts::testing {

ImportFixture::ImportFixture()
    : docPath(docs.file("horario.xml")), resultPath(docs.file("ResultadoTempaxhorario.xml")) {}

std::vector<std::string> ImportFixture::run(const School& school, const LookupsFactory& strategy,
                                            bool withNames) {
  school.write(qtemp.path());
  docs.write("horario.xml", document);
  summary = import(strategy);
  return resultLines(resultPath, withNames);
}

ImportSummary ImportFixture::import(const LookupsFactory& strategy) {
  std::unique_ptr<xml::Document> doc;
  return ImportarSolucion(doc, docPath, qtemp.path(), strategy);
}

}  // namespace tts::testing
