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
  std::vector<UINT> calls;
  static LONG_PTR Callback(HANDLE sheet, UINT function, LPARAM, LPARAM) {
    auto* recorder = static_cast<SheetRecorder*>(sheet);
    recorder->calls.push_back(function);
    return static_cast<LONG_PTR>(0x7000 + recorder->calls.size());
  }
};

INT_PTR PageA(HWND, UINT, WPARAM, LPARAM) { return 1; }
INT_PTR PageB(HWND, UINT, WPARAM, LPARAM) { return 2; }
INT_PTR PageC(HWND, UINT, WPARAM, LPARAM) { return 3; }

const DocumentPageSet kPages = {{{118, 500, &PageA}, {119, 501, &PageB}, {120, 502, &PageC}}};

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

TEST_F(DocumentSheet, PermissionFlagsDecideWhatThePagesMayDo) {
  struct {
    DWORD flags;
    std::uint32_t can_change, not_user_default;
  } const cases[] = {{0, 1, 1}, {0x20, 0, 0}, {0x40, 1, 0}};
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

TEST_F(DocumentSheet, HeaderTitle) {
  PROPSHEETUI_INFO_HEADER header = {};
  header.cbSize = sizeof(header);
  EXPECT_EQ(Call(PROPSHEETUI_REASON_GET_INFO_HEADER, reinterpret_cast<LPARAM>(&header)), S_OK);
  EXPECT_EQ(info_.Result, 1u);
  ASSERT_NE(header.pTitle, nullptr);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(header.pTitle)), u"WaterMark UI Page");
}

TEST_F(DocumentSheet, SetResultWritesTheWorkingCopyEachTime) {
  ASSERT_EQ(Call(PROPSHEETUI_REASON_INIT), S_OK);
  PageContext* ctx = context();
  SETRESULT_INFO result = {};
  result.cbSize = sizeof(result);

  ctx->WorkingSettings.byDensity = 120;
  result.Result = CPSUI_OK;
  EXPECT_EQ(Call(PROPSHEETUI_REASON_SET_RESULT, reinterpret_cast<LPARAM>(&result)), S_OK);
  EXPECT_EQ(std::memcmp(&private_dm_, &ctx->WorkingSettings, kPrivateSettingsSize), 0);

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
