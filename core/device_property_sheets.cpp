#include "core/device_property_sheets.h"

#include "core/document_property_sheets.h"
#include "core/module_state.h"
#include "platform/last_error.h"
#include "platform/local_heap.h"
#include "platform/printer_info.h"
#include "platform/property_pages.h"
#include "platform/spooler.h"

namespace kvt {
namespace {

HRESULT Refuse(std::uint32_t error) {
  SetThreadLastError(error);
  return E_FAIL;
}

// Frees its block on every way out of the refresh.
class HeapBlock {
 public:
  explicit HeapBlock(std::size_t size) : block_(Service<LocalHeap>().AllocZeroed(size)) {}
  ~HeapBlock() { Service<LocalHeap>().Free(block_); }
  HeapBlock(const HeapBlock&) = delete;
  HeapBlock& operator=(const HeapBlock&) = delete;
  void* get() const { return block_; }

 private:
  void* block_;
};

HANDLE AddToolsPage(PROPSHEETUI_INFO* info, DeviceSheetState* state, DLGPROC tools_page) {
  state->hComPropSheet = info->hComPropSheet;
  state->pfnComPropSheet = info->pfnComPropSheet;
  if (tools_page == nullptr || info->pfnComPropSheet == nullptr) return nullptr;

  PropertySheetPageW description = {};
  description.dwSize = sizeof(description);
  description.dwFlags = 0;
  description.hInstance = ModuleInstance();
  description.pszTemplate = IntResource(kToolsPageTemplate);
  description.pfnDlgProc = tools_page;
  description.lParam = reinterpret_cast<LPARAM>(state);
  if (HPROPSHEETPAGE made = Service<PropertyPages>().Create(description)) {
    return reinterpret_cast<HANDLE>(info->pfnComPropSheet(
        info->hComPropSheet, CPSFUNC_ADD_HPROPSHEETPAGE, reinterpret_cast<LPARAM>(made), 0));
  }
  return reinterpret_cast<HANDLE>(info->pfnComPropSheet(
      info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW, reinterpret_cast<LPARAM>(&description), 0));
}

HRESULT SetUp(PROPSHEETUI_INFO* info, DeviceSheetState* state, DLGPROC tools_page) {
  const auto* param = reinterpret_cast<const OEMUIPSPARAM*>(info->lParamInit);
  if (param == nullptr || state == nullptr) return Refuse(ERROR_INVALID_PARAMETER);
  if (!RefreshPrinterDefaults(param->hPrinter,
                              reinterpret_cast<const char16_t*>(param->pPrinterName))) {
    // Silent: the properties simply come without the Tools page.
    info->Result = 1;
    return S_OK;
  }
  state->hToolPage = AddToolsPage(info, state, tools_page);
  info->Result = 0;
  return S_OK;
}

DLGPROC g_tools_page = nullptr;

}  // namespace

void SetDeviceSheetPage(DLGPROC tools_page) { g_tools_page = tools_page; }
DLGPROC InstalledDeviceSheetPage() { return g_tools_page; }

bool RefreshPrinterDefaults(HANDLE printer, const char16_t* printer_name) {
  Spooler& spooler = Service<Spooler>();
  const std::uint32_t info_size = spooler.PrinterInfo2Size(printer);
  if (info_size < sizeof(PrinterInfo2)) return false;
  HeapBlock info_block(info_size);
  auto* info = static_cast<PrinterInfo2*>(info_block.get());
  if (info == nullptr || !spooler.ReadPrinterInfo2(printer, info, info_size)) return false;

  const std::int32_t mode_size = spooler.DocumentProperties(printer, printer_name, nullptr, 0);
  if (mode_size < static_cast<std::int32_t>(offsetof(DEVMODEW, dmDriverExtra))) return false;
  HeapBlock mode_block(static_cast<std::size_t>(mode_size));
  auto* driver_mode = static_cast<DEVMODEW*>(mode_block.get());
  if (driver_mode == nullptr || spooler.DocumentProperties(printer, printer_name, driver_mode,
                                                           kDmOutBuffer) != kDocumentPropertiesOk) {
    return false;
  }

  const DEVMODEW* stored = info->pDevMode;
  if (stored != nullptr && stored->dmDriverVersion >= driver_mode->dmDriverVersion) return true;
  info->pDevMode = driver_mode;
  const bool written = spooler.SetPrinterInfo2(printer, info);
  info->pDevMode = const_cast<DEVMODEW*>(stored);
  if (written) return true;
  if (GetThreadLastError() != kErrorAccessDenied) return false;
  // A user who may not change the printer still gets the driver's defaults
  // for this connection.
  return spooler.ResetPrinter(printer, reinterpret_cast<const char16_t*>(info->pDatatype),
                              driver_mode);
}

HRESULT DevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM param, DeviceSheetState* state,
                             DLGPROC tools_page) {
  if (info == nullptr || info->Version != PROPSHEETUI_INFO_VERSION) {
    return Refuse(ERROR_INVALID_PARAMETER);
  }
  switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT:
      return SetUp(info, state, tools_page);
    case PROPSHEETUI_REASON_GET_INFO_HEADER:
      if (auto* header = reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(param)) {
        header->pTitle = reinterpret_cast<LPTSTR>(const_cast<char16_t*>(kDocumentSheetTitle));
      }
      info->Result = 1;
      return S_OK;
    case PROPSHEETUI_REASON_DESTROY:
      // The device tree's option items were built for this sheet by
      // CommonUIProp; nobody else frees them.
      if (state != nullptr && state->pOemCuipParam != nullptr) {
        FreePluginOptionItems(state->pOemCuipParam);
      }
      info->Result = 1;
      return S_OK;
    case PROPSHEETUI_REASON_SET_RESULT:
      if (const auto* result = reinterpret_cast<const SETRESULT_INFO*>(param)) {
        info->Result = static_cast<ULONG_PTR>(result->Result);
      }
      return S_OK;
    default:
      info->Result = 0;
      return S_OK;
  }
}

}  // namespace kvt
