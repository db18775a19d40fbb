#include "platform/win32/win32_clock.h"

#include <windows.h>

#include "platform/win32/message_pump.h"
#include "text/win32/wide.h"

namespace varnett {

LocalDate Win32Clock::Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return LocalDate{now.wYear, now.wMonth, now.wDay};
}

std::string Win32Clock::ShortDateText() {
  wchar_t text[128];
  int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, 128);
  return n > 0 ? Narrow(std::wstring(text, n - 1)) : std::string();
}

std::string Win32Clock::LongTimeText() {
  wchar_t text[128];
  int n = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, 128);
  return n > 0 ? Narrow(std::wstring(text, n - 1)) : std::string();
}

uint32_t Win32Clock::TickCount() { return GetTickCount(); }

void Win32Clock::Sleep(uint32_t milliseconds) { ::Sleep(milliseconds); }

void Win32Clock::ProcessMessages() { ProcessPendingMessages(); }

}  // namespace varnett
