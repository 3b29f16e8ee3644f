#include "tools/sheet_host/driver_plugin.h"

#include <winspool.h>

#include <cwctype>
#include <vector>

namespace kvt::tools {
namespace {

bool EndsWithIni(const std::wstring& path) {
  if (path.size() < 4) return false;
  std::wstring end = path.substr(path.size() - 4);
  for (wchar_t& c : end) c = static_cast<wchar_t>(std::towlower(c));
  return end == L".ini";
}

}  // namespace

std::wstring DriverPluginPath(HANDLE printer, std::wstring* error) {
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 3, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  if (needed == 0 || !GetPrinterDriverW(printer, nullptr, 3, buffer.data(), needed, &needed)) {
    *error = L"GetPrinterDriverW failed: " + std::to_wstring(GetLastError());
    return L"";
  }
  const auto* driver = reinterpret_cast<const DRIVER_INFO_3W*>(buffer.data());
  std::wstring ini;
  for (const wchar_t* file = driver->pDependentFiles; file != nullptr && *file != 0;
       file += wcslen(file) + 1) {
    if (EndsWithIni(file)) {
      ini = file;
      break;
    }
  }
  if (ini.empty()) {
    *error = L"driver \"" + std::wstring(driver->pName) + L"\" has no .ini among its files";
    return L"";
  }
  // The driver's files share one folder; the configuration module's path
  // names it when the dependent files come as bare names.
  std::wstring folder = ini.substr(0, ini.find_last_of(L'\\') + 1);
  if (folder.empty() && driver->pConfigFile != nullptr) {
    const std::wstring config = driver->pConfigFile;
    folder = config.substr(0, config.find_last_of(L'\\') + 1);
    ini = folder + ini;
  }
  wchar_t name[MAX_PATH] = {};
  GetPrivateProfileStringW(L"OEMFiles", L"OEMConfigFile1", L"", name, MAX_PATH, ini.c_str());
  if (name[0] == 0) {
    *error = ini + L" names no OEMConfigFile1";
    return L"";
  }
  return folder + name;
}

IPrintOemUI* CreatePlugin(HMODULE module) {
  using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  const auto get_class_object = reinterpret_cast<GetClassObjectFn>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  IClassFactory* factory = nullptr;
  if (get_class_object == nullptr ||
      get_class_object(::kvt::abi::kClsidPlugin, ::kvt::abi::kIidClassFactory,
                       reinterpret_cast<void**>(&factory)) != S_OK) {
    return nullptr;
  }
  IPrintOemUI* plugin = nullptr;
  if (factory->CreateInstance(nullptr, ::kvt::abi::kIidPrintOemUI,
                              reinterpret_cast<void**>(&plugin)) != S_OK) {
    plugin = nullptr;
  }
  factory->Release();
  return plugin;
}

IPrintOemUI* LoadPlugin(HANDLE printer, const std::wstring& path,
                        const std::function<void(const std::wstring&)>& print, HMODULE* module) {
  std::wstring why;
  const std::wstring plugin_path = path.empty() ? DriverPluginPath(printer, &why) : path;
  if (plugin_path.empty()) print(L"no plug-in: " + why);
  *module = plugin_path.empty() ? nullptr : LoadLibraryW(plugin_path.c_str());
  IPrintOemUI* plugin = *module != nullptr ? CreatePlugin(*module) : nullptr;
  if (plugin == nullptr) {
    print(L"cannot create the plug-in from " + plugin_path + L" (error " +
          std::to_wstring(GetLastError()) + L")");
    return nullptr;
  }
  print(L"plug-in: " + plugin_path);
  return plugin;
}

bool OpenPrinterAndPlugin(const std::wstring& printer_name, const std::wstring& path,
                          const std::function<void(const std::wstring&)>& print, HANDLE* printer,
                          HMODULE* module, IPrintOemUI** plugin) {
  print(L"printer: " + printer_name);
  *printer = nullptr;
  *plugin = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(printer_name.c_str()), printer, nullptr)) {
    print(L"OpenPrinterW failed: " + std::to_wstring(GetLastError()));
    *printer = nullptr;
    return false;
  }
  *plugin = LoadPlugin(*printer, path, print, module);
  if (*plugin == nullptr) {
    ClosePrinter(*printer);
    *printer = nullptr;
    return false;
  }
  return true;
}

}  // namespace kvt::tools
