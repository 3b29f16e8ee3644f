#include "core/document_property_sheets.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/doc_ui_state.h"
#include "core/module_state.h"
#include "core/page_context.h"
#include "log/driver_log.h"
#include "platform/last_error.h"
#include "platform/local_heap.h"
#include "platform/property_pages.h"
#include "platform/string_table.h"

namespace kvt {
namespace {

// byPreset of "User Setting": what a landscape document is, whatever preset
// its settings were made with, since every preset prints portrait.
constexpr std::uint8_t kUserSettingPreset = 6;

HRESULT Refuse(std::uint32_t error) {
  SetThreadLastError(error);
  return E_FAIL;
}

void LogFailure(int line, HANDLE printer, const wchar_t* what) {
  const std::uint32_t error = GetThreadLastError();
  WriteDriverLog(LogSource{kModuleDriverUi, line, error, kLogError, L""}, printer, L"%ls", what);
}

PageContext* ContextOf(const PROPSHEETUI_INFO& info) {
  return reinterpret_cast<PageContext*>(info.UserData);
}

// Copies the document's settings into the context. The size fields come
// from the framework's buffers; a copy never takes more than the context's
// own copy holds, whatever they say.
void CopyDocumentSettings(const OEMUIPSPARAM& param, PageContext* context) {
  if (param.pPublicDM != nullptr) {
    const std::size_t size =
        std::min<std::size_t>(param.pPublicDM->dmSize, sizeof(context->PublicDevmode));
    std::memcpy(&context->PublicDevmode, param.pPublicDM, size);
  }
  context->pPublicDM = param.pPublicDM;
  if (param.pOEMDM != nullptr) {
    const auto* incoming = static_cast<const PrivateSettings*>(param.pOEMDM);
    const std::size_t size = std::min<std::size_t>(incoming->dwSize, kPrivateSettingsSize);
    std::memcpy(&context->AppliedSettings, param.pOEMDM, size);
    std::memcpy(&context->WorkingSettings, param.pOEMDM, size);
  }
}

// Fills the option items' user data for the pages, and makes a landscape
// document's preset "User Setting". Both only when CommonUIProp gave the
// object a block: without one the sheet was not set up by the framework's
// usual sequence and the pages take the settings as they are.
void FillDocUiState(PageContext* context) {
  OEMCUIPPARAM* cuip = context->pOemCuipParam;
  if (cuip == nullptr) return;
  const short orientation = context->PublicDevmode.dmOrientation;
  if (auto* state = static_cast<DocUiState*>(cuip->pOEMUserData)) {
    const PrivateSettings& settings = context->AppliedSettings;
    state->pWorkingSettings = &context->WorkingSettings;
    state->pPublicDM = context->pPublicDM;
    state->bLandscape = orientation != DMORIENT_PORTRAIT ? 1 : 0;
    state->bIpdFontUsable = orientation == DMORIENT_PORTRAIT && settings.byDirection == 0 &&
                                    settings.byReduction == 0 && settings.byWatermark == 0
                                ? 1
                                : 0;
  }
  if (orientation == DMORIENT_LANDSCAPE) {
    context->AppliedSettings.byPreset = kUserSettingPreset;
    context->WorkingSettings.byPreset = kUserSettingPreset;
  }
}

// Adds one page: made here with the module's activation context when
// possible, else described to the framework, which makes it itself. The
// framework's answer is the page's handle; a refusal leaves it null and is
// only logged, since the sheet still works with the pages it has.
HANDLE AddPage(PageContext* context, const DocumentPage& page) {
  if (page.procedure == nullptr) return nullptr;
  std::u16string title;
  const bool has_title =
      Service<StringTable>().Load(ModuleInstance(), page.title_id, kPageTitleChars, &title);

  PropertySheetPageW description = {};
  description.dwSize = sizeof(description);
  description.dwFlags = kPspUseTitle;
  description.hInstance = ModuleInstance();
  description.pszTemplate = IntResource(page.template_id);
  description.pszTitle = has_title ? reinterpret_cast<LPCWSTR>(title.c_str()) : nullptr;
  description.pfnDlgProc = page.procedure;
  description.lParam = reinterpret_cast<LPARAM>(context);

  if (context->pfnComPropSheet == nullptr) return nullptr;
  LONG_PTR added;
  if (HPROPSHEETPAGE made = Service<PropertyPages>().Create(description)) {
    added = context->pfnComPropSheet(context->hComPropSheet, CPSFUNC_ADD_HPROPSHEETPAGE,
                                     reinterpret_cast<LPARAM>(made), 0);
  } else {
    LogFailure(__LINE__, context->hPrinter, L"CreatePropertySheetPageW");
    added = context->pfnComPropSheet(context->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                     reinterpret_cast<LPARAM>(&description), 0);
  }
  if (added == 0) LogFailure(__LINE__, context->hPrinter, L"ComPropSheet add page");
  return reinterpret_cast<HANDLE>(added);
}

HRESULT SetUp(PROPSHEETUI_INFO* info, const DeviceSheetState* state, IPrintOemDriverUI* driver_ui,
              const DocumentPageSet& pages) {
  const auto* param = reinterpret_cast<const OEMUIPSPARAM*>(info->lParamInit);
  if (param == nullptr) return Refuse(ERROR_INVALID_PARAMETER);

  auto* context = static_cast<PageContext*>(Service<LocalHeap>().AllocZeroed(sizeof(PageContext)));
  if (context == nullptr) {
    LogFailure(__LINE__, param->hPrinter, L"LocalAlloc PageContext");
    info->Result = 0;
    return S_FALSE;
  }
  context->hPrinter = param->hPrinter;
  context->hComPropSheet = info->hComPropSheet;
  context->pfnComPropSheet = info->pfnComPropSheet;
  context->pDriverUI = driver_ui;
  context->pOemCuipParam = state != nullptr ? state->pOemCuipParam : nullptr;
  context->nSplitterPos = -1;

  CopyDocumentSettings(*param, context);
  context->bCanChange = (param->dwFlags & kDmNoPermission) == 0 ? 1 : 0;
  context->bNotUserDefault = (param->dwFlags & (kDmNoPermission | kDmUserDefault)) == 0 ? 1 : 0;
  FillDocUiState(context);

  info->UserData = reinterpret_cast<ULONG_PTR>(context);

  context->hDocumentPage = AddPage(context, pages[0]);
  context->hFontPage = AddPage(context, pages[1]);
  context->hWatermarkPage = AddPage(context, pages[2]);

  info->Result = 0;
  return S_OK;
}

}  // namespace

void FreePluginOptionItems(OEMCUIPPARAM* cuip) {
  LocalHeap& heap = Service<LocalHeap>();
  if (cuip->pOEMOptItems != nullptr) {
    for (DWORD i = 0; i < cuip->cOEMOptItems; ++i) {
      OPTITEM& item = cuip->pOEMOptItems[i];
      // An item whose option type could not be allocated still has its name.
      if (OPTTYPE* type = item.pOptType) {
        if (type->pOptParam != nullptr) {
          for (WORD j = 0; j < type->Count; ++j) {
            heap.Free(type->pOptParam[j].pData);
            type->pOptParam[j].pData = nullptr;
          }
          heap.Free(type->pOptParam);
          type->pOptParam = nullptr;
        }
        heap.Free(type);
        item.pOptType = nullptr;
      }
      heap.Free(item.pName);
      item.pName = nullptr;
    }
  }
  heap.Free(cuip->pOEMUserData);
  cuip->pOEMUserData = nullptr;
}

namespace {

void Release(PROPSHEETUI_INFO* info) {
  PageContext* context = ContextOf(*info);
  if (context != nullptr) {
    if (context->pOemCuipParam != nullptr) FreePluginOptionItems(context->pOemCuipParam);
    Service<LocalHeap>().Free(context);
    info->UserData = 0;
  }
  info->Result = 1;
}

void SetResult(PROPSHEETUI_INFO* info, LPARAM param) {
  const PageContext* context = ContextOf(*info);
  const auto* ps = reinterpret_cast<const OEMUIPSPARAM*>(info->lParamInit);
  if (context != nullptr && ps != nullptr && ps->pOEMDM != nullptr) {
    // The framework's buffer is as large as the record (the size DevMode
    // gives it), so never more than that is written, whatever dwSize says.
    const std::size_t size =
        std::min<std::size_t>(context->WorkingSettings.dwSize, kPrivateSettingsSize);
    std::memcpy(ps->pOEMDM, &context->WorkingSettings, size);
  }
  if (const auto* result = reinterpret_cast<const SETRESULT_INFO*>(param)) {
    info->Result = static_cast<ULONG_PTR>(result->Result);
  }
}

void SetHeaderTitle(PROPSHEETUI_INFO* info, LPARAM param) {
  // The framework only reads the title; the cast is for its non-const field.
  if (auto* header = reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(param)) {
    header->pTitle = reinterpret_cast<LPTSTR>(const_cast<char16_t*>(kDocumentSheetTitle));
  }
  info->Result = 1;
}

const DocumentPageSet* g_installed_pages = nullptr;

}  // namespace

void SetDocumentSheetPages(const DocumentPageSet* pages) { g_installed_pages = pages; }

const DocumentPageSet& InstalledDocumentSheetPages() {
  static const DocumentPageSet none = {};
  return g_installed_pages != nullptr ? *g_installed_pages : none;
}

HRESULT DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM param, const DeviceSheetState* state,
                               IPrintOemDriverUI* driver_ui, const DocumentPageSet& pages) {
  if (info == nullptr || info->Version != PROPSHEETUI_INFO_VERSION) {
    return Refuse(ERROR_INVALID_PARAMETER);
  }
  switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT:
      return SetUp(info, state, driver_ui, pages);
    case PROPSHEETUI_REASON_GET_INFO_HEADER:
      SetHeaderTitle(info, param);
      return S_OK;
    case PROPSHEETUI_REASON_DESTROY:
      Release(info);
      return S_OK;
    case PROPSHEETUI_REASON_SET_RESULT:
      SetResult(info, param);
      return S_OK;
    default:
      info->Result = 0;
      return S_OK;
  }
}

}  // namespace kvt
