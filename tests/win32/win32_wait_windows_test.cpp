// Wait windows: each command closes exactly the window it opened, and the
// shared reference follows the one created last.
#include "app/win32_wait_windows.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "text/conversions.h"

namespace varnett {
namespace {

TEST(WaitWindows, NestedCommandsCloseOnlyTheirOwnWindow) {
  HWND owner = CreateWindowExW(0, L"Static", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
  Win32WaitWindows waits(owner);
  WaitWindows::Handle outer = waits.Open(Ko("가상 드라이브를 생성중입니다."));
  HWND outer_window = CurrentWaitWindow();
  ASSERT_NE(outer, 0);
  ASSERT_NE(outer_window, nullptr);
  EXPECT_EQ(GetWindow(outer_window, GW_OWNER), owner);
  EXPECT_TRUE(IsWindowVisible(outer_window));
  RECT r;
  GetWindowRect(outer_window, &r);
  EXPECT_EQ(r.right - r.left, 374);
  EXPECT_EQ(r.bottom - r.top, 79);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 374) / 2);

  WaitWindows::Handle inner = waits.Open("second");
  HWND inner_window = CurrentWaitWindow();
  EXPECT_NE(inner, outer);
  EXPECT_NE(inner_window, outer_window);

  waits.Close(outer);  // the outer command ends first
  EXPECT_FALSE(IsWindow(outer_window));
  EXPECT_TRUE(IsWindow(inner_window));
  EXPECT_EQ(CurrentWaitWindow(), inner_window);
  waits.Close(outer);  // closing twice is harmless
  waits.Close(inner);
  EXPECT_FALSE(IsWindow(inner_window));
  EXPECT_EQ(CurrentWaitWindow(), nullptr);

  // A window still open when its owner goes is destroyed with it.
  WaitWindows::Handle last = waits.Open("last");
  HWND last_window = CurrentWaitWindow();
  DestroyWindow(owner);
  EXPECT_FALSE(IsWindow(last_window));
  EXPECT_EQ(CurrentWaitWindow(), nullptr);
  waits.Close(last);
}

}  // namespace
}  // namespace varnett
