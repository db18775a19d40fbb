// varnett-admin locate: runs the install locator exactly as the program does,
// against the real registry and folders, and prints every source it tried
// with the outcome, the catalogue messages the program would show in boxes,
// and the four folders found. For the café operator whose window says the
// game cannot be found.
#include <exception>
#include <string>
#include <vector>

#include "locator/install_locator.h"
#include "locator/locator_trace_text.h"
#include "text/conversions.h"
#include "text/printable_utf8.h"
#include "tools/varnett-admin/commands.h"
#include "tools/varnett-admin/console.h"
#include "tools/varnett-admin/texts.h"
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

// The trace and the boxes the locator would show, printed in the order they
// came: each box after the steps listed before it. Nothing waits for a click.
class PrintedRun : public Dialogs {
 public:
  std::vector<LocatorStep> trace;

  // The steps not printed yet, then `line` unless it is empty.
  void Print(const std::string& line = "") {
    for (; printed_ < trace.size(); ++printed_) PrintLine(TraceLine(trace[printed_]));
    if (!line.empty()) PrintLine(line);
  }
  void Information(const std::string& text) override { Print("message: " + OneLine(text)); }
  bool Confirm(const std::string& text) override {
    Print("confirm: " + OneLine(text) + " (answered No)");
    return false;
  }
  void SystemMessage(const std::string& text, const std::string& title) override {
    Print("system message " + Quoted(title) + ": " + OneLine(text));
  }

 private:
  size_t printed_ = 0;
};

}  // namespace

int RunLocate(const CommandLine& line) {
  if (int usage = CheckOperands(line, {})) return usage;
#ifdef _WIN32
  // The real system, except that boxes are printed.
  Win32Environment environment;
  Win32Registry registry;
  Win32FileSystem files;
  PrintedRun run;
  InstallLocator locator({environment, registry, files, run});
  EditionPaths paths;
  try {
    locator.Run(paths, &run.trace);
  } catch (const std::exception& e) {
    run.Print();
    ReportError("", OneLineUtf8(e.what()));
    return kExitFailed;
  }
  run.Print("DocumentsFolder=" + paths.DocumentsFolder);
  PrintLine("HideFolder=" + paths.HideFolder);
  PrintLine("NetmarbleFolder=" + paths.NetmarbleFolder);
  PrintLine("NexonFolder=" + paths.NexonFolder);
  return kExitOk;
#else
  ReportError("", Say(kWindowsOnly));
  return kExitFailed;
#endif
}

}  // namespace varnett
