// PageContext: the state one printing-preferences sheet shares among its
// three pages (Document Settings, Font, Watermark).
//
// The document sheet allocates it from the local heap, zero filled, when the
// framework sets the sheet up, keeps it in PROPSHEETUI_INFO::UserData, hands
// it to every page as the page's creation parameter (PROPSHEETPAGEW::lParam)
// and frees it when the framework destroys the sheet. The pages never free
// it. Every page edits WorkingSettings and writes through on each change;
// AppliedSettings is what the pages compare against to show what differs.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/private_settings.h"
#include "platform/framework_abi.h"

namespace kvt {

struct PageContext {
  // The framework's sheet handle, first argument of every callback call.
  HANDLE hComPropSheet;
  // The framework's sheet callback (add pages, set the result).
  PFNCOMPROPSHEET pfnComPropSheet;
  // The printer of the sheet: printer queries and the driver log.
  HANDLE hPrinter;
  // The document's public device mode as it was when the sheet opened (its
  // fixed part; the bytes beyond the framework's dmSize stay zero).
  DEVMODEW PublicDevmode;
  // The private settings as last applied: loaded when the sheet opens,
  // overwritten with WorkingSettings whenever a page applies.
  PrivateSettings AppliedSettings;
  // The framework's own public device mode of the document.
  PDEVMODEW pPublicDM;
  // The copy all three pages edit; written back to the framework's private
  // buffer when the framework sets the sheet's result.
  PrivateSettings WorkingSettings;
  // The pages as the sheet callback answered when they were added (null when
  // the framework refused one). A page reporting its result with
  // CPSFUNC_SET_RESULT passes hFontPage.
  HANDLE hDocumentPage;
  HANDLE hFontPage;
  HANDLE hWatermarkPage;
  // The framework's driver interface as the plug-in object holds it; not a
  // counted reference (the object outlives the sheet).
  IPrintOemDriverUI* pDriverUI;
  // The block of the plug-in object's last CommonUIProp call: the driver's
  // and the plug-in's option items and the DocUiState. Null when there was
  // none.
  POEMCUIPPARAM pOemCuipParam;
  // The splitter position of the Document Settings and Watermark pages,
  // kept across page visits; -1 until a page first sets it.
  std::int32_t nSplitterPos;
  // 1 unless the framework says the user may not change settings
  // (DM_NOPERMISSION); 0 makes the pages read-only.
  std::uint32_t bCanChange;
  // 1 only when neither DM_NOPERMISSION nor DM_USER_DEFAULT is set.
  std::uint32_t bNotUserDefault;
};

// Flags of OEMUIPSPARAM::dwFlags that the sheet reads.
inline constexpr DWORD kDmNoPermission = 0x20;  // DM_NOPERMISSION
inline constexpr DWORD kDmUserDefault = 0x40;   // DM_USER_DEFAULT

// The sheet host and the pages address the block by these offsets; both
// toolchains build for 64-bit Windows' layout.
static_assert(offsetof(PageContext, PublicDevmode) == 24);
static_assert(offsetof(PageContext, AppliedSettings) == 244);
static_assert(offsetof(PageContext, pPublicDM) == 1800);
static_assert(offsetof(PageContext, WorkingSettings) == 1808);
static_assert(offsetof(PageContext, hDocumentPage) == 3360);
static_assert(offsetof(PageContext, pOemCuipParam) == 3392);
static_assert(offsetof(PageContext, nSplitterPos) == 3400);
static_assert(offsetof(PageContext, bNotUserDefault) == 3408);
static_assert(sizeof(PageContext) == 3416);

}  // namespace kvt
