// ExportarProfesores, ExportarAulas and ExportarGrupos: the teachers, rooms and
// groups tables, one row per record, no de-duplication.
#include <vector>

#include "export/builders.h"
#include "interchange/records.h"
#include "platform/dbase/table.h"
#include "platform/files.h"

namespace tts::exporting {

using dbase::FieldType;

namespace {

// A level given as empty still needs a code in the generator.
const char* const kNoLevel = "NIV";

}  // namespace

size_t exportarProfesores(const xml::Document& doc, const std::string& folder) {
  dbase::createTable(files::join(folder, "PROFT.DBF"), {{"ABREV", FieldType::String, 10},
                                                        {"NOMBRE", FieldType::String, 80},
                                                        {"DEPART", FieldType::String, 40},
                                                        {"DNI", FieldType::Integer, 0},
                                                        {"X_EMPLEADO", FieldType::String, 12},
                                                        {"F_TOMAPOS", FieldType::String, 10}});
  const std::vector<Record> records = recordsOf(doc, "PROFESORES");
  dbase::Table table(folder, "PROFT.DBF", dbase::Access::Shared);
  table.open();
  size_t rows = 0;
  for (const Record& record : records) {
    if (record.count() < 2)
      continue;
    const std::string employee = record.value(0);
    const std::string post = record.value(1);
    const std::string abbreviation = record.value(3);
    const std::string name = record.value(2);
    table.append();
    table.setString("ABREV", abbreviation);
    table.setString("NOMBRE", name);
    table.setString("X_EMPLEADO", employee);
    table.setString("F_TOMAPOS", post);
    table.post();
    ++rows;
  }
  table.close();
  return rows;
}

size_t exportarAulas(const xml::Document& doc, const std::string& folder) {
  dbase::createTable(files::join(folder, "AULAT.DBF"), {{"ABREV", FieldType::String, 10},
                                                        {"NOMBRE", FieldType::String, 80},
                                                        {"EDIFICIO", FieldType::String, 1},
                                                        {"MAXALUM", FieldType::Integer, 0},
                                                        {"DEPCENTRO", FieldType::String, 10}});
  const std::vector<Record> records = recordsOf(doc, "AULAS");
  dbase::Table table(folder, "AULAT.DBF", dbase::Access::Shared);
  table.open();
  size_t rows = 0;
  for (const Record& record : records) {
    if (record.count() < 2)
      continue;
    const std::string centre = record.value(0);
    std::string abbreviation = record.value(1);
    if (abbreviation.empty())
      abbreviation = centre;
    const std::string name = record.value(2);
    const std::string building = record.value(3);
    table.append();
    table.setString("ABREV", abbreviation);
    table.setString("NOMBRE", name);
    table.setString("EDIFICIO", building);
    table.setString("DEPCENTRO", centre);
    table.post();
    ++rows;
  }
  table.close();
  return rows;
}

size_t exportarGrupos(const xml::Document& doc, const std::string& folder) {
  dbase::createTable(files::join(folder, "GRUPOST.DBF"), {{"ABREV", FieldType::String, 10},
                                                          {"TURNO", FieldType::String, 1},
                                                          {"NIVEL", FieldType::String, 5},
                                                          {"CURSO", FieldType::String, 3},
                                                          {"GRUPO", FieldType::String, 2},
                                                          {"UNIDAD", FieldType::String, 12},
                                                          {"DESCRIP", FieldType::String, 80},
                                                          {"MARCO", FieldType::String, 1}});
  const std::vector<Record> records = recordsOf(doc, "GRUPOS");
  dbase::Table table(folder, "GRUPOST.DBF", dbase::Access::Shared);
  table.open();
  size_t rows = 0;
  for (const Record& record : records) {
    if (record.count() < 2)
      continue;
    const std::string unit = record.value(0);
    const std::string abbreviation = record.value(1);
    const std::string shift = record.value(2);
    std::string level = record.value(3);
    const std::string course = record.value(4);
    const std::string group = record.value(5);
    if (level.empty())
      level = kNoLevel;
    table.append();
    table.setString("ABREV", abbreviation);
    table.setString("TURNO", shift);
    table.setString("NIVEL", level);
    table.setString("CURSO", course);
    table.setString("GRUPO", group);
    table.setString("UNIDAD", unit);
    // The whole values, not as cut to their fields; an empty part keeps its
    // blanks on both sides.
    table.setString("DESCRIP", shift + " " + level + " " + course + " " + group);
    table.setString("MARCO", "0");
    table.post();
    ++rows;
  }
  table.close();
  return rows;
}

}  // namespace tts::exporting
