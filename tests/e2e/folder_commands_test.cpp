// The ten buttons of the real program in a café with both editions: folders
// opened through virtual drives made by the test prefix's "subst" (every
// command line it gets is in its log), the shell's window on each drive's
// root, the screenshot delete and the game reset with both answers, the home
// pages handed to a stand-in browser, and the drives removed at close. The
// user's documents folder is moved into the test's own folder first: in a
// fresh prefix it is a link to the home folder of the machine.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <set>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "tests/support/e2e/assertions.h"
#include "tests/support/e2e/cafe.h"
#include "tests/support/e2e/driver.h"
#include "tests/support/e2e/shell_windows.h"
#include "tests/wintools/subst/stand_in.h"

namespace varnett::e2e {
namespace {

const std::wstring kDocs = kRoot + L"\\docs";
const std::wstring kShots = kDocs + L"\\Suddenattack\\screenshot";
const std::wstring kNetmarble = kRoot + L"\\games\\Netmarble\\SuddenAttack";
const std::wstring kNexon = kRoot + L"\\games\\Nexon\\SuddenAttack";

const std::wstring kOpeningGame = L"서든 폴더를 열고 있습니다.\r\n잠시만 기다려 주십시오.";
const std::wstring kOpeningShots = L"스크린샷 폴더를 열고 있습니다.\r\n잠시만 기다려 주십시오.";

std::wstring Drive(wchar_t letter) { return std::wstring(1, letter) + L":"; }

// The command line of the system's "subst" mapping `folder` to `drive`.
std::wstring SubstMapping(const std::wstring& drive, const std::wstring& folder) {
  return L"\"" + SystemFolder() + L"\\subst.exe\" " + drive + L" \"" + folder + L"\"";
}

// The drive letters nothing uses, highest first.
std::wstring FreeLetters() {
  DWORD used = GetLogicalDrives();
  std::wstring free;
  for (int i = 25; i >= 0; --i)
    if (!(used & (1u << i))) free += static_cast<wchar_t>(L'A' + i);
  return free;
}

// Waits for the shell's window on `drive` and closes it.
bool ShellOpened(const std::wstring& drive) {
  HWND w = nullptr;
  if (!WaitFor([&] { return (w = ShellWindowOn(drive)) != nullptr; })) return false;
  CloseAndWait(w);
  return true;
}

// Presses a button and answers the box it brings: the box's title and text,
// "|"-joined, or "none" when no box came.
std::wstring PressAndAnswer(Program& p, int id, int answer = IDOK) {
  Click(p.window(), id);
  Box box;
  if (!p.WaitForBox(&box, 10000)) return L"none";
  Program::Press(box.window, answer);
  std::wstring buttons;
  for (const std::wstring& b : box.buttons) buttons += L"|" + b;
  return box.title + L"|" + box.text + buttons;
}

// Every file and folder below the café's folders, relative to kRoot.
void List(const std::wstring& folder, std::set<std::wstring>* out) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    std::wstring path = folder + L"\\" + name;
    bool dir = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    out->insert(path.substr(kRoot.size()) + (dir ? L"\\" : L""));
    if (dir) List(path, out);
  } while (FindNextFileW(find, &data));
  FindClose(find);
}
std::set<std::wstring> Tree() {
  std::set<std::wstring> tree;
  List(kDocs, &tree);
  List(kRoot + L"\\games", &tree);
  return tree;
}

class TenButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareCafe(Cafe{true, true});
    // The documents folder inside the test's folder, with the screenshots and,
    // around them, files that no command may touch.
    ASSERT_TRUE(SetString(HKEY_CURRENT_USER,
                          L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell "
                          L"Folders",
                          L"Personal", kDocs));
    wchar_t docs[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, docs);
    ASSERT_EQ(std::wstring(docs), kDocs) << "the documents folder did not move";
    MakeFolders(kShots + L"\\old");
    for (const wchar_t* f : {L"\\sa001.jpg", L"\\sa002.jpg", L"\\noext", L"\\old\\sa000.jpg"})
      WriteFile(kShots + f, "picture");
    MakeFolders(kDocs + L"\\Suddenattack\\screenshot2");
    WriteFile(kDocs + L"\\letter.txt", "keep");
    WriteFile(kDocs + L"\\Suddenattack\\config.ini", "keep");
    WriteFile(kDocs + L"\\Suddenattack\\screenshot2\\sa001.jpg", "keep");
    for (const std::wstring& game : {kNetmarble, kNexon}) {
      MakeFolders(game + L"\\save");
      WriteFile(game + L"\\game.exe", "keep");
      WriteFile(game + L"\\gvi.dat.bak", "keep");
      WriteFile(game + L"\\save\\gvi.dat", "keep");
    }
    ClearSubstLog();
  }
};

// A game folder first (no other drive: no wait), then the screenshot folder,
// which waits three seconds after "subst"; the Nexon game folder pressed in
// that wait runs inside it with a wait window of its own. Both screenshot
// buttons share one drive. Closing the window removes the drives in slot
// order (screenshot, Netmarble, Nexon), not in the order they were made.
TEST_F(TenButtons, OpenFoldersThroughVirtualDrives) {
  if (!SubstStandInInstalled()) GTEST_SKIP() << kNoSubstStandIn;
  const std::wstring free = FreeLetters();
  ASSERT_GE(free.size(), 3u);
  const std::wstring netmarble = Drive(free[0]), shots = Drive(free[1]), nexon = Drive(free[2]);
  Program p(kRoot + L"\\open");
  ASSERT_TRUE(StartedAndShown(p));

  Click(p.window(), kNetmarbleButton1);
  EXPECT_TRUE(ShellOpened(netmarble));
  EXPECT_EQ(SubstLog(), std::vector<std::wstring>{SubstMapping(netmarble, kNetmarble)});
  EXPECT_TRUE(FileExists(netmarble + L"\\gvi.dat")) << "the drive shows the game folder";

  Click(p.window(), kNetmarbleButton2);
  HWND outer = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    auto waits = TopWindows({p.pid(), L"TfWait"});
    if (SubstLog().size() == 2 && waits.size() == 1) outer = waits[0];
    return outer != nullptr;
  }));
  EXPECT_EQ(WaitWindowText(outer), kOpeningShots);
  Click(p.window(), kNexonButton1);
  HWND inner = nullptr;
  EXPECT_TRUE(WaitFor([&] {
    for (HWND w : TopWindows({p.pid(), L"TfWait"}))
      if (w != outer) inner = w;
    return inner != nullptr;
  })) << "the nested command's own wait window";
  EXPECT_EQ(WaitWindowText(inner), kOpeningGame);
  // Checked the moment the nested command ends: the outer one still has most
  // of its three seconds to wait, however slowly the shell window comes up.
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(inner); }));
  EXPECT_TRUE(IsWindow(outer)) << "the nested command closed only its own wait window";
  EXPECT_TRUE(ShellOpened(nexon));
  EXPECT_TRUE(ShellOpened(shots));
  EXPECT_TRUE(WaitFor([&] { return TopWindows({p.pid(), L"TfWait"}).empty(); }));
  EXPECT_EQ(SubstLog(), (std::vector<std::wstring>{
                            SubstMapping(netmarble, kNetmarble),
                            SubstMapping(shots, kShots),
                            SubstMapping(nexon, kNexon),
                        }));
  EXPECT_TRUE(FileExists(shots + L"\\sa001.jpg"));
  EXPECT_TRUE(FileExists(nexon + L"\\gvi.dat"));

  // Pressed again, or from the other section: the same drive, no new one.
  Click(p.window(), kNexonButton2);
  EXPECT_TRUE(ShellOpened(shots));
  Click(p.window(), kNetmarbleButton1);
  EXPECT_TRUE(ShellOpened(netmarble));
  EXPECT_EQ(SubstLog().size(), 3u);

  ASSERT_TRUE(p.Close());
  std::vector<std::wstring> log = SubstLog();
  ASSERT_EQ(log.size(), 6u);
  const std::wstring removed[] = {shots, netmarble, nexon};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(Utf8(log[3 + i]));
    EXPECT_EQ(log[3 + i].substr(log[3 + i].size() - 5), L"/D " + removed[i]);
    EXPECT_EQ(GetDriveTypeW((removed[i] + L"\\").c_str()), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
  }
}

// A "subst" put beside the program, or in its current folder, where the
// system's search by name looks first, never runs: the system's own maps the
// folder and removes the drive at close. The planted ones are copies of the
// stand-in, which log every command line beside themselves.
TEST_F(TenButtons, PlantedSubstNeverRuns) {
  if (!SubstStandInInstalled()) GTEST_SKIP() << kNoSubstStandIn;
  const std::wstring folder = kRoot + L"\\planted";
  const std::wstring system_subst = SystemFolder() + L"\\subst.exe";
  const std::wstring drive = Drive(FreeLetters()[0]);
  Program p(folder);
  ASSERT_TRUE(CopyFileW(system_subst.c_str(), (folder + L"\\subst.exe").c_str(), FALSE));
  ASSERT_TRUE(StartedAndShown(p));
  ASSERT_TRUE(
      CopyFileW(system_subst.c_str(), (p.current_folder() + L"\\subst.exe").c_str(), FALSE));

  Click(p.window(), kNetmarbleButton1);
  EXPECT_TRUE(ShellOpened(drive));
  ASSERT_TRUE(p.Close());
  for (const std::wstring& planted : {folder, p.current_folder()})
    EXPECT_FALSE(FileExists(planted + L"\\subst.log")) << "ran: " << Utf8(planted) << "\\subst.exe";
  const std::vector<std::wstring> log = SubstLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], SubstMapping(drive, kNetmarble));
  EXPECT_EQ(log[1].substr(log[1].size() - 5), L"/D " + drive);
  EXPECT_EQ(GetDriveTypeW((drive + L"\\").c_str()), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
}

// "subst" that cannot map: the wait window goes before the message, and the
// next press maps. Folders that are gone stop each command with its message.
TEST_F(TenButtons, FailedMappingAndMissingFolders) {
  // Takes the stand-in away for a moment, which a system's own subst forbids.
  if (!SubstStandInInstalled()) GTEST_SKIP() << kNoSubstStandIn;
  const std::wstring drive = Drive(FreeLetters()[0]);
  Program p(kRoot + L"\\missing");
  ASSERT_TRUE(StartedAndShown(p));

  const std::wstring subst = SystemFolder() + L"\\subst.exe", away = subst + L".away";
  ASSERT_TRUE(MoveFileExW(subst.c_str(), away.c_str(), MOVEFILE_REPLACE_EXISTING));
  Click(p.window(), kNetmarbleButton2);
  Box failed;
  bool shown = p.WaitForBox(&failed, 15000);
  bool wait_gone = TopWindows({p.pid(), L"TfWait"}).empty();
  MoveFileExW(away.c_str(), subst.c_str(), MOVEFILE_REPLACE_EXISTING);
  ASSERT_TRUE(shown);
  EXPECT_EQ(failed.title, L"Information");
  EXPECT_EQ(failed.text, L"\r\n스크린샷 폴더를 열 수 없습니다.");
  EXPECT_TRUE(wait_gone) << "the wait window closes before the message";
  Program::Press(failed.window, IDOK);
  Click(p.window(), kNexonButton2);
  EXPECT_TRUE(ShellOpened(drive)) << "a later press maps the folder";

  const std::wstring gone = kRoot + L"\\games\\Nexon\\gone";
  RemoveDirectoryW(gone.c_str());
  ASSERT_TRUE(MoveFileW(kNexon.c_str(), gone.c_str()));
  EXPECT_EQ(PressAndAnswer(p, kNexonButton1), L"Information|\r\n서든 폴더가 존재하지 않습니다.|OK");
  EXPECT_EQ(PressAndAnswer(p, kNexonButton3), L"Information|\r\n서든어택이 초기화 되었습니다.|OK");
  MoveFileW(gone.c_str(), kNexon.c_str());

  const std::wstring shots_gone = kDocs + L"\\Suddenattack\\gone";
  RemoveDirectoryW(shots_gone.c_str());
  ASSERT_TRUE(MoveFileW(kShots.c_str(), shots_gone.c_str()));
  std::set<std::wstring> before = Tree();
  EXPECT_EQ(PressAndAnswer(p, kNetmarbleButton2),
            L"Information|\r\n스크린샷 폴더가 존재하지 않습니다.|OK");
  EXPECT_EQ(PressAndAnswer(p, kNexonButton4),
            L"Information|\r\n스크린샷 폴더가 삭제되었습니다.|OK");
  EXPECT_EQ(Tree(), before);
  EXPECT_TRUE(TopWindows({p.pid(), L"TfWait"}).empty());
  MoveFileW(shots_gone.c_str(), kShots.c_str());
  EXPECT_TRUE(p.Close());
}

// No deletes nothing; Yes empties the screenshot folder and keeps it, or
// removes the one "gvi.dat", and nothing else anywhere.
TEST_F(TenButtons, DeleteScreenshotsAndResetGame) {
  Program p(kRoot + L"\\delete");
  ASSERT_TRUE(StartedAndShown(p));
  const std::set<std::wstring> before = Tree();

  const std::wstring ask_delete = L"Confirm|\r\n스크린샷 폴더를 삭제하시겠습니까?|&Yes|&No";
  const std::wstring ask_reset = L"Confirm|\r\n서든어택을 초기화 하시겠습니까?|&Yes|&No";
  EXPECT_EQ(PressAndAnswer(p, kNetmarbleButton4, IDNO), ask_delete);
  EXPECT_EQ(PressAndAnswer(p, kNexonButton4, IDNO), ask_delete);
  EXPECT_EQ(PressAndAnswer(p, kNetmarbleButton3, IDNO), ask_reset);
  EXPECT_EQ(PressAndAnswer(p, kNexonButton3, IDNO), ask_reset);
  ASSERT_TRUE(RoundTrip(p.window()));
  EXPECT_TRUE(TopWindows({p.pid(), L"#32770"}).empty()) << "No shows nothing more";
  EXPECT_EQ(Tree(), before);

  std::set<std::wstring> expected = before;
  for (const wchar_t* f :
       {L"\\sa001.jpg", L"\\sa002.jpg", L"\\noext", L"\\old\\", L"\\old\\sa000.jpg"})
    expected.erase(kShots.substr(kRoot.size()) + f);
  EXPECT_EQ(PressAndAnswer(p, kNexonButton4, IDYES), ask_delete);
  Box done;
  ASSERT_TRUE(p.WaitForBox(&done));
  EXPECT_EQ(done.text, L"\r\n스크린샷 폴더를 삭제하였습니다.");
  Program::Press(done.window, IDOK);
  EXPECT_EQ(Tree(), expected);

  EXPECT_EQ(PressAndAnswer(p, kNetmarbleButton3, IDYES), ask_reset);
  ASSERT_TRUE(p.WaitForBox(&done));
  EXPECT_EQ(done.text, L"\r\n서든어택이 초기화 되었습니다.");
  Program::Press(done.window, IDOK);
  expected.erase(kNetmarble.substr(kRoot.size()) + L"\\gvi.dat");
  EXPECT_EQ(Tree(), expected);

  EXPECT_EQ(PressAndAnswer(p, kNexonButton3, IDYES), ask_reset);
  ASSERT_TRUE(p.WaitForBox(&done));
  Program::Press(done.window, IDOK);
  expected.erase(kNexon.substr(kRoot.size()) + L"\\gvi.dat");
  EXPECT_EQ(Tree(), expected);

  // Nothing left to reset: said at once, without asking.
  EXPECT_EQ(PressAndAnswer(p, kNexonButton3), L"Information|\r\n서든어택이 초기화 되었습니다.|OK");
  // An empty screenshot folder is emptied again without complaint.
  EXPECT_EQ(PressAndAnswer(p, kNetmarbleButton4, IDYES), ask_delete);
  ASSERT_TRUE(p.WaitForBox(&done));
  EXPECT_EQ(done.text, L"\r\n스크린샷 폴더를 삭제하였습니다.");
  Program::Press(done.window, IDOK);
  EXPECT_EQ(Tree(), expected);
  EXPECT_TRUE(p.Close());
}

// The home-page buttons hand each edition's address to the shell, which opens
// it with the prefix's browser (here one that only records it).
TEST_F(TenButtons, HomePages) {
  ASSERT_TRUE(UseStandInBrowser());
  const std::wstring log = BrowserLog();
  Program p(kRoot + L"\\home");
  ASSERT_TRUE(StartedAndShown(p));
  Click(p.window(), kButton7);
  EXPECT_TRUE(WaitFor([&] { return LogLines(log).size() == 1; }));
  Click(p.window(), kButton10);
  EXPECT_TRUE(WaitFor([&] { return LogLines(log).size() == 2; }));
  std::vector<std::wstring> lines = LogLines(log);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find(L" \"http://sudden.netmarble.net/\""), std::wstring::npos)
      << Utf8(lines[0]);
  EXPECT_NE(lines[1].find(L" \"http://sa.nexon.com/\""), std::wstring::npos) << Utf8(lines[1]);
  ASSERT_TRUE(RoundTrip(p.window()));
  EXPECT_TRUE(TopWindows({p.pid(), L"#32770"}).empty()) << "nothing of the program's own shows";
  EXPECT_TRUE(p.Close());
}

}  // namespace
}  // namespace varnett::e2e
