// Fixtures of the import tests: the tables the import reads, written with the
// layouts the export and the timetable generator give them, a small
// interchange document, and the result document read back.
#pragma once

#include <string>
#include <vector>

#include "platform/dbase/table.h"

namespace tts::testing {

struct Teacher {  // PROFT
  std::string xEmpleado, fTomapos, abrev;
};
struct SolucRow {  // SOLUC; DIA and HORA are integer fields
  std::string prof;
  int dia = 0, hora = 0;
  std::string tarea, aula, codgrupo, asig, nivel, curso;
};
struct Subject {  // ASIGNOMT
  std::string cod, materia;
};
struct TimeSlot {  // DIASHORAST
  std::string diho, dia, coddiho;
};
struct Room {  // AULAT
  std::string abrev, depcentro;
};
struct Group {  // GRUPOST
  std::string abrev, unidad;
};
struct Assignment {  // ASIGT
  std::string casig, cgrup, nivel, curso, materia;
};

// The seven tables of an import. Texts are the system's ANSI text.
struct School {
  std::vector<Teacher> proft;
  std::vector<SolucRow> soluc;
  std::vector<Subject> asignomt;
  std::vector<TimeSlot> diashorast;
  std::vector<Room> aulat;
  std::vector<Group> grupost;
  std::vector<Assignment> asigt;

  // Writes the seven tables into `folder`, replacing them.
  void write(const std::string& folder) const;
};

// One table: its fields and its rows, one text per field ("" leaves a field
// unset; integer fields take decimal text).
void writeTable(const std::string& folder, const std::string& name,
                const std::vector<dbase::FieldDef>& fields,
                const std::vector<std::vector<std::string>>& rows);

// The layouts of the seven tables (SOLUC's as the generator writes it).
std::vector<dbase::FieldDef> layoutOf(const std::string& table);

// A small interchange document (UTF-8) whose SALIDAS holds one list.
std::string sampleDocument();

// The output section of a result document (the root's last SALIDAS), one
// line per element: "ERROR 0|Servicio finalizado Correctamente", then
// "EMPLEADO_1 X|F" for a teacher list (its values joined by "|") followed by
// "ACTIVIDAD_1 a|b|c|d|e|f" for each of its activity lists. With `withNames`
// every value is written as "dato=text". Texts come back as ANSI.
std::vector<std::string> resultLines(const std::string& resultFile, bool withNames = false);

// Flips the deleted flag of record `index` (from 0) of a table file.
void markDeleted(const std::string& dbfPath, size_t index);

// The data file of table `name` in `folder`.
std::string tableFile(const std::string& folder, const std::string& name);

}  // namespace tts::testing
