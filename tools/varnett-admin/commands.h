// The subcommands of varnett-admin. Each takes the arguments after its name
// (UTF-8) and returns the exit status; each lives in its own file and has a
// row in the table in main.cpp.
#pragma once

#include <string>
#include <vector>

namespace varnett {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 2;  // the error's message is on standard error
constexpr int kExitUsage = 64;

using Args = std::vector<std::string>;

int RunRecords(const Args& args);
int RunList(const Args& args);
int RunExtract(const Args& args);
int RunLookup(const Args& args);
// records ARCHIVE: "Game.dat" of a catalogue archive, printed as records --stream does.
int PrintArchiveRecords(const std::string& path);
int RunLocate(const Args& args);

// Prints the usage text on standard error and returns kExitUsage.
int Usage();

}  // namespace varnett
