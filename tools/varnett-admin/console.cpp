#include "tools/varnett-admin/console.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "text/conversions.h"
#ifdef _WIN32
#include "platform/win32/scoped_handle.h"
#endif
#include "text/printable_utf8.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

#ifdef _WIN32
#include <windows.h>
// After windows.h, which these need.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include "text/win32/system_error_text.h"
#endif

namespace varnett {

namespace {

std::string CannotOpen(const std::string& utf8_path, const std::string& reason_utf8) {
  return Utf8ToCp949("Cannot open file \"" + utf8_path + "\". " + reason_utf8);
}

}  // namespace

std::vector<std::string> CommandLineArgs(int argc, char** argv) {
  std::vector<std::string> args;
#ifdef _WIN32
  (void)argc;
  (void)argv;
  int count = 0;
  const ScopedLocalMemory<wchar_t*> wide(CommandLineToArgvW(GetCommandLineW(), &count));
  for (int i = 1; wide && i < count; ++i) {
    args.push_back(Utf16ToUtf8(reinterpret_cast<const char16_t*>(wide.get()[i])));
  }
#else
  for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
#endif
  return args;
}

void PrepareConsole() {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
}

void WriteOut(std::string_view utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fflush(stdout);
}

void WriteErrorText(std::string_view utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
  std::fflush(stderr);
}

void WriteErrorLine(std::string_view cp949) { WriteErrorText(OneLineUtf8(cp949) + "\n"); }

InputFile::InputFile(const std::string& utf8_path, std::string* error) {
#ifdef _WIN32
  std::u16string wide = Utf8ToUtf16(utf8_path);
  file_ = _wfopen(reinterpret_cast<const wchar_t*>(wide.c_str()), L"rb");
  if (!file_) {
    *error = CannotOpen(utf8_path, Utf16ToUtf8(SystemErrorText(GetLastError())));
    return;
  }
  const bool sized = _fseeki64(file_, 0, SEEK_END) == 0;
  const int64_t end = sized ? _ftelli64(file_) : -1;
#else
  file_ = std::fopen(utf8_path.c_str(), "rb");
  if (!file_) {
    *error = CannotOpen(utf8_path, std::strerror(errno));
    return;
  }
  // Only a regular file has a size to read at offsets within (a folder opens
  // but cannot be read).
  struct stat info;
  const bool regular = fstat(fileno(file_), &info) == 0 && S_ISREG(info.st_mode);
  const int64_t end = regular ? static_cast<int64_t>(info.st_size) : -1;
#endif
  if (end < 0) {
    *error = CannotOpen(utf8_path, "Read error.");
    std::fclose(file_);
    file_ = nullptr;
    return;
  }
  size_ = static_cast<uint64_t>(end);
  // Callers read in large blocks or buffer for themselves: a second buffer
  // here would only copy every byte once more.
  std::setvbuf(file_, nullptr, _IONBF, 0);
}

InputFile::~InputFile() {
  if (file_) std::fclose(file_);
}

bool InputFile::ReadAt(uint64_t offset, void* buffer, size_t count) {
  if (!file_ || offset > size_ || count > size_ - offset) return false;
  if (count == 0) return true;
#ifdef _WIN32
  if (_fseeki64(file_, static_cast<int64_t>(offset), SEEK_SET) != 0) return false;
#else
  if (fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
#endif
  return std::fread(buffer, 1, count, file_) == count;
}

bool ReadWholeFile(const std::string& utf8_path, std::string* bytes, std::string* error) {
  InputFile file(utf8_path, error);
  if (!file.IsOpen()) return false;
  bytes->resize(static_cast<size_t>(file.Size()));
  if (!file.ReadAt(0, bytes->data(), bytes->size())) {
    *error = CannotOpen(utf8_path, "Read error.");
    return false;
  }
  return true;
}

}  // namespace varnett
