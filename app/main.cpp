// Entry point of Varnett.exe: the start-up log, the application object, the
// data module and the main window, then the message loop.
#include <windows.h>

#include "app/application.h"
#include "app/data_module.h"
#include "app/error_barrier.h"
#include "app/locator_thread.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/win32_platform.h"
#include "log/startup_log.h"
#include "platform/win32/system_libraries.h"

namespace varnett {
namespace {

int Run(HINSTANCE instance) {
  static Win32Platform platform;
  // The catalogue is read on the second core while this thread builds the
  // window; a copy that will likely end at once reads nothing.
  static LocatorThread locator(platform);
  if (!AnotherCopyMayRun(kSingleInstanceSemaphore)) locator.Start();
  StartupLog log(platform.files, platform.clock);
  log.Prepare(platform.environment.ExecutablePath());

  static Application application;
  if (!application.Initialize(instance)) return 1;
  SetEscapedErrorReporter([](const std::string& message) { application.ShowException(message); });
  static TfDM fDM;
  static TfMain fMain(platform, application, fDM.SkinTheme, &locator);
  if (!fMain.Create(instance)) return 1;
  fMain.Show();
  int code = application.Run();
  // A later copy leaves the loop without closing its window; it is still
  // destroyed, which deletes the ".log" file beside the program.
  if (IsWindow(fMain.handle())) DestroyWindow(fMain.handle());
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
