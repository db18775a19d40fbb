#include "app/skin_button.h"

#include "app/centred_text.h"
#include "app/dpi.h"
#include "app/error_barrier.h"
#include "app/scoped_gdi.h"
#include "app/ui_font.h"

namespace varnett {
namespace {

constexpr wchar_t kHotProperty[] = L"VarnettHot";

LRESULT HandleButton(HWND button, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    case WM_MOUSEMOVE:
      if (!GetPropW(button, kHotProperty)) {
        SetPropW(button, kHotProperty, reinterpret_cast<HANDLE>(1));
        TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, button, 0};
        TrackMouseEvent(&tme);
        InvalidateRect(button, nullptr, FALSE);
      }
      break;
    case WM_MOUSELEAVE:
      RemovePropW(button, kHotProperty);
      InvalidateRect(button, nullptr, FALSE);
      break;
    case WM_LBUTTONDBLCLK:
      // A quick second click is a second press, not a double click.
      message = WM_LBUTTONDOWN;
      break;
    case WM_NCDESTROY:
      RemovePropW(button, kHotProperty);
      break;
  }
  auto system = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(button, GWLP_USERDATA));
  return CallWindowProcW(system, button, message, wparam, lparam);
}

LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wparam, LPARAM lparam) {
  return Guarded(LRESULT{0}, [&] { return HandleButton(button, message, wparam, lparam); });
}

}  // namespace

HWND CreateSkinButton(HWND parent, const wchar_t* caption, int id, int x, int y, int width,
                      int height) {
  HWND button = CreateWindowExW(
      0, L"Button", caption,
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | BS_OWNERDRAW | BS_MULTILINE, x, y,
      width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleW(nullptr), nullptr);
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(WindowDpi(parent))), FALSE);
  // The system's procedure does the rest; the button keeps it in its user
  // data, which the class leaves to the program. Set before the new procedure,
  // which reads it from the first message on.
  SetWindowLongPtrW(button, GWLP_USERDATA, GetWindowLongPtrW(button, GWLP_WNDPROC));
  SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ButtonProc));
  return button;
}

void DrawSkinButton(const SkinTheme& theme, const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const int dpi = WindowDpi(item.hwndItem);
  const int line = Scale(1, dpi);
  bool disabled = item.itemState & ODS_DISABLED;
  bool pressed = (item.itemState & ODS_SELECTED) && !disabled;
  bool focused = (item.itemState & ODS_FOCUS) && !disabled;
  bool hot = GetPropW(item.hwndItem, kHotProperty) && !disabled;

  // The parent's white face shows in the rounded corners.
  FillSolid(dc, r, theme.face);

  RECT body = r;
  COLORREF edge;
  if (disabled) {
    FillSolid(dc, body, theme.disabled_face);
    edge = theme.disabled_edge;
  } else if (pressed) {
    FillGradient(dc, body, theme.pressed_top, theme.pressed_bottom);
    edge = theme.hot_edge;
  } else if (hot) {
    FillGradient(dc, body, theme.hot_top, theme.hot_bottom);
    edge = theme.hot_edge;
  } else {
    FillGradient(dc, body, theme.button_top, theme.button_bottom);
    edge = theme.button_edge;
  }
  FrameSolid(dc, body, edge, line);
  // Softened corners.
  for (POINT p : {POINT{r.left, r.top}, POINT{r.right - line, r.top},
                  POINT{r.left, r.bottom - line}, POINT{r.right - line, r.bottom - line}})
    FillSolid(dc, RECT{p.x, p.y, p.x + line, p.y + line}, theme.face);
  if (focused) {
    RECT inner = {r.left + line, r.top + line, r.right - line, r.bottom - line};
    FrameSolid(dc, inner, theme.focus, line);
  }

  RECT text = {r.left + Scale(3, dpi), r.top + Scale(2, dpi), r.right - Scale(3, dpi),
               r.bottom - Scale(2, dpi)};
  if (pressed) OffsetRect(&text, line, line);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, disabled ? theme.disabled_text : theme.button_text);
  ScopedSelect font(dc, UiFont(dpi));
  DrawCentredText(dc, text, WindowText(item.hwndItem));
}

}  // namespace varnett
