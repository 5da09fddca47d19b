// A masked edit: an EDIT control subclassed to follow the mask rules of
// mask_rules.h for the start-time dialog's MEHora0.
//
// Keys go through the mask (rejected ones beep); Esc puts back the text the
// edit held when it got the focus; when the focus moves on to another control
// of the same window after the user changed the text and a required digit is
// missing, the edit beeps, the default error report shows "Valor de entrada
// inválido. Presione <ESC> para cancelar los cambios" and the focus comes
// back. WM_SETTEXT sets the text as given and counts as no change by the user.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/mask_rules.h"

namespace tts::app {

class MaskedEdit {
 public:
  MaskedEdit() = default;
  MaskedEdit(const MaskedEdit&) = delete;
  MaskedEdit& operator=(const MaskedEdit&) = delete;

  // Creates the edit as a child of `parent`, holding `text`.
  void create(HWND parent, int id, int x, int y, int width, int height, const std::string& text);
  HWND handle() const { return hwnd_; }

  // The text as the program reads it (empty places as blanks).
  std::string text() const;
  // True when the user changed the text since it was last set or put back.
  bool modified() const { return modified_; }
  // True when the edit's text fills the mask (mask::isComplete).
  bool complete() const;
  // Returns true when the text may be left; otherwise beeps, shows the error
  // report, takes the focus back and returns false.
  bool validate();

 private:
  static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM w, LPARAM l);
  LRESULT handle(UINT message, WPARAM w, LPARAM l);
  LRESULT original(UINT message, WPARAM w, LPARAM l);
  std::string rawText() const;
  mask::State state() const;
  void apply(const std::optional<mask::State>& next);
  void paste();
  void onKillFocus(HWND next);

  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;
  bool modified_ = false;
  bool validating_ = false;
  std::string onEntry_;
};

}  // namespace tts::app
