#include "platform/win32/machine_turn.h"

#include <windows.h>
// windows.h first: sddl.h needs its types.
#include <sddl.h>

#include <string>

namespace varnett {
namespace {

// Everyone may wait on the turn and pass it on, and nothing more: a copy run
// by another user opens the object the first copy made instead of failing
// to, and cannot change who may use it.
constexpr wchar_t kAnyoneMayTakeTurns[] = L"D:(A;;0x00100001;;;WD)";  // SYNCHRONIZE | MODIFY_STATE
constexpr DWORD kTurnAccess = SYNCHRONIZE | MUTEX_MODIFY_STATE;

}  // namespace

MachineTurn TakeMachineTurn(const wchar_t* name, uint32_t wait_ms) {
  MachineTurn turn;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kAnyoneMayTakeTurns, SDDL_REVISION_1,
                                                            &descriptor, nullptr))
    return turn;
  ScopedLocalMemory<void> owned_descriptor(descriptor);
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor, FALSE};
  const std::wstring global_name = std::wstring(L"Global\\") + name;
  ScopedHandle mutex(CreateMutexExW(&attributes, global_name.c_str(), 0, kTurnAccess));
  if (!mutex) return turn;
  switch (WaitForSingleObject(mutex.get(), wait_ms)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:  // its holder ended without passing it on
      turn.wait = TurnWait::kTaken;
      turn.held.Reset(mutex.Release());
      break;
    case WAIT_TIMEOUT:
      turn.wait = TurnWait::kTimedOut;
      break;
    default:
      break;
  }
  return turn;
}

}  // namespace varnett
