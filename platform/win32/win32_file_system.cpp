#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <utility>

#include "platform/win32/machine_turn.h"
#include "platform/win32/scoped_handle.h"
#include "text/win32/system_error_text.h"
#include "text/win32/wide.h"

namespace varnett {

namespace {

// How often a line looks again at a file that another program holds.
constexpr DWORD kBusyFileRetryStepMs = 5;
// The turn every copy of the program takes to append to a file.
constexpr wchar_t kAppendTurnName[] = L"Varnett.FileAppend";

class FileSource : public ReadSource {
 public:
  FileSource(ScopedHandle file, uint64_t size) : file_(std::move(file)), size_(size) {}
  uint64_t Size() const override { return size_; }
  bool ReadAt(uint64_t offset, void* buffer, size_t count) override {
    if (offset > size_ || count > size_ - offset) return false;
    char* out = static_cast<char*>(buffer);
    while (count > 0) {
      OVERLAPPED at = {};
      at.Offset = static_cast<DWORD>(offset);
      at.OffsetHigh = static_cast<DWORD>(offset >> 32);
      DWORD chunk = count > (1u << 30) ? (1u << 30) : static_cast<DWORD>(count);
      DWORD got = 0;
      if (!ReadFile(file_.get(), out, chunk, &got, &at) || got == 0) return false;
      out += got;
      offset += got;
      count -= got;
    }
    return true;
  }

 private:
  ScopedHandle file_;
  uint64_t size_;
};

DWORD Attributes(const std::string& path) {
  if (path.empty()) return INVALID_FILE_ATTRIBUTES;
  return GetFileAttributesW(Wide(path).c_str());
}

}  // namespace

bool Win32FileSystem::DirectoryExists(const std::string& path) {
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::FileExists(const std::string& path) {
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<int64_t> Win32FileSystem::FileAge(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (path.empty() || !GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return (static_cast<int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
  return !path.empty() && DeleteFileW(Wide(path).c_str());
}

bool Win32FileSystem::RemovePlainFile(const std::string& path) {
  if (path.empty()) return false;
  // The name itself is opened, not what a link names, and the handle that
  // was looked at is the one that deletes, so nothing can be swapped in
  // between. A folder does not open without backup semantics.
  ScopedHandle file(CreateFileW(Wide(path).c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return false;
  FILE_BASIC_INFO basic = {};
  if (!GetFileInformationByHandleEx(file.get(), FileBasicInfo, &basic, sizeof basic) ||
      (basic.FileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
    return false;
  FILE_DISPOSITION_INFO dispose = {TRUE};
  return SetFileInformationByHandle(file.get(), FileDispositionInfo, &dispose, sizeof dispose);
}

bool Win32FileSystem::CreateFolders(const std::string& path) {
  if (path.empty()) return false;
  if (DirectoryExists(path)) return true;
  // Walk up to the first existing folder, then create downwards. A CP949
  // trail byte may be 0x5C, so split the wide form, not the bytes.
  std::wstring wide = Wide(path);
  while (!wide.empty() && (wide.back() == L'\\' || wide.back() == L'/')) wide.pop_back();
  size_t cut = wide.find_last_of(L"\\/");
  if (cut != std::wstring::npos && cut > 0 && wide[cut - 1] != L':') {
    CreateFolders(Narrow(wide.substr(0, cut)));
  }
  if (CreateDirectoryW(wide.c_str(), nullptr)) return true;
  DWORD a = GetFileAttributesW(wide.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

AppendResult Win32FileSystem::AppendLine(const std::string& path, const std::string& line,
                                         uint32_t& patience_ms) {
  const ULONGLONG began = GetTickCount64();
  const ULONGLONG give_up = began + patience_ms;
  // Whatever the outcome, the time spent here is gone from the budget.
  struct Spend {
    uint32_t& patience;
    ULONGLONG began;
    ~Spend() {
      const ULONGLONG spent = GetTickCount64() - began;
      patience = spent >= patience ? 0 : patience - static_cast<uint32_t>(spent);
    }
  } spend{patience_ms, began};
  // Appends from several processes at once can overwrite each other under
  // Wine, though not on Windows; taking turns makes both keep every line.
  // The turn is held only for the open, the write and the close. Anyone can
  // take it, so a turn not had in time is not waited for: the line goes in
  // without it, which only Wine may interleave, rather than be lost.
  MachineTurn turn = TakeMachineTurn(kAppendTurnName, patience_ms);
  // Appending only, with reading, writing and deleting shared: a log viewer
  // or a backup tool that has the file open holds nobody up. OPEN_ALWAYS
  // creates a missing file and never empties one.
  const std::wstring wide = Wide(path);
  ScopedHandle file;
  for (;;) {
    file.Reset(CreateFileW(wide.c_str(), FILE_APPEND_DATA,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) break;
    DWORD error = GetLastError();
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION)
      return AppendResult::kFailed;
    if (GetTickCount64() >= give_up) return AppendResult::kBusy;
    Sleep(kBusyFileRetryStepMs);
  }
  // One write: with append-only access the system puts it at the end as a
  // whole, so the line cannot be split by another writer.
  const std::string bytes = line + "\r\n";
  DWORD written = 0;
  const bool whole =
      WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  file.Reset();  // closed before the turn passes on
  return whole ? AppendResult::kWritten : AppendResult::kFailed;
}

std::unique_ptr<ReadSource> Win32FileSystem::OpenForReading(const std::string& path,
                                                            std::string* error) {
  ScopedHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (!file || !GetFileSizeEx(file.get(), &size)) {
    if (error) *error = Utf16ToCp949(SystemErrorText(GetLastError()));
    return nullptr;
  }
  return std::make_unique<FileSource>(std::move(file), static_cast<uint64_t>(size.QuadPart));
}

}  // namespace varnett
