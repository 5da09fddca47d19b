// Owned GDI objects (fonts, brushes) and the fonts the windows use.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tts::app {

struct GdiDelete {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDelete>;
using Brush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiDelete>;

// A font of `points` on the screen's resolution.
Font makeFont(const char* face, int points, bool bold);

// A solid brush.
Brush makeBrush(COLORREF colour);

// Gives a window its font (WM_SETFONT); the caller keeps the font alive.
void setFont(HWND window, HFONT font);

}  // namespace tts::app
