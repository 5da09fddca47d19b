// The work the benchmark times, each step run over one school folder (the
// interchange document) and one working folder (the timetable tables).
#pragma once

#include <cstddef>
#include <string>

namespace tts::bench {

struct Folders {
  std::string document;  // path of the interchange document
  std::string qtemp;     // working folder: SOLUC and the six exported tables
};

// What an import wrote, which the floor writes as much of.
struct ResultShape {
  size_t teachers = 0;
  size_t activities = 0;
};

// The export as the user meets it: the document loaded, the six tables
// written (start time "08:00").
void exportStep(const Folders& folders);

// The import with the product's indexed lookups.
ResultShape importStep(const Folders& folders);

// The import with the lookups as plain scans of the tables.
ResultShape scanStep(const Folders& folders);

// The floor: every field of every row of the seven tables read as text, and a
// result document with as many teacher and activity lists and values as the
// import writes, built and saved without any lookup. Returns the number of
// fields read.
size_t floorStep(const Folders& folders, const ResultShape& shape);

// The seven tables the import reads.
inline constexpr const char* kImportTables[] = {"SOLUC", "PROFT",   "ASIGNOMT", "DIASHORAST",
                                                "AULAT", "GRUPOST", "ASIGT"};

}  // namespace tts::bench
