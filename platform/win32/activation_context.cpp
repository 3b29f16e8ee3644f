#include "platform/win32/activation_context.h"
#include "platform/win32/own_module.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace kvt {
namespace {

// The module's manifest resource (ISOLATIONAWARE_MANIFEST_RESOURCE_ID).
constexpr WORD kManifestResourceId = 2;

// Made once, on first use, and released when the module unloads. A host
// program may call into the plug-in on more than one thread; the static
// local's initialisation is serialised by the runtime.
class ModuleContext {
 public:
  ModuleContext() {
    const HMODULE module = OwnModule();
    if (module == nullptr) return;
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
      const DWORD length =
          ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
      if (length == 0) return;
      if (length < path.size()) break;
      if (path.size() >= 32768) return;
      path.resize(path.size() * 2);
    }
    ACTCTXW description = {};
    description.cbSize = sizeof(description);
    description.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    description.lpSource = path.data();
    description.hModule = module;
    description.lpResourceName = MAKEINTRESOURCEW(kManifestResourceId);
    context_ = ::CreateActCtxW(&description);
  }
  ~ModuleContext() {
    if (context_ != INVALID_HANDLE_VALUE) ::ReleaseActCtx(context_);
  }
  ModuleContext(const ModuleContext&) = delete;
  ModuleContext& operator=(const ModuleContext&) = delete;

  HANDLE handle() const { return context_; }

 private:
  HANDLE context_ = INVALID_HANDLE_VALUE;
};

HANDLE TheModuleContext() {
  static ModuleContext context;
  return context.handle();
}

// Activates the module's context for one call. The wrapped call's last
// error is what the caller sees: deactivation must not overwrite it.
class ScopedActivation {
 public:
  ScopedActivation() {
    const HANDLE context = TheModuleContext();
    if (context != INVALID_HANDLE_VALUE) active_ = ::ActivateActCtx(context, &cookie_) != FALSE;
  }
  ~ScopedActivation() {
    if (!active_) return;
    const DWORD error = ::GetLastError();
    ::DeactivateActCtx(0, cookie_);
    ::SetLastError(error);
  }
  ScopedActivation(const ScopedActivation&) = delete;
  ScopedActivation& operator=(const ScopedActivation&) = delete;

 private:
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

}  // namespace

HMODULE LoadLibraryInModuleContext(LPCWSTR path) {
  ScopedActivation activation;
  return ::LoadLibraryW(path);
}

HWND CreateDialogParamInModuleContext(HINSTANCE instance, LPCWSTR template_name, HWND parent,
                                      DLGPROC procedure, LPARAM init_param) {
  ScopedActivation activation;
  return ::CreateDialogParamW(instance, template_name, parent, procedure, init_param);
}

HPROPSHEETPAGE CreatePropertySheetPageInModuleContext(LPCPROPSHEETPAGEW page) {
  ScopedActivation activation;
  return ::CreatePropertySheetPageW(page);
}

}  // namespace kvt
