#include "app/main_window.h"

#include <shellapi.h>
#include <windowsx.h>

#include <exception>
#include <string>
#include <vector>

#include "actions/process_helpers.h"
#include "app/control_ids.h"
#include "app/single_instance.h"
#include "app/skin_button.h"
#include "locator/install_locator.h"
#include "platform/text.h"
#include "platform/win32/centred_text.h"
#include "platform/win32/panel.h"
#include "platform/win32/ui_font.h"
#include "platform/win32/wide.h"
#include "text/cp949.h"
#include "text/integer_text.h"

namespace varnett {
namespace {

constexpr wchar_t kClass[] = L"TfMain";
constexpr wchar_t kCaption[] = L"Varnett Ver2.3";
constexpr wchar_t kSemaphore[] = L"KWM_Varnett";

// Designed place and size; FormShow sets the final size.
constexpr int kDesignedLeft = 408;
constexpr int kDesignedTop = 249;
constexpr int kDesignedWidth = 502;
constexpr int kDesignedHeight = 357;
constexpr int kWidth = 528;
constexpr int kFullHeight = 372;
constexpr int kShortHeight = 292;
constexpr int kNexonShift = 80;

constexpr int kCommandWidth = 94;
constexpr int kCommandHeight = 30;
constexpr int kHomeHeight = 63;
constexpr int kLabelWidth = 100;

// Where the banner's pictures sit inside Panel1 (inside its bevel).
constexpr POINT kImage1Origin = {1, 1};

std::wstring K(const char* utf8) { return Wide(Ko(utf8)); }

HWND CreateLabel(HWND parent, const std::wstring& text, int id, int x, int y, int w, int h) {
  return CreateWindowExW(0, L"Static", text.c_str(), WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, x, y, w,
                         h, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

void MoveUp(HWND control, int pixels) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  SetWindowPos(control, nullptr, r.left, r.top - pixels, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> args;
  int count = 0;
  LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!list) return args;
  for (int i = 0; i < count; ++i) args.push_back(Narrow(list[i]));
  LocalFree(list);
  return args;
}

}  // namespace

TfMain::TfMain(Win32Platform& platform, Application& application, const SkinTheme& theme)
    : platform_(platform),
      application_(application),
      theme_(theme),
      frame_(theme, SkinFrame::Actions{
                        [this] { PostMessageW(handle_, WM_CLOSE, 0, 0); },
                        [this] { application_.Minimize(); },
                        [this] { ShowSystemMenu(); },
                    }),
      commands_(platform.View(), paths, drives) {}

TfMain::~TfMain() {
  if (banner_) DeleteObject(banner_);
  if (picture_) DeleteObject(picture_);
}

bool TfMain::Create(HINSTANCE instance) {
  icon_ = LoadIconW(instance, L"MAINICON");
  banner_ = static_cast<HBITMAP>(
      LoadImageW(instance, L"BANNER", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  picture_ = static_cast<HBITMAP>(
      LoadImageW(instance, L"PICTURE", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));

  WNDCLASSW cls = {};
  cls.style = CS_DBLCLKS;
  cls.lpfnWndProc = Proc;
  cls.hInstance = instance;
  cls.hIcon = icon_;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.lpszClassName = kClass;
  RegisterClassW(&cls);
  handle_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClass, kCaption,
                            WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX, kDesignedLeft,
                            kDesignedTop, kDesignedWidth, kDesignedHeight, application_.handle(),
                            nullptr, instance, this);
  if (!handle_) return false;
  platform_.dialogs.owner = handle_;
  platform_.waits.owner = handle_;
  application_.SetMainWindow(handle_);
  CreateControls();
  try {
    FormCreate();
  } catch (const std::exception& e) {
    application_.ShowException(e.what());
  }
  return true;
}

void TfMain::CreateControls() {
  HWND w = handle_;
  // Creation order is the tab order: Netmarble section, banner, then the
  // home-page button and the Nexon section.
  Label3 = CreateLabel(w, K("넷마블 서든어택"), kLabel3, 11, 209, kLabelWidth, kCommandHeight);
  Netmarble_Button1 = CreateSkinButton(w, K("서든폴더 열기").c_str(), kNetmarbleButton1, 115, 209,
                                       kCommandWidth, kCommandHeight);
  Netmarble_Button2 = CreateSkinButton(w, K("스크린샷 열기").c_str(), kNetmarbleButton2, 212, 209,
                                       kCommandWidth, kCommandHeight);
  Netmarble_Button3 = CreateSkinButton(w, K("서든어택 초기화").c_str(), kNetmarbleButton3, 115, 242,
                                       kCommandWidth, kCommandHeight);
  Netmarble_Button4 = CreateSkinButton(w, K("스크린샷 삭제").c_str(), kNetmarbleButton4, 212, 242,
                                       kCommandWidth, kCommandHeight);

  Panel1 = CreatePanel(w, L"", Bevel::kLowered, theme_.face, 11, 36, 492, 164, kPanel1);
  Image1 = CreateLabel(Panel1, L"", kImage1, kImage1Origin.x, kImage1Origin.y, 490, 162);
  Label1 = CreateLabel(Panel1,
                       K("서든어택 도우미입니다. 장시간의 게임은 건강에 해룹습니다. 즐거운 "
                         "게임을 위해 적당한 휴식을...^^"),
                       kLabel1, 359, 66, 123, 89);
  Label2 = CreateLabel(Panel1, K("PC방 서버"), kLabel2, 386, 3, 74, 20);
  Image2 = CreateLabel(Panel1, L"", kImage2, 1, 1, 352, 162);
  // Image1 lies beneath the others.
  SetWindowPos(Image1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (HWND child : {Image1, Label1, Label2, Image2})
    SetWindowLongPtrW(child, GWL_STYLE, GetWindowLongPtrW(child, GWL_STYLE) | WS_CLIPSIBLINGS);

  Button7 =
      CreateSkinButton(w, K("서든어택").c_str(), kButton7, 408, 209, kCommandWidth, kHomeHeight);
  Label4 = CreateLabel(w, K("넥슨 서든어택"), kLabel4, 11, 289, kLabelWidth, kCommandHeight);
  Nexon_Button1 = CreateSkinButton(w, K("서든폴더 열기").c_str(), kNexonButton1, 115, 289,
                                   kCommandWidth, kCommandHeight);
  Nexon_Button2 = CreateSkinButton(w, K("스크린샷 열기").c_str(), kNexonButton2, 212, 289,
                                   kCommandWidth, kCommandHeight);
  Nexon_Button3 = CreateSkinButton(w, K("서든어택 초기화").c_str(), kNexonButton3, 115, 322,
                                   kCommandWidth, kCommandHeight);
  Nexon_Button4 = CreateSkinButton(w, K("스크린샷 삭제").c_str(), kNexonButton4, 212, 322,
                                   kCommandWidth, kCommandHeight);
  Button10 =
      CreateSkinButton(w, K("서든어택").c_str(), kButton10, 408, 289, kCommandWidth, kHomeHeight);
  bottom_edge_ = CreateBottomEdge(w, theme_);
}

// --- window events ---------------------------------------------------------

void TfMain::FormCreate() {
  IsFirstInstance = !IsAlreadyRunning(WindowText(handle_), kSemaphore);
  std::vector<std::string> args = CommandLineArguments();
  drives = VirtualDriveSet{};
  if (args.size() < 3) {
    centre_ = true;
    return;
  }
  // Each coordinate is applied as soon as it is read, so a bad second
  // argument still leaves the first one in effect.
  centre_ = false;
  int top = StrToInt(args[1]);
  SetWindowPos(handle_, nullptr, kDesignedLeft, top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  int left = StrToInt(args[2]);
  SetWindowPos(handle_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfMain::FormShow() {
  if (!IsFirstInstance) {
    application_.Terminate();
    return;
  }
  Platform view = platform_.View();
  InstallLocator(view).Run(paths);
  SetOuterSize(kWidth, kFullHeight);
  ApplyStateRules();
}

void TfMain::ApplyStateRules() {
  bool netmarble = !IsBlank(paths.NetmarbleFolder);
  bool nexon = !IsBlank(paths.NexonFolder);
  HWND netmarble_buttons[] = {Netmarble_Button1, Netmarble_Button2, Netmarble_Button3,
                              Netmarble_Button4};
  HWND nexon_buttons[] = {Nexon_Button1, Nexon_Button2, Nexon_Button3, Nexon_Button4};
  if (!netmarble && !nexon) {
    for (HWND b : netmarble_buttons) EnableWindow(b, FALSE);
    for (HWND b : nexon_buttons) EnableWindow(b, FALSE);
    platform_.dialogs.Information(
        Ko("\r\n게임을 찾을 수 없습니다. 게임의 설치여부를 확인해 주십시오."));
  } else if (netmarble && !nexon) {
    for (HWND b : nexon_buttons) EnableWindow(b, FALSE);
    SetOuterSize(kWidth, kShortHeight);
  } else if (!netmarble && nexon) {
    for (HWND b : netmarble_buttons) EnableWindow(b, FALSE);
    ShowWindow(Label3, SW_HIDE);
    for (HWND b : netmarble_buttons) ShowWindow(b, SW_HIDE);
    MoveUp(Label4, kNexonShift);
    for (HWND b : nexon_buttons) MoveUp(b, kNexonShift);
    SetOuterSize(kWidth, kShortHeight);
  } else {
    SetWindowTextW(Button7, K("넷마블\r\n서든어택\r\n홈페이지").c_str());
    SetWindowTextW(Button10, K("넥슨\r\n서든어택\r\n홈페이지").c_str());
  }
}

void TfMain::FormClose() {
  Platform view = platform_.View();
  RemoveVirtualDrives(view, drives);
}

void TfMain::FormDestroy() {
  // The file beside the program named like it with ".log" appended; any
  // failure is nobody's business.
  try {
    std::string path = platform_.environment.ExecutablePath();
    Platform view = platform_.View();
    if (!path.empty()) ShellDeleteFile(view, path + ".log");
  } catch (...) {
  }
}

void TfMain::Show() {
  try {
    FormShow();
  } catch (const std::exception& e) {
    application_.ShowException(e.what());
  }
  if (application_.terminated()) return;
  if (centre_) {
    RECT r;
    GetWindowRect(handle_, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    SetWindowPos(handle_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(application_.handle(), SW_SHOWNORMAL);
  ShowWindow(handle_, SW_SHOWNORMAL);
  SetForegroundWindow(handle_);
  UpdateWindow(handle_);
}

void TfMain::SetOuterSize(int width, int height) {
  SetWindowPos(handle_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- button commands ---------------------------------------------------------

void TfMain::Netmarble_Button1Click() {
  commands_.OpenGameFolder(GameEdition::kNetmarble, reinterpret_cast<WindowHandle>(handle_));
}
void TfMain::Netmarble_Button2Click() {
  commands_.OpenScreenshotFolder(reinterpret_cast<WindowHandle>(handle_));
}
void TfMain::Netmarble_Button3Click() { commands_.ResetGame(GameEdition::kNetmarble); }
void TfMain::Netmarble_Button4Click() { commands_.DeleteScreenshots(); }
void TfMain::Button7Click() { commands_.OpenHomePage(GameEdition::kNetmarble); }
void TfMain::Nexon_Button1Click() {
  commands_.OpenGameFolder(GameEdition::kNexon, reinterpret_cast<WindowHandle>(handle_));
}
void TfMain::Nexon_Button3Click() { commands_.ResetGame(GameEdition::kNexon); }
void TfMain::Button10Click() { commands_.OpenHomePage(GameEdition::kNexon); }

void TfMain::OnCommand(int id) {
  switch (id) {
    case kNetmarbleButton1:
      return Netmarble_Button1Click();
    case kNetmarbleButton2:
    case kNexonButton2:  // the screenshot folder is the user's, not an edition's
      return Netmarble_Button2Click();
    case kNetmarbleButton3:
      return Netmarble_Button3Click();
    case kNetmarbleButton4:
    case kNexonButton4:
      return Netmarble_Button4Click();
    case kButton7:
      return Button7Click();
    case kNexonButton1:
      return Nexon_Button1Click();
    case kNexonButton3:
      return Nexon_Button3Click();
    case kButton10:
      return Button10Click();
  }
}

// --- painting ------------------------------------------------------------

void TfMain::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(handle_, &ps);
  RECT r;
  GetClientRect(handle_, &r);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, r.right, r.bottom);
  HGDIOBJ old = SelectObject(memory, bitmap);
  frame_.Paint(handle_, memory, icon_);
  BitBlt(dc, 0, 0, r.right, r.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(handle_, &ps);
}

void TfMain::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlType == ODT_BUTTON) return DrawSkinButton(theme_, item);
  if (item.hwndItem == Label3 || item.hwndItem == Label4) {
    HBRUSH face = CreateSolidBrush(theme_.face);
    FillRect(item.hDC, &item.rcItem, face);
    DeleteObject(face);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ old = SelectObject(item.hDC, UiBoldFont());
    std::wstring text = WindowText(item.hwndItem);
    RECT box = item.rcItem;
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &box,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(item.hDC, old);
    return;
  }
  DrawBannerItem(item);
}

void TfMain::DrawBannerItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  HDC source = CreateCompatibleDC(dc);
  if (item.hwndItem == Image2) {
    // The 355 x 165 picture stretched to its 352 x 162 control.
    if (picture_) {
      HGDIOBJ old = SelectObject(source, picture_);
      BITMAP info;
      GetObjectW(picture_, sizeof info, &info);
      SetStretchBltMode(dc, HALFTONE);
      SetBrushOrgEx(dc, 0, 0, nullptr);
      StretchBlt(dc, 0, 0, r.right, r.bottom, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
      SelectObject(source, old);
    }
    DeleteDC(source);
    return;
  }
  // Image1, and the transparent labels over it, which show the part of the
  // banner beneath them.
  RECT place;
  GetWindowRect(item.hwndItem, &place);
  MapWindowPoints(HWND_DESKTOP, Panel1, reinterpret_cast<POINT*>(&place), 2);
  if (banner_) {
    HGDIOBJ old = SelectObject(source, banner_);
    BitBlt(dc, 0, 0, r.right, r.bottom, source, place.left - kImage1Origin.x,
           place.top - kImage1Origin.y, SRCCOPY);
    SelectObject(source, old);
  } else {
    HBRUSH face = CreateSolidBrush(theme_.title_bottom);
    FillRect(dc, &r, face);
    DeleteObject(face);
  }
  DeleteDC(source);
  if (item.hwndItem == Image1) return;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, item.hwndItem == Label2 ? RGB(255, 255, 255) : GetSysColor(COLOR_WINDOWTEXT));
  HGDIOBJ old = SelectObject(dc, UiFont());
  DrawCentredText(dc, r, WindowText(item.hwndItem));
  SelectObject(dc, old);
}

void TfMain::ShowSystemMenu() {
  RECT box = frame_.PartRect(handle_, FramePart::kControlBox);
  POINT p = {box.left, box.bottom};
  ClientToScreen(handle_, &p);
  HMENU menu = GetSystemMenu(handle_, FALSE);
  int command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, p.x, p.y, 0,
                               handle_, nullptr);
  if (command) PostMessageW(handle_, WM_SYSCOMMAND, static_cast<WPARAM>(command), 0);
}

// --- plumbing ------------------------------------------------------------

LRESULT TfMain::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (frame_.Handle(handle_, message, wparam, lparam, &result)) return result;
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED && lparam) {
        OnCommand(LOWORD(wparam));
      } else if (LOWORD(wparam) == IDOK) {
        // Enter presses the button that has the focus.
        HWND focus = GetFocus();
        if (focus && GetParent(focus) == handle_ && IsWindowEnabled(focus))
          SendMessageW(focus, BM_CLICK, 0, 0);
      }
      return 0;
    case WM_SYSCOMMAND:
      switch (wparam & 0xFFF0) {
        case SC_MINIMIZE:
          application_.Minimize();
          return 0;
        case SC_MAXIMIZE:
          return 0;
      }
      break;
    case WM_SIZE:
      if (bottom_edge_) PlaceBottomEdge(handle_, bottom_edge_);
      // Another copy of the program, or the taskbar, restored the window:
      // bring the taskbar entry back with it.
      if (wparam == SIZE_RESTORED && IsIconic(application_.handle()))
        ShowWindow(application_.handle(), SW_RESTORE);
      break;
    case WM_CLOSE:
      FormClose();
      DestroyWindow(handle_);
      return 0;
    case WM_DESTROY:
      FormDestroy();
      application_.Terminate();
      return 0;
  }
  return DefWindowProcW(handle_, message, wparam, lparam);
}

LRESULT CALLBACK TfMain::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TfMain*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TfMain*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wparam, lparam);
  return self->OnMessage(message, wparam, lparam);
}

}  // namespace varnett
