#include "app/bitbtn.h"

namespace tts::app {

namespace {

constexpr int kGlyph = 16;   // glyph size in pixels
constexpr int kSpacing = 4;  // between glyph and caption

void drawCheck(HDC dc, int x, int y, bool disabled) {
  HPEN pen = CreatePen(PS_SOLID, 3, disabled ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 128, 0));
  HGDIOBJ old = SelectObject(dc, pen);
  POINT tick[3] = {{x + 2, y + 8}, {x + 6, y + 12}, {x + 14, y + 3}};
  Polyline(dc, tick, 3);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void drawDoor(HDC dc, int x, int y, bool disabled) {
  COLORREF frame = disabled ? GetSysColor(COLOR_GRAYTEXT) : RGB(64, 48, 16);
  COLORREF leaf = disabled ? GetSysColor(COLOR_BTNFACE) : RGB(176, 128, 64);
  HPEN pen = CreatePen(PS_SOLID, 1, frame);
  HBRUSH brush = CreateSolidBrush(leaf);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  Rectangle(dc, x + 3, y + 1, x + 13, y + 15);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
  if (!disabled) {
    HBRUSH knob = CreateSolidBrush(RGB(255, 224, 0));
    RECT k{x + 9, y + 7, x + 11, y + 9};
    FillRect(dc, &k, knob);
    DeleteObject(knob);
  }
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

}  // namespace

HWND createBitBtn(HWND parent, int id, const char* caption, int x, int y, int width, int height) {
  return CreateWindowExA(0, "BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, x,
                         y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

void drawBitBtn(const DRAWITEMSTRUCT& item, BitBtnKind kind) {
  HDC dc = item.hDC;
  RECT face = item.rcItem;
  bool pushed = item.itemState & ODS_SELECTED;
  bool disabled = item.itemState & ODS_DISABLED;
  bool focused = item.itemState & ODS_FOCUS;

  if (focused) {
    // The focused button wears the dark frame of the default button.
    FrameRect(dc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&face, -1, -1);
  }
  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));

  char caption[128] = {};
  int length = GetWindowTextA(item.hwndItem, caption, sizeof caption);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0));
  HGDIOBJ oldFont =
      SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  RECT measure{0, 0, 0, 0};
  DrawTextA(dc, caption, length, &measure, DT_SINGLELINE | DT_CALCRECT);
  int textWidth = measure.right - measure.left;
  int textHeight = measure.bottom - measure.top;
  int shift = pushed ? 1 : 0;
  int left = face.left + (face.right - face.left - (kGlyph + kSpacing + textWidth)) / 2 + shift;
  int middle = face.top + (face.bottom - face.top) / 2 + shift;

  if (kind == BitBtnKind::Ok) {
    drawCheck(dc, left, middle - kGlyph / 2, disabled);
  } else {
    drawDoor(dc, left, middle - kGlyph / 2, disabled);
  }
  RECT text{left + kGlyph + kSpacing, middle - textHeight / 2, left + kGlyph + kSpacing + textWidth,
            middle - textHeight / 2 + textHeight};
  SetBkMode(dc, TRANSPARENT);
  if (disabled) {
    // The engraved look of disabled captions: a light copy under a grey one.
    OffsetRect(&text, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(dc, caption, length, &text, DT_SINGLELINE);
    OffsetRect(&text, -1, -1);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  } else {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  }
  DrawTextA(dc, caption, length, &text, DT_SINGLELINE);
  SelectObject(dc, oldFont);

  if (focused) {
    RECT ring = face;
    InflateRect(&ring, -4, -4);
    DrawFocusRect(dc, &ring);
  }
}

}  // namespace tts::app
