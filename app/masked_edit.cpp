#include "app/masked_edit.h"

#include "app/error_report.h"

namespace tts::app {

namespace {

constexpr UINT kValidate = WM_APP + 1;  // posted when the focus has left the edit

constexpr char kInvalid[] = "Valor de entrada inválido. Presione <ESC> para cancelar los cambios";

}  // namespace

void MaskedEdit::create(HWND parent, int id, int x, int y, int width, int height,
                        const std::string& text) {
  hwnd_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", text.c_str(),
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, x, y,
                          width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleA(nullptr), nullptr);
  SendMessageA(hwnd_, EM_LIMITTEXT, mask::kLength, 0);
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MaskedEdit::proc)));
  modified_ = false;
}

std::string MaskedEdit::rawText() const {
  char buffer[64] = {};
  int n = GetWindowTextA(hwnd_, buffer, sizeof buffer);
  return std::string(buffer, static_cast<size_t>(n > 0 ? n : 0));
}

std::string MaskedEdit::text() const {
  return mask::valueText(rawText());
}

bool MaskedEdit::complete() const {
  return mask::isComplete(rawText());
}

mask::State MaskedEdit::state() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {rawText(), start, end};
}

void MaskedEdit::apply(const std::optional<mask::State>& next) {
  if (!next) {
    MessageBeep(0);
    return;
  }
  original(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(next->text.c_str()));
  SendMessageA(hwnd_, EM_SETSEL, next->selStart, static_cast<LPARAM>(next->selEnd));
  modified_ = true;
}

void MaskedEdit::paste() {
  if (!OpenClipboard(hwnd_))
    return;
  std::string pasted;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* chars = static_cast<const char*>(GlobalLock(data))) {
      pasted = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  std::optional<mask::State> s = state();
  for (char c : pasted) {
    auto next = mask::type(*s, c);
    if (!next)
      break;
    s = next;
  }
  apply(s);
}

bool MaskedEdit::validate() {
  if (!modified_ || complete())
    return true;
  if (validating_)
    return false;
  validating_ = true;
  MessageBeep(0);
  showError(GetAncestor(hwnd_, GA_ROOT), kInvalid);
  SetFocus(hwnd_);
  validating_ = false;
  return false;
}

void MaskedEdit::onKillFocus(HWND next) {
  // Only a move to another control of the same window counts as leaving the
  // field; switching to another program does not.
  HWND root = GetAncestor(hwnd_, GA_ROOT);
  if (next && next != root && IsChild(root, next) && !validating_) {
    PostMessageA(hwnd_, kValidate, 0, 0);
  }
}

LRESULT MaskedEdit::original(UINT message, WPARAM w, LPARAM l) {
  return CallWindowProcA(original_, hwnd_, message, w, l);
}

LRESULT MaskedEdit::handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_CHAR: {
      char c = static_cast<char>(w);
      switch (c) {
        case '\b':
          apply(mask::backspace(state()));
          return 0;
        case 0x16:
          paste();
          return 0;  // Ctrl+V
        case 0x18:   // Ctrl+X
          original(WM_COPY, 0, 0);
          apply(mask::erase(state()));
          return 0;
        case 0x03:  // Ctrl+C
        case 0x01:  // Ctrl+A
          return original(message, w, l);
        default:
          if (static_cast<unsigned char>(c) < ' ')
            return 0;
          apply(mask::type(state(), c));
          return 0;
      }
    }
    case WM_KEYDOWN:
      if (w == VK_DELETE) {
        apply(mask::erase(state()));
        return 0;
      }
      if (w == VK_ESCAPE) {
        if (modified_) {
          original(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(onEntry_.c_str()));
          SendMessageA(hwnd_, EM_SETSEL, 0, -1);
          modified_ = false;
        }
        return 0;
      }
      break;
    case WM_GETDLGCODE: {
      LRESULT code = original(message, w, l);
      const MSG* m = reinterpret_cast<const MSG*>(l);
      if (m && m->message == WM_KEYDOWN && m->wParam == VK_ESCAPE && modified_) {
        code |= DLGC_WANTMESSAGE;
      }
      return code;
    }
    case WM_PASTE:
      paste();
      return 0;
    case WM_CUT:
      original(WM_COPY, 0, 0);
      apply(mask::erase(state()));
      return 0;
    case WM_CLEAR:
      apply(mask::erase(state()));
      return 0;
    case WM_UNDO:
    case EM_UNDO:
      return 0;
    case WM_SETTEXT:
      modified_ = false;
      break;
    case WM_SETFOCUS:
      if (!validating_)
        onEntry_ = rawText();
      break;
    case WM_KILLFOCUS: {
      LRESULT result = original(message, w, l);
      onKillFocus(reinterpret_cast<HWND>(w));
      return result;
    }
    case kValidate:
      validate();
      return 0;
    default:
      break;
  }
  return original(message, w, l);
}

LRESULT CALLBACK MaskedEdit::proc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<MaskedEdit*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self)
    return DefWindowProcA(hwnd, message, w, l);
  LRESULT result = 0;
  if (!guarded(GetAncestor(hwnd, GA_ROOT), [&] { result = self->handle(message, w, l); })) {
    return 0;
  }
  return result;
}

}  // namespace tts::app
