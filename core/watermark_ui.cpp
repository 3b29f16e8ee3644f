#include "core/watermark_ui.h"

#include <cstring>

#include "core/devmode.h"
#include "core/module_state.h"
#include "core/private_settings.h"
#include "core/sheet_forwarders.h"
#include "platform/last_error.h"

namespace kvt {
namespace {

HRESULT Refuse(DWORD error) {
  SetThreadLastError(error);
  return E_FAIL;
}

}  // namespace

IWaterMarkUI::IWaterMarkUI() { AddLiveObject(); }

IWaterMarkUI::~IWaterMarkUI() { RemoveLiveObject(); }

HRESULT STDMETHODCALLTYPE IWaterMarkUI::QueryInterface(REFIID riid, void** ppv) {
  // COM leaves a null out pointer undefined; answering instead of writing
  // through it keeps a careless caller from crashing the host process.
  if (ppv == nullptr) {
    return E_POINTER;
  }
  if (abi::SameGuid(riid, abi::kIidUnknown) || abi::SameGuid(riid, abi::kIidPrintOemUI)) {
    *ppv = static_cast<IPrintOemUI*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE IWaterMarkUI::AddRef() { return ref_count_.fetch_add(1) + 1; }

ULONG STDMETHODCALLTYPE IWaterMarkUI::Release() {
  const ULONG remaining = ref_count_.fetch_sub(1) - 1;
  if (remaining == 0) {
    if (driver_ui_ != nullptr) {
      driver_ui_->Release();
      driver_ui_ = nullptr;
    }
    delete this;
  }
  return remaining;
}

HRESULT STDMETHODCALLTYPE IWaterMarkUI::GetInfo(DWORD dwMode, PVOID pBuffer, DWORD cbSize,
                                                PDWORD pcbNeeded) {
  // The interface the framework asked for already fixes the version, so the
  // interface-version query is refused like any unknown mode.
  if (pcbNeeded == nullptr ||
      (dwMode != abi::OEMGI_GETSIGNATURE && dwMode != abi::OEMGI_GETVERSION &&
       dwMode != abi::OEMGI_GETPUBLISHERINFO)) {
    return Refuse(ERROR_INVALID_PARAMETER);
  }
  *pcbNeeded = sizeof(DWORD);
  if (cbSize < sizeof(DWORD) || pBuffer == nullptr) {
    return Refuse(ERROR_INSUFFICIENT_BUFFER);
  }
  switch (dwMode) {
    // The caller's buffer need not be aligned for a DWORD.
    case abi::OEMGI_GETSIGNATURE:
      std::memcpy(pBuffer, &kPrivateSettingsSignature, sizeof(DWORD));
      return S_OK;
    case abi::OEMGI_GETVERSION:
      std::memcpy(pBuffer, &kPrivateSettingsVersion, sizeof(DWORD));
      return S_OK;
    default:
      // There is no publisher information to give.
      *pcbNeeded = 0;
      return Refuse(ERROR_NOT_SUPPORTED);
  }
}

HRESULT STDMETHODCALLTYPE IWaterMarkUI::DevMode(DWORD dwMode, POEMDMPARAM pOemDMParam) {
  return ::kvt::DevMode(dwMode, pOemDMParam);
}

HRESULT STDMETHODCALLTYPE IWaterMarkUI::PublishDriverInterface(IUnknown* pIUnknown) {
  // The framework publishes on every sheet it builds; the first interface is
  // kept for the object's whole life.
  if (driver_ui_ != nullptr) {
    return S_OK;
  }
  if (pIUnknown == nullptr) {
    return E_FAIL;
  }
  const HRESULT result =
      pIUnknown->QueryInterface(abi::kIidPrintOemDriverUI, reinterpret_cast<void**>(&driver_ui_));
  if (result < 0) {
    // A failing QueryInterface may still have written the out pointer.
    driver_ui_ = nullptr;
    return E_FAIL;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE IWaterMarkUI::CommonUIProp(DWORD dwMode, POEMCUIPPARAM pOemCUIPParam) {
  // Recorded before the mode is checked: the sheets read the block of the
  // last call, whatever that call answered.
  device_sheet_state_.pOemCuipParam = pOemCUIPParam;
  if (dwMode != abi::OEMCUIP_DOCPROP && dwMode != abi::OEMCUIP_PRNPROP) {
    return Refuse(ERROR_INVALID_PARAMETER);
  }
  return BuildOptionItems(dwMode, pOemCUIPParam);
}

HRESULT STDMETHODCALLTYPE IWaterMarkUI::DocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo,
                                                               LPARAM lParam) {
  return DocumentPropertySheetsImpl(pPSUIInfo, lParam, &device_sheet_state_, driver_ui_);
}

HRESULT STDMETHODCALLTYPE IWaterMarkUI::DevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo,
                                                             LPARAM lParam) {
  // The device sheet and its Tools page reach the driver only through the
  // state they are given.
  device_sheet_state_.pDriverUI = driver_ui_;
  return DevicePropertySheetsImpl(pPSUIInfo, lParam, &device_sheet_state_);
}

HRESULT STDMETHODCALLTYPE IWaterMarkUI::DevQueryPrintEx(POEMUIOBJ, PDEVQUERYPRINT_INFO, PDEVMODEW,
                                                        PVOID) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE IWaterMarkUI::DeviceCapabilities(POEMUIOBJ, HANDLE, PWSTR, WORD, PVOID,
                                                           PDEVMODEW, PVOID, DWORD, DWORD*) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE IWaterMarkUI::UpgradePrinter(DWORD, PBYTE) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE IWaterMarkUI::PrinterEvent(PWSTR pPrinterName, INT iDriverEvent, DWORD,
                                                     LPARAM) {
  if (iDriverEvent == PRINTER_EVENT_INITIALIZE) {
    return InitializePrinter(pPrinterName);
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE IWaterMarkUI::DriverEvent(DWORD, DWORD, LPBYTE, LPARAM) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE IWaterMarkUI::QueryColorProfile(HANDLE, POEMUIOBJ, PDEVMODEW, PVOID,
                                                          ULONG, void*, ULONG*, FLONG*) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE IWaterMarkUI::FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE IWaterMarkUI::UpdateExternalFonts(HANDLE, HANDLE, PWSTR) {
  return E_NOTIMPL;
}

}  // namespace kvt
