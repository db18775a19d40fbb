// Finding windows from outside their program, as automation does: top-level
// windows by process, class and caption, and a window's text read without
// hanging on a window that does not answer.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace varnett::support {

// What a top-level window must match; an empty criterion matches any.
struct WindowQuery {
  DWORD pid = 0;
  const wchar_t* cls = nullptr;
  const wchar_t* caption = nullptr;
  bool visible_only = true;
};

// Every matching top-level window, in the system's order (topmost first).
std::vector<HWND> TopWindows(const WindowQuery& query);
// The first matching one, or nullptr.
HWND FirstTopWindow(const WindowQuery& query);

// A window's caption or a control's text ("" for no window); a window whose
// thread does not answer within two seconds reads as "".
std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);

}  // namespace varnett::support
