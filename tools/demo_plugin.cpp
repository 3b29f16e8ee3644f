// Demo: the real KvtQvj2Ui.dll, created through its class factory the way
// the print framework does, showing what it reports, its default record and
// what its merge corrects in a record full of bad values.
//
//   demo_plugin.exe [printer name]     (default "KVT QV-J27 Receipt")
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/framework_abi.h"
#include "tools/record_fields.h"

namespace {

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
constexpr DWORD kRecordSize = 1552;

std::wstring PluginPath() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  folder.resize(folder.find_last_of(L"\\/") + 1);
  return folder + L"KvtQvj2Ui.dll";
}

HRESULT RunDevMode(IPrintOemUI* plugin, DWORD mode, HANDLE printer, std::vector<BYTE>* in,
                   std::vector<BYTE>* out) {
  OEMDMPARAM param = {};
  param.cbSize = sizeof param;
  param.hPrinter = printer;
  param.pOEMDMIn = in ? in->data() : nullptr;
  param.pOEMDMOut = out ? out->data() : nullptr;
  param.cbBufSize = kRecordSize;
  return plugin->DevMode(mode, &param);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const wchar_t* printer_name = argc > 1 ? argv[1] : L"KVT QV-J27 Receipt";
  const std::wstring path = PluginPath();
  HMODULE module = LoadLibraryW(path.c_str());
  if (module == nullptr) {
    std::wprintf(L"cannot load %ls (error %lu)\n", path.c_str(), GetLastError());
    return 1;
  }
  auto get_class_object =
      reinterpret_cast<GetClassObjectFn>(
          reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  IClassFactory* factory = nullptr;
  IPrintOemUI* plugin = nullptr;
  if (get_class_object == nullptr ||
      get_class_object(kvt::abi::kClsidPlugin, kvt::abi::kIidClassFactory,
                       reinterpret_cast<void**>(&factory)) != S_OK ||
      factory->CreateInstance(nullptr, kvt::abi::kIidPrintOemUI,
                              reinterpret_cast<void**>(&plugin)) != S_OK) {
    std::wprintf(L"the plug-in's class factory did not create the plug-in\n");
    return 1;
  }
  factory->Release();
  std::wprintf(L"Loaded %ls\n\n", path.c_str());

  DWORD value = 0;
  DWORD needed = 0;
  if (plugin->GetInfo(kvt::abi::OEMGI_GETSIGNATURE, &value, sizeof value, &needed) == S_OK) {
    std::wprintf(L"GetInfo signature: 0x%08lX \"%.4hs\"\n", value,
                 reinterpret_cast<const char*>(&value));
  }
  if (plugin->GetInfo(kvt::abi::OEMGI_GETVERSION, &value, sizeof value, &needed) == S_OK) {
    std::wprintf(L"GetInfo version:   %lu\n", value);
  }
  const HRESULT publisher =
      plugin->GetInfo(kvt::abi::OEMGI_GETPUBLISHERINFO, &value, sizeof value, &needed);
  std::wprintf(L"GetInfo publisher: 0x%08lX, last error %lu\n", static_cast<unsigned long>(publisher),
               GetLastError());
  OEMDMPARAM size_param = {};
  size_param.cbSize = sizeof size_param;
  plugin->DevMode(kvt::abi::OEMDM_SIZE, &size_param);
  std::wprintf(L"DevMode size:      %lu bytes\n\n", size_param.cbBufSize);

  std::vector<BYTE> defaults(kRecordSize, 0);
  RunDevMode(plugin, kvt::abi::OEMDM_DEFAULT, nullptr, nullptr, &defaults);
  std::wprintf(L"Default record, field by field:\n");
  for (const auto& field : kvt::tools::RecordFields()) {
    std::wprintf(L"  %-36hs %hs\n", field.name.c_str(),
                 kvt::tools::FieldValue(field, defaults.data()).c_str());
  }

  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(printer_name), &printer, nullptr)) printer = nullptr;
  std::vector<BYTE> bad = defaults;
  std::memset(bad.data() + 12, 0xEE, 892 - 12);  // every checked field out of range
  std::vector<BYTE> merged = defaults;
  RunDevMode(plugin, kvt::abi::OEMDM_MERGE, printer, &bad, &merged);
  std::wprintf(L"\nMerge on \"%ls\" of a record whose fields 12..891 all hold 0xEE:\n",
               printer_name);
  int corrected = 0;
  int kept = 0;
  for (const auto& field : kvt::tools::RecordFields()) {
    const std::string before = kvt::tools::FieldValue(field, bad.data());
    const std::string after = kvt::tools::FieldValue(field, merged.data());
    if (before == after) {
      ++kept;
      continue;
    }
    ++corrected;
    std::wprintf(L"  %-36hs %hs -> %hs\n", field.name.c_str(), before.c_str(), after.c_str());
  }
  std::wprintf(L"%d fields corrected, %d left as they were (never checked or already valid)\n",
               corrected, kept);
  if (printer != nullptr) ClosePrinter(printer);
  plugin->Release();
  return 0;
}
