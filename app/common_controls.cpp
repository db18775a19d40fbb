#include "app/common_controls.h"

#include "platform/win32/scoped_handle.h"
#include "platform/win32/system_libraries.h"

namespace varnett {
namespace {

// The manifest resource that names Common Controls 6 (the loader reads only
// resource 1 at process start).
constexpr WORD kCommonControlsManifest = 2;

const ScopedActivationContext& Context() {
  static const ScopedActivationContext context = [] {
    ACTCTXW request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
    request.hModule = GetModuleHandleW(nullptr);
    request.lpResourceName = MAKEINTRESOURCEW(kCommonControlsManifest);
    return ScopedActivationContext(CreateActCtxW(&request));
  }();
  return context;
}

}  // namespace

// Without the context (a system that refuses it) the controls are the plain
// ones, which still work.
CommonControlsScope::CommonControlsScope() {
  if (Context()) active_ = ActivateActCtx(Context().get(), &cookie_) != FALSE;
}

CommonControlsScope::~CommonControlsScope() {
  if (active_) DeactivateActCtx(0, cookie_);
}

HMODULE CommonControlsLibrary() {
  static const HMODULE library = [] {
    CommonControlsScope scope;
    return LoadSystemLibrary(L"comctl32.dll");
  }();
  return library;
}

}  // namespace varnett
