#include "import/scan/scan_lookups.h"

#include <string>

#include "platform/text.h"

namespace tts {
namespace {

class ScanLookups : public Lookups {
 public:
  explicit ScanLookups(const LookupTables& tables) : tables_(tables) {}

  std::string activity(std::string_view tarea) override {
    std::string code(tarea);
    dbase::Table& t = tables_.asignomt;
    for (t.first(); !t.eof(); t.next()) {
      if (t.asString("COD") == code) {
        code = t.asString("MATERIA");
        break;
      }
    }
    if (isBlank(code))
      code = kDefaultActivity;
    return code;
  }

  std::optional<Slot> slot(std::string_view key) override {
    dbase::Table& t = tables_.diashorast;
    for (t.first(); !t.eof(); t.next()) {
      if (t.asString("DIHO") == key)
        return Slot{t.asString("DIA"), t.asString("CODDIHO")};
    }
    return std::nullopt;
  }

  std::optional<std::string> room(std::string_view aula) override {
    dbase::Table& t = tables_.aulat;
    for (t.first(); !t.eof(); t.next()) {
      if (t.asString("ABREV") == aula)
        return t.asString("DEPCENTRO");
    }
    return std::nullopt;
  }

  std::optional<std::string> group(std::string_view codgrupo) override {
    dbase::Table& t = tables_.grupost;
    for (t.first(); !t.eof(); t.next()) {
      if (t.asString("ABREV") == codgrupo)
        return t.asString("UNIDAD");
    }
    return std::nullopt;
  }

  std::optional<std::string> subject(const SubjectKey& key) override {
    std::string code;
    bool found = false;
    dbase::Table& asigt = tables_.asigt;
    asigt.open();
    for (asigt.first(); !asigt.eof(); asigt.next()) {
      if (asigt.asString("CASIG") == key.asig && asigt.asString("CGRUP") == key.codgrupo) {
        code = asigt.asString("MATERIA");
        found = true;
        break;
      }
    }
    if (isBlank(code)) {
      for (asigt.first(); !asigt.eof(); asigt.next()) {
        if (asigt.asString("CASIG") == key.asig && asigt.asString("NIVEL") == key.nivel &&
            asigt.asString("CURSO") == key.curso) {
          code = asigt.asString("MATERIA");
          found = true;
          if (!isBlank(code))
            break;
        }
      }
    }
    if (isBlank(code)) {
      dbase::Table& t = tables_.asignomt;
      for (t.first(); !t.eof(); t.next()) {
        if (t.asString("COD") == key.asig) {
          code = t.asString("MATERIA");
          found = true;
          break;
        }
      }
    }
    if (!found)
      return std::nullopt;
    return code;
  }

 private:
  LookupTables tables_;
};

}  // namespace

std::unique_ptr<Lookups> makeScanLookups(const LookupTables& tables) {
  return std::make_unique<ScanLookups>(tables);
}

}  // namespace tts
