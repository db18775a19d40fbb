// The system's error texts as clauses, against the system's own full texts.
#include "text/win32/system_error_text.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace varnett {
namespace {

std::u16string FullText(DWORD code) {
  wchar_t text[512] = {};
  DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           code, 0, text, 512, nullptr);
  return std::u16string(reinterpret_cast<const char16_t*>(text), n);
}

TEST(SystemErrorText, TheSystemsTextWithoutItsLineBreakAndFullStop) {
  for (DWORD code :
       {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION}) {
    const std::u16string full = FullText(code), clause = SystemErrorText(code);
    ASSERT_FALSE(clause.empty()) << code;
    EXPECT_EQ(full.compare(0, clause.size(), clause), 0) << code;
    for (char16_t c : full.substr(clause.size()))
      EXPECT_TRUE(c == u'.' || c == u' ' || c == u'\r' || c == u'\n') << code;
    EXPECT_NE(clause.back(), u'.') << code;
  }
  EXPECT_EQ(SystemErrorText(0x20001234), u"");  // a code the system has no text for
}

}  // namespace
}  // namespace varnett
