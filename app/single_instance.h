// One copy of the program per logged-on user.
#pragma once

#include <string>

namespace varnett {

// The semaphore that one copy holds for its whole life.
inline constexpr wchar_t kSingleInstanceSemaphore[] = L"KWM_Varnett";

// True when another copy holds the named semaphore (the first copy keeps its
// handle open for its whole life). That copy's window, found by its exact
// caption, is then restored when minimised or else brought to the front.
bool IsAlreadyRunning(const std::wstring& window_caption, const std::wstring& semaphore_name);

// A look without touching anything: true when the semaphore exists, so
// another copy holds it or is ending. Only IsAlreadyRunning decides; this
// spares a copy that will likely end at once the work it would not use.
bool AnotherCopyMayRun(const std::wstring& semaphore_name);

}  // namespace varnett
