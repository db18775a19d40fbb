// The framework's own message boxes. Their captions and button texts are
// English on every system language, unlike the system's MessageBox, whose
// buttons follow the locale. Each box is a real dialog (class "#32770") whose
// text is the static control 65535 and whose buttons carry the usual IDs
// (IDOK, IDYES, IDNO), so automation and screen readers can use it.
#pragma once

#include <windows.h>

#include <string>

namespace varnett {

enum class BoxKind {
  kInformation,   // information icon, "OK"
  kConfirmation,  // question icon, "&Yes" and "&No"
  kError,         // error icon, "OK"
};

// Shows the box modal to `owner` (may be null) and returns the button
// pressed: IDOK, IDYES or IDNO. Closing a confirmation any other way is No.
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& title, BoxKind kind);

}  // namespace varnett
