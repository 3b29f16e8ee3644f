#include "core/document_property_sheets.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/doc_ui_state.h"
#include "core/page_context.h"
#include "core/watermark_ui.h"
#include "platform/fake/fake_local_heap.h"
#include "platform/fake/fake_property_pages.h"
#include "platform/fake/fake_string_table.h"
#include "platform/last_error.h"

namespace kvt {
namespace {

// The framework's sheet callback: the sheet handle is the recorder itself.
struct SheetRecorder {
  struct Call {
    UINT function;
    LPARAM param1;
    PropertySheetPageW description;  // copied when a description was handed over
    std::u16string title;
  };
  std::vector<Call> calls;
  std::vector<LONG_PTR> answers;  // per call; beyond the list, 0x7000 + call index

  static LONG_PTR Callback(HANDLE sheet, UINT function, LPARAM param1, LPARAM /*param2*/) {
    auto* recorder = static_cast<SheetRecorder*>(sheet);
    Call call{function, param1, {}, {}};
    if (function == CPSFUNC_ADD_PROPSHEETPAGEW) {
      call.description = *reinterpret_cast<const PropertySheetPageW*>(param1);
      if (call.description.pszTitle != nullptr) {
        call.title = reinterpret_cast<const char16_t*>(call.description.pszTitle);
      }
    }
    recorder->calls.push_back(call);
    const std::size_t index = recorder->calls.size() - 1;
    return index < recorder->answers.size() ? recorder->answers[index]
                                            : static_cast<LONG_PTR>(0x7000 + index);
  }
};

INT_PTR PageA(HWND, UINT, WPARAM, LPARAM) { return 1; }
INT_PTR PageB(HWND, UINT, WPARAM, LPARAM) { return 2; }
INT_PTR PageC(HWND, UINT, WPARAM, LPARAM) { return 3; }

const DocumentPageSet kPages = {{{118, 500, &PageA}, {119, 501, &PageB}, {120, 502, &PageC}}};

HANDLE Handle(std::uintptr_t value) { return reinterpret_cast<HANDLE>(value); }

class DocumentSheet : public ::testing::Test {
 protected:
  DocumentSheet() {
    strings_.Add(nullptr, 500, u"Document Settings");
    strings_.Add(nullptr, 501, u"Font");
    strings_.Add(nullptr, 502, u"Watermark");

    public_dm_.dmSize = sizeof(DEVMODEW);
    public_dm_.dmOrientation = DMORIENT_PORTRAIT;
    std::memcpy(public_dm_.dmFormName, u"80mm x 297mm", sizeof(u"80mm x 297mm"));
    private_dm_.dwSize = kPrivateSettingsSize;
    private_dm_.dwSignature = kPrivateSettingsSignature;
    private_dm_.dwVersion = kPrivateSettingsVersion;
    private_dm_.byPreset = 1;
    private_dm_.byDensity = 110;
    private_dm_.barcode2DFonts[4].byModuleSize = 7;

    ps_.cbSize = sizeof(ps_);
    ps_.hPrinter = nullptr;  // no driver log in these tests
    ps_.pPublicDM = &public_dm_;
    ps_.pOEMDM = &private_dm_;

    cuip_.cbSize = sizeof(cuip_);
    user_data_ = heap_.Make<DocUiState>();
    cuip_.pOEMUserData = user_data_;
    state_.pOemCuipParam = &cuip_;

    info_.cbSize = sizeof(info_);
    info_.Version = PROPSHEETUI_INFO_VERSION;
    info_.hComPropSheet = &sheet_;
    info_.pfnComPropSheet = &SheetRecorder::Callback;
    info_.lParamInit = reinterpret_cast<LPARAM>(&ps_);
  }

  HRESULT Call(WORD reason, LPARAM param = 0) {
    info_.Reason = reason;
    return DocumentPropertySheets(&info_, param, &state_, driver_ui(), kPages);
  }
  PageContext* context() { return reinterpret_cast<PageContext*>(info_.UserData); }
  IPrintOemDriverUI* driver_ui() { return reinterpret_cast<IPrintOemDriverUI*>(&driver_token_); }

  FakeLocalHeap heap_;
  FakePropertyPages pages_;
  FakeStringTable strings_;
  ScopedService<LocalHeap> heap_service_{heap_};
  ScopedService<PropertyPages> pages_service_{pages_};
  ScopedService<StringTable> strings_service_{strings_};

  SheetRecorder sheet_;
  DEVMODEW public_dm_ = {};
  PrivateSettings private_dm_ = {};
  OEMUIPSPARAM ps_ = {};
  OEMCUIPPARAM cuip_ = {};
  DocUiState* user_data_ = nullptr;
  DeviceSheetState state_;
  PROPSHEETUI_INFO info_ = {};
  int driver_token_ = 0;
};

// Refused: a missing or foreign sheet block, or a set-up without the
// framework's settings block.
TEST_F(DocumentSheet, RefusesAMissingOrForeignSheetBlockAndCopesWithoutMemory) {
  EXPECT_EQ(DocumentPropertySheets(nullptr, 0, &state_, nullptr, kPages), E_FAIL);
  EXPECT_EQ(GetThreadLastError(), ERROR_INVALID_PARAMETER);

  for (WORD version : {WORD{0x0101}, WORD{0}}) {
    SetThreadLastError(0);
    info_.Version = version;
    info_.Result = 0x55;
    EXPECT_EQ(Call(PROPSHEETUI_REASON_INIT), E_FAIL) << version;
    EXPECT_EQ(GetThreadLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(info_.Result, 0x55u);
    EXPECT_EQ(info_.UserData, 0u);
  }
  info_.Version = PROPSHEETUI_INFO_VERSION;
  info_.lParamInit = 0;
  EXPECT_EQ(Call(PROPSHEETUI_REASON_INIT), E_FAIL);
  EXPECT_EQ(GetThreadLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(info_.UserData, 0u);
  EXPECT_EQ(heap_.allocations, 1) << "only the test's own user data";
  // Without memory no page is added.
  info_.lParamInit = reinterpret_cast<LPARAM>(&ps_);
  heap_.fail_allocations = true;
  info_.Result = 0x55;
  EXPECT_EQ(Call(PROPSHEETUI_REASON_INIT), S_FALSE);
  EXPECT_EQ(info_.Result, 0u);
  EXPECT_EQ(info_.UserData, 0u);
  EXPECT_TRUE(pages_.made_pages.empty());
  EXPECT_TRUE(sheet_.calls.empty());
}

TEST_F(DocumentSheet, SetUpCopiesTheDocumentAndAddsThePagesInOrder) {
  const std::u16string long_title(300, u'x');  // cut to its buffer
  strings_.Add(nullptr, 502, long_title);
  ps_.hPrinter = nullptr;
  info_.Result = 0x55;
  ASSERT_EQ(Call(PROPSHEETUI_REASON_INIT), S_OK);
  EXPECT_EQ(info_.Result, 0u);
  PageContext* ctx = context();
  ASSERT_NE(ctx, nullptr);
  EXPECT_EQ(heap_.live.count(ctx), 1u);

  EXPECT_EQ(ctx->pDriverUI, driver_ui());
  EXPECT_EQ(ctx->pOemCuipParam, &cuip_);
  EXPECT_EQ(ctx->nSplitterPos, -1);
  EXPECT_EQ(ctx->pPublicDM, &public_dm_);
  EXPECT_EQ(std::memcmp(&ctx->PublicDevmode, &public_dm_, sizeof(DEVMODEW)), 0);
  EXPECT_EQ(std::memcmp(&ctx->AppliedSettings, &private_dm_, kPrivateSettingsSize), 0);
  EXPECT_EQ(std::memcmp(&ctx->WorkingSettings, &private_dm_, kPrivateSettingsSize), 0);

  // Each page is made here and handed over by its handle, in sheet order.
  ASSERT_EQ(pages_.made_pages.size(), 3u);
  ASSERT_EQ(sheet_.calls.size(), 3u);
  const std::u16string titles[] = {u"Document Settings", u"Font",
                                   std::u16string(kPageTitleChars - 1, u'x')};
  for (std::size_t i = 0; i < 3; ++i) {
    const FakePropertyPages::Made& made = pages_.made_pages[i];
    EXPECT_EQ(made.page.pszTemplate, IntResource(kPages[i].template_id));
    EXPECT_EQ(made.page.lParam, reinterpret_cast<LPARAM>(ctx));
    EXPECT_EQ(made.title, titles[i]);
    EXPECT_EQ(sheet_.calls[i].function, CPSFUNC_ADD_HPROPSHEETPAGE);
    EXPECT_EQ(sheet_.calls[i].param1, reinterpret_cast<LPARAM>(FakePropertyPages::HandleFor(i)));
  }
  EXPECT_EQ(ctx->hDocumentPage, Handle(0x7000));
  EXPECT_EQ(ctx->hFontPage, Handle(0x7001));
  EXPECT_EQ(ctx->hWatermarkPage, Handle(0x7002));
}

struct OrientationCase {
  const char* name;
  short orientation;
  std::uint8_t direction, reduction, watermark;
  std::uint32_t landscape, ipd_font_usable;
  std::uint8_t preset;  // byPreset in both copies afterwards; stored 1
};

TEST_F(DocumentSheet, SetUpFillsTheUserDataAndMakesLandscapeAUserSetting) {
  const OrientationCase cases[] = {
      {"portrait", 1, 0, 0, 0, 0, 1, 1},          {"landscape", 2, 0, 0, 0, 1, 0, 6},
      {"orientation unset", 0, 0, 0, 0, 1, 0, 1}, {"watermark", 1, 0, 0, 1, 0, 0, 1},
      {"back to front", 1, 2, 0, 0, 0, 0, 1},
  };
  for (const OrientationCase& c : cases) {
    SCOPED_TRACE(c.name);
    public_dm_.dmOrientation = c.orientation;
    private_dm_.byDirection = c.direction;
    private_dm_.byReduction = c.reduction;
    private_dm_.byWatermark = c.watermark;
    *user_data_ = DocUiState{};
    user_data_->bChangedOutside = 1;  // not the set-up's to touch
    info_.UserData = 0;
    ASSERT_EQ(Call(PROPSHEETUI_REASON_INIT), S_OK);
    PageContext* ctx = context();
    EXPECT_EQ(user_data_->bLandscape, c.landscape);
    EXPECT_EQ(user_data_->bIpdFontUsable, c.ipd_font_usable);
    EXPECT_EQ(user_data_->bChangedOutside, 1u);
    EXPECT_EQ(user_data_->pWorkingSettings, &ctx->WorkingSettings);
    EXPECT_EQ(user_data_->pPublicDM, &public_dm_);
    EXPECT_EQ(ctx->AppliedSettings.byPreset, c.preset);
    EXPECT_EQ(ctx->WorkingSettings.byPreset, c.preset);
    EXPECT_EQ(private_dm_.byPreset, 1) << "the framework's buffer is only read";
    heap_.Free(ctx);
  }
}

// Without the plug-in object's state the sheet is still made, from the
// settings alone.
TEST_F(DocumentSheet, SetUpWithoutTheObjectsState) {
  public_dm_.dmOrientation = DMORIENT_LANDSCAPE;
  ASSERT_EQ(DocumentPropertySheets(&info_, 0, nullptr, nullptr, kPages), S_OK);
  EXPECT_EQ(context()->WorkingSettings.byPreset, 1);
  EXPECT_EQ(context()->pDriverUI, nullptr);
  heap_.Free(context());
}

TEST_F(DocumentSheet, PermissionFlagsDecideWhatThePagesMayDo) {
  struct {
    DWORD flags;
    std::uint32_t can_change, not_user_default;
  } const cases[] = {{0, 1, 1}, {0x20, 0, 0}, {0x40, 1, 0}, {0x60, 0, 0}, {0x1F, 1, 1}};
  for (const auto& c : cases) {
    ps_.dwFlags = c.flags;
    ASSERT_EQ(Call(PROPSHEETUI_REASON_INIT), S_OK);
    EXPECT_EQ(context()->bCanChange, c.can_change) << c.flags;
    EXPECT_EQ(context()->bNotUserDefault, c.not_user_default) << c.flags;
    heap_.Free(context());
  }
}

TEST_F(DocumentSheet, SetUpCopiesNoMoreThanTheContextHoldsWhateverTheSizesSay) {
  // Oversized size fields on buffers that are exactly as large as the
  // structures: a copy by the size fields would read past them.
  public_dm_.dmSize = 0xFFFF;
  private_dm_.dwSize = 0xFFFFFFFF;
  ASSERT_EQ(Call(PROPSHEETUI_REASON_INIT), S_OK);
  EXPECT_EQ(std::memcmp(&context()->PublicDevmode, &public_dm_, sizeof(DEVMODEW)), 0);
  EXPECT_EQ(std::memcmp(&context()->WorkingSettings, &private_dm_, kPrivateSettingsSize), 0);
  heap_.Free(context());

  // Smaller ones copy only what they cover; the rest stays zero.
  public_dm_.dmSize = 156;
  private_dm_.dwSize = 12;
  ASSERT_EQ(Call(PROPSHEETUI_REASON_INIT), S_OK);
  const auto* copied = reinterpret_cast<const std::uint8_t*>(&context()->PublicDevmode);
  EXPECT_EQ(std::memcmp(copied, &public_dm_, 156), 0);
  EXPECT_EQ(context()->PublicDevmode.dmICMMethod, 0u);
  EXPECT_EQ(context()->WorkingSettings.dwVersion, kPrivateSettingsVersion);
  EXPECT_EQ(context()->WorkingSettings.byDensity, 0);
  EXPECT_EQ(context()->AppliedSettings.barcode2DFonts[4].byModuleSize, 0);
  heap_.Free(context());
}

TEST_F(DocumentSheet, PagesThatCannotBeMadeHereAreDescribedToTheFramework) {
  pages_.fail = true;
  strings_.strings.erase({nullptr, 501});  // no title for the Font page
  sheet_.answers = {0x91, 0, 0x93};        // and the framework refuses it
  ASSERT_EQ(Call(PROPSHEETUI_REASON_INIT), S_OK);
  EXPECT_EQ(info_.Result, 0u);
  ASSERT_EQ(sheet_.calls.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const SheetRecorder::Call& call = sheet_.calls[i];
    EXPECT_EQ(call.function, CPSFUNC_ADD_PROPSHEETPAGEW);
    EXPECT_EQ(call.description.dwSize, 104u);
    EXPECT_EQ(call.description.dwFlags, kPspUseTitle);
    EXPECT_EQ(call.description.pszTemplate, IntResource(kPages[i].template_id));
    EXPECT_EQ(call.description.pfnDlgProc, kPages[i].procedure);
    EXPECT_EQ(call.description.lParam, reinterpret_cast<LPARAM>(context()));
  }
  EXPECT_EQ(sheet_.calls[0].title, u"Document Settings");
  EXPECT_EQ(sheet_.calls[1].description.pszTitle, nullptr);
  EXPECT_EQ(sheet_.calls[2].title, u"Watermark");
  EXPECT_EQ(context()->hDocumentPage, Handle(0x91));
  EXPECT_EQ(context()->hFontPage, nullptr);
  EXPECT_EQ(context()->hWatermarkPage, Handle(0x93));
}

// The header's title; other reasons, and a result or a release without a
// context, only answer.
TEST_F(DocumentSheet, HeaderTitleAndOtherReasons) {
  PROPSHEETUI_INFO_HEADER header = {};
  header.cbSize = sizeof(header);
  EXPECT_EQ(Call(PROPSHEETUI_REASON_GET_INFO_HEADER, reinterpret_cast<LPARAM>(&header)), S_OK);
  EXPECT_EQ(info_.Result, 1u);
  ASSERT_NE(header.pTitle, nullptr);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(header.pTitle)), u"WaterMark UI Page");

  for (WORD reason : {WORD{PROPSHEETUI_REASON_GET_ICON}, WORD{0xFFFF}}) {
    info_.Result = 0x55;
    EXPECT_EQ(Call(reason), S_OK) << reason;
    EXPECT_EQ(info_.Result, 0u);
  }
  // Without a context, setting the result and releasing only answer.
  const PrivateSettings before = private_dm_;
  SETRESULT_INFO result = {};
  result.Result = CPSUI_OK;
  EXPECT_EQ(Call(PROPSHEETUI_REASON_SET_RESULT, reinterpret_cast<LPARAM>(&result)), S_OK);
  EXPECT_EQ(info_.Result, static_cast<ULONG_PTR>(CPSUI_OK));
  EXPECT_EQ(std::memcmp(&before, &private_dm_, sizeof(before)), 0);
  EXPECT_EQ(Call(PROPSHEETUI_REASON_DESTROY), S_OK);
  EXPECT_EQ(info_.Result, 1u);
  EXPECT_TRUE(heap_.freed.empty());
  EXPECT_EQ(cuip_.pOEMUserData, user_data_);
  EXPECT_EQ(heap_.allocations, 1) << "only the test's own user data";
  EXPECT_TRUE(sheet_.calls.empty());
}

TEST_F(DocumentSheet, SetResultWritesTheWorkingCopyEachTime) {
  ASSERT_EQ(Call(PROPSHEETUI_REASON_INIT), S_OK);
  PageContext* ctx = context();
  SETRESULT_INFO result = {};
  result.cbSize = sizeof(result);

  ctx->WorkingSettings.byDensity = 120;
  result.Result = CPSUI_OK;
  EXPECT_EQ(Call(PROPSHEETUI_REASON_SET_RESULT, reinterpret_cast<LPARAM>(&result)), S_OK);
  EXPECT_EQ(info_.Result, static_cast<ULONG_PTR>(CPSUI_OK));
  EXPECT_EQ(std::memcmp(&private_dm_, &ctx->WorkingSettings, kPrivateSettingsSize), 0);
  EXPECT_EQ(ctx->AppliedSettings.byDensity, 110) << "applying is the pages' business";

  ctx->WorkingSettings.byWatermark = 1;
  ctx->WorkingSettings.szWatermarkFile[kWatermarkFileChars - 1] = u'z';  // the record's end
  result.Result = CPSUI_CANCEL;
  EXPECT_EQ(Call(PROPSHEETUI_REASON_SET_RESULT, reinterpret_cast<LPARAM>(&result)), S_OK);
  EXPECT_EQ(info_.Result, static_cast<ULONG_PTR>(CPSUI_CANCEL));
  EXPECT_EQ(private_dm_.byWatermark, 1);
  EXPECT_EQ(private_dm_.szWatermarkFile[kWatermarkFileChars - 1], u'z');

  // A size field grown past the record (a page's fault, say) still writes
  // no more than the framework's buffer holds.
  ctx->WorkingSettings.dwSize = 0x10000;
  EXPECT_EQ(Call(PROPSHEETUI_REASON_SET_RESULT, reinterpret_cast<LPARAM>(&result)), S_OK);
  EXPECT_EQ(private_dm_.dwSize, 0x10000u);
}

TEST_F(DocumentSheet, ReleaseFreesTheOptionItemsTheUserDataAndTheContext) {
  // The plug-in's option items as the option-item builder leaves them: every
  // part from the local heap. The item array itself is the framework's.
  OPTITEM items[3] = {};
  OPTTYPE* type = heap_.Make<OPTTYPE>();
  type->Count = 2;
  type->pOptParam = heap_.Make<OPTPARAM>(2);
  type->pOptParam[0].pData = heap_.Make<WCHAR>(8);
  type->pOptParam[1].pData = heap_.Make<WCHAR>(8);
  items[0].pOptType = type;
  items[0].pName = heap_.Make<WCHAR>(16);
  OPTTYPE* bare_type = heap_.Make<OPTTYPE>();  // an option type without options
  bare_type->Count = 3;
  items[1].pOptType = bare_type;
  items[1].pName = heap_.Make<WCHAR>(16);
  // An item whose option type could not be allocated: its name still goes.
  items[2].pName = heap_.Make<WCHAR>(16);
  cuip_.pOEMOptItems = items;
  cuip_.cOEMOptItems = 3;

  ASSERT_EQ(Call(PROPSHEETUI_REASON_INIT), S_OK);
  info_.Result = 0;
  EXPECT_EQ(Call(PROPSHEETUI_REASON_DESTROY), S_OK);
  EXPECT_EQ(info_.Result, 1u);
  EXPECT_EQ(info_.UserData, 0u);
  EXPECT_TRUE(heap_.live.empty());
  EXPECT_TRUE(heap_.foreign_frees.empty());
  EXPECT_EQ(cuip_.pOEMUserData, nullptr);
  EXPECT_EQ(items[0].pOptType, nullptr);
  EXPECT_EQ(items[0].pName, nullptr);
  EXPECT_EQ(items[1].pOptType, nullptr);
  EXPECT_EQ(items[2].pName, nullptr);
}

}  // namespace
}  // namespace kvt
