#include "platform/win32/message_pump.h"

#include <windows.h>

namespace varnett {

void ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    // Keyboard navigation between the controls of whichever window has focus.
    HWND top = GetAncestor(msg.hwnd, GA_ROOT);
    if (top && IsDialogMessageW(top, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace varnett
