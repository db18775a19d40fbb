// How the tests tell the test prefix's "subst" stand-in from the system's own.
// The stand-in carries a version resource whose file description is
// kStandInDescription; Windows' subst and Wine's stub carry other texts. Tests
// that read the stand-in's log, or that rely on it mapping under Wine, skip on
// a system without it (a real Windows PC) and say why.
#pragma once

#define VARNETT_SUBST_STAND_IN_DESCRIPTION "Varnett test stand-in for subst"

#ifndef RC_INVOKED
#include <windows.h>

#include <string>
#include <vector>

namespace varnett {

// True when the subst.exe of the system folder is the stand-in.
inline bool SubstStandInInstalled() {
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  std::wstring path = std::wstring(system) + L"\\subst.exe";
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return false;
  std::vector<char> info(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, info.data())) return false;
  wchar_t* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\FileDescription",
                      reinterpret_cast<void**>(&text), &length) ||
      !text)
    return false;
  return std::wstring(text) == L"" VARNETT_SUBST_STAND_IN_DESCRIPTION;
}

// Why a test that needs the stand-in is skipped.
inline const char* kNoSubstStandIn =
    "needs the Wine test prefix's subst stand-in (tests/wintools/subst) and its log "
    "C:\\windows\\system32\\subst.log; this system's subst is its own";

}  // namespace varnett
#endif
