// The kernel handle owner with a real event: closed exactly once, by its
// last owner, and CreateFile's failure value owns nothing; a release keeps
// the last error; the library owner gives its reference back.
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

// A release that fails sets the last error of its own; the owner puts back
// the error of the call before it, as the early return of a failed call would
// read it after the owners of what it had made are gone.
struct ReleaseSetsAnError : NullIsEmpty<int*> {
  static void Free(int* released) {
    ++*released;
    SetLastError(ERROR_INVALID_HANDLE);
  }
};

TEST(Scoped, ReleasingKeepsTheLastError) {
  int released = 0;
  {
    Scoped<ReleaseSetsAnError> owner(&released);
    SetLastError(ERROR_FILE_NOT_FOUND);
  }
  const DWORD after_going = GetLastError();
  EXPECT_EQ(released, 1);
  EXPECT_EQ(after_going, DWORD(ERROR_FILE_NOT_FOUND));

  Scoped<ReleaseSetsAnError> owner(&released);
  SetLastError(ERROR_ACCESS_DENIED);
  owner.Reset();
  const DWORD after_reset = GetLastError();
  EXPECT_EQ(released, 2);
  EXPECT_EQ(after_reset, DWORD(ERROR_ACCESS_DENIED));
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
