#include "app/gdi.h"

#include <cstring>

namespace tts::app {

Font makeFont(const char* face, int points, bool bold) {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  LOGFONTA font{};
  font.lfHeight = -MulDiv(points, dpi, 72);
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return Font(CreateFontIndirectA(&font));
}

Brush makeBrush(COLORREF colour) {
  return Brush(CreateSolidBrush(colour));
}

void setFont(HWND window, HFONT font) {
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

}  // namespace tts::app
