// The reference lookups of the import: the codes of one scheduled class turned
// into the administration system's identifiers through the timetable tables.
//
// Every lookup gives what a scan of its table from the first record gives: the
// first matching record in record order wins, and nothing is found when no
// record matches. Texts are compared exactly as the table service returns
// them: same length, same bytes, letter case distinct, nothing trimmed.
// Errors of the table service (a missing field, ASIGT that cannot be opened)
// pass through unchanged.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/dbase/table.h"

namespace tts {

// The tables the lookups read. All but ASIGT are open; the first subject
// lookup opens ASIGT.
struct LookupTables {
  dbase::Table& asignomt;
  dbase::Table& diashorast;
  dbase::Table& aulat;
  dbase::Table& grupost;
  dbase::Table& asigt;
};

// A time slot of DIASHORAST: its DIA (the weekday) and its CODDIHO.
struct Slot {
  std::string weekday;
  std::string code;
};

// The SOLUC fields the subject lookup compares.
struct SubjectKey {
  std::string_view asig;
  std::string_view codgrupo;
  std::string_view nivel;
  std::string_view curso;
};

class Lookups {
 public:
  virtual ~Lookups() = default;

  // X_ACTIVIDAD: the MATERIA of the first ASIGNOMT record whose COD equals
  // TAREA, else TAREA itself; "G439" when that result is blank.
  virtual std::string activity(std::string_view tarea) = 0;
  // The first DIASHORAST record whose DIHO equals the slot key, or nothing.
  virtual std::optional<Slot> slot(std::string_view key) = 0;
  // DEPCENTRO of the first AULAT record whose ABREV equals AULA, or nothing.
  virtual std::optional<std::string> room(std::string_view aula) = 0;
  // UNIDAD of the first GRUPOST record whose ABREV equals CODGRUPO, or nothing.
  virtual std::optional<std::string> group(std::string_view codgrupo) = 0;
  // X_MATERIAOMC in three stages: stage 1, the first ASIGT record with CASIG
  // and CGRUP equal; stage 2 when its MATERIA is blank (or none matched), the
  // ASIGT records with CASIG, NIVEL and CURSO equal until one has a MATERIA
  // that is not blank; stage 3 when still blank, the first ASIGNOMT record
  // whose COD equals ASIG. Gives the last MATERIA taken (blank when no stage
  // gave one that is not), or nothing when no stage found a record. Opens
  // ASIGT when it is closed.
  virtual std::optional<std::string> subject(const SubjectKey& key) = 0;
};

// How a walk gets its lookups: called once per run, after the tables are open.
using LookupsFactory = std::function<std::unique_ptr<Lookups>(const LookupTables&)>;

// The product's lookups: each table is read once, at its first lookup, into
// an index that keeps for every key what the first matching record gives.
std::unique_ptr<Lookups> makeIndexedLookups(const LookupTables& tables);

// The text an activity lookup gives when TAREA resolves to a blank text.
inline constexpr std::string_view kDefaultActivity = "G439";

}  // namespace tts
