#include "app/main_window.h"

#include <shellapi.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "app/buffered_paint.h"
#include "app/centred_text.h"
#include "app/centring.h"
#include "app/control_ids.h"
#include "app/dpi.h"
#include "app/error_barrier.h"
#include "app/integer_text.h"
#include "app/panel.h"
#include "app/single_instance.h"
#include "app/skin_button.h"
#include "app/ui_font.h"
#include "app/window_class.h"
#include "locator/install_locator.h"
#include "platform/win32/scoped_handle.h"
#include "text/conversions.h"
#include "text/cp949.h"
#include "text/system_path.h"
#include "text/win32/wide.h"

namespace varnett {
namespace {

constexpr wchar_t kClass[] = L"TfMain";
constexpr wchar_t kCaption[] = L"Varnett Ver2.3";

// Designed place and size (at 96 DPI, like every size below); FormShow sets
// the final size.
constexpr int kDesignedLeft = 408;
constexpr int kDesignedTop = 249;
constexpr int kDesignedWidth = 502;
constexpr int kDesignedHeight = 357;

constexpr int kCommandWidth = 94;
constexpr int kCommandHeight = 30;
constexpr int kHomeHeight = 63;
constexpr int kLabelWidth = 100;

// Posted when the last running command ends after a close was asked for.
constexpr UINT kCloseWhenIdle = WM_APP + 1;

// Where the banner's pictures sit inside Panel1 (inside its bevel).
constexpr POINT kImage1Origin = {1, 1};

std::wstring K(const char* utf8) { return Wide(Ko(utf8)); }

// Labels yield to the siblings they overlap (the banner beneath them, the
// frame's bottom edge).
HWND CreateLabel(HWND parent, const std::wstring& text, int id, int x, int y, int w, int h) {
  return CreateWindowExW(0, L"Static", text.c_str(),
                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_OWNERDRAW, x, y, w, h, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

// The banner drawn once at `size` with halftone filtering, so the labels over
// it and Image1 copy from one picture with the window's pixels.
ScopedBitmap ScaledCopy(HBITMAP source, SIZE size) {
  ScopedWindowDc screen(nullptr);
  ScopedBitmap scaled(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
  if (!scaled || !source) return scaled;
  BITMAP info;
  GetObjectW(source, sizeof info, &info);
  ScopedDc from(CreateCompatibleDC(screen.get())), to(CreateCompatibleDC(screen.get()));
  ScopedSelect from_selected(from.get(), source), to_selected(to.get(), scaled.get());
  SetStretchBltMode(to.get(), HALFTONE);
  SetBrushOrgEx(to.get(), 0, 0, nullptr);
  StretchBlt(to.get(), 0, 0, size.cx, size.cy, from.get(), 0, 0, info.bmWidth, info.bmHeight,
             SRCCOPY);
  return scaled;
}

std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> args;
  int count = 0;
  ScopedLocalMemory<LPWSTR> list(CommandLineToArgvW(GetCommandLineW(), &count));
  if (!list) return args;
  for (int i = 0; i < count; ++i) args.push_back(Narrow(list.get()[i]));
  return args;
}

}  // namespace

TfMain::TfMain(Win32Platform& platform, Application& application, const SkinTheme& theme,
               LocatorThread* locator)
    : platform_(platform),
      application_(application),
      theme_(theme),
      locator_(locator),
      frame_(theme, SkinFrame::Actions{
                        [this] { PostMessageW(handle_, WM_CLOSE, 0, 0); },
                        [this] { application_.Minimize(); },
                        [this] { ShowSystemMenu(); },
                    }) {}

TfMain::~TfMain() = default;

bool TfMain::Create(HINSTANCE instance) {
  icon_ = LoadIconW(instance, L"MAINICON");
  banner_.Reset(static_cast<HBITMAP>(
      LoadImageW(instance, L"BANNER", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  picture_.Reset(static_cast<HBITMAP>(
      LoadImageW(instance, L"PICTURE", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));

  WNDCLASSEXW cls = {};
  cls.style = CS_DBLCLKS;
  cls.lpfnWndProc = Proc;
  cls.hInstance = instance;
  cls.hIcon = icon_;
  cls.hIconSm = SmallProgramIcon(instance);
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.lpszClassName = kClass;
  if (!RegisterWindowClass(cls)) return false;
  // Made at the system's DPI; the monitor it lands on may have another one.
  int dpi = SystemDpi();
  designed_size_ = SIZE{kDesignedWidth, kDesignedHeight};
  handle_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClass, kCaption,
                            WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX,
                            Scale(kDesignedLeft, dpi), Scale(kDesignedTop, dpi),
                            Scale(kDesignedWidth, dpi), Scale(kDesignedHeight, dpi),
                            application_.handle(), nullptr, instance, this);
  if (!handle_) return false;
  dpi_ = WindowDpi(handle_);
  if (dpi_ != dpi)
    SetWindowPos(handle_, nullptr, Scale(kDesignedLeft, dpi_), Scale(kDesignedTop, dpi_),
                 Scale(kDesignedWidth, dpi_), Scale(kDesignedHeight, dpi_),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  dialogs_.emplace(handle_);
  waits_.emplace(handle_);
  commands_.emplace(FolderCommandsSystem{platform_.files, *dialogs_, *waits_, platform_.processes,
                                         platform_.drives, platform_.text_case, platform_.clock},
                    paths, drives);
  application_.SetMainWindow(handle_);
  CreateControls();
  ScaleBanner();
  Guarded([&] { FormCreate(); });
  return true;
}

void TfMain::CreateControls() {
  HWND w = handle_;
  // Creation order is the tab order: Netmarble section, banner, then the
  // home-page button and the Nexon section. Each control is made at its
  // designed place scaled to the window's DPI, with its style and font final:
  // each change after creation costs a round of messages at start.
  auto s = [&](int designed) { return Scale(designed, dpi_); };
  auto label = [&](HWND parent, const std::wstring& text, int id, int x, int y, int width,
                   int height) {
    HWND control = CreateLabel(parent, text, id, s(x), s(y), s(width), s(height));
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(dpi_)), FALSE);
    return Keep(control, x, y, width, height);
  };
  auto button = [&](const std::wstring& caption, int id, int x, int y, int height) {
    return Keep(CreateSkinButton(w, caption.c_str(), id, s(x), s(y), s(kCommandWidth), s(height)),
                x, y, kCommandWidth, height);
  };
  Label3 = label(w, K("넷마블 서든어택"), kLabel3, 11, 209, kLabelWidth, kCommandHeight);
  Netmarble_Button1 = button(K("서든폴더 열기"), kNetmarbleButton1, 115, 209, kCommandHeight);
  Netmarble_Button2 = button(K("스크린샷 열기"), kNetmarbleButton2, 212, 209, kCommandHeight);
  Netmarble_Button3 = button(K("서든어택 초기화"), kNetmarbleButton3, 115, 242, kCommandHeight);
  Netmarble_Button4 = button(K("스크린샷 삭제"), kNetmarbleButton4, 212, 242, kCommandHeight);

  Panel1 =
      Keep(CreatePanel(w, L"", Bevel::kLowered, theme_.face, s(11), s(36), s(492), s(164), kPanel1),
           11, 36, 492, 164);
  Image1 = label(Panel1, L"", kImage1, kImage1Origin.x, kImage1Origin.y, 490, 162);
  Label1 = label(Panel1,
                 K("서든어택 도우미입니다. 장시간의 게임은 건강에 해룹습니다. 즐거운 "
                   "게임을 위해 적당한 휴식을...^^"),
                 kLabel1, 359, 66, 123, 89);
  Label2 = label(Panel1, K("PC방 서버"), kLabel2, 386, 3, 74, 20);
  Image2 = label(Panel1, L"", kImage2, 1, 1, 352, 162);
  // Image1 lies beneath the others.
  SetWindowPos(Image1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  Button7 = button(K("서든어택"), kButton7, 408, 209, kHomeHeight);
  Label4 = label(w, K("넥슨 서든어택"), kLabel4, 11, 289, kLabelWidth, kCommandHeight);
  Nexon_Button1 = button(K("서든폴더 열기"), kNexonButton1, 115, 289, kCommandHeight);
  Nexon_Button2 = button(K("스크린샷 열기"), kNexonButton2, 212, 289, kCommandHeight);
  Nexon_Button3 = button(K("서든어택 초기화"), kNexonButton3, 115, 322, kCommandHeight);
  Nexon_Button4 = button(K("스크린샷 삭제"), kNexonButton4, 212, 322, kCommandHeight);
  Button10 = button(K("서든어택"), kButton10, 408, 289, kHomeHeight);
  bottom_edge_ = CreateBottomEdge(w, theme_);
}

HWND TfMain::Keep(HWND control, int x, int y, int width, int height) {
  placements_.push_back(Placement{control, RECT{x, y, x + width, y + height}});
  return control;
}

void TfMain::MoveUp(HWND control, int designed_pixels) {
  for (Placement& p : placements_) {
    if (p.control != control) continue;
    OffsetRect(&p.designed, 0, -designed_pixels);
    SetWindowPos(control, nullptr, Scale(p.designed.left, dpi_), Scale(p.designed.top, dpi_), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TfMain::SetOuterSize(int width, int height) {
  designed_size_ = SIZE{width, height};
  SetWindowPos(handle_, nullptr, 0, 0, Scale(width, dpi_), Scale(height, dpi_),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A control reaching below the lower edge is out of the user's reach, so
  // hidden: no click, no Tab, arrow key or mnemonic of dialog navigation
  // reaches a hidden control. In both short layouts such controls begin
  // under the frame's edge strip, so nothing on the screen changes.
  for (const Placement& p : placements_) {
    if (GetParent(p.control) != handle_ || p.designed.bottom <= height) continue;
    ShowWindow(p.control, SW_HIDE);
  }
}

// Puts every control at its designed place and size scaled to `dpi`, with the
// fonts and the banner of that DPI.
void TfMain::ApplyDpi(int dpi) {
  dpi_ = dpi;
  for (const Placement& p : placements_) {
    const RECT& d = p.designed;
    SetWindowPos(p.control, nullptr, Scale(d.left, dpi), Scale(d.top, dpi),
                 Scale(d.right - d.left, dpi), Scale(d.bottom - d.top, dpi),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(p.control, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(dpi)), FALSE);
  }
  ScaleBanner();
  if (bottom_edge_) PlaceBottomEdge(handle_, bottom_edge_);
}

void TfMain::ScaleBanner() {
  scaled_banner_.Reset();
  if (dpi_ != kDesignDpi && banner_)
    scaled_banner_ = ScaledCopy(banner_.get(), SIZE{Scale(490, dpi_), Scale(162, dpi_)});
}

// The window moved to a monitor with another scale: the suggested rectangle
// keeps it where the user put it, the design gives the size.
void TfMain::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  SetWindowPos(handle_, nullptr, suggested.left, suggested.top, Scale(designed_size_.cx, dpi),
               Scale(designed_size_.cy, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyDpi(dpi);
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// --- window events ---------------------------------------------------------

void TfMain::FormCreate() {
  IsFirstInstance = !IsAlreadyRunning(WindowText(handle_), kSingleInstanceSemaphore);
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
  SetWindowPos(handle_, nullptr, Scale(kDesignedLeft, dpi_), top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  int left = StrToInt(args[2]);
  SetWindowPos(handle_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfMain::FormShow() {
  if (!IsFirstInstance) {
    application_.Terminate();
    return;
  }
  // The boxes of a run ahead are shown now, owned by this window, which is
  // still hidden, as those of a run here would be.
  if (!locator_ || !locator_->TakeResults(*dialogs_, paths))
    InstallLocator({platform_.environment, platform_.registry, platform_.files, *dialogs_})
        .Run(paths);
  SetOuterSize(kWindowWidth, kFullHeight);
  ApplyState(StateFor(!IsBlank(paths.NetmarbleFolder), !IsBlank(paths.NexonFolder)));
}

void TfMain::ApplyState(const WindowState& state) {
  struct Section {
    const SectionState& state;
    HWND label;
    HWND buttons[4];
    HWND home;
  } sections[] = {
      {state.netmarble,
       Label3,
       {Netmarble_Button1, Netmarble_Button2, Netmarble_Button3, Netmarble_Button4},
       Button7},
      {state.nexon, Label4, {Nexon_Button1, Nexon_Button2, Nexon_Button3, Nexon_Button4}, Button10},
  };
  for (const Section& section : sections) {
    for (HWND b : section.buttons) EnableWindow(b, section.state.enabled);
    if (!section.state.visible) {
      ShowWindow(section.label, SW_HIDE);
      for (HWND b : section.buttons) ShowWindow(b, SW_HIDE);
    }
    if (section.state.raise) {
      MoveUp(section.label, section.state.raise);
      for (HWND b : section.buttons) MoveUp(b, section.state.raise);
    }
    SetWindowTextW(section.home, Wide(section.state.home_caption).c_str());
  }
  SetOuterSize(kWindowWidth, state.height);
  if (!state.notice.empty()) dialogs_->Information(state.notice);
}

void TfMain::FormClose() { RemoveVirtualDrives(platform_.processes, drives); }

void TfMain::RequestClose() {
  // The removal of the drives processes messages while it waits: a second
  // request met there is the same close.
  if (closing_) return;
  closing_ = true;
  if (running_commands_ == 0) Close();
}

void TfMain::Close() {
  FormClose();
  DestroyWindow(handle_);
}

void TfMain::FormDestroy() {
  // The file beside the program named like it with ".log" appended, and
  // only a plain file of that name: a folder or a link there may be anyone's.
  // Any failure is nobody's business.
  try {
    const std::string path = platform_.environment.ExecutablePath();
    if (!path.empty() && IsExactSystemPath(path + ".log"))
      platform_.files.RemovePlainFile(path + ".log");
  } catch (...) {
  }
}

void TfMain::Show() {
  Guarded([&] { FormShow(); });
  if (application_.terminated()) return;
  if (centre_) {
    RECT r;
    GetWindowRect(handle_, &r);
    ScreenPoint corner =
        CentredIn(ScreenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                  r.right - r.left, r.bottom - r.top);
    SetWindowPos(handle_, nullptr, corner.x, corner.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(handle_, SW_SHOWNORMAL);
  // The taskbar entry follows, without taking the activation: activating
  // both windows doubled the work of the first show, and the window the user
  // waits for comes first.
  ShowWindow(application_.handle(), SW_SHOWNOACTIVATE);
  SetForegroundWindow(handle_);
  UpdateWindow(handle_);
}

// As in a dialog, the focus given to the window goes on to a control: the one
// that had it when the window was last left, or else the first enabled one in
// tab order, so Enter presses a button from the first moment.
void TfMain::PassFocusOn() {
  HWND target = focus_;
  if (!target || !IsChild(handle_, target) || !IsWindowVisible(target) || !IsWindowEnabled(target))
    target = GetNextDlgTabItem(handle_, nullptr, FALSE);
  if (target) SetFocus(target);
}

// --- button commands ---------------------------------------------------------

void TfMain::Netmarble_Button1Click() {
  commands_->OpenGameFolder(GameEdition::kNetmarble, reinterpret_cast<WindowHandle>(handle_));
}
void TfMain::Netmarble_Button2Click() {
  commands_->OpenScreenshotFolder(reinterpret_cast<WindowHandle>(handle_));
}
void TfMain::Netmarble_Button3Click() { commands_->ResetGame(GameEdition::kNetmarble); }
void TfMain::Netmarble_Button4Click() { commands_->DeleteScreenshots(); }
void TfMain::Button7Click() {
  commands_->OpenHomePage(GameEdition::kNetmarble,
                          reinterpret_cast<WindowHandle>(application_.handle()));
}
void TfMain::Nexon_Button1Click() {
  commands_->OpenGameFolder(GameEdition::kNexon, reinterpret_cast<WindowHandle>(handle_));
}
void TfMain::Nexon_Button3Click() { commands_->ResetGame(GameEdition::kNexon); }
void TfMain::Button10Click() {
  commands_->OpenHomePage(GameEdition::kNexon,
                          reinterpret_cast<WindowHandle>(application_.handle()));
}

void TfMain::OnCommand(int id) {
  // Once closing has begun, a command could only make a drive that nothing
  // removes any more.
  if (closing_) return;
  ++running_commands_;
  Guarded([&] { RunCommand(id); });
  --running_commands_;
  if (running_commands_ == 0 && closing_) PostMessageW(handle_, kCloseWhenIdle, 0, 0);
}

void TfMain::RunCommand(int id) {
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
  PaintBuffered(handle_, [&](HDC dc, const RECT&) { frame_.Paint(handle_, dc, icon_); });
}

void TfMain::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlType == ODT_BUTTON) return DrawSkinButton(theme_, item);
  if (item.hwndItem == Label3 || item.hwndItem == Label4) {
    FillSolid(item.hDC, item.rcItem, theme_.face);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_WINDOWTEXT));
    ScopedSelect font(item.hDC, UiBoldFont(dpi_));
    std::wstring text = WindowText(item.hwndItem);
    RECT box = item.rcItem;
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &box,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    return;
  }
  DrawBannerItem(item);
}

void TfMain::DrawBannerItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  ScopedDc source(CreateCompatibleDC(dc));
  if (item.hwndItem == Image2) {
    // The 355 x 165 picture stretched to its control (352 x 162 at 96 DPI)
    // with halftone filtering.
    if (picture_) {
      ScopedSelect selected(source.get(), picture_.get());
      BITMAP info;
      GetObjectW(picture_.get(), sizeof info, &info);
      SetStretchBltMode(dc, HALFTONE);
      SetBrushOrgEx(dc, 0, 0, nullptr);
      StretchBlt(dc, 0, 0, r.right, r.bottom, source.get(), 0, 0, info.bmWidth, info.bmHeight,
                 SRCCOPY);
    }
    return;
  }
  // Image1, and the transparent labels over it, which show the part of the
  // banner beneath them.
  RECT place;
  GetWindowRect(item.hwndItem, &place);
  MapWindowPoints(HWND_DESKTOP, Panel1, reinterpret_cast<POINT*>(&place), 2);
  HBITMAP banner = scaled_banner_ ? scaled_banner_.get() : banner_.get();
  if (banner) {
    ScopedSelect selected(source.get(), banner);
    BitBlt(dc, 0, 0, r.right, r.bottom, source.get(), place.left - Scale(kImage1Origin.x, dpi_),
           place.top - Scale(kImage1Origin.y, dpi_), SRCCOPY);
  } else {
    FillSolid(dc, r, theme_.title_bottom);
  }
  if (item.hwndItem == Image1) return;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, item.hwndItem == Label2 ? RGB(255, 255, 255) : GetSysColor(COLOR_WINDOWTEXT));
  ScopedSelect font(dc, UiFont(dpi_));
  DrawCentredText(dc, r, WindowText(item.hwndItem));
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
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(handle_, focus)) focus_ = focus;
      }
      break;  // activation sets the focus on the window, which passes it on
    case WM_SETFOCUS:
      PassFocusOn();
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_SIZE:
      if (bottom_edge_) PlaceBottomEdge(handle_, bottom_edge_);
      // Another copy of the program, or the taskbar, restored the window:
      // bring the taskbar entry back with it.
      if (wparam == SIZE_RESTORED && IsIconic(application_.handle()))
        ShowWindow(application_.handle(), SW_RESTORE);
      break;
    case WM_CLOSE:
      RequestClose();
      return 0;
    case kCloseWhenIdle:
      Close();
      return 0;
    case WM_DESTROY:
      FormDestroy();
      application_.Terminate();
      return 0;
  }
  return DefWindowProcW(handle_, message, wparam, lparam);
}

LRESULT CALLBACK TfMain::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return Guarded(LRESULT{0}, [&] { return Handle(window, message, wparam, lparam); });
}

LRESULT TfMain::Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
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
