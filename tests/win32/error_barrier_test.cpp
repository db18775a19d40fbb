// The barrier at the entry of a window procedure, with a real window and the
// system's own message dispatch around it: what a handler throws is
// reported, never unwinds through the system, and the window goes on.
#include "app/error_barrier.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace varnett {
namespace {

constexpr UINT kThrowError = WM_APP;
constexpr UINT kThrowOther = WM_APP + 1;
constexpr UINT kAnswer = WM_APP + 2;
constexpr LRESULT kFallback = -7;

std::vector<std::string> g_reported;

LRESULT Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kThrowError:
      throw std::runtime_error("Invalid data type for 'DestDir'");
    case kThrowOther:
      throw 42;
    case kAnswer:
      return 1234;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return Guarded(kFallback, [&] { return Handle(window, message, wparam, lparam); });
}

HWND MakeWindow() {
  WNDCLASSW cls = {};
  cls.lpfnWndProc = Proc;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = L"VarnettBarrierTest";
  RegisterClassW(&cls);
  return CreateWindowExW(0, cls.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                         cls.hInstance, nullptr);
}

TEST(ErrorBarrier, EscapedErrorsAreReportedAndTheWindowGoesOn) {
  g_reported.clear();
  SetEscapedErrorReporter([](const std::string& message) { g_reported.push_back(message); });
  HWND window = MakeWindow();
  ASSERT_NE(window, nullptr);

  // Sent: the system calls the procedure directly.
  EXPECT_EQ(SendMessageW(window, kThrowError, 0, 0), kFallback);
  // Posted: through the message loop's dispatch.
  PostMessageW(window, kThrowOther, 0, 0);
  MSG msg;
  while (PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  EXPECT_EQ(g_reported,
            (std::vector<std::string>{"Invalid data type for 'DestDir'", "Unexpected error"}));
  EXPECT_EQ(SendMessageW(window, kAnswer, 0, 0), 1234) << "the window works on";

  // A reporter that fails itself is contained too.
  SetEscapedErrorReporter([](const std::string&) { throw std::bad_alloc(); });
  EXPECT_EQ(SendMessageW(window, kThrowError, 0, 0), kFallback);
  SetEscapedErrorReporter(nullptr);
  DestroyWindow(window);
}

}  // namespace
}  // namespace varnett
