// varnett-admin locate: runs the install locator exactly as the program does,
// against the real registry and folders, and prints every source it tried
// with the outcome, the catalogue messages the program would show in boxes,
// and the four folders found. For the café operator whose window says the
// game cannot be found.
#include <exception>
#include <string>

#include "locator/install_locator.h"
#include "locator/locator_trace_text.h"
#include "text/conversions.h"
#include "tools/varnett-admin/commands.h"
#include "tools/varnett-admin/console.h"
#ifdef _WIN32
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#endif

namespace varnett {

namespace {

void PrintLine(const std::string& cp949) { WriteOut(Cp949ToUtf8(cp949) + "\n"); }

// A box's text on one line: the program's leading line break dropped, any
// other line break shown as a space.
std::string OneLine(std::string text) {
  if (text.compare(0, 2, "\r\n") == 0) text.erase(0, 2);
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    line += (text[i] == '\r' || text[i] == '\n') ? ' ' : text[i];
  }
  return line;
}

// The boxes the locator would show, printed in order with the trace; nothing
// waits for a click.
class PrintedDialogs : public Dialogs {
 public:
  void Information(const std::string& text) override { PrintLine("message: " + OneLine(text)); }
  bool Confirm(const std::string& text) override {
    PrintLine("confirm: " + OneLine(text) + " (answered No)");
    return false;
  }
  void SystemMessage(const std::string& text, const std::string& title) override {
    PrintLine("system message " + Quoted(title) + ": " + OneLine(text));
  }
};

struct PrintedTrace : LocatorTrace {
  void Add(LocatorStep step) override { PrintLine(TraceLine(step)); }
};

}  // namespace

int RunLocate(const Args& args) {
  if (!args.empty()) return Usage();
#ifdef _WIN32
  // The real system, except that boxes are printed.
  Win32Environment environment;
  Win32Registry registry;
  Win32FileSystem files;
  PrintedDialogs dialogs;
  InstallLocator locator({environment, registry, files, dialogs});
  PrintedTrace trace;
  locator.SetTrace(&trace);
  EditionPaths paths;
  try {
    locator.Run(paths);
  } catch (const std::exception& e) {
    WriteErrorLine(e.what());
    return kExitFailed;
  }
  PrintLine("DocumentsFolder=" + paths.DocumentsFolder);
  PrintLine("HideFolder=" + paths.HideFolder);
  PrintLine("NetmarbleFolder=" + paths.NetmarbleFolder);
  PrintLine("NexonFolder=" + paths.NexonFolder);
  return kExitOk;
#else
  WriteErrorLine("locate reads the Windows registry and runs only in the Windows build");
  return kExitFailed;
#endif
}

}  // namespace varnett
