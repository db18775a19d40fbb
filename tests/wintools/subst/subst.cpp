// A "subst" for the test prefix under Wine, whose own "subst" only pretends.
// Wine resolves a drive letter through its mount manager's table (the links
// in the prefix's dosdevices folder), so this defines and removes letters
// there. Same command lines, output and exit codes as Windows' subst:
//   subst                 lists the drives it made ("Z:\: => C:\folder")
//   subst X: "folder"     maps the folder to X:
//   subst X: /D | /D X:   removes X:
// Every command line is appended (UTF-8) to subst.log beside this program,
// and the drives it made are kept in subst.map there. While a file subst.hold
// lies there, a removal waits after logging its command line, so a test can
// act while the program waits for it; at most as many milliseconds as the
// file holds (two minutes if it holds no number, far more than a test acts
// for on a loaded machine), after which the hold counts as left behind by a
// test that died: it is deleted and the removal goes on, so one lost test
// never blocks every removal after it. Tests and demos only.
#include <windows.h>
// after windows.h
#include <shellapi.h>
#include <winioctl.h>

#include <cwctype>
#include <fstream>
#include <map>
#include <string>

namespace {

// The mount manager's own request for a Unix-backed drive letter (Wine 8).
struct UnixDrive {
  ULONG size;
  ULONG type;
  ULONG fs_type;
  DWORD serial;
  ULONGLONG unix_dev;
  WCHAR letter;
  USHORT mount_point_offset;
  USHORT device_offset;
  USHORT label_offset;
};
constexpr DWORD kDefineUnixDrive =
    CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

std::string Utf8(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::wstring FromUtf8(const std::string& text) {
  int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::wstring Beside(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n);
  return p.substr(0, p.find_last_of(L'\\') + 1) + name;
}

void Say(const std::wstring& line) {
  std::wstring text = line + L"\r\n";
  DWORD written;
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (!WriteConsoleW(out, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr)) {
    std::string bytes = Utf8(text);
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
}

// Letter -> folder of the drives made here.
std::map<wchar_t, std::wstring> ReadMap() {
  std::map<wchar_t, std::wstring> drives;
  std::ifstream in(Beside(L"subst.map").c_str(), std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 3 && line[1] == ':' && line[2] == '=')
      drives[static_cast<wchar_t>(line[0])] = FromUtf8(line.substr(3));
  }
  return drives;
}

void WriteMap(const std::map<wchar_t, std::wstring>& drives) {
  std::ofstream out(Beside(L"subst.map").c_str(), std::ios::binary | std::ios::trunc);
  for (const auto& [letter, folder] : drives)
    out << static_cast<char>(letter) << ":=" << Utf8(folder) << "\r\n";
}

bool MountManager(wchar_t letter, UINT type, const std::string& unix_path) {
  std::string request(sizeof(UnixDrive) + unix_path.size() + 1, '\0');
  UnixDrive* drive = reinterpret_cast<UnixDrive*>(request.data());
  drive->size = static_cast<ULONG>(request.size());
  drive->type = type;
  drive->letter = static_cast<WCHAR>(std::towlower(letter));
  if (!unix_path.empty()) {
    drive->mount_point_offset = sizeof(UnixDrive);
    request.replace(sizeof(UnixDrive), unix_path.size(), unix_path);
  }
  HANDLE manager =
      CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE) return false;
  DWORD returned = 0;
  BOOL ok = DeviceIoControl(manager, kDefineUnixDrive, request.data(),
                            static_cast<DWORD>(request.size()), nullptr, 0, &returned, nullptr);
  CloseHandle(manager);
  return ok != FALSE;
}

std::string UnixPath(const std::wstring& folder) {
  using Convert = char*(CDECL*)(LPCWSTR);
  auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return {};
  char* unix_path = convert(folder.c_str());
  if (!unix_path) return {};
  std::string result = unix_path;
  HeapFree(GetProcessHeap(), 0, unix_path);
  return result;
}

bool IsDriveName(const std::wstring& arg) {
  return arg.size() == 2 && arg[1] == L':' && std::iswalpha(arg[0]);
}

int Define(wchar_t letter, const std::wstring& folder) {
  if (GetDriveTypeW((std::wstring(1, letter) + L":\\").c_str()) != DRIVE_NO_ROOT_DIR) {
    Say(L"Drive already SUBSTed");
    return 1;
  }
  wchar_t full[MAX_PATH];
  DWORD n = GetFullPathNameW(folder.c_str(), MAX_PATH, full, nullptr);
  DWORD attributes = n && n < MAX_PATH ? GetFileAttributesW(full) : INVALID_FILE_ATTRIBUTES;
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    Say(L"Path not found - " + folder);
    return 1;
  }
  std::string unix_path = UnixPath(full);
  if (unix_path.empty() || !MountManager(letter, DRIVE_FIXED, unix_path)) {
    Say(L"Access denied - " + folder);
    return 1;
  }
  auto drives = ReadMap();
  drives[letter] = full;
  WriteMap(drives);
  return 0;
}

// The longest a hold may last, from the hold file's text.
DWORD HoldLimit(const std::wstring& hold) {
  std::ifstream in(hold.c_str(), std::ios::binary);
  unsigned long ms = 0;
  return in >> ms ? static_cast<DWORD>(ms) : 120000;
}

void WaitWhileHeld() {
  const std::wstring hold = Beside(L"subst.hold");
  if (GetFileAttributesW(hold.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  const ULONGLONG deadline = GetTickCount64() + HoldLimit(hold);
  while (GetFileAttributesW(hold.c_str()) != INVALID_FILE_ATTRIBUTES) {
    if (GetTickCount64() >= deadline) {
      DeleteFileW(hold.c_str());
      return;
    }
    Sleep(20);
  }
}

int Remove(wchar_t letter) {
  WaitWhileHeld();
  auto drives = ReadMap();
  if (!drives.count(letter)) {
    Say(std::wstring(L"Invalid parameter - ") + letter + L":");
    return 1;
  }
  MountManager(letter, DRIVE_NO_ROOT_DIR, "");
  drives.erase(letter);
  WriteMap(drives);
  return 0;
}

}  // namespace

int main() {
  const wchar_t* line = GetCommandLineW();
  {
    std::ofstream log(Beside(L"subst.log").c_str(), std::ios::binary | std::ios::app);
    log << Utf8(line) << "\r\n";
  }
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(line, &argc);
  if (!argv) return 1;
  std::wstring a = argc > 1 ? argv[1] : L"", b = argc > 2 ? argv[2] : L"";
  auto is_delete = [](const std::wstring& s) { return s == L"/D" || s == L"/d"; };
  int result;
  if (argc == 1) {
    for (const auto& [letter, folder] : ReadMap())
      Say(std::wstring(1, letter) + L":\\: => " + folder);
    result = 0;
  } else if (argc == 3 && IsDriveName(a) && is_delete(b)) {
    result = Remove(std::towupper(a[0]));
  } else if (argc == 3 && is_delete(a) && IsDriveName(b)) {
    result = Remove(std::towupper(b[0]));
  } else if (argc == 3 && IsDriveName(a)) {
    result = Define(std::towupper(a[0]), b);
  } else {
    Say(argc > 3 ? L"Incorrect number of parameters - " + std::wstring(argv[3])
                 : L"Incorrect number of parameters - " + a);
    result = 1;
  }
  LocalFree(argv);
  return result;
}
