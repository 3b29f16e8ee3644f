// The built KvtQvj2Ui.dll, loaded by path and driven through its two exports
// the way the print framework does, against wine's real spooler. The COM and
// record rules themselves are pinned by the native tests (the class object's
// answers, the locks, the merge by the driver name); here the exports, the
// module's lifetime and the spooler's driver names are what is real.
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

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

// An object or a server lock keeps the module loaded; once both are gone
// the module may go, and goes.
TEST(Plugin, ObjectsAndLocksHoldTheModule) {
  HMODULE module = LoadLibraryW(kvt::testbed::BesideThisProgram(L"KvtQvj2Ui.dll").c_str());
  ASSERT_NE(module, nullptr) << GetLastError();
  const auto get_class_object = reinterpret_cast<GetClassObjectFn>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  const auto can_unload_now = reinterpret_cast<CanUnloadNowFn>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
  ASSERT_NE(get_class_object, nullptr);
  ASSERT_NE(can_unload_now, nullptr);
  EXPECT_EQ(can_unload_now(), S_OK);

  IClassFactory* factory = nullptr;
  ASSERT_EQ(get_class_object(kClsidPlugin, kIidClassFactory, reinterpret_cast<void**>(&factory)),
            S_OK);
  IPrintOemUI* plugin = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, kIidPrintOemUI, reinterpret_cast<void**>(&plugin)),
            S_OK);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  factory->Release();
  EXPECT_EQ(can_unload_now(), S_FALSE);
  EXPECT_EQ(plugin->Release(), 0u);
  EXPECT_EQ(can_unload_now(), S_FALSE);  // the lock
  ASSERT_EQ(get_class_object(kClsidPlugin, kIidClassFactory, reinterpret_cast<void**>(&factory)),
            S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  factory->Release();
  EXPECT_EQ(can_unload_now(), S_OK);
  EXPECT_TRUE(FreeLibrary(module));
}

// The spooler reports each test printer's driver name at level 2.
TEST(Spooler, ReadsTheDriverNameAtLevel2) {
  const std::pair<const wchar_t*, std::u16string> cases[] = {
      {kvt::testbed::kReceiptPrinter, u"KVT QV-J27"},
      {kvt::testbed::kMixedCasePrinter, u"kvt Qv-j27 Mixed"},
      {kvt::testbed::kOtherModelPrinter, u"ACME LX-100"},
  };
  for (const auto& [name, driver] : cases) {
    kvt::testbed::Printer printer(name);
    ASSERT_NE(printer.get(), nullptr) << "test printer missing";
    std::u16string found;
    EXPECT_EQ(kvt::Service<kvt::Spooler>().GetPrinterDriverName(printer.get(), &found),
              kvt::Spooler::DriverNameStatus::kOk);
    EXPECT_EQ(found, driver);
  }
}

}  // namespace
