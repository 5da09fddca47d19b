// ExportarMaterias: the subjects table ASIGNOMT.
#include <algorithm>
#include <vector>

#include "export/builders.h"
#include "interchange/records.h"
#include "platform/text.h"
#include "platform/dbase/table.h"
#include "platform/files.h"

namespace tts::exporting {

using dbase::FieldType;

size_t exportarMaterias(const xml::Document& doc, const std::string& folder) {
  dbase::createTable(files::join(folder, "ASIGNOMT.DBF"), {{"COD", FieldType::String, 10},
                                                           {"CODLARGO", FieldType::String, 10},
                                                           {"NOMBRE", FieldType::String, 80},
                                                           {"MATERIA", FieldType::String, 12},
                                                           {"ESTAREA", FieldType::Boolean, 0}});
  const std::vector<Record> records = recordsOf(doc, "MATERIAS");
  dbase::Table table(folder, "ASIGNOMT.DBF", dbase::Access::Shared);
  table.open();
  // The full trimmed codes written so far (not cut to the field's ten
  // characters), in writing order.
  std::vector<std::string> codes;
  size_t rows = 0;
  for (const Record& record : records) {
    if (record.count() < 2)
      continue;
    const std::string materia = record.value(0);
    const std::string code = record.value(1);
    const std::string longCode = record.value(2);
    const std::string name = record.value(3);
    auto same = [&code](const std::string& held) { return equalIgnoringCase(held, code); };
    if (std::any_of(codes.begin(), codes.end(), same))
      continue;
    codes.push_back(code);
    table.append();
    table.setString("COD", code);
    table.setString("CODLARGO", longCode);
    table.setString("NOMBRE", name);
    table.setString("MATERIA", materia);
    table.setBoolean("ESTAREA", !materia.empty() && materia.front() == 'G');
    table.post();
    ++rows;
  }
  table.close();
  return rows;
}

}  // namespace tts::exporting
