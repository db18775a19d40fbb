// varnett-admin: inspects catalogues from the command line.
#include <cstring>
#include <string>

#include "tools/varnett-admin/commands.h"
#include "tools/varnett-admin/console.h"
#ifdef _WIN32
#include "platform/win32/system_libraries.h"
#endif

namespace varnett {

namespace {

struct Command {
  const char* name;
  const char* synopsis;
  int (*run)(const Args& args);
};

// One row per subcommand; later ones add their row and their file.
const Command kCommands[] = {
    {"records",
     "records --stream FILE    print the visible records of a table stream\n"
     "  records ARCHIVE          the same for \"Game.dat\" of a catalogue archive",
     RunRecords},
    {"list",
     "list ARCHIVE             the archive's directory, one entry a line:\n"
     "                           method flags compressed uncompressed crc32 offset name",
     RunList},
    {"extract",
     "extract ARCHIVE [NAME]   a member's bytes on standard output (default Game.dat);\n"
     "                           \"verified N\" on standard error, exit 1 when N is 0",
     RunExtract},
    {"lookup", "lookup ARCHIVE netmarble|nexon  the edition's MPath, DPath, InsRPath, PRPath",
     RunLookup},
    {"locate", "locate                   find the game folders, showing each source tried",
     RunLocate},
};

}  // namespace

int Usage() {
  std::string text = "usage: varnett-admin COMMAND [ARGUMENTS]\n\ncommands:\n";
  for (const Command& c : kCommands) text += std::string("  ") + c.synopsis + "\n";
  WriteErrorText(text);
  return kExitUsage;
}

}  // namespace varnett

int main(int argc, char** argv) {
  using namespace varnett;
#ifdef _WIN32
  // First: operators run this from the program's folder, and nothing may
  // load from there.
  LimitLibrarySearchToSystemFolder();
#endif
  PrepareConsole();
  Args args = CommandLineArgs(argc, argv);
  if (args.empty()) return Usage();
  for (const Command& c : kCommands) {
    if (args[0] == c.name) return c.run(Args(args.begin() + 1, args.end()));
  }
  return Usage();
}
