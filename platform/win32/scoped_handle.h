// Ownership of system resources: each is released exactly once, when its
// owner goes or is given another, also on an early return. Owners move and
// are never copied. A resource kind is a small traits type saying which value
// is empty and how one is released; GDI objects use the same scheme in
// app/scoped_gdi.h.
#pragma once

#include <windows.h>

namespace varnett {

template <typename Traits>
class Scoped {
 public:
  using Value = typename Traits::Value;

  Scoped() = default;
  explicit Scoped(Value value) : value_(value) {}
  ~Scoped() { Reset(); }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;
  Scoped(Scoped&& other) noexcept : value_(other.Release()) {}
  Scoped& operator=(Scoped&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Value get() const { return value_; }
  explicit operator bool() const { return Traits::Valid(value_); }
  // Gives the resource up without releasing it.
  Value Release() {
    Value value = value_;
    value_ = Value{};
    return value;
  }
  // Keeps the thread's last error across the release: an owner that goes
  // between a failed call and the reading of its error must not change it.
  void Reset(Value value = Value{}) {
    if (Traits::Valid(value_)) {
      const DWORD error = GetLastError();
      Traits::Free(value_);
      SetLastError(error);
    }
    value_ = value;
  }

 private:
  Value value_{};
};

// Resources whose only empty value is null.
template <typename T>
struct NullIsEmpty {
  using Value = T;
  static bool Valid(T value) { return value != nullptr; }
};

// Handles whose makers fail with INVALID_HANDLE_VALUE (CreateFile,
// CreateActCtx) as well as null: both count as empty.
struct NullOrInvalidIsEmpty {
  using Value = HANDLE;
  static bool Valid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
};

// A kernel object.
struct KernelHandleTraits : NullOrInvalidIsEmpty {
  static void Free(HANDLE handle) { CloseHandle(handle); }
};
using ScopedHandle = Scoped<KernelHandleTraits>;

// A mutex this thread holds: let go of, then closed.
struct HeldMutexTraits : NullOrInvalidIsEmpty {
  static void Free(HANDLE mutex) {
    ReleaseMutex(mutex);
    CloseHandle(mutex);
  }
};
using ScopedHeldMutex = Scoped<HeldMutexTraits>;

struct RegistryKeyTraits : NullIsEmpty<HKEY> {
  static void Free(HKEY key) { RegCloseKey(key); }
};
using ScopedRegistryKey = Scoped<RegistryKeyTraits>;

struct ActivationContextTraits : NullOrInvalidIsEmpty {
  static void Free(HANDLE context) { ReleaseActCtx(context); }
};
using ScopedActivationContext = Scoped<ActivationContextTraits>;

// Memory the system allocated for the caller with LocalAlloc (FormatMessage's
// text, CommandLineToArgvW's list).
template <typename T>
struct LocalMemoryTraits : NullIsEmpty<T*> {
  static void Free(T* memory) { LocalFree(memory); }
};
template <typename T>
using ScopedLocalMemory = Scoped<LocalMemoryTraits<T>>;

// A reference to a loaded library, from LoadLibrary.
struct ModuleTraits : NullIsEmpty<HMODULE> {
  static void Free(HMODULE module) { FreeLibrary(module); }
};
using ScopedModule = Scoped<ModuleTraits>;

}  // namespace varnett
