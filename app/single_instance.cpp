#include "app/single_instance.h"

#include <windows.h>

#include "app/error_barrier.h"
#include "platform/win32/scoped_handle.h"

namespace varnett {
namespace {

struct Search {
  const std::wstring* caption;
  HWND found;
};

// A top-level window of another process whose title equals the caption
// exactly. The calling copy's own window, already created with the same
// caption, is not the one to raise.
BOOL Match(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<Search*>(lparam);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId()) return TRUE;
  int length = GetWindowTextLengthW(window);
  if (length != static_cast<int>(search->caption->size())) return TRUE;
  std::wstring title(static_cast<size_t>(length) + 1, L'\0');
  title.resize(static_cast<size_t>(GetWindowTextW(window, title.data(), length + 1)));
  if (title != *search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK MatchCaption(HWND window, LPARAM lparam) {
  return Guarded(BOOL{FALSE}, [&] { return Match(window, lparam); });
}

}  // namespace

bool IsAlreadyRunning(const std::wstring& window_caption, const std::wstring& semaphore_name) {
  ScopedHandle semaphore(CreateSemaphoreW(nullptr, 0, 1, semaphore_name.c_str()));
  if (!semaphore) return false;
  if (GetLastError() != ERROR_ALREADY_EXISTS) {
    // Kept open for the rest of the process: the name lasts as long as a
    // handle to it, and later copies look for it.
    semaphore.Release();
    return false;
  }
  Search search{&window_caption, nullptr};
  EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&search));
  if (search.found) {
    if (IsIconic(search.found)) {
      ShowWindow(search.found, SW_SHOWNORMAL);
    } else {
      SetForegroundWindow(search.found);
    }
  }
  return true;
}

bool AnotherCopyMayRun(const std::wstring& semaphore_name) {
  ScopedHandle semaphore(OpenSemaphoreW(SYNCHRONIZE, FALSE, semaphore_name.c_str()));
  return static_cast<bool>(semaphore) || GetLastError() != ERROR_FILE_NOT_FOUND;
}

}  // namespace varnett
