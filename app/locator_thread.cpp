#include "app/locator_thread.h"

namespace varnett {

bool LocatorThread::PaysOnThisMachine() {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  return system.dwNumberOfProcessors >= 4;
}

bool LocatorThread::Start() {
  if (thread_) return true;
  // A stack as large as the main thread's: the reader was written for it.
  thread_.Reset(CreateThread(nullptr, 0, Main, this, 0, nullptr));
  return static_cast<bool>(thread_);
}

DWORD WINAPI LocatorThread::Main(void* self) {
  static_cast<LocatorThread*>(self)->locator_.Run();
  return 0;
}

void LocatorThread::Wait() {
  if (thread_) WaitForSingleObject(thread_.get(), INFINITE);
}

bool LocatorThread::TakeResults(Dialogs& dialogs, EditionPaths& paths) {
  if (!thread_ || taken_) return false;
  Wait();
  taken_ = true;
  locator_.TakeResults(dialogs, paths);
  return true;
}

}  // namespace varnett
