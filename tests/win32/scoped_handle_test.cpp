// The kernel handle owner with a real event: closed exactly once, by its
// last owner, and CreateFile's failure value owns nothing.
#include "platform/win32/scoped_handle.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <utility>

namespace varnett {
namespace {

bool Open(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags);
}

TEST(ScopedHandle, AHandleIsClosedOnceByItsLastOwner) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_TRUE(event);
  {
    ScopedHandle first(event);
    ScopedHandle last(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_TRUE(last);
    EXPECT_TRUE(Open(event));
  }
  EXPECT_FALSE(Open(event));

  EXPECT_FALSE(ScopedHandle(INVALID_HANDLE_VALUE));
  EXPECT_FALSE(ScopedHandle());
}

}  // namespace
}  // namespace varnett
