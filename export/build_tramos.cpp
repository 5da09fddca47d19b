// ExportarTramos: the time-slot table DIASHORAST, with the start-time dialog.
//
// The list is read twice: the first pass collects the length of every Monday
// hour, from which, with the start of the first class, every hour number gets
// its start time (for all days alike); the second pass writes one row per
// record, its values found by their `dato` names.
#include <optional>
#include <vector>

#include "export/builders.h"
#include "export/start_time.h"
#include "export/time_text.h"
#include "interchange/records.h"
#include "platform/dbase/table.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/text.h"

namespace tts::exporting {

using dbase::FieldType;

namespace {

// The values of one record that the second pass uses, by name.
struct SlotValues {
  std::string code;
  std::string scolviaCode;
  std::string minutes;
};

// A later value overwrites an earlier one of the same meaning; of "NOMBRE" and
// "DIA", the one further down wins. "INICIO" and "FIN" carry the document's own
// times, which the computed ones replace. A value without a name, like one
// with any other name, is passed over.
SlotValues slotValuesOf(const Record& record) {
  SlotValues slot;
  for (size_t position = 0; position < record.count(); ++position) {
    const std::optional<std::string> name = record.name(position);
    if (!name)
      continue;
    if (*name == "CODIGO_SCOLVIA") {
      slot.scolviaCode = record.value(position);
    } else if (*name == "NOMBRE" || *name == "DIA") {
      slot.code = record.value(position);
    } else if (*name == "MINUTOS") {
      slot.minutes = record.value(position);
    }
  }
  return slot;
}

Error hourOutOfRange(const Record& record, int32_t hour) {
  return Error("La lista " + record.list() + ", registro " + std::to_string(record.number()) +
               ": el número de hora " + std::to_string(hour) + " está fuera del intervalo de 1 a " +
               std::to_string(kMaxHours));
}

// First pass: the minutes of the last Monday record of each hour number.
// Every record's hour characters must be a number; hours of 0 and below are
// no Monday hour.
HourTable mondayDurations(const std::vector<Record>& records) {
  HourTable durations;
  for (const Record& record : records) {
    const std::string code = record.value(1);
    const std::string minutes = record.value(2);
    const int32_t hour = toInteger(hourCharacters(code));
    if (hour > kMaxHours)
      throw hourOutOfRange(record, hour);
    if (hour > 0 && !code.empty() && code.front() == 'L')
      durations[static_cast<size_t>(hour - 1)] = minutes;
  }
  return durations;
}

}  // namespace

size_t exportarTramos(const xml::Document& doc, const std::string& folder,
                      const StartTimeDialog& dialog) {
  dbase::createTable(files::join(folder, "DIASHORAST.DBF"), {{"DIHO", FieldType::String, 10},
                                                             {"CODDIHO", FieldType::String, 10},
                                                             {"DIA", FieldType::String, 20},
                                                             {"TEXTODIA", FieldType::String, 20},
                                                             {"HORA", FieldType::String, 8},
                                                             {"TEXTOHOR", FieldType::String, 15},
                                                             {"HORADESDE", FieldType::String, 8},
                                                             {"HORAHASTA", FieldType::String, 8},
                                                             {"MINUTOS", FieldType::String, 8},
                                                             {"MARCO", FieldType::String, 1},
                                                             {"MARCOXML", FieldType::String, 10}});
  const std::string startText = askStartTime(dialog);
  const std::vector<Record> records = recordsOf(doc, "TRAMOS");
  const HourTable starts = deriveStartTimes(startText, mondayDurations(records));

  dbase::Table table(folder, "DIASHORAST.DBF", dbase::Access::Shared);
  table.open();
  size_t rows = 0;
  for (const Record& record : records) {
    const SlotValues slot = slotValuesOf(record);
    const std::string hourText = hourCharacters(slot.code);
    const int32_t hour = toInteger(hourText);
    if (hour < 1 || hour > kMaxHours)
      throw hourOutOfRange(record, hour);
    // Both times are settled before the row is appended: a record whose times
    // cannot be computed leaves no row.
    const std::string& start = starts[static_cast<size_t>(hour - 1)];
    const std::string end = timeText(minuteCount(start) + toInteger(slot.minutes));
    const std::string day = dayDigit(slot.code);
    table.append();
    table.setString("DIHO", day + hourText);
    table.setString("DIA", day);
    table.setString("HORA", hourText);
    table.setString("CODDIHO", slot.scolviaCode);
    table.setString("TEXTOHOR", hourText + "-" + start + "-" + end);
    table.setString("HORADESDE", start);
    table.setString("HORAHASTA", end);
    table.setString("MINUTOS", slot.minutes);
    table.setString("MARCO", "0");
    table.post();
    ++rows;
  }
  table.close();
  return rows;
}

}  // namespace tts::exporting
