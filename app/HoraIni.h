// TFormInicioClase: the modal start-time dialog "Hora de Inicio de las Clases".
//
// A small record in the 7-Zip manner: the caller creates it, shows it as often
// as it needs and reads MEHora0's text after each showing. Every showing is a
// fresh dialog window holding the text the previous one was left with, so
// the user finds his text again; a new object starts from "08:00".
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/gdi.h"
#include "app/masked_edit.h"

namespace tts::app {

class Draw3D;

class TFormInicioClase {
 public:
  // Control ids, for tests that drive the dialog.
  enum : int { kDraw3DIniClase = 100, kMEHora0 = 101, kButton1 = 102 };

  explicit TFormInicioClase(HWND owner);
  ~TFormInicioClase();
  TFormInicioClase(const TFormInicioClase&) = delete;
  TFormInicioClase& operator=(const TFormInicioClase&) = delete;

  // Shows the dialog modally, owned by the owner's top-level window, until
  // Continuar or the close box ends it. Throws Error when it cannot be shown.
  void ShowModal();
  // MEHora0's text as the last showing left it.
  const std::string& text() const { return text_; }

 private:
  static INT_PTR CALLBACK proc(HWND hwnd, UINT message, WPARAM w, LPARAM l);
  INT_PTR handle(UINT message, WPARAM w, LPARAM l);
  void FormCreate();
  void Button1Click();
  void close();

  HWND owner_;
  HWND hwnd_ = nullptr;
  std::string text_ = "08:00";
  Font font_;
  Font bold_;
  Brush editGround_;
  std::unique_ptr<Draw3D> Draw3DIniClase;
  MaskedEdit MEHora0;
  HWND Button1 = nullptr;
};

}  // namespace tts::app
