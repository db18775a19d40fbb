// The one way window messages are handed out, by the main loop and by every
// wait inside a running handler, so the keyboard works the same everywhere.
#pragma once

#include <windows.h>

namespace varnett {

// Hands one message to its window, with the dialog keys (Tab, Enter, Escape,
// arrows) of whichever top-level window it belongs to.
void DispatchWithDialogKeys(MSG& msg);

// Dispatches every message already queued, then returns. A quit request met
// on the way is put back so the main loop still sees it.
void ProcessPendingMessages();

}  // namespace varnett
