#include "core/class_object.h"

#include <new>

#include "core/module_state.h"
#include "core/oem_cf.h"

namespace kvt {

HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
  if (ppv == nullptr) {
    return E_POINTER;
  }
  *ppv = nullptr;
  if (!abi::SameGuid(rclsid, abi::kClsidPlugin)) {
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  IOemCF* factory = new (std::nothrow) IOemCF();
  if (factory == nullptr) {
    return E_OUTOFMEMORY;
  }
  // The query adds the caller's reference; dropping ours leaves the factory
  // alive only if it was handed out.
  const HRESULT result = factory->QueryInterface(riid, ppv);
  factory->Release();
  return result;
}

HRESULT CanUnloadNow() { return LiveObjectCount() == 0 && ServerLockCount() == 0 ? S_OK : S_FALSE; }

}  // namespace kvt
