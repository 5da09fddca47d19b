// The product's lookups. Each table is read once per run, at its first lookup,
// into hash maps that keep for every key what a scan from the first record
// would stop at. The scans' semantics, and not a faster shortcut, decide every
// entry: later records with the same key never replace the first one, except
// in the subject lookup's second stage, whose scan goes on past blank MATERIA
// values and so ends at the first one that is not blank, or else at the last
// match.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "import/lookups.h"
#include "platform/text.h"

namespace tts {
namespace {

struct TextHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const noexcept {
    return std::hash<std::string_view>{}(text);
  }
};

template <class Value>
using TextMap = std::unordered_map<std::string, Value, TextHash, std::equal_to<>>;

// Several fields as one key: each part is preceded by its length, so no byte a
// field may hold can make two different tuples meet.
void appendPart(std::string& key, std::string_view part) {
  auto size = static_cast<uint32_t>(part.size());
  for (int shift = 0; shift < 32; shift += 8) {
    key.push_back(static_cast<char>((size >> shift) & 0xFFu));
  }
  key.append(part);
}

// Stage 2 of the subject lookup for one key: the MATERIA its scan ends with.
struct Stage2 {
  std::string materia;
  bool settled = false;  // a MATERIA that is not blank was found
};

class IndexedLookups : public Lookups {
 public:
  explicit IndexedLookups(const LookupTables& tables) : tables_(tables) {}

  std::string activity(std::string_view tarea) override {
    indexSubjects();
    std::string code(tarea);
    if (auto it = materiaByCod_.find(tarea); it != materiaByCod_.end())
      code = it->second;
    if (isBlank(code))
      code = kDefaultActivity;
    return code;
  }

  std::optional<Slot> slot(std::string_view key) override {
    indexSlots();
    if (auto it = slotByDiho_.find(key); it != slotByDiho_.end())
      return it->second;
    return std::nullopt;
  }

  std::optional<std::string> room(std::string_view aula) override {
    indexRooms();
    if (auto it = depcentroByAbrev_.find(aula); it != depcentroByAbrev_.end())
      return it->second;
    return std::nullopt;
  }

  std::optional<std::string> group(std::string_view codgrupo) override {
    indexGroups();
    if (auto it = unidadByAbrev_.find(codgrupo); it != unidadByAbrev_.end())
      return it->second;
    return std::nullopt;
  }

  std::optional<std::string> subject(const SubjectKey& key) override {
    indexAssignments();
    const std::string* code = nullptr;
    key_.clear();
    appendPart(key_, key.asig);
    appendPart(key_, key.codgrupo);
    if (auto it = stage1_.find(key_); it != stage1_.end())
      code = &it->second;
    if (code == nullptr || isBlank(*code)) {
      key_.clear();
      appendPart(key_, key.asig);
      appendPart(key_, key.nivel);
      appendPart(key_, key.curso);
      if (auto it = stage2_.find(key_); it != stage2_.end())
        code = &it->second.materia;
    }
    if (code == nullptr || isBlank(*code)) {
      indexSubjects();
      if (auto it = materiaByCod_.find(key.asig); it != materiaByCod_.end())
        code = &it->second;
    }
    if (code == nullptr)
      return std::nullopt;
    return *code;
  }

 private:
  void indexSubjects() {
    if (subjectsIndexed_)
      return;
    dbase::Table& t = tables_.asignomt;
    const int cod = t.fieldIndex("COD");
    const int materia = t.fieldIndex("MATERIA");
    for (t.first(); !t.eof(); t.next())
      materiaByCod_.try_emplace(t.asString(cod), t.asString(materia));
    subjectsIndexed_ = true;
  }

  void indexSlots() {
    if (slotsIndexed_)
      return;
    dbase::Table& t = tables_.diashorast;
    const int diho = t.fieldIndex("DIHO");
    const int dia = t.fieldIndex("DIA");
    const int coddiho = t.fieldIndex("CODDIHO");
    for (t.first(); !t.eof(); t.next()) {
      std::string key = t.asString(diho);
      if (slotByDiho_.find(key) == slotByDiho_.end()) {
        slotByDiho_.emplace(std::move(key), Slot{t.asString(dia), t.asString(coddiho)});
      }
    }
    slotsIndexed_ = true;
  }

  void indexRooms() {
    if (roomsIndexed_)
      return;
    dbase::Table& t = tables_.aulat;
    const int abrev = t.fieldIndex("ABREV");
    const int depcentro = t.fieldIndex("DEPCENTRO");
    for (t.first(); !t.eof(); t.next()) {
      depcentroByAbrev_.try_emplace(t.asString(abrev), t.asString(depcentro));
    }
    roomsIndexed_ = true;
  }

  void indexGroups() {
    if (groupsIndexed_)
      return;
    dbase::Table& t = tables_.grupost;
    const int abrev = t.fieldIndex("ABREV");
    const int unidad = t.fieldIndex("UNIDAD");
    for (t.first(); !t.eof(); t.next())
      unidadByAbrev_.try_emplace(t.asString(abrev), t.asString(unidad));
    groupsIndexed_ = true;
  }

  // ASIGT is opened here, at the first subject lookup, as the walk expects.
  void indexAssignments() {
    if (assignmentsIndexed_)
      return;
    dbase::Table& t = tables_.asigt;
    t.open();
    const int casig = t.fieldIndex("CASIG");
    const int cgrup = t.fieldIndex("CGRUP");
    const int nivel = t.fieldIndex("NIVEL");
    const int curso = t.fieldIndex("CURSO");
    const int materiaField = t.fieldIndex("MATERIA");
    for (t.first(); !t.eof(); t.next()) {
      const std::string asig = t.asString(casig);
      std::string materia = t.asString(materiaField);
      key_.clear();
      appendPart(key_, asig);
      appendPart(key_, t.asString(cgrup));
      stage1_.try_emplace(key_, materia);
      key_.clear();
      appendPart(key_, asig);
      appendPart(key_, t.asString(nivel));
      appendPart(key_, t.asString(curso));
      Stage2& stage2 = stage2_[key_];
      if (!stage2.settled) {
        stage2.settled = !isBlank(materia);
        stage2.materia = std::move(materia);
      }
    }
    assignmentsIndexed_ = true;
  }

  LookupTables tables_;
  std::string key_;  // reused for composite keys
  bool subjectsIndexed_ = false;
  bool slotsIndexed_ = false;
  bool roomsIndexed_ = false;
  bool groupsIndexed_ = false;
  bool assignmentsIndexed_ = false;
  TextMap<std::string> materiaByCod_;      // ASIGNOMT: COD -> MATERIA
  TextMap<Slot> slotByDiho_;               // DIASHORAST: DIHO -> DIA, CODDIHO
  TextMap<std::string> depcentroByAbrev_;  // AULAT: ABREV -> DEPCENTRO
  TextMap<std::string> unidadByAbrev_;     // GRUPOST: ABREV -> UNIDAD
  TextMap<std::string> stage1_;            // ASIGT: CASIG, CGRUP -> MATERIA
  TextMap<Stage2> stage2_;                 // ASIGT: CASIG, NIVEL, CURSO -> MATERIA
};

}  // namespace

std::unique_ptr<Lookups> makeIndexedLookups(const LookupTables& tables) {
  return std::make_unique<IndexedLookups>(tables);
}

}  // namespace tts
