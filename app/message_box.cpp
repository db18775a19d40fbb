#include "app/message_box.h"

#include <algorithm>
#include <vector>

#include "app/common_controls.h"
#include "app/dpi.h"
#include "app/error_barrier.h"
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

HWND AddControl(HWND dialog, const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x,
                int y, int w, int h, int dpi) {
  HWND control =
      CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, dialog,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(dpi)), FALSE);
  return control;
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

// Lays the box out in pixels from the size its text needs.
void BuildBox(HWND dialog, BoxRequest& request) {
  SetWindowTextW(dialog, request.title->c_str());
  const int dpi = WindowDpi(dialog);
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

  HWND icon = AddControl(dialog, L"Static", nullptr, SS_ICON | SS_REALSIZECONTROL, -1, margin,
                         margin, icon_size, icon_size, dpi);
  request.icon.Reset(LoadBoxIcon(request.kind, icon_size));
  SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(request.icon.get()), 0);
  int text_top = margin + (body_height - text.cy) / 2;
  AddControl(dialog, L"Static", request.text->c_str(), SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL,
             kTextId, text_left, text_top, text.cx + 1, text.cy, dpi);
  int x = (width - buttons_width) / 2;
  int y = height - margin - button_height;
  for (size_t i = 0; i < buttons.size(); ++i) {
    DWORD style = WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON | WS_GROUP : BS_PUSHBUTTON);
    AddControl(dialog, L"Button", buttons[i].caption, style, buttons[i].id, x, y, button_width,
               button_height, dpi);
    x += button_width + button_gap;
  }
  SendMessageW(dialog, DM_SETDEFID, buttons[0].id, 0);

  // Outer size from the client size; centred on the owner when it is on the
  // screen, otherwise on the screen.
  RECT outer = {0, 0, width, height};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  int outer_w = outer.right - outer.left;
  int outer_h = outer.bottom - outer.top;
  RECT area;
  if (request.owner && IsWindowVisible(request.owner) && !IsIconic(request.owner)) {
    GetWindowRect(request.owner, &area);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  int left = area.left + (area.right - area.left - outer_w) / 2;
  int top = area.top + (area.bottom - area.top - outer_h) / 2;
  SetWindowPos(dialog, HWND_TOP, left, top, outer_w, outer_h, 0);
  SetFocus(GetDlgItem(dialog, buttons[0].id));
}

INT_PTR HandleBox(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* request = reinterpret_cast<BoxRequest*>(lparam);
      SetWindowLongPtrW(dialog, DWLP_USER, static_cast<LONG_PTR>(request->kind));
      BuildBox(dialog, *request);
      return FALSE;  // focus was set on the first button
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      // A plain white face, like the main window.
      SetBkColor(reinterpret_cast<HDC>(wparam), RGB(255, 255, 255));
      return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
    case WM_COMMAND: {
      int id = LOWORD(wparam);
      auto kind = static_cast<BoxKind>(GetWindowLongPtrW(dialog, DWLP_USER));
      if (id == IDCANCEL) id = kind == BoxKind::kConfirmation ? IDNO : IDOK;
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
