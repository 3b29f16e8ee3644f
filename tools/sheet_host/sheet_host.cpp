// The sheet host: plays the universal printer driver's part around the real
// KvtQvj2Ui.dll and opens the document's printing preferences on the
// platform's own property-sheet UI (CommonPropertySheetUIW).
//
// In the order the driver does it: open the printer; create the plug-in
// through its exports and hand it the driver interface; build the
// document's public device mode and, through DevMode (size, defaults,
// merge), the plug-in's private record behind it; build the driver's own
// option items; call CommonUIProp; open the sheet with the plug-in's
// DocumentPropertySheets and the Advanced page added. When the sheet closes it prints what
// happened and the private record, field by field, from its own buffer.
//
//   sheet_host.exe [options] [printer name]     (default "KVT QV-J27 Receipt")
//   sheet_host.exe --device ...                 the printer's properties
//                                               (printer_properties.cpp)
//     --press ok|cancel     once every page has been shown, press this button
//     --screenshots DIR     a PNG of the sheet with each page in front, into
//                           DIR (created); presses OK unless --press says else
//     --answer ok|cancel|yes|no
//                           answer every message box with this button
//     --set FIELD=VALUE     before pressing, change FIELD of the plug-in's
//                           working record through its page context (the
//                           PageContext in PROPSHEETUI_INFO::UserData); may
//                           be repeated; names as in the printout
//     --timeout SECONDS     with --press or --screenshots: cancel the sheet
//                           and end with exit code 3 when it is still open
//                           after this long (default 60)
//     --flags N             OEMUIPSPARAM::dwFlags (0x20 no permission to
//                           change, 0x40 the user's default settings)
//     --item NAME=ROW       before pressing, choose row ROW in the list of
//                           option item NAME ("Head Drive=4") on the
//                           Advanced page, as a user would; may be repeated
//     --bare                three empty pages of the plug-in's size in place
//                           of the plug-in's (the baseline of the time
//                           until the first page has painted, which every
//                           run reports)
//     --pick ID=ROW         before pressing (and before --set and --item),
//                           choose row ROW in combo box ID of the first page
//                           ("1058=1": the 58mm receipt preset), as a user
//                           would: the row is selected and the page hears
//                           CBN_SELCHANGE; may be repeated
//     --send ID:MSG:WPARAM:LPARAM
//                           once the sheet is up (before any picture), send
//                           MSG to control ID of the section the first page
//                           shows (ID 0: to the first page itself), as the
//                           user's input would reach it: "1138:0xF5:0:0"
//                           clicks the density arrow (BM_CLICK), WM_CHAR
//                           (0x102) types into an edit; may be repeated,
//                           runs in order with --notify
//     --notify ID:MSG:WPARAM
//                           the same moment: send MSG with WPARAM to the
//                           shown section, lParam control ID's window, as
//                           the control itself would tell its parent
//                           ("1020:0x114:8": the density slider's
//                           WM_HSCROLL with TB_ENDTRACK)
//     --marks               before pressing (after --pick, --set and
//                           --item), count the red pixels (the change
//                           marks) of the first page's settings list, press
//                           Apply, bring the Font page and then the first
//                           page to the front (the list is built again) and
//                           count again
//     --page N              from here on, --send, --notify and --read address
//                           page N (1 the first) and its shown section; the
//                           page is brought to the front first ("--page 2":
//                           the Font page); on a page without sections ID
//                           names the page's own control and --notify goes
//                           to the page
//     --read ID             the same moment: print the text of control ID of
//                           the shown section ("read ID: TEXT", line feeds
//                           as \n)
//     --plugin PATH         the plug-in to load (default: KvtQvj2Ui.dll beside
//                           this program), as a driver folder apart from the
//                           application's holds it
//     --tour DIR            once the sheet is up (after --send and the like),
//                           bring every page and every section of the
//                           settings lists to the front in turn and write a
//                           PNG of each into DIR (tour_steps.cpp); presses OK
//                           unless --press says else; exit code 4 when a
//                           step cannot be shown or its picture is blank
//     --tour-sheet NAME     with --tour: the steps of sheet NAME (default
//                           "document"); a name without steps shows every
//                           page as it opens
//     --layout              with --tour: at every step, no visible control
//                           may leave its parent's client area or overlap
//                           a sibling (group boxes and sections aside:
//                           tools/layout_rule.h); a fault fails the tour
//     --save-devmode PATH   when the sheet has closed, write the document's
//                           device mode (public part and the plug-in's
//                           record behind it) to PATH, as a saved document
//                           would hold it (kvt-record reads it)
//
// Wine shows no option-item tree, so the sheet ends with an "Advanced" page
// of the host's own that lists the framework's and the plug-in's items and
// calls the plug-in's option-item callback as the framework's tree would.
//
// The report goes to standard output in UTF-8. Exit codes: 0 done, 1 the
// printer or the plug-in could not be set up, 2 bad arguments, 3 timeout,
// 4 a step of the tour failed.
#include <windows.h>

#include <prsht.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "core/page_context.h"
#include "platform/framework_abi.h"
#include "platform/wide_text.h"
#include "tools/record_fields.h"
#include "tools/sheet_host/advanced_page.h"
#include "tools/sheet_host/bare_pages.h"
#include "tools/sheet_host/document_sheet.h"
#include "tools/sheet_host/driver_plugin.h"
#include "tools/sheet_host/driver_ui.h"
#include "tools/sheet_host/framework_items.h"
#include "tools/sheet_host/option_callbacks.h"
#include "tools/sheet_host/printer_properties.h"
#include "tools/sheet_host/sheet_script.h"
#include "tools/sheet_host/tour_steps.h"
#include "tools/sheet_host/window_automation.h"

namespace {

using kvt::tools::RecordField;

constexpr const wchar_t* kDefaultPrinter = L"KVT QV-J27 Receipt";
constexpr DWORD kPublicSize = sizeof(DEVMODEW);

void Print(const std::wstring& line) {
  const std::wstring text = line + L"\n";
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD written = 0;
  DWORD mode = 0;
  if (GetConsoleMode(out, &mode)) {
    WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  const std::string utf8 = kvt::Utf16ToUtf8(kvt::WideToUtf16(text));
  WriteFile(out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

std::wstring Hex(std::uint64_t value, int digits = 8) {
  wchar_t text[32];
  std::swprintf(text, 32, L"0x%0*llX", digits, static_cast<unsigned long long>(value));
  return text;
}

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

struct FieldChange {
  const RecordField* field = nullptr;
  long value = 0;
};

struct ItemChoice {
  std::wstring name;
  LONG row = 0;
};

struct ComboPick {
  int control = 0;
  int row = 0;
};

// A message for the shown section of the first page (or of the page a
// --page before it named) or one of its controls.
struct SectionMessage {
  bool to_section = false;  // --notify: to the section, from control |id|
  int page = 0;             // --page: 1-based page to address from here on
  bool read = false;        // --read: print control |id|'s text
  int id = 0;
  UINT message = 0;
  WPARAM wparam = 0;
  LPARAM lparam = 0;
};

struct Options {
  std::wstring printer = kDefaultPrinter;
  std::wstring screenshot_folder;
  std::wstring tour_folder;
  std::wstring tour_sheet = L"document";
  bool check_layout = false;
  int press = 0;
  int answer = 0;
  DWORD timeout_ms = 60000;
  DWORD flags = 0;
  std::vector<FieldChange> changes;
  std::vector<ItemChoice> choices;
  std::vector<ComboPick> picks;
  std::vector<SectionMessage> messages;
  bool bare = false;
  bool marks = false;
  std::wstring save_devmode;
  std::wstring plugin;
};

int ButtonId(const std::wstring& name) {
  if (name == L"ok") return IDOK;
  if (name == L"cancel") return IDCANCEL;
  if (name == L"yes") return IDYES;
  if (name == L"no") return IDNO;
  return 0;
}

bool ParseChange(const std::wstring& text, FieldChange* change) {
  const std::size_t equals = text.find(L'=');
  if (equals == std::wstring::npos) return false;
  const std::wstring name = text.substr(0, equals);
  for (const RecordField& field : kvt::tools::RecordFields()) {
    if (Widen(field.name) != name) continue;
    if (field.width != 1 && field.width != 2 && field.width != 4) return false;
    wchar_t* end = nullptr;
    change->value = std::wcstol(text.c_str() + equals + 1, &end, 0);
    change->field = &field;
    return end != nullptr && *end == L'\0' && end != text.c_str() + equals + 1;
  }
  return false;
}

bool ParseOptions(int argc, wchar_t** argv, Options* options) {
  bool press_given = false;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == L"--press" && has_value) {
      const std::wstring button = argv[++i];
      options->press = button == L"ok" ? PSBTN_OK : button == L"cancel" ? PSBTN_CANCEL : -1;
      if (options->press < 0) return false;
      press_given = true;
    } else if (arg == L"--screenshots" && has_value) {
      options->screenshot_folder = argv[++i];
    } else if (arg == L"--tour" && has_value) {
      options->tour_folder = argv[++i];
    } else if (arg == L"--tour-sheet" && has_value) {
      options->tour_sheet = argv[++i];
    } else if (arg == L"--layout") {
      options->check_layout = true;
    } else if (arg == L"--answer" && has_value) {
      options->answer = ButtonId(argv[++i]);
      if (options->answer == 0) return false;
    } else if (arg == L"--set" && has_value) {
      FieldChange change;
      if (!ParseChange(argv[++i], &change)) return false;
      options->changes.push_back(change);
    } else if (arg == L"--timeout" && has_value) {
      options->timeout_ms = static_cast<DWORD>(std::wcstoul(argv[++i], nullptr, 10) * 1000);
    } else if (arg == L"--item" && has_value) {
      const std::wstring choice = argv[++i];
      const std::size_t equals = choice.rfind(L'=');
      if (equals == std::wstring::npos || equals == 0) return false;
      wchar_t* end = nullptr;
      const long row = std::wcstol(choice.c_str() + equals + 1, &end, 10);
      if (end == choice.c_str() + equals + 1 || *end != L'\0') return false;
      options->choices.push_back({choice.substr(0, equals), static_cast<LONG>(row)});
    } else if (arg == L"--plugin" && has_value) {
      options->plugin = argv[++i];
    } else if (arg == L"--save-devmode" && has_value) {
      options->save_devmode = argv[++i];
    } else if (arg == L"--bare") {
      options->bare = true;
    } else if (arg == L"--pick" && has_value) {
      const std::wstring pick = argv[++i];
      wchar_t* end = nullptr;
      ComboPick choice;
      choice.control = static_cast<int>(std::wcstol(pick.c_str(), &end, 10));
      if (end == pick.c_str() || *end != L'=') return false;
      const wchar_t* row = end + 1;
      choice.row = static_cast<int>(std::wcstol(row, &end, 10));
      if (end == row || *end != L'\0') return false;
      options->picks.push_back(choice);
    } else if ((arg == L"--send" || arg == L"--notify") && has_value) {
      // Colon-separated numbers, decimal or 0x hexadecimal, signed.
      std::vector<long long> numbers;
      const std::wstring text = argv[++i];
      const wchar_t* at = text.c_str();
      while (*at != L'\0') {
        wchar_t* end = nullptr;
        numbers.push_back(std::wcstoll(at, &end, 0));
        if (end == at || (*end != L':' && *end != L'\0')) return false;
        at = *end == L':' ? end + 1 : end;
      }
      SectionMessage m;
      m.to_section = arg == L"--notify";
      if (numbers.size() != (m.to_section ? 3u : 4u)) return false;
      m.id = static_cast<int>(numbers[0]);
      m.message = static_cast<UINT>(numbers[1]);
      m.wparam = static_cast<WPARAM>(numbers[2]);
      m.lparam = m.to_section ? 0 : static_cast<LPARAM>(numbers[3]);
      options->messages.push_back(m);
    } else if (arg == L"--marks") {
      options->marks = true;
    } else if (arg == L"--page" && has_value) {
      SectionMessage m;
      m.page = static_cast<int>(std::wcstol(argv[++i], nullptr, 10));
      if (m.page < 1) return false;
      options->messages.push_back(m);
    } else if (arg == L"--read" && has_value) {
      SectionMessage m;
      m.read = true;
      m.id = static_cast<int>(std::wcstol(argv[++i], nullptr, 10));
      options->messages.push_back(m);
    } else if (arg == L"--flags" && has_value) {
      options->flags = static_cast<DWORD>(std::wcstoul(argv[++i], nullptr, 0));
    } else if (!arg.empty() && arg[0] != L'-') {
      options->printer = arg;
    } else {
      return false;
    }
  }
  const bool unattended = !options->screenshot_folder.empty() || !options->tour_folder.empty();
  if (unattended && !press_given) options->press = PSBTN_OK;
  return true;
}

// Creates the folder and every missing folder above it.
bool MakeFolders(const std::wstring& folder) {
  for (std::size_t pos = folder.find_first_of(L"\\/", 3); pos != std::wstring::npos;
       pos = folder.find_first_of(L"\\/", pos + 1)) {
    CreateDirectoryW(folder.substr(0, pos).c_str(), nullptr);
  }
  return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// The printer's default document settings, public part only; a plain
// portrait Letter document when the printer has none to give.
DEVMODEW PublicDevmode(HANDLE printer, const std::wstring& printer_name) {
  DEVMODEW devmode = {};
  LPWSTR name = const_cast<LPWSTR>(printer_name.c_str());
  const LONG size = DocumentPropertiesW(nullptr, printer, name, nullptr, nullptr, 0);
  if (size >= static_cast<LONG>(offsetof(DEVMODEW, dmFormName))) {
    std::vector<BYTE> full(static_cast<std::size_t>(size));
    auto* from_printer = reinterpret_cast<DEVMODEW*>(full.data());
    if (DocumentPropertiesW(nullptr, printer, name, from_printer, nullptr, DM_OUT_BUFFER) == IDOK) {
      std::memcpy(&devmode, from_printer, std::min<std::size_t>(from_printer->dmSize, kPublicSize));
      devmode.dmSize = kPublicSize;
      return devmode;
    }
  }
  std::wcsncpy(devmode.dmDeviceName, printer_name.c_str(), CCHDEVICENAME - 1);
  devmode.dmSpecVersion = DM_SPECVERSION;
  devmode.dmSize = kPublicSize;
  devmode.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_FORMNAME;
  devmode.dmOrientation = DMORIENT_PORTRAIT;
  devmode.dmPaperSize = DMPAPER_LETTER;
  devmode.dmCopies = 1;
  std::wcscpy(devmode.dmFormName, L"Letter");
  return devmode;
}

HRESULT RunDevMode(IPrintOemUI* plugin, DWORD mode, HANDLE printer, DEVMODEW* public_dm, void* in,
                   void* out, DWORD* size) {
  OEMDMPARAM param = {};
  param.cbSize = sizeof param;
  param.hPrinter = printer;
  param.pPublicDMIn = public_dm;
  param.pPublicDMOut = public_dm;
  param.pOEMDMIn = in;
  param.pOEMDMOut = out;
  param.cbBufSize = *size;
  const HRESULT answer = plugin->DevMode(mode, &param);
  *size = param.cbBufSize;
  return answer;
}

void PrintRecord(const std::uint8_t* record, DWORD size) {
  if (size < sizeof(kvt::PrivateSettings)) {
    Print(L"record: " + std::to_wstring(size) + L" bytes, too short to read");
    return;
  }
  for (const RecordField& field : kvt::tools::RecordFields()) {
    Print(L"record " + Widen(field.name) + L": " + Widen(kvt::tools::FieldValue(field, record)));
  }
}

// The user's choices on the option items, made in the Advanced page's lists;
// the page tells the plug-in, and applies the items when the sheet does.
void ChooseItems(const std::vector<ItemChoice>& choices, kvt::tools::AdvancedPage* page) {
  for (const ItemChoice& choice : choices) {
    if (!page->ChooseRow(choice.name, choice.row)) {
      Print(L"option item " + choice.name + L": no row " + std::to_wstring(choice.row) +
            L" on the Advanced page");
    }
  }
}

// The user's picks in the first page's combo boxes: the row is selected and
// the page hears CBN_SELCHANGE, as after a click in the drop-down list.
void PickRows(const std::vector<ComboPick>& picks) {
  if (picks.empty()) return;
  HWND sheet = kvt::tools::FindPropertySheet(GetCurrentThreadId());
  HWND page = sheet != nullptr ? PropSheet_IndexToHwnd(sheet, 0) : nullptr;
  for (const ComboPick& pick : picks) {
    HWND combo = page != nullptr ? GetDlgItem(page, pick.control) : nullptr;
    if (combo == nullptr) {
      Print(L"pick " + std::to_wstring(pick.control) + L": no such combo box on the first page");
      continue;
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(pick.row), 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(pick.control, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    Print(L"pick " + std::to_wstring(pick.control) + L": row " + std::to_wstring(pick.row) +
          L", now row " + std::to_wstring(SendMessageW(combo, CB_GETCURSEL, 0, 0)));
  }
}

// The first page makes its sections once the sheet has painted: like a
// user, the host waits for one to show (at most two seconds), handling the
// thread's messages meanwhile.
void WaitForShownSection(HWND page) {
  const DWORD start = GetTickCount();
  while (page != nullptr && kvt::tools::ShownSection(page) == nullptr &&
         GetTickCount() - start < 2000) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  }
}

// --send, --notify, --page and --read, in order; each answer is printed.
void SendSectionMessages(const std::vector<SectionMessage>& messages) {
  if (messages.empty()) return;
  HWND sheet = kvt::tools::FindPropertySheet(GetCurrentThreadId());
  HWND page = sheet != nullptr ? PropSheet_IndexToHwnd(sheet, 0) : nullptr;
  HWND const first_page = page;
  WaitForShownSection(page);
  for (const SectionMessage& m : messages) {
    if (m.page > 0) {
      // A page never in front does not exist yet: bringing it to the
      // front makes it.
      if (sheet != nullptr) SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(m.page - 1), 0);
      page = sheet != nullptr ? PropSheet_IndexToHwnd(sheet, m.page - 1) : nullptr;
      Print(L"to the front: page " + std::to_wstring(m.page) +
            (page != nullptr ? L"" : L" (none)"));
      continue;
    }
    HWND section = page != nullptr ? kvt::tools::ShownSection(page) : nullptr;
    // A page without sections is its controls' parent itself (not the
    // first page, which makes its sections once the sheet has painted).
    if (section == nullptr && page != first_page) section = page;
    HWND control = section != nullptr ? GetDlgItem(section, m.id) : nullptr;
    if (m.read) {
      std::wstring text(
          static_cast<std::size_t>(control != nullptr ? GetWindowTextLengthW(control) : 0) + 1,
          L'\0');
      if (control != nullptr)
        text.resize(static_cast<std::size_t>(
            GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
      std::wstring shown;
      for (wchar_t c : text) shown += c == L'\n' ? std::wstring(L"\\n") : std::wstring(1, c);
      Print(L"read " + std::to_wstring(m.id) + L": " +
            (control != nullptr ? shown : std::wstring(L"no such window")));
      continue;
    }
    HWND target = m.to_section ? section : m.id == 0 ? page : control;
    const std::wstring what = std::wstring(m.to_section ? L"notify " : L"send ") +
                              std::to_wstring(m.id) + L" " + std::to_wstring(m.message);
    if (target == nullptr || (m.to_section && control == nullptr)) {
      Print(what + L": no such window");
      continue;
    }
    const LPARAM lparam = m.to_section ? reinterpret_cast<LPARAM>(control) : m.lparam;
    const LRESULT answer = SendMessageW(target, m.message, m.wparam, lparam);
    Print(what + L": " + std::to_wstring(static_cast<long long>(answer)));
  }
}

// The settings list's change marks before and after Apply: the list is
// built again when its page comes back to the front.
void CountChangeMarks() {
  constexpr int kSettingsListId = 1050;
  HWND sheet = kvt::tools::FindPropertySheet(GetCurrentThreadId());
  HWND page = sheet != nullptr ? PropSheet_IndexToHwnd(sheet, 0) : nullptr;
  HWND list = page != nullptr ? GetDlgItem(page, kSettingsListId) : nullptr;
  if (list == nullptr) {
    Print(L"marks: the first page has no settings list");
    return;
  }
  PropSheet_SetCurSel(sheet, nullptr, 0);
  const int before = kvt::tools::CountRedPixels(list);
  PropSheet_Apply(sheet);
  PropSheet_SetCurSel(sheet, nullptr, 1);
  PropSheet_SetCurSel(sheet, nullptr, 0);
  const int after = kvt::tools::CountRedPixels(list);
  Print(L"settings list red pixels: " + std::to_wstring(before) + L" before Apply, " +
        std::to_wstring(after) + L" after");
}

// The test hook: the working record as the pages see it, changed in place.
void ApplyChanges(const std::vector<FieldChange>& changes, ULONG_PTR plugin_user_data) {
  auto* context = reinterpret_cast<kvt::PageContext*>(plugin_user_data);
  if (context == nullptr) {
    if (!changes.empty()) Print(L"change: the plug-in keeps no page context; nothing changed");
    return;
  }
  auto* working = reinterpret_cast<std::uint8_t*>(&context->WorkingSettings);
  for (const FieldChange& change : changes) {
    const std::string before = kvt::tools::FieldValue(*change.field, working);
    const auto value = static_cast<std::uint32_t>(change.value);
    for (std::size_t i = 0; i < change.field->width; ++i) {
      working[change.field->offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    Print(L"change " + Widen(change.field->name) + L": " + Widen(before) + L" -> " +
          Widen(kvt::tools::FieldValue(*change.field, working)));
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // The printer's properties instead of a document's (printer_properties.h).
  if (argc >= 2 && std::wstring(argv[1]) == L"--device") {
    return kvt::tools::RunPrinterProperties(argc - 1, argv + 1);
  }
  Options options;
  const bool help = argc == 2 && std::wstring(argv[1]) == L"--help";
  if (help || !ParseOptions(argc, argv, &options)) {
    Print(
        L"usage: sheet_host.exe [--press ok|cancel] [--screenshots DIR] "
        L"[--answer ok|cancel|yes|no] [--set FIELD=VALUE]... [--timeout SECONDS] "
        L"[--flags N] [--item NAME=ROW]... [--pick ID=ROW]... [--send ID:MSG:WPARAM:LPARAM]... "
        L"[--notify ID:MSG:WPARAM]... [--page N] [--read ID]... [--bare] [--marks] "
        L"[--plugin PATH] [--save-devmode PATH] [--tour DIR [--tour-sheet NAME] [--layout]] "
        L"[printer name]");
    return help ? 0 : 2;
  }
  // The plug-in the printer's driver names, as the universal driver loads
  // it, unless the caller names another.
  HANDLE printer = nullptr;
  HMODULE module = nullptr;
  IPrintOemUI* plugin = nullptr;
  if (!kvt::tools::OpenPrinterAndPlugin(options.printer, options.plugin, Print, &printer, &module,
                                        &plugin)) {
    return 1;
  }
  kvt::tools::HostDriverUi driver_ui;
  Print(L"PublishDriverInterface: " + Hex(static_cast<ULONG>(plugin->PublishDriverInterface(
                                          static_cast<IUnknown*>(&driver_ui)))));

  // The document's device mode as the framework lays it out: the public
  // part, then the plug-in's record.
  DWORD private_size = 0;
  const HRESULT size_answer =
      RunDevMode(plugin, kvt::abi::OEMDM_SIZE, printer, nullptr, nullptr, nullptr, &private_size);
  Print(L"DevMode size: " + Hex(static_cast<ULONG>(size_answer)) + L", " +
        std::to_wstring(private_size) + L" bytes");
  if (size_answer != S_OK || private_size == 0 || private_size > 0xFFFF) private_size = 0;
  std::vector<std::uint8_t> document(kPublicSize + private_size, 0);
  auto* public_dm = reinterpret_cast<DEVMODEW*>(document.data());
  *public_dm = PublicDevmode(printer, options.printer);
  public_dm->dmDriverExtra = static_cast<WORD>(private_size);
  std::uint8_t* private_dm = document.data() + kPublicSize;
  std::vector<std::uint8_t> defaults(private_size, 0);
  DWORD size = private_size;
  Print(L"DevMode default: " +
        Hex(static_cast<ULONG>(RunDevMode(plugin, kvt::abi::OEMDM_DEFAULT, printer, public_dm,
                                          nullptr, defaults.data(), &size))));
  // The document's record: the defaults merged into the framework's buffer,
  // which already holds a record of the plug-in to convert into.
  if (private_size > 0) std::memcpy(private_dm, defaults.data(), private_size);
  size = private_size;
  Print(L"DevMode merge: " +
        Hex(static_cast<ULONG>(RunDevMode(plugin, kvt::abi::OEMDM_MERGE, printer, public_dm,
                                          defaults.data(), private_dm, &size))));
  Print(L"document: orientation " + std::to_wstring(public_dm->dmOrientation) + L", form " +
        public_dm->dmFormName + L", copies " + std::to_wstring(public_dm->dmCopies));

  kvt::tools::FrameworkItems items(printer, *public_dm);
  Print(L"forms offered: " + std::to_wstring(items.form_names().size()));
  OEMCUIPPARAM cuip = {};
  cuip.cbSize = sizeof cuip;
  cuip.poemuiobj = driver_ui.ui_object();
  cuip.hPrinter = printer;
  cuip.pPrinterName = const_cast<PWSTR>(options.printer.c_str());
  cuip.hModule = module;
  cuip.hOEMHeap = GetProcessHeap();
  cuip.pPublicDM = public_dm;
  cuip.pOEMDM = private_dm;
  cuip.dwFlags = options.flags;
  cuip.pDrvOptItems = items.items();
  cuip.cDrvOptItems = items.count();
  // First the count of the plug-in's items, then the items themselves, in
  // one tree after the framework's.
  HRESULT answer = plugin->CommonUIProp(kvt::abi::OEMCUIP_DOCPROP, &cuip);
  DWORD plugin_count = 0;
  if (answer == S_OK && cuip.cOEMOptItems > 0) {
    plugin_count = cuip.cOEMOptItems;
    cuip.pOEMOptItems = items.AddPluginItems(plugin_count);
    cuip.pDrvOptItems = items.items();
    answer = plugin->CommonUIProp(kvt::abi::OEMCUIP_DOCPROP, &cuip);
  }
  OPTITEM* const plugin_items = cuip.pOEMOptItems;
  Print(L"CommonUIProp: " + Hex(static_cast<ULONG>(answer)) + L", " +
        std::to_wstring(plugin_count) + L" items of the plug-in");
  kvt::tools::AdvancedPage advanced(&cuip, {items.tree(), items.tree_count()},
                                    static_cast<WORD>(items.count()), L"Advanced");
  // The framework's tree shows what the plug-in changes in it.
  driver_ui.OnUpdate([&advanced](const OPTITEM* item) { advanced.ShowItem(item); });
  // Named now: the sheet's release frees the plug-in's item names.
  for (const auto& row : advanced.rows()) {
    Print(L"advanced row " + std::wstring(row.item->pName != nullptr ? row.item->pName : L"") +
          L": controls " + std::to_wstring(row.label_id) + L", " + std::to_wstring(row.list_id));
  }

  OEMUIPSPARAM ps_param = {};
  ps_param.cbSize = sizeof ps_param;
  ps_param.poemuiobj = driver_ui.ui_object();
  ps_param.hPrinter = printer;
  ps_param.pPrinterName = const_cast<PWSTR>(options.printer.c_str());
  ps_param.hModule = module;
  ps_param.hOEMHeap = GetProcessHeap();
  ps_param.pPublicDM = public_dm;
  ps_param.pOEMDM = private_dm;
  ps_param.pOEMUserData = cuip.pOEMUserData;
  ps_param.dwFlags = options.flags;

  for (const std::wstring& folder : {options.screenshot_folder, options.tour_folder}) {
    if (!folder.empty() && !MakeFolders(folder)) Print(L"cannot create " + folder);
  }
  kvt::tools::DocumentSheet sheet(plugin, &ps_param, options.printer + L" Printing Preferences");
  sheet.AddPageAfterPlugin(advanced.page());
  kvt::tools::BarePages bare_pages;
  if (options.bare) {
    sheet.ReplacePluginWith({bare_pages.page(0), bare_pages.page(1), bare_pages.page(2)});
  }
  std::unique_ptr<kvt::tools::MessageBoxAnswerer> answerer;
  if (options.answer != 0) {
    answerer = std::make_unique<kvt::tools::MessageBoxAnswerer>(options.answer);
  }
  kvt::tools::SheetScriptOptions script_options;
  script_options.screenshot_folder = options.screenshot_folder;
  script_options.press = options.press;
  script_options.timeout_ms = options.timeout_ms;
  // The sheet's release frees the plug-in's items, so they are described
  // while they exist: as built, and again after the choices.
  std::vector<std::wstring> plugin_item_lines;
  auto describe_plugin_items = [&] {
    plugin_item_lines.clear();
    for (DWORD i = 0; i < plugin_count; ++i) {
      const OPTITEM& item = plugin_items[i];
      const std::wstring name = item.pName != nullptr ? item.pName : L"(no name)";
      plugin_item_lines.push_back(L"plug-in item " + name + L": " +
                                  kvt::tools::ChoiceText(item, item.Sel));
    }
  };
  describe_plugin_items();
  // A tour fails until it has run through (a sheet that never shows fails it).
  bool tour_failed = !options.tour_folder.empty();
  script_options.on_shown = [&] {
    SendSectionMessages(options.messages);
    if (options.tour_folder.empty()) return;
    tour_failed = !kvt::tools::TourAndReport(options.tour_sheet, options.tour_folder,
                                             options.check_layout, Print);
  };
  script_options.before_press = [&] {
    PickRows(options.picks);
    ApplyChanges(options.changes, sheet.plugin_user_data());
    ChooseItems(options.choices, &advanced);
    if (options.marks) CountChangeMarks();
    describe_plugin_items();
  };
  script_options.on_give_up = [] { Print(L"timeout: the sheet did not close"); };
  DWORD result = 0;
  LONG shown = 0;
  bool timed_out = false;
  {
    kvt::tools::SheetScript script(script_options);
    kvt::tools::FirstPaintClock first_paint;
    shown = sheet.Show(nullptr, &result);
    wchar_t painted[64];
    std::swprintf(painted, 64, L"%.1f ms", first_paint.milliseconds());
    Print(std::wstring(L"first page painted after ") + painted);
    const auto& titles = script.tab_titles();
    for (std::size_t i = 0; i < titles.size(); ++i) {
      Print(L"page " + std::to_wstring(i + 1) + L": " + titles[i]);
    }
    for (const auto& path : script.screenshots()) Print(L"screenshot: " + path);
    for (const auto& path : script.failed_screenshots()) Print(L"screenshot failed: " + path);
    timed_out = script.timed_out();
    if (timed_out) Print(L"timeout: the sheet was cancelled");
  }
  Print(L"CommonPropertySheetUIW: " + std::to_wstring(shown) + L", result " +
        std::to_wstring(result));
  Print(L"added the plug-in's sheet function: " +
        Hex(static_cast<ULONG_PTR>(sheet.plugin_handle())));
  Print(L"added the Advanced page: " + Hex(static_cast<ULONG_PTR>(sheet.host_page_handle())));
  for (const std::wstring& event : advanced.events()) Print(event);
  for (const auto& call : sheet.calls()) {
    Print(L"DocumentPropertySheets: reason " + std::to_wstring(call.reason) + L", answer " +
          Hex(static_cast<ULONG>(call.answer)) + L", result " + std::to_wstring(call.result));
  }
  bool ok = false;
  for (const auto& request : sheet.set_results()) {
    Print(L"set result: page " + Hex(reinterpret_cast<ULONG_PTR>(request.page)) + L", result " +
          std::to_wstring(request.result) + L", answer " + Hex(static_cast<ULONG>(request.answer)));
    ok = ok || request.result == CPSUI_OK;
  }
  if (answerer) {
    for (const auto& box : answerer->seen()) {
      Print(L"message box: \"" + box.title + L"\" \"" + box.text + L"\", pressed " +
            std::to_wstring(box.pressed));
    }
  }
  for (const auto& update : driver_ui.updates()) {
    Print(L"DrvUpdateUISetting: " + update.item_name + L" selection " +
          std::to_wstring(update.selection) + L", previous " +
          std::to_wstring(update.previous_selection) + L", mode " + std::to_wstring(update.mode) +
          (update.from_function_table ? L" (OEMUIPROCS)" : L""));
  }
  for (DWORD i = 0; i < items.count(); ++i) {
    Print(L"item " + std::wstring(items.items()[i].pName) + L": " +
          items.SelectionText(items.items()[i]));
  }
  // Read before the sheet's release frees the items' texts.
  for (const std::wstring& line : plugin_item_lines) Print(line);
  for (const std::wstring& line : advanced.final_selections()) Print(L"advanced item " + line);
  if (ok) {
    // What the framework does with an OK: the items go into the public part
    // and the record is validated before it reaches the document.
    items.ApplyTo(public_dm);
    Print(L"document after OK: orientation " + std::to_wstring(public_dm->dmOrientation) +
          L", form " + public_dm->dmFormName + L", copies " + std::to_wstring(public_dm->dmCopies));
    // The merge converts into a buffer that already holds a record of the
    // plug-in (its signature decides whether the input is taken).
    std::vector<std::uint8_t> merged = defaults;
    size = private_size;
    const HRESULT merge = RunDevMode(plugin, kvt::abi::OEMDM_MERGE, printer, public_dm, private_dm,
                                     merged.data(), &size);
    int corrected = 0;
    if (private_size >= sizeof(kvt::PrivateSettings)) {
      for (const RecordField& field : kvt::tools::RecordFields()) {
        const std::string before = kvt::tools::FieldValue(field, private_dm);
        const std::string after = kvt::tools::FieldValue(field, merged.data());
        if (before == after) continue;
        ++corrected;
        Print(L"merge corrects " + Widen(field.name) + L": " + Widen(before) + L" -> " +
              Widen(after));
      }
    }
    Print(L"after OK, DevMode merge: " + Hex(static_cast<ULONG>(merge)) + L", " +
          std::to_wstring(corrected) + L" fields corrected");
  }
  PrintRecord(private_dm, private_size);
  if (!options.save_devmode.empty()) {
    FILE* file = _wfopen(options.save_devmode.c_str(), L"wb");
    const bool saved = file != nullptr &&
                       std::fwrite(document.data(), 1, document.size(), file) == document.size();
    if (file != nullptr && std::fclose(file) != 0) Print(L"cannot close " + options.save_devmode);
    Print((saved ? L"device mode saved to " : L"cannot save the device mode to ") +
          options.save_devmode);
  }

  plugin->Release();
  Print(L"driver interface references left: " + std::to_wstring(driver_ui.references() - 1));
  ClosePrinter(printer);
  return timed_out ? 3 : tour_failed ? 4 : 0;
}
