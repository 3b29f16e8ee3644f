#include "log/system_queries.h"

#include <gtest/gtest.h>

#include "log/system_info_test_fixture.h"

namespace kvt {
namespace {

using log::IsErrorRecord;

class SystemQueriesTest : public log::SystemInfoFixture {
 protected:
  // A first record, so that the day's report (which reads the version
  // too) is out of the way and only the test's own records follow.
  void WarmUp() {
    WriteSdkLog(kSdkDebug, 'D', ".\\Test.cpp", 1, 0, L"warm");
    ASSERT_EQ(DailyLines().size(), 1u);
  }
  std::vector<std::string> RecordsAfterWarmUp() {
    std::vector<std::string> lines = DailyLines();
    lines.erase(lines.begin());
    return lines;
  }
};

// The version numbers, else the older text (before Windows 10, and under
// wine 8); a missing key or text is zero without a record.
TEST_F(SystemQueriesTest, ReadsTheVersionNumbersOrTheOlderText) {
  WarmUp();
  const auto read = [] {
    OsVersion v{1, 2, 3};
    EXPECT_TRUE(GetOsVersion(&v));
    return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.build);
  };
  EXPECT_EQ(read(), "0.0.0");
  SetVersionText(u"CurrentBuildNumber", u"7601");
  EXPECT_EQ(read(), "0.0.7601");
  SetVersionText(u"CurrentVersion", u"6.1");
  EXPECT_EQ(read(), "6.1.7601");
  SetWindows10();
  EXPECT_EQ(read(), "10.0.19045");
  EXPECT_TRUE(RecordsAfterWarmUp().empty());
}

// Each unreadable value is logged and fails the read. Major 10 comes with
// the numbers; the minor is missing or too long (eight bytes).
TEST_F(SystemQueriesTest, EachUnreadableValueIsLoggedAndFailsTheRead) {
  const struct {
    const char* what;
    bool numbers, long_minor;
    const char16_t *version, *build;
    const char* error;
    const char* message;
  } cases[] = {
      {"minor too long", true, true, nullptr, u"19045", "0234", "[comm] RegQueryValueEx 2 GLE:234"},
      {"version text not a version", false, false, u"six", u"7601", "0013",
       "[comm] RegQueryValueEx 1 GLE:13"},
      {"build missing", false, false, u"6.1", nullptr, "0002", "[comm] RegQueryValueEx 3 GLE:2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    log::ResetSdkLogForTesting();
    files.files.clear();
    config.keys.clear();
    config.SetNumber(log::kLogKey, u"LogLevelFlags", 0x86);
    WarmUp();
    if (c.numbers) SetVersionNumber(u"CurrentMajorVersionNumber", 10);
    if (c.long_minor) {
      config.Set(log::kVersionKey, u"CurrentMinorVersionNumber",
                 ConfigValue{kValueBinary, std::vector<std::uint8_t>(8, 1)});
    }
    if (c.version) SetVersionText(u"CurrentVersion", c.version);
    if (c.build) SetVersionText(u"CurrentBuildNumber", c.build);
    OsVersion version;
    EXPECT_FALSE(GetOsVersion(&version));
    const std::vector<std::string> records = RecordsAfterWarmUp();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(IsErrorRecord(records[0], c.error, c.message));
  }
}

TEST_F(SystemQueriesTest, EveryVersionPairGetsItsName) {
  const struct {
    std::uint32_t major, minor;                // as the registry says
    std::uint32_t system_major, system_minor;  // as the system verifies
    const char* name;
  } cases[] = {
      {10, 0, 10, 0, "Windows10"},
      {6, 3, 6, 3, "Windows 8.1"},
      // The registry says 6.2 for every later system of the line.
      {6, 2, 6, 2, "Windows 8"},
      {6, 2, 6, 3, "Windows 8.1"},
      {6, 1, 6, 1, "Windows 7"},
      {6, 0, 6, 0, "Windows Vista"},
      {5, 1, 5, 1, "Windows XP"},
      {6, 4, 6, 4, "Windows ???"},
  };
  for (const auto& c : cases) {
    system.system_major = c.system_major;
    system.system_minor = c.system_minor;
    system.verified.clear();
    EXPECT_STREQ(WindowsName(WindowsNameIndex(OsVersion{c.major, c.minor, 0})), c.name)
        << c.major << "." << c.minor << " on " << c.system_major << "." << c.system_minor;
    // Only a minor number of 2 sends the question to the system.
    EXPECT_EQ(system.verified.empty(), c.minor != 2) << c.major << "." << c.minor;
  }
  EXPECT_STREQ(WindowsName(-1), "Windows ???");
}

TEST_F(SystemQueriesTest, HostLineNamesTheSystemAndItsWordSize) {
  SetWindows10();
  EXPECT_EQ(HostVersionLine(), "Windows10 (64bit)\r\n");
  system.is_64bit = false;
  EXPECT_EQ(HostVersionLine(), "Windows10 (32bit)\r\n");
  EXPECT_FALSE(IsOs64Bit());
}

TEST(IsNotFilePortTest, FilePortsAndEmptyNamesAreRefused) {
  const struct {
    const char16_t* name;
    bool expected;
  } cases[] = {
      {u"file:", false},
      {u"", false},
      {u"USB001", true},
      {u" FILE:", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsNotFilePort(c.name), c.expected)
        << ::testing::PrintToString(std::u16string(c.name));
  }
}

class ResourceLibraryTest : public log::SystemInfoFixture {
 protected:
  static constexpr char16_t kLibrary[] =
      u"C:\\Windows\\system32\\spool\\DRIVERS\\x64\\3\\KvtQvj2Res.dll";
};

TEST_F(ResourceLibraryTest, LoadsByFullPathAndLooksTheFolderUpOnce) {
  loader.loadable.insert(kLibrary);
  EXPECT_NE(LoadResourceLibrary(), nullptr);
  EXPECT_NE(LoadResourceLibrary(), nullptr);
  EXPECT_EQ(loader.directory_queries, 1);
  EXPECT_EQ(loader.loads, (std::vector<std::u16string>{kLibrary, kLibrary}));
  loader.loadable.clear();
  EXPECT_EQ(LoadResourceLibrary(), nullptr);  // the library is gone
}

TEST_F(ResourceLibraryTest, OnlyAFolderTooLongForItsBufferIsShortened) {
  const std::u16string fits = u"C:\\" + std::u16string(256, u'd');  // 259 characters
  const std::u16string too_long = fits + u"e";
  const struct {
    const char* what;
    std::u16string directory;
    std::u16string short_form;  // empty: none
    std::u16string loaded;      // empty: nothing loaded
  } cases[] = {
      {"fits", fits, u"C:\\SHORT~1", fits + u"\\3\\KvtQvj2Res.dll"},
      {"too long", too_long, u"C:\\SHORT~1", u"C:\\SHORT~1\\3\\KvtQvj2Res.dll"},
      {"too long, no short form", too_long, u"", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ResetResourceLibraryForTesting();
    loader.loads.clear();
    loader.short_paths.clear();
    loader.driver_directory = c.directory;
    if (!c.short_form.empty()) loader.short_paths[c.directory] = c.short_form;
    loader.loadable = {c.loaded};
    const ModuleHandle module = LoadResourceLibrary();
    if (c.loaded.empty()) {
      EXPECT_EQ(module, nullptr);
      EXPECT_TRUE(loader.loads.empty());  // never a bare or partial name
    } else {
      EXPECT_NE(module, nullptr);
      EXPECT_EQ(loader.loads, std::vector<std::u16string>{c.loaded});
    }
  }
}

}  // namespace
}  // namespace kvt
