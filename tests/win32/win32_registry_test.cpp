// The real registry under Windows (Wine in the test command): the test
// writes its own keys and values, reads them back through Win32Registry and
// removes them again.
#include "platform/win32/win32_registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace varnett {
namespace {

using Kind = RegistryValue::Kind;

class Win32RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    name_ = L"Software\\VarnettRegistryTest" + std::to_wstring(GetCurrentProcessId());
    key_ = "Software\\VarnettRegistryTest" + std::to_string(GetCurrentProcessId());
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, name_.c_str());
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
      HKEY software;
      if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_ALL_ACCESS | view, &software) ==
          ERROR_SUCCESS) {
        RegDeleteTreeW(software, name_.substr(9).c_str());
        RegCloseKey(software);
      }
    }
  }

  // Writes raw bytes of `type` under HKCU (or HKLM in `view`) key name_ + sub.
  void Write(HKEY root, REGSAM view, const std::wstring& sub, const wchar_t* value, DWORD type,
             const void* data, DWORD bytes) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(root, (name_ + sub).c_str(), 0, nullptr, 0, KEY_SET_VALUE | view,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, value, 0, type, static_cast<const BYTE*>(data), bytes),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  void WriteText(HKEY root, const wchar_t* value, const std::wstring& text, DWORD type = REG_SZ) {
    Write(root, 0, L"", value, type, text.c_str(),
          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  bool KeyExists(HKEY root, const std::wstring& name) {
    HKEY key;
    if (RegOpenKeyExW(root, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

  std::wstring name_;
  std::string key_;
  Win32Registry registry_;
};

TEST_F(Win32RegistryTest, TextValuesAsStoredUpToTheFirstNul) {
  WriteText(HKEY_CURRENT_USER, L"Plain", L"C:\\Nexon\\SuddenAttack\\");
  WriteText(HKEY_CURRENT_USER, L"Expand", L"%SystemRoot%\\Games", REG_EXPAND_SZ);
  const wchar_t cut[] = L"C:\\Game\0D:\\Hidden";
  Write(HKEY_CURRENT_USER, 0, L"", L"Cut", REG_SZ, cut, sizeof cut);
  const wchar_t unterminated[] = {L'E', L':', L'\\', L'S'};
  Write(HKEY_CURRENT_USER, 0, L"", L"Unterminated", REG_SZ, unterminated, sizeof unterminated);
  Write(HKEY_CURRENT_USER, 0, L"", L"OddSize", REG_SZ, L"F:\\X", 7);  // last char half stored
  Write(HKEY_CURRENT_USER, 0, L"", L"Empty", REG_SZ, L"", 0);
  WriteText(HKEY_CURRENT_USER, L"", L"default value");

  struct Case {
    const char* name;
    std::string text;
  } cases[] = {
      {"Plain", "C:\\Nexon\\SuddenAttack\\"},
      {"Expand", "%SystemRoot%\\Games"},
      {"Cut", "C:\\Game"},
      {"Unterminated", "E:\\S"},
      {"OddSize", "F:\\X"},
      {"Empty", ""},
      {"", "default value"},
  };
  for (const Case& c : cases) {
    RegistryValue v = registry_.Read(RegistryRoot::kCurrentUser, key_, c.name);
    EXPECT_EQ(v.kind, Kind::kText) << c.name;
    EXPECT_EQ(v.text, c.text) << c.name;
  }
}

TEST_F(Win32RegistryTest, KoreanKeyAndTextInCodePage949) {
  // "서든어택" as a key name and "D:\게임" as the value, written in UTF-16.
  Write(HKEY_CURRENT_USER, 0, L"\\\uC11C\uB4E0\uC5B4\uD0DD", L"RootPath", REG_SZ,
        L"D:\\\uAC8C\uC784", 5 * sizeof(wchar_t) + sizeof(wchar_t));
  RegistryValue v = registry_.Read(RegistryRoot::kCurrentUser,
                                   key_ + "\\\xBC\xAD\xB5\xE7\xBE\xEE\xC5\xC3", "RootPath");
  EXPECT_EQ(v.kind, Kind::kText);
  EXPECT_EQ(v.text, "D:\\\xB0\xD4\xC0\xD3");
}

TEST_F(Win32RegistryTest, OtherTypesAreReportedNotRead) {
  DWORD number = 1;
  Write(HKEY_CURRENT_USER, 0, L"", L"Number", REG_DWORD, &number, sizeof number);
  const wchar_t multi[] = L"C:\\A\0C:\\B\0";
  Write(HKEY_CURRENT_USER, 0, L"", L"Multi", REG_MULTI_SZ, multi, sizeof multi);
  Write(HKEY_CURRENT_USER, 0, L"", L"Bytes", REG_BINARY, "C:\\", 3);
  Write(HKEY_CURRENT_USER, 0, L"", L"None", REG_NONE, nullptr, 0);
  for (const char* name : {"Number", "Multi", "Bytes", "None"})
    EXPECT_EQ(registry_.Read(RegistryRoot::kCurrentUser, key_, name).kind, Kind::kOtherType)
        << name;
}

TEST_F(Win32RegistryTest, MissingKeysAreNeitherFoundNorCreated) {
  WriteText(HKEY_CURRENT_USER, L"There", L"x");
  EXPECT_EQ(registry_.Read(RegistryRoot::kCurrentUser, key_, "Absent").kind, Kind::kMissing);
  EXPECT_EQ(registry_.Read(RegistryRoot::kCurrentUser, key_ + "\\Sub", "There").kind,
            Kind::kMissing);
  EXPECT_EQ(registry_.Read(RegistryRoot::kLocalMachine, key_, "There").kind, Kind::kMissing);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, name_ + L"\\Sub"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, name_));
}

TEST_F(Win32RegistryTest, LocalMachineIn32BitViewFirstThenNative) {
  Write(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, L"\\Both", L"RootPath", REG_SZ, L"E:\\32", 10);
  Write(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, L"\\Both", L"RootPath", REG_SZ, L"E:\\64", 10);
  Write(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, L"\\Native", L"RootPath", REG_SZ, L"E:\\64", 10);
  EXPECT_EQ(registry_.Read(RegistryRoot::kLocalMachine, key_ + "\\Both", "RootPath").text,
            "E:\\32");
  EXPECT_EQ(registry_.Read(RegistryRoot::kLocalMachine, key_ + "\\Native", "RootPath").text,
            "E:\\64");
}

// Both views hold the key, but only the native one holds the value asked for.
TEST_F(Win32RegistryTest, EachValueFallsBackToTheNativeView) {
  Write(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, L"\\Split", L"RootPath", REG_SZ, L"E:\\32", 10);
  Write(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, L"\\Split", L"Executable", REG_SZ, L"E:\\64", 10);
  RegistryValue root = registry_.Read(RegistryRoot::kLocalMachine, key_ + "\\Split", "RootPath");
  RegistryValue exe = registry_.Read(RegistryRoot::kLocalMachine, key_ + "\\Split", "Executable");
  EXPECT_EQ(root.text, "E:\\32");
  EXPECT_EQ(exe.kind, Kind::kText);
  EXPECT_EQ(exe.text, "E:\\64");
  EXPECT_EQ(registry_.Read(RegistryRoot::kLocalMachine, key_ + "\\Split", "Absent").kind,
            Kind::kMissing);
}

}  // namespace
}  // namespace varnett
