// The built Varnett.exe as Windows sees it before it runs: the version
// resource that Explorer's properties show, and the manifest that the loader
// reads (execution level, supported systems, DPI awareness, Common Controls 6).
// Both are read through the system's own resource and version functions.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/module_function.h"
#include "tests/support/e2e/assertions.h"
#include "tests/support/e2e/cafe.h"
#include "tests/support/e2e/driver.h"

namespace varnett::e2e {
namespace {

std::wstring ProgramPath() { return BuildFolder() + L"\\Varnett.exe"; }

std::wstring VersionString(const std::vector<char>& info, const wchar_t* name) {
  struct Translation {
    WORD language, code_page;
  }* translation = nullptr;
  UINT size = 0;
  if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &size) ||
      size < sizeof *translation)
    return L"<no translation>";
  wchar_t key[128];
  swprintf(key, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
           translation->code_page, name);
  wchar_t* value = nullptr;
  if (!VerQueryValueW(info.data(), key, reinterpret_cast<void**>(&value), &size) || !value)
    return L"<missing>";
  return value;
}

TEST(Executable, VersionResourceNamesTheProduct) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(ProgramPath().c_str(), &ignored);
  ASSERT_GT(size, 0u) << "no version resource";
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(ProgramPath().c_str(), 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(3, 2));
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(3, 2));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  EXPECT_EQ(VersionString(info, L"FileVersion"), L"2.3");
  EXPECT_EQ(VersionString(info, L"ProductVersion"), L"2.3");
  EXPECT_EQ(VersionString(info, L"ProductName"), L"Varnett");
  std::wstring description = VersionString(info, L"FileDescription");
  EXPECT_EQ(description.rfind(L"Varnett", 0), 0u) << Utf8(description);

  // The first icon group is the one Explorer shows for the file.
  HICON large = nullptr;
  EXPECT_EQ(ExtractIconExW(ProgramPath().c_str(), 0, &large, nullptr, 1), 1u);
  if (large) DestroyIcon(large);
}

// Manifest resource `id` of the program, empty when there is none.
std::string ManifestOf(int id) {
  HMODULE image = LoadLibraryExW(ProgramPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!image) return "";
  std::string manifest;
  if (HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(24))) {
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(image, found)));
    manifest.assign(bytes, SizeofResource(image, found));
  }
  FreeLibrary(image);
  return manifest;
}

TEST(Executable, ManifestAsksForWhatThePcNeeds) {
  const std::string common_controls =
      "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"";
  std::string process = ManifestOf(1);
  ASSERT_FALSE(process.empty()) << "no manifest";
  for (const char* wanted : {
           "level=\"asInvoker\"",
           // Windows 7, 8, 8.1, 10 and 11.
           "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
           ">true</dpiAware>",
           ">PerMonitorV2, PerMonitor</dpiAwareness>",
       }) {
    EXPECT_NE(process.find(wanted), std::string::npos) << wanted;
  }
  // Common Controls 6 is asked for only where the boxes activate it: in the
  // process manifest it would be loaded and set up before the window shows.
  EXPECT_EQ(process.find("Common-Controls"), std::string::npos);
  EXPECT_NE(ManifestOf(2).find(common_controls), std::string::npos);
}

// The functions a program file imports by name, as "dll!function" (the DLL
// name in lower case), read from its import directory.
std::vector<std::string> ImportsOf(const std::wstring& path) {
  std::vector<std::string> imports;
  const std::string image = ReadFile(path);
  auto at = [&](size_t offset, size_t size) -> const char* {
    return offset <= image.size() && size <= image.size() - offset ? image.data() + offset
                                                                   : nullptr;
  };
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0, sizeof(IMAGE_DOS_HEADER)));
  if (!dos) return imports;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(
      at(static_cast<size_t>(dos->e_lfanew), sizeof(IMAGE_NT_HEADERS64)));
  if (!nt) return imports;
  const auto* sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
      at(static_cast<size_t>(dos->e_lfanew) + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
             nt->FileHeader.SizeOfOptionalHeader,
         sizeof(IMAGE_SECTION_HEADER) * nt->FileHeader.NumberOfSections));
  if (!sections) return imports;
  auto file_offset = [&](DWORD rva) -> size_t {
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
      const IMAGE_SECTION_HEADER& s = sections[i];
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData)
        return rva - s.VirtualAddress + s.PointerToRawData;
    }
    return image.size();
  };
  auto text = [&](DWORD rva) -> std::string {
    const char* p = at(file_offset(rva), 1);
    return p ? std::string(p, strnlen(p, image.data() + image.size() - p)) : std::string();
  };
  const IMAGE_DATA_DIRECTORY& directory =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (size_t d = file_offset(directory.VirtualAddress);; d += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    const auto* entry =
        reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(d, sizeof(IMAGE_IMPORT_DESCRIPTOR)));
    if (!entry || entry->Name == 0) break;
    std::string dll = text(entry->Name);
    for (char& c : dll) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    const DWORD thunks = entry->OriginalFirstThunk ? entry->OriginalFirstThunk : entry->FirstThunk;
    for (size_t t = file_offset(thunks);; t += sizeof(ULONGLONG)) {
      const auto* thunk = reinterpret_cast<const ULONGLONG*>(at(t, sizeof(ULONGLONG)));
      if (!thunk || *thunk == 0) break;
      if (*thunk & IMAGE_ORDINAL_FLAG64) continue;
      imports.push_back(dll + "!" + text(static_cast<DWORD>(*thunk) + 2));  // after the hint
    }
  }
  return imports;
}

// Wine loads its own DLLs whatever lies beside a program, so planting one
// cannot be shown here: what the programs ask of the loader is read instead.
// Both limit the default search to the system folder (the program's folder
// and the current one may be writable by others), which also covers the C
// runtime's own loads by a bare name, and load their libraries with a search
// of their own (LoadLibraryExW).
TEST(Executable, LibrariesComeFromTheSystemFolderOnly) {
  for (const wchar_t* name : {L"Varnett.exe", L"varnett-admin.exe"}) {
    SCOPED_TRACE(Utf8(name));
    const std::vector<std::string> imports = ImportsOf(BuildFolder() + L"\\" + name);
    ASSERT_FALSE(imports.empty());
    auto imported = [&](const std::string& function) {
      return std::find(imports.begin(), imports.end(), "kernel32.dll!" + function) != imports.end();
    };
    EXPECT_TRUE(imported("SetDefaultDllDirectories"));
    EXPECT_TRUE(imported("LoadLibraryExW"));
  }
}

// The loader took the manifest: the running program's window is DPI aware
// (Wine goes as far as per-monitor v1, the fallback the manifest names).
TEST(Executable, RunningWindowIsDpiAware) {
  PrepareCafe(Cafe{true, true});
  Program program(kRoot + L"\\executable");
  ASSERT_TRUE(StartedAndShown(program));
  // Windows 10 functions: looked up, so the test program still starts on 7.
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  auto context_of = ModuleFunction<HANDLE(WINAPI*)(HWND)>(user32, "GetWindowDpiAwarenessContext");
  auto awareness_of =
      ModuleFunction<int(WINAPI*)(HANDLE)>(user32, "GetAwarenessFromDpiAwarenessContext");
  if (!context_of || !awareness_of) GTEST_SKIP() << "this system predates DPI awareness contexts";
  constexpr int kPerMonitorAware = 2;  // DPI_AWARENESS_PER_MONITOR_AWARE
  EXPECT_EQ(awareness_of(context_of(program.window())), kPerMonitorAware);
  EXPECT_TRUE(program.Close());
}

}  // namespace
}  // namespace varnett::e2e
