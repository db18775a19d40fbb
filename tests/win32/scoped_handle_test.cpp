// The kernel handle owner with a real event: closed exactly once, by its
// last owner, and CreateFile's failure value owns nothing; the library owner
// gives its reference back.
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

// A library no other part of the test program loads: its last reference
// going unloads it.
TEST(ScopedModule, TheLibraryIsGivenBackByItsOwner) {
  ASSERT_FALSE(GetModuleHandleW(L"mpr.dll")) << "loaded by something else";
  {
    ScopedModule module(LoadLibraryW(L"mpr.dll"));
    ASSERT_TRUE(module);
    EXPECT_TRUE(GetModuleHandleW(L"mpr.dll"));
  }
  EXPECT_FALSE(GetModuleHandleW(L"mpr.dll"));
}

}  // namespace
}  // namespace varnett
