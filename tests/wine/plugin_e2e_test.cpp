// The built KvtQvj2Ui.dll, loaded by path and driven through its two exports
// the way the print framework does, against wine's real spooler. The COM and
// record rules themselves are pinned by the native tests (the merge by the
// driver name too); here the exports, the module's lifetime and the
// spooler's driver names are what is real.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
