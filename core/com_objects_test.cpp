// The COM entry, the class factory and the plug-in object, driven as the
// framework drives them: through the interfaces the module hands out.
#include <cstddef>
#include <cstdint>

#include <gtest/gtest.h>

#include "core/class_object.h"
#include "core/device_sheet_state.h"
#include "core/module_state.h"
#include "core/oem_cf.h"
#include "core/watermark_ui.h"
#include "platform/fake/fake_driver_ui.h"
#include "platform/framework_abi.h"
#include "platform/last_error.h"

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
};

TEST_F(ComObjects, GetClassObjectServesTheFactoryInterfacesOfThePluginClassOnly) {
  struct Case {
    const char* name;
    GUID clsid;
    GUID iid;
    HRESULT expected;
  } cases[] = {
      {"IClassFactory", kClsidPlugin, kIidClassFactory, S_OK},
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

// The pages and the Tools page address the state by field; keep its layout.
static_assert(offsetof(DeviceSheetState, hComPropSheet) == 0);
static_assert(offsetof(DeviceSheetState, hToolPage) == 8);
static_assert(offsetof(DeviceSheetState, pfnComPropSheet) == 16);
static_assert(offsetof(DeviceSheetState, pOemCuipParam) == 24);
static_assert(offsetof(DeviceSheetState, pDriverUI) == 32);

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
      {"signature, 3 bytes", 1, 3, true, true, E_FAIL, 4, ERROR_INSUFFICIENT_BUFFER, kUntouched},
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

TEST_F(ComObjects, ServerLocksKeepTheModuleLoaded) {
  IClassFactory* factory = NewFactory();
  EXPECT_EQ(factory->LockServer(1), S_OK);
  EXPECT_EQ(CanUnloadNow(), S_FALSE);
  EXPECT_EQ(factory->LockServer(0), S_OK);
  EXPECT_EQ(CanUnloadNow(), S_OK);

  factory->Release();
}

}  // namespace
}  // namespace kvt
