#include "tools/varnett-admin/console.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "catalogue/table_dump.h"
#include "platform/text.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which these need.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#endif

namespace varnett {

namespace {

std::string CannotOpen(const std::string& utf8_path, const std::string& reason_utf8) {
  return Utf8ToCp949("Cannot open file \"" + utf8_path + "\". " + reason_utf8);
}

#ifdef _WIN32
std::string SystemErrorText(DWORD code) {
  wchar_t* text = nullptr;
  DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::u16string wide(reinterpret_cast<const char16_t*>(text ? text : L""), n);
  if (text) LocalFree(text);
  while (!wide.empty() && (wide.back() == u'\r' || wide.back() == u'\n')) wide.pop_back();
  return Utf16ToUtf8(wide);
}
#endif

}  // namespace

std::vector<std::string> CommandLineArgs(int argc, char** argv) {
  std::vector<std::string> args;
#ifdef _WIN32
  (void)argc;
  (void)argv;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; wide && i < count; ++i) {
    args.push_back(Utf16ToUtf8(reinterpret_cast<const char16_t*>(wide[i])));
  }
  if (wide) LocalFree(wide);
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

bool ReadWholeFile(const std::string& utf8_path, std::string* bytes, std::string* error) {
#ifdef _WIN32
  std::u16string wide = Utf8ToUtf16(utf8_path);
  FILE* f = _wfopen(reinterpret_cast<const wchar_t*>(wide.c_str()), L"rb");
  if (!f) {
    *error = CannotOpen(utf8_path, SystemErrorText(GetLastError()));
    return false;
  }
#else
  FILE* f = std::fopen(utf8_path.c_str(), "rb");
  if (!f) {
    *error = CannotOpen(utf8_path, std::strerror(errno));
    return false;
  }
#endif
  bytes->clear();
  // Sized once from the file, so that it is not copied as it grows.
  if (std::fseek(f, 0, SEEK_END) == 0) {
    const long size = std::ftell(f);
    if (size > 0) bytes->reserve(static_cast<size_t>(size));
    std::rewind(f);
  }
  char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes->append(buffer, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  if (!ok) *error = CannotOpen(utf8_path, "Read error.");
  return ok;
}

}  // namespace varnett
