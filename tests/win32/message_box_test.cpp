// The framework's boxes are real dialogs with English captions whatever the
// system language, modal to their owner, with Common Controls 6 buttons,
// answered here from a second thread as automation would. (This program
// carries the program's second manifest resource, tests/win32/resources.rc.)
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "app/common_controls.h"
#include "app/dpi.h"
#include "app/win32_dialogs.h"
#include "tests/support/win32/top_windows.h"
#include "text/conversions.h"

namespace varnett {
namespace {

struct Seen {
  bool came = false;
  std::wstring title, text;
  std::vector<std::wstring> buttons;
  bool owner_disabled = false;
  HWND owner = nullptr;
  HMODULE first_button_code = nullptr;  // the module its window procedure lies in
};

HMODULE ModuleOf(const void* address) {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      static_cast<LPCWSTR>(address), &module);
  return module;
}

// This process's box, looked for until `ms` milliseconds have passed;
// nullptr when none came.
HWND OwnBoxWithin(ULONGLONG ms) {
  HWND box = nullptr;
  const ULONGLONG deadline = GetTickCount64() + ms;
  while (!box && GetTickCount64() < deadline) {
    Sleep(10);
    box = support::FirstTopWindow({GetCurrentProcessId(), L"#32770"});
  }
  return box;
}

// Waits up to ten seconds for this process's box, records it and answers
// with `command`. When none comes, `came` stays false and the test fails.
std::thread Answer(int command, Seen* seen) {
  return std::thread([command, seen] {
    HWND box = OwnBoxWithin(10000);
    if (!box) return;
    // Its controls exist once its thread answers: the box is laid out
    // before its modal loop first looks at messages.
    SendMessageTimeoutW(box, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
    seen->came = true;
    seen->title = support::TextOf(box);
    seen->text = support::TextOf(GetDlgItem(box, 0xFFFF));
    for (int id : {IDOK, IDYES, IDNO, IDCANCEL}) {
      HWND b = GetDlgItem(box, id);
      if (!b) continue;
      if (seen->buttons.empty())
        seen->first_button_code =
            ModuleOf(reinterpret_cast<const void*>(GetWindowLongPtrW(b, GWLP_WNDPROC)));
      seen->buttons.push_back(support::TextOf(b));
    }
    seen->owner = GetWindow(box, GW_OWNER);
    seen->owner_disabled = seen->owner && !IsWindowEnabled(seen->owner);
    PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(command), 0);
  });
}

class FrameworkBoxes : public ::testing::Test {
 protected:
  ~FrameworkBoxes() override { DestroyWindow(owner_); }

  HWND owner_ = CreateWindowExW(0, L"Static", L"owner", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
  Win32Dialogs dialogs_{owner_};
};

TEST_F(FrameworkBoxes, InformationHasEnglishTitleAndOneOkButton) {
  Seen seen;
  std::thread answer = Answer(IDOK, &seen);
  dialogs_.Information(Ko("\r\n게임을 찾을 수 없습니다."));
  answer.join();
  ASSERT_TRUE(seen.came) << "no box came";
  EXPECT_EQ(seen.title, L"Information");
  EXPECT_EQ(seen.text, L"\r\n게임을 찾을 수 없습니다.");
  EXPECT_EQ(seen.buttons, std::vector<std::wstring>{L"OK"});
  EXPECT_EQ(seen.owner, owner_);
  EXPECT_TRUE(seen.owner_disabled) << "modal to its owner";
  EXPECT_TRUE(IsWindowEnabled(owner_));
  // Themed: the button is Common Controls 6's, although this process asked
  // for no version of the library at start.
  ASSERT_NE(CommonControlsLibrary(), nullptr);
  EXPECT_EQ(seen.first_button_code, CommonControlsLibrary());
}

TEST_F(FrameworkBoxes, ConfirmationProceedsOnlyOnYes) {
  struct Case {
    int command;
    bool result;
  };
  for (Case c : {Case{IDYES, true}, Case{IDNO, false}, Case{IDCANCEL, false}}) {
    SCOPED_TRACE(c.command);
    Seen seen;
    std::thread answer = Answer(c.command, &seen);
    bool result = dialogs_.Confirm(Ko("\r\n삭제하시겠습니까?"));
    answer.join();
    ASSERT_TRUE(seen.came) << "no box came";
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(seen.title, L"Confirm");
    EXPECT_EQ(seen.text, L"\r\n삭제하시겠습니까?");
    EXPECT_EQ(seen.buttons, (std::vector<std::wstring>{L"&Yes", L"&No"}));
  }
}

// The places of a window and of its controls on the screen, in creation order.
std::vector<RECT> Places(HWND window) {
  std::vector<RECT> places;
  RECT r;
  GetWindowRect(window, &r);
  places.push_back(r);
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    GetWindowRect(c, &r);
    places.push_back(r);
  }
  return places;
}

bool SameRects(const std::vector<RECT>& a, const std::vector<RECT>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (!EqualRect(&a[i], &b[i])) return false;
  return true;
}

// Moved to a monitor with another scale, a box lays itself out again for it
// at the corner the system suggests; moved back, it is as it was. Wine has
// one scale for every monitor, so the message the system would send is sent
// here.
TEST_F(FrameworkBoxes, LaidOutAgainAtANewDpi) {
  struct Seen {
    bool came = false;
    std::vector<RECT> before, moved, back;
  } seen;
  const int dpi = WindowDpi(owner_);
  const int other = dpi == 192 ? 120 : 192;
  auto at = [other](int designed) { return MulDiv(designed, other, 96); };
  std::thread answer([&] {
    HWND box = OwnBoxWithin(10000);
    if (!box) return;
    DWORD_PTR ignored;
    auto change = [&](int to, RECT suggested) {
      SendMessageTimeoutW(box, WM_DPICHANGED, MAKEWPARAM(to, to),
                          reinterpret_cast<LPARAM>(&suggested), SMTO_NORMAL, 5000, &ignored);
      return Places(box);
    };
    SendMessageTimeoutW(box, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    seen.came = true;
    seen.before = Places(box);
    seen.moved = change(other, RECT{40, 30, 400, 300});
    seen.back = change(dpi, seen.before[0]);
    PostMessageW(box, WM_COMMAND, IDYES, 0);
  });
  dialogs_.Confirm(Ko("\r\n스크린샷을 모두 삭제하시겠습니까?"));
  answer.join();
  ASSERT_TRUE(seen.came) << "no box came";
  // The box, its icon, its text, Yes and No.
  ASSERT_EQ(seen.moved.size(), 5u);
  const RECT& box = seen.moved[0];
  EXPECT_EQ(box.left, 40);
  EXPECT_EQ(box.top, 30);
  const RECT& icon = seen.moved[1];
  EXPECT_EQ(icon.right - icon.left, at(32));
  for (const RECT& button : {seen.moved[3], seen.moved[4]}) {
    EXPECT_EQ(button.right - button.left, at(75));
    EXPECT_EQ(button.bottom - button.top, at(23));
    EXPECT_LE(button.bottom, box.bottom - at(12)) << "the buttons stay inside the box";
  }
  EXPECT_EQ(seen.moved[4].left - seen.moved[3].right, at(6));
  EXPECT_TRUE(SameRects(seen.back, seen.before)) << "not as it was at the first DPI";
}

}  // namespace
}  // namespace varnett
