#include "core/oem_cf.h"

#include <new>

#include "core/module_state.h"
#include "core/watermark_ui.h"

namespace kvt {
namespace {

std::atomic<std::uint32_t> g_factories_alive{0};

}  // namespace

IOemCF::IOemCF() { g_factories_alive.fetch_add(1); }

IOemCF::~IOemCF() { g_factories_alive.fetch_sub(1); }

std::uint32_t IOemCF::AliveCount() { return g_factories_alive.load(); }

HRESULT STDMETHODCALLTYPE IOemCF::QueryInterface(REFIID riid, void** ppv) {
  // COM leaves a null out pointer undefined; answering instead of writing
  // through it keeps a careless caller from crashing the host process.
  if (ppv == nullptr) {
    return E_POINTER;
  }
  if (abi::SameGuid(riid, abi::kIidUnknown) || abi::SameGuid(riid, abi::kIidClassFactory)) {
    *ppv = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE IOemCF::AddRef() { return ref_count_.fetch_add(1) + 1; }

ULONG STDMETHODCALLTYPE IOemCF::Release() {
  const ULONG remaining = ref_count_.fetch_sub(1) - 1;
  if (remaining == 0) {
    delete this;
  }
  return remaining;
}

HRESULT STDMETHODCALLTYPE IOemCF::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
  if (ppv == nullptr) {
    return E_POINTER;
  }
  *ppv = nullptr;
  if (outer != nullptr) {
    return CLASS_E_NOAGGREGATION;
  }
  IWaterMarkUI* object = new (std::nothrow) IWaterMarkUI();
  if (object == nullptr) {
    return E_OUTOFMEMORY;
  }
  const HRESULT result = object->QueryInterface(riid, ppv);
  object->Release();
  return result;
}

HRESULT STDMETHODCALLTYPE IOemCF::LockServer(BOOL lock) {
  LockModule(lock != 0);
  return S_OK;
}

}  // namespace kvt
