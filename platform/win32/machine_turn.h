// Turns taken by every copy of the program on this machine, in every logon
// session and under every user, before they touch a file they all write.
#pragma once

#include <cstdint>

#include "platform/win32/scoped_handle.h"

namespace varnett {

enum class TurnWait {
  kTaken,     // the turn is held while `held` lives
  kTimedOut,  // another copy kept it past the wait
  kNoTurns,   // the system gave no turn object at all: go on without turns
};

struct MachineTurn {
  TurnWait wait = TurnWait::kNoTurns;
  ScopedHeldMutex held;
};

// Waits at most `wait_ms` for the turn called `name` (a plain name: it is
// put in the machine-wide namespace here). A copy that ended while holding
// its turn passes it on.
MachineTurn TakeMachineTurn(const wchar_t* name, uint32_t wait_ms);

}  // namespace varnett
