#include "app/application.h"

#include "app/error_barrier.h"
#include "app/full_stop.h"
#include "app/message_box.h"
#include "app/window_class.h"
#include "platform/win32/message_pump.h"
#include "text/win32/wide.h"

namespace varnett {
namespace {

constexpr wchar_t kClass[] = L"TApplication";

}  // namespace

bool Application::Initialize(HINSTANCE instance) {
  WNDCLASSEXW cls = {};
  cls.lpfnWndProc = Proc;
  cls.hInstance = instance;
  cls.hIcon = LoadIconW(instance, L"MAINICON");
  cls.hIconSm = SmallProgramIcon(instance);
  cls.lpszClassName = kClass;
  if (!RegisterWindowClass(cls)) return false;
  // A zero-sized window in the middle of the screen: it has the taskbar
  // entry but nothing of it is ever seen.
  int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
  handle_ = CreateWindowExW(0, kClass, kTitle,
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            x, y, 0, 0, nullptr, nullptr, instance, this);
  if (!handle_) return false;
  SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return true;
}

void Application::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  PostQuitMessage(0);
}

int Application::Run() {
  MSG msg;
  while (!terminated_ && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchWithDialogKeys(msg);
  return 0;
}

void Application::Minimize() {
  if (!main_) return;
  // The main window is marked minimised before it is hidden, so another copy
  // of the program sees it as iconic and restores it.
  ShowWindow(main_, SW_SHOWMINNOACTIVE);
  ShowWindow(main_, SW_HIDE);
  if (handle_ && IsWindowVisible(handle_)) ShowWindow(handle_, SW_MINIMIZE);
}

void Application::Restore() {
  if (!main_) return;
  if (handle_ && IsIconic(handle_)) ShowWindow(handle_, SW_RESTORE);
  if (IsIconic(main_) || !IsWindowVisible(main_)) ShowWindow(main_, SW_SHOWNORMAL);
  SetForegroundWindow(main_);
}

void Application::ShowException(const std::string& cp949_message) {
  HWND owner = main_ && IsWindowVisible(main_) ? main_ : nullptr;
  ShowMessageBox(owner, Wide(WithFullStop(cp949_message)), kTitle, BoxKind::kError);
}

LRESULT CALLBACK Application::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return Guarded(LRESULT{0}, [&] { return Handle(window, message, wparam, lparam); });
}

LRESULT Application::Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<Application*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_SYSCOMMAND:
      if (self && (wparam & 0xFFF0) == SC_RESTORE) {
        DefWindowProcW(window, message, wparam, lparam);
        self->Restore();
        return 0;
      }
      if (self && (wparam & 0xFFF0) == SC_MINIMIZE) {
        self->Minimize();
        return 0;
      }
      if (self && (wparam & 0xFFF0) == SC_CLOSE && self->main_) {
        PostMessageW(self->main_, WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    case WM_ACTIVATE:
      // Activation of the taskbar entry passes to the main window.
      if (self && self->main_ && LOWORD(wparam) != WA_INACTIVE && IsWindowVisible(self->main_)) {
        SetFocus(self->main_);
        return 0;
      }
      break;
    case WM_CLOSE:
      if (self && self->main_) PostMessageW(self->main_, WM_CLOSE, 0, 0);
      return 0;
    case WM_GETMINMAXINFO:
      // Stays zero-sized: nothing but its taskbar entry is ever seen.
      reinterpret_cast<MINMAXINFO*>(lparam)->ptMinTrackSize = POINT{0, 0};
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace varnett
