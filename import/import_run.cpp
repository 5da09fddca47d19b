// The solution walk: one teacher list per PROFT record, one activity list per
// SOLUC record of that teacher whose DIA is not 0.
#include "import/import_run.h"

#include <optional>
#include <string>

#include "import/import_tables.h"
#include "interchange/result.h"
#include "platform/text.h"

namespace tts {
namespace {

// The SOLUC fields the walk reads, located once per run.
struct SolucFields {
  explicit SolucFields(const dbase::Table& t)
      : dia(t.fieldIndex("DIA")),
        hora(t.fieldIndex("HORA")),
        tarea(t.fieldIndex("TAREA")),
        aula(t.fieldIndex("AULA")),
        codgrupo(t.fieldIndex("CODGRUPO")),
        asig(t.fieldIndex("ASIG")),
        nivel(t.fieldIndex("NIVEL")),
        curso(t.fieldIndex("CURSO")) {}
  int dia, hora, tarea, aula, codgrupo, asig, nivel, curso;
};

// The PROFT fields the walk reads.
struct ProftFields {
  explicit ProftFields(const dbase::Table& t)
      : xEmpleado(t.fieldIndex("X_EMPLEADO")),
        fTomapos(t.fieldIndex("F_TOMAPOS")),
        abrev(t.fieldIndex("ABREV")) {}
  int xEmpleado, fTomapos, abrev;
};

// The filter that passes the SOLUC rows of one teacher: the abbreviation in
// single quotes, a quote inside it doubled.
std::string teacherFilter(const std::string& abrev) {
  std::string filter = "PROF= '";
  for (char c : abrev) {
    if (c == '\'')
      filter += '\'';
    filter += c;
  }
  filter += '\'';
  return filter;
}

class Walk {
 public:
  Walk(xml::Document& doc, ImportTables& tables, Lookups& lookups, ImportSummary& summary)
      : doc_(doc),
        tables_(tables),
        lookups_(lookups),
        summary_(summary),
        prof_(tables.proft),
        sol_(tables.soluc) {}

  void run(const xml::NodePtr& output) {
    dbase::Table& proft = tables_.proft;
    int teacherNumber = 1;
    for (proft.first(); !proft.eof(); proft.next()) {
      xml::NodePtr teacher =
          AgregarEmpleado(doc_, output, teacherNumber, proft.asString(prof_.xEmpleado),
                          proft.asString(prof_.fTomapos));
      ++teacherNumber;
      ++summary_.teachers;
      classesOf(teacher, proft.asString(prof_.abrev));
    }
  }

 private:
  void classesOf(const xml::NodePtr& teacher, const std::string& abrev) {
    dbase::Table& soluc = tables_.soluc;
    int activityNumber = 1;
    soluc.setFiltered(false);
    soluc.setFilter(teacherFilter(abrev));
    soluc.setFiltered(true);
    for (; !soluc.eof(); soluc.next()) {
      // A class the generator did not place has day 0; it takes no number.
      if (soluc.asInteger(sol_.dia) == 0)
        continue;
      xml::NodePtr activity = AgregarActividad(doc_, teacher, activityNumber);
      ++activityNumber;
      ++summary_.activities;
      addValues(activity);
    }
  }

  void addValues(const xml::NodePtr& activity) {
    dbase::Table& soluc = tables_.soluc;
    AgregarSalida(doc_, activity, "X_ACTIVIDAD", lookups_.activity(soluc.asString(sol_.tarea)));

    std::string slotKey = soluc.asString(sol_.dia);
    slotKey += std::to_string(soluc.asInteger(sol_.hora));
    std::optional<Slot> slot = lookups_.slot(slotKey);
    if (!slot) {
      ++summary_.slotsNotFound;
      slot.emplace();
    }
    AgregarSalida(doc_, activity, "N_DIASEMANA", slot->weekday);
    AgregarSalida(doc_, activity, "X_TRAMO", slot->code);

    const std::string codgrupo = soluc.asString(sol_.codgrupo);
    std::optional<std::string> room = lookups_.room(soluc.asString(sol_.aula));
    if (!room)
      ++summary_.roomsNotFound;
    AgregarSalida(doc_, activity, "X_DEPCENTRO", room.value_or(""));

    std::optional<std::string> unit = lookups_.group(codgrupo);
    if (!unit)
      ++summary_.groupsNotFound;
    AgregarSalida(doc_, activity, "X_UNIDAD", unit.value_or(""));

    const std::string asig = soluc.asString(sol_.asig);
    const std::string nivel = soluc.asString(sol_.nivel);
    const std::string curso = soluc.asString(sol_.curso);
    std::string subject = lookups_.subject(SubjectKey{asig, codgrupo, nivel, curso}).value_or("");
    if (isBlank(subject))
      ++summary_.subjectsNotFound;
    AgregarSalida(doc_, activity, "X_MATERIAOMC", subject);
  }

  xml::Document& doc_;
  ImportTables& tables_;
  Lookups& lookups_;
  ImportSummary& summary_;
  ProftFields prof_;
  SolucFields sol_;
};

}  // namespace

ImportSummary ImportarSolucion(std::unique_ptr<xml::Document>& doc, const std::string& chosenPath,
                               const std::string& qtemp) {
  return ImportarSolucion(doc, chosenPath, qtemp, makeIndexedLookups);
}

ImportSummary ImportarSolucion(std::unique_ptr<xml::Document>& doc, const std::string& chosenPath,
                               const std::string& qtemp, const LookupsFactory& makeLookups) {
  // The document first: a file that does not load ends the import before any
  // table is opened.
  xml::NodePtr output = IniciarResultado(doc, chosenPath);
  ImportSummary summary;
  {
    ImportTables tables(qtemp);
    std::unique_ptr<Lookups> lookups = makeLookups(tables.lookupTables());
    Walk(*doc, tables, *lookups, summary).run(output);
    lookups.reset();
    tables.close();
  }
  GuardarResultado(*doc, chosenPath);
  summary.resultFile = resultPath(chosenPath);
  return summary;
}

}  // namespace tts
