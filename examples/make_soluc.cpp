// tts_make_soluc CARPETA: writes SOLUC.DBF, the timetable solution of the
// sample school in escuela.xml, into CARPETA.
//
// The timetable generator is not part of this project, so the sample's
// solution comes from a fixed plan placed by a simple rule: each session goes
// to the first free hour of a day chosen by the session's number, so that a
// subject's sessions spread over the week and no teacher, group or room is
// used twice at the same hour. The same plan always gives the same table.
#include <algorithm>
#include <array>
#include <iostream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/dbase/table.h"
#include "platform/error.h"
#include "platform/files.h"

namespace {

using tts::dbase::FieldDef;
using tts::dbase::FieldType;

constexpr int kDays = 5;   // Monday to Friday
constexpr int kHours = 6;  // teaching hours a day

struct Group {
  const char* abrev;
  const char* nivel;
  const char* curso;
};

// As in the list GRUPOS of escuela.xml.
const Group kGroups[] = {
    {"1ESOA", "ESO", "1"}, {"1ESOB", "ESO", "1"}, {"2ESOA", "ESO", "2"}, {"1BACA", "BACH", "1"}};

// One teacher's share of an assignment of the list ASIGNATURAS: the teacher's
// abbreviation, the subject, group and room codes, the sessions a week, and
// the task code ("" for a lesson).
struct Share {
  const char* teacher;
  const char* asig;
  const char* group;
  const char* room;
  int sessions;
  const char* tarea;
};

const Share kPlan[] = {
    {"NUÑ", "MAT", "1ESOA", "A101", 4, ""},
    {"NUÑ", "MAT", "1ESOB", "A102", 4, ""},
    {"NUÑ", "MAT", "2ESOA", "A101", 4, ""},
    {"GÓM", "LEN", "1ESOA", "A101", 4, ""},
    {"GÓM", "LEN", "1ESOB", "A102", 4, ""},
    {"GÓM", "LEN", "2ESOA", "A101", 4, ""},
    {"MAR", "ING", "1ESOA", "A101", 3, ""},
    {"MAR", "ING", "1ESOB", "A102", 3, ""},
    {"MAR", "ING", "2ESOA", "A101", 3, ""},
    {"MAR", "ING", "1BACA", "A102", 3, ""},
    {"IBÁ", "FYQ", "2ESOA", "LAB", 3, ""},
    {"IBÁ", "FYQ", "1BACA", "LAB", 4, ""},
    {"IBÁ", "MAT", "1BACA", "A102", 4, ""},
    {"PEÑ", "EF", "1ESOA", "GIM", 2, ""},
    {"PEÑ", "EF", "1ESOB", "GIM", 2, ""},
    {"PEÑ", "EF", "2ESOA", "GIM", 2, ""},
    {"PEÑ", "EF", "1BACA", "GIM", 2, ""},
    {"O'D", "GEH", "1ESOA", "A101", 3, ""},
    {"O'D", "GEH", "1ESOB", "A102", 3, ""},
    {"O'D", "GEH", "2ESOA", "A101", 3, ""},
    // Duties in the staff room, whose abbreviation is its DEPCENTRO code.
    {"GÓM", "GUA", "", "3005", 1, "GUA"},
    {"MAR", "GUA", "", "3005", 1, "GUA"},
    {"PEÑ", "GUA", "", "3005", 1, "GUA"},
    {"NUÑ", "REU", "", "3005", 1, "REU"},
    {"IBÁ", "REU", "", "3005", 1, "REU"},
    {"O'D", "REU", "", "3005", 1, "REU"},
};

// A session the generator could not place: it comes with day 0.
const Share kUnplaced = {"O'D", "REU", "", "3005", 1, "REU"};

struct Session {
  int dia = 0, hora = 0;
  const Share* share = nullptr;
};

const Group* groupOf(const Share& s) {
  for (const Group& g : kGroups) {
    if (std::string(g.abrev) == s.group)
      return &g;
  }
  return nullptr;
}

std::vector<Session> place() {
  std::vector<Session> placed;
  auto busy = [&](int dia, int hora, const Share& s) {
    for (const Session& p : placed) {
      if (p.dia != dia || p.hora != hora)
        continue;
      const Share& o = *p.share;
      if (std::string(o.teacher) == s.teacher)
        return true;
      if (*s.group && std::string(o.group) == s.group)
        return true;
      // Duties share the staff room; a lesson has its room to itself.
      if (*s.group && std::string(o.room) == s.room)
        return true;
    }
    return false;
  };
  int index = 0;
  for (const Share& share : kPlan) {
    for (int n = 0; n < share.sessions; ++n) {
      bool done = false;
      for (int d = 0; d < kDays && !done; ++d) {
        const int dia = (index + n + d) % kDays + 1;
        for (int h = 0; h < kHours && !done; ++h) {
          const int hora = (index + h) % kHours + 1;
          if (busy(dia, hora, share))
            continue;
          placed.push_back({dia, hora, &share});
          done = true;
        }
      }
      if (!done)
        throw tts::Error(std::string("El plan no cabe en la semana: ") + share.asig);
    }
    ++index;
  }
  // The generator lists its solution hour by hour.
  std::stable_sort(placed.begin(), placed.end(), [](const Session& a, const Session& b) {
    return std::tie(a.dia, a.hora) < std::tie(b.dia, b.hora);
  });
  placed.push_back({0, 0, &kUnplaced});
  return placed;
}

void write(const std::string& folder, const std::vector<Session>& sessions) {
  const std::vector<FieldDef> fields = {
      {"PROF", FieldType::String, 10}, {"DIA", FieldType::Integer, 0},
      {"HORA", FieldType::Integer, 0}, {"TAREA", FieldType::String, 10},
      {"AULA", FieldType::String, 10}, {"CODGRUPO", FieldType::String, 10},
      {"ASIG", FieldType::String, 10}, {"NIVEL", FieldType::String, 5},
      {"CURSO", FieldType::String, 3}};
  tts::dbase::createTable(tts::files::join(folder, "SOLUC.DBF"), fields);
  tts::dbase::Table table(folder, "SOLUC", tts::dbase::Access::Exclusive);
  table.open();
  for (const Session& s : sessions) {
    const Share& share = *s.share;
    const Group* group = groupOf(share);
    table.append();
    table.setString("PROF", share.teacher);
    table.setInteger("DIA", s.dia);
    table.setInteger("HORA", s.hora);
    table.setString("TAREA", share.tarea);
    table.setString("AULA", share.room);
    table.setString("CODGRUPO", share.group);
    table.setString("ASIG", share.asig);
    table.setString("NIVEL", group ? group->nivel : "");
    table.setString("CURSO", group ? group->curso : "");
    table.post();
  }
  table.close();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Uso: tts_make_soluc CARPETA\n";
    return 2;
  }
  try {
    write(argv[1], place());
  } catch (const tts::Error& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
