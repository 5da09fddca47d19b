// Buttons of kind OK and close (the toolkit's bitmap buttons), drawn by their
// owner: the classic push-button face, a small drawn glyph left of the
// caption (a green check for OK, a door for close), the caption, the focus.
#pragma once

#include <windows.h>

namespace tts::app {

enum class BitBtnKind { Ok, Close };

// Creates an owner-drawn push button that takes the focus by tab.
HWND createBitBtn(HWND parent, int id, const char* caption, int x, int y, int width, int height);

// Draws the button for WM_DRAWITEM.
void drawBitBtn(const DRAWITEMSTRUCT& item, BitBtnKind kind);

}  // namespace tts::app
