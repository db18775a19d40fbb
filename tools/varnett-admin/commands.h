// The subcommands of varnett-admin. Each takes its command line with the
// options taken out and returns the exit status; each lives in its own file
// and has a row in the table in main.cpp, with its help.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace varnett {

// The exit statuses, as the help lists them.
constexpr int kExitOk = 0;
constexpr int kExitNothingFound = 1;  // the reason is on standard error
constexpr int kExitFailed = 2;        // the error's message is on standard error
constexpr int kExitUsage = 64;

using Args = std::vector<std::string>;

// A subcommand's command line: its name, its operands in order, and the
// options it was given (a flag maps to "", an option with a value to it).
struct CommandLine {
  std::string command;
  Args operands;
  std::map<std::string, std::string> options;

  bool Has(const std::string& option) const { return options.count(option) != 0; }
};

int RunRecords(const CommandLine& line);
int RunList(const CommandLine& line);
int RunExtract(const CommandLine& line);
int RunLookup(const CommandLine& line);
// records ARCHIVE: "Game.dat" of a catalogue archive, printed as records --stream does.
int PrintArchiveRecords(const std::string& path);
int RunLocate(const CommandLine& line);

// The operands a command takes, by name: a usage error naming the first one
// missing or the first one too many, or kExitOk when the count is right.
int CheckOperands(const CommandLine& line, std::initializer_list<const char*> names,
                  size_t optional = 0);

}  // namespace varnett
