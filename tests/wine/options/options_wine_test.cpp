// The option items and the printer initialisation on wine's spooler:
// PrinterEvent's printer data read back with GetPrinterDataW, the form-size
// query against the printer's real forms, and the option items chosen on
// the sheet host's Advanced page, which calls the plug-in's callback.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/form_size.h"
#include "core/option_items.h"
#include "tests/wine/testbed.h"
#include "tools/sheet_host/window_automation.h"

namespace {

using kvt::testbed::CreatePlugin;
using kvt::testbed::kReceiptPrinter;

struct Value {
  DWORD status = 0;
  DWORD type = 0;
  DWORD size = 0;
  std::vector<BYTE> bytes;
};

Value ReadValue(HANDLE printer, const wchar_t* name) {
  Value value;
  value.bytes.assign(256, 0);
  value.status = GetPrinterDataW(printer, const_cast<wchar_t*>(name), &value.type,
                                 value.bytes.data(), 256, &value.size);
  return value;
}

DWORD StoredAutoReprint(HANDLE printer) {
  const Value value = ReadValue(printer, L"AutoReprint");
  return value.status == ERROR_SUCCESS && value.type == REG_DWORD && value.size == 4
             ? *reinterpret_cast<const DWORD*>(value.bytes.data())
             : 0xFFFFFFFF;
}

DWORD StoreAutoReprint(HANDLE printer, DWORD value) {
  return SetPrinterDataW(printer, const_cast<wchar_t*>(L"AutoReprint"), REG_DWORD,
                         reinterpret_cast<BYTE*>(&value), sizeof value);
}

TEST(PrinterEvent, InitialisationWritesANewGuidAndSwitchesReprintOff) {
  IPrintOemUI* plugin = CreatePlugin();
  ASSERT_NE(plugin, nullptr);
  kvt::testbed::Printer printer(kReceiptPrinter);
  ASSERT_NE(printer.get(), nullptr);
  ASSERT_EQ(StoreAutoReprint(printer.get(), 1), static_cast<DWORD>(ERROR_SUCCESS));

  std::wstring name = kReceiptPrinter;
  std::wstring guids[2];
  for (std::wstring& guid : guids) {
    ASSERT_EQ(plugin->PrinterEvent(name.data(), PRINTER_EVENT_INITIALIZE, 0, 0), S_OK);
    const Value value = ReadValue(printer.get(), L"UtilityGUID");
    ASSERT_EQ(value.status, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    // Written as 76 bytes, without the terminator. Wine's registry adds one
    // to a REG_SZ that lacks it (Windows keeps what was written).
    EXPECT_EQ(value.size, 78u);
    guid = reinterpret_cast<const wchar_t*>(value.bytes.data());  // zero filled
    ASSERT_EQ(guid.size(), 38u);
    EXPECT_EQ(StoredAutoReprint(printer.get()), 0u);
  }
  EXPECT_NE(guids[0], guids[1]);
  plugin->Release();
}

// The device tree's item with the module's own strings, the spooler's
// printer data and a real message box: enabling warns once, titled with
// the caption of the page's parent, and stores the choice.
TEST(DeviceItems, EnablingAutoReprintWarnsOnceAndStoresTheChoice) {
  IPrintOemUI* plugin = CreatePlugin();
  ASSERT_NE(plugin, nullptr);
  kvt::testbed::Printer printer(kReceiptPrinter);
  ASSERT_NE(printer.get(), nullptr);
  ASSERT_EQ(StoreAutoReprint(printer.get(), 0), static_cast<DWORD>(ERROR_SUCCESS));

  kvt::testbed::DeviceItemsBlock items(printer.get(), kReceiptPrinter);
  ASSERT_EQ(plugin->CommonUIProp(kvt::abi::OEMCUIP_PRNPROP, &items.block), S_OK);
  ASSERT_NE(items.item.pName, nullptr);
  EXPECT_STREQ(items.item.pName, L"Auto reprint after error recovery");
  EXPECT_EQ(items.item.Sel, 0);
  ASSERT_NE(items.block.OEMCUIPCallback, nullptr);

  HWND parent = CreateWindowExW(0, L"STATIC", L"KVT QV-J27 Receipt Properties", WS_OVERLAPPED, 0, 0,
                                200, 200, nullptr, nullptr, nullptr, nullptr);
  HWND page = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 100, 100, parent, nullptr, nullptr,
                              nullptr);
  kvt::tools::MessageBoxAnswerer answerer(IDOK);
  items.item.Sel = 1;
  for (int round = 0; round < 2; ++round) {
    CPSUICBPARAM callback = {};
    callback.cbSize = sizeof callback;
    callback.Reason = CPSUICB_REASON_APPLYNOW;
    callback.hDlg = page;
    callback.pOptItem = &items.item;
    callback.cOptItem = 1;
    EXPECT_EQ(items.block.OEMCUIPCallback(&callback, &items.block), CPSUICB_ACTION_ITEMS_APPLIED);
    EXPECT_EQ(StoredAutoReprint(printer.get()), 1u);
  }
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].title, L"KVT QV-J27 Receipt Properties");
  EXPECT_EQ(answerer.seen()[0].text.rfind(L"To use \"Auto reprint after error recovery\" with "
                                          L"enable,\r\nplease disable \"Near End Error\"",
                                          0),
            0u)
      << kvt::testbed::Utf8(answerer.seen()[0].text);
  DestroyWindow(parent);
  plugin->Release();
}

// The framework's form item as the form-size query reads it: wine's A4 in
// tenths of a millimetre.
TEST(FormSize, RealFormsGiveTheirSizeInTenthsOfAMillimetre) {
  kvt::testbed::Printer printer(kReceiptPrinter);
  ASSERT_NE(printer.get(), nullptr);
  std::wstring name = L"A4";
  OPTPARAM param = {};
  param.cbSize = sizeof param;
  param.pData = name.data();
  OPTTYPE type = {};
  type.cbSize = sizeof type;
  type.Count = 1;
  type.pOptParam = &param;
  OPTITEM item = {};
  item.cbSize = sizeof item;
  item.DMPubID = kvt::kDmPubFormName;
  item.pOptType = &type;
  OEMCUIPPARAM block = {};
  block.cbSize = sizeof block;
  block.pDrvOptItems = &item;
  block.cDrvOptItems = 1;
  kvt::FormSize size;
  ASSERT_EQ(kvt::QueryFormSize(printer.get(), &block, &size), kvt::kFormSizeOk);
  EXPECT_EQ(size.width, 2100);
  EXPECT_EQ(size.height, 2970);
}

// Wine shows no option-item tree, so the host shows the items on an
// Advanced page of its own; rows chosen in the page's real lists reach the
// plug-in's callback as from the framework's tree: Head Drive reaches the
// document's record, landscape goes through the plug-in's orientation rule
// (its question, owned by the page) into the document, and the plug-in
// finds the orientation list by the id 1232 of the framework's page.
TEST(AdvancedPage, ChoicesReachTheDocument) {
  const kvt::testbed::HostRun run = kvt::testbed::RunSheetHost(
      L"--press ok --item \"Head Drive=4\" --item Orientation=1 --answer ok --timeout 60");
  EXPECT_EQ(run.exit_code, 0u) << run.Report();
  const char* const lines[] = {
      "advanced row Orientation: controls 1231, 1232",
      "record byHeadDrive: 4",
  };
  for (const char* line : lines) {
    EXPECT_NE(std::find(run.lines.begin(), run.lines.end(), line), run.lines.end()) << line << "\n"
                                                                                    << run.Report();
  }
  EXPECT_EQ(run.Value("document after OK: orientation ").rfind("2,", 0), 0u) << run.Report();
}

}  // namespace
