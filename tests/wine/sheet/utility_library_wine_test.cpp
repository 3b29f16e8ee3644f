// The stand-in utility library as the plug-in finds it, beside itself: its
// command editor opens under the anchor with the bytes it is given, returns
// the typed bytes on OK, nothing on Cancel and never more than the capacity;
// its printer functions show what was asked for and answer the code the
// test sets. A picture of the refusing editor goes to the artefacts.
#include <windows.h>

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

#include "oemui/tools/utility_library.h"
#include "tests/wine/sheet/hex_editor_driver.h"
#include "tests/wine/testbed.h"
#include "tools/sheet_host/window_automation.h"

namespace {

class StandInUtility : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryW(kvt::testbed::BesideThisProgram(L"KvtQvj2Utl.dll").c_str());
    ASSERT_NE(module_, nullptr) << GetLastError();
    editor_ = Entry(kvt::kHexEditorEntry);
    utility_ = Entry(kvt::kPrinterUtilityEntry);
    ASSERT_NE(editor_, nullptr);
    ASSERT_NE(utility_, nullptr);
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  kvt::UtilityEntry Entry(const char* name) {
    return reinterpret_cast<kvt::UtilityEntry>(
        reinterpret_cast<void (*)()>(GetProcAddress(module_, name)));
  }

  HMODULE module_ = nullptr;
  kvt::UtilityEntry editor_ = nullptr;
  kvt::UtilityEntry utility_ = nullptr;
};

TEST_F(StandInUtility, EditorGivesTheTypedBytesOnOkOnly) {
  struct Case {
    std::uint32_t capacity;
    const wchar_t* keys;
    int button;
    std::uint32_t result, count;
    std::vector<std::uint8_t> bytes;  // the first bytes afterwards
    bool ok_enabled;
  };
  const Case cases[] = {
      {128, L"1b 40 0a", IDOK, 0, 3, {0x1B, 0x40, 0x0A}, true},
      {128, L"ff", IDCANCEL, 1, 2, {0x11, 0x22, 0x00}, true},
      // Five bytes for a capacity of four: OK is off and refused.
      {4, L"0102030405", IDOK, 1, 2, {0x11, 0x22, 0x00}, false},
  };
  std::vector<std::uint8_t> buffer;
  for (const Case& c : cases) {
    SCOPED_TRACE(kvt::testbed::Utf8(c.keys));
    buffer.assign(256, 0);
    buffer[0] = 0x11;
    buffer[1] = 0x22;
    kvt::HexEditorParam param{};
    param.nAnchorLeft = 100;
    param.nAnchorTop = 100;
    param.nAnchorRight = 300;
    param.nAnchorBottom = 120;
    param.dwMode = kvt::kHexEditorMode;
    param.dwCapacity = c.capacity;
    param.pbyBuffer = buffer.data();
    param.dwCount = 2;
    const std::wstring picture =
        c.ok_enabled ? L"" : kvt::testbed::ArtifactFolder(L"") + L"\\editor_too_long.png";
    auto driver = std::async(std::launch::async, [&] {
      return kvt::testbed::DriveHexEditor(GetCurrentProcessId(), c.keys, c.button, picture);
    });
    EXPECT_EQ(editor_(&param), c.result);
    const kvt::testbed::HexEditorVisit visit = driver.get();
    ASSERT_TRUE(visit.found);
    EXPECT_EQ(visit.shown, L"11 22");
    EXPECT_EQ(visit.window.left, 100);  // opened under the anchor
    EXPECT_EQ(visit.window.top, 120);
    EXPECT_EQ(visit.ok_enabled, c.ok_enabled);
    EXPECT_EQ(visit.stayed_open, !c.ok_enabled);
    EXPECT_EQ(param.dwCount, c.count);
    EXPECT_EQ(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + 3), c.bytes);
  }
  // A block it cannot use opens nothing.
  kvt::HexEditorParam bad{};
  bad.dwMode = 1;
  bad.pbyBuffer = buffer.data();
  EXPECT_NE(editor_(&bad), 0u);
  EXPECT_NE(editor_(nullptr), 0u);
}

TEST_F(StandInUtility, PrinterUtilityShowsWhatWasAskedAndAnswersTheSetCode) {
  SetEnvironmentVariableW(L"KVT_UTILITY_RESULT", L"1234");
  kvt::PrinterUtilityParam param{};
  const std::u16string printer = u"KVT QV-J27 Receipt";
  printer.copy(param.szPrinterName, printer.size());
  param.dwFunction = 4;
  auto reader = std::async(std::launch::async, [] {
    for (int i = 0; i < 600; ++i) {
      HWND box = FindWindowW(L"#32770", L"KVT Printer Utility");
      if (box != nullptr && IsWindowVisible(box)) {
        const std::wstring text = kvt::tools::WindowText(GetDlgItem(box, 0xFFFF));
        SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return text;
      }
      Sleep(50);
    }
    return std::wstring();
  });
  EXPECT_EQ(utility_(&param), 1234u);
  const std::wstring text = reader.get();
  EXPECT_NE(text.find(L"NV Image"), std::wstring::npos) << kvt::testbed::Utf8(text);
  EXPECT_NE(text.find(L"KVT QV-J27 Receipt"), std::wstring::npos) << kvt::testbed::Utf8(text);
  SetEnvironmentVariableW(L"KVT_UTILITY_RESULT", nullptr);
  kvt::PrinterUtilityParam unknown{};
  unknown.dwFunction = 7;
  EXPECT_NE(utility_(&unknown), 0u);
}

}  // namespace
