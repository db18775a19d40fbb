// A window class registered a second time is no failure (each window kind
// registers its class when first made); a class the system refuses is.
#include "app/window_class.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace varnett {
namespace {

TEST(WindowClass, RegisteringAgainIsFineARefusalIsReported) {
  WNDCLASSEXW cls = {};
  cls.lpfnWndProc = DefWindowProcW;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = L"VarnettWindowClassTest";
  EXPECT_TRUE(RegisterWindowClass(cls));
  EXPECT_TRUE(RegisterWindowClass(cls));
  HWND window = CreateWindowExW(0, cls.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                cls.hInstance, nullptr);
  EXPECT_TRUE(window);
  DestroyWindow(window);

  cls.lpszClassName = L"VarnettRefusedClassTest";
  cls.cbWndExtra = -1;
  EXPECT_FALSE(RegisterWindowClass(cls));
}

}  // namespace
}  // namespace varnett
