// The device items' records in the daily log, in a process of their own:
// the daily log reads its settings once per ten seconds, so no earlier
// record of this process may have found it switched off.
#include <windows.h>
#include <shlobj.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "platform/framework_abi.h"
#include "tests/wine/testbed.h"

namespace {

using kvt::testbed::CreatePlugin;

// No test stores "AutoReprint" for this printer (and wine cannot delete
// printer data: DeletePrinterDataW drops into the debugger).
using kvt::testbed::kMixedCasePrinter;

// With the daily log on and no stored "AutoReprint", the builder's step
// and the failed lookup land in the day's file, and the first record of
// the process brings the system report beside it.
TEST(DeviceItems, BuilderRecordsGoToTheDailyLog) {
  const wchar_t* sdk_key = L"SOFTWARE\\KVT\\ThermalPrinterSdk";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, sdk_key, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  const DWORD flags = 0x86;
  RegSetValueExW(key, L"LogLevelFlags", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags),
                 sizeof flags);
  RegCloseKey(key);
  wchar_t common[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, common, CSIDL_COMMON_APPDATA, FALSE));
  const std::wstring folder = std::wstring(common) + L"\\KVT\\Logs";
  SYSTEMTIME now;
  GetLocalTime(&now);
  wchar_t name[32];
  swprintf(name, 32, L"\\%04d%02d%02d.log", now.wYear, now.wMonth, now.wDay);
  const std::wstring daily = folder + name;
  const std::wstring report = folder + L"\\KvtSysInfo.txt";
  DeleteFileW(daily.c_str());
  DeleteFileW(report.c_str());

  IPrintOemUI* plugin = CreatePlugin();
  ASSERT_NE(plugin, nullptr);
  kvt::testbed::Printer printer(kMixedCasePrinter);
  ASSERT_NE(printer.get(), nullptr);
  kvt::testbed::DeviceItemsBlock items(printer.get(), kMixedCasePrinter);
  EXPECT_EQ(plugin->CommonUIProp(kvt::abi::OEMCUIP_PRNPROP, &items.block), S_OK);
  plugin->Release();
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, sdk_key);

  const std::string text = kvt::testbed::ReadFileBytes(daily);
  EXPECT_NE(text.find("] [D] ["), std::string::npos) << text;
  EXPECT_NE(text.find("] : [KVT Mixed Case] Fill out items.\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[W] [0002 : "), std::string::npos) << text;
  EXPECT_NE(text.find("] : Fail GetPrinterData [GLE:2]\r\n"), std::string::npos) << text;
  EXPECT_FALSE(kvt::testbed::ReadFileBytes(report).empty());
}

}  // namespace
