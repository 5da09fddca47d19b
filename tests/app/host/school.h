// The small school the scenarios use: an interchange document in
// C:\QTEMP\scolvia and a timetable solution SOLUC in C:\QTEMP.
#pragma once

#include <string>

namespace tts::e2e {

inline constexpr char kQtemp[] = "C:\\QTEMP";
inline constexpr char kSchool[] = "C:\\QTEMP\\scolvia\\escuela.xml";
inline constexpr char kBroken[] = "C:\\QTEMP\\scolvia\\rota.xml";
inline constexpr char kResult[] = "C:\\QTEMP\\scolvia\\ResultadoTempaxescuela.xml";

// Creates C:\QTEMP\scolvia and writes the school's document (kSchool) and a
// document that is not well-formed (kBroken); removes the timetable tables,
// SOLUC and the result document of earlier scenarios.
void prepareSchool();

// Writes the six timetable tables from the school's document with the core's
// own export (start 08:00) and a SOLUC with one class of the one teacher.
void prepareTimetable();

}  // namespace tts::e2e
