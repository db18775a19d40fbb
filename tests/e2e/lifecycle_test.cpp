// Start-up and shutdown of the real program: placement from the command line,
// one copy per user, the start-up log, the skin's title-bar buttons, and the
// ".log" file beside the program removed at exit. These run in a café where no
// edition is found: the box that says so is answered on the way, and the
// window is the same full-height window as with both editions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/e2e/assertions.h"
#include "tests/support/e2e/cafe.h"
#include "tests/support/e2e/driver.h"
#include "tests/support/win32/startup_logs.h"
#include "tests/support/win32/temp_folder.h"

namespace varnett::e2e {
namespace {

// Points on the title bar, relative to the window's corner, as designed at
// 96 DPI (528 wide); the buttons at the right keep their distance from the
// right edge.
const int kTitleY = Scaled(14);
const int kControlBoxX = Scaled(14);
const int kMinimizeX = Scaled(528) - Scaled(528 - 482);
const int kCloseX = Scaled(528) - Scaled(528 - 510);

struct Placement {
  const char* name;
  const wchar_t* arguments;
  bool centred;
  int left, top;                                     // when not centred
  const wchar_t* error;                              // the default error box's text, if any
  bool designed_left = false, designed_top = false;  // left or top still as designed
};

void PrintTo(const Placement& p, std::ostream* os) { *os << p.name; }

class CommandLinePlacement : public ::testing::TestWithParam<Placement> {};

TEST_P(CommandLinePlacement, PlacesTheWindow) {
  const Placement& p = GetParam();
  PrepareCafe(Cafe{});
  Program program(kRoot + L"\\placement");
  ASSERT_TRUE(program.Start(p.arguments)) << program.start_error();
  if (p.error) {
    Box box;
    ASSERT_TRUE(program.WaitForBox(&box));
    EXPECT_EQ(box.title, L"Helvane Ver2.3");
    EXPECT_EQ(box.text, p.error);
    EXPECT_EQ(box.buttons, std::vector<std::wstring>{L"OK"});
    Program::Press(box.window, IDOK);
  }
  std::wstring unexpected;
  ASSERT_TRUE(program.WaitVisible(15000, &unexpected, kNotFound)) << Utf8(unexpected);
  RECT r = WindowRect(program.window());
  if (p.centred) {
    int width = r.right - r.left, height = r.bottom - r.top;
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    EXPECT_EQ(height, Scaled(372)) << "centred with its final size";
  } else {
    // Coordinates from the command line are screen pixels; the designed
    // place (408, 249) scales like every other designed length.
    EXPECT_EQ(r.left, p.designed_left ? Scaled(p.left) : p.left);
    EXPECT_EQ(r.top, p.designed_top ? Scaled(p.top) : p.top);
  }
  EXPECT_TRUE(program.Close());
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLinePlacement,
    ::testing::Values(Placement{"none", L"", true, 0, 0, nullptr},
                      Placement{"one", L"120", true, 0, 0, nullptr},
                      Placement{"top_then_left", L"120 300", false, 300, 120, nullptr},
                      Placement{"third_ignored", L"120 300 77", false, 300, 120, nullptr},
                      Placement{"hex_and_sign", L"\" -$10\" 0x20", false, 32, -16, nullptr},
                      Placement{"bad_first", L"abc 300", false, 408, 249,
                                L"'abc' is not a valid integer value.", true, true},
                      Placement{"bad_second", L"120 12x", false, 408, 120,
                                L"'12x' is not a valid integer value.", true, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A second copy restores the first one's minimised window and ends silently;
// with the first copy open, it brings it to the front.
TEST(SingleInstance, SecondCopyRestoresTheFirstAndEnds) {
  PrepareCafe(Cafe{});
  Program first(kRoot + L"\\first");
  ASSERT_TRUE(StartedAndShown(first, kNotFound));
  HWND window = first.window();

  // The skin's minimise button minimises the application.
  ClickAt(window, kMinimizeX, kTitleY);
  for (int i = 0; i < 100 && IsWindowVisible(window); ++i) Sleep(20);
  EXPECT_TRUE(IsIconic(window));
  EXPECT_FALSE(IsWindowVisible(window));

  Program second(kRoot + L"\\second");
  ASSERT_TRUE(second.Start()) << second.start_error();
  DWORD code = 1;
  EXPECT_TRUE(second.WaitExit(15000, &code));
  EXPECT_EQ(code, 0u);
  for (int i = 0; i < 100 && (IsIconic(window) || !IsWindowVisible(window)); ++i) Sleep(20);
  EXPECT_FALSE(IsIconic(window));
  EXPECT_TRUE(IsWindowVisible(window));
  RECT r = WindowRect(window);
  EXPECT_EQ(r.right - r.left, Scaled(528));

  // Behind another window: a third copy brings it to the front.
  Program other_owner(kRoot + L"\\third");
  HWND cover = CreateWindowExW(WS_EX_TOPMOST, L"Static", L"cover", WS_POPUP | WS_VISIBLE, 0, 0, 100,
                               100, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(cover);
  SetWindowPos(cover, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ASSERT_TRUE(other_owner.Start()) << other_owner.start_error();
  EXPECT_TRUE(other_owner.WaitExit(15000));
  for (int i = 0; i < 50 && GetForegroundWindow() != window; ++i) Sleep(20);
  EXPECT_EQ(GetForegroundWindow(), window);
  DestroyWindow(cover);
  EXPECT_TRUE(first.Close());
}

int CountLines(const std::string& text) {
  int lines = 0;
  for (char c : text) lines += c == '\n';
  return lines;
}

// Every start-up log line the copy in `folder` wrote. Each start dates its
// own log, so the names are checked against the days from `since` to now.
std::string StartupLogText(const std::wstring& folder, const SYSTEMTIME& since) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  std::string text;
  for (const auto& [name, lines] : support::ReadStartupLogs(folder)) {
    EXPECT_TRUE(name == support::StartupLogName(since, L"Varnett") ||
                name == support::StartupLogName(now, L"Varnett"))
        << Utf8(name);
    text += lines;
  }
  return text;
}

// Each start writes two lines to the start-up log; closing with the skin's
// close button, or a double click on its control box, ends the program and
// removes "<program path>.log", and a missing one is no error.
TEST(Lifecycle, StartupLogAndLogFileRemovedAtExit) {
  PrepareCafe(Cafe{});
  std::wstring folder = kRoot + L"\\lifecycle";
  Program program(folder);
  std::wstring log_file = program.exe() + L".log";
  ASSERT_TRUE(WriteFile(log_file, "left by an older version\r\n"));
  support::RemoveTree(folder + L"\\Log");
  SYSTEMTIME since;
  GetLocalTime(&since);

  ASSERT_TRUE(StartedAndShown(program, kNotFound));
  EXPECT_TRUE(FileExists(log_file)) << "removed only when the window is destroyed";
  ClickAt(program.window(), kCloseX, kTitleY);
  EXPECT_TRUE(program.WaitExit());
  EXPECT_FALSE(FileExists(log_file));
  std::string log = StartupLogText(folder, since);
  EXPECT_EQ(CountLines(log), 2);
  EXPECT_NE(log.find("LOG Started"), std::string::npos);

  Program again(folder);
  ASSERT_TRUE(StartedAndShown(again, kNotFound));
  ClickAt(again.window(), kControlBoxX, kTitleY, /*double_click=*/true);
  DWORD code = 1;
  EXPECT_TRUE(again.WaitExit(15000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_FALSE(FileExists(log_file));
  EXPECT_EQ(CountLines(StartupLogText(folder, since)), 4);
}

// A program whose name holds a character CP949 lacks knows its own path only
// with "?" in its place, which the shell would read as a wildcard: the ".log"
// beside it is then left alone, and so is every file "?" would have matched.
// The shell reads wildcards only in a path's last part, so the program's own
// name holds the character.
TEST(Lifecycle, AProgramPathOutsideCp949NeverReachesTheShell) {
  PrepareCafe(Cafe{});
  const std::wstring folder = kRoot + L"\\lifecycle-name";
  Program program(folder, L"Varnett\u0E01.exe");
  const std::wstring own_log = program.exe() + L".log";
  const std::wstring sibling = folder + L"\\VarnettX.exe.log";  // what "Varnett?.exe.log" matches
  ASSERT_TRUE(WriteFile(own_log, "left by an older version\r\n"));
  ASSERT_TRUE(WriteFile(sibling, "another program's\r\n"));

  ASSERT_TRUE(StartedAndShown(program, kNotFound));
  ClickAt(program.window(), kCloseX, kTitleY);
  DWORD code = 1;
  EXPECT_TRUE(program.WaitExit(15000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(FileExists(sibling));
  EXPECT_TRUE(FileExists(own_log)) << "its name cannot be given to the shell exactly";
}

// Only a plain file of that name goes at exit. A folder called so keeps its
// subfolders, and a link called so keeps what it names: the test prefixes
// hold C:\varnett-links\Varnett.exe.log, a link to the folder "kept" beside
// it, made from outside (Wine makes no links of its own).
TEST(Lifecycle, AtExitAFolderOrALinkNamedLikeTheLogSurvives) {
  PrepareCafe(Cafe{});
  {
    SCOPED_TRACE("folder");
    const std::wstring folder = kRoot + L"\\lifecycle-folder";
    Program program(folder);
    const std::wstring kept = program.exe() + L".log\\sub\\keep.txt";
    ASSERT_TRUE(MakeFolders(program.exe() + L".log\\sub"));
    ASSERT_TRUE(WriteFile(kept, "someone's\r\n"));
    ASSERT_TRUE(StartedAndShown(program, kNotFound));
    EXPECT_TRUE(program.Close());
    EXPECT_TRUE(FileExists(kept));
  }
  SCOPED_TRACE("link");
  const std::wstring links = L"C:\\varnett-links";
  const DWORD link = GetFileAttributesW((links + L"\\Varnett.exe.log").c_str());
  if (link == INVALID_FILE_ATTRIBUTES || !(link & FILE_ATTRIBUTE_REPARSE_POINT))
    GTEST_SKIP() << "no folder link C:\\varnett-links\\Varnett.exe.log in this prefix";
  Program program(links);
  ASSERT_TRUE(StartedAndShown(program, kNotFound));
  EXPECT_TRUE(program.Close());
  EXPECT_TRUE(FileExists(links + L"\\kept\\keep.txt"));
  EXPECT_TRUE(FileExists(links + L"\\Varnett.exe.log\\keep.txt"));
  DeleteFileW(program.exe().c_str());
}

}  // namespace
}  // namespace varnett::e2e
