#include "app/message_box.h"

#include <algorithm>
#include <vector>

#include "app/common_controls.h"
#include "app/dpi.h"
#include "app/error_barrier.h"
#include "app/monitor_area.h"
#include "app/scoped_gdi.h"
#include "app/ui_font.h"
#include "platform/win32/module_function.h"

namespace varnett {
namespace {

// Sizes in pixels at 96 DPI, scaled with the box's DPI.
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kMaxTextWidth = 420;
constexpr int kMinWidth = 220;
constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 0xFFFE;

struct BoxRequest {
  const std::wstring* text;
  const std::wstring* title;
  BoxKind kind;
  HWND owner;
  // The icon the box shows; the static control showing it does not own it.
  ScopedIcon icon;
};

struct ButtonSpec {
  int id;
  const wchar_t* caption;
};

std::vector<ButtonSpec> ButtonsOf(BoxKind kind) {
  if (kind == BoxKind::kConfirmation) return {{IDYES, L"&Yes"}, {IDNO, L"&No"}};
  return {{IDOK, L"OK"}};
}

const wchar_t* IconOf(BoxKind kind) {
  switch (kind) {
    case BoxKind::kConfirmation:
      return IDI_QUESTION;
    case BoxKind::kError:
      return IDI_ERROR;
    default:
      return IDI_INFORMATION;
  }
}

SIZE MeasureText(HWND dialog, const std::wstring& text, int dpi) {
  ScopedWindowDc dc(dialog);
  ScopedSelect font(dc.get(), UiFont(dpi));
  RECT r = {0, 0, Scale(kMaxTextWidth, dpi), 0};
  DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// The system's icon drawn for `size` pixels, not a 32-pixel one stretched;
// looked up in Common Controls 6.
HICON LoadBoxIcon(BoxKind kind, int size) {
  using LoadFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
  auto load = ModuleFunction<LoadFn>(CommonControlsLibrary(), "LoadIconWithScaleDown");
  HICON icon = nullptr;
  if (load && SUCCEEDED(load(nullptr, IconOf(kind), size, size, &icon))) return icon;
  return CopyIcon(LoadIconW(nullptr, IconOf(kind)));
}

void Place(HWND control, int x, int y, int width, int height, int dpi) {
  SetWindowPos(control, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(dpi)), FALSE);
}

// Lays the box's controls out at `dpi` from the size its text needs there,
// with an icon drawn for that size, and returns the outer size of the box.
SIZE LayOutBox(HWND dialog, BoxRequest& request, int dpi) {
  const int margin = Scale(kMargin, dpi), icon_size = Scale(kIconSize, dpi);
  const int button_width = Scale(kButtonWidth, dpi), button_height = Scale(kButtonHeight, dpi);
  const int button_gap = Scale(kButtonGap, dpi);
  SIZE text = MeasureText(dialog, *request.text, dpi);
  std::vector<ButtonSpec> buttons = ButtonsOf(request.kind);
  int buttons_width = static_cast<int>(buttons.size()) * (button_width + button_gap) - button_gap;
  int text_left = margin + icon_size + margin;
  int body_height = std::max<int>(text.cy, icon_size);
  int width = std::max<int>(text_left + text.cx + margin * 2, buttons_width + margin * 2);
  width = std::max(width, Scale(kMinWidth, dpi));
  int height = margin + body_height + margin + button_height + margin;

  HWND icon = GetDlgItem(dialog, kIconId);
  Place(icon, margin, margin, icon_size, icon_size, dpi);
  // The control shows the new icon before the old one goes.
  ScopedIcon drawn(LoadBoxIcon(request.kind, icon_size));
  SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(drawn.get()), 0);
  request.icon = std::move(drawn);
  Place(GetDlgItem(dialog, kTextId), text_left, margin + (body_height - text.cy) / 2, text.cx + 1,
        text.cy, dpi);
  int x = (width - buttons_width) / 2;
  int y = height - margin - button_height;
  for (const ButtonSpec& button : buttons) {
    Place(GetDlgItem(dialog, button.id), x, y, button_width, button_height, dpi);
    x += button_width + button_gap;
  }

  RECT outer = {0, 0, width, height};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

// Makes the box's controls (placed by LayOutBox) and centres the box on its
// owner when that is on the screen, otherwise on the work area of the
// owner's monitor.
void BuildBox(HWND dialog, BoxRequest& request) {
  SetWindowTextW(dialog, request.title->c_str());
  auto add = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
    CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  };
  add(L"Static", nullptr, SS_ICON | SS_REALSIZECONTROL, kIconId);
  add(L"Static", request.text->c_str(), SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, kTextId);
  std::vector<ButtonSpec> buttons = ButtonsOf(request.kind);
  for (size_t i = 0; i < buttons.size(); ++i)
    add(L"Button", buttons[i].caption,
        WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON | WS_GROUP : BS_PUSHBUTTON), buttons[i].id);
  SendMessageW(dialog, DM_SETDEFID, buttons[0].id, 0);
  SIZE size = LayOutBox(dialog, request, WindowDpi(dialog));

  ScreenRect area = MonitorOf(request.owner, MonitorArea::kWork);
  if (request.owner && IsWindowVisible(request.owner) && !IsIconic(request.owner)) {
    RECT r;
    GetWindowRect(request.owner, &r);
    area = ScreenRect{r.left, r.top, r.right, r.bottom};
  }
  ScreenPoint corner = CentredIn(area, size.cx, size.cy);
  SetWindowPos(dialog, HWND_TOP, corner.x, corner.y, size.cx, size.cy, 0);
  SetFocus(GetDlgItem(dialog, buttons[0].id));
}

// The box came to a monitor with another scale: laid out again there, its
// corner where the system suggests.
void OnDpiChanged(HWND dialog, BoxRequest& request, int dpi, const RECT& suggested) {
  SIZE size = LayOutBox(dialog, request, dpi);
  SetWindowPos(dialog, nullptr, suggested.left, suggested.top, size.cx, size.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

INT_PTR HandleBox(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* request = reinterpret_cast<BoxRequest*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      request = reinterpret_cast<BoxRequest*>(lparam);
      SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(request));
      BuildBox(dialog, *request);
      return FALSE;  // focus was set on the first button
    case WM_DPICHANGED:
      if (!request) return FALSE;
      OnDpiChanged(dialog, *request, HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      // A plain white face, like the main window.
      SetBkColor(reinterpret_cast<HDC>(wparam), RGB(255, 255, 255));
      return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
    case WM_COMMAND: {
      if (!request) return FALSE;
      int id = LOWORD(wparam);
      if (id == IDCANCEL) id = request->kind == BoxKind::kConfirmation ? IDNO : IDOK;
      if (id == IDOK || id == IDYES || id == IDNO) EndDialog(dialog, id);
      return TRUE;
    }
  }
  return FALSE;
}

INT_PTR CALLBACK BoxProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  return Guarded(INT_PTR{FALSE}, [&] { return HandleBox(dialog, message, wparam, lparam); });
}

// An empty in-memory dialog template: the controls are made in WM_INITDIALOG.
std::vector<WORD> EmptyTemplate() {
  std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
  auto* header = reinterpret_cast<DLGTEMPLATE*>(t.data());
  header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
  header->cdit = 0;
  header->cx = 100;
  header->cy = 50;
  return t;  // followed by: no menu, default class, empty title
}

}  // namespace

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& title, BoxKind kind) {
  // The request outlives the dialog, so its icon is destroyed after the
  // control that shows it.
  BoxRequest request{&text, &title, kind, owner, ScopedIcon()};
  CommonControlsScope themed;
  std::vector<WORD> layout = EmptyTemplate();
  INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                           reinterpret_cast<DLGTEMPLATE*>(layout.data()), owner,
                                           BoxProc, reinterpret_cast<LPARAM>(&request));
  if (result == IDYES || result == IDNO || result == IDOK) return static_cast<int>(result);
  return kind == BoxKind::kConfirmation ? IDNO : IDOK;
}

}  // namespace varnett
