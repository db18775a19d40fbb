#include "tests/wintools/varnett_demo/tour.h"

#include <cstdio>
#include <string>

#include "app/control_ids.h"
#include "tests/support/e2e/driver.h"
#include "tests/support/e2e/shell_windows.h"

namespace varnett::demo {

using namespace e2e;

namespace {

class Tour {
 public:
  Tour(HWND main, const std::wstring& shots) : main_(main), shots_(shots) {
    GetWindowThreadProcessId(main, &pid_);
  }

  void Say(const std::wstring& what) { std::printf("  %s\n", Utf8(what).c_str()); }

  // A picture of `window` once it has painted (never after a guessed wait:
  // on a loaded machine a box can take seconds to draw). A window that goes,
  // or never finishes painting, is said and not pictured.
  bool Picture(HWND window, const std::wstring& name) {
    if (!WaitPainted(window) || !IsWindowVisible(window)) {
      Say(L"(no picture: " + name + L" was not painted in time)");
      return false;
    }
    wchar_t number[8];
    swprintf(number, 8, L"%02d-", ++pictures_);
    return SaveScreenshot(window, shots_ + L"\\" + number + name + L".bmp");
  }

  // A button that opens a folder: the wait window while a drive is made (if
  // it stays long enough to be seen), then the shell's window on the drive.
  void OpenFolder(int id, const std::wstring& name) {
    Press(id, name);
    bool waited = false;
    std::wstring drive;
    HWND shell = nullptr;
    bool opened = WaitFor([&] {
      auto waits = TopWindows({pid_, L"TfWait"});
      // The first drive has no three-second wait: its window may be gone
      // before it can be seen.
      if (!waited && !waits.empty()) {
        waited = true;
        std::wstring text = WaitWindowText(waits[0]);
        if (!text.empty() && Picture(waits[0], name + L"-wait")) Say(L"wait window: " + Flat(text));
      }
      return (shell = AnyShellWindowOnADrive(&drive)) != nullptr;
    });
    if (!opened) {
      Say(L"no shell window opened");
      ok_ = false;
      return;
    }
    Picture(shell, name + L"-shell");
    Say(L"the shell shows the drive " + drive + L" (" + TextOf(shell) + L")");
    CloseAndWait(shell);
    WaitFor([&] { return TopWindows({pid_, L"TfWait"}).empty(); });
  }

  // A button that asks first: Yes, then the box that follows.
  void Answer(int id, const std::wstring& name) {
    Press(id, name);
    for (int box_number = 0; box_number < 2; ++box_number) {
      HWND box = nullptr;
      if (!WaitFor([&] { return (box = FirstBox()) != nullptr; }, 10000)) break;
      bool question = GetDlgItem(box, IDYES) != nullptr;
      Picture(box, name + (question ? L"-question" : L"-answer"));
      Say(TextOf(box) + L": " + Flat(TextOf(GetDlgItem(box, 0xFFFF))) +
          (question ? L" -> Yes" : L" -> OK"));
      Program::Press(box, question ? IDYES : IDOK);
      if (!question) break;
    }
  }

  bool ok() const { return ok_; }

  void HomePage(int id, const std::wstring& name, const std::wstring& log) {
    size_t before = LogLines(log).size();
    Press(id, name);
    if (WaitFor([&] { return LogLines(log).size() > before; }, 5000))
      Say(L"the browser was given: " + LogLines(log).back());
    else
      Say(L"handed to the shell's browser");
  }

 private:
  void Press(int id, const std::wstring& name) {
    std::printf("%s\n", Utf8(name).c_str());
    Click(main_, id);
  }
  HWND FirstBox() {
    auto boxes = TopWindows({pid_, L"#32770"});
    return boxes.empty() ? nullptr : boxes[0];
  }
  // A box's text on one line.
  static std::wstring Flat(std::wstring text) {
    for (wchar_t& c : text)
      if (c == L'\r' || c == L'\n') c = L' ';
    size_t start = text.find_first_not_of(L' ');
    return start == std::wstring::npos ? L"" : text.substr(start);
  }

  HWND main_;
  std::wstring shots_;
  DWORD pid_ = 0;
  int pictures_ = 0;
  bool ok_ = true;
};

}  // namespace

namespace {

// The demo's main window once it shows, or null (said) when it does not.
HWND ShownMainWindow() {
  HWND main = nullptr;
  if (!WaitFor([&] { return (main = FindMainWindow(0)) && IsWindowVisible(main); })) {
    std::printf("the window did not show\n");
    return nullptr;
  }
  return main;
}

}  // namespace

bool PictureOfWindow(const std::wstring& path) {
  HWND main = ShownMainWindow();
  if (!main) return false;
  if (!WaitPainted(main)) {
    std::printf("the window was not painted in time\n");
    return false;
  }
  return SaveScreenshot(main, path);
}

bool PressEveryButton(const std::wstring& shots, const std::wstring& browser_log) {
  MakeFolders(shots);
  HWND main = ShownMainWindow();
  if (!main) return false;
  DWORD pid = 0;
  GetWindowThreadProcessId(main, &pid);
  // Open now, so its end can be waited for after the window closes.
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  size_t substs = SubstLog().size();

  Tour tour(main, shots);
  tour.OpenFolder(kNetmarbleButton1, L"넷마블 서든폴더 열기");
  tour.OpenFolder(kNetmarbleButton2, L"넷마블 스크린샷 열기");
  tour.Answer(kNetmarbleButton3, L"넷마블 서든어택 초기화");
  tour.Answer(kNetmarbleButton4, L"넷마블 스크린샷 삭제");
  tour.HomePage(kButton7, L"넷마블 서든어택 홈페이지", browser_log);
  tour.OpenFolder(kNexonButton1, L"넥슨 서든폴더 열기");
  tour.OpenFolder(kNexonButton2, L"넥슨 스크린샷 열기");
  tour.Answer(kNexonButton3, L"넥슨 서든어택 초기화");
  tour.Answer(kNexonButton4, L"넥슨 스크린샷 삭제");
  tour.HomePage(kButton10, L"넥슨 서든어택 홈페이지", browser_log);

  std::printf("closing the window\n");
  PostMessageW(main, WM_CLOSE, 0, 0);
  // The drives are removed before the program ends.
  const bool closed = WaitFor([&] { return !IsWindow(main); }) &&
                      (!process || WaitForSingleObject(process, 15000) == WAIT_OBJECT_0);
  if (process) CloseHandle(process);
  if (!closed) std::printf("  the window did not close\n");
  std::vector<std::wstring> log = SubstLog();
  std::printf("subst was run with:\n");
  for (size_t i = substs; i < log.size(); ++i) std::printf("  %s\n", Utf8(log[i]).c_str());
  return tour.ok() && closed;
}

}  // namespace varnett::demo
