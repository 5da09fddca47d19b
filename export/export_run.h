// The export: six timetable tables from a loaded interchange document.
//
// An export is all or nothing. The builders write into a staging folder inside
// the working folder; commit() then replaces the six tables (and removes their
// .MDX files) in one go. A run that ends in an error, or is never committed,
// leaves the working folder exactly as it was: same files, same bytes, and no
// staging folder left behind.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/xml.h"

namespace tts {

// Shows the start-time dialog modally and returns the edit's text. Called
// again, with the dialog still holding the user's text, while the time is out
// of range.
using StartTimeDialog = std::function<std::string()>;

class ExportRun {
 public:
  // Prepares a run over `doc` (which must outlive the run) into the working
  // folder `qtemp`, creating the staging folder inside it. Throws Error "No
  // existe la carpeta de trabajo '...'" when the folder is missing, and Error
  // when it cannot be written.
  ExportRun(const xml::Document& doc, std::string qtemp);
  ~ExportRun();  // discards the staging folder unless committed
  ExportRun(const ExportRun&) = delete;
  ExportRun& operator=(const ExportRun&) = delete;

  // The six builders, to be called in this order; each returns its row count
  // and throws Error (conversion error, a record lacking a value, table or
  // document failure) leaving the working folder untouched.
  size_t ExportarMaterias();     // ASIGNOMT from MATERIAS
  size_t ExportarProfesores();   // PROFT from PROFESORES
  size_t ExportarAulas();        // AULAT from AULAS
  size_t ExportarGrupos();       // GRUPOST from GRUPOS
  size_t ExportarAsignaturas();  // ASIGT from ASIGNATURAS (reads this run's ASIGNOMT)
  size_t ExportarTramos(const StartTimeDialog& askStartTime);  // DIASHORAST from TRAMOS

  // Replaces the working folder's six tables by this run's. Throws Error,
  // changing nothing, when a builder has not completed (or failed last time it
  // ran) or the run is already committed; on a failure while replacing, the
  // folder is put back as it was and Error names the table.
  void commit();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Rows written per table, in the order of the builders.
struct ExportSummary {
  std::vector<std::pair<std::string, size_t>> rows;
};

// The whole run: the six builders in order, then commit().
ExportSummary runExport(const xml::Document& doc, const std::string& qtemp,
                        const StartTimeDialog& askStartTime);

}  // namespace tts
