// Entry point of Varnett.exe: the start-up log, the application object, the
// skin theme and the main window, then the message loop.
#include <windows.h>

#include "app/application.h"
#include "app/error_barrier.h"
#include "app/locator_thread.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/skin.h"
#include "app/win32_platform.h"
#include "log/startup_log.h"
#include "platform/win32/system_libraries.h"

namespace varnett {
namespace {

int Run(HINSTANCE instance) {
  static Win32Platform platform;
  // With cores to spare, the catalogue is read on another one while this
  // thread builds the window; a copy that will likely end at once reads
  // nothing.
  static LocatorThread locator(platform);
  if (LocatorThread::PaysOnThisMachine() && !AnotherCopyMayRun(kSingleInstanceSemaphore))
    locator.Start();
  StartupLog log(platform.files, platform.clock);
  log.Prepare(platform.environment.ExecutablePath());

  static Application application;
  if (!application.Initialize(instance)) return 1;
  SetEscapedErrorReporter([](const std::string& message) { application.ShowException(message); });
  // Made before the main window, whose frame and buttons take their look
  // from it while they are created.
  static SkinTheme theme;
  static MainWindow main_window(platform, application, theme, &locator);
  if (!main_window.Create(instance)) return 1;
  main_window.Show();
  int code = application.Run();
  // A later copy leaves the loop without closing its window; it is still
  // destroyed, which deletes the ".log" file beside the program.
  if (IsWindow(main_window.handle())) DestroyWindow(main_window.handle());
  DestroyWindow(application.handle());
  return code;
}

}  // namespace
}  // namespace varnett

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // First: the program's folder may be writable by others, and nothing may
  // load from there.
  varnett::LimitLibrarySearchToSystemFolder();
  return varnett::Run(instance);
}
