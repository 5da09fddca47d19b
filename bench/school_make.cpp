// The making of a synthetic school: lists first, then a timetable placed by a
// simple rule (random free hours of teacher, group and room), as a timetable
// generator would leave it in SOLUC.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "bench/names.h"
#include "bench/random.h"
#include "bench/school.h"

namespace tts::bench {
namespace {

const char kDayLetters[] = "LMXJVSD";
const char kGroupLetters[] = "ABCDEFGHIJKLMN\xD1OPQRSTUVWXYZ";  // with Ñ

std::string padded(int number, int width) {
  std::string text = std::to_string(number);
  while (static_cast<int>(text.size()) < width)
    text.insert(text.begin(), '0');
  return text;
}

std::string timeText(int minutes) {
  return padded(minutes / 60, 2) + ":" + padded(minutes % 60, 2);
}

struct Subject {
  std::string materia, cod, longCode, name, roomKind;
};

struct Room {
  int centre = 0;
  std::string depcentro, docAbrev, abrev, name, building, kind;
  bool staff = false;
};

struct Group {
  int centre = 0;
  std::string unidad, abrev, turno, docNivel, nivel, curso, letter;
};

struct Teacher {
  int centre = 0;
  std::string xEmpleado, fTomapos, name, docAbrev;
  int load = 0;
};

struct Assignment {
  bool duty = false;
  std::string casig, materia, minutes;
  int group = -1;  // none for a duty
  int room = 0;
  int teacher = 0;
  int sessions = 1;
};

class Maker {
 public:
  Maker(const SchoolShape& shape, uint32_t seed) : shape_(shape), random_(seed) {}

  School make() {
    School school;
    school.shape = shape_;
    makeSubjects();
    makeRooms();
    makeGroups();
    makeTeachers();
    makeAssignments();
    school.lists.push_back(materias());
    school.lists.push_back(profesores());
    school.lists.push_back(aulas());
    school.lists.push_back(grupos());
    school.lists.push_back(asignaturas());
    school.lists.push_back(tramos());
    school.soluc = timetable();
    return school;
  }

 private:
  // Codes of the district's schools are kept apart by the school's number.
  std::string prefix(int centre) const {
    return shape_.centres > 1 ? std::to_string(centre + 1) + "-" : "";
  }
  int perCentre(int total, int centre) const {
    const int base = total / shape_.centres;
    return centre < total % shape_.centres ? base + 1 : base;
  }

  // -- the school's things ---------------------------------------------------

  void makeSubjects() {
    for (int k = 0; k < shape_.subjects; ++k) {
      const names::SubjectStem& stem = names::kSubjects[k % 20];
      const int level = k / 20 + 1;
      const std::string suffix = level > 1 ? std::to_string(level) : "";
      subjects_.push_back(
          {padded(101 + k, 4), stem.code + suffix, stem.longCode + suffix,
           level > 1 ? std::string(stem.name) + " " + names::roman(level) : std::string(stem.name),
           stem.room});
    }
  }

  void makeRooms() {
    for (int c = 0; c < shape_.centres; ++c) {
      const int count = perCentre(shape_.rooms, c);
      centreRooms_.emplace_back();
      for (int r = 0; r < count; ++r) {
        Room room;
        room.centre = c;
        room.depcentro = std::to_string(30000 + c * 1000 + r);
        if (r == 0) {
          // The staff room: no abbreviation, so AULAT takes its code.
          room.staff = true;
          room.name = "Sala de profesores";
          room.kind = "SALA";
        } else if (r <= 8 && count > 10) {
          const names::RoomKind& kind = names::kRoomKinds[r - 1];
          room.docAbrev = prefix(c) + kind.code;
          room.name = kind.name;
          room.kind = kind.code;
        } else {
          const int floor = 1 + (r - 1) / 12, number = 1 + (r - 1) % 12;
          room.docAbrev = prefix(c) + "A" + std::to_string(floor) + padded(number, 2);
          room.name = "Aula " + std::to_string(floor) + "." + padded(number, 2);
        }
        room.abrev = room.docAbrev.empty() ? room.depcentro : room.docAbrev;
        room.building = room.kind == "GIM" ? "G" : random_.chance(50) ? "Principal" : "P";
        centreRooms_.back().push_back(static_cast<int>(rooms_.size()));
        rooms_.push_back(room);
      }
    }
  }

  void makeGroups() {
    const std::vector<int> weights = {53, 20, 7, 10, 10};
    for (int c = 0; c < shape_.centres; ++c) {
      const int count = perCentre(shape_.groups, c);
      std::map<std::string, int> letters;
      centreGroups_.emplace_back();
      for (int g = 0; g < count; ++g) {
        const names::Level& level = names::kLevels[random_.weighted(weights)];
        Group group;
        group.centre = c;
        group.curso = std::to_string(random_.between(1, level.courses));
        int& used = letters[group.curso + level.code];
        group.letter = std::string(1, kGroupLetters[used % 27]);
        ++used;
        group.abrev = prefix(c) + group.curso + level.code + group.letter;
        group.unidad = std::to_string(2000000 + c * 10000 + g);
        group.turno = level.shift;
        group.docNivel = random_.chance(10) ? "" : level.code;
        group.nivel = group.docNivel.empty() ? "NIV" : group.docNivel;
        centreGroups_.back().push_back(static_cast<int>(groups_.size()));
        groups_.push_back(group);
      }
    }
  }

  void makeTeachers() {
    std::map<std::string, int> taken;
    for (int c = 0; c < shape_.centres; ++c) {
      const int count = perCentre(shape_.teachers, c);
      centreTeachers_.emplace_back();
      for (int t = 0; t < count; ++t) {
        Teacher teacher;
        teacher.centre = c;
        const std::string first = random_.pick(names::kFirstNames);
        const std::string surname = random_.pick(names::kSurnames);
        teacher.name = first + " " + surname + " " + random_.pick(names::kSurnames);
        const int n = static_cast<int>(teachers_.size());
        teacher.xEmpleado = std::to_string(100000 + n * 10 + random_.between(0, 9));
        teacher.fTomapos = padded(random_.between(1, 28), 2) + "/" +
                           (random_.chance(800) ? "09" : padded(random_.between(1, 12), 2)) + "/" +
                           std::to_string(random_.between(1995, 2024));
        if (t == 5) {
          teacher.docAbrev = "";  // a teacher the school left without abbreviation
        } else {
          const std::string stem = names::upper(surname.substr(0, 3));
          const int seen = ++taken[stem];
          teacher.docAbrev = seen == 1 ? stem : stem + std::to_string(seen);
        }
        centreTeachers_.back().push_back(n);
        teachers_.push_back(teacher);
      }
    }
  }

  int roomOfKind(int centre, const std::string& kind) {
    for (int r : centreRooms_[centre]) {
      if (rooms_[r].kind == kind)
        return r;
    }
    return -1;
  }

  int classroom(int centre) {
    const std::vector<int>& rooms = centreRooms_[centre];
    std::vector<int> plain;
    for (int r : rooms) {
      if (!rooms_[r].staff && rooms_[r].kind.empty())
        plain.push_back(r);
    }
    if (plain.empty())
      return rooms.back();
    return random_.pick(plain);
  }

  void makeAssignments() {
    const std::vector<int> dutyWeights = {30, 20, 12, 12, 6, 4, 6, 3, 4, 3};
    const std::vector<int> sessionWeights = {40, 35, 17, 8};
    for (int c = 0; c < shape_.centres; ++c) {
      const int count = perCentre(shape_.assignments, c);
      for (int a = 0; a < count; ++a) {
        Assignment as;
        if (random_.chance(180)) {
          const names::Duty& duty = names::kDuties[random_.weighted(dutyWeights)];
          as.duty = true;
          as.casig = duty.code;
          as.materia = duty.materia;
          as.sessions = random_.chance(700) ? 1 : 2;
          const int library = roomOfKind(c, "BIB");
          as.room = as.casig == "BIB" && library >= 0 ? library : centreRooms_[c][0];
        } else {
          const Subject& subject = random_.pick(subjects_);
          as.casig = subject.cod;
          as.materia = random_.chance(10) ? "" : subject.materia;
          as.group = random_.pick(centreGroups_[c]);
          as.sessions = static_cast<int>(random_.weighted(sessionWeights)) + 1;
          const int special = subject.roomKind.empty() ? -1 : roomOfKind(c, subject.roomKind);
          as.room = special >= 0 ? special : classroom(c);
        }
        as.minutes = std::to_string(as.sessions * 55);
        if (random_.chance(10))
          as.minutes = "";
        if (random_.chance(10))
          as.minutes = "  " + as.minutes + "\n  ";
        // Two looks at the school's teachers; the one with less to do takes it.
        const int t1 = random_.pick(centreTeachers_[c]), t2 = random_.pick(centreTeachers_[c]);
        as.teacher = teachers_[t1].load <= teachers_[t2].load ? t1 : t2;
        teachers_[as.teacher].load += as.sessions;
        assignments_.push_back(as);
      }
    }
  }

  // -- the lists -------------------------------------------------------------

  // A record too short to be read: none or one value.
  Record shortRecord() {
    if (random_.chance(500))
      return {};
    return {{"X_MATERIAOMC", "0000"}};
  }

  List materias() {
    List list{"MATERIAS", {}};
    for (const Subject& s : subjects_) {
      list.records.push_back({{"X_MATERIAOMC", s.materia},
                              {"ABREVIATURA", s.cod},
                              {"C_ABREV_LARGA", s.longCode},
                              {"D_MATERIAOMC", s.name}});
      // Now and then the same code again, in small letters: the first one wins.
      if (random_.chance(15)) {
        list.records.push_back({{"X_MATERIAOMC", padded(9000 + random_.between(0, 999), 4)},
                                {"ABREVIATURA", "\n      " + lowerAscii(s.cod) + "\n      "},
                                {"C_ABREV_LARGA", s.longCode},
                                {"D_MATERIAOMC", s.name + " (repetida)"}});
      }
      if (random_.chance(8))
        list.records.push_back(shortRecord());
    }
    for (const names::Duty& d : names::kDuties) {
      list.records.push_back({{"X_MATERIAOMC", d.materia},
                              {"ABREVIATURA", d.code},
                              {"C_ABREV_LARGA", d.longCode},
                              {"D_MATERIAOMC", d.name}});
    }
    // A subject the school left without abbreviation.
    list.records.push_back({{"X_MATERIAOMC", "0999"},
                            {"ABREVIATURA", ""},
                            {"C_ABREV_LARGA", ""},
                            {"D_MATERIAOMC", "Materia sin abreviatura"}});
    return list;
  }

  static std::string lowerAscii(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
      if (c >= 'A' && c <= 'Z')
        c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
  }

  List profesores() {
    List list{"PROFESORES", {}};
    for (const Teacher& t : teachers_) {
      Record record = {{"X_EMPLEADO", t.xEmpleado},
                       {"F_TOMAPOS", t.fTomapos},
                       {"NOMBRE", t.name},
                       {"ABREVIATURA", t.docAbrev}};
      list.records.push_back(record);
      if (random_.chance(7))
        list.records.push_back(record);  // listed twice
      if (random_.chance(5))
        list.records.push_back(shortRecord());
    }
    return list;
  }

  List aulas() {
    List list{"AULAS", {}};
    for (const Room& r : rooms_) {
      Record record = {{"X_DEPENDENCIA", r.depcentro},
                       {"ABREVIATURA", r.docAbrev},
                       {"D_DEPENDENCIA", r.name},
                       {"EDIFICIO", r.building}};
      list.records.push_back(record);
      if (random_.chance(10))
        list.records.push_back(record);
    }
    return list;
  }

  List grupos() {
    List list{"GRUPOS", {}};
    for (const Group& g : groups_) {
      list.records.push_back({{"X_UNIDAD", g.unidad},
                              {"ABREVIATURA", g.abrev},
                              {"TURNO", g.turno},
                              {"NIVEL", g.docNivel},
                              {"CURSO", g.curso},
                              {"GRUPO", g.letter}});
    }
    return list;
  }

  Record assignmentRecord(const Assignment& a, const std::string& materia) const {
    const Group* g = a.group >= 0 ? &groups_[a.group] : nullptr;
    return {{"MATERIA_ABREV", a.casig},
            {"GRUPO", g ? g->abrev : ""},
            {"AULA", rooms_[a.room].abrev},
            {"TURNO", g ? g->turno : "M"},
            {"NIVEL", g ? g->docNivel : ""},
            {"CURSO", g ? g->curso : ""},
            {"GRUPO_LETRA", g ? g->letter : ""},
            {"MINUTOS", a.minutes},
            {"X_MATERIAOMC", materia}};
  }

  List asignaturas() {
    List list{"ASIGNATURAS", {}};
    for (const Assignment& a : assignments_) {
      // Now and then an older copy without MATERIA comes first: the subject
      // lookup then goes on to its later stages.
      if (!a.duty && random_.chance(5))
        list.records.push_back(assignmentRecord(a, ""));
      list.records.push_back(assignmentRecord(a, a.materia));
    }
    return list;
  }

  int minutesOf(int day, int hour) const {
    if (day == 5 && hour > shape_.hours - 2)
      return 50;
    return hour % 4 == 0 ? 60 : 55;
  }

  List tramos() {
    List list{"TRAMOS", {}};
    for (int d = 1; d <= shape_.days; ++d) {
      int start = 8 * 60;
      for (int h = 1; h <= shape_.hours; ++h) {
        const int minutes = minutesOf(d, h);
        Record record = {{"CODIGO_SCOLVIA", std::to_string(6000 + d * 100 + h)},
                         {"NOMBRE", std::string(1, kDayLetters[d - 1]) + std::to_string(h)},
                         {"MINUTOS", std::to_string(minutes)},
                         {"INICIO", timeText(start)},
                         {"FIN", timeText(start + minutes)}};
        if (h == 4)
          record.push_back({"OBSERVACIONES", "Después del recreo"});
        list.records.push_back(record);
        start += minutes;
      }
    }
    return list;
  }

  // -- the timetable ---------------------------------------------------------

  std::vector<SolucRow> timetable() {
    const int slots = shape_.days * shape_.hours;
    std::vector<uint8_t> teacherBusy(teachers_.size() * slots);
    std::vector<uint8_t> groupBusy(groups_.size() * slots);
    std::vector<uint8_t> roomBusy(rooms_.size() * slots);
    std::vector<SolucRow> rows;
    for (const Assignment& a : assignments_) {
      for (int s = 0; s < a.sessions; ++s) {
        int chosen = -1;
        if (!random_.chance(7)) {  // a few classes the generator could not place
          for (int attempt = 0; attempt < 200 && chosen < 0; ++attempt) {
            const int slot = static_cast<int>(random_.below(static_cast<uint32_t>(slots)));
            if (teacherBusy[a.teacher * slots + slot])
              continue;
            // Groups and rooms are kept free while that is easy; a full week
            // then shares them (split groups, shared rooms).
            const bool strict = attempt < 60;
            if (strict && a.group >= 0 && groupBusy[a.group * slots + slot])
              continue;
            if (strict && !rooms_[a.room].staff && roomBusy[a.room * slots + slot])
              continue;
            chosen = slot;
          }
        }
        SolucRow row = rowOf(a);
        if (chosen >= 0) {
          teacherBusy[a.teacher * slots + chosen] = 1;
          if (a.group >= 0)
            groupBusy[a.group * slots + chosen] = 1;
          roomBusy[a.room * slots + chosen] = 1;
          row.dia = chosen / shape_.hours + 1;
          row.hora = chosen % shape_.hours + 1;
          if (random_.chance(3))
            row.hora = shape_.hours + 1;  // past the day: no slot
        }
        rows.push_back(row);
      }
    }
    // The generator lists its solution hour by hour, the unplaced classes last.
    std::stable_sort(rows.begin(), rows.end(), [](const SolucRow& x, const SolucRow& y) {
      const int kx = x.dia == 0 ? 1000 : x.dia * 100 + x.hora;
      const int ky = y.dia == 0 ? 1000 : y.dia * 100 + y.hora;
      return kx < ky;
    });
    return rows;
  }

  SolucRow rowOf(const Assignment& a) {
    const Group* g = a.group >= 0 ? &groups_[a.group] : nullptr;
    SolucRow row;
    row.prof = teachers_[a.teacher].docAbrev;
    row.tarea = a.duty ? a.casig : random_.chance(950) ? "LE" : "";
    row.aula = rooms_[a.room].abrev;
    row.codgrupo = g ? g->abrev : "";
    row.asig = a.casig;
    row.nivel = g ? g->nivel : "NIV";
    row.curso = g ? g->curso : "";
    // Codes the tables do not know: rooms outside the school, split groups,
    // subjects of another plan, a substitute teacher, an hour past the day.
    if (random_.chance(15))
      row.aula = random_.chance(500) ? "PATIO" : "EXT-" + row.aula;
    if (g && random_.chance(10))
      row.codgrupo = row.codgrupo + "D";
    if (random_.chance(10))
      row.asig = "OPT" + std::to_string(random_.between(1, 99));
    if (random_.chance(3))
      row.prof = "SUST" + std::to_string(random_.between(1, 20));
    return row;
  }

  SchoolShape shape_;
  Random random_;
  std::vector<Subject> subjects_;
  std::vector<Room> rooms_;
  std::vector<Group> groups_;
  std::vector<Teacher> teachers_;
  std::vector<Assignment> assignments_;
  std::vector<std::vector<int>> centreRooms_, centreGroups_, centreTeachers_;
};

}  // namespace

School makeSchool(const SchoolShape& shape, uint32_t seed) {
  return Maker(shape, seed).make();
}

}  // namespace tts::bench
