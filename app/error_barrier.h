// The edge between the system and the program's own code. The system calls
// window procedures, dialog procedures and enumeration callbacks from frames
// of its own, through which an exception must never unwind; each such entry
// runs its body inside Guarded. What escapes the body is handed to the
// reporter (the program's default error box), the system gets `fallback`,
// and the program goes on.
//
//   LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
//     return Guarded(LRESULT{0}, [&] { return Handle(w, m, wp, lp); });
//   }
#pragma once

#include <exception>
#include <string>

namespace varnett {

// Shows an error that escaped a handler. Set once at start-up; until then,
// and in tests that set none, an escaped error is dropped.
using EscapedErrorReporter = void (*)(const std::string& cp949_message);
void SetEscapedErrorReporter(EscapedErrorReporter reporter);

// Hands the message of the exception being handled to the reporter. Never
// throws, also when showing the error fails.
void ReportEscapedError() noexcept;

template <typename Result, typename Body>
Result Guarded(Result fallback, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    ReportEscapedError();
  }
  return fallback;
}

template <typename Body>
void Guarded(Body&& body) noexcept {
  try {
    body();
  } catch (...) {
    ReportEscapedError();
  }
}

}  // namespace varnett
