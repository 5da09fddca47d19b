#include "app/MainForm.h"

#include "app/HoraIni.h"
#include "app/application.h"
#include "app/bitbtn.h"
#include "app/busy_cursor.h"
#include "app/command_line.h"
#include "app/draw3d.h"
#include "app/error_report.h"
#include "app/help.h"
#include "app/open_dialog.h"
#include "app/status_file.h"
#include "import/import_run.h"
#include "interchange/records.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/text.h"

namespace tts::app {

namespace {

constexpr char kQtemp[] = "C:\\QTEMP";
constexpr char kCaption[] = "Exportar e importar datos entre Tempaxin y Scolvia ";
constexpr int kClientWidth = 632;
constexpr int kClientHeight = 266;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr DWORD kHelpContext = 1;

const Gradient kBlue{RGB(194, 205, 254), RGB(207, 242, 254), RGB(204, 216, 230), false};
const Gradient kPeach{RGB(249, 211, 125), RGB(255, 255, 255), RGB(255, 238, 221), false};

void registerClass(WNDPROC proc) {
  static bool done = false;
  if (done)
    return;
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = TMForm::kClassName;
  RegisterClassA(&wc);
  done = true;
}

HWND hostWindowFrom(int32_t value) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(value));
}

// Drops the run of an export when it ends, also through an error.
struct RunScope {
  std::unique_ptr<ExportRun>& run;
  ~RunScope() { run.reset(); }
};

}  // namespace

TMForm::TMForm()
    : font_(makeFont("MS Sans Serif", 8, false)),
      bold_(makeFont("MS Sans Serif", 8, true)),
      arialBold_(makeFont("Arial", 12, true)) {}

TMForm::~TMForm() {
  if (hwnd_) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void TMForm::create() {
  registerClass(&TMForm::proc);
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  hwnd_ = CreateWindowExA(kExStyle, kClassName, kCaption, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                          GetModuleHandleA(nullptr), this);
  if (!hwnd_)
    throw Error("No se puede crear la ventana principal");
  SetWindowContextHelpId(hwnd_, kHelpContext);
  createControls();
  guarded(hwnd_, [&] { FormCreate(); });
}

void TMForm::createControls() {
  // Creation order is the tab order: panel by panel, BClose, Button1,
  // BExportar, BImportar.
  Draw3D1 = std::make_unique<Draw3D>(hwnd_, kDraw3D1, 0, 168, 633, 97, kBlue, kHelpContext);
  HWND p1 = Draw3D1->handle();
  Draw3D1->addLabel({{8, 72, 8 + 230, 72 + 13},
                     "TransTempaxinScolvia para TX08 V-1.0",
                     bold_.get(),
                     RGB(255, 0, 0),
                     std::nullopt,
                     false});
  BClose = createBitBtn(p1, kBClose, "&Salir", 256, 32, 89, 25);
  SetWindowContextHelpId(BClose, kHelpContext);
  Button1 = CreateWindowExA(0, "BUTTON", "F1 AYUDA", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 264, 63,
                            75, 18, p1, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButton1)),
                            GetModuleHandleA(nullptr), nullptr);

  Draw3D2 = std::make_unique<Draw3D>(hwnd_, kDraw3D2, 1, 0, 315, 169, kPeach, kHelpContext);
  Draw3D2->addLabel({{24, 24, 24 + 265, 24 + 57},
                     "Transformar datos desde Scolvia hacia Tempaxin ",
                     arialBold_.get(),
                     RGB(0, 0, 0),
                     std::nullopt,
                     true});
  BExportar = createBitBtn(Draw3D2->handle(), kBExportar, "Aceptar", 96, 120, 89, 25);
  SetWindowContextHelpId(BExportar, kHelpContext);

  Draw3D3 = std::make_unique<Draw3D>(hwnd_, kDraw3D3, 316, 0, 317, 169, kPeach, kHelpContext);
  Draw3D3->addLabel({{8, 24, 8 + 305, 24 + 57},
                     "Transformar datos desde Tempaxin hacia Scolvia",
                     arialBold_.get(),
                     RGB(0, 0, 0),
                     std::nullopt,
                     true});
  BImportar = createBitBtn(Draw3D3->handle(), kBImportar, "Aceptar", 96, 120, 89, 25);
  SetWindowContextHelpId(BImportar, kHelpContext);

  for (HWND button : {BClose, Button1, BExportar, BImportar})
    setFont(button, font_.get());
  lastFocus_ = BClose;
}

void TMForm::embed(HWND host) {
  LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
  style &= ~static_cast<LONG_PTR>(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_BORDER | WS_POPUP);
  // A number that names no window (0 among them) leaves the window top-level.
  style |= IsWindow(host) ? WS_CHILD : WS_POPUP;
  SetWindowLongPtrA(hwnd_, GWL_STYLE, style);
  LONG_PTR exStyle = GetWindowLongPtrA(hwnd_, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(kExStyle);
  SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, exStyle | WS_EX_CONTROLPARENT);
  SetParent(hwnd_, host);
  SetWindowPos(hwnd_, nullptr, 0, 0, kClientWidth, kClientHeight,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TMForm::place() {
  if (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_CHILD)
    return;  // top-left of the host
  RECT r;
  GetWindowRect(hwnd_, &r);
  int width = r.right - r.left;
  int height = r.bottom - r.top;
  SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMForm::show() {
  guarded(hwnd_, [&] { FormShow(); });
  if (!hwnd_)
    return;  // a hosted run has closed the window
  place();
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
}

void TMForm::close() {
  if (!hwnd_)
    return;
  // A status file that cannot be written is reported; the window closes all
  // the same, so the host is never left waiting.
  guarded(hwnd_, [&] { FormClose(); });
  DestroyWindow(hwnd_);
}

bool TMForm::preTranslate(MSG& message) {
  if (!hwnd_ || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd)))
    return false;
  if (message.message == WM_KEYDOWN && message.wParam == VK_F1) {
    // A key goes to the control that has the focus.
    if (DWORD context = helpContextOf(message.hwnd, hwnd_))
      showHelpContext(hwnd_, context);
    return true;
  }
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
    HWND focus = GetFocus();
    for (HWND button : {BClose, Button1, BExportar, BImportar}) {
      if (focus == button) {
        SendMessageA(button, BM_CLICK, 0, 0);
        return true;
      }
    }
  }
  return IsDialogMessageA(hwnd_, &message) != 0;
}

// ---- handlers ----

void TMForm::FormCreate() {
  Transformado = 0;
  std::vector<std::string> parameters = commandLineParameters();
  if (parameters.size() != 2)
    return;
  embed(hostWindowFrom(hostHandleValue(parameters[1])));
  NumParametros = static_cast<int>(parameters.size());
}

void TMForm::FormShow() {
  std::vector<std::string> parameters = commandLineParameters();
  if (parameters.size() != 2)
    return;
  if (lowerAscii(parameters[0]) == "importar")
    BImportarClick();
  if (lowerAscii(parameters[0]) == "exportar")
    BExportarClick();
}

void TMForm::FormClose() {
  if (NumParametros != 2)
    return;
  writeStatus(statusFilePath(executablePath()), Transformado);
}

void TMForm::BExportarClick() {
  chooseDocument();
  if (!files::exists(ArchivoXML)) {
    fileMissing(-1);
    return;
  }
  DocXML.reset();
  DocXML = loadDocument(ArchivoXML);
  {
    BusyCursor busy;
    RunScope scope{exportRun_};
    exportRun_ = std::make_unique<ExportRun>(*DocXML, kQtemp);
    ExportarMaterias();
    ExportarProfesores();
    ExportarAulas();
    ExportarGrupos();
    ExportarAsignaturas();
    ExportarTramos();
    exportRun_->commit();
  }
  runCompleted();
}

void TMForm::BImportarClick() {
  chooseDocument();
  if (!files::exists(ArchivoXML)) {
    fileMissing(0);
    return;
  }
  {
    BusyCursor busy;
    ImportarSolucion();
  }
  runCompleted();
}

void TMForm::Button1Click() {
  application().helpFile = "SCOLVIA.chm";
  showHelpContents(hwnd_);
}

// ---- the run frame ----

void TMForm::chooseDocument() {
  if (auto chosen = showOpenDialogXml(hwnd_, openDialogFileName_)) {
    openDialogFileName_ = *chosen;
    ArchivoXML = *chosen;
  }
}

void TMForm::fileMissing(int status) {
  showMessage(hwnd_, "No existe archivo");
  if (!hosted())
    return;
  Transformado = status;
  close();
}

void TMForm::runCompleted() {
  Transformado = 1;
  showMessage(hwnd_, "Proceso finalizado");
  // The focus leaves the buttons being disabled, so the keyboard still works.
  if (HWND focus = GetFocus(); focus == BExportar || focus == BImportar)
    SetFocus(BClose);
  EnableWindow(BExportar, FALSE);
  EnableWindow(BImportar, FALSE);
  if (hosted())
    close();
}

void TMForm::ExportarMaterias() {
  exportRun_->ExportarMaterias();
}
void TMForm::ExportarProfesores() {
  exportRun_->ExportarProfesores();
}
void TMForm::ExportarAulas() {
  exportRun_->ExportarAulas();
}
void TMForm::ExportarGrupos() {
  exportRun_->ExportarGrupos();
}
void TMForm::ExportarAsignaturas() {
  exportRun_->ExportarAsignaturas();
}

void TMForm::ExportarTramos() {
  // One dialog per call: shown again with the user's text while the core
  // finds the time out of range.
  TFormInicioClase FormInicioClase(hwnd_);
  exportRun_->ExportarTramos([&] {
    FormInicioClase.ShowModal();
    return FormInicioClase.text();
  });
}

void TMForm::ImportarSolucion() {
  tts::ImportarSolucion(DocXML, ArchivoXML, kQtemp);
}

// ---- window procedure ----

LRESULT TMForm::handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(w) != BN_CLICKED)
        break;
      switch (LOWORD(w)) {
        case kBClose:
          close();
          return 0;
        case kButton1:
          Button1Click();
          return 0;
        case kBExportar:
          BExportarClick();
          return 0;
        case kBImportar:
          BImportarClick();
          return 0;
        default:
          break;
      }
      break;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(l);
      drawBitBtn(item, item.CtlID == kBClose ? BitBtnKind::Close : BitBtnKind::Ok);
      return TRUE;
    }
    case WM_SETCURSOR:
      if (setBusyCursor())
        return TRUE;
      break;
    case WM_ACTIVATE:
      if (LOWORD(w) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus))
          lastFocus_ = focus;
      }
      break;
    case WM_SETFOCUS:
      if (lastFocus_ && IsWindowEnabled(lastFocus_))
        SetFocus(lastFocus_);
      return 0;
    case WM_CLOSE:
      close();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, w, l);
}

LRESULT CALLBACK TMForm::proc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* created = reinterpret_cast<CREATESTRUCTA*>(l);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
  }
  auto* self = reinterpret_cast<TMForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self)
    return DefWindowProcA(hwnd, message, w, l);
  if (message == WM_NCDESTROY) {
    self->hwnd_ = nullptr;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcA(hwnd, message, w, l);
  }
  self->hwnd_ = hwnd;
  LRESULT result = 0;
  if (!guarded(hwnd, [&] { result = self->handle(message, w, l); }))
    return 0;
  return result;
}

}  // namespace tts::app
