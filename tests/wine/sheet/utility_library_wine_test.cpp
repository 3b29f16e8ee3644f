// The stand-in utility library as the plug-in finds it, beside itself: its
// command editor opens under the anchor with the bytes it is given, returns
// the typed bytes on OK, nothing on Cancel and never more than the capacity;
// its printer functions show what was asked for and answer the code the
// test sets. A picture of the editor goes to the build tree's artefacts.
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

using kvt::testbed::DriveHexEditor;
using kvt::testbed::HexEditorVisit;

class StandInUtility : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryW(kvt::testbed::BesideThisProgram(L"KvtQvj2Utl.dll").c_str());
    ASSERT_NE(module_, nullptr) << GetLastError();
    editor_ = reinterpret_cast<kvt::UtilityEntry>(
        reinterpret_cast<void (*)()>(GetProcAddress(module_, kvt::kHexEditorEntry)));
    utility_ = reinterpret_cast<kvt::UtilityEntry>(
        reinterpret_cast<void (*)()>(GetProcAddress(module_, kvt::kPrinterUtilityEntry)));
    ASSERT_NE(editor_, nullptr);
    ASSERT_NE(utility_, nullptr);
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }

  // Opens the editor on 11 22 with |capacity|, while another thread types
  // |keys| and presses |button|.
  std::uint32_t Edit(std::uint32_t capacity, const std::wstring& keys, int button,
                     const std::wstring& picture, HexEditorVisit* visit) {
    param_ = kvt::HexEditorParam{};
    buffer_.assign(256, 0);
    buffer_[0] = 0x11;
    buffer_[1] = 0x22;
    param_.nAnchorLeft = 100;
    param_.nAnchorTop = 100;
    param_.nAnchorRight = 300;
    param_.nAnchorBottom = 120;
    param_.dwMode = kvt::kHexEditorMode;
    param_.dwCapacity = capacity;
    param_.pbyBuffer = buffer_.data();
    param_.dwCount = 2;
    auto driver = std::async(std::launch::async, [&] {
      return DriveHexEditor(GetCurrentProcessId(), keys, button, picture);
    });
    const std::uint32_t result = editor_(&param_);
    *visit = driver.get();
    return result;
  }

  HMODULE module_ = nullptr;
  kvt::UtilityEntry editor_ = nullptr;
  kvt::UtilityEntry utility_ = nullptr;
  kvt::HexEditorParam param_{};
  std::vector<std::uint8_t> buffer_;
};

std::wstring PicturePath(const wchar_t* name) {
  std::wstring folder = kvt::testbed::Env(L"KVT_ARTIFACT_DIR");
  if (folder.empty()) return {};
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\" + name;
}

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
  for (const Case& c : cases) {
    HexEditorVisit visit;
    const std::wstring picture = c.capacity == 4 ? PicturePath(L"editor_too_long.png") : L"";
    EXPECT_EQ(Edit(c.capacity, c.keys, c.button, picture, &visit), c.result) << c.keys;
    ASSERT_TRUE(visit.found);
    EXPECT_EQ(visit.shown, L"11 22");
    // Opened under the anchor.
    EXPECT_EQ(visit.window.left, 100);
    EXPECT_EQ(visit.window.top, 120);
    EXPECT_EQ(visit.ok_enabled, c.ok_enabled) << c.keys;
    EXPECT_EQ(param_.dwCount, c.count) << c.keys;
    EXPECT_EQ(std::vector<std::uint8_t>(buffer_.begin(), buffer_.begin() + 3), c.bytes) << c.keys;
    if (!c.ok_enabled) {
      EXPECT_TRUE(visit.stayed_open);
      if (!picture.empty()) {
        EXPECT_TRUE(visit.picture);
      }
    }
  }
  // A block it cannot use opens nothing.
  kvt::HexEditorParam bad{};
  bad.dwMode = 1;
  bad.pbyBuffer = buffer_.data();
  EXPECT_NE(editor_(&bad), 0u);
  EXPECT_NE(editor_(nullptr), 0u);
}

TEST_F(StandInUtility, PrinterUtilityShowsWhatWasAskedAndAnswersTheSetCode) {
  struct Case {
    const wchar_t* set;  // KVT_UTILITY_RESULT, null for unset
    std::uint32_t function;
    const wchar_t* function_name;
    std::uint32_t result;
  };
  const Case cases[] = {{nullptr, 2, L"Log", 0}, {L"1234", 4, L"NV Image", 1234}};
  for (const Case& c : cases) {
    SetEnvironmentVariableW(L"KVT_UTILITY_RESULT", c.set);
    kvt::PrinterUtilityParam param{};
    const std::u16string printer = u"KVT QV-J27 Receipt";
    printer.copy(param.szPrinterName, printer.size());
    param.dwFunction = c.function;
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
    EXPECT_EQ(utility_(&param), c.result);
    const std::wstring text = reader.get();
    EXPECT_NE(text.find(c.function_name), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"KVT QV-J27 Receipt"), std::wstring::npos) << text;
  }
  SetEnvironmentVariableW(L"KVT_UTILITY_RESULT", nullptr);
  kvt::PrinterUtilityParam unknown{};
  unknown.dwFunction = 7;
  EXPECT_NE(utility_(&unknown), 0u);
}

}  // namespace
