#include "bench/steps.h"

#include <memory>
#include <string>
#include <vector>

#include "export/export_run.h"
#include "import/import_run.h"
#include "import/scan/scan_lookups.h"
#include "interchange/records.h"
#include "interchange/result.h"
#include "platform/dbase/table.h"

namespace tts::bench {

void exportStep(const Folders& folders) {
  std::unique_ptr<xml::Document> doc = loadDocument(folders.document);
  runExport(*doc, folders.qtemp, [] { return std::string("08:00"); });
}

ResultShape importStep(const Folders& folders) {
  std::unique_ptr<xml::Document> doc;
  const ImportSummary summary = ImportarSolucion(doc, folders.document, folders.qtemp);
  return {summary.teachers, summary.activities};
}

ResultShape scanStep(const Folders& folders) {
  std::unique_ptr<xml::Document> doc;
  const ImportSummary summary =
      ImportarSolucion(doc, folders.document, folders.qtemp, makeScanLookups);
  return {summary.teachers, summary.activities};
}

namespace {

// A table read whole: every field of every row as text.
std::vector<std::vector<std::string>> readWhole(const std::string& folder, const char* name) {
  dbase::Table table(folder, name, dbase::Access::Exclusive);
  table.open();
  const int fields = static_cast<int>(table.fields().size());
  std::vector<std::vector<std::string>> rows;
  rows.reserve(table.recordCount());
  for (table.first(); !table.eof(); table.next()) {
    std::vector<std::string>& row = rows.emplace_back();
    row.reserve(static_cast<size_t>(fields));
    for (int f = 0; f < fields; ++f)
      row.push_back(table.asString(f));
  }
  table.close();
  return rows;
}

const char* const kActivityNames[] = {"X_ACTIVIDAD", "N_DIASEMANA", "X_TRAMO",
                                      "X_DEPCENTRO", "X_UNIDAD",    "X_MATERIAOMC"};

}  // namespace

size_t floorStep(const Folders& folders, const ResultShape& shape) {
  std::unique_ptr<xml::Document> doc;
  xml::NodePtr output = IniciarResultado(doc, folders.document);

  std::vector<std::vector<std::vector<std::string>>> tables;
  size_t fieldsRead = 0;
  for (const char* name : kImportTables) {
    tables.push_back(readWhole(folders.qtemp, name));
    for (const auto& row : tables.back())
      fieldsRead += row.size();
  }
  const auto& soluc = tables[0];
  const auto& proft = tables[1];
  static const std::vector<std::string> kNoRow(6);

  // The same lists and values as the import's result, their texts taken from
  // the rows read (SOLUC's first six fields, PROFT's first two).
  size_t activity = 0;
  for (size_t t = 0; t < shape.teachers; ++t) {
    const std::vector<std::string>& p = proft.empty() ? kNoRow : proft[t % proft.size()];
    xml::NodePtr teacher = AgregarEmpleado(*doc, output, static_cast<int>(t + 1), p.at(0), p.at(1));
    const size_t until = shape.activities * (t + 1) / shape.teachers;
    for (int number = 1; activity < until; ++activity, ++number) {
      xml::NodePtr list = AgregarActividad(*doc, teacher, number);
      const std::vector<std::string>& s = soluc.empty() ? kNoRow : soluc[activity % soluc.size()];
      for (size_t v = 0; v < 6; ++v)
        AgregarSalida(*doc, list, kActivityNames[v], s.at(v));
    }
  }
  GuardarResultado(*doc, folders.document);
  return fieldsRead;
}

}  // namespace tts::bench
