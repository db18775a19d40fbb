#include "app/win32_wait_windows.h"

#include <commctrl.h>

#include <cmath>
#include <memory>

#include "app/buffered_paint.h"
#include "app/centred_text.h"
#include "app/common_controls.h"
#include "app/dpi.h"
#include "app/error_barrier.h"
#include "app/monitor_area.h"
#include "app/panel.h"
#include "app/scoped_gdi.h"
#include "app/ui_font.h"
#include "app/window_class.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/module_function.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/system_libraries.h"
#include "text/conversions.h"
#include "text/win32/wide.h"

namespace varnett {
namespace {

constexpr wchar_t kWaitClass[] = L"TfWait";
constexpr wchar_t kOwnAnimationClass[] = L"TSearchAnimation";
// Sizes in pixels at 96 DPI, scaled with the DPI of the owner.
constexpr int kWidth = 374;
constexpr int kHeight = 79;
constexpr int kPanelBorder = 10;
constexpr int kAnimationWidth = 80;
constexpr int kAnimationHeight = 57;
constexpr int kSpacer = 14;
constexpr int kLabelId = 3;
constexpr UINT_PTR kFrameTimer = 1;
constexpr int kFrames = 29;
constexpr COLORREF kFace = RGB(255, 255, 255);

HWND g_current = nullptr;  // fWait

// --- the program's own search animation --------------------------------
// A folder with a magnifying glass circling over it, for systems whose shell
// library no longer carries the classic animation.

// Draws one frame of the 80 x 57 design, scaled to fill `box`.
void DrawSearchFrame(HDC dc, RECT box, int frame) {
  FillSolid(dc, box, kFace);
  ScopedPen outline(CreatePen(PS_SOLID, 1, RGB(176, 128, 24)));
  ScopedBrush back_brush(CreateSolidBrush(RGB(240, 190, 70)));
  ScopedBrush front_brush(CreateSolidBrush(RGB(252, 214, 110)));
  ScopedPen handle_pen(CreatePen(PS_SOLID, 4, RGB(70, 70, 80)));
  ScopedPen rim(CreatePen(PS_SOLID, 2, RGB(60, 60, 70)));
  ScopedBrush lens(CreateSolidBrush(RGB(200, 230, 250)));
  // The pens, brushes, graphics mode and transform set below are all put
  // back before the pens and brushes go.
  ScopedSavedDc saved(dc);
  // The shapes are designed at 96 DPI; the world transform scales them, so
  // they are drawn (not stretched) at the control's size.
  SetGraphicsMode(dc, GM_ADVANCED);
  float factor = static_cast<float>(box.right - box.left) / kAnimationWidth;
  XFORM scale = {factor, 0, 0, factor, static_cast<float>(box.left), static_cast<float>(box.top)};
  SetWorldTransform(dc, &scale);
  int cx = kAnimationWidth / 2, cy = kAnimationHeight / 2 + 4;
  // Folder: tab, back and front.
  SelectObject(dc, outline.get());
  SelectObject(dc, back_brush.get());
  RoundRect(dc, cx - 26, cy - 18, cx - 6, cy - 10, 4, 4);
  Rectangle(dc, cx - 26, cy - 14, cx + 26, cy + 18);
  SelectObject(dc, front_brush.get());
  POINT front[] = {{cx - 26, cy + 18}, {cx - 20, cy - 6}, {cx + 30, cy - 6}, {cx + 26, cy + 18}};
  Polygon(dc, front, 4);
  // Magnifying glass on a small circle.
  double angle = 2.0 * 3.14159265358979 * frame / kFrames;
  int gx = cx + static_cast<int>(std::lround(12 * std::cos(angle)));
  int gy = cy - 2 + static_cast<int>(std::lround(8 * std::sin(angle)));
  SelectObject(dc, handle_pen.get());
  MoveToEx(dc, gx + 6, gy + 6, nullptr);
  LineTo(dc, gx + 13, gy + 13);
  SelectObject(dc, rim.get());
  SelectObject(dc, lens.get());
  Ellipse(dc, gx - 9, gy - 9, gx + 9, gy + 9);
}

LRESULT HandleOwnAnimation(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      if (wparam == kFrameTimer) {
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          (GetWindowLongPtrW(window, GWLP_USERDATA) + 1) % kFrames);
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintBuffered(window, [&](HDC dc, const RECT& client) {
        DrawSearchFrame(dc, client, static_cast<int>(GetWindowLongPtrW(window, GWLP_USERDATA)));
      });
      return 0;
    case WM_DESTROY:
      KillTimer(window, kFrameTimer);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK OwnAnimationProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return Guarded(LRESULT{0}, [&] { return HandleOwnAnimation(window, message, wparam, lparam); });
}

// The shell library, whose folder search an animation control reads frame by
// frame while it plays: held until the program ends, then given back.
HMODULE ShellLibrary() {
  static const ScopedModule shell(LoadSystemLibrary(L"shell32.dll"));
  return shell.get();
}

// The places of a wait window's parts at a DPI: the panel fills the window;
// inside its 10-pixel border (whose bevel takes the outer pixel) the
// animation at the left, a spacer, then the message.
struct WaitPlaces {
  SIZE window;
  RECT animation, label;
};

WaitPlaces PlacesAt(int dpi) {
  const int width = Scale(kWidth, dpi), height = Scale(kHeight, dpi);
  const int inner = Scale(kPanelBorder + 1, dpi);
  const int label_left = inner + Scale(kAnimationWidth + kSpacer, dpi);
  return WaitPlaces{
      SIZE{width, height},
      RECT{inner, inner, inner + Scale(kAnimationWidth, dpi), inner + Scale(kAnimationHeight, dpi)},
      RECT{label_left, inner, width - inner, height - inner}};
}

// A wait window's parts, kept so it can be laid out again when it comes to a
// monitor with another scale; owned by the window (its user data).
struct WaitParts {
  HWND panel = nullptr;
  HWND animation = nullptr;
  HWND label = nullptr;
  int dpi = kDesignDpi;
};

void Place(HWND control, const RECT& r) {
  SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// Creates the animation control: the shell's folder search (resource 150 of
// shell32.dll, frames 1 to 29, repeating, timer driven) where the system has
// it, else the program's own drawing. Either way it starts playing at once.
HWND CreateAnimation(HWND parent, const RECT& r) {
  const int width = r.right - r.left, height = r.bottom - r.top;
  HWND animate =
      CreateWindowExW(0, ANIMATE_CLASSW, L"Animate",
                      WS_CHILD | WS_VISIBLE | ACS_CENTER | ACS_TRANSPARENT | ACS_TIMER, r.left,
                      r.top, width, height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  HMODULE shell = ShellLibrary();
  if (animate && shell &&
      SendMessageW(animate, ACM_OPENW, reinterpret_cast<WPARAM>(shell),
                   reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(150))) &&
      SendMessageW(animate, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, kFrames - 1))) {
    return animate;
  }
  if (animate) DestroyWindow(animate);
  HWND own =
      CreateWindowExW(0, kOwnAnimationClass, L"Animate", WS_CHILD | WS_VISIBLE, r.left, r.top,
                      width, height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (own) SetTimer(own, kFrameTimer, 100, nullptr);
  return own;
}

// The window came to a monitor with another scale: the suggested rectangle
// keeps it where it was, the design gives the size of it and its parts.
void OnDpiChanged(HWND window, WaitParts& parts, int dpi, const RECT& suggested) {
  parts.dpi = dpi;
  WaitPlaces at = PlacesAt(dpi);
  SetWindowPos(window, nullptr, suggested.left, suggested.top, at.window.cx, at.window.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
  Place(parts.panel, RECT{0, 0, at.window.cx, at.window.cy});
  if (parts.animation) Place(parts.animation, at.animation);
  Place(parts.label, at.label);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT HandleWait(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* parts = reinterpret_cast<WaitParts*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
      if (item->CtlID != kLabelId) break;
      FillSolid(item->hDC, item->rcItem, kFace);
      SetBkMode(item->hDC, TRANSPARENT);
      SetTextColor(item->hDC, GetSysColor(COLOR_WINDOWTEXT));
      ScopedSelect font(item->hDC, UiFont(parts ? parts->dpi : WindowDpi(window)));
      DrawCentredText(item->hDC, item->rcItem, WindowText(item->hwndItem));
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
      SetBkColor(reinterpret_cast<HDC>(wparam), kFace);
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_ACTIVATE:
      // Keeps the rest of the program responsive while the box appears.
      if (LOWORD(wparam) != WA_INACTIVE) ProcessPendingMessages();
      return 0;
    case WM_DPICHANGED:
      if (!parts) break;
      OnDpiChanged(window, *parts, HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      // Only the window that the reference names clears it: a nested
      // command's window closing must not forget an outer one still shown.
      if (g_current == window) g_current = nullptr;
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      delete parts;
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK WaitProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return Guarded(LRESULT{0}, [&] { return HandleWait(window, message, wparam, lparam); });
}

// True when the wait window's class is there. Without the program's own
// animation class the window still shows, its animation missing only where
// the shell's is missing too.
bool RegisterClasses() {
  static const bool registered = [] {
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto init = ModuleFunction<InitFn>(CommonControlsLibrary(), "InitCommonControlsEx");
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_ANIMATE_CLASS};
    if (init) init(&icc);
    WNDCLASSEXW cls = {};
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, IDC_WAIT);
    cls.lpfnWndProc = OwnAnimationProc;
    cls.lpszClassName = kOwnAnimationClass;
    RegisterWindowClass(cls);
    cls.lpfnWndProc = WaitProc;
    cls.lpszClassName = kWaitClass;
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    return RegisterWindowClass(cls);
  }();
  return registered;
}

// Centred over the monitor of its owner, the main window, which need not be
// the primary one; at the owner's DPI, which is that monitor's.
HWND CreateWaitWindow(HWND owner, const std::wstring& text) {
  if (!RegisterClasses()) return nullptr;
  CommonControlsScope themed;
  auto parts = std::make_unique<WaitParts>();
  parts->dpi = owner ? WindowDpi(owner) : SystemDpi();
  const WaitPlaces at = PlacesAt(parts->dpi);
  ScreenPoint corner = CentredIn(MonitorOf(owner, MonitorArea::kWhole), at.window.cx, at.window.cy);
  HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, kWaitClass, L"TfWait", WS_POPUP, corner.x,
                                corner.y, at.window.cx, at.window.cy, owner, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (!window) return nullptr;
  parts->panel =
      CreatePanel(window, L"Panel1", Bevel::kFrame, kFace, 0, 0, at.window.cx, at.window.cy, 1);
  parts->animation = CreateAnimation(parts->panel, at.animation);
  const RECT& l = at.label;
  parts->label = CreateWindowExW(0, L"Static", text.c_str(), WS_CHILD | WS_VISIBLE | SS_OWNERDRAW,
                                 l.left, l.top, l.right - l.left, l.bottom - l.top, parts->panel,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLabelId)),
                                 GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(parts.release()));
  return window;
}

}  // namespace

WaitWindows::Handle Win32WaitWindows::Open(const std::string& text) {
  HWND window = CreateWaitWindow(owner_, Wide(text));
  if (!window) return 0;
  Handle handle = ++last_;
  windows_[handle] = window;
  g_current = window;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  ProcessPendingMessages();
  return handle;
}

void Win32WaitWindows::Close(Handle handle) {
  auto it = windows_.find(handle);
  if (it == windows_.end()) return;
  // The window may already be gone with its owner.
  if (IsWindow(it->second)) DestroyWindow(it->second);
  windows_.erase(it);
}

HWND CurrentWaitWindow() { return g_current; }

}  // namespace varnett
