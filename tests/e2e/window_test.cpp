// The main window as automation sees it in each of the four states the found
// editions lead to, with screenshots of each.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/control_ids.h"
#include "tests/support/e2e/assertions.h"
#include "tests/support/e2e/cafe.h"
#include "tests/support/e2e/driver.h"

namespace varnett::e2e {
namespace {

const std::wstring kNotFound = L"\r\n게임을 찾을 수 없습니다. 게임의 설치여부를 확인해 주십시오.";

struct Expected {
  int id;
  const wchar_t* cls;
  const wchar_t* text;
  int left, top, width, height;
};

// Every control at its designed place, relative to the window's corner.
std::vector<Expected> Design() {
  return {
      {kNetmarbleTitle, L"Static", L"넷마블 서든어택", 11, 209, -1, -1},
      {kNetmarbleOpenGameFolder, L"Button", L"서든폴더 열기", 115, 209, 94, 30},
      {kNetmarbleOpenScreenshots, L"Button", L"스크린샷 열기", 212, 209, 94, 30},
      {kNetmarbleResetGame, L"Button", L"서든어택 초기화", 115, 242, 94, 30},
      {kNetmarbleDeleteScreenshots, L"Button", L"스크린샷 삭제", 212, 242, 94, 30},
      {kBanner, nullptr, nullptr, 11, 36, 492, 164},
      {kBannerImage, nullptr, nullptr, 12, 37, 490, 162},
      {kGreeting, L"Static",
       L"서든어택 도우미입니다. 장시간의 게임은 건강에 해룹습니다. 즐거운 게임을 위해 적당한 "
       L"휴식을...^^",
       11 + 359, 36 + 66, 123, 89},
      {kServerName, L"Static", L"PC방 서버", 11 + 386, 36 + 3, 74, 20},
      {kPicture, nullptr, nullptr, 12, 37, 352, 162},
      {kNetmarbleHomePage, L"Button", L"서든어택", 408, 209, 94, 63},
      {kNexonTitle, L"Static", L"넥슨 서든어택", 11, 289, -1, -1},
      {kNexonOpenGameFolder, L"Button", L"서든폴더 열기", 115, 289, 94, 30},
      {kNexonOpenScreenshots, L"Button", L"스크린샷 열기", 212, 289, 94, 30},
      {kNexonResetGame, L"Button", L"서든어택 초기화", 115, 322, 94, 30},
      {kNexonDeleteScreenshots, L"Button", L"스크린샷 삭제", 212, 322, 94, 30},
      {kNexonHomePage, L"Button", L"서든어택", 408, 289, 94, 63},
  };
}

struct Row {
  const char* name;
  Cafe cafe;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

class DecisionTable : public ::testing::TestWithParam<Row> {};

// An information box saying `text`, with OK alone, modal to the main window,
// which has not shown yet: boxes of the start come before the window.
void ExpectInformationBeforeTheWindow(Program& program, const Box& box, const std::wstring& text) {
  EXPECT_EQ(box.title, L"Information");
  EXPECT_EQ(box.text, text);
  EXPECT_EQ(box.buttons, std::vector<std::wstring>{L"OK"});
  HWND window = program.WaitForWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window)) << "the window showed before its state";
  EXPECT_EQ(GetWindow(box.window, GW_OWNER), window) << "modal to the main window";
}

bool Is(int id, std::initializer_list<int> ids) {
  for (int i : ids)
    if (i == id) return true;
  return false;
}

TEST_P(DecisionTable, WindowMatchesTheFoundEditions) {
  const Row& row = GetParam();
  PrepareCafe(row.cafe);
  Program program(kRoot + L"\\row-" + std::wstring(row.name, row.name + strlen(row.name)));
  ASSERT_TRUE(program.Start()) << program.start_error();
  bool none = !row.cafe.netmarble && !row.cafe.nexon;
  if (none) {
    // The box comes before the window appears, in English on every locale.
    Box box;
    ASSERT_TRUE(program.WaitForBox(&box));
    ExpectInformationBeforeTheWindow(program, box, kNotFound);
    // The box's own layout is designed at 96 DPI too.
    RECT ok = WindowRect(GetDlgItem(box.window, IDOK));
    EXPECT_EQ(ok.right - ok.left, Scaled(75));
    EXPECT_EQ(ok.bottom - ok.top, Scaled(23));
    std::wstring shots = Env(L"VARNETT_SCREENSHOTS");
    if (!shots.empty() && MakeFolders(shots)) {
      std::wstring suffix = Dpi() == 96 ? L"" : L"-dpi" + std::to_wstring(Dpi());
      EXPECT_TRUE(SaveScreenshot(box.window, shots + L"\\not-found-box" + suffix + L".bmp"));
    }
    Program::Press(box.window, IDOK);
  }
  std::wstring box;
  ASSERT_TRUE(program.WaitVisible(15000, &box)) << Utf8(box);
  HWND window = program.window();
  RECT r = WindowRect(window);
  bool short_window = row.cafe.netmarble != row.cafe.nexon;
  EXPECT_EQ(r.right - r.left, Scaled(528));
  EXPECT_EQ(r.bottom - r.top, Scaled(short_window ? 292 : 372));

  std::vector<Control> controls = ReadControls(window);
  bool nexon_only = !row.cafe.netmarble && row.cafe.nexon;
  for (const Expected& e : Design()) {
    SCOPED_TRACE(e.id);
    const Control* c = FindControl(controls, e.id);
    ASSERT_NE(c, nullptr);
    int top = e.top;
    bool nexon_section = Is(e.id, {kNexonTitle, kNexonOpenGameFolder, kNexonOpenScreenshots,
                                   kNexonResetGame, kNexonDeleteScreenshots});
    bool netmarble_section =
        Is(e.id, {kNetmarbleTitle, kNetmarbleOpenGameFolder, kNetmarbleOpenScreenshots,
                  kNetmarbleResetGame, kNetmarbleDeleteScreenshots});
    if (nexon_only && nexon_section) top -= 80;
    // Banner children sit in the scaled panel at their own scaled place.
    bool in_banner = Is(e.id, {kBannerImage, kGreeting, kServerName, kPicture});
    int left = in_banner ? Scaled(11) + Scaled(e.left - 11) : Scaled(e.left);
    int scaled_top = in_banner ? Scaled(36) + Scaled(top - 36) : Scaled(top);
    EXPECT_EQ(c->rect.left, left);
    EXPECT_EQ(c->rect.top, scaled_top);
    if (e.width > 0) {
      EXPECT_EQ(c->rect.right - c->rect.left, Scaled(e.width));
      EXPECT_EQ(c->rect.bottom - c->rect.top, Scaled(e.height));
    }
    if (e.cls) {
      EXPECT_EQ(c->cls, e.cls);
    }
    std::wstring text = e.text ? e.text : L"";
    if (row.cafe.netmarble && row.cafe.nexon && e.id == kNetmarbleHomePage)
      text = L"넷마블\r\n서든어택\r\n홈페이지";
    if (row.cafe.netmarble && row.cafe.nexon && e.id == kNexonHomePage)
      text = L"넥슨\r\n서든어택\r\n홈페이지";
    if (e.text || e.id == kNetmarbleHomePage || e.id == kNexonHomePage) {
      EXPECT_EQ(c->text, text);
    }

    bool section_button = c->cls == L"Button" && !Is(e.id, {kNetmarbleHomePage, kNexonHomePage});
    bool enabled = true;
    if (section_button && netmarble_section) enabled = row.cafe.netmarble;
    if (section_button && nexon_section) enabled = row.cafe.nexon;
    EXPECT_EQ(c->enabled, enabled);
    // Hidden: the Netmarble section when only Nexon is found, and in both
    // short windows the rows designed at 289 and lower, below the lower edge.
    bool below_edge = short_window && top >= 289;
    bool visible = !(nexon_only && netmarble_section) && !below_edge;
    EXPECT_EQ(c->visible, visible);
  }

  // No caption is clipped: each needs no more room than its control gives
  // it (the buttons keep a margin of 3 by 2 designed pixels), measured with
  // the interface font at the DPI the test runs at.
  HDC dc = GetDC(nullptr);
  for (bool bold : {false, true}) {
    HFONT font = CreateFontW(-Scaled(11), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                             DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    for (const Control& c : controls) {
      bool label = Is(c.id, {kNetmarbleTitle, kNexonTitle});
      if (c.text.empty() || !c.visible || label != bold) continue;
      bool button = c.cls == L"Button";
      RECT room = {0, 0, c.rect.right - c.rect.left - (button ? 2 * Scaled(3) : 0),
                   c.rect.bottom - c.rect.top - (button ? 2 * Scaled(2) : 0)};
      RECT need = {0, 0, room.right, 0};
      UINT format = label ? DT_SINGLELINE : DT_WORDBREAK;
      DrawTextW(dc, c.text.c_str(), static_cast<int>(c.text.size()), &need,
                format | DT_CALCRECT | DT_NOPREFIX);
      EXPECT_LE(need.right, room.right) << "too wide: " << Utf8(c.text);
      EXPECT_LE(need.bottom, room.bottom) << "too tall: " << Utf8(c.text);
    }
    SelectObject(dc, old);
    DeleteObject(font);
  }
  ReleaseDC(nullptr, dc);

  if (row.cafe.netmarble && row.cafe.nexon) {
    // Tab order: the Netmarble section, the banner, then the home-page
    // button and the Nexon section.
    std::vector<int> order;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      if (GetDlgCtrlID(c) != 0) order.push_back(GetDlgCtrlID(c));  // 0: the frame's edge
    EXPECT_EQ(order, (std::vector<int>{kNetmarbleTitle, kNetmarbleOpenGameFolder,
                                       kNetmarbleOpenScreenshots, kNetmarbleResetGame,
                                       kNetmarbleDeleteScreenshots, kBanner, kNetmarbleHomePage,
                                       kNexonTitle, kNexonOpenGameFolder, kNexonOpenScreenshots,
                                       kNexonResetGame, kNexonDeleteScreenshots, kNexonHomePage}));
  }

  std::wstring shots = Env(L"VARNETT_SCREENSHOTS");
  if (!shots.empty()) {
    MakeFolders(shots);
    std::wstring suffix = GetACP() == 949 ? L"" : L"-cp" + std::to_wstring(GetACP());
    if (Dpi() != 96) suffix += L"-dpi" + std::to_wstring(Dpi());
    std::wstring name(row.name, row.name + strlen(row.name));
    EXPECT_TRUE(SaveScreenshot(window, shots + L"\\" + name + suffix + L".bmp"));
  }
  EXPECT_TRUE(program.Close());
}

INSTANTIATE_TEST_SUITE_P(Rows, DecisionTable,
                         ::testing::Values(Row{"neither", {false, false}},
                                           Row{"netmarble-only", {true, false}},
                                           Row{"nexon-only", {false, true}},
                                           Row{"both", {true, true}},
                                           Row{"catalogue-both", {true, true, true}},
                                           Row{"catalogue-nexon-only", {false, true, true}}),
                         [](const auto& info) {
                           std::string n = info.param.name;
                           for (char& c : n)
                             if (c == '-') c = '_';
                           return n;
                         });

// Moved to a monitor with another scale, the window takes the place the
// system suggests and lays itself out again for the new DPI; moved back, it
// is exactly as before. Wine has one DPI for every monitor, so the message the
// system would send is sent here, its rectangle placed in the program's memory.
TEST(DpiChange, RescalesToTheNewDpiAndBack) {
  PrepareCafe(Cafe{true, true});
  Program program(kRoot + L"\\dpi-change");
  ASSERT_TRUE(StartedAndShown(program));
  HWND window = program.window();
  const std::vector<Control> before = ReadControls(window);
  const RECT start = WindowRect(window);

  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, program.pid());
  ASSERT_NE(process, nullptr);
  void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  ASSERT_NE(remote, nullptr);
  auto change = [&](int dpi, RECT suggested) {
    WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr);
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                               reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000,
                               &ignored) != 0;
  };

  const int other = Dpi() == 192 ? 120 : 192;
  auto at = [other](int designed) { return MulDiv(designed, other, 96); };
  ASSERT_TRUE(change(other, RECT{40, 30, 40 + at(528), 30 + at(372)}));
  RECT moved = WindowRect(window);
  EXPECT_EQ(moved.left, 40);
  EXPECT_EQ(moved.top, 30);
  EXPECT_EQ(moved.right - moved.left, at(528));
  EXPECT_EQ(moved.bottom - moved.top, at(372));
  std::vector<Control> controls = ReadControls(window);
  const Control* last = FindControl(controls, kNexonDeleteScreenshots);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->rect.left, at(212));
  EXPECT_EQ(last->rect.top, at(322));
  EXPECT_EQ(last->rect.right - last->rect.left, at(94));
  EXPECT_EQ(last->rect.bottom - last->rect.top, at(30));
  const Control* label = FindControl(controls, kGreeting);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->rect.left, at(11) + at(359));

  ASSERT_TRUE(change(Dpi(), start));
  EXPECT_EQ(WindowRect(window).right, start.right);
  EXPECT_EQ(WindowRect(window).bottom, start.bottom);
  std::vector<Control> after = ReadControls(window);
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < after.size(); ++i) {
    EXPECT_EQ(after[i].rect.left, before[i].rect.left) << after[i].id;
    EXPECT_EQ(after[i].rect.top, before[i].rect.top) << after[i].id;
    EXPECT_EQ(after[i].rect.right, before[i].rect.right) << after[i].id;
    EXPECT_EQ(after[i].rect.bottom, before[i].rect.bottom) << after[i].id;
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  EXPECT_TRUE(program.Close());
}

// An error the locator does not handle is shown in the default error box
// (no full stop after a closing quote), and the window then opens with its
// designed size and every button usable.
TEST(LocatorError, ShownInTheDefaultErrorBoxAndTheWindowStillOpens) {
  Cafe cafe;
  cafe.netmarble_value_not_text = true;
  PrepareCafe(cafe);
  Program program(kRoot + L"\\locator-error");
  ASSERT_TRUE(program.Start()) << program.start_error();
  Box box;
  ASSERT_TRUE(program.WaitForBox(&box));
  EXPECT_EQ(box.title, L"Helvane Ver2.3");
  EXPECT_EQ(box.text, L"Invalid data type for 'DestDir'");
  EXPECT_EQ(box.buttons, std::vector<std::wstring>{L"OK"});
  Program::Press(box.window, IDOK);
  std::wstring unexpected;
  ASSERT_TRUE(program.WaitVisible(15000, &unexpected)) << Utf8(unexpected);
  RECT r = WindowRect(program.window());
  EXPECT_EQ(r.right - r.left, Scaled(502));
  EXPECT_EQ(r.bottom - r.top, Scaled(357));
  for (const Control& c : ReadControls(program.window())) {
    if (c.cls == L"Button") {
      EXPECT_TRUE(c.enabled) << c.id;
    }
  }
  EXPECT_TRUE(program.Close());
  PrepareCafe(Cafe{});
}

// A catalogue that cannot be read is reported once per edition, Netmarble
// first, then the notice that no edition was found: every box before the
// window appears, each modal to the still hidden main window. Whether the
// catalogue is read on another thread while the window is built (on four
// processors or more) or on the window's own, its boxes come from the
// window's thread, in this order.
TEST(DamagedCatalogue, BoxesInOrderBeforeTheWindow) {
  Cafe cafe;
  cafe.catalogue = true;
  cafe.netmarble = cafe.nexon = true;
  cafe.catalogue_damaged = true;
  PrepareCafe(cafe);
  Program program(kRoot + L"\\damaged-catalogue");
  ASSERT_TRUE(program.Start()) << program.start_error();
  for (const std::wstring& text : {std::wstring(L"\r\nStream read error"),
                                   std::wstring(L"\r\nStream read error"), kNotFound}) {
    SCOPED_TRACE(Utf8(text));
    Box box;
    ASSERT_TRUE(program.WaitForBox(&box));
    ExpectInformationBeforeTheWindow(program, box, text);
    Program::Press(box.window, IDOK);
  }
  std::wstring unexpected;
  ASSERT_TRUE(program.WaitVisible(15000, &unexpected)) << Utf8(unexpected);
  for (const Control& c : ReadControls(program.window())) {
    if (c.cls == L"Button" && c.id != kNetmarbleHomePage && c.id != kNexonHomePage) {
      EXPECT_FALSE(c.enabled) << c.id;
    }
  }
  EXPECT_TRUE(program.Close());
  PrepareCafe(Cafe{});
}

// The prefix runs in the code page the test run asked for, so the texts
// above were checked under it.
TEST(Locale, RunsInTheRequestedCodePage) {
  std::wstring wanted = Env(L"VARNETT_E2E_CODEPAGE");
  if (wanted.empty()) GTEST_SKIP() << "no code page requested";
  EXPECT_EQ(std::to_wstring(GetACP()), wanted);
}

}  // namespace
}  // namespace varnett::e2e
