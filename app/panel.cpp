#include "app/panel.h"

#include "app/dpi.h"
#include "app/error_barrier.h"
#include "app/scoped_gdi.h"
#include "app/window_class.h"

namespace varnett {
namespace {

constexpr wchar_t kClass[] = L"TPanel";
constexpr int kBevelSlot = 0;
constexpr int kFaceSlot = sizeof(LONG_PTR);

void PaintPanel(HWND panel) {
  ScopedPaint paint(panel);
  HDC dc = paint.get();
  RECT r;
  GetClientRect(panel, &r);
  FillSolid(dc, r, static_cast<COLORREF>(GetWindowLongPtrW(panel, kFaceSlot)));
  auto bevel = static_cast<Bevel>(GetWindowLongPtrW(panel, kBevelSlot));
  if (bevel == Bevel::kNone) return;
  // A one-pixel bevel (at 96 DPI): dark on the lit side for a lowered panel.
  COLORREF dark = RGB(128, 128, 128), light = RGB(255, 255, 255);
  if (bevel == Bevel::kFrame) dark = light = RGB(44, 62, 104);
  COLORREF top_left = bevel == Bevel::kLowered ? dark : light;
  COLORREF bottom_right = bevel == Bevel::kLowered ? light : dark;
  int width = Scale(1, WindowDpi(panel));
  FillSolid(dc, RECT{r.left, r.top, r.right - width, r.top + width}, top_left);
  FillSolid(dc, RECT{r.left, r.top, r.left + width, r.bottom}, top_left);
  FillSolid(dc, RECT{r.left + width, r.bottom - width, r.right, r.bottom}, bottom_right);
  FillSolid(dc, RECT{r.right - width, r.top, r.right, r.bottom}, bottom_right);
}

LRESULT HandlePanel(HWND panel, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      PaintPanel(panel);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_DRAWITEM:
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return SendMessageW(GetParent(panel), message, wparam, lparam);
  }
  return DefWindowProcW(panel, message, wparam, lparam);
}

LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam) {
  return Guarded(LRESULT{0}, [&] { return HandlePanel(panel, message, wparam, lparam); });
}

bool RegisterOnce() {
  static const bool registered = [] {
    WNDCLASSEXW cls = {};
    cls.lpfnWndProc = PanelProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.cbWndExtra = 2 * sizeof(LONG_PTR);
    cls.lpszClassName = kClass;
    return RegisterWindowClass(cls);
  }();
  return registered;
}

}  // namespace

HWND CreatePanel(HWND parent, const wchar_t* name, Bevel bevel, COLORREF face, int x, int y,
                 int width, int height, int id) {
  if (!RegisterOnce()) return nullptr;
  HWND panel = CreateWindowExW(
      WS_EX_CONTROLPARENT, kClass, name, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
      x, y, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleW(nullptr), nullptr);
  if (!panel) return nullptr;
  SetWindowLongPtrW(panel, kBevelSlot, static_cast<LONG_PTR>(bevel));
  SetWindowLongPtrW(panel, kFaceSlot, static_cast<LONG_PTR>(face));
  return panel;
}

}  // namespace varnett
