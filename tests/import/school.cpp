#include "tests/import/school.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>

#include "platform/files.h"
#include "platform/text.h"
#include "platform/xml.h"

namespace tts::testing {

using dbase::FieldDef;
using dbase::FieldType;

namespace {

FieldDef str(const char* name, int size) {
  return FieldDef{name, FieldType::String, size};
}
FieldDef integer(const char* name) {
  return FieldDef{name, FieldType::Integer, 0};
}

}  // namespace

std::vector<FieldDef> layoutOf(const std::string& table) {
  static const std::map<std::string, std::vector<FieldDef>> layouts = {
      {"SOLUC",
       {str("PROF", 10), integer("DIA"), integer("HORA"), str("TAREA", 10), str("AULA", 10),
        str("CODGRUPO", 10), str("ASIG", 10), str("NIVEL", 5), str("CURSO", 3)}},
      {"PROFT",
       {str("ABREV", 10), str("NOMBRE", 80), str("DEPART", 40), integer("DNI"),
        str("X_EMPLEADO", 12), str("F_TOMAPOS", 10)}},
      {"ASIGNOMT",
       {str("COD", 10), str("CODLARGO", 10), str("NOMBRE", 80), str("MATERIA", 12),
        FieldDef{"ESTAREA", FieldType::Boolean, 0}}},
      {"DIASHORAST",
       {str("DIHO", 10), str("CODDIHO", 10), str("DIA", 20), str("TEXTODIA", 20), str("HORA", 8),
        str("TEXTOHOR", 15), str("HORADESDE", 8), str("HORAHASTA", 8), str("MINUTOS", 8),
        str("MARCO", 1), str("MARCOXML", 10)}},
      {"AULAT",
       {str("ABREV", 10), str("NOMBRE", 80), str("EDIFICIO", 1), integer("MAXALUM"),
        str("DEPCENTRO", 10)}},
      {"GRUPOST",
       {str("ABREV", 10), str("TURNO", 1), str("NIVEL", 5), str("CURSO", 3), str("GRUPO", 2),
        str("UNIDAD", 12), str("DESCRIP", 80), str("MARCO", 1)}},
      {"ASIGT",
       {str("CASIG", 10), str("CPROF", 10), str("CGRUP", 10), str("CAULA", 10), str("TURNO", 1),
        str("NIVEL", 5), str("CURSO", 3), str("GRUPO", 2), FieldDef{"HORAS", FieldType::Float, 0},
        str("SESIONES", 20), str("NCONEX", 4), str("MATERIA", 12), str("CTAREA", 10)}},
  };
  return layouts.at(table);
}

std::string tableFile(const std::string& folder, const std::string& name) {
  return files::join(folder, name + ".DBF");
}

void writeTable(const std::string& folder, const std::string& name,
                const std::vector<FieldDef>& fields,
                const std::vector<std::vector<std::string>>& rows) {
  dbase::createTable(tableFile(folder, name), fields);
  dbase::Table table(folder, name, dbase::Access::Shared);
  table.open();
  for (const auto& row : rows) {
    table.append();
    for (size_t i = 0; i < fields.size() && i < row.size(); ++i) {
      if (row[i].empty())
        continue;
      if (fields[i].type == FieldType::Integer) {
        table.setInteger(fields[i].name, toInteger(row[i]));
      } else {
        table.setString(fields[i].name, row[i]);
      }
    }
    table.post();
  }
  table.close();
}

void School::write(const std::string& folder) const {
  // Rows in each table's field order; fields the import does not read stay
  // empty, as they are in the export's tables.
  std::vector<std::vector<std::string>> rows;
  for (const auto& t : proft)
    rows.push_back({t.abrev, "", "", "", t.xEmpleado, t.fTomapos});
  writeTable(folder, "PROFT", layoutOf("PROFT"), rows);
  rows.clear();
  for (const auto& s : soluc) {
    rows.push_back({s.prof, std::to_string(s.dia), std::to_string(s.hora), s.tarea, s.aula,
                    s.codgrupo, s.asig, s.nivel, s.curso});
  }
  writeTable(folder, "SOLUC", layoutOf("SOLUC"), rows);
  rows.clear();
  for (const auto& s : asignomt)
    rows.push_back({s.cod, "", "", s.materia});
  writeTable(folder, "ASIGNOMT", layoutOf("ASIGNOMT"), rows);
  rows.clear();
  for (const auto& s : diashorast)
    rows.push_back({s.diho, s.coddiho, s.dia});
  writeTable(folder, "DIASHORAST", layoutOf("DIASHORAST"), rows);
  rows.clear();
  for (const auto& r : aulat)
    rows.push_back({r.abrev, "", "", "", r.depcentro});
  writeTable(folder, "AULAT", layoutOf("AULAT"), rows);
  rows.clear();
  for (const auto& g : grupost)
    rows.push_back({g.abrev, "", "", "", "", g.unidad});
  writeTable(folder, "GRUPOST", layoutOf("GRUPOST"), rows);
  rows.clear();
  for (const auto& a : asigt) {
    rows.push_back({a.casig, "", a.cgrup, "", "", a.nivel, a.curso, "", "", "", "", a.materia});
  }
  writeTable(folder, "ASIGT", layoutOf("ASIGT"), rows);
}

std::string sampleDocument() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<SERVICIO>\n"
         "  <ENTRADAS><entrada dato=\"X_CENTRO\">23</entrada></ENTRADAS>\n"
         "  <SALIDAS>\n"
         "    <listasal seq=\"MATERIAS\"><listasal><salida dato=\"X\">1</salida></listasal>"
         "</listasal>\n"
         "  </SALIDAS>\n"
         "</SERVICIO>\n";
}

namespace {

std::string joined(const xml::NodePtr& list, bool withNames) {
  std::string line;
  for (const auto& value : list->selectNodes("salida")) {
    if (!line.empty())
      line += "|";
    if (withNames)
      line += ansiFromUtf8(value->attribute("dato").value_or("?")) + "=";
    line += ansiFromUtf8(value->text());
  }
  return line;
}

}  // namespace

std::vector<std::string> resultLines(const std::string& resultFile, bool withNames) {
  std::unique_ptr<xml::Document> doc = xml::createDocument();
  doc->load(resultFile);
  std::vector<xml::NodePtr> sections = doc->documentElement()->selectNodes("SALIDAS");
  if (sections.empty()) {
    ADD_FAILURE() << "no SALIDAS in " << resultFile;
    return {};
  }
  const xml::NodePtr& output = sections.back();
  std::vector<std::string> lines;
  for (const auto& error : output->selectNodes("ERROR"))
    lines.push_back("ERROR " + joined(error, withNames));
  for (const auto& teacher : output->selectNodes("listasal")) {
    lines.push_back(ansiFromUtf8(teacher->attribute("seq").value_or("?")) + " " +
                    joined(teacher, withNames));
    for (const auto& activity : teacher->selectNodes("listasal")) {
      lines.push_back(ansiFromUtf8(activity->attribute("seq").value_or("?")) + " " +
                      joined(activity, withNames));
    }
  }
  return lines;
}

void markDeleted(const std::string& dbfPath, size_t index) {
  std::vector<uint8_t> bytes = files::readAll(dbfPath);
  const size_t headerLength = bytes.at(8) | (bytes.at(9) << 8);
  const size_t recordLength = bytes.at(10) | (bytes.at(11) << 8);
  bytes.at(headerLength + index * recordLength) = '*';
  files::writeAll(dbfPath, bytes);
}

}  // namespace tts::testing
