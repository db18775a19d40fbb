#include "tools/varnett-admin/console.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "text/conversions.h"
#include "tools/varnett-admin/commands.h"
#include "tools/varnett-admin/texts.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which these need.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include "platform/win32/scoped_handle.h"
#include "text/win32/system_error_text.h"
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace varnett {

namespace {

#ifdef _WIN32
std::wstring WidePath(const std::string& utf8_path) {
  const std::u16string wide = Utf8ToUtf16(utf8_path);
  return std::wstring(wide.begin(), wide.end());
}

std::string LastErrorText() { return Utf16ToUtf8(SystemErrorText(GetLastError())); }

// The console behind a standard handle, or null when the handle is a pipe,
// a file or nothing.
HANDLE ConsoleOf(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  DWORD mode;
  return handle != INVALID_HANDLE_VALUE && handle && GetConsoleMode(handle, &mode) ? handle
                                                                                   : nullptr;
}
#endif

void WriteText(std::FILE* stream, [[maybe_unused]] int which, std::string_view utf8) {
#ifdef _WIN32
  if (HANDLE console = ConsoleOf(static_cast<DWORD>(which))) {
    // Characters, not bytes: the console would read bytes in its own code
    // page, and Hangul in UTF-8 shows as "?" on a Korean (949) console.
    std::fflush(stream);
    const std::u16string wide = Utf8ToUtf16(utf8);
    for (size_t at = 0; at < wide.size();) {
      // The console takes a limited amount at a time.
      const DWORD count = static_cast<DWORD>(std::min<size_t>(wide.size() - at, 8192));
      DWORD written = 0;
      if (!WriteConsoleW(console, wide.data() + at, count, &written, nullptr) || written == 0)
        return;
      at += written;
    }
    return;
  }
#endif
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
  std::fflush(stream);
}

std::string CannotOpenReason([[maybe_unused]] const std::string& utf8_path) {
#ifdef _WIN32
  const DWORD attributes = GetFileAttributesW(WidePath(utf8_path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return Say(kIsAFolder);
  return LastErrorText();
#else
  return std::strerror(errno);
#endif
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

#ifdef _WIN32
void WriteOut(std::string_view utf8) { WriteText(stdout, STD_OUTPUT_HANDLE, utf8); }
void WriteErrorText(std::string_view utf8) { WriteText(stderr, STD_ERROR_HANDLE, utf8); }
bool OutputIsConsole() { return ConsoleOf(STD_OUTPUT_HANDLE) != nullptr; }
#else
void WriteOut(std::string_view utf8) { WriteText(stdout, 1, utf8); }
void WriteErrorText(std::string_view utf8) { WriteText(stderr, 2, utf8); }
bool OutputIsConsole() { return isatty(STDOUT_FILENO) == 1; }
#endif

bool WriteBinaryOut(std::string_view bytes) {
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
  return std::fflush(stdout) == 0 && written;
}

bool WriteWholeFile(const std::string& utf8_path, std::string_view bytes, std::string* error) {
#ifdef _WIN32
  std::FILE* file = _wfopen(WidePath(utf8_path).c_str(), L"wb");
#else
  std::FILE* file = std::fopen(utf8_path.c_str(), "wb");
#endif
  if (!file) {
    *error = CannotOpenReason(utf8_path);
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) {
#ifdef _WIN32
    *error = LastErrorText();
#else
    *error = std::strerror(errno);
#endif
    return false;
  }
  return true;
}

#ifdef _WIN32
namespace {
// The volume and index of an existing file or folder, without opening its
// contents.
bool FileIdentity(const std::string& utf8_path, BY_HANDLE_FILE_INFORMATION* info) {
  ScopedHandle file(CreateFileW(WidePath(utf8_path).c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return file && GetFileInformationByHandle(file.get(), info);
}
}  // namespace

bool SameExistingFile(const std::string& a_utf8, const std::string& b_utf8) {
  BY_HANDLE_FILE_INFORMATION a, b;
  return FileIdentity(a_utf8, &a) && FileIdentity(b_utf8, &b) &&
         a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}
#else
bool SameExistingFile(const std::string& a_utf8, const std::string& b_utf8) {
  struct stat a, b;
  return stat(a_utf8.c_str(), &a) == 0 && stat(b_utf8.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
         a.st_ino == b.st_ino;
}
#endif

void ReportError(std::string_view subject_utf8, std::string_view message_utf8) {
  std::string line = "varnett-admin: ";
  if (!subject_utf8.empty()) {
    line += subject_utf8;
    line += ": ";
  }
  line += message_utf8;
  WriteErrorText(line + "\n");
}

int UsageError(std::string_view message_utf8) {
  ReportError("", message_utf8);
  WriteErrorText(Say(kTryHelp) + "\n");
  return kExitUsage;
}

InputFile::InputFile(const std::string& utf8_path, std::string* error) {
#ifdef _WIN32
  const DWORD attributes = GetFileAttributesW(WidePath(utf8_path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    *error = Say(kIsAFolder);
    return;
  }
  file_ = _wfopen(WidePath(utf8_path).c_str(), L"rb");
  if (!file_) {
    *error = LastErrorText();
    return;
  }
  const bool sized = _fseeki64(file_, 0, SEEK_END) == 0;
  const int64_t end = sized ? _ftelli64(file_) : -1;
#else
  struct stat info;
  if (stat(utf8_path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    *error = Say(kIsAFolder);
    return;
  }
  file_ = std::fopen(utf8_path.c_str(), "rb");
  if (!file_) {
    *error = std::strerror(errno);
    return;
  }
  // Only a regular file has a size to read at offsets within.
  const bool regular = fstat(fileno(file_), &info) == 0 && S_ISREG(info.st_mode);
  const int64_t end = regular ? static_cast<int64_t>(info.st_size) : -1;
#endif
  if (end < 0) {
    *error = Say(kCannotRead);
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
    *error = Say(kCannotRead);
    return false;
  }
  return true;
}

}  // namespace varnett
