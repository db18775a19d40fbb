// The keyboard while a command waits: the program keeps handing out messages
// then, and Tab and Enter must work there as in the main loop.
#include <gtest/gtest.h>

#include <string>

#include "app/control_ids.h"
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
    if (!WaitFor([&] { return FocusIn(main) != before; }, 5000)) return false;
  }
  return FocusIn(main) == wanted;
}

class Keyboard : public OneDriveMade {};

// The second drive waits three seconds after "subst"; Tab walks the buttons
// meanwhile, and Enter presses the reset button, whose question comes while
// the first command still waits.
TEST_F(Keyboard, TabAndEnterWorkDuringTheMappingWait) {
  const std::wstring& first = drive;

  Click(main, kNexonButton1);
  HWND wait = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    auto waits = TopWindows({program.pid(), L"TfWait"});
    if (SubstLog().size() == 2 && waits.size() == 1) wait = waits[0];
    return wait != nullptr;
  }));
  ASSERT_TRUE(TabTo(main, GetDlgItem(main, kNetmarbleButton3))) << "Tab does nothing in the wait";
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
