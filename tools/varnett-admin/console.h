// Input and output of varnett-admin: UTF-8 arguments and output whatever
// the console's code page, LF line ends, files opened by UTF-8 path.
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

void WriteOut(std::string_view utf8);
// One line on standard error; `cp949` is converted for display.
void WriteErrorLine(std::string_view cp949);
void WriteErrorText(std::string_view utf8);

// A file open for reading at any offset; closed with its owner.
class InputFile {
 public:
  // Opens the file. On failure `error` is "Cannot open file "<path>".
  // <reason>" (CP949) and the file is not open.
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
