// What the wine tests share: where the plug-in is, the test printers and
// their port files (see testbed_setup.cpp).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/framework_abi.h"

namespace kvt::testbed {

inline constexpr const wchar_t* kReceiptPrinter = L"KVT QV-J27 Receipt";
inline constexpr const wchar_t* kMixedCasePrinter = L"KVT Mixed Case";
inline constexpr const wchar_t* kOtherModelPrinter = L"ACME LX-100 Label";

// An environment variable, empty when unset.
std::wstring Env(const wchar_t* name);

// Full path of a file next to the running test program (the plug-in and the
// test programs share one output folder).
std::wstring BesideThisProgram(const wchar_t* file_name);

// One run of sheet_host.exe: whether it ended in time, its exit code, and
// its report (standard output and error) line by line.
struct HostRun {
  bool finished = false;
  DWORD exit_code = 0;
  std::vector<std::string> lines;
  // Every line that starts with |prefix|, without it.
  std::vector<std::string> All(const std::string& prefix) const;
  // The first of them; "(missing)" when there is none.
  std::string Value(const std::string& prefix) const;
  // The whole report, for a failure's message.
  std::string Report() const;
};

// Runs sheet_host.exe (beside the test program) with |arguments|, reading
// its output while it runs so that a full pipe never stops it; past
// |timeout_ms| it is terminated (exit code 99) and |finished| stays false.
HostRun RunSheetHost(const std::wstring& arguments, DWORD timeout_ms = 90000);

// The same for another program beside the test program (kvt-record.exe).
HostRun RunBesideThisProgram(const wchar_t* program, const std::wstring& arguments,
                             DWORD timeout_ms = 90000);

// A run of the sheet host that drives a page, and what it left behind: the
// bytes the receipt printer received (its port file deleted before) and
// the private record of the document saved on OK (--save-devmode).
struct PageRun : HostRun {
  std::string port;
  std::string record;
};
PageRun RunPage(const std::wstring& arguments);

// A plug-in object made through the exports of the KvtQvj2Ui.dll beside
// the test program, as the framework makes it; null when that fails.
IPrintOemUI* CreatePlugin();

// The block the framework hands CommonUIProp for a printer's properties:
// one item of its own and room for the plug-in's one item.
struct DeviceItemsBlock {
  DeviceItemsBlock(HANDLE printer, const wchar_t* printer_name) : name(printer_name) {
    block.cbSize = sizeof block;
    block.hPrinter = printer;
    block.pPrinterName = name.data();
    block.pDrvOptItems = &framework_item;
    block.cDrvOptItems = 1;
    block.pOEMOptItems = &item;
    block.cOEMOptItems = 1;
  }
  DeviceItemsBlock(const DeviceItemsBlock&) = delete;
  DeviceItemsBlock& operator=(const DeviceItemsBlock&) = delete;

  std::wstring name;
  OPTITEM framework_item = {};
  OPTITEM item = {};
  OEMCUIPPARAM block = {};
};

// The port file of the receipt printer, where raw jobs land.
std::wstring ReceiptPortFile();

// Reads a whole file; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);

// System32, and the folder of the daily logs (KVT\Logs under the common
// application data).
std::wstring SystemFolder();
std::wstring LogFolder();

// |text| in lower case, for paths.
std::wstring Lower(std::wstring text);

// |name| in the temporary folder.
std::wstring TempPath(const std::wstring& name);

// Where a test leaves pictures for a person to look at: KVT_ARTIFACT_DIR
// (else a folder in the temporary folder), then "en" or "ja" after the UI
// language when |per_language|, then |sub|. Made when missing.
std::wstring ArtifactFolder(const std::wstring& sub, bool per_language = false);

// The private record of a device mode saved by the sheet host
// (--save-devmode): the bytes behind the public part, whose size dmSize
// (offset 68) gives; empty when the file is shorter than that.
std::string SavedRecord(const std::wstring& path);

// UTF-8 of a wide text, for messages and comparisons with the host's report.
std::string Utf8(const std::wstring& text);

// An open printer handle, closed at the end of the scope.
class Printer {
 public:
  explicit Printer(const wchar_t* name);
  ~Printer();
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace kvt::testbed
