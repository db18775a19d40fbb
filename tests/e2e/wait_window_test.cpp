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

// Moved to a monitor with another scale, the wait window lays itself out
// again for it at the corner the system suggests; moved back, it is as it
// was. Wine has one scale for every monitor, so the message the system would
// send is sent here.
TEST(WaitWindow, LaidOutAgainAtANewDpi) {
  Win32WaitWindows waits(nullptr);
  WaitWindows::Handle handle = waits.Open(Ko("가상 드라이브를 생성중입니다."));
  HWND window = CurrentWaitWindow();
  ASSERT_NE(window, nullptr);
  auto change = [&](int dpi, RECT suggested) {
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    return ReadControls(window);
  };
  const RECT start = WindowRect(window);
  const std::vector<Control> before = ReadControls(window);
  const int other = Dpi() == 192 ? 120 : 192;
  auto at = [other](int designed) { return MulDiv(designed, other, 96); };

  std::vector<Control> moved = change(other, RECT{40, 30, 400, 300});
  RECT r = WindowRect(window);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right - r.left, at(374));
  EXPECT_EQ(r.bottom - r.top, at(79));
  ASSERT_EQ(moved.size(), 3u);  // the panel, the animation and the message
  const RECT& panel = moved[0].rect;
  EXPECT_EQ(panel.right - panel.left, at(374));
  EXPECT_EQ(panel.bottom - panel.top, at(79));
  const RECT& animation = moved[1].rect;
  EXPECT_EQ(animation.left, at(11));
  EXPECT_EQ(animation.top, at(11));
  EXPECT_EQ(animation.right - animation.left, at(80));
  EXPECT_EQ(animation.bottom - animation.top, at(57));
  const RECT& label = moved[2].rect;
  EXPECT_EQ(label.left, at(11) + at(94));
  EXPECT_EQ(label.right, at(374) - at(11));
  EXPECT_EQ(label.bottom, at(79) - at(11));

  std::vector<Control> back = change(Dpi(), start);
  RECT now = WindowRect(window);
  EXPECT_TRUE(EqualRect(&start, &now));
  ASSERT_EQ(back.size(), before.size());
  for (size_t i = 0; i < back.size(); ++i)
    EXPECT_TRUE(EqualRect(&back[i].rect, &before[i].rect)) << Utf8(back[i].cls);
  waits.Close(handle);
}

}  // namespace
}  // namespace varnett::e2e
