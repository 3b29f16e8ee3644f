#include "core/device_property_sheets.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/fake/fake_local_heap.h"
#include "platform/fake/fake_property_pages.h"
#include "platform/fake/fake_spooler.h"

namespace kvt {
namespace {

struct SheetCalls {
  std::vector<UINT> functions;
  static LONG_PTR Callback(HANDLE sheet, UINT function, LPARAM, LPARAM) {
    static_cast<SheetCalls*>(sheet)->functions.push_back(function);
    return 0x7000;
  }
};

INT_PTR ToolsPage(HWND, UINT, WPARAM, LPARAM) { return 0; }

class DeviceSheet : public ::testing::Test {
 protected:
  DeviceSheet() {
    spooler_.AddPrinter(printer_, {u"KVT QV-J27", Spooler::DriverNameStatus::kOk, 0});
    ps_.cbSize = sizeof(ps_);
    ps_.hPrinter = printer_;
    ps_.pPrinterName = const_cast<WCHAR*>(reinterpret_cast<const WCHAR*>(u"KVT QV-J27 Receipt"));
    info_.cbSize = sizeof(info_);
    info_.Version = PROPSHEETUI_INFO_VERSION;
    info_.hComPropSheet = &sheet_;
    info_.pfnComPropSheet = &SheetCalls::Callback;
    info_.lParamInit = reinterpret_cast<LPARAM>(&ps_);
  }
  HRESULT Call(WORD reason) {
    info_.Reason = reason;
    return DevicePropertySheets(&info_, 0, &state_, &ToolsPage);
  }
  FakeSpooler::Printer& printer() { return *spooler_.Find(printer_); }
  FakeSpooler::Facts& facts() { return spooler_.FactsOf(printer_); }

  HANDLE printer_ = reinterpret_cast<HANDLE>(0x51);
  FakeLocalHeap heap_;
  FakePropertyPages pages_;
  FakeSpooler spooler_;
  ScopedService<LocalHeap> heap_service_{heap_};
  ScopedService<PropertyPages> pages_service_{pages_};
  ScopedService<Spooler> spooler_service_{spooler_};
  SheetCalls sheet_;
  OEMUIPSPARAM ps_ = {};
  DeviceSheetState state_;
  PROPSHEETUI_INFO info_ = {};
};

TEST_F(DeviceSheet, DefaultsRefreshDecidesWhetherTheToolsPageIsAdded) {
  struct Case {
    const char* name;
    std::optional<std::uint16_t> stored;  // none: no stored device mode
    std::uint32_t set_error;
    bool reset_fails;
    std::int32_t document_answer;
    bool page;
    int sets, resets;
    std::optional<std::uint16_t> stored_after;
  };
  const Case cases[] = {
      {"same version", 0x0100, 0, false, 1, true, 0, 0, 0x0100},
      {"older stored", 0x00FF, 0, false, 1, true, 1, 0, 0x0100},
      {"denied, reset ok", std::nullopt, 5, false, 1, true, 1, 1, std::nullopt},
      {"other write error", std::nullopt, 1801, false, 1, false, 1, 0, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    facts().stored_version = c.stored;
    facts().datatype = u"RAW";
    spooler_.set_error = c.set_error;
    spooler_.reset_fails = c.reset_fails;
    spooler_.document_answer = c.document_answer;
    spooler_.set_calls = spooler_.reset_calls = 0;
    sheet_.functions.clear();
    state_.hToolPage = NoSheetHandle();

    EXPECT_EQ(Call(PROPSHEETUI_REASON_INIT), S_OK);
    EXPECT_EQ(info_.Result, c.page ? 0u : 1u);
    EXPECT_EQ(sheet_.functions.size(), c.page ? 1u : 0u);
    EXPECT_EQ(state_.hToolPage, c.page ? reinterpret_cast<HANDLE>(0x7000) : NoSheetHandle());
    EXPECT_EQ(spooler_.set_calls, c.sets);
    EXPECT_EQ(spooler_.reset_calls, c.resets);
    if (c.resets != 0) {
      EXPECT_EQ(spooler_.reset_datatype, u"RAW");
    }
    EXPECT_EQ(facts().stored_version, c.stored_after);
    // Both buffers go back on every path.
    EXPECT_TRUE(heap_.live.empty());
  }
}

}  // namespace
}  // namespace kvt
