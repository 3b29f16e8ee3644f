// The printer's properties, as the universal driver opens them: the plug-in
// created through its exports, CommonUIProp for the printer's tree
// (OEMCUIP_PRNPROP; wine shows no tree, so its items are only counted),
// then the sheet on the platform's CommonPropertySheetUIW with the
// plug-in's DevicePropertySheets added. The plug-in first brings the
// printer's stored defaults up to the driver's version, then adds its Tools
// page.
//
//   sheet_host.exe --device [options] [printer name]
//     --screenshots DIR   a PNG of the sheet (page1.png) into DIR
//     --press ok|cancel   once the page has been shown, press this button
//     --answer ok|cancel  answer every message box with this button
//     --read ID           before pressing, print control ID of the Tools
//                         dialog: "read ID: TEXT (enabled|disabled)"
//     --click ID          then click button ID of the Tools dialog (BM_CLICK)
//     --timeout SECONDS   cancel the sheet when still open after this long
//     --tour DIR [--layout]  the tour's pictures of its pages into DIR, as
//                         for the printing preferences (tour_steps.h)
//     --plugin PATH       the plug-in to load instead of the driver's
#include "tools/sheet_host/printer_properties.h"

#include <windows.h>

#include <prsht.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework_abi.h"
#include "platform/wide_text.h"
#include "tools/sheet_host/document_sheet.h"
#include "tools/sheet_host/driver_plugin.h"
#include "tools/sheet_host/driver_ui.h"
#include "tools/sheet_host/sheet_script.h"
#include "tools/sheet_host/tour_steps.h"
#include "tools/sheet_host/window_automation.h"

namespace kvt::tools {
namespace {

void Print(const std::wstring& line) {
  const std::string utf8 = Utf16ToUtf8(WideToUtf16(line + L"\n"));
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written,
            nullptr);
}

std::wstring Hex(unsigned long long value) {
  wchar_t text[32];
  std::swprintf(text, 32, L"0x%08llX", value);
  return text;
}

struct Options {
  std::wstring printer = L"KVT QV-J27 Receipt";
  std::wstring screenshot_folder;
  std::wstring tour_folder;  // the tour's pictures (tour_steps.h)
  bool check_layout = false;
  std::wstring plugin;
  int press = 0;
  int answer = 0;
  DWORD timeout_ms = 60000;
  std::vector<int> reads;
  std::vector<int> clicks;
};

int Button(const std::wstring& name) {
  if (name == L"ok") return IDOK;
  if (name == L"cancel") return IDCANCEL;
  return 0;
}

bool Parse(int argc, wchar_t** argv, Options* options) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == L"--screenshots" && has_value) {
      options->screenshot_folder = argv[++i];
    } else if (arg == L"--tour" && has_value) {
      options->tour_folder = argv[++i];
    } else if (arg == L"--tour-sheet" && has_value) {
      ++i;  // the printer's properties have one tour, "device"
    } else if (arg == L"--layout") {
      options->check_layout = true;
    } else if (arg == L"--press" && has_value) {
      const std::wstring button = argv[++i];
      options->press = button == L"ok" ? PSBTN_OK : button == L"cancel" ? PSBTN_CANCEL : -1;
      if (options->press < 0) return false;
    } else if (arg == L"--answer" && has_value) {
      options->answer = Button(argv[++i]);
      if (options->answer == 0) return false;
    } else if (arg == L"--read" && has_value) {
      options->reads.push_back(static_cast<int>(std::wcstol(argv[++i], nullptr, 10)));
    } else if (arg == L"--click" && has_value) {
      options->clicks.push_back(static_cast<int>(std::wcstol(argv[++i], nullptr, 10)));
    } else if (arg == L"--timeout" && has_value) {
      options->timeout_ms = static_cast<DWORD>(std::wcstoul(argv[++i], nullptr, 10) * 1000);
    } else if (arg == L"--plugin" && has_value) {
      options->plugin = argv[++i];
    } else if (arg.rfind(L"--", 0) == 0) {
      return false;
    } else {
      options->printer = arg;
    }
  }
  if ((!options->screenshot_folder.empty() || !options->tour_folder.empty()) &&
      options->press == 0) {
    options->press = PSBTN_OK;
  }
  return true;
}

// The Tools dialog: the first page's child dialog.
HWND ToolsDialog() {
  HWND sheet = FindPropertySheet(GetCurrentThreadId());
  HWND page = sheet != nullptr ? PropSheet_IndexToHwnd(sheet, 0) : nullptr;
  return page != nullptr ? FindWindowExW(page, nullptr, MAKEINTATOM(0x8002), nullptr) : nullptr;
}

void ReadAndClick(const Options& options) {
  HWND dialog = ToolsDialog();
  if (dialog == nullptr && !(options.reads.empty() && options.clicks.empty())) {
    Print(L"no Tools dialog");
    return;
  }
  for (int id : options.reads) {
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) {
      Print(L"read " + std::to_wstring(id) + L": no such window");
      continue;
    }
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    std::wstring shown;
    for (wchar_t c : text) shown += c == L'\n' ? std::wstring(L"\\n") : std::wstring(1, c);
    Print(L"read " + std::to_wstring(id) + L": " + shown +
          (IsWindowEnabled(control) ? L" (enabled)" : L" (disabled)") +
          (IsWindowVisible(control) ? L"" : L" (hidden)"));
  }
  for (int id : options.clicks) {
    HWND button = GetDlgItem(dialog, id);
    Print(L"click " + std::to_wstring(id) + (button != nullptr ? L"" : L": no such window"));
    if (button != nullptr) SendMessageW(button, BM_CLICK, 0, 0);
  }
}

}  // namespace

int RunPrinterProperties(int argc, wchar_t** argv) {
  Options options;
  if (!Parse(argc, argv, &options)) {
    Print(
        L"usage: sheet_host.exe --device [--screenshots DIR] [--press ok|cancel] "
        L"[--answer ok|cancel] [--read ID]... [--click ID]... [--timeout SECONDS] "
        L"[--tour DIR [--layout]] [--plugin PATH] [printer name]");
    return 2;
  }
  // The plug-in the printer's driver names, as the universal driver loads
  // it, unless the caller names another.
  HANDLE printer = nullptr;
  HMODULE module = nullptr;
  IPrintOemUI* plugin = nullptr;
  if (!OpenPrinterAndPlugin(options.printer, options.plugin, Print, &printer, &module, &plugin)) {
    return 1;
  }
  HostDriverUi driver_ui;
  plugin->PublishDriverInterface(static_cast<IUnknown*>(&driver_ui));

  // The printer's tree: first the count of the plug-in's items, then the
  // items in a block of the framework's.
  OEMCUIPPARAM cuip = {};
  cuip.cbSize = sizeof cuip;
  cuip.poemuiobj = driver_ui.ui_object();
  cuip.hPrinter = printer;
  cuip.pPrinterName = const_cast<PWSTR>(options.printer.c_str());
  cuip.hModule = module;
  cuip.hOEMHeap = GetProcessHeap();
  HRESULT answer = plugin->CommonUIProp(abi::OEMCUIP_PRNPROP, &cuip);
  std::vector<OPTITEM> plugin_items(cuip.cOEMOptItems);
  if (answer == S_OK && !plugin_items.empty()) {
    for (OPTITEM& item : plugin_items) item.cbSize = sizeof(OPTITEM);
    cuip.pOEMOptItems = plugin_items.data();
    answer = plugin->CommonUIProp(abi::OEMCUIP_PRNPROP, &cuip);
  }
  Print(L"CommonUIProp: " + Hex(static_cast<ULONG>(answer)) + L", " +
        std::to_wstring(plugin_items.size()) + L" items of the plug-in");

  OEMUIPSPARAM ps_param = {};
  ps_param.cbSize = sizeof ps_param;
  ps_param.poemuiobj = driver_ui.ui_object();
  ps_param.hPrinter = printer;
  ps_param.pPrinterName = const_cast<PWSTR>(options.printer.c_str());
  ps_param.hModule = module;
  ps_param.hOEMHeap = GetProcessHeap();
  ps_param.pOEMUserData = cuip.pOEMUserData;

  // The folder and any missing parent of it.
  for (std::size_t end = options.screenshot_folder.find_first_of(L"\\/", 3);
       !options.screenshot_folder.empty();
       end = options.screenshot_folder.find_first_of(L"\\/", end + 1)) {
    CreateDirectoryW(options.screenshot_folder.substr(0, end).c_str(), nullptr);
    if (end == std::wstring::npos) break;
  }
  DocumentSheet sheet(plugin, &ps_param, options.printer + L" Properties");
  sheet.UseDeviceSheet();
  std::unique_ptr<MessageBoxAnswerer> answerer;
  if (options.answer != 0) answerer = std::make_unique<MessageBoxAnswerer>(options.answer);
  SheetScriptOptions script_options;
  script_options.screenshot_folder = options.screenshot_folder;
  script_options.press = options.press;
  script_options.timeout_ms = options.timeout_ms;
  // A tour fails until it has run through (a sheet that never shows fails it).
  bool tour_failed = !options.tour_folder.empty();
  if (!options.tour_folder.empty()) {
    script_options.on_shown = [&] {
      tour_failed = !TourAndReport(L"device", options.tour_folder, options.check_layout, Print);
    };
  }
  script_options.before_press = [&options] { ReadAndClick(options); };
  script_options.on_give_up = [] { Print(L"timeout: the sheet did not close"); };
  DWORD result = 0;
  LONG shown = 0;
  bool timed_out = false;
  {
    SheetScript script(script_options);
    shown = sheet.Show(nullptr, &result);
    const auto& titles = script.tab_titles();
    for (std::size_t i = 0; i < titles.size(); ++i) {
      Print(L"page " + std::to_wstring(i + 1) + L": " + titles[i]);
    }
    for (const auto& picture : script.screenshots()) Print(L"screenshot: " + picture);
    timed_out = script.timed_out();
  }
  Print(L"CommonPropertySheetUIW: " + std::to_wstring(shown) + L", result " +
        std::to_wstring(result));
  for (const auto& call : sheet.calls()) {
    Print(L"DevicePropertySheets: reason " + std::to_wstring(call.reason) + L", answer " +
          Hex(static_cast<ULONG>(call.answer)) + L", result " + std::to_wstring(call.result));
  }
  for (const auto& request : sheet.set_results()) {
    Print(L"set result: result " + std::to_wstring(request.result));
  }
  if (answerer) {
    for (const auto& box : answerer->seen()) {
      std::wstring text;
      for (wchar_t c : box.text) text += c == L'\n' ? L' ' : c == L'\r' ? L' ' : c;
      Print(L"message box: \"" + box.title + L"\" \"" + text + L"\"");
    }
  }
  plugin->Release();
  ClosePrinter(printer);
  return timed_out ? 3 : tour_failed ? 4 : 0;
}

}  // namespace kvt::tools
