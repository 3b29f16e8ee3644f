// The built KvtQvj2Ui.dll, loaded by path and driven through its two exports
// the way the print framework does, against wine's real spooler.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/fake/fake_driver_ui.h"
#include "platform/framework_abi.h"
#include "platform/spooler.h"
#include "tests/wine/testbed.h"

namespace {

using kvt::abi::kClsidPlugin;
using kvt::abi::kIidClassFactory;
using kvt::abi::kIidPrintOemDriverUI;
using kvt::abi::kIidPrintOemUI;
using kvt::abi::kIidUnknown;
using kvt::testbed::Printer;

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

constexpr std::size_t kRecordSize = 1552;
constexpr std::uint32_t kSignature = 0x4B565455;  // "UTVK"

std::uint32_t U32(const std::vector<std::uint8_t>& record, std::size_t offset) {
  std::uint32_t value;
  std::memcpy(&value, record.data() + offset, sizeof value);
  return value;
}

class PluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring path = kvt::testbed::BesideThisProgram(L"KvtQvj2Ui.dll");
    module_ = LoadLibraryW(path.c_str());
    ASSERT_NE(module_, nullptr) << "LoadLibraryW failed: " << GetLastError();
    get_class_object_ = reinterpret_cast<GetClassObjectFn>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    can_unload_now_ = reinterpret_cast<CanUnloadNowFn>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow")));
    ASSERT_NE(get_class_object_, nullptr);
    ASSERT_NE(can_unload_now_, nullptr);
  }

  void TearDown() override {
    if (module_ != nullptr) {
      EXPECT_EQ(can_unload_now_(), S_OK) << "a test left an object or a lock alive";
      FreeLibrary(module_);
    }
  }

  IClassFactory* Factory() {
    void* factory = nullptr;
    EXPECT_EQ(get_class_object_(kClsidPlugin, kIidClassFactory, &factory), S_OK);
    return static_cast<IClassFactory*>(factory);
  }

  IPrintOemUI* CreatePlugin() {
    IClassFactory* factory = Factory();
    if (factory == nullptr) return nullptr;
    void* object = nullptr;
    EXPECT_EQ(factory->CreateInstance(nullptr, kIidPrintOemUI, &object), S_OK);
    factory->Release();
    return static_cast<IPrintOemUI*>(object);
  }

  HMODULE module_ = nullptr;
  GetClassObjectFn get_class_object_ = nullptr;
  CanUnloadNowFn can_unload_now_ = nullptr;
};

TEST_F(PluginTest, ClassObjectRequests) {
  EXPECT_EQ(get_class_object_(kClsidPlugin, kIidClassFactory, nullptr), E_POINTER);

  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(get_class_object_(kIidPrintOemUI, kIidClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(out, nullptr);

  out = reinterpret_cast<void*>(1);
  EXPECT_EQ(get_class_object_(kClsidPlugin, kIidPrintOemUI, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(can_unload_now_(), S_OK);

  EXPECT_EQ(get_class_object_(kClsidPlugin, kIidUnknown, &out), S_OK);
  ASSERT_NE(out, nullptr);
  static_cast<IUnknown*>(out)->Release();
}

TEST_F(PluginTest, FactoryCreatesOnlyTheServedInterfaces) {
  IClassFactory* factory = Factory();
  ASSERT_NE(factory, nullptr);

  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->CreateInstance(nullptr, kIidClassFactory, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);

  kvt::FakeDriverUI outer;
  EXPECT_EQ(factory->CreateInstance(&outer, kIidPrintOemUI, &object), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(factory->CreateInstance(nullptr, kIidPrintOemUI, nullptr), E_POINTER);

  EXPECT_EQ(factory->CreateInstance(nullptr, kIidUnknown, &object), S_OK);
  ASSERT_NE(object, nullptr);
  auto* unknown = static_cast<IUnknown*>(object);
  void* oem = nullptr;
  EXPECT_EQ(unknown->QueryInterface(kIidPrintOemUI, &oem), S_OK);
  EXPECT_EQ(oem, object);
  void* refused = reinterpret_cast<void*>(1);
  EXPECT_EQ(unknown->QueryInterface(kIidPrintOemDriverUI, &refused), E_NOINTERFACE);
  EXPECT_EQ(refused, nullptr);
  EXPECT_EQ(can_unload_now_(), S_FALSE);
  static_cast<IUnknown*>(oem)->Release();
  EXPECT_EQ(unknown->Release(), 0u);
  factory->Release();
}

TEST_F(PluginTest, LockServerHoldsTheModule) {
  IClassFactory* factory = Factory();
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  factory->Release();
  EXPECT_EQ(can_unload_now_(), S_FALSE);
  factory = Factory();
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  factory->Release();
  EXPECT_EQ(can_unload_now_(), S_OK);
}

TEST_F(PluginTest, DriverInterfaceIsHeldUntilTheLastRelease) {
  IPrintOemUI* plugin = CreatePlugin();
  ASSERT_NE(plugin, nullptr);
  kvt::FakeDriverUI driver_ui;
  EXPECT_EQ(plugin->PublishDriverInterface(&driver_ui), S_OK);
  EXPECT_EQ(driver_ui.refs, 2u);
  EXPECT_EQ(plugin->PublishDriverInterface(&driver_ui), S_OK);
  EXPECT_EQ(driver_ui.query_calls, 1);
  EXPECT_EQ(driver_ui.refs, 2u);
  EXPECT_EQ(plugin->Release(), 0u);
  EXPECT_EQ(driver_ui.refs, 1u);
}

TEST_F(PluginTest, GetInfo) {
  IPrintOemUI* plugin = CreatePlugin();
  ASSERT_NE(plugin, nullptr);
  DWORD value = 0;
  DWORD needed = 0;
  EXPECT_EQ(plugin->GetInfo(kvt::abi::OEMGI_GETSIGNATURE, &value, sizeof value, &needed), S_OK);
  EXPECT_EQ(value, kSignature);
  EXPECT_EQ(needed, 4u);
  EXPECT_EQ(plugin->GetInfo(kvt::abi::OEMGI_GETVERSION, &value, sizeof value, &needed), S_OK);
  EXPECT_EQ(value, 4u);

  needed = 77;
  EXPECT_EQ(plugin->GetInfo(kvt::abi::OEMGI_GETINTERFACEVERSION, &value, 4, &needed), E_FAIL);
  EXPECT_EQ(GetLastError(), 87u);
  EXPECT_EQ(needed, 77u);
  EXPECT_EQ(plugin->GetInfo(kvt::abi::OEMGI_GETSIGNATURE, &value, 3, &needed), E_FAIL);
  EXPECT_EQ(GetLastError(), 122u);
  EXPECT_EQ(needed, 4u);
  DWORD big[16];
  EXPECT_EQ(plugin->GetInfo(kvt::abi::OEMGI_GETPUBLISHERINFO, big, sizeof big, &needed), E_FAIL);
  EXPECT_EQ(GetLastError(), 50u);
  EXPECT_EQ(needed, 0u);
  plugin->Release();
}

class DevModeTest : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    plugin_ = CreatePlugin();
    ASSERT_NE(plugin_, nullptr);
  }
  void TearDown() override {
    if (plugin_ != nullptr) plugin_->Release();
    PluginTest::TearDown();
  }

  HRESULT Run(DWORD mode, std::vector<std::uint8_t>* in, std::vector<std::uint8_t>* out,
              HANDLE printer = nullptr) {
    OEMDMPARAM param = {};
    param.cbSize = sizeof param;
    param.hPrinter = printer;
    param.pOEMDMIn = in != nullptr ? in->data() : nullptr;
    param.pOEMDMOut = out != nullptr ? out->data() : nullptr;
    param.cbBufSize = kRecordSize;
    return plugin_->DevMode(mode, &param);
  }

  std::vector<std::uint8_t> Defaults() {
    std::vector<std::uint8_t> record(kRecordSize, 0);
    EXPECT_EQ(Run(kvt::abi::OEMDM_DEFAULT, nullptr, &record), S_OK);
    return record;
  }

  IPrintOemUI* plugin_ = nullptr;
};

TEST_F(DevModeTest, SizeAndDefaults) {
  OEMDMPARAM param = {};
  param.cbSize = sizeof param;
  EXPECT_EQ(plugin_->DevMode(kvt::abi::OEMDM_SIZE, &param), S_OK);
  EXPECT_EQ(param.cbBufSize, kRecordSize);

  const std::vector<std::uint8_t> record = Defaults();
  EXPECT_EQ(U32(record, 0), kRecordSize);
  EXPECT_EQ(U32(record, 4), kSignature);
  EXPECT_EQ(U32(record, 8), 4u);
  EXPECT_EQ(record[13], 6);      // byPreset: User Setting
  EXPECT_EQ(record[16], 100);    // byDensity
  EXPECT_EQ(record[32 + 6], 1);  // the print-start group opens drawer 1
}

TEST_F(DevModeTest, ConvertCopiesTheShorterRecord) {
  std::vector<std::uint8_t> in = Defaults();
  std::vector<std::uint8_t> out = Defaults();
  std::memset(in.data() + 12, 0x11, kRecordSize - 12);
  const std::uint32_t short_size = 900;
  const std::uint32_t old_version = 3;
  std::memcpy(in.data(), &short_size, 4);
  std::memcpy(in.data() + 8, &old_version, 4);
  std::memset(out.data() + 900, 0x22, kRecordSize - 900);

  EXPECT_EQ(Run(kvt::abi::OEMDM_CONVERT, &in, &out), S_OK);
  EXPECT_EQ(U32(out, 0), kRecordSize);
  EXPECT_EQ(U32(out, 8), 4u);
  EXPECT_EQ(out[899], 0x11);
  EXPECT_EQ(out[900], 0x22);
}

TEST_F(DevModeTest, RefusesUnknownCodesAndMissingBlocks) {
  std::vector<std::uint8_t> record = Defaults();
  SetLastError(0);
  EXPECT_EQ(Run(5, &record, &record), E_FAIL);
  EXPECT_EQ(GetLastError(), 87u);
  SetLastError(0);
  EXPECT_EQ(plugin_->DevMode(kvt::abi::OEMDM_SIZE, nullptr), E_FAIL);
  EXPECT_EQ(GetLastError(), 87u);
}

// The spooler reports each test printer's driver name at level 2.
TEST(SpoolerTest, ReadsTheDriverNameAtLevel2) {
  struct Case {
    const wchar_t* printer;
    std::u16string driver;
  } cases[] = {
      {kvt::testbed::kReceiptPrinter, u"KVT QV-J27"},
      {kvt::testbed::kMixedCasePrinter, u"kvt Qv-j27 Mixed"},
      {kvt::testbed::kOtherModelPrinter, u"ACME LX-100"},
  };
  for (const Case& c : cases) {
    Printer printer(c.printer);
    ASSERT_NE(printer.get(), nullptr) << "test printer missing";
    std::u16string name;
    EXPECT_EQ(kvt::Service<kvt::Spooler>().GetPrinterDriverName(printer.get(), &name),
              kvt::Spooler::DriverNameStatus::kOk);
    EXPECT_EQ(name, c.driver);
  }
}

// Merge against each test printer: the receipt model's lists apply to the
// model's own driver in any case, and the first model's lists to others.
TEST_F(DevModeTest, MergeCorrectsBadFieldsOnEveryPrinter) {
  for (const wchar_t* name : {kvt::testbed::kReceiptPrinter, kvt::testbed::kMixedCasePrinter,
                              kvt::testbed::kOtherModelPrinter}) {
    Printer printer(name);
    ASSERT_NE(printer.get(), nullptr);
    std::vector<std::uint8_t> in = Defaults();
    in[12] = 6;   // byHeadDrive: listed but not enabled
    in[13] = 7;   // byPreset: not listed
    in[16] = 69;  // byDensity: below range
    in[18] = 1;   // byDirection: not a direction
    in[20] = 3;   // byReduction: allowed, stays
    std::vector<std::uint8_t> out = Defaults();
    EXPECT_EQ(Run(kvt::abi::OEMDM_MERGE, &in, &out, printer.get()), S_OK);
    EXPECT_EQ(out[12], 0);
    EXPECT_EQ(out[13], 6);
    EXPECT_EQ(out[16], 100);
    EXPECT_EQ(out[18], 0);
    EXPECT_EQ(out[20], 3);
  }
}

}  // namespace
