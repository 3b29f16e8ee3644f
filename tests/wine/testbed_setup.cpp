// Registers the test bed's printers in the wine prefix (run by
// testbed_up.sh; run again, it installs the drivers afresh and keeps the
// printers): the drivers "KVT QV-J27", "kvt Qv-j27 Mixed" (a renamed
// driver) and "ACME LX-100" (another model) from the package's INF as
// Windows installs one, wineps.drv standing in for the universal driver;
// the printers "KVT QV-J27 Receipt" and "KVT Mixed Case" on the port file
// %KVT_RECEIPT_PORT%, "ACME LX-100 Label" on %KVT_OTHER_PORT%; and the
// package's roll-paper forms (which wine 8 answers TRUE for and drops).
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>
#include <utility>

#include "resources/form_names.h"
#include "tests/wine/inf_install.h"

namespace {

bool AddPrinter(const wchar_t* name, const wchar_t* driver, const std::wstring& port) {
  HANDLE existing = nullptr;
  if (OpenPrinterW(const_cast<wchar_t*>(name), &existing, nullptr)) {
    ClosePrinter(existing);
    return true;
  }
  PRINTER_INFO_2W info = {};
  info.pPrinterName = const_cast<wchar_t*>(name);
  info.pPortName = const_cast<wchar_t*>(port.c_str());
  info.pDriverName = const_cast<wchar_t*>(driver);
  info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
  info.pDatatype = const_cast<wchar_t*>(L"RAW");
  info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (printer == nullptr) {
    std::fwprintf(stderr, L"AddPrinterW(%ls) failed: %lu\n", name, GetLastError());
    return false;
  }
  ClosePrinter(printer);
  return true;
}

bool AddForm(const wchar_t* printer_name, const wchar_t* form_name, LONG width) {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(printer_name), &printer, nullptr)) return false;
  DWORD needed = 0;
  GetFormW(printer, const_cast<wchar_t*>(form_name), 1, nullptr, 0, &needed);
  bool ok = needed > 0;  // there already
  if (!ok) {
    FORM_INFO_1W form = {};
    form.Flags = FORM_PRINTER;
    form.pName = const_cast<wchar_t*>(form_name);
    form.Size = {width, KVT_FORM_ROLL_LENGTH};
    form.ImageableArea = {0, 0, width, KVT_FORM_ROLL_LENGTH};
    ok =
        AddFormW(printer, 1, reinterpret_cast<BYTE*>(&form)) || GetLastError() == ERROR_FILE_EXISTS;
    if (!ok) std::fwprintf(stderr, L"AddFormW(%ls) failed: %lu\n", form_name, GetLastError());
  }
  ClosePrinter(printer);
  return ok;
}

std::wstring Env(const wchar_t* name) {
  wchar_t value[1024];
  const DWORD length = GetEnvironmentVariableW(name, value, 1024);
  return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

// The version-only stand-ins for the package's modules this build does not
// make, copied from beside this program to where the Tools page looks:
// the printer driver's folder, the print processor folder and System32.
bool PlaceVersionStandIns() {
  wchar_t self[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring from(self, length);
  from.resize(from.find_last_of(L'\\') + 1);
  wchar_t folder[MAX_PATH];
  DWORD needed = 0;
  std::wstring driver;
  if (GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder),
                                 sizeof(folder), &needed)) {
    driver = std::wstring(folder) + L"\\3\\";
  }
  std::wstring processor;
  if (GetPrintProcessorDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder),
                                  sizeof(folder), &needed)) {
    processor = std::wstring(folder) + L"\\";
  }
  const UINT system_length = GetSystemDirectoryW(folder, MAX_PATH);
  const std::wstring system = std::wstring(folder, system_length) + L"\\";
  const std::pair<const wchar_t*, std::wstring> files[] = {{L"KvtQvj2Uni.dll", driver},
                                                           {L"KvtQvj2Pp.dll", processor},
                                                           {L"MXPQR_LM.dll", system},
                                                           {L"MXPQT_SDK.dll", system}};
  bool ok = true;
  for (const auto& [file, to] : files) {
    if (to.size() > 1 && CopyFileW((from + file).c_str(), (to + file).c_str(), FALSE)) continue;
    std::fwprintf(stderr, L"cannot place %ls in \"%ls\": %lu\n", file, to.c_str(), GetLastError());
    ok = false;
  }
  return ok;
}

}  // namespace

int wmain() {
  const std::wstring receipt_port = Env(L"KVT_RECEIPT_PORT");
  const std::wstring other_port = Env(L"KVT_OTHER_PORT");
  if (receipt_port.empty() || other_port.empty()) {
    std::fwprintf(stderr, L"KVT_RECEIPT_PORT and KVT_OTHER_PORT must be set\n");
    return 2;
  }
  const std::wstring package = Env(L"KVT_PACKAGE_DIR");
  kvt::testbed::InfInstall install;
  if (package.empty() ||
      !kvt::testbed::CopyModelFiles(package + L"\\KvtQvj2.inf", L"KVT QV-J27", &install)) {
    for (const std::wstring& error : install.errors) std::fwprintf(stderr, L"%ls\n", error.c_str());
    std::fwprintf(stderr, L"cannot install from the package in \"%ls\"\n", package.c_str());
    return 1;
  }
  bool ok = true;
  for (const wchar_t* driver : {L"KVT QV-J27", L"kvt Qv-j27 Mixed", L"ACME LX-100"}) {
    std::wstring error;
    if (ok && !kvt::testbed::AddDriverFromInf(install, driver, &error)) {
      std::fwprintf(stderr, L"%ls\n", error.c_str());
      ok = false;
    }
  }
  ok = ok && AddPrinter(L"KVT QV-J27 Receipt", L"KVT QV-J27", receipt_port) &&
       AddPrinter(L"KVT Mixed Case", L"kvt Qv-j27 Mixed", receipt_port) &&
       AddPrinter(L"ACME LX-100 Label", L"ACME LX-100", other_port);
  ok = ok && AddForm(L"KVT QV-J27 Receipt", L"" KVT_FORM_ROLL_80, KVT_FORM_ROLL_80_WIDTH) &&
       AddForm(L"KVT QV-J27 Receipt", L"" KVT_FORM_ROLL_58, KVT_FORM_ROLL_58_WIDTH);
  ok = ok && PlaceVersionStandIns();
  std::wprintf(ok ? L"test printers ready\n" : L"test printer set-up failed\n");
  return ok ? 0 : 1;
}
