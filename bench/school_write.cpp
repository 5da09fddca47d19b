// Writing a synthetic school: the interchange document as the administration
// system lays it out, and SOLUC.DBF through our table service with the fields
// the timetable generator gives it.
#include <string>
#include <vector>

#include "bench/school.h"
#include "platform/dbase/table.h"
#include "platform/files.h"
#include "platform/text.h"

namespace tts::bench {
namespace {

// ANSI text as UTF-8 character data, markup characters escaped.
void appendText(std::string& out, const std::string& ansi) {
  for (char c : utf8FromAnsi(ansi)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
}

void appendRecord(std::string& out, const Record& record) {
  if (record.empty()) {
    out += "      <listasal/>\n";
    return;
  }
  out += "      <listasal>\n";
  for (const Value& value : record) {
    out += "        <salida dato=\"";
    appendText(out, value.first);
    if (value.second.empty()) {
      out += "\"/>\n";
      continue;
    }
    out += "\">";
    appendText(out, value.second);
    out += "</salida>\n";
  }
  out += "      </listasal>\n";
}

}  // namespace

std::string interchangeDocument(const School& school) {
  std::string out;
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<!-- Centro sint\xC3\xA9tico \"" + school.shape.name +
         "\" para las pruebas de rendimiento -->\n";
  out += "<SERVICIO>\n";
  out += "  <ENTRADAS>\n";
  out += "    <entrada dato=\"X_CENTRO\">23001234</entrada>\n";
  out += "    <entrada dato=\"C_ANNO\">2024</entrada>\n";
  out += "  </ENTRADAS>\n";
  out += "  <SALIDAS>\n";
  out += "    <listasal seq=\"CENTRO\">\n";
  out += "      <listasal><salida dato=\"D_CENTRO\">IES Sierra de Cazorla</salida></listasal>\n";
  out += "    </listasal>\n";
  for (const List& list : school.lists) {
    out += "    <listasal seq=\"" + list.seq + "\">\n";
    for (const Record& record : list.records)
      appendRecord(out, record);
    out += "    </listasal>\n";
  }
  out += "  </SALIDAS>\n";
  out += "</SERVICIO>\n";
  return out;
}

void writeSchool(const School& school, const std::string& folder) {
  const std::string xml = interchangeDocument(school);
  files::writeAll(files::join(folder, kDocumentName), std::vector<uint8_t>(xml.begin(), xml.end()));

  using dbase::FieldDef;
  using dbase::FieldType;
  const std::vector<FieldDef> fields = {
      {"PROF", FieldType::String, 10}, {"DIA", FieldType::Integer, 0},
      {"HORA", FieldType::Integer, 0}, {"TAREA", FieldType::String, 10},
      {"AULA", FieldType::String, 10}, {"CODGRUPO", FieldType::String, 10},
      {"ASIG", FieldType::String, 10}, {"NIVEL", FieldType::String, 5},
      {"CURSO", FieldType::String, 3}};
  dbase::createTable(files::join(folder, "SOLUC.DBF"), fields);
  dbase::Table table(folder, "SOLUC", dbase::Access::Exclusive);
  table.open();
  for (const SolucRow& row : school.soluc) {
    table.append();
    table.setString("PROF", row.prof);
    table.setInteger("DIA", row.dia);
    table.setInteger("HORA", row.hora);
    table.setString("TAREA", row.tarea);
    table.setString("AULA", row.aula);
    table.setString("CODGRUPO", row.codgrupo);
    table.setString("ASIG", row.asig);
    table.setString("NIVEL", row.nivel);
    table.setString("CURSO", row.curso);
    table.post();
  }
  table.close();
}

}  // namespace tts::bench
