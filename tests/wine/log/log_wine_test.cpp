// Both logs on wine's own registry, spooler printer data, Global mutexes and
// common application-data folder; the line formats themselves are pinned
// by the native tests, one line of each is checked here byte for byte.
#include <windows.h>
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

void SetMachineNumber(const wchar_t* key_path, const wchar_t* name, DWORD number) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, key_path, name, REG_DWORD, &number, sizeof number),
            ERROR_SUCCESS);
}

// The receipt printer, its driver log switched on into a folder that does
// not exist yet; switched off again at the end (wine lacks
// DeletePrinterDataW).
class DriverLogWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kvt::log::ResetDriverLogForTesting();
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(
        OpenPrinterW(const_cast<wchar_t*>(kvt::testbed::kReceiptPrinter), &printer_, &defaults));
    folder_ = kvt::testbed::Env(L"KVT_TESTBED_DIR") + L"\\driver-log\\sub";
    path_ = folder_ + L"\\driver.log";
    DeleteFileW(path_.c_str());
    ASSERT_EQ(Store(path_, std::string("\x01\x00\x01\x01\x01\x00", 6)),
              static_cast<DWORD>(ERROR_SUCCESS));
  }
  void TearDown() override {
    kvt::log::ResetDriverLogForTesting();
    if (printer_ == nullptr) return;
    Store(std::wstring(), std::string(6, '\0'));
    ClosePrinter(printer_);
  }
  DWORD Store(const std::wstring& path, std::string flags) {
    const DWORD status =
        SetPrinterDataW(printer_, const_cast<wchar_t*>(L"LogFilePath"), REG_SZ,
                        reinterpret_cast<BYTE*>(const_cast<wchar_t*>(path.c_str())),
                        static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    return status != ERROR_SUCCESS
               ? status
               : SetPrinterDataW(printer_, const_cast<wchar_t*>(L"LogSettingFlags"), REG_BINARY,
                                 reinterpret_cast<BYTE*>(flags.data()),
                                 static_cast<DWORD>(flags.size()));
  }

  HANDLE printer_ = nullptr;
  std::wstring folder_;
  std::wstring path_;
};

TEST_F(DriverLogWineTest, RecordsFromPrinterDataReachTheirFile) {
  kvt::LogSource source;
  source.level = kvt::kLogError;
  source.line = 4321;
  source.lastError = 1801;
  source.area = L"Tools";
  SetLastError(77);
  EXPECT_EQ(kvt::WriteDriverLog(source, printer_, L"OpenPrinter %ls %d", L"failed", 2), 1);
  EXPECT_EQ(GetLastError(), 1801u);
  const std::string rest =
      "<03000000>, [ERR] DRV UI\t: (Tools) OpenPrinter failed 2 [4321 / e:1801]\r\n";
  const std::string text = ReadFileBytes(path_);
  // After the "yyyy/mm/dd hh:mm:sss " stamp, byte for byte.
  ASSERT_EQ(text.size(), 21 + rest.size()) << text;
  EXPECT_EQ(text.substr(21), rest);
  // By the printer's name through the spooler; an unknown printer has no
  // log.
  source.level = kvt::kLogInfo;
  source.lastError = 0;
  EXPECT_EQ(kvt::WriteDriverLogByName(source, u"KVT QV-J27 Receipt", L"by name"), 1);
  EXPECT_EQ(kvt::WriteDriverLogByName(source, u"No Such Printer", L"x"), 0);
  const std::string more = ReadFileBytes(path_).substr(text.size());
  EXPECT_NE(more.find("(Tools) by name [4321]\r\n"), std::string::npos) << more;
}

// The real lock, with the wait cut short so the test does not take 10 s.
class ShortWaitLock final : public kvt::NamedLock {
 public:
  Result Acquire(std::u16string_view name, std::uint32_t,
                 std::unique_ptr<Holder>* holder) override {
    return kvt::DefaultService<kvt::NamedLock>().Acquire(name, 100, holder);
  }
};

TEST_F(DriverLogWineTest, HeldGlobalMutexCostsTheRecordAndAnAbandonedOneDoesNot) {
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
    EXPECT_EQ(kvt::WriteDriverLog(source, printer_, L"lost"), 1);
    EXPECT_EQ(GetFileAttributesW(path_.c_str()), INVALID_FILE_ATTRIBUTES);
    SetEvent(release);
    holder.join();
    source.line = 2;
    EXPECT_EQ(kvt::WriteDriverLog(source, printer_, L"kept"), 1);
  }
  CloseHandle(taken);
  CloseHandle(release);
  const std::string marker = "(A) kept [2]\r\n<=== Log output here failed\r\n";
  const std::string text = ReadFileBytes(path_);
  ASSERT_GT(text.size(), marker.size());
  EXPECT_EQ(text.substr(text.size() - marker.size()), marker);

  std::thread dies_holding([] {
    CreateMutexW(nullptr, TRUE, L"Global\\KVT_PRNTER_DRIVER_LOG");  // never released
  });
  dies_holding.join();
  EXPECT_EQ(kvt::WriteDriverLog(source, printer_, L"after abandonment"), 1);
  EXPECT_NE(ReadFileBytes(path_).find("after abandonment"), std::string::npos);
}

// The daily log's settings from the machine's registry, its 64-bit key
// first, then its Wow6432Node twin; its file in the common application
// data, begun with the banner.
TEST(SdkLogWineTest, SettingsFromTheRegistryAndTheDailyFile) {
  auto reset = [] {
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kSdkKey);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kSdkWowKey);
    kvt::log::ResetSdkLogForTesting();
  };
  reset();
  SetMachineNumber(kSdkWowKey, L"LogLevelFlags", 0x84);
  EXPECT_FALSE(kvt::IsSdkLogEnabled(kvt::kSdkError));
  EXPECT_TRUE(kvt::IsSdkLogEnabled(kvt::kSdkWarning));
  EXPECT_EQ(kvt::log::SdkLogRetentionUnits(), 2222u);
  const std::wstring folder = kvt::testbed::LogFolder();
  EXPECT_EQ(kvt::log::SdkLogFolder(), std::u16string(folder.begin(), folder.end()));
  reset();

  SetMachineNumber(kSdkKey, L"LogLevel", 1);  // errors only
  SYSTEMTIME now;
  GetLocalTime(&now);
  wchar_t name[32];
  swprintf(name, 32, L"\\%04d%02d%02d.log", now.wYear, now.wMonth, now.wDay);
  const std::wstring daily = folder + name;
  DeleteFileW(daily.c_str());
  SetLastError(99);
  kvt::WriteSdkLog(kvt::kSdkWarning, 'W', ".\\Wine.cpp", 10, 0, L"not at this level");
  EXPECT_EQ(GetLastError(), 99u);
  kvt::WriteSdkLog(kvt::kSdkError, 'E', ".\\Wine.cpp", 12, 0x80070057, L"wine %ls", L"daily");
  EXPECT_EQ(GetLastError(), 0x80070057u);
  reset();
  const std::string text = ReadFileBytes(daily);
  const std::string banner = "KVT Thermal Printer Logfile\r\n";
  ASSERT_EQ(text.substr(0, banner.size()), banner) << text;
  // "[MM/DD hh:mm(ss.mmm)] " then the rest, byte for byte.
  const std::string record = text.substr(banner.size());
  const std::string rest = "[E] [0x80070057 : 0012] : wine daily\r\n";
  ASSERT_EQ(record.size(), 22 + rest.size()) << record;
  EXPECT_EQ(record.substr(22), rest);
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
  }
  auto again = files.OpenExclusive(a);
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(again->Append("def"));  // appends to what is there
  again.reset();
  std::string head;
  EXPECT_TRUE(files.ReadPrefix(a, 6, &head));
  EXPECT_EQ(head, "abcdef");
  files.OpenExclusive(b).reset();
  EXPECT_FALSE(files.Rename(a, b));  // never replaces
  EXPECT_EQ(files.List(folder, u"20*.LOG").size(), 2u);
  EXPECT_TRUE(files.Delete(a));
  EXPECT_TRUE(files.Delete(b));
  EXPECT_TRUE(files.GrantUsersFullAccess(folder));
}

}  // namespace
