// Synthetic schools for the benchmarks: an interchange document and the
// timetable generator's solution table SOLUC that fits it.
//
// A school is made from a shape (how many teachers, groups, assignments, days
// and hours) and a seed; the same shape and seed give the same school on every
// machine (only SOLUC.DBF's header date is the day it was written). Texts are
// the system's 8-bit ANSI text, with Spanish names and accents; the lists hold,
// in places, duplicates, blank values and records too short to be read, and
// SOLUC refers mostly, but not always, to existing rooms, groups and subjects,
// with some classes left unplaced (DIA 0).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tts::bench {

// How big a school is.
struct SchoolShape {
  std::string name;     // small, large, district
  int centres = 1;      // schools whose codes the district keeps apart
  int teachers = 0;     // PROFESORES records (before duplicates)
  int groups = 0;       // GRUPOS records
  int rooms = 0;        // AULAS records
  int subjects = 0;     // MATERIAS records of lessons (tasks come on top)
  int assignments = 0;  // ASIGNATURAS records
  int days = 0;         // L M X J V S, from Monday
  int hours = 0;        // teaching hours a day
};

// The shapes by name; nothing for an unknown name.
std::optional<SchoolShape> shapeNamed(std::string_view name);
// The names shapeNamed() knows, in size order.
std::vector<std::string> shapeNames();

// A value of the interchange document: its `dato` name and its text.
using Value = std::pair<std::string, std::string>;
using Record = std::vector<Value>;

// One list of the interchange document.
struct List {
  std::string seq;
  std::vector<Record> records;
};

// One row of SOLUC, as the timetable generator writes it.
struct SolucRow {
  std::string prof;
  int dia = 0, hora = 0;
  std::string tarea, aula, codgrupo, asig, nivel, curso;
};

struct School {
  SchoolShape shape;
  std::vector<List> lists;  // MATERIAS ... TRAMOS, in that order
  std::vector<SolucRow> soluc;
};

// Makes the school of this shape and seed.
School makeSchool(const SchoolShape& shape, uint32_t seed);

// The interchange document of the school, as UTF-8 bytes.
std::string interchangeDocument(const School& school);

// Writes `escuela.xml` and `SOLUC.DBF` into the folder (which must exist).
void writeSchool(const School& school, const std::string& folder);

// The name of the interchange document writeSchool() writes.
inline constexpr const char* kDocumentName = "escuela.xml";

}  // namespace tts::bench
