// ExportarAsignaturas: the teaching-assignments table ASIGT, with hours, the
// SESIONES text and task codes looked up in this run's ASIGNOMT.
#include <optional>
#include <unordered_map>
#include <vector>

#include "export/builders.h"
#include "export/sessions.h"
#include "interchange/records.h"
#include "platform/dbase/table.h"
#include "platform/files.h"
#include "platform/text.h"

namespace tts::exporting {

using dbase::FieldType;

namespace {

const char* const kNoLevel = "NIV";
// The task code of every subject that is not a task ("G..." subjects are).
const char* const kLectureTask = "LE";

bool isTask(const std::string& materia) {
  return !materia.empty() && materia.front() == 'G';
}

// ASIGNOMT read as the main window's subjects component reads it: exclusive,
// no index, rows in the order ExportarMaterias posted them. Opened at the first
// lookup only, closed with the builder. The table cannot change while it is
// held, so one pass at the first lookup gives every later answer.
class SubjectsReader {
 public:
  explicit SubjectsReader(std::string folder) : folder_(std::move(folder)) {}

  // The COD of the first row whose MATERIA equals `materia` exactly, or
  // `materia` itself when no row does.
  std::string taskCode(const std::string& materia) {
    if (!table_) {
      table_.emplace(folder_, "ASIGNOMT", dbase::Access::Exclusive);
      table_->open();
      const int materiaField = table_->fieldIndex("MATERIA");
      const int codField = table_->fieldIndex("COD");
      // emplace keeps the first row of each MATERIA: the first match wins.
      for (table_->first(); !table_->eof(); table_->next())
        firstCode_.emplace(table_->asString(materiaField), table_->asString(codField));
    }
    auto found = firstCode_.find(materia);
    return found == firstCode_.end() ? materia : found->second;
  }

 private:
  std::string folder_;
  std::optional<dbase::Table> table_;
  std::unordered_map<std::string, std::string> firstCode_;
};

}  // namespace

size_t exportarAsignaturas(const xml::Document& doc, const std::string& folder) {
  dbase::createTable(files::join(folder, "ASIGT.DBF"), {{"CASIG", FieldType::String, 10},
                                                        {"CPROF", FieldType::String, 10},
                                                        {"CGRUP", FieldType::String, 10},
                                                        {"CAULA", FieldType::String, 10},
                                                        {"TURNO", FieldType::String, 1},
                                                        {"NIVEL", FieldType::String, 5},
                                                        {"CURSO", FieldType::String, 3},
                                                        {"GRUPO", FieldType::String, 2},
                                                        {"HORAS", FieldType::Float, 0},
                                                        {"SESIONES", FieldType::String, 20},
                                                        {"NCONEX", FieldType::String, 4},
                                                        {"MATERIA", FieldType::String, 12},
                                                        {"CTAREA", FieldType::String, 10}});
  const std::vector<Record> records = recordsOf(doc, "ASIGNATURAS");
  dbase::Table table(folder, "ASIGT.DBF", dbase::Access::Shared);
  table.open();
  SubjectsReader subjects(folder);
  size_t rows = 0;
  for (const Record& record : records) {
    if (record.count() < 2)
      continue;
    std::vector<std::string> values;
    for (size_t position = 0; position <= 8; ++position)
      values.push_back(record.value(position));
    const std::string& minutes = values[7];
    const std::string& materia = values[8];

    table.append();
    table.setString("CASIG", values[0]);
    table.setString("CGRUP", values[1]);
    table.setString("CAULA", values[2]);
    table.setString("TURNO", values[3]);
    table.setString("NIVEL", values[4].empty() ? kNoLevel : values[4]);
    table.setString("CURSO", values[5]);
    table.setString("GRUPO", values[6]);
    if (!minutes.empty())
      table.setFloat("HORAS", toInteger(minutes) / 60.0);
    // Never less than one hour: an empty, zero or negative time counts as one.
    if (!(table.asFloat("HORAS") >= 1.0))
      table.setFloat("HORAS", 1.0);
    // Built from the hours the row holds, not from the text.
    table.setString("SESIONES", sessionsText(table.asFloat("HORAS")));
    table.setString("MATERIA", materia);
    table.setString("CTAREA", isTask(materia) ? subjects.taskCode(materia) : kLectureTask);
    table.post();
    ++rows;
  }
  table.close();
  return rows;
}

}  // namespace tts::exporting
