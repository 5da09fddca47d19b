// The import: the result document from the timetable solution SOLUC.
//
// Walks the teachers of PROFT and each teacher's SOLUC rows, resolves every
// code through the timetable tables, and saves the result document beside the
// chosen file. The document is loaded before any table is opened, so a file
// that is not a well-formed document ends the import before the tables are
// touched. Every table it opens is closed when it ends, also on an error; a
// failed import writes no result file and leaves an older one as it was.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "import/lookups.h"
#include "platform/xml.h"

namespace tts {

struct ImportSummary {
  std::string resultFile;       // path of the saved result document
  size_t teachers = 0;          // teacher lists written
  size_t activities = 0;        // activity lists written
  size_t slotsNotFound = 0;     // classes whose time slot was not found
  size_t roomsNotFound = 0;     // classes whose room was not found
  size_t groupsNotFound = 0;    // classes whose group was not found
  size_t subjectsNotFound = 0;  // classes with a blank subject code
};

// Runs the import of the interchange document at `chosenPath` with the tables
// of the working folder `qtemp`; `doc` receives the result document. Throws
// Error (naming the file, table or field) and saves nothing on any failure.
ImportSummary ImportarSolucion(std::unique_ptr<xml::Document>& doc, const std::string& chosenPath,
                               const std::string& qtemp);

// The same walk with the lookups that `makeLookups` gives (the indexed ones in
// the product; tests and benchmarks pass others).
ImportSummary ImportarSolucion(std::unique_ptr<xml::Document>& doc, const std::string& chosenPath,
                               const std::string& qtemp, const LookupsFactory& makeLookups);

}  // namespace tts
