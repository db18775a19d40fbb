#include "app/skin.h"

#include <windowsx.h>

#include <string>

#include "app/centred_text.h"
#include "app/dpi.h"
#include "app/error_barrier.h"
#include "app/scoped_gdi.h"
#include "app/ui_font.h"
#include "app/window_class.h"

namespace varnett {
namespace {

// Sizes in pixels at 96 DPI, scaled with the window's DPI.
constexpr int kButtonWidth = 26;
constexpr int kButtonHeight = 19;
// A click on the control box opens the system menu only once it is clear
// that no second click follows, which would close the window instead.
constexpr UINT_PTR kMenuTimer = 0x5EF1;

void DrawLine(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

constexpr int kEdgeHeight = 5;
constexpr wchar_t kEdgeClass[] = L"TFrameEdge";

LRESULT HandleEdge(HWND edge, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    const auto* theme = reinterpret_cast<const SkinTheme*>(GetWindowLongPtrW(edge, GWLP_USERDATA));
    ScopedPaint paint(edge);
    RECT r;
    GetClientRect(edge, &r);
    FillSolid(paint.get(), r, theme ? theme->face : RGB(255, 255, 255));
    int width = Scale(1, WindowDpi(edge));
    COLORREF border = theme ? theme->border : RGB(0, 0, 0);
    RECT left = {0, 0, width, r.bottom}, right = {r.right - width, 0, r.right, r.bottom};
    RECT bottom = {0, r.bottom - width, r.right, r.bottom};
    for (const RECT& line : {left, right, bottom}) FillSolid(paint.get(), line, border);
    return 0;
  }
  // The strip takes the clicks on it itself: passed through, they would
  // reach a control lying below the window's lower edge.
  if (message == WM_NCHITTEST) return HTCLIENT;
  return DefWindowProcW(edge, message, wparam, lparam);
}

LRESULT CALLBACK EdgeProc(HWND edge, UINT message, WPARAM wparam, LPARAM lparam) {
  return Guarded(LRESULT{0}, [&] { return HandleEdge(edge, message, wparam, lparam); });
}

}  // namespace

HWND CreateBottomEdge(HWND window, const SkinTheme& theme) {
  WNDCLASSEXW cls = {};
  cls.lpfnWndProc = EdgeProc;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.lpszClassName = kEdgeClass;
  if (!RegisterWindowClass(cls)) return nullptr;
  HWND edge = CreateWindowExW(0, kEdgeClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!edge) return nullptr;
  SetWindowLongPtrW(edge, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&theme));
  // Every other control yields to the strip where they overlap.
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    LONG_PTR style = GetWindowLongPtrW(c, GWL_STYLE);
    if (c != edge && !(style & WS_CLIPSIBLINGS))
      SetWindowLongPtrW(c, GWL_STYLE, style | WS_CLIPSIBLINGS);
  }
  PlaceBottomEdge(window, edge);
  return edge;
}

void PlaceBottomEdge(HWND window, HWND edge) {
  RECT r;
  GetClientRect(window, &r);
  int height = Scale(kEdgeHeight, WindowDpi(window));
  SetWindowPos(edge, HWND_TOP, 0, r.bottom - height, r.right, height, SWP_NOACTIVATE);
}

void FillGradient(HDC dc, const RECT& box, COLORREF top, COLORREF bottom) {
  TRIVERTEX v[2] = {};
  v[0].x = box.left;
  v[0].y = box.top;
  v[0].Red = static_cast<COLOR16>(GetRValue(top) << 8);
  v[0].Green = static_cast<COLOR16>(GetGValue(top) << 8);
  v[0].Blue = static_cast<COLOR16>(GetBValue(top) << 8);
  v[1].x = box.right;
  v[1].y = box.bottom;
  v[1].Red = static_cast<COLOR16>(GetRValue(bottom) << 8);
  v[1].Green = static_cast<COLOR16>(GetGValue(bottom) << 8);
  v[1].Blue = static_cast<COLOR16>(GetBValue(bottom) << 8);
  GRADIENT_RECT r = {0, 1};
  // The system's own entry point, which msimg32 forwards to: one library less
  // to load at start.
  GdiGradientFill(dc, v, 2, &r, 1, GRADIENT_FILL_RECT_V);
}

RECT SkinFrame::PartRect(HWND window, FramePart part) const {
  RECT client;
  GetClientRect(window, &client);
  const int dpi = WindowDpi(window);
  auto s = [dpi](int designed) { return Scale(designed, dpi); };
  // Rectangles at the right keep their designed distance from the right edge.
  auto from_right = [&](int left, int right) {
    return RECT{client.right - s(left), 0, client.right - s(right), 0};
  };
  int top = s(1 + (theme_.title_height - kButtonHeight) / 2);
  int bottom = top + s(kButtonHeight);
  RECT r = {};
  switch (part) {
    case FramePart::kControlBox:
      return RECT{s(4), top, s(4 + kButtonHeight + 2), bottom};
    case FramePart::kClose:
      r = from_right(5 + kButtonWidth, 5);
      break;
    case FramePart::kMinimize:
      r = from_right(7 + 2 * kButtonWidth, 7 + kButtonWidth);
      break;
    case FramePart::kCaption:
      return RECT{s(1), s(1), client.right - s(1), s(1 + theme_.title_height)};
    default:
      return RECT{};
  }
  r.top = top;
  r.bottom = bottom;
  return r;
}

FramePart SkinFrame::HitTest(HWND window, POINT p) const {
  for (FramePart part : {FramePart::kControlBox, FramePart::kMinimize, FramePart::kClose}) {
    RECT r = PartRect(window, part);
    if (PtInRect(&r, p)) return part;
  }
  RECT caption = PartRect(window, FramePart::kCaption);
  return PtInRect(&caption, p) ? FramePart::kCaption : FramePart::kNone;
}

void SkinFrame::SetHot(HWND window, FramePart part) {
  if (hot_ == part) return;
  hot_ = part;
  RECT caption = PartRect(window, FramePart::kCaption);
  InvalidateRect(window, &caption, FALSE);
}

bool SkinFrame::Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  POINT p = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  switch (message) {
    case WM_NCHITTEST: {
      // The title bar outside its buttons moves the window when dragged.
      ScreenToClient(window, &p);
      *result = HitTest(window, p) == FramePart::kCaption ? HTCAPTION : HTCLIENT;
      return true;
    }
    case WM_MOUSEMOVE: {
      FramePart part = HitTest(window, p);
      SetHot(window, part == FramePart::kCaption ? FramePart::kNone : part);
      if (!tracking_) {
        TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, window, 0};
        tracking_ = TrackMouseEvent(&tme);
      }
      return false;
    }
    case WM_MOUSELEAVE:
      tracking_ = false;
      SetHot(window, FramePart::kNone);
      return false;
    case WM_LBUTTONDOWN: {
      FramePart part = HitTest(window, p);
      if (part != FramePart::kMinimize && part != FramePart::kClose &&
          part != FramePart::kControlBox)
        return false;
      pressed_ = part;
      SetCapture(window);
      InvalidateRect(window, nullptr, FALSE);
      *result = 0;
      return true;
    }
    case WM_TIMER:
      if (wparam != kMenuTimer) return false;
      KillTimer(window, kMenuTimer);
      if (actions_.system_menu) actions_.system_menu();
      *result = 0;
      return true;
    case WM_LBUTTONDBLCLK:
      if (HitTest(window, p) == FramePart::kControlBox) {
        KillTimer(window, kMenuTimer);
        pressed_ = FramePart::kNone;
        if (actions_.close) actions_.close();
        *result = 0;
        return true;
      }
      return false;
    case WM_LBUTTONUP: {
      if (pressed_ == FramePart::kNone) return false;
      FramePart pressed = pressed_;
      pressed_ = FramePart::kNone;
      if (GetCapture() == window) ReleaseCapture();
      InvalidateRect(window, nullptr, FALSE);
      if (HitTest(window, p) != pressed) return true;
      if (pressed == FramePart::kClose && actions_.close) actions_.close();
      if (pressed == FramePart::kMinimize && actions_.minimize) actions_.minimize();
      if (pressed == FramePart::kControlBox)
        SetTimer(window, kMenuTimer, GetDoubleClickTime(), nullptr);
      *result = 0;
      return true;
    }
    case WM_CAPTURECHANGED:
      if (pressed_ != FramePart::kNone) {
        pressed_ = FramePart::kNone;
        InvalidateRect(window, nullptr, FALSE);
      }
      return false;
  }
  return false;
}

void SkinFrame::Paint(HWND window, HDC dc, HICON icon) const {
  const int dpi = WindowDpi(window);
  auto s = [dpi](int designed) { return Scale(designed, dpi); };
  RECT client;
  GetClientRect(window, &client);
  FillSolid(dc, client, theme_.face);

  RECT title = PartRect(window, FramePart::kCaption);
  FillGradient(dc, title, theme_.title_top, theme_.title_bottom);
  FillSolid(dc, RECT{title.left, title.bottom, title.right, title.bottom + s(2)},
            theme_.title_line);

  // Control box: the program's icon, drawn at the small-icon size of the DPI.
  RECT box = PartRect(window, FramePart::kControlBox);
  if (hot_ == FramePart::kControlBox || pressed_ == FramePart::kControlBox)
    FillSolid(dc, box, theme_.caption_button_hot);
  const int icon_size = s(16);
  if (icon)
    DrawIconEx(dc, box.left + (box.right - box.left - icon_size) / 2,
               box.top + (box.bottom - box.top - icon_size) / 2, icon, icon_size, icon_size, 0,
               nullptr, DI_NORMAL);

  // Caption, bold, after the control box.
  std::wstring caption = WindowText(window);
  RECT text = {box.right + s(6), title.top, PartRect(window, FramePart::kMinimize).left - s(4),
               title.bottom};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, theme_.caption_text);
  {
    ScopedSelect font(dc, UiBoldFont(dpi));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }

  // Minimise and close glyphs.
  for (FramePart part : {FramePart::kMinimize, FramePart::kClose}) {
    RECT r = PartRect(window, part);
    bool active = hot_ == part || pressed_ == part;
    if (active)
      FillSolid(dc, r,
                part == FramePart::kClose ? theme_.close_button_hot : theme_.caption_button_hot);
    int shift = pressed_ == part ? s(1) : 0;
    int cx = (r.left + r.right) / 2 + shift, cy = (r.top + r.bottom) / 2 + shift;
    ScopedPen pen(CreatePen(PS_SOLID, s(2), theme_.caption_text));
    ScopedSelect selected(dc, pen.get());
    if (part == FramePart::kMinimize) {
      DrawLine(dc, cx - s(5), cy + s(4), cx + s(5), cy + s(4));
    } else {
      DrawLine(dc, cx - s(4), cy - s(4), cx + s(5), cy + s(5));
      DrawLine(dc, cx + s(4), cy - s(4), cx - s(5), cy + s(5));
    }
  }

  // One-pixel black border around everything.
  FrameSolid(dc, client, theme_.border, s(1));
}

}  // namespace varnett
