// The sheet host around the real plug-in, on wine's own property-sheet UI:
// the plug-in's three pages in order with the titles of the UI's language,
// then the host's own Advanced page, a picture of each, and the working record that a change
// through the page context leaves in the host's own buffer after OK (and not after Cancel).
//
// The same program runs in the main bed (English) and in the Japanese bed
// (japanese_bed.sh), where KVT_EXPECT_UI_LANGUAGE is 0x411.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/wide_text.h"
#include "tests/wine/sheet/string_resources.h"
#include "tests/wine/testbed.h"

namespace {

using kvt::testbed::BesideThisProgram;

constexpr DWORD kHostTimeoutMs = 90000;

std::string Utf8(const std::wstring& text) { return kvt::Utf16ToUtf8(kvt::WideToUtf16(text)); }

// One run of sheet_host.exe: its exit code and its report, line by line.
using kvt::testbed::HostRun;

HostRun RunHost(const std::wstring& arguments) {
  return kvt::testbed::RunSheetHost(arguments, kHostTimeoutMs);
}

// Where the pictures go: the build tree's artefact folder for this UI
// language, or the temporary folder when ctest names none.
std::wstring ScreenshotFolder() {
  std::wstring folder = kvt::testbed::Env(L"KVT_ARTIFACT_DIR");
  if (folder.empty()) {
    wchar_t temp[MAX_PATH];
    folder = std::wstring(temp, GetTempPathW(MAX_PATH, temp)) + L"kvt-sheet";
  }
  return folder + (kvt::testbed::UiTableLanguage() == kvt::testbed::kJapanese ? L"\\ja" : L"\\en");
}

class SheetHost : public ::testing::Test {
 protected:
  // Each run opens a real sheet (seconds under wine): once for the suite.
  static void SetUpTestSuite() {
    ok_run_ = new HostRun(RunHost(L"--screenshots \"" + ScreenshotFolder() +
                                  L"\" --set byDensity=115 --set bySpeed=1 --timeout 60"));
    cancel_run_ = new HostRun(RunHost(L"--press cancel --set byDensity=115 --timeout 60"));
  }
  static void TearDownTestSuite() {
    delete ok_run_;
    delete cancel_run_;
  }

  static HostRun* ok_run_;
  static HostRun* cancel_run_;
};

HostRun* SheetHost::ok_run_ = nullptr;
HostRun* SheetHost::cancel_run_ = nullptr;

TEST_F(SheetHost, ShowsThePluginsThreePagesInOrderThenTheHostsAdvancedPage) {
  HMODULE plugin = kvt::testbed::LoadResourceModule(BesideThisProgram(L"KvtQvj2Ui.dll"));
  ASSERT_NE(plugin, nullptr);
  std::vector<std::string> expected;
  for (const UINT id : {500u, 501u, 502u}) {
    expected.push_back(
        Utf8(kvt::testbed::TableString(plugin, id, kvt::testbed::UiTableLanguage())));
  }
  FreeLibrary(plugin);
  if (kvt::testbed::UiTableLanguage() == kvt::testbed::kEnglish) {
    EXPECT_EQ(expected, (std::vector<std::string>{"Document Settings", "Font", "Watermark"}));
  }
  for (const HostRun* run : {ok_run_, cancel_run_}) {
    const std::vector<std::string> titles = {run->Value("page 1: "), run->Value("page 2: "),
                                             run->Value("page 3: ")};
    EXPECT_EQ(titles, expected);
    EXPECT_EQ(run->All("page 4: "), std::vector<std::string>{"Advanced"});
    EXPECT_TRUE(run->All("page 5: ").empty());
  }
}

TEST_F(SheetHost, TheSheetFunctionIsSetUpAndReleasedOnce) {
  for (const HostRun* run : {ok_run_, cancel_run_}) {
    const auto calls = run->All("DocumentPropertySheets: ");
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls.front(), "reason 0, answer 0x00000000, result 0");
    EXPECT_EQ(calls.back(), "reason 2, answer 0x00000000, result 1");
  }
}

TEST_F(SheetHost, TakesAPictureOfEachPage) {
  const auto pictures = ok_run_->All("screenshot: ");
  ASSERT_EQ(pictures.size(), 4u);
  EXPECT_TRUE(ok_run_->All("screenshot failed: ").empty());
  for (const auto& path : pictures) {
    const std::string png = kvt::testbed::ReadFileBytes(kvt::Utf16ToWide(kvt::Utf8ToUtf16(path)));
    ASSERT_GT(png.size(), 8u) << path;
    EXPECT_EQ(png.compare(0, 8, "\x89PNG\r\n\x1a\n"), 0) << path;
  }
}

TEST_F(SheetHost, OkWritesTheChangedWorkingRecordIntoTheHostsBuffer) {
  EXPECT_EQ(ok_run_->Value("change byDensity: "), "100 -> 115");
  EXPECT_EQ(ok_run_->Value("change bySpeed: "), "3 -> 1");
  // The pages report their result through the sheet callback, and the
  // plug-in copies the working record into the framework's buffer.
  const auto results = ok_run_->All("set result: ");
  ASSERT_FALSE(results.empty()) << "no page reported a result on OK";
  for (const auto& result : results) {
    EXPECT_NE(result.find(", result 1, answer 0x00000000"), std::string::npos) << result;
  }
  EXPECT_EQ(ok_run_->Value("record byDensity: "), "115");
  EXPECT_EQ(ok_run_->Value("record bySpeed: "), "1");
  EXPECT_EQ(ok_run_->Value("record dwSignature: "), "\"UTVK\"");
  EXPECT_EQ(ok_run_->Value("after OK, DevMode merge: "), "0x00000000, 0 fields corrected");
}

TEST_F(SheetHost, CancelLeavesTheHostsBufferAlone) {
  EXPECT_EQ(cancel_run_->Value("change byDensity: "), "100 -> 115");
  EXPECT_TRUE(cancel_run_->All("set result: ").empty());
  EXPECT_EQ(cancel_run_->Value("record byDensity: "), "100");
}

// The bed's UI language, as wine gives it from LANG and LC_ALL.
TEST(SheetBed, UiLanguageAndCodePage) {
  const std::wstring expected = kvt::testbed::Env(L"KVT_EXPECT_UI_LANGUAGE");
  if (expected == L"0x411") {
    EXPECT_EQ(GetUserDefaultUILanguage(), 0x411);
    EXPECT_EQ(GetACP(), 932u);
  } else {
    EXPECT_EQ(GetUserDefaultUILanguage(), 0x409);
    EXPECT_EQ(GetACP(), 1252u);
  }
}

}  // namespace
