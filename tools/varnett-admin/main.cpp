// varnett-admin: inspects catalogues from the command line.
#include <cstring>
#include <string>

#include "tools/varnett-admin/commands.h"
#include "tools/varnett-admin/console.h"

namespace varnett {

namespace {

struct Command {
  const char* name;
  const char* synopsis;
  int (*run)(const Args& args);
};

// One row per subcommand; later ones add their row and their file.
const Command kCommands[] = {
    {"records", "records --stream FILE    print the visible records of a table stream", RunRecords},
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
  PrepareConsole();
  Args args = CommandLineArgs(argc, argv);
  if (args.empty()) return Usage();
  for (const Command& c : kCommands) {
    if (args[0] == c.name) return c.run(Args(args.begin() + 1, args.end()));
  }
  return Usage();
}
