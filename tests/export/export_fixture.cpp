#include "tests/export/export_fixture.h"

#include "interchange/records.h"
#include "platform/files.h"
#include "platform/text.h"

namespace tts::testing {

namespace {

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
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
  return out;
}

void addEntries(const std::string& folder, const std::string& prefix,
                std::map<std::string, std::string>& entries) {
  for (const std::string& name : files::list(folder)) {
    const std::string path = files::join(folder, name);
    if (files::isFolder(path)) {
      entries[prefix + name + "/"] = "<folder>";
      addEntries(path, prefix + name + "/", entries);
    } else {
      auto bytes = files::readAll(path);
      entries[prefix + name] = std::string(bytes.begin(), bytes.end());
    }
  }
}

}  // namespace

std::string salida(const std::string& text) {
  return "<salida>" + escaped(text) + "</salida>";
}

std::string salida(const std::string& dato, const std::string& text) {
  return "<salida dato=\"" + escaped(dato) + "\">" + escaped(text) + "</salida>";
}

std::string record(const std::vector<std::string>& values) {
  std::string out = "<listasal>";
  for (const std::string& value : values)
    out += salida(value);
  return out + "</listasal>\n";
}

std::string rawRecord(const std::vector<std::string>& elements) {
  std::string out = "<listasal>";
  for (const std::string& element : elements)
    out += element;
  return out + "</listasal>\n";
}

std::string list(const std::string& seq, const std::vector<std::string>& records) {
  std::string out = "<listasal seq=\"" + seq + "\">\n";
  for (const std::string& r : records)
    out += r;
  return out + "</listasal>\n";
}

std::string interchange(const std::vector<std::string>& lists) {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SERVICIO>\n<SALIDAS>\n";
  for (const std::string& l : lists)
    out += l;
  return out + "</SALIDAS>\n</SERVICIO>\n";
}

std::string tramo(const std::string& code, const std::string& minutes, const std::string& scolvia) {
  return rawRecord({salida("CODIGO_SCOLVIA", scolvia), salida("NOMBRE", code),
                    salida("MINUTOS", minutes), salida("INICIO", "10:00"), salida("FIN", "11:00")});
}

std::string TableContents::cell(size_t row, const std::string& field) const {
  for (size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].name == field)
      return rows.at(row).at(i);
  }
  ADD_FAILURE() << "no field " << field;
  return std::string();
}

std::vector<std::string> TableContents::column(const std::string& field) const {
  std::vector<std::string> out;
  for (size_t row = 0; row < rows.size(); ++row)
    out.push_back(cell(row, field));
  return out;
}

TableContents readTable(const std::string& folder, const std::string& name) {
  dbase::Table table(folder, name, dbase::Access::Shared);
  table.open();
  TableContents contents;
  contents.fields = table.fields();
  for (table.first(); !table.eof(); table.next()) {
    std::vector<std::string> row;
    for (size_t i = 0; i < contents.fields.size(); ++i) {
      const int index = static_cast<int>(i);
      if (contents.fields[i].type == 'L') {
        row.push_back(table.asBoolean(index) ? "T" : "F");
      } else {
        row.push_back(table.asString(index));
      }
    }
    contents.rows.push_back(row);
  }
  return contents;
}

std::map<std::string, std::string> snapshot(const std::string& folder) {
  std::map<std::string, std::string> entries;
  addEntries(folder, "", entries);
  return entries;
}

std::unique_ptr<xml::Document> ExportTest::load(const std::string& ansiXml) {
  return loadDocument(docs.write("escuela.xml", utf8FromAnsi(ansiXml)));
}

ExportSummary ExportTest::exportDocument(const std::string& ansiXml, const std::string& start) {
  auto doc = load(ansiXml);
  return runExport(*doc, qtemp.path(), [start] { return start; });
}

}  // namespace tts::testing
