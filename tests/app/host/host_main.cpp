// tts_app_host: plays the timetable generator for the window program's
// end-to-end tests. It opens a window of its own, starts a copy of
// TransTempaxScolvia.exe with a direction and that window's handle, drives
// the program's dialogs from a worker thread while its main thread keeps
// serving messages (an embedded program hangs otherwise), and checks the
// tables in C:\QTEMP, the result document and Tempaxin.ini.
//
//   tts_app_host <TransTempaxScolvia.exe> <scenario>
#include <objbase.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "app/HoraIni.h"
#include "app/MainForm.h"
#include "platform/dbase/table.h"
#include "platform/files.h"
#include "platform/xml.h"
#include "tests/app/host/driver.h"
#include "tests/app/host/school.h"

namespace tts::e2e {
namespace {

using app::TFormInicioClase;
using app::TMForm;

constexpr char kTitle[] = "TransTempaxScolvia";
constexpr char kOpenTitle[] = "Archivo XML";
constexpr char kTimeTitle[] = "Hora de Inicio de las Clases";
constexpr char kHelpClass[] = "HH Parent";                    // the HTML Help window
constexpr char kHelpTitle[] = "Ayuda de TransTempaxScolvia";  // SCOLVIA.chm's title

class Check {
 public:
  void operator()(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "  ok   " : "  FALLO", what.c_str());
    std::fflush(stdout);
    if (!ok)
      ++failures;
  }
  void equal(const std::string& actual, const std::string& expected, const std::string& what) {
    (*this)(actual == expected, what + " (es \"" + actual + "\", se espera \"" + expected + "\")");
  }
  int failures = 0;
};

std::string status(int value) {
  return "[Transformadores]\r\nTransformado=" + std::to_string(value) + "\r\n";
}

LONG_PTR style(HWND window) {
  return GetWindowLongPtrA(window, GWL_STYLE);
}

void checkEmbedded(Driver& d, Check& c, HWND main) {
  c(GetParent(main) == d.host(), "GetParent da la ventana del anfitrión");
  c(IsChild(d.host(), main) != 0, "IsChild(anfitrión, ventana)");
  c(!(style(main) & WS_CAPTION), "ventana incrustada sin borde ni título");
}

void checkTopLevel(Driver& d, Check& c, HWND main, bool withCaption) {
  c(!IsChild(d.host(), main) && !(style(main) & WS_CHILD), "ventana de primer nivel");
  c(((style(main) & WS_CAPTION) == WS_CAPTION) == withCaption,
    withCaption ? "con su borde de diálogo" : "sin borde");
}

// Answers the message box that must come next.
void expectBox(Driver& d, Check& c, const std::string& text, BoxIcon icon) {
  HWND box = d.waitDialog(kTitle);
  c.equal(d.boxText(box), text, "mensaje");
  c(d.boxIcon(box) == icon, icon == BoxIcon::Error ? "con el icono de error" : "sin icono");
  d.acknowledge(box);
}

// Rows of a table as "F1|F2|..." for the given fields.
std::vector<std::string> rows(const std::string& table, const std::vector<std::string>& fields) {
  dbase::Table t(kQtemp, table, dbase::Access::Shared);
  t.open();
  std::vector<std::string> result;
  for (t.first(); !t.eof(); t.next()) {
    std::string row;
    for (const auto& f : fields)
      row += (row.empty() ? "" : "|") + t.asString(f);
    result.push_back(row);
  }
  return result;
}

void checkRows(Check& c, const std::string& table, const std::vector<std::string>& fields,
               const std::vector<std::string>& expected) {
  auto actual = rows(table, fields);
  std::string joined;
  for (const auto& r : actual)
    joined += "[" + r + "]";
  c(actual == expected, table + " con las filas esperadas: " + joined);
}

void waitUntil(const std::function<bool()>& test) {
  for (int i = 0; i < 250 && !test(); ++i)
    Sleep(20);
}

// ---- scenarios ----

// EXPORTAR in capitals and the handle in small letters: embedded, the export
// runs at once; a start time out of range brings the dialog back with the
// user's text; the program ends with 1 in the status file.
void exportHosted(Driver& d, Check& c) {
  prepareSchool();
  std::string folder = d.prepareFolder("export_hosted");
  d.launch(folder, "EXPORTAR " + d.hostHex(false));
  HWND open = d.waitDialog(kOpenTitle);
  HWND main = d.waitMainWindow();
  checkEmbedded(d, c, main);
  c(!IsWindowVisible(main), "la ejecución empieza antes de mostrar la ventana");
  d.chooseFile(open, "C:\\QTEMP\\scolvia\\escuela");  // ".xml" is added

  HWND time = d.waitDialog(kTimeTitle);
  HWND edit = d.control(time, TFormInicioClase::kMEHora0);
  c.equal(d.text(edit), "08:00", "hora inicial");
  c(!IsWindowEnabled(d.host()), "el anfitrión queda desactivado durante el diálogo");
  d.setText(edit, "24:00");
  d.click(d.control(time, TFormInicioClase::kButton1));
  HWND again = d.waitDialog(kTimeTitle, time);
  edit = d.control(again, TFormInicioClase::kMEHora0);
  c.equal(d.text(edit), "24:00", "el diálogo vuelve con el texto del usuario");
  d.setText(edit, "07:30");
  d.click(d.control(again, TFormInicioClase::kButton1));

  expectBox(d, c, "Proceso finalizado", BoxIcon::None);
  c(d.waitExit() == 0, "código de salida 0");
  c.equal(readFileText(folder + "\\Tempaxin.ini"), status(1), "Tempaxin.ini");
  checkRows(c, "DIASHORAST", {"DIHO", "CODDIHO", "HORADESDE", "HORAHASTA"},
            {"11|T1|07:30|08:25", "12|T2|08:25|09:20", "21|T3|07:30|08:25"});
  checkRows(c, "PROFT", {"ABREV", "NOMBRE", "X_EMPLEADO"}, {"APZ|Ana Pérez|E001"});
  checkRows(c, "ASIGT", {"CASIG", "CGRUP", "HORAS", "CTAREA"}, {"MAT|1A|4|LE"});
}

// importar and the handle in capitals: the result document beside the chosen
// file, 1 in the status file.
void importHosted(Driver& d, Check& c) {
  prepareSchool();
  prepareTimetable();
  std::string folder = d.prepareFolder("import_hosted");
  d.launch(folder, "importar " + d.hostHex(true));
  HWND open = d.waitDialog(kOpenTitle);
  checkEmbedded(d, c, d.waitMainWindow());
  d.chooseFile(open, kSchool);
  expectBox(d, c, "Proceso finalizado", BoxIcon::None);
  c(d.waitExit() == 0, "código de salida 0");
  c.equal(readFileText(folder + "\\Tempaxin.ini"), status(1), "Tempaxin.ini");

  auto doc = xml::createDocument();
  doc->load(kResult);
  c(doc->selectNodes("/SERVICIO/ENTRADAS").size() == 1, "el resto del documento se conserva");
  auto teachers = doc->selectNodes("/SERVICIO/SALIDAS/listasal");
  c(teachers.size() == 1 && teachers[0]->attribute("seq") == "EMPLEADO_1", "una lista EMPLEADO_1");
  if (teachers.size() != 1)
    return;
  std::string values;
  for (const auto& v : teachers[0]->selectNodes("salida"))
    values += v->text() + "|";
  auto classes = teachers[0]->selectNodes("listasal");
  c(classes.size() == 1 && classes[0]->attribute("seq") == "ACTIVIDAD_1", "una ACTIVIDAD_1");
  if (classes.size() == 1) {
    for (const auto& v : classes[0]->selectNodes("salida"))
      values += v->text() + "|";
  }
  c.equal(values, "E001|2020-09-01|MAT01|1|T2|D01|U1A|MAT01|", "valores del resultado");
}

// A cancelled open dialog on a fresh start: "No existe archivo", then the
// program ends with -1 (export) or 0 (import).
void cancelFresh(Driver& d, Check& c, const std::string& run, int expected,
                 const std::string& ini = "", const std::string& iniAfter = "") {
  prepareSchool();
  std::string folder = d.prepareFolder("cancel_" + run, ini);
  d.launch(folder, run + " " + d.hostHex(false));
  d.cancel(d.waitDialog(kOpenTitle));
  expectBox(d, c, "No existe archivo", BoxIcon::None);
  c(d.waitExit() == 0, "código de salida 0");
  c.equal(readFileText(folder + "\\Tempaxin.ini"), iniAfter.empty() ? status(expected) : iniAfter,
          "Tempaxin.ini");
}

// A first parameter that names no run: embedded, nothing runs; Salir writes 0.
void noRun(Driver& d, Check& c) {
  std::string folder = d.prepareFolder("no_run");
  d.launch(folder, "nada " + d.hostHex(false));
  HWND main = d.waitMainWindow();
  d.waitVisible(main);
  checkEmbedded(d, c, main);
  c(!d.anyDialog(), "no empieza ninguna ejecución");
  d.click(d.control(main, TMForm::kBClose));
  c(d.waitExit() == 0, "código de salida 0");
  c.equal(readFileText(folder + "\\Tempaxin.ini"), status(0), "Tempaxin.ini");
}

// Parameter 2 "0": top-level and border-less, but hosted: the failed file
// check closes the window and writes -1.
void handleZero(Driver& d, Check& c) {
  prepareSchool();
  std::string folder = d.prepareFolder("handle_zero");
  d.launch(folder, "exportar 0");
  HWND open = d.waitDialog(kOpenTitle);
  checkTopLevel(d, c, d.waitMainWindow(), false);
  d.cancel(open);
  expectBox(d, c, "No existe archivo", BoxIcon::None);
  c(d.waitExit() == 0, "código de salida 0");
  c.equal(readFileText(folder + "\\Tempaxin.ini"), status(-1), "Tempaxin.ini");
}

// Parameter 2 with a 0x prefix: the conversion error, no embedding, the
// export still starts, the window stays open, no status file.
void handleWithPrefix(Driver& d, Check& c) {
  prepareSchool();
  std::string folder = d.prepareFolder("handle_0x");
  std::string parameter = "0x" + d.hostHex(false);
  d.launch(folder, "exportar " + parameter);
  expectBox(d, c, "'$" + parameter + "' no es un valor entero válido.", BoxIcon::Error);
  HWND open = d.waitDialog(kOpenTitle);
  HWND main = d.waitMainWindow();
  checkTopLevel(d, c, main, true);
  d.cancel(open);
  expectBox(d, c, "No existe archivo", BoxIcon::None);
  d.waitVisible(main);
  c(d.running(), "la ventana sigue abierta");
  PostMessageA(main, WM_CLOSE, 0, 0);
  c(d.waitExit() == 0, "código de salida 0");
  c(readFileText(folder + "\\Tempaxin.ini").empty(), "no hay Tempaxin.ini");
}

// An error during a run: the error report with its full stop; the buttons
// stay enabled, the window stays embedded; a second run whose dialog is
// cancelled reuses the chosen file; Salir writes the unchanged 0.
void runError(Driver& d, Check& c) {
  prepareSchool();
  std::string folder = d.prepareFolder("run_error");
  d.launch(folder, "exportar " + d.hostHex(false));
  d.chooseFile(d.waitDialog(kOpenTitle), kBroken);
  HWND box = d.waitDialog(kTitle);
  std::string message = d.boxText(box);
  c(message.find("rota.xml") != std::string::npos && !message.empty() && message.back() == '.',
    "el error nombra el archivo y acaba en punto: " + message);
  c(d.boxIcon(box) == BoxIcon::Error, "con el icono de error");
  d.acknowledge(box);

  HWND main = d.waitMainWindow();
  d.waitVisible(main);
  checkEmbedded(d, c, main);
  HWND exportar = d.control(main, TMForm::kBExportar);
  HWND importar = d.control(main, TMForm::kBImportar);
  c(IsWindowEnabled(exportar) && IsWindowEnabled(importar), "los botones siguen activos");

  d.click(importar);
  d.cancel(d.waitDialog(kOpenTitle));
  box = d.waitDialog(kTitle);
  c(d.boxText(box).find("rota.xml") != std::string::npos,
    "cancelar reutiliza el archivo elegido antes: " + d.boxText(box));
  d.acknowledge(box);

  d.click(d.control(main, TMForm::kBClose));
  c(d.waitExit() == 0, "código de salida 0");
  c.equal(readFileText(folder + "\\Tempaxin.ini"), status(0), "Tempaxin.ini");
  c(!files::exists(kResult), "sin documento de resultado");
}

// One parameter: an ordinary window, nothing runs by itself; F1 and the help
// button open the help; a completed export disables both run buttons; no
// status file.
void interactiveExport(Driver& d, Check& c) {
  prepareSchool();
  std::string folder = d.prepareFolder("interactive");
  d.launch(folder, "exportar");
  HWND main = d.waitMainWindow();
  d.waitVisible(main);
  checkTopLevel(d, c, main, true);
  c(!d.anyDialog(), "no empieza ninguna ejecución");

  // F1 on a control opens the help at context 1; Button1 at its contents
  // (when the build had chmcmd to compile the help file).
  if (files::exists(folder + "\\SCOLVIA.chm")) {
    PostMessageA(d.control(main, TMForm::kBClose), WM_KEYDOWN, VK_F1, 0);
    HWND help = d.waitWindow(kHelpClass, kHelpTitle);
    c(true, "F1 abre la ayuda");
    PostMessageA(help, WM_CLOSE, 0, 0);
    d.waitGone(help);
    d.click(d.control(main, TMForm::kButton1));
    help = d.waitWindow(kHelpClass, kHelpTitle);
    c(true, "F1 AYUDA abre la ayuda");
    PostMessageA(help, WM_CLOSE, 0, 0);
    d.waitGone(help);
  }

  HWND exportar = d.control(main, TMForm::kBExportar);
  HWND importar = d.control(main, TMForm::kBImportar);
  d.click(exportar);
  d.chooseFile(d.waitDialog(kOpenTitle), kSchool);
  HWND time = d.waitDialog(kTimeTitle);
  HWND button = d.control(time, TFormInicioClase::kButton1);
  HWND edit = d.control(time, TFormInicioClase::kMEHora0);
  // Tab into the edit (all selected), type one digit, tab out: the mask
  // refuses to let an incomplete time go; Esc puts the old text back.
  PostMessageA(button, WM_KEYDOWN, VK_TAB, 0);
  PostMessageA(edit, WM_CHAR, '1', 0);
  PostMessageA(edit, WM_CHAR, 'x', 0);
  PostMessageA(edit, WM_KEYDOWN, VK_TAB, 0);
  expectBox(d, c, "Valor de entrada inválido. Presione <ESC> para cancelar los cambios.",
            BoxIcon::Error);
  waitUntil([&] { return d.text(edit) == "1_:__"; });
  c.equal(d.text(edit), "1_:__", "el campo con su máscara");
  PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  waitUntil([&] { return d.text(edit) == "08:00"; });
  c.equal(d.text(edit), "08:00", "Esc deshace el cambio");
  c(IsWindow(time) && IsWindowVisible(time), "el diálogo sigue abierto");
  PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);  // Enter in the edit continues
  expectBox(d, c, "Proceso finalizado", BoxIcon::None);
  waitUntil([&] { return !IsWindowEnabled(exportar); });
  c(!IsWindowEnabled(exportar) && !IsWindowEnabled(importar), "los dos botones desactivados");
  c(d.running(), "la ventana sigue abierta");
  checkRows(c, "DIASHORAST", {"DIHO", "HORADESDE"}, {"11|08:00", "12|08:55", "21|08:00"});
  PostMessageA(main, WM_CLOSE, 0, 0);
  c(d.waitExit() == 0, "código de salida 0");
  c(readFileText(folder + "\\Tempaxin.ini").empty(), "no hay Tempaxin.ini");
}

// Not a test: shows the main window and the start-time dialog of an
// unhosted run for scripts/screenshots.sh, which takes each picture when it
// finds <name>.ready in C:\tts-e2e\shots and answers with <name>.done.
void screenshots(Driver& d, Check& c) {
  prepareSchool();
  std::string shots = "C:\\tts-e2e\\shots";
  files::removeTreeQuietly(shots);
  std::string folder = d.prepareFolder("screenshots");
  CreateDirectoryA(shots.c_str(), nullptr);
  auto pose = [&](const std::string& name) {
    files::writeAll(shots + "\\" + name + ".ready", {});
    waitUntil([&] { return files::exists(shots + "\\" + name + ".done"); });
    c(files::exists(shots + "\\" + name + ".done"), "captura " + name);
  };
  d.launch(folder, "");
  HWND main = d.waitMainWindow();
  d.waitVisible(main);
  pose("main");
  d.click(d.control(main, TMForm::kBExportar));
  d.chooseFile(d.waitDialog(kOpenTitle), kSchool);
  HWND time = d.waitDialog(kTimeTitle);
  pose("hora-inicio");
  d.click(d.control(time, TFormInicioClase::kButton1));
  expectBox(d, c, "Proceso finalizado", BoxIcon::None);
  PostMessageA(main, WM_CLOSE, 0, 0);
  d.waitExit();
}

const std::map<std::string, std::function<void(Driver&, Check&)>>& scenarios() {
  static const std::map<std::string, std::function<void(Driver&, Check&)>> all = {
      {"export_hosted", exportHosted},
      {"import_hosted", importHosted},
      {"export_cancelled", [](Driver& d, Check& c) { cancelFresh(d, c, "exportar", -1); }},
      {"import_cancelled", [](Driver& d, Check& c) { cancelFresh(d, c, "importar", 0); }},
      {"ini_other_sections",
       [](Driver& d, Check& c) {
         cancelFresh(d, c, "importar", 0,
                     "[Centro]\r\nNombre=IES Sur\r\n[Transformadores]\r\nTransformado=7\r\n"
                     "Otra=x\r\n[Fin]\r\nk=v\r\n",
                     "[Centro]\r\nNombre=IES Sur\r\n[Transformadores]\r\nTransformado=0\r\n"
                     "Otra=x\r\n[Fin]\r\nk=v\r\n");
       }},
      {"no_run", noRun},
      {"handle_zero", handleZero},
      {"handle_0x", handleWithPrefix},
      {"run_error", runError},
      {"interactive", interactiveExport},
      {"screenshots", screenshots},
  };
  return all;
}

HWND createHostWindow() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  wc.lpszClassName = "TtsTempaxinHost";
  RegisterClassA(&wc);
  HWND host = CreateWindowExA(0, wc.lpszClassName, "Tempaxin (anfitrión de pruebas)",
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 700, 360, nullptr,
                              nullptr, wc.hInstance, nullptr);
  ShowWindow(host, SW_SHOW);
  return host;
}

}  // namespace
}  // namespace tts::e2e

int main(int argc, char** argv) {
  using namespace tts::e2e;
  if (argc != 3 || !scenarios().count(argv[2])) {
    std::fprintf(stderr, "uso: tts_app_host <TransTempaxScolvia.exe> <escenario>\n");
    for (const auto& [name, run] : scenarios())
      std::fprintf(stderr, "  %s\n", name.c_str());
    return 2;
  }
  std::string exe = argv[1];
  std::string scenario = argv[2];
  HWND host = createHostWindow();
  Check check;
  std::atomic<bool> done = false;
  std::thread worker([&] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try {
      Driver driver(host, exe);
      scenarios().at(scenario)(driver, check);
    } catch (const std::exception& e) {
      check(false, std::string("el escenario se interrumpe: ") + e.what());
    }
    CoUninitialize();
    done = true;
    PostMessageA(host, WM_NULL, 0, 0);
  });
  // Serve the host window's messages while the worker drives the program.
  MSG message;
  while (!done) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  worker.join();
  DestroyWindow(host);
  std::printf("%s: %s\n", scenario.c_str(), check.failures ? "FALLA" : "correcto");
  return check.failures ? 1 : 0;
}
