#include "tests/app/host/school.h"

#include <windows.h>

#include <vector>

#include "export/export_run.h"
#include "platform/dbase/table.h"
#include "platform/files.h"
#include "platform/xml.h"

namespace tts::e2e {

namespace {

// Teacher Ana Pérez (APZ) teaches MAT to group 1A in room A1; Monday has two
// hours of 55 minutes, Tuesday one.
constexpr char kDocument[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<SERVICIO>\n"
    " <ENTRADAS><entrada dato=\"CENTRO\">IES Sur</entrada></ENTRADAS>\n"
    " <SALIDAS>\n"
    "  <listasal seq=\"MATERIAS\"><listasal>"
    "<salida>MAT01</salida><salida>MAT</salida><salida>MATEM</salida>"
    "<salida>Matem\xC3\xA1ticas</salida></listasal></listasal>\n"
    "  <listasal seq=\"PROFESORES\"><listasal>"
    "<salida>E001</salida><salida>2020-09-01</salida><salida>Ana P\xC3\xA9rez</salida>"
    "<salida>APZ</salida></listasal></listasal>\n"
    "  <listasal seq=\"AULAS\"><listasal>"
    "<salida>D01</salida><salida>A1</salida><salida>Aula 1</salida><salida>P</salida>"
    "</listasal></listasal>\n"
    "  <listasal seq=\"GRUPOS\"><listasal>"
    "<salida>U1A</salida><salida>1A</salida><salida>M</salida><salida>ESO</salida>"
    "<salida>1</salida><salida>A</salida></listasal></listasal>\n"
    "  <listasal seq=\"ASIGNATURAS\"><listasal>"
    "<salida>MAT</salida><salida>1A</salida><salida>A1</salida><salida>M</salida>"
    "<salida>ESO</salida><salida>1</salida><salida>A</salida><salida>240</salida>"
    "<salida>MAT01</salida></listasal></listasal>\n"
    "  <listasal seq=\"TRAMOS\">\n"
    "   <listasal><salida dato=\"CODIGO_SCOLVIA\">T1</salida><salida dato=\"NOMBRE\">L1</salida>"
    "<salida dato=\"MINUTOS\">55</salida></listasal>\n"
    "   <listasal><salida dato=\"CODIGO_SCOLVIA\">T2</salida><salida dato=\"NOMBRE\">L2</salida>"
    "<salida dato=\"MINUTOS\">55</salida></listasal>\n"
    "   <listasal><salida dato=\"CODIGO_SCOLVIA\">T3</salida><salida dato=\"NOMBRE\">M1</salida>"
    "<salida dato=\"MINUTOS\">55</salida></listasal>\n"
    "  </listasal>\n"
    " </SALIDAS>\n"
    "</SERVICIO>\n";

constexpr char kBrokenDocument[] = "<?xml version=\"1.0\"?>\n<SERVICIO><SALIDAS>\n";

void write(const std::string& path, const std::string& text) {
  files::writeAll(path, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace

void prepareSchool() {
  CreateDirectoryA(kQtemp, nullptr);
  CreateDirectoryA("C:\\QTEMP\\scolvia", nullptr);
  for (const char* table :
       {"ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "ASIGT", "DIASHORAST", "SOLUC"}) {
    files::removeQuietly(files::join(kQtemp, std::string(table) + ".DBF"));
  }
  files::removeQuietly(kResult);
  write(kSchool, kDocument);
  write(kBroken, kBrokenDocument);
}

void prepareTimetable() {
  auto doc = xml::createDocument();
  doc->load(kSchool);
  runExport(*doc, kQtemp, [] { return std::string("08:00"); });

  using dbase::FieldType;
  dbase::createTable(files::join(kQtemp, "SOLUC.DBF"), {{"PROF", FieldType::String, 10},
                                                        {"DIA", FieldType::Integer, 0},
                                                        {"HORA", FieldType::Integer, 0},
                                                        {"TAREA", FieldType::String, 10},
                                                        {"AULA", FieldType::String, 10},
                                                        {"CODGRUPO", FieldType::String, 10},
                                                        {"ASIG", FieldType::String, 10},
                                                        {"NIVEL", FieldType::String, 5},
                                                        {"CURSO", FieldType::String, 3}});
  dbase::Table soluc(kQtemp, "SOLUC", dbase::Access::Exclusive);
  soluc.open();
  soluc.append();
  soluc.setString("PROF", "APZ");
  soluc.setInteger("DIA", 1);
  soluc.setInteger("HORA", 2);
  soluc.setString("TAREA", "MAT");
  soluc.setString("AULA", "A1");
  soluc.setString("CODGRUPO", "1A");
  soluc.setString("ASIG", "MAT");
  soluc.setString("NIVEL", "ESO");
  soluc.setString("CURSO", "1");
  soluc.post();
  soluc.close();
}

}  // namespace tts::e2e
