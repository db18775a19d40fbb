#include "platform/win32/message_pump.h"

namespace varnett {

void DispatchWithDialogKeys(MSG& msg) {
  HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (top && IsDialogMessageW(top, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

void ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    DispatchWithDialogKeys(msg);
  }
}

}  // namespace varnett
