// The word stock of the synthetic schools: Spanish first names and surnames,
// subjects, duties, rooms and levels. ANSI text.
#pragma once

#include <string>

namespace tts::bench::names {

extern const char* const kFirstNames[30];
extern const char* const kSurnames[52];

// A subject of the lessons: its short code stem, long code and name.
struct SubjectStem {
  const char* code;
  const char* longCode;
  const char* name;
  const char* room;  // the kind of room it needs ("" for a classroom)
};
extern const SubjectStem kSubjects[20];

// A duty: code, long code, name and its MATERIA, which begins with G.
struct Duty {
  const char* code;
  const char* longCode;
  const char* name;
  const char* materia;
};
extern const Duty kDuties[10];

// A special room: abbreviation stem and description.
struct RoomKind {
  const char* code;
  const char* name;
};
extern const RoomKind kRoomKinds[8];

// A teaching level and how many years (courses) it has.
struct Level {
  const char* code;
  int courses;
  const char* shift;  // TURNO
};
extern const Level kLevels[5];

// Roman numeral of 1 to 3999, for subject levels ("Matemáticas II").
std::string roman(int number);

// The ANSI text in capitals (ASCII and Western accented letters).
std::string upper(const std::string& text);

}  // namespace tts::bench::names
