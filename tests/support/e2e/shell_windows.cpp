#include "tests/support/e2e/shell_windows.h"

#include <sstream>

#include "tests/support/e2e/driver.h"
#include "text/utf8.h"

namespace varnett::e2e {

bool WaitFor(const std::function<bool()>& done, int timeout_ms) {
  for (int waited = 0; waited < timeout_ms; waited += 20) {
    if (done()) return true;
    Sleep(20);
  }
  return done();
}

HWND ShellWindowOn(const std::wstring& drive) {
  for (HWND w : TopWindows({0, L"ExplorerWClass"}))
    if (TextOf(w).find(L"(" + drive + L")") != std::wstring::npos) return w;
  return nullptr;
}

HWND AnyShellWindowOnADrive(std::wstring* drive) {
  for (HWND w : TopWindows({0, L"ExplorerWClass"})) {
    std::wstring title = TextOf(w);
    size_t open = title.rfind(L'(');
    if (open != std::wstring::npos && title.size() == open + 4 && title[open + 2] == L':' &&
        title[open + 3] == L')') {
      *drive = title.substr(open + 1, 2);
      return w;
    }
  }
  return nullptr;
}

void CloseAndWait(HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  WaitFor([&] { return !IsWindow(window); }, 5000);
}

std::vector<std::wstring> LogLines(const std::wstring& path) {
  std::vector<std::wstring> lines;
  const std::u16string text = Utf8ToUtf16(ReadFile(path));
  std::wistringstream in(std::wstring(text.begin(), text.end()));
  std::wstring line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == L'\r' || line.back() == L' ')) line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::wstring SystemFolder() {
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  return system;
}

std::vector<std::wstring> SubstLog() { return LogLines(SystemFolder() + L"\\subst.log"); }

void ClearSubstLog() { DeleteFileW((SystemFolder() + L"\\subst.log").c_str()); }

std::wstring OpenFolderOnADrive(HWND main, int id) {
  Click(main, id);
  std::wstring drive;
  HWND shell = nullptr;
  if (!WaitFor([&] { return (shell = AnyShellWindowOnADrive(&drive)) != nullptr; })) return L"";
  CloseAndWait(shell);
  return drive;
}

bool UseStandInBrowser() {
  const std::wstring browser = BuildFolder() + L"\\wintools\\browser.exe";
  if (!FileExists(browser)) return false;
  DeleteFileW(BrowserLog().c_str());
  for (const wchar_t* scheme : {L"http", L"https"}) {
    if (!SetString(HKEY_CLASSES_ROOT, std::wstring(scheme) + L"\\shell\\open\\command", L"",
                   L"\"" + browser + L"\" \"%1\""))
      return false;
  }
  return true;
}

std::wstring BrowserLog() { return BuildFolder() + L"\\wintools\\browser.log"; }

std::wstring WaitWindowText(HWND wait) {
  for (const Control& c : ReadControls(wait))
    if (c.cls == L"Static" && !c.text.empty()) return c.text;
  return L"";
}

void Click(HWND main, int id) { PostMessageW(GetDlgItem(main, id), BM_CLICK, 0, 0); }

}  // namespace varnett::e2e
