// The sheet host around the real plug-in, on wine's own property-sheet UI:
// the plug-in's three pages in order with the titles of the UI's language,
// then the host's own Advanced page, a picture of each, and the working
// record that a change through the page context leaves in the host's own
// buffer after OK (and not after Cancel).
//
// The same program runs in the main bed (English) and in the Japanese bed
// (japanese_bed.sh), where KVT_EXPECT_UI_LANGUAGE is 0x411.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/wine/sheet/string_resources.h"
#include "tests/wine/testbed.h"

namespace {

using kvt::testbed::HostRun;

class SheetHost : public ::testing::Test {
 protected:
  // Each run opens a real sheet (seconds under wine): once for the suite.
  static void SetUpTestSuite() {
    ok_run_ = new HostRun(kvt::testbed::RunSheetHost(L"--screenshots \"" +
                                                     kvt::testbed::ArtifactFolder(L"", true) +
                                                     L"\" --set byDensity=115 --timeout 60"));
    cancel_run_ =
        new HostRun(kvt::testbed::RunSheetHost(L"--press cancel --set byDensity=115 --timeout 60"));
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

TEST_F(SheetHost, ThePluginsThreePagesThenTheHostsAdvancedPageSetUpAndReleasedOnce) {
  HMODULE plugin =
      kvt::testbed::LoadResourceModule(kvt::testbed::BesideThisProgram(L"KvtQvj2Ui.dll"));
  ASSERT_NE(plugin, nullptr);
  std::vector<std::string> expected;
  for (const UINT id : {500u, 501u, 502u}) {
    expected.push_back(
        kvt::testbed::Utf8(kvt::testbed::TableString(plugin, id, kvt::testbed::UiTableLanguage())));
  }
  FreeLibrary(plugin);
  if (kvt::testbed::UiTableLanguage() == kvt::testbed::kEnglish) {
    EXPECT_EQ(expected, (std::vector<std::string>{"Document Settings", "Font", "Watermark"}));
  }
  for (const HostRun* run : {ok_run_, cancel_run_}) {
    const std::vector<std::string> titles = {run->Value("page 1: "), run->Value("page 2: "),
                                             run->Value("page 3: ")};
    EXPECT_EQ(titles, expected) << run->Report();
    EXPECT_EQ(run->All("page 4: "), std::vector<std::string>{"Advanced"});
    EXPECT_TRUE(run->All("page 5: ").empty());
    const auto calls = run->All("DocumentPropertySheets: ");
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls.front(), "reason 0, answer 0x00000000, result 0");
    EXPECT_EQ(calls.back(), "reason 2, answer 0x00000000, result 1");
  }
  EXPECT_EQ(ok_run_->All("screenshot: ").size(), 4u);
}

TEST_F(SheetHost, OkWritesTheChangedWorkingRecordIntoTheHostsBufferAndCancelDoesNot) {
  EXPECT_EQ(ok_run_->Value("change byDensity: "), "100 -> 115");
  // The pages report their result through the sheet callback, and the
  // plug-in copies the working record into the framework's buffer.
  const auto results = ok_run_->All("set result: ");
  ASSERT_FALSE(results.empty()) << "no page reported a result on OK";
  for (const auto& result : results) {
    EXPECT_NE(result.find(", result 1, answer 0x00000000"), std::string::npos) << result;
  }
  EXPECT_EQ(ok_run_->Value("record byDensity: "), "115");
  EXPECT_EQ(ok_run_->Value("after OK, DevMode merge: "), "0x00000000, 0 fields corrected");

  EXPECT_EQ(cancel_run_->Value("change byDensity: "), "100 -> 115");
  EXPECT_TRUE(cancel_run_->All("set result: ").empty());
  EXPECT_EQ(cancel_run_->Value("record byDensity: "), "100");
}

// The bed's UI language, as wine gives it from LANG and LC_ALL.
TEST(SheetBed, UiLanguageAndCodePage) {
  const bool japanese = kvt::testbed::Env(L"KVT_EXPECT_UI_LANGUAGE") == L"0x411";
  EXPECT_EQ(GetUserDefaultUILanguage(), japanese ? 0x411 : 0x409);
  EXPECT_EQ(GetACP(), japanese ? 932u : 1252u);
}

}  // namespace
