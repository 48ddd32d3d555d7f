// Activation of the version 6 manifest and lazy loading of the common-controls library.
#include "win32/common_controls.h"

#include <commctrl.h>

#include "win32/late_bound.h"

namespace quillo {
namespace {

// The manifest resource that asks for Common-Controls version 6 (see quillomat.rc).
constexpr WORD kCommonControlsManifest = 2;

HANDLE CommonControlsContext() {
  static HANDLE context = [] {
    ACTCTXW ctx{};
    ctx.cbSize = sizeof ctx;
    ctx.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    ctx.hModule = GetModuleHandleW(nullptr);
    ctx.lpResourceName = MAKEINTRESOURCEW(kCommonControlsManifest);
    return CreateActCtxW(&ctx);
  }();
  return context;
}

}  // namespace

CommonControlsScope::CommonControlsScope(DWORD classes) {
  HANDLE context = CommonControlsContext();
  if (context != INVALID_HANDLE_VALUE) activated_ = ActivateActCtx(context, &cookie_) != FALSE;
  // Loaded inside the context, so the version 6 library is the one that comes.
  using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto init = LateBound<Init>(L"comctl32.dll", "InitCommonControlsEx");
  INITCOMMONCONTROLSEX icc{sizeof icc, classes | ICC_STANDARD_CLASSES};
  ok_ = init && init(&icc);
}

CommonControlsScope::~CommonControlsScope() {
  if (activated_) DeactivateActCtx(0, cookie_);
}

}  // namespace quillo
