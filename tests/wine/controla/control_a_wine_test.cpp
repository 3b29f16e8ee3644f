// The Font page's Control A section in wine's property sheet, opened as the
// printer's default preferences: a command typed into the utility
// library's editor reaches the current user's registry on OK.
#include <windows.h>

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

#include "tests/wine/sheet/hex_editor_driver.h"
#include "tests/wine/testbed.h"

namespace {

// The Font page with the Control A section shown (entry key '3'); row 0,
// the blank (value "F20"), is selected.
const wchar_t kControlASection[] = L" --page 2 --send 0:1633:51:0";

// The key the section keeps the receipt printer's commands under: its
// driver's name, then the printer's utility GUID (empty while the printer
// has none; wine's registry then folds the empty part away, as the
// plug-in's own path does).
std::wstring CommandKey() {
  kvt::testbed::Printer printer(kvt::testbed::kReceiptPrinter);
  if (printer.get() == nullptr) return L"";
  wchar_t guid[64] = {};
  DWORD type = 0, needed = 0;
  if (GetPrinterDataW(printer.get(), const_cast<LPWSTR>(L"UtilityGUID"), &type,
                      reinterpret_cast<BYTE*>(guid), sizeof(guid) - sizeof(wchar_t),
                      &needed) != ERROR_SUCCESS) {
    guid[0] = L'\0';
  }
  return std::wstring(L"Software\\KVT\\KVT QV-J27\\") + guid + L"\\ControlA";
}

std::vector<BYTE> ReadCommand(const std::wstring& key, const wchar_t* name) {
  BYTE data[1024];
  DWORD size = sizeof(data);
  if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_BINARY, nullptr, data, &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  return std::vector<BYTE>(data, data + size);
}

TEST(ControlAFontSection, EditedCommandIsWrittenToTheUsersRegistryOnOk) {
  const std::wstring key = CommandKey();
  ASSERT_FALSE(key.empty());
  RegDeleteKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"F20");
  auto editor = std::async(std::launch::async,
                           [] { return kvt::testbed::DriveHexEditor(0, L"1b 40", IDOK, L""); });
  const kvt::testbed::HostRun run =
      kvt::testbed::RunSheetHost(L"--press ok --timeout 60 --flags 0x40" +
                                 std::wstring(kControlASection) + L" --send 1245:0xF5:0:0");
  const kvt::testbed::HexEditorVisit visit = editor.get();
  ASSERT_TRUE(run.finished);
  ASSERT_TRUE(visit.found) << run.Report();
  EXPECT_EQ(ReadCommand(key, L"F20"), (std::vector<BYTE>{0x1B, 0x40}));
  RegDeleteKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"F20");
}

}  // namespace
