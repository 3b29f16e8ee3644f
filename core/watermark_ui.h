// IWaterMarkUI: the plug-in object the framework drives through IPrintOemUI.
// It does the small operations itself (identity, driver interface, GetInfo)
// and hands the rest to the record, sheet and option-item code.
#pragma once

#include <atomic>

#include "core/device_sheet_state.h"
#include "platform/framework_abi.h"

namespace kvt {

class IWaterMarkUI final : public IPrintOemUI {
 public:
  // One reference, no driver interface, a fresh DeviceSheetState. Counts
  // itself among the module's live objects until its last Release.
  IWaterMarkUI();
  IWaterMarkUI(const IWaterMarkUI&) = delete;
  IWaterMarkUI& operator=(const IWaterMarkUI&) = delete;

  // Serves IUnknown and IPrintOemUI.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  // The last Release drops the driver interface and frees the object.
  ULONG STDMETHODCALLTYPE Release() override;

  // Signature and version of the private record; other modes are refused.
  HRESULT STDMETHODCALLTYPE GetInfo(DWORD dwMode, PVOID pBuffer, DWORD cbSize,
                                    PDWORD pcbNeeded) override;
  HRESULT STDMETHODCALLTYPE DevMode(DWORD dwMode, POEMDMPARAM pOemDMParam) override;
  // Takes the framework's IPrintOemDriverUI once; later calls keep the first.
  HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* pIUnknown) override;
  // Records the block (whatever the mode), then builds the option items.
  HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD dwMode, POEMCUIPPARAM pOemCUIPParam) override;
  HRESULT STDMETHODCALLTYPE DocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo,
                                                   LPARAM lParam) override;
  HRESULT STDMETHODCALLTYPE DevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo,
                                                 LPARAM lParam) override;
  HRESULT STDMETHODCALLTYPE DevQueryPrintEx(POEMUIOBJ poemuiobj, PDEVQUERYPRINT_INFO pDQPInfo,
                                            PDEVMODEW pPublicDM, PVOID pOEMDM) override;
  HRESULT STDMETHODCALLTYPE DeviceCapabilities(POEMUIOBJ poemuiobj, HANDLE hPrinter,
                                               PWSTR pDeviceName, WORD wCapability, PVOID pOutput,
                                               PDEVMODEW pPublicDM, PVOID pOEMDM, DWORD dwOld,
                                               DWORD* dwResult) override;
  HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD dwLevel, PBYTE pDriverUpgradeInfo) override;
  // Only printer installation has work to do; every other event is accepted.
  HRESULT STDMETHODCALLTYPE PrinterEvent(PWSTR pPrinterName, INT iDriverEvent, DWORD dwFlags,
                                         LPARAM lParam) override;
  HRESULT STDMETHODCALLTYPE DriverEvent(DWORD dwDriverEvent, DWORD dwLevel, LPBYTE pDriverInfo,
                                        LPARAM lParam) override;
  HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE hPrinter, POEMUIOBJ poemuiobj,
                                              PDEVMODEW pPublicDM, PVOID pOEMDM, ULONG ulQueryMode,
                                              void* pvProfileData, ULONG* pcbProfileData,
                                              FLONG* pflProfileData) override;
  HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND hWnd, UINT usMsg, WPARAM wParam,
                                                 LPARAM lParam) override;
  HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE hPrinter, HANDLE hHeap,
                                                PWSTR pwstrCartridges) override;

  // What the object holds, for the tests.
  IPrintOemDriverUI* driver_ui() const { return driver_ui_; }
  const DeviceSheetState& device_sheet_state() const { return device_sheet_state_; }

 private:
  ~IWaterMarkUI();

  std::atomic<ULONG> ref_count_{1};
  // The framework's driver interface; the object owns one reference to it.
  IPrintOemDriverUI* driver_ui_ = nullptr;
  DeviceSheetState device_sheet_state_;
};

}  // namespace kvt
