// Input and output of varnett-admin. Arguments arrive as UTF-8. Text goes
// out as UTF-8 to pipes and files, whatever the console's code page; to a
// console it goes as characters (WriteConsoleW), so Hangul shows on a Korean
// console as on any other. Files are opened by UTF-8 path.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace varnett {

// The program's arguments after its name, as UTF-8.
std::vector<std::string> CommandLineArgs(int argc, char** argv);
// Puts standard output and error into binary mode where that matters.
void PrepareConsole();

// Text (UTF-8, LF line ends) on standard output or standard error.
void WriteOut(std::string_view utf8);
void WriteErrorText(std::string_view utf8);
// True when standard output is a console (a terminal), where bytes that
// are not text would only garble the screen.
bool OutputIsConsole();
// Bytes on standard output as they are; false when they could not all be
// written.
bool WriteBinaryOut(std::string_view bytes);
// Bytes into a new or emptied file; on failure false, with the system's
// reason in `error` (UTF-8).
bool WriteWholeFile(const std::string& utf8_path, std::string_view bytes, std::string* error);

// True when both paths name one file that exists, however each is spelled
// (another case, a link, "." and ".."): the system's identity of the file
// decides, not the text.
bool SameExistingFile(const std::string& a_utf8, const std::string& b_utf8);

// "varnett-admin: SUBJECT: MESSAGE" on standard error; without the subject
// when it is empty. Every error of the tool is said so: the program first,
// then the file or command it concerns.
void ReportError(std::string_view subject_utf8, std::string_view message_utf8);
// A wrong command line: the problem, then how to get the help; returns the
// exit status for it.
int UsageError(std::string_view message_utf8);

// A file open for reading at any offset; closed with its owner.
class InputFile {
 public:
  // Opens the file. On failure `error` says why (UTF-8, the system's words
  // where it has them) and the file is not open.
  InputFile(const std::string& utf8_path, std::string* error);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  uint64_t Size() const { return size_; }
  // False when the range is not all in the file or cannot be read.
  bool ReadAt(uint64_t offset, void* buffer, size_t count);

 private:
  std::FILE* file_ = nullptr;
  uint64_t size_ = 0;
};

// Reads a whole file. On failure returns false and sets `error` as
// InputFile does.
bool ReadWholeFile(const std::string& utf8_path, std::string* bytes, std::string* error);

}  // namespace varnett
