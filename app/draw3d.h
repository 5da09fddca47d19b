// TDraw3D: a panel painted with a colour gradient, holding labels and
// controls. Labels are painted by the panel itself, as the toolkit's
// graphic labels are: no window of their own, transparent unless they have a
// ground colour. The panel passes its children's notifications (commands,
// owner drawing, control colours) on to its parent.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tts::app {

struct Gradient {
  COLORREF start;
  std::optional<COLORREF> middle;  // three colours when set
  COLORREF end;
  bool bottomToTop = false;  // start colour at the bottom
};

struct Label {
  RECT bounds;  // in the panel, pixels
  std::string text;
  HFONT font;
  COLORREF colour = RGB(0, 0, 0);
  std::optional<COLORREF> ground;  // transparent when unset
  bool wordWrap = false;
};

// Fills `area` with the gradient (GradientFill).
void paintGradient(HDC dc, const RECT& area, const Gradient& gradient);

class Draw3D {
 public:
  // Creates the panel as a child of `parent` at x, y with the given size.
  Draw3D(HWND parent, int id, int x, int y, int width, int height, Gradient gradient,
         DWORD helpContext);
  ~Draw3D();
  Draw3D(const Draw3D&) = delete;
  Draw3D& operator=(const Draw3D&) = delete;

  HWND handle() const { return hwnd_; }
  void addLabel(Label label);

 private:
  static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM w, LPARAM l);
  void paint();
  HWND hwnd_ = nullptr;
  Gradient gradient_;
  std::vector<Label> labels_;
};

}  // namespace tts::app
