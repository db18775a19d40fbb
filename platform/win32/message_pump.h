// Processing of pending window messages from inside a running handler, so the
// program stays responsive while a command waits.
#pragma once

namespace varnett {

// Dispatches every message already queued, then returns. A quit request met
// on the way is put back so the main loop still sees it.
void ProcessPendingMessages();

}  // namespace varnett
