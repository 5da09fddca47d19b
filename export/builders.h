// The six table builders of the export, each turning one list of the
// interchange document into one table written into `folder`.
//
// Each creates its table anew (fields in their fixed order), walks its list in
// document order and appends one row per usable record; it returns the number
// of rows written. A record that the two-value rule keeps but that lacks a
// position its builder reads ends the export with Record's message naming the
// list, the record and the position. Every error passes on.
#pragma once

#include <cstddef>
#include <string>

#include "export/export_run.h"
#include "platform/xml.h"

namespace tts::exporting {

// ASIGNOMT from MATERIAS; the first record of each code wins (letter case
// ignored).
size_t exportarMaterias(const xml::Document& doc, const std::string& folder);
// PROFT from PROFESORES.
size_t exportarProfesores(const xml::Document& doc, const std::string& folder);
// AULAT from AULAS.
size_t exportarAulas(const xml::Document& doc, const std::string& folder);
// GRUPOST from GRUPOS.
size_t exportarGrupos(const xml::Document& doc, const std::string& folder);
// ASIGT from ASIGNATURAS; task codes come from the ASIGNOMT in `folder`.
size_t exportarAsignaturas(const xml::Document& doc, const std::string& folder);
// DIASHORAST from TRAMOS, asking `dialog` for the start of the first
// class.
size_t exportarTramos(const xml::Document& doc, const std::string& folder,
                      const StartTimeDialog& dialog);

}  // namespace tts::exporting
