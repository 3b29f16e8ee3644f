// IOemCF: the class factory of the plug-in's one class.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/framework_abi.h"

namespace kvt {

class IOemCF final : public IClassFactory {
 public:
  // Starts with one reference, held by whoever made it.
  IOemCF();
  IOemCF(const IOemCF&) = delete;
  IOemCF& operator=(const IOemCF&) = delete;

  // Serves IUnknown and IClassFactory.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // Makes an IWaterMarkUI and hands out the asked interface; the caller's
  // reference is the only one left, so a refused interface frees the object.
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  // Factories alive in this process. Factories do not keep the module loaded
  // (only objects and server locks do), so this exists for the tests that
  // check a refused request leaves nothing behind.
  static std::uint32_t AliveCount();

 private:
  ~IOemCF();

  std::atomic<ULONG> ref_count_{1};
};

}  // namespace kvt
