#include "app/main_window.h"

#include <shellapi.h>
#include <windowsx.h>

#include <iterator>
#include <string>
#include <vector>

#include "app/buffered_paint.h"
#include "app/centred_text.h"
#include "app/centring.h"
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

// Posted when the last running command ends after a close was asked for.
constexpr UINT kCloseWhenIdle = WM_APP + 1;

std::wstring K(const char* utf8) { return Wide(Ko(utf8)); }

// Labels yield to the siblings they overlap (the banner beneath them, the
// frame's bottom edge).
HWND CreateLabel(HWND parent, const std::wstring& text, int id, int x, int y, int w, int h) {
  return CreateWindowExW(0, L"Static", text.c_str(),
                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_OWNERDRAW, x, y, w, h, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
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

MainWindow::MainWindow(Win32Platform& platform, Application& application, const SkinTheme& theme,
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

MainWindow::~MainWindow() = default;

bool MainWindow::Create(HINSTANCE instance) {
  icon_ = LoadIconW(instance, L"MAINICON");
  banner_.Load(instance, theme_.title_bottom);

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
  commands_.emplace(GameCommandsSystem{platform_.files, *dialogs_, *waits_, platform_.processes,
                                       platform_.drives, platform_.text_case, platform_.clock},
                    paths_, drive_slots_);
  application_.SetMainWindow(handle_);
  CreateControls();
  banner_.ScaleTo(dpi_);
  Guarded([&] { OnCreate(); });
  return true;
}

void MainWindow::CreateControls() {
  // Each control is made at its designed place scaled to the window's DPI,
  // with its style and font final: each change after creation costs a round
  // of messages at start. The table's order is the creation order, and so
  // the tab order.
  auto s = [&](int designed) { return Scale(designed, dpi_); };
  HWND banner = nullptr;
  controls_.reserve(std::size(kControls));
  for (const ControlDesign& design : kControls) {
    const DesignedRect& r = design.rect;
    std::wstring caption = K(design.caption);
    HWND control = nullptr;
    if (design.role == ControlRole::kBanner) {
      control = banner = CreatePanel(handle_, L"", Bevel::kLowered, theme_.face, s(r.left),
                                     s(r.top), s(r.width), s(r.height), design.id);
    } else if (IsButton(design.role)) {
      control = CreateSkinButton(handle_, caption.c_str(), design.id, s(r.left), s(r.top),
                                 s(r.width), s(r.height));
    } else {
      HWND parent = InBanner(design.role) ? banner : handle_;
      control =
          CreateLabel(parent, caption, design.id, s(r.left), s(r.top), s(r.width), s(r.height));
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(dpi_)), FALSE);
    }
    controls_.push_back(Control{&design, control, r});
  }
  // The banner's background lies beneath the rest of it.
  SetWindowPos(ControlHandle(kBannerImage), HWND_BOTTOM, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  bottom_edge_ = CreateBottomEdge(handle_, theme_);
}

const MainWindow::Control* MainWindow::ControlWithId(int id) const {
  for (const Control& c : controls_)
    if (c.design->id == id) return &c;
  return nullptr;
}

HWND MainWindow::ControlHandle(int id) const {
  const Control* c = ControlWithId(id);
  return c ? c->handle : nullptr;
}

void MainWindow::Place(Control& control, const DesignedRect& rect) {
  control.rect = rect;
  SetWindowPos(control.handle, nullptr, Scale(rect.left, dpi_), Scale(rect.top, dpi_),
               Scale(rect.width, dpi_), Scale(rect.height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
}

// Only the size: what shows is the state's to say.
void MainWindow::SetOuterSize(int width, int height) {
  designed_size_ = SIZE{width, height};
  SetWindowPos(handle_, nullptr, 0, 0, Scale(width, dpi_), Scale(height, dpi_),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Puts every control at its designed place and size scaled to `dpi`, with the
// fonts and the banner of that DPI.
void MainWindow::ApplyDpi(int dpi) {
  dpi_ = dpi;
  for (Control& c : controls_) {
    Place(c, c.rect);
    SendMessageW(c.handle, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(dpi)), FALSE);
  }
  banner_.ScaleTo(dpi_);
  if (bottom_edge_) PlaceBottomEdge(handle_, bottom_edge_);
}

// The window moved to a monitor with another scale: the suggested rectangle
// keeps it where the user put it, the design gives the size.
void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  SetWindowPos(handle_, nullptr, suggested.left, suggested.top, Scale(designed_size_.cx, dpi),
               Scale(designed_size_.cy, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyDpi(dpi);
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// --- window events ---------------------------------------------------------

void MainWindow::OnCreate() {
  first_instance_ = !IsAlreadyRunning(WindowText(handle_), kSingleInstanceSemaphore);
  std::vector<std::string> args = CommandLineArguments();
  drive_slots_ = VirtualDriveSet{};
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

void MainWindow::OnFirstShow() {
  if (!first_instance_) {
    application_.Terminate();
    return;
  }
  // The boxes of a run ahead are shown now, owned by this window, which is
  // still hidden, as those of a run here would be.
  if (!locator_ || !locator_->TakeResults(*dialogs_, paths_))
    InstallLocator({platform_.environment, platform_.registry, platform_.files, *dialogs_})
        .Run(paths_);
  SetOuterSize(kWindowWidth, kFullHeight);
  ApplyState(StateFor(!IsBlank(paths_.NetmarbleFolder), !IsBlank(paths_.NexonFolder)));
}

void MainWindow::ApplyState(const WindowState& state) {
  for (Control& c : controls_) {
    ControlState wanted = StateOf(state, *c.design);
    if (IsSectionCommand(c.design->role)) EnableWindow(c.handle, wanted.enabled);
    if (!wanted.visible) ShowWindow(c.handle, SW_HIDE);
    if (wanted.rect.top != c.rect.top) Place(c, wanted.rect);
    if (!wanted.caption.empty()) SetWindowTextW(c.handle, Wide(wanted.caption).c_str());
  }
  SetOuterSize(kWindowWidth, state.height);
  if (!state.notice.empty()) dialogs_->Information(state.notice);
}

void MainWindow::OnClose() { RemoveVirtualDrives(platform_.processes, drive_slots_); }

void MainWindow::RequestClose() {
  // The removal of the drives processes messages while it waits: a second
  // request met there is the same close.
  if (closing_) return;
  closing_ = true;
  if (running_commands_ == 0) Close();
}

void MainWindow::Close() {
  OnClose();
  DestroyWindow(handle_);
}

void MainWindow::OnDestroy() {
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

void MainWindow::Show() {
  Guarded([&] { OnFirstShow(); });
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
void MainWindow::PassFocusOn() {
  HWND target = focus_;
  if (!target || !IsChild(handle_, target) || !IsWindowVisible(target) || !IsWindowEnabled(target))
    target = GetNextDlgTabItem(handle_, nullptr, FALSE);
  if (target) SetFocus(target);
}

// --- commands ----------------------------------------------------------------

void MainWindow::OnOpenGameFolder(GameEdition edition) {
  commands_->OpenGameFolder(edition, reinterpret_cast<WindowHandle>(handle_));
}
void MainWindow::OnOpenScreenshotFolder() {
  commands_->OpenScreenshotFolder(reinterpret_cast<WindowHandle>(handle_));
}
void MainWindow::OnDeleteScreenshots() { commands_->DeleteScreenshots(); }
void MainWindow::OnResetGame(GameEdition edition) { commands_->ResetGame(edition); }
void MainWindow::OnOpenHomePage(GameEdition edition) {
  commands_->OpenHomePage(edition, reinterpret_cast<WindowHandle>(application_.handle()));
}

void MainWindow::OnCommand(int id) {
  // Once closing has begun, a command could only make a drive that nothing
  // removes any more.
  if (closing_) return;
  ++running_commands_;
  Guarded([&] { RunCommand(id); });
  --running_commands_;
  if (running_commands_ == 0 && closing_) PostMessageW(handle_, kCloseWhenIdle, 0, 0);
}

void MainWindow::RunCommand(int id) {
  const Control* control = ControlWithId(id);
  if (!control || !control->design->edition) return;
  GameEdition edition = *control->design->edition;
  switch (control->design->role) {
    case ControlRole::kOpenGameFolder:
      return OnOpenGameFolder(edition);
    // The screenshot folder is the user's, not an edition's: both sections'
    // buttons do the same.
    case ControlRole::kOpenScreenshots:
      return OnOpenScreenshotFolder();
    case ControlRole::kDeleteScreenshots:
      return OnDeleteScreenshots();
    case ControlRole::kResetGame:
      return OnResetGame(edition);
    case ControlRole::kHomePage:
      return OnOpenHomePage(edition);
    default:
      return;
  }
}

// --- painting ------------------------------------------------------------

void MainWindow::Paint() {
  PaintBuffered(handle_, [&](HDC dc, const RECT&) { frame_.Paint(handle_, dc, icon_); });
}

void MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlType == ODT_BUTTON) return DrawSkinButton(theme_, item);
  const Control* control = ControlWithId(static_cast<int>(item.CtlID));
  if (!control) return;
  if (control->design->role == ControlRole::kTitle) return DrawSectionTitle(item);
  if (InBanner(control->design->role))
    banner_.Draw(item, control->design->role, ControlHandle(kBanner), dpi_);
}

void MainWindow::DrawSectionTitle(const DRAWITEMSTRUCT& item) {
  FillSolid(item.hDC, item.rcItem, theme_.face);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(COLOR_WINDOWTEXT));
  ScopedSelect font(item.hDC, UiBoldFont(dpi_));
  std::wstring text = WindowText(item.hwndItem);
  RECT box = item.rcItem;
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &box,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void MainWindow::ShowSystemMenu() {
  RECT box = frame_.PartRect(handle_, FramePart::kControlBox);
  POINT p = {box.left, box.bottom};
  ClientToScreen(handle_, &p);
  HMENU menu = GetSystemMenu(handle_, FALSE);
  int command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, p.x, p.y, 0,
                               handle_, nullptr);
  if (command) PostMessageW(handle_, WM_SYSCOMMAND, static_cast<WPARAM>(command), 0);
}

// --- plumbing ------------------------------------------------------------

LRESULT MainWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
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
      OnDestroy();
      application_.Terminate();
      return 0;
  }
  return DefWindowProcW(handle_, message, wparam, lparam);
}

LRESULT CALLBACK MainWindow::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return Guarded(LRESULT{0}, [&] { return Handle(window, message, wparam, lparam); });
}

LRESULT MainWindow::Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wparam, lparam);
  return self->OnMessage(message, wparam, lparam);
}

}  // namespace varnett
