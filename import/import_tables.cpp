#include "import/import_tables.h"

namespace tts {

using dbase::Access;

ImportTables::ImportTables(const std::string& qtemp)
    : soluc(qtemp, "SOLUC", Access::Exclusive),
      grupost(qtemp, "GRUPOST", Access::Exclusive),
      proft(qtemp, "PROFT", Access::Exclusive),
      aulat(qtemp, "AULAT", Access::Exclusive),
      asignomt(qtemp, "ASIGNOMT", Access::Exclusive),
      diashorast(qtemp, "DIASHORAST", Access::Exclusive),
      asigt(qtemp, "ASIGT", Access::Exclusive) {
  // The members' destructors close whatever was opened before a failure.
  soluc.open();
  grupost.open();
  proft.open();
  aulat.open();
  asignomt.open();
  diashorast.open();
}

void ImportTables::close() {
  soluc.close();
  grupost.close();
  proft.close();
  aulat.close();
  asignomt.close();
  diashorast.close();
  asigt.close();
}

LookupTables ImportTables::lookupTables() {
  return LookupTables{asignomt, diashorast, aulat, grupost, asigt};
}

}  // namespace tts
