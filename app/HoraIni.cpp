#include "app/HoraIni.h"

#include <cstring>
#include <vector>

#include "app/busy_cursor.h"
#include "app/draw3d.h"
#include "app/error_report.h"
#include "platform/error.h"

namespace tts::app {

namespace {

constexpr int kClientWidth = 307;
constexpr int kClientHeight = 106;
constexpr int kLeft = 464;  // screen position as designed
constexpr int kTop = 425;
constexpr wchar_t kCaption[] = L"Hora de Inicio de las Clases";
constexpr DWORD kStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr char kCannotShow[] = "No se puede mostrar el diálogo de la hora de inicio";

// An in-memory dialog template without controls: the dialog lays out its
// controls in pixels when it is created.
std::vector<WORD> dialogTemplate() {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  DLGTEMPLATE head{};
  head.style = kStyle;
  std::memcpy(words.data(), &head, sizeof head);
  words.push_back(0);  // no menu
  words.push_back(0);  // the standard dialog class
  for (const wchar_t* c = kCaption; *c; ++c)
    words.push_back(static_cast<WORD>(*c));
  words.push_back(0);
  return words;
}

}  // namespace

TFormInicioClase::TFormInicioClase(HWND owner)
    : owner_(owner),
      font_(makeFont("MS Sans Serif", 8, false)),
      bold_(makeFont("MS Sans Serif", 8, true)),
      editGround_(makeBrush(RGB(255, 255, 221))) {}

TFormInicioClase::~TFormInicioClase() = default;

void TFormInicioClase::ShowModal() {
  std::vector<WORD> words = dialogTemplate();
  // An owner closed meanwhile, or a dialog that cannot be shown, ends the
  // run instead of asking again for ever.
  if (owner_ && !IsWindow(owner_))
    throw Error(kCannotShow);
  HWND owner = owner_ ? GetAncestor(owner_, GA_ROOT) : nullptr;
  INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr),
                                           reinterpret_cast<LPCDLGTEMPLATEA>(words.data()), owner,
                                           &TFormInicioClase::proc, reinterpret_cast<LPARAM>(this));
  hwnd_ = nullptr;
  Draw3DIniClase.reset();
  if (result == -1 || result == IDABORT)
    throw Error(kCannotShow);
}

void TFormInicioClase::FormCreate() {
  SetWindowTextW(hwnd_, kCaption);
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_EXSTYLE)));
  SetWindowPos(hwnd_, nullptr, kLeft, kTop, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOZORDER | SWP_NOACTIVATE);

  Draw3DIniClase =
      std::make_unique<Draw3D>(hwnd_, kDraw3DIniClase, 0, 0, kClientWidth, kClientHeight,
                               Gradient{RGB(255, 0, 0), std::nullopt, RGB(255, 255, 255), true}, 0);
  HWND panel = Draw3DIniClase->handle();
  Draw3DIniClase->addLabel({{8, 8, 8 + 291, 8 + 13},
                            "Debe indica la Hora de Inicio de la primera clase en el Centro.",
                            font_.get(),
                            RGB(0, 0, 0),
                            RGB(193, 255, 255),
                            false});
  Draw3DIniClase->addLabel({{8, 32, 8 + 198, 32 + 26},
                            "Hora de Inicio de la Primera Clase: (Formato HH:MM)",
                            bold_.get(),
                            RGB(0, 0, 0),
                            RGB(255, 255, 255),
                            true});
  // Tab order: Button1 first, then MEHora0.
  Button1 = CreateWindowExA(0, "BUTTON", "Continuar", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 208, 72,
                            75, 25, panel, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButton1)),
                            GetModuleHandleA(nullptr), nullptr);
  setFont(Button1, bold_.get());
  MEHora0.create(panel, kMEHora0, 227, 35, 44, 19, text_);
  setFont(MEHora0.handle(), bold_.get());
  SetFocus(Button1);
}

void TFormInicioClase::Button1Click() {
  // A click that the edit's check refused (focus taken back) does not close.
  if (MEHora0.modified() && !MEHora0.complete())
    return;
  close();
}

void TFormInicioClase::close() {
  text_ = MEHora0.text();
  EndDialog(hwnd_, IDOK);
}

INT_PTR TFormInicioClase::handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(w) != BN_CLICKED)
        return FALSE;
      if (LOWORD(w) == kButton1) {
        Button1Click();
      } else if (LOWORD(w) == IDOK && MEHora0.validate()) {
        close();  // Enter in the edit: leaving it by the keyboard
      }
      return TRUE;  // Esc (IDCANCEL) does not end the dialog
    case WM_CLOSE:
      close();
      return TRUE;
    case WM_CTLCOLOREDIT:
      if (reinterpret_cast<HWND>(l) != MEHora0.handle())
        return FALSE;
      SetTextColor(reinterpret_cast<HDC>(w), RGB(255, 0, 0));
      SetBkColor(reinterpret_cast<HDC>(w), RGB(255, 255, 221));
      return reinterpret_cast<INT_PTR>(editGround_.get());
    case WM_SETCURSOR:
      if (!setBusyCursor())
        return FALSE;
      SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK TFormInicioClase::proc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TFormInicioClase*>(l);
    SetWindowLongPtrA(hwnd, DWLP_USER, l);
    self->hwnd_ = hwnd;
    if (!guarded(hwnd, [&] { self->FormCreate(); }))
      EndDialog(hwnd, IDABORT);
    return FALSE;  // the focus is set
  }
  auto* self = reinterpret_cast<TFormInicioClase*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (!self)
    return FALSE;
  INT_PTR result = FALSE;
  guarded(hwnd, [&] { result = self->handle(message, w, l); });
  return result;
}

}  // namespace tts::app
