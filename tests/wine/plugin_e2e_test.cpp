// The built KvtQvj2Ui.dll, loaded by path and driven through its two exports
// the way the print framework does, against wine's real spooler. The COM and
// record rules themselves are pinned by the native tests; here the exports,
// the module's lifetime and the spooler are what is real.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/framework_abi.h"
#include "platform/spooler.h"
#include "tests/wine/testbed.h"

namespace {

using kvt::abi::kClsidPlugin;
using kvt::abi::kIidClassFactory;
using kvt::abi::kIidPrintOemUI;
using kvt::abi::kIidUnknown;
using kvt::testbed::Printer;

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

constexpr std::size_t kRecordSize = 1552;

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

TEST_F(PluginTest, ObjectsAndLocksHoldTheModule) {
  IPrintOemUI* plugin = CreatePlugin();
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(can_unload_now_(), S_FALSE);
  EXPECT_EQ(plugin->Release(), 0u);
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
