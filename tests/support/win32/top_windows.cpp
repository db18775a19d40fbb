#include "tests/support/win32/top_windows.h"

namespace varnett::support {
namespace {

struct Search {
  const WindowQuery* query;
  bool first_only;
  std::vector<HWND> found;
};

BOOL CALLBACK Match(HWND window, LPARAM lparam) {
  auto* s = reinterpret_cast<Search*>(lparam);
  const WindowQuery& q = *s->query;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (q.pid && pid != q.pid) return TRUE;
  if (q.visible_only && !IsWindowVisible(window)) return TRUE;
  if (q.cls && ClassOf(window) != q.cls) return TRUE;
  if (q.caption && TextOf(window) != q.caption) return TRUE;
  s->found.push_back(window);
  return !s->first_only;
}

}  // namespace

std::vector<HWND> TopWindows(const WindowQuery& query) {
  Search s{&query, false, {}};
  EnumWindows(Match, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND FirstTopWindow(const WindowQuery& query) {
  Search s{&query, true, {}};
  EnumWindows(Match, reinterpret_cast<LPARAM>(&s));
  return s.found.empty() ? nullptr : s.found[0];
}

std::wstring TextOf(HWND window) {
  if (!window) return L"";
  wchar_t buffer[1024] = {};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                      2000, &result);
  return buffer;
}

std::wstring ClassOf(HWND window) {
  wchar_t buffer[256] = {};
  GetClassNameW(window, buffer, 256);
  return buffer;
}

}  // namespace varnett::support
