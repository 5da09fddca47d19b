#include "app/draw3d.h"

namespace tts::app {

namespace {

constexpr char kClass[] = "TDraw3D";

TRIVERTEX vertex(LONG x, LONG y, COLORREF c) {
  return {x,
          y,
          static_cast<COLOR16>(GetRValue(c) << 8),
          static_cast<COLOR16>(GetGValue(c) << 8),
          static_cast<COLOR16>(GetBValue(c) << 8),
          0};
}

void verticalBand(HDC dc, LONG left, LONG top, LONG right, LONG bottom, COLORREF upper,
                  COLORREF lower) {
  if (bottom <= top)
    return;
  TRIVERTEX v[2] = {vertex(left, top, upper), vertex(right, bottom, lower)};
  GRADIENT_RECT r{0, 1};
  GradientFill(dc, v, 2, &r, 1, GRADIENT_FILL_RECT_V);
}

void registerClass() {
  static bool done = false;
  if (done)
    return;
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kClass;
  RegisterClassA(&wc);
  done = true;
}

}  // namespace

void paintGradient(HDC dc, const RECT& area, const Gradient& g) {
  COLORREF top = g.bottomToTop ? g.end : g.start;
  COLORREF bottom = g.bottomToTop ? g.start : g.end;
  if (!g.middle) {
    verticalBand(dc, area.left, area.top, area.right, area.bottom, top, bottom);
    return;
  }
  LONG half = area.top + (area.bottom - area.top) / 2;
  verticalBand(dc, area.left, area.top, area.right, half, top, *g.middle);
  verticalBand(dc, area.left, half, area.right, area.bottom, *g.middle, bottom);
}

Draw3D::Draw3D(HWND parent, int id, int x, int y, int width, int height, Gradient gradient,
               DWORD helpContext)
    : gradient_(gradient) {
  registerClass();
  hwnd_ = CreateWindowExA(WS_EX_CONTROLPARENT, kClass, "",
                          WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, x, y, width,
                          height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Draw3D::proc));
  SetWindowContextHelpId(hwnd_, helpContext);
}

Draw3D::~Draw3D() {
  if (IsWindow(hwnd_))
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
}

void Draw3D::addLabel(Label label) {
  labels_.push_back(std::move(label));
  InvalidateRect(hwnd_, &labels_.back().bounds, TRUE);
}

void Draw3D::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  paintGradient(dc, client, gradient_);
  for (const Label& label : labels_) {
    RECT r = label.bounds;
    if (label.ground) {
      HBRUSH ground = CreateSolidBrush(*label.ground);
      FillRect(dc, &r, ground);
      DeleteObject(ground);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, label.colour);
    HGDIOBJ old = SelectObject(dc, label.font);
    DrawTextA(dc, label.text.c_str(), static_cast<int>(label.text.size()), &r,
              label.wordWrap ? DT_WORDBREAK : DT_SINGLELINE);
    SelectObject(dc, old);
  }
  EndPaint(hwnd_, &ps);
}

LRESULT CALLBACK Draw3D::proc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<Draw3D*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT:
      if (!self)
        break;
      self->paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the gradient covers the whole panel
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return SendMessageA(GetParent(hwnd), message, w, l);
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, w, l);
}

}  // namespace tts::app
