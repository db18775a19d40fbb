// Input and output of varnett-admin: UTF-8 arguments and output whatever
// the console's code page, LF line ends, files opened by UTF-8 path.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnett {

// The program's arguments after its name, as UTF-8.
std::vector<std::string> CommandLineArgs(int argc, char** argv);
// Puts standard output and error into binary mode where that matters.
void PrepareConsole();

void WriteOut(std::string_view utf8);
// One line on standard error; `cp949` is converted for display.
void WriteErrorLine(std::string_view cp949);
void WriteErrorText(std::string_view utf8);

// Reads a whole file. On failure returns false and sets `error` to
// "Cannot open file "<path>". <reason>" (CP949).
bool ReadWholeFile(const std::string& utf8_path, std::string* bytes, std::string* error);

}  // namespace varnett
