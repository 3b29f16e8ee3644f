// A framework driver interface for tests, counting what the plug-in does to
// it. Used by the native tests and by the wine tests of the real DLL.
#pragma once

#include <cstdint>

#include "platform/framework_abi.h"

namespace kvt {

// The framework's driver interface, counting what the plug-in does to it.
class FakeDriverUI final : public IPrintOemDriverUI {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    ++query_calls;
    if (refuse_queries) {
      // A sloppy implementation that writes before it fails.
      *ppv = reinterpret_cast<void*>(static_cast<std::uintptr_t>(0xBADC0DE0));
      return E_NOINTERFACE;
    }
    if (abi::SameGuid(riid, abi::kIidPrintOemDriverUI) || abi::SameGuid(riid, abi::kIidUnknown)) {
      *ppv = static_cast<IPrintOemDriverUI*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    ++add_ref_calls;
    return ++refs;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    ++release_calls;
    return --refs;
  }
  HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID, PCSTR, PVOID, DWORD, PDWORD,
                                                PDWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DrvUpgradeRegistrySetting(HANDLE, PCSTR, PCSTR) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DrvUpdateUISetting(PVOID, PVOID, DWORD, DWORD) override {
    return E_NOTIMPL;
  }

  bool refuse_queries = false;
  int query_calls = 0;
  int add_ref_calls = 0;
  int release_calls = 0;
  ULONG refs = 1;  // the framework's own reference
};

}  // namespace kvt
