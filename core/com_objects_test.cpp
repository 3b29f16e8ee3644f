// The COM entry, the class factory and the plug-in object, driven as the
// framework drives them: through the interfaces the module hands out.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

#include <gtest/gtest.h>

#include "core/class_object.h"
#include "core/device_sheet_state.h"
#include "core/module_state.h"
#include "core/oem_cf.h"
#include "core/watermark_ui.h"
#include "platform/fake/fake_driver_ui.h"
#include "platform/framework_abi.h"
#include "platform/last_error.h"

// Lets a test make the next nothrow allocation of this thread fail, to see
// how the module copes with a full heap. Every other allocation goes through
// the ordinary operator new, so sized and unsized deletes still match.
// ThreadSanitizer's runtime defines this operator itself and cannot share it.
#if defined(__SANITIZE_THREAD__)
#define KVT_CAN_FAIL_ALLOCATION 0
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define KVT_CAN_FAIL_ALLOCATION 0
#endif
#endif
#ifndef KVT_CAN_FAIL_ALLOCATION
#define KVT_CAN_FAIL_ALLOCATION 1
#endif

namespace {
thread_local bool g_fail_next_nothrow_new = false;
}  // namespace

#if KVT_CAN_FAIL_ALLOCATION
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (g_fail_next_nothrow_new) {
    g_fail_next_nothrow_new = false;
    return nullptr;
  }
  try {
    return ::operator new(size);
  } catch (...) {
    return nullptr;
  }
}
#endif

namespace kvt {
namespace {

using abi::kClsidPlugin;
using abi::kIidClassFactory;
using abi::kIidPrintOemUI;
using abi::kIidUnknown;

constexpr GUID kOtherGuid = {
    0x12345678, 0x9ABC, 0xDEF0, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};

// A pointer value no code may keep: out pointers are pre-filled with it to see
// that a refusal really writes null.
void* Junk() { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(0xBADC0DE0)); }

// Every test starts and must end with nothing alive and nothing locked: a
// leaked factory or object would keep the module loaded for good.
class ComObjects : public ::testing::Test {
 protected:
  void SetUp() override { ExpectNothingAlive(); }
  void TearDown() override { ExpectNothingAlive(); }

  static void ExpectNothingAlive() {
    EXPECT_EQ(IOemCF::AliveCount(), 0u);
    EXPECT_EQ(LiveObjectCount(), 0u);
    EXPECT_EQ(ServerLockCount(), 0);
    EXPECT_EQ(CanUnloadNow(), S_OK);
  }

  static IClassFactory* NewFactory() {
    void* factory = nullptr;
    EXPECT_EQ(GetClassObject(kClsidPlugin, kIidClassFactory, &factory), S_OK);
    return static_cast<IClassFactory*>(factory);
  }

  // A plug-in object as the framework gets it; the factory is gone again.
  static IPrintOemUI* NewPlugin() {
    IClassFactory* factory = NewFactory();
    void* object = nullptr;
    EXPECT_EQ(factory->CreateInstance(nullptr, kIidPrintOemUI, &object), S_OK);
    factory->Release();
    return static_cast<IPrintOemUI*>(object);
  }

  static IWaterMarkUI* Impl(IPrintOemUI* plugin) { return static_cast<IWaterMarkUI*>(plugin); }

  // The object's reference count without changing it.
  static ULONG RefCount(IUnknown* unknown) {
    unknown->AddRef();
    return unknown->Release();
  }
};

TEST_F(ComObjects, GetClassObjectServesTheFactoryInterfacesOfThePluginClassOnly) {
  struct Case {
    const char* name;
    GUID clsid;
    GUID iid;
    HRESULT expected;
  } cases[] = {
      {"IUnknown", kClsidPlugin, kIidUnknown, S_OK},
      {"IClassFactory", kClsidPlugin, kIidClassFactory, S_OK},
      {"plug-in interface from the factory", kClsidPlugin, kIidPrintOemUI, E_NOINTERFACE},
      {"other interface", kClsidPlugin, kOtherGuid, E_NOINTERFACE},
      {"other class", kOtherGuid, kIidClassFactory, CLASS_E_CLASSNOTAVAILABLE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    void* out = Junk();
    EXPECT_EQ(GetClassObject(c.clsid, c.iid, &out), c.expected);
    if (c.expected == S_OK) {
      ASSERT_NE(out, nullptr);
      EXPECT_EQ(IOemCF::AliveCount(), 1u);
      // The caller holds the only reference.
      EXPECT_EQ(static_cast<IUnknown*>(out)->Release(), 0u);
    } else {
      EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(IOemCF::AliveCount(), 0u);
    // A factory alone does not keep the module loaded.
    EXPECT_EQ(CanUnloadNow(), S_OK);
  }
  // A null out pointer is refused before the class is looked at.
  EXPECT_EQ(GetClassObject(kClsidPlugin, kIidClassFactory, nullptr), E_POINTER);
  EXPECT_EQ(GetClassObject(kOtherGuid, kIidClassFactory, nullptr), E_POINTER);
}

TEST_F(ComObjects, CreateInstanceRefusesWhatItCannotServeAndLeavesNoObject) {
  IClassFactory* factory = NewFactory();
  FakeDriverUI outer;
  struct Case {
    const char* name;
    IUnknown* outer;
    GUID iid;
    HRESULT expected;
  } cases[] = {
      {"aggregation", &outer, kIidUnknown, CLASS_E_NOAGGREGATION},
      {"factory interface", nullptr, kIidClassFactory, E_NOINTERFACE},
      {"other interface", nullptr, kOtherGuid, E_NOINTERFACE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    void* out = Junk();
    EXPECT_EQ(factory->CreateInstance(c.outer, c.iid, &out), c.expected);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(LiveObjectCount(), 0u);
  }
  EXPECT_EQ(outer.query_calls + outer.add_ref_calls + outer.release_calls, 0);
  EXPECT_EQ(factory->CreateInstance(nullptr, kIidPrintOemUI, nullptr), E_POINTER);
  EXPECT_EQ(LiveObjectCount(), 0u);
  EXPECT_EQ(factory->Release(), 0u);
}

TEST_F(ComObjects, AFullHeapIsReportedByTheFactoryAndItsMaker) {
  if (!KVT_CAN_FAIL_ALLOCATION) GTEST_SKIP() << "operator new cannot be replaced here";
  void* out = Junk();
  g_fail_next_nothrow_new = true;
  EXPECT_EQ(GetClassObject(kClsidPlugin, kIidClassFactory, &out), E_OUTOFMEMORY);
  EXPECT_EQ(out, nullptr);
  IClassFactory* factory = NewFactory();
  out = Junk();
  g_fail_next_nothrow_new = true;
  EXPECT_EQ(factory->CreateInstance(nullptr, kIidPrintOemUI, &out), E_OUTOFMEMORY);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(LiveObjectCount(), 0u);
  factory->Release();
}

TEST_F(ComObjects, ANewObjectHoldsOneReferenceAndAFreshSheetState) {
  IClassFactory* factory = NewFactory();
  void* out = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, kIidUnknown, &out), S_OK);
  factory->Release();
  IPrintOemUI* plugin = static_cast<IPrintOemUI*>(out);
  EXPECT_EQ(LiveObjectCount(), 1u);
  EXPECT_EQ(CanUnloadNow(), S_FALSE);
  EXPECT_EQ(RefCount(plugin), 1u);
  const DeviceSheetState& state = Impl(plugin)->device_sheet_state();
  const HANDLE minus_one = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));
  EXPECT_EQ(state.hComPropSheet, minus_one);
  EXPECT_EQ(state.hToolPage, minus_one);
  EXPECT_EQ(Impl(plugin)->driver_ui(), nullptr);
  EXPECT_EQ(plugin->Release(), 0u);
}

// The pages and the Tools page address the state by field; keep its layout.
static_assert(offsetof(DeviceSheetState, hComPropSheet) == 0);
static_assert(offsetof(DeviceSheetState, hToolPage) == 8);
static_assert(offsetof(DeviceSheetState, pfnComPropSheet) == 16);
static_assert(offsetof(DeviceSheetState, pOemCuipParam) == 24);
static_assert(offsetof(DeviceSheetState, pDriverUI) == 32);

TEST_F(ComObjects, QueryInterfaceServesOneIdentityAndRefusesWithNull) {
  IPrintOemUI* plugin = NewPlugin();
  IClassFactory* factory = NewFactory();

  struct Case {
    const char* name;
    IUnknown* object;
    GUID iid;
    bool served;
  } cases[] = {
      {"object: IUnknown", plugin, kIidUnknown, true},
      {"object: IPrintOemUI", plugin, kIidPrintOemUI, true},
      {"object: IClassFactory", plugin, kIidClassFactory, false},
      {"factory: IClassFactory", factory, kIidClassFactory, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    void* out = Junk();
    const HRESULT result = c.object->QueryInterface(c.iid, &out);
    if (c.served) {
      EXPECT_EQ(result, S_OK);
      EXPECT_EQ(out, c.object);
      EXPECT_EQ(RefCount(c.object), 2u);
      static_cast<IUnknown*>(out)->Release();
    } else {
      EXPECT_EQ(result, E_NOINTERFACE);
      EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(RefCount(c.object), 1u);
    EXPECT_EQ(c.object->QueryInterface(c.iid, nullptr), E_POINTER);
    EXPECT_EQ(RefCount(c.object), 1u);
  }
  EXPECT_EQ(factory->Release(), 0u);
  EXPECT_EQ(plugin->Release(), 0u);
}

// The first interface that answers the query is kept: a refusing or missing
// one leaves none and may be followed by a good one; later ones are not even
// asked. Only the object's last release drops it, exactly once.
TEST_F(ComObjects, PublishDriverInterfaceKeepsTheFirstGoodOneUntilTheLastRelease) {
  FakeDriverUI refusing;
  refusing.refuse_queries = true;
  FakeDriverUI first;
  FakeDriverUI second;
  IPrintOemUI* plugin = NewPlugin();

  EXPECT_EQ(plugin->PublishDriverInterface(&refusing), E_FAIL);
  EXPECT_EQ(plugin->PublishDriverInterface(nullptr), E_FAIL);
  EXPECT_EQ(Impl(plugin)->driver_ui(), nullptr);
  EXPECT_EQ(plugin->PublishDriverInterface(&first), S_OK);
  EXPECT_EQ(plugin->PublishDriverInterface(&second), S_OK);
  EXPECT_EQ(Impl(plugin)->driver_ui(), &first);
  EXPECT_EQ(first.query_calls, 1);
  EXPECT_EQ(first.refs, 2u);
  EXPECT_EQ(second.query_calls + second.add_ref_calls + second.release_calls, 0);

  plugin->AddRef();
  EXPECT_EQ(plugin->Release(), 1u);
  EXPECT_EQ(first.release_calls, 0);
  EXPECT_EQ(plugin->Release(), 0u);
  EXPECT_EQ(first.release_calls, 1);
  EXPECT_EQ(first.refs, 1u);
  EXPECT_EQ(refusing.refs, 1u);
}

TEST_F(ComObjects, GetInfoGivesSignatureAndVersionOnly) {
  constexpr DWORD kUntouched = 0xA5A5A5A5;
  constexpr DWORD kPriorError = 12345;
  constexpr DWORD kSignature = 0x4B565455;  // "UTVK" read little-endian
  struct Case {
    const char* name;
    DWORD mode;
    DWORD size;
    bool buffer;
    bool needed;
    HRESULT result;
    DWORD needed_after;
    DWORD error;  // the thread's last error afterwards
    DWORD value;  // the buffer afterwards
  } cases[] = {
      {"signature", 1, 4, true, true, S_OK, 4, kPriorError, kSignature},
      {"version, larger buffer", 3, 16, true, true, S_OK, 4, kPriorError, 4},
      {"publisher", 4, 64, true, true, E_FAIL, 0, ERROR_NOT_SUPPORTED, kUntouched},
      {"publisher, small buffer", 4, 3, true, true, E_FAIL, 4, ERROR_INSUFFICIENT_BUFFER,
       kUntouched},
      {"interface version", 2, 4, true, true, E_FAIL, kUntouched, ERROR_INVALID_PARAMETER,
       kUntouched},
      {"signature, 3 bytes", 1, 3, true, true, E_FAIL, 4, ERROR_INSUFFICIENT_BUFFER, kUntouched},
      {"signature, null buffer", 1, 4, false, true, E_FAIL, 4, ERROR_INSUFFICIENT_BUFFER,
       kUntouched},
      {"signature, null needed size", 1, 4, true, false, E_FAIL, kUntouched,
       ERROR_INVALID_PARAMETER, kUntouched},
  };
  IPrintOemUI* plugin = NewPlugin();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DWORD buffer[16];
    for (DWORD& word : buffer) word = kUntouched;
    DWORD needed = kUntouched;
    SetThreadLastError(kPriorError);
    EXPECT_EQ(
        plugin->GetInfo(c.mode, c.buffer ? buffer : nullptr, c.size, c.needed ? &needed : nullptr),
        c.result);
    EXPECT_EQ(needed, c.needed_after);
    EXPECT_EQ(GetThreadLastError(), c.error);
    EXPECT_EQ(buffer[0], c.value);
    EXPECT_EQ(buffer[1], kUntouched);
  }
  plugin->Release();
}

TEST_F(ComObjects, CommonUIPropRecordsTheBlockEvenWhenItRefusesTheMode) {
  IPrintOemUI* plugin = NewPlugin();
  for (DWORD mode : {0u, 3u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(mode);
    OEMCUIPPARAM block{};
    SetThreadLastError(0);
    EXPECT_EQ(plugin->CommonUIProp(mode, &block), E_FAIL);
    EXPECT_EQ(GetThreadLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Impl(plugin)->device_sheet_state().pOemCuipParam, &block);
  }
  EXPECT_EQ(plugin->CommonUIProp(3, nullptr), E_FAIL);
  EXPECT_EQ(Impl(plugin)->device_sheet_state().pOemCuipParam, nullptr);
  plugin->Release();
}

TEST_F(ComObjects, DevicePropertySheetsHandsTheDriverInterfaceToTheSheetState) {
  FakeDriverUI driver;
  IPrintOemUI* plugin = NewPlugin();
  ASSERT_EQ(plugin->PublishDriverInterface(&driver), S_OK);
  EXPECT_EQ(Impl(plugin)->device_sheet_state().pDriverUI, nullptr);

  // The icon request asks the sheet for nothing it must build.
  PROPSHEETUI_INFO info{};
  info.cbSize = sizeof info;
  info.Version = PROPSHEETUI_INFO_VERSION;
  info.Reason = PROPSHEETUI_REASON_GET_ICON;
  plugin->DevicePropertySheets(&info, 0);
  EXPECT_EQ(Impl(plugin)->device_sheet_state().pDriverUI, &driver);
  // A copy, not a reference of its own.
  EXPECT_EQ(driver.refs, 2u);
  plugin->Release();
  EXPECT_EQ(driver.refs, 1u);
}

TEST_F(ComObjects, ServerLocksKeepTheModuleLoaded) {
  IClassFactory* factory = NewFactory();
  EXPECT_EQ(factory->LockServer(1), S_OK);
  EXPECT_EQ(CanUnloadNow(), S_FALSE);
  EXPECT_EQ(factory->LockServer(0), S_OK);
  EXPECT_EQ(CanUnloadNow(), S_OK);

  // Any non-zero flag takes a lock.
  EXPECT_EQ(factory->LockServer(2), S_OK);
  EXPECT_EQ(ServerLockCount(), 1);
  factory->LockServer(0);

  factory->Release();
}

}  // namespace
}  // namespace kvt
