// TMForm: the main window MForm with its two run buttons, the run frame both
// directions share (open dialog, file check, busy cursor, closing message,
// status value) and the host protocol (embedding, run named on the command
// line, status file at close).
//
// The window procedure only turns messages into the named handlers; the work
// of a run is the core's (ExportRun, ImportarSolucion). Every error that
// reaches a handler is shown by the default error report and the window goes
// on (error_report.h).
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/gdi.h"
#include "export/export_run.h"
#include "platform/xml.h"

namespace tts::app {

class Draw3D;

class TMForm {
 public:
  // Control ids, for tests that drive the window.
  enum : int {
    kDraw3D1 = 20,
    kDraw3D2 = 21,
    kDraw3D3 = 22,
    kBClose = 10,
    kButton1 = 11,
    kBExportar = 12,
    kBImportar = 13,
  };
  static constexpr const char* kClassName = "TMForm";

  TMForm();
  ~TMForm();
  TMForm(const TMForm&) = delete;
  TMForm& operator=(const TMForm&) = delete;

  // Creates the (hidden) window and its controls, then runs FormCreate.
  void create();
  // Runs FormShow, then shows the window unless a run has closed it.
  void show();
  // For the message loop: handles F1, Enter on a button and the dialog keys
  // of the window; true when the message was used up.
  bool preTranslate(MSG& message);
  // The window, or null once it is destroyed.
  HWND handle() const { return hwnd_; }

 private:
  static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM w, LPARAM l);
  LRESULT handle(UINT message, WPARAM w, LPARAM l);
  void createControls();
  void embed(HWND host);
  void place();
  void close();
  bool hosted() const { return NumParametros == 2; }

  // Handlers.
  void FormCreate();
  void FormShow();
  void FormClose();
  void BExportarClick();
  void BImportarClick();
  void Button1Click();

  // The run frame.
  void chooseDocument();
  void fileMissing(int status);
  void runCompleted();

  // The export's builders and the import: thin calls into the core.
  void ExportarMaterias();
  void ExportarProfesores();
  void ExportarAulas();
  void ExportarGrupos();
  void ExportarAsignaturas();
  void ExportarTramos();
  void ImportarSolucion();

  // Program-wide values.
  std::string ArchivoXML;
  std::unique_ptr<xml::Document> DocXML;
  int NumParametros = 0;
  int Transformado = 0;

  std::string openDialogFileName_;        // OpenDialogXML's file name
  std::unique_ptr<ExportRun> exportRun_;  // while an export runs

  HWND hwnd_ = nullptr;
  HWND lastFocus_ = nullptr;
  Font font_;
  Font bold_;
  Font arialBold_;
  std::unique_ptr<Draw3D> Draw3D1;
  std::unique_ptr<Draw3D> Draw3D2;
  std::unique_ptr<Draw3D> Draw3D3;
  HWND BClose = nullptr;
  HWND Button1 = nullptr;
  HWND BExportar = nullptr;
  HWND BImportar = nullptr;
};

}  // namespace tts::app
