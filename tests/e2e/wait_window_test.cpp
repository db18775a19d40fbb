// The wait window on the screen: its message in Korean, and an animation
// that keeps moving (the system's folder search where the shell has it, the
// program's own where it does not), so the program never looks frozen.
#include <gtest/gtest.h>

#include "app/win32_wait_windows.h"
#include "platform/win32/message_pump.h"
#include "tests/support/e2e/driver.h"
#include "text/conversions.h"

namespace varnett::e2e {
namespace {

void PumpFor(int ms) {
  for (int waited = 0; waited < ms; waited += 10) {
    ProcessPendingMessages();
    Sleep(10);
  }
}

TEST(WaitWindow, ShowsTheMessageAndAMovingAnimation) {
  Win32WaitWindows waits(nullptr);
  WaitWindows::Handle handle =
      waits.Open(Ko("스크린샷 폴더를 열기 위한 가상 드라이브를 생성중입니다. 잠시만 기다려 "
                    "주십시오."));
  HWND window = CurrentWaitWindow();
  ASSERT_NE(window, nullptr);
  PumpFor(300);

  HWND animation = nullptr;
  HWND label = nullptr;
  for (const Control& c : ReadControls(window)) {
    if (c.cls == L"SysAnimate32" || c.cls == L"TSearchAnimation") {
      animation = FindWindowExW(GetWindow(window, GW_CHILD), nullptr, c.cls.c_str(), nullptr);
      EXPECT_EQ(c.rect.right - c.rect.left, Scaled(80));
      EXPECT_EQ(c.rect.bottom - c.rect.top, Scaled(57));
    }
    if (c.cls == L"Static" && !c.text.empty()) {
      label = FindWindowExW(GetWindow(window, GW_CHILD), nullptr, L"Static", nullptr);
      EXPECT_EQ(c.text,
                L"스크린샷 폴더를 열기 위한 가상 드라이브를 생성중입니다. 잠시만 기다려 "
                L"주십시오.");
    }
  }
  ASSERT_NE(animation, nullptr);
  ASSERT_NE(label, nullptr);

  Picture before = Capture(WindowRect(animation));
  PumpFor(450);
  Picture after = Capture(WindowRect(animation));
  ASSERT_FALSE(before.bits.empty());
  EXPECT_NE(before.bits, after.bits) << "the animation stands still";

  std::wstring shots = Env(L"VARNETT_SCREENSHOTS");
  if (!shots.empty()) {
    MakeFolders(shots);
    std::wstring suffix = Dpi() == 96 ? L"" : L"-dpi" + std::to_wstring(Dpi());
    EXPECT_TRUE(SaveScreenshot(window, shots + L"\\wait-window" + suffix + L".bmp"));
  }
  waits.Close(handle);
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace varnett::e2e
