// Entry point of Varnett.exe.
#include <windows.h>

#include "log/startup_log.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace varnett {
namespace {

Win32Platform& ThePlatform() {
  static Win32Platform platform;
  return platform;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

int Run(HINSTANCE instance) {
  Win32Platform& platform = ThePlatform();
  StartupLog log(platform.files, platform.clock);
  log.Prepare(platform.environment.ExecutablePath());

  WNDCLASSW cls = {};
  cls.lpfnWndProc = MainWindowProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  cls.lpszClassName = L"TfMain";
  RegisterClassW(&cls);
  HWND window =
      CreateWindowExW(0, cls.lpszClassName, L"Varnett Ver2.3",
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                      CW_USEDEFAULT, 528, 372, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace
}  // namespace varnett

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return varnett::Run(instance); }
