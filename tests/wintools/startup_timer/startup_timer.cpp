// Start-up timer: starts each program in turn, measures from just before
// CreateProcess until the program has a visible top-level window of non-zero
// size, then closes it and waits for it to end. Rounds go through the cases
// in turn, so a load that changes during the run weighs on every case alike.
//
//   startup_timer ROUNDS "LABEL|HIDE|COMMAND LINE" ...
//
// HIDE, when not empty, is written to the café's hidden-folder registry
// value before each start, so cases can differ only in their catalogue.
// Prints one line per case: label, best, median and worst milliseconds, and
// the best as a ratio of the first case's best. Benchmarks only.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Case {
  std::wstring label, hide, command;
  std::vector<double> ms;
};

struct Search {
  DWORD pid;
  bool found;
  bool message_box;  // shown instead of the main window: the case is wrong
};

BOOL CALLBACK FindShown(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  RECT r;
  if (pid == search->pid && IsWindowVisible(window) && GetWindowRect(window, &r) &&
      r.right > r.left && r.bottom > r.top) {
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    (wcscmp(name, L"#32770") == 0 ? search->message_box : search->found) = true;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CloseAll(HWND window, LPARAM param) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == static_cast<DWORD>(param) && IsWindowVisible(window))
    PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

bool SetHide(const std::wstring& hide) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Trovek\\Config", 0, nullptr, 0, KEY_SET_VALUE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  LONG status =
      RegSetValueExW(key, L"HideFolder", 0, REG_SZ, reinterpret_cast<const BYTE*>(hide.c_str()),
                     static_cast<DWORD>((hide.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

// Milliseconds to the first visible window, or a negative number on failure
// (no window, or a message box first).
double TimeOnce(const Case& c) {
  if (!c.hide.empty() && !SetHide(c.hide)) return -1;
  std::wstring line = c.command;
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return -1;
  Search search{pi.dwProcessId, false, false};
  double ms = -1;
  for (;;) {
    EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
    QueryPerformanceCounter(&now);
    double elapsed = 1000.0 * (now.QuadPart - start.QuadPart) / frequency.QuadPart;
    if (search.found) {
      ms = elapsed;
      break;
    }
    // Gone, or stuck (a message box would show as a window and be timed).
    if (search.message_box || WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0 ||
        elapsed > 60000)
      break;
    Sleep(1);
  }
  // Closed the way a user closes it; a program that does not end is ended.
  EnumWindows(CloseAll, static_cast<LPARAM>(pi.dwProcessId));
  if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 10000);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return ms;
}

std::string Utf8(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return 2;
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_timer ROUNDS \"LABEL|HIDE|COMMAND LINE\" ...\n");
    return 2;
  }
  int rounds = std::max(1, _wtoi(argv[1]));
  std::vector<Case> cases;
  for (int i = 2; i < argc; ++i) {
    std::wstring text = argv[i];
    size_t a = text.find(L'|'), b = a == std::wstring::npos ? a : text.find(L'|', a + 1);
    if (b == std::wstring::npos) {
      std::fprintf(stderr, "startup_timer: bad case %s\n", Utf8(text).c_str());
      return 2;
    }
    cases.push_back(Case{text.substr(0, a), text.substr(a + 1, b - a - 1), text.substr(b + 1), {}});
  }
  // Round 0 is not counted: the first start of a session also starts Wine's
  // desktop process and fills the file cache.
  for (int round = 0; round <= rounds; ++round) {
    for (Case& c : cases) {
      double ms = TimeOnce(c);
      if (ms < 0) {
        std::fprintf(stderr, "startup_timer: %s showed no window, or a message box first\n",
                     Utf8(c.label).c_str());
        return 1;
      }
      if (round > 0) c.ms.push_back(ms);
    }
  }
  double base = 0;
  std::printf("%-28s %9s %9s %9s %7s\n", "start-up to visible window", "best ms", "median", "worst",
              "ratio");
  for (Case& c : cases) {
    std::sort(c.ms.begin(), c.ms.end());
    double best = c.ms.front(), median = c.ms[c.ms.size() / 2], worst = c.ms.back();
    if (base == 0) base = best;
    std::printf("%-28s %9.1f %9.1f %9.1f %6.2fx\n", Utf8(c.label).c_str(), best, median, worst,
                best / base);
  }
  return 0;
}
