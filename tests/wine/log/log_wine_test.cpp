// Both logs on wine's own registry, spooler printer data, Global mutexes and
// common application-data folder, checked byte for byte.
#include <windows.h>
#include <shlobj.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>

#include "log/driver_log.h"
#include "log/log_files.h"
#include "log/sdk_log.h"
#include "log/sdk_log_internal.h"
#include "platform/file_system.h"
#include "platform/last_error.h"
#include "platform/named_lock.h"
#include "platform/service.h"
#include "tests/wine/testbed.h"

namespace {

using kvt::testbed::ReadFileBytes;

constexpr const wchar_t* kSdkKey = L"SOFTWARE\\KVT\\ThermalPrinterSdk";
constexpr const wchar_t* kSdkWowKey = L"SOFTWARE\\Wow6432Node\\KVT\\ThermalPrinterSdk";

// "%04d/%02d/%02d %02d:%02d:%03d " of a local time, as the driver log has it.
std::string DriverStamp(const SYSTEMTIME& t) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d/%02d/%02d %02d:%02d:%03d ", t.wYear, t.wMonth, t.wDay,
                t.wHour, t.wMinute, t.wSecond);
  return stamp;
}

void SetMachineNumber(const wchar_t* key_path, const wchar_t* name, DWORD number) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key_path, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                           sizeof number),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

void DeleteMachineKey(const wchar_t* key_path) { RegDeleteKeyW(HKEY_LOCAL_MACHINE, key_path); }

// The receipt printer opened for changing its printer data.
class AdminPrinter {
 public:
  AdminPrinter() {
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!OpenPrinterW(const_cast<wchar_t*>(kvt::testbed::kReceiptPrinter), &handle_, &defaults)) {
      handle_ = nullptr;
    }
  }
  ~AdminPrinter() {
    if (handle_ == nullptr) return;
    // Wine lacks DeletePrinterDataW: switch the log off for later tests.
    SetPath(L"");
    SetFlags(std::string(6, '\0'));
    ClosePrinter(handle_);
  }
  HANDLE get() const { return handle_; }
  DWORD SetPath(const std::wstring& path) {
    return SetPrinterDataW(handle_, const_cast<wchar_t*>(L"LogFilePath"), REG_SZ,
                           reinterpret_cast<BYTE*>(const_cast<wchar_t*>(path.c_str())),
                           static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
  }
  DWORD SetFlags(std::string flags) {
    return SetPrinterDataW(handle_, const_cast<wchar_t*>(L"LogSettingFlags"), REG_BINARY,
                           reinterpret_cast<BYTE*>(flags.data()), static_cast<DWORD>(flags.size()));
  }

 private:
  HANDLE handle_ = nullptr;
};

class DriverLogWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kvt::log::ResetDriverLogForTesting();
    ASSERT_NE(printer_.get(), nullptr);
    folder_ = kvt::testbed::Env(L"KVT_TESTBED_DIR") + L"\\driver-log\\sub";
    path_ = folder_ + L"\\driver.log";
    DeleteFileW(path_.c_str());
    ASSERT_EQ(printer_.SetPath(path_), static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_EQ(printer_.SetFlags(std::string("\x01\x00\x01\x01\x01\x00", 6)),
              static_cast<DWORD>(ERROR_SUCCESS));
  }
  void TearDown() override { kvt::log::ResetDriverLogForTesting(); }

  // The expected line at either local time seen around the write.
  void ExpectLines(const std::string& text, const SYSTEMTIME& before, const SYSTEMTIME& after,
                   const std::string& rest) {
    EXPECT_TRUE(text == DriverStamp(before) + rest || text == DriverStamp(after) + rest) << text;
  }

  AdminPrinter printer_;
  std::wstring folder_;
  std::wstring path_;
};

TEST_F(DriverLogWineTest, RecordFromPrinterDataReachesItsFile) {
  kvt::LogSource source;
  source.level = kvt::kLogError;
  source.line = 4321;
  source.lastError = 1801;
  source.area = L"Tools";
  SetLastError(77);
  SYSTEMTIME before, after;
  GetLocalTime(&before);
  EXPECT_EQ(kvt::WriteDriverLog(source, printer_.get(), L"OpenPrinter %ls %d", L"failed", 2), 1);
  GetLocalTime(&after);
  EXPECT_EQ(GetLastError(), 1801u);
  EXPECT_EQ(GetFileAttributesW(folder_.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  ExpectLines(ReadFileBytes(path_), before, after,
              "<03000000>, [ERR] DRV UI\t: (Tools) OpenPrinter failed 2 [4321 / e:1801]\r\n");
}

TEST_F(DriverLogWineTest, ByNameAndDumpThroughTheSpooler) {
  kvt::LogSource source;
  source.level = kvt::kLogInfo;
  source.line = 12;
  source.area = L"Font manager";
  const std::uint8_t sent[] = {0x1B, 0x40, 0x1D, 0x56, 0x00};
  SYSTEMTIME before, after;
  GetLocalTime(&before);
  EXPECT_EQ(kvt::WriteDriverLogByName(source, u"KVT QV-J27 Receipt", L"by name"), 1);
  EXPECT_EQ(kvt::WriteDriverLogDump(source, printer_.get(), sent, 5, nullptr, 0, L"Test print"), 1);
  GetLocalTime(&after);
  EXPECT_EQ(kvt::WriteDriverLogByName(source, u"No Such Printer", L"x"), 0);
  const std::string text = ReadFileBytes(path_);
  const std::string first = "<03000000>, [INF] DRV UI\t: (Font manager) by name [12]\r\n";
  const std::string dump =
      "<03000000>, [INF] DRV UI\t: (Font manager) Test print [12] \n\rOutput data dump. (5 "
      "byte)\r\nAddr : +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F\r\n0000 : 1B 40 1D 56 "
      "00\r\n\r\n";
  EXPECT_TRUE(text == DriverStamp(before) + first + DriverStamp(before) + dump ||
              text == DriverStamp(after) + first + DriverStamp(after) + dump ||
              text == DriverStamp(before) + first + DriverStamp(after) + dump)
      << text;
}

// The real lock, with the wait cut short so the test does not take 10 s.
class ShortWaitLock final : public kvt::NamedLock {
 public:
  Result Acquire(std::u16string_view name, std::uint32_t,
                 std::unique_ptr<Holder>* holder) override {
    return kvt::DefaultService<kvt::NamedLock>().Acquire(name, 100, holder);
  }
};

TEST_F(DriverLogWineTest, HeldGlobalMutexCostsTheRecordAndLeavesTheMarker) {
  HANDLE taken = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, L"Global\\KVT_PRNTER_DRIVER_LOG");
    SetEvent(taken);
    WaitForSingleObject(release, INFINITE);
    ReleaseMutex(mutex);
    CloseHandle(mutex);
  });
  WaitForSingleObject(taken, INFINITE);
  kvt::LogSource source;
  source.level = kvt::kLogInfo;
  source.area = L"A";
  {
    ShortWaitLock short_wait;
    kvt::ScopedService<kvt::NamedLock> use(short_wait);
    source.line = 1;
    EXPECT_EQ(kvt::WriteDriverLog(source, printer_.get(), L"lost"), 1);
    EXPECT_EQ(GetFileAttributesW(path_.c_str()), INVALID_FILE_ATTRIBUTES);
    SetEvent(release);
    holder.join();
    source.line = 2;
    EXPECT_EQ(kvt::WriteDriverLog(source, printer_.get(), L"kept"), 1);
  }
  const std::string text = ReadFileBytes(path_);
  const std::string marker = "<=== Log output here failed\r\n";
  ASSERT_GT(text.size(), marker.size());
  EXPECT_EQ(text.substr(text.size() - marker.size()), marker);
  EXPECT_NE(text.find("(A) kept [2]\r\n"), std::string::npos);
  CloseHandle(taken);
  CloseHandle(release);
}

TEST_F(DriverLogWineTest, AbandonedGlobalMutexCountsAsTaken) {
  std::thread dies_holding([] {
    CreateMutexW(nullptr, TRUE, L"Global\\KVT_PRNTER_DRIVER_LOG");  // never released
  });
  dies_holding.join();
  kvt::LogSource source;
  source.level = kvt::kLogInfo;
  EXPECT_EQ(kvt::WriteDriverLog(source, printer_.get(), L"after abandonment"), 1);
  EXPECT_NE(ReadFileBytes(path_).find("after abandonment"), std::string::npos);
}

class SdkLogWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteMachineKey(kSdkKey);
    DeleteMachineKey(kSdkWowKey);
    kvt::log::ResetSdkLogForTesting();
    wchar_t common[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, common, CSIDL_COMMON_APPDATA, FALSE));
    folder_ = std::wstring(common) + L"\\KVT\\Logs";
  }
  void TearDown() override {
    DeleteMachineKey(kSdkKey);
    DeleteMachineKey(kSdkWowKey);
    kvt::log::ResetSdkLogForTesting();
  }
  std::wstring DailyPath() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t name[32];
    swprintf(name, 32, L"\\%04d%02d%02d.log", now.wYear, now.wMonth, now.wDay);
    return folder_ + name;
  }
  std::wstring folder_;
};

TEST_F(SdkLogWineTest, DailyFileBeginsWithTheBanner) {
  SetMachineNumber(kSdkKey, L"LogLevel", 1);  // errors only
  const std::wstring daily = DailyPath();
  DeleteFileW(daily.c_str());
  SetLastError(99);
  kvt::WriteSdkLog(kvt::kSdkWarning, 'W', ".\\Wine.cpp", 10, 0, L"not at this level");
  EXPECT_EQ(GetLastError(), 99u);
  kvt::WriteSdkLog(kvt::kSdkError, 'E', ".\\Wine.cpp", 12, 0x80070057, L"wine %ls", L"daily");
  EXPECT_EQ(GetLastError(), 0x80070057u);
  kvt::WriteSdkLog(kvt::kSdkError, 'E', ".\\Wine.cpp", 12, 5, L"repeat");
  const std::string text = ReadFileBytes(daily);
  const std::string banner = "KVT Thermal Printer Logfile\r\n";
  ASSERT_EQ(text.substr(0, banner.size()), banner) << text;
  // "[MM/DD hh:mm(ss.mmm)] " then the rest, byte for byte.
  const std::string record = text.substr(banner.size());
  const std::string rest = "[E] [0x80070057 : 0012] : wine daily\r\n";
  ASSERT_EQ(record.size(), 22 + rest.size()) << record;
  EXPECT_EQ(record.substr(22), rest);
  SYSTEMTIME now;
  GetLocalTime(&now);
  char date[8];
  std::snprintf(date, sizeof date, "[%02d/%02d", now.wMonth, now.wDay);
  EXPECT_EQ(record.substr(0, 6), date);
  EXPECT_EQ(record[21], ' ');
}

TEST_F(SdkLogWineTest, WowNodeKeyAndFlagsMask) {
  SetMachineNumber(kSdkWowKey, L"LogLevelFlags", 0x80000082);
  EXPECT_FALSE(kvt::IsSdkLogEnabled(kvt::kSdkError));
  kvt::log::ResetSdkLogForTesting();
  SetMachineNumber(kSdkWowKey, L"LogLevelFlags", 0x84);
  EXPECT_FALSE(kvt::IsSdkLogEnabled(kvt::kSdkError));
  EXPECT_TRUE(kvt::IsSdkLogEnabled(kvt::kSdkWarning));
  EXPECT_EQ(kvt::log::SdkLogRetentionUnits(), 2222u);
  EXPECT_EQ(kvt::log::SdkLogFolder(), std::u16string(folder_.begin(), folder_.end()));
}

TEST(FileSystemWineTest, ExclusiveOpenListAndRename) {
  kvt::FileSystem& files = kvt::Service<kvt::FileSystem>();
  const std::wstring dir = kvt::testbed::Env(L"KVT_TESTBED_DIR") + L"\\fs-test";
  const std::u16string folder(dir.begin(), dir.end());
  files.MakeDirectory(folder);
  ASSERT_TRUE(files.IsDirectory(folder));
  const std::u16string a = folder + u"\\20240101.log";
  const std::u16string b = folder + u"\\20240102.log";
  files.Delete(a);
  files.Delete(b);
  {
    auto first = files.OpenExclusive(a);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(files.OpenExclusive(a), nullptr);
    EXPECT_EQ(kvt::GetThreadLastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(first->Append("abc"));
    std::uint64_t size = 0;
    EXPECT_TRUE(first->Size(&size));
    EXPECT_EQ(size, 3u);
  }
  auto again = files.OpenExclusive(a);
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(again->Append("def"));
  again.reset();
  std::string head;
  EXPECT_TRUE(files.ReadPrefix(a, 4, &head));
  EXPECT_EQ(head, "abcd");
  auto other = files.OpenExclusive(b);
  other.reset();
  EXPECT_FALSE(files.Rename(a, b));  // never replaces
  const auto entries = files.List(folder, u"20*.LOG");
  EXPECT_EQ(entries.size(), 2u);
  EXPECT_TRUE(files.Delete(a));
  EXPECT_TRUE(files.Delete(b));
  EXPECT_TRUE(files.GrantUsersFullAccess(folder));
}

}  // namespace
