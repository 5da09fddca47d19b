// The seven tables the import reads, in the working folder, each opened for
// exclusive use so that the timetable generator cannot change them meanwhile.
//
// Construction opens SOLUC, GRUPOST, PROFT, AULAT, ASIGNOMT and DIASHORAST in
// this order; ASIGT stays closed until the first subject lookup opens it. The
// table service's error for a table that is missing or held by another program
// ends the construction; every table opened so far is closed again, as all of
// them are when the object goes.
#pragma once

#include <string>

#include "import/lookups.h"
#include "platform/dbase/table.h"

namespace tts {

class ImportTables {
 public:
  // Opens the six tables of the walk in `qtemp`.
  explicit ImportTables(const std::string& qtemp);
  ImportTables(const ImportTables&) = delete;
  ImportTables& operator=(const ImportTables&) = delete;

  // Closes SOLUC, GRUPOST, PROFT, AULAT, ASIGNOMT, DIASHORAST and ASIGT, in
  // this order (closing a closed table changes nothing).
  void close();

  // The tables of the lookups.
  LookupTables lookupTables();

  dbase::Table soluc;
  dbase::Table grupost;
  dbase::Table proft;
  dbase::Table aulat;
  dbase::Table asignomt;
  dbase::Table diashorast;
  dbase::Table asigt;
};

}  // namespace tts
