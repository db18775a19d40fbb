// Closing while the program waits for "subst /D": the test prefix's "subst"
// holds the removal (subst.hold beside it) so that buttons, keys and a second
// close arrive in the middle of it, as a user's would.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/control_ids.h"
#include "tests/support/e2e/driver.h"
#include "tests/support/e2e/one_drive_made.h"
#include "tests/support/e2e/shell_windows.h"

namespace varnett::e2e {
namespace {

// Removes the hold on "subst" however the test ends.
class SubstHold {
 public:
  SubstHold() : path_(SystemFolder() + L"\\subst.hold") { WriteFile(path_, "hold"); }
  ~SubstHold() { Release(); }
  SubstHold(const SubstHold&) = delete;
  SubstHold& operator=(const SubstHold&) = delete;
  void Release() { DeleteFileW(path_.c_str()); }

 private:
  std::wstring path_;
};

class Closing : public OneDriveMade {};

// Once closing has begun, a button does nothing (it would map a drive that
// nothing removes), Enter does nothing, a second close is ignored, and Tab
// still moves the focus. Only the one drive made before is removed, once.
TEST_F(Closing, CommandsAndASecondCloseDoNothingWhileTheDrivesGo) {
  const std::vector<std::wstring> mapped = SubstLog();
  ASSERT_EQ(mapped.size(), 1u);

  SubstHold hold;
  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return SubstLog().size() == 2; })) << "no removal began";
  EXPECT_EQ(SubstLog()[1].substr(SubstLog()[1].size() - 5), L"/D " + drive);

  // Messages to one thread are handled in order: once the focus has moved
  // on from the clicked button, the click and the second close are done.
  Click(main, kNexonOpenGameFolder);
  PostMessageW(main, WM_CLOSE, 0, 0);
  PostKey(main, VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return FocusIn(main) == GetDlgItem(main, kNexonOpenScreenshots); }))
      << "Tab does nothing while the drives are removed";
  PostKey(main, VK_RETURN);  // would open the screenshot folder
  PostKey(main, VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return FocusIn(main) == GetDlgItem(main, kNexonResetGame); }));
  EXPECT_EQ(SubstLog().size(), 2u);
  EXPECT_TRUE(TopWindows({program.pid(), L"TfWait"}).empty());
  EXPECT_TRUE(TopWindows({program.pid(), L"#32770"}).empty());

  hold.Release();
  EXPECT_TRUE(program.WaitExit());
  std::vector<std::wstring> log = SubstLog();
  ASSERT_EQ(log.size(), 2u) << "a drive was made or removed twice";
  EXPECT_EQ(log[0], mapped[0]);
  EXPECT_EQ(GetDriveTypeW((drive + L"\\").c_str()), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
}

}  // namespace
}  // namespace varnett::e2e
