// The install locator started on a second thread as the process starts, so
// the catalogue is read while the main thread registers the window classes,
// builds the window and its controls and loads the skin. The window takes
// the results before it is first shown, on its own thread.
#pragma once

#include "app/win32_platform.h"
#include "locator/locator_ahead.h"
#include "platform/win32/scoped_handle.h"

namespace varnett {

class LocatorThread {
 public:
  explicit LocatorThread(Win32Platform& platform)
      : locator_(platform.environment, platform.registry, platform.files) {}
  // Waits for the run: the platform it reads must outlive it.
  ~LocatorThread() { Wait(); }
  LocatorThread(const LocatorThread&) = delete;
  LocatorThread& operator=(const LocatorThread&) = delete;

  // Whether a run ahead pays on this machine. Building the window keeps more
  // than its own thread busy (the system's window and server processes
  // answer each call), so on two processors a second thread slows the start
  // instead: measured under Wine on two, the window of a 1,000-record café
  // showed after 165 ms with the locator on its own thread and 181 ms with
  // it ahead, and the locator ahead gained nothing up to 100,000 records.
  static bool PaysOnThisMachine();
  // Starts the run; false when no thread could be had, and the window then
  // runs the locator itself.
  bool Start();
  // Waits for the run and hands over its results as LocatorAhead does
  // (boxes through `dialogs`, in order, then the run's error, raised).
  // False, with nothing done, when the run was never started.
  bool TakeResults(Dialogs& dialogs, EditionPaths& paths);

 private:
  static DWORD WINAPI Main(void* self);
  void Wait();

  LocatorAhead locator_;
  ScopedHandle thread_;
  bool taken_ = false;
};

}  // namespace varnett
