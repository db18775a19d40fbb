// The keyboard from the first moment, and while a command waits: the program
// keeps handing out messages then, and Tab and Enter must work there as in
// the main loop.
#include <gtest/gtest.h>

#include <string>

#include "app/control_ids.h"
#include "tests/support/e2e/assertions.h"
#include "tests/support/e2e/cafe.h"
#include "tests/support/e2e/driver.h"
#include "tests/support/e2e/one_drive_made.h"
#include "tests/support/e2e/shell_windows.h"

namespace varnett::e2e {
namespace {

// Presses Tab until `wanted` has the focus; false when the focus stops
// moving or never gets there.
bool TabTo(HWND main, HWND wanted) {
  for (int presses = 0; presses < 16; ++presses) {
    HWND before = FocusIn(main);
    if (before == wanted) return true;
    PostKey(main, VK_TAB);
    if (!WaitFor(
            [&] {
              HWND now = FocusIn(main);
              return now != before && IsChild(main, now);
            },
            5000))
      return false;
  }
  return FocusIn(main) == wanted;
}

// As in a dialog, the first enabled control in tab order has the focus from
// the moment the window shows: the Netmarble section's first button, or,
// where that section is disabled or hidden, the Netmarble home-page button.
TEST(FirstFocus, OnTheFirstEnabledControlInTabOrder) {
  struct Case {
    const char* name;
    Cafe cafe;
    int first;
  };
  for (const Case& c : {Case{"both", Cafe{true, true}, kNetmarbleOpenGameFolder},
                        Case{"nexon only", Cafe{false, true}, kNetmarbleHomePage},
                        Case{"neither", Cafe{}, kNetmarbleHomePage}}) {
    SCOPED_TRACE(c.name);
    PrepareCafe(c.cafe);
    Program p(kRoot + L"\\first-focus");
    ASSERT_TRUE(StartedAndShown(p, c.cafe.netmarble || c.cafe.nexon ? L"" : kNotFound));
    EXPECT_TRUE(WaitFor([&] { return FocusIn(p.window()) == GetDlgItem(p.window(), c.first); }))
        << "focus on control " << GetDlgCtrlID(FocusIn(p.window()));
    EXPECT_TRUE(p.Close());
  }
}

// Enter as soon as the window shows presses the focused button: here the
// Netmarble home page opens.
TEST(FirstFocus, EnterWorksAtOnce) {
  ASSERT_TRUE(UseStandInBrowser());
  const std::wstring log = BrowserLog();
  PrepareCafe(Cafe{});
  Program p(kRoot + L"\\first-focus");
  ASSERT_TRUE(StartedAndShown(p, kNotFound));
  PostKey(p.window(), VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return !LogLines(log).empty(); })) << "Enter did nothing";
  EXPECT_NE(LogLines(log)[0].find(L"sudden.netmarble.net"), std::wstring::npos);
  EXPECT_TRUE(p.Close());
}

// After a box, the button that asked for it has the focus again, as in a
// dialog: a second Enter asks again.
TEST(FirstFocus, BackOnTheButtonAfterItsBox) {
  PrepareCafe(Cafe{true, true});
  Program p(kRoot + L"\\first-focus");
  ASSERT_TRUE(StartedAndShown(p));
  HWND main = p.window();
  HWND reset = GetDlgItem(main, kNetmarbleResetGame);
  ASSERT_TRUE(TabTo(main, reset));
  PostKey(main, VK_RETURN);
  Box box;
  ASSERT_TRUE(p.WaitForBox(&box));
  Program::Press(box.window, IDNO);
  EXPECT_TRUE(WaitFor([&] { return FocusIn(main) == reset; }, 5000));
  EXPECT_TRUE(p.Close());
}

class Keyboard : public OneDriveMade {};

// The second drive waits three seconds after "subst"; Tab walks the buttons
// meanwhile, and Enter presses the reset button, whose question comes while
// the first command still waits.
TEST_F(Keyboard, TabAndEnterWorkDuringTheMappingWait) {
  const std::wstring& first = drive;

  Click(main, kNexonOpenGameFolder);
  HWND wait = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    auto waits = TopWindows({program.pid(), L"TfWait"});
    if (SubstLog().size() == 2 && waits.size() == 1) wait = waits[0];
    return wait != nullptr;
  }));
  ASSERT_TRUE(TabTo(main, GetDlgItem(main, kNetmarbleResetGame))) << "Tab does nothing in the wait";
  PostKey(main, VK_RETURN);
  Box box;
  ASSERT_TRUE(program.WaitForBox(&box, 10000)) << "Enter does nothing in the wait";
  EXPECT_EQ(box.text, L"\r\n서든어택을 초기화 하시겠습니까?");
  EXPECT_TRUE(IsWindow(wait)) << "the first command was still waiting";
  Program::Press(box.window, IDNO);

  std::wstring second;
  HWND shell = nullptr;
  EXPECT_TRUE(WaitFor([&] {
    shell = AnyShellWindowOnADrive(&second);
    return shell && second != first;
  }));
  if (shell) CloseAndWait(shell);
  EXPECT_TRUE(program.Close());
}

}  // namespace
}  // namespace varnett::e2e
