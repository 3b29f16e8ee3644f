#include "oemui/tools/tools_dialog.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/model_setting_table.h"
#include "core/result_codes.h"
#include "log/driver_log.h"
#include "log/system_queries.h"
#include "oemui/tools/gpd_version.h"
#include "oemui/tools/package_library.h"
#include "platform/file_version.h"
#include "platform/last_error.h"
#include "platform/local_heap.h"
#include "platform/package_library.h"
#include "platform/printer_info.h"
#include "platform/spooler.h"
#include "platform/string_table.h"
#include "platform/wide_text.h"
#include "resources/tools_page_ids.h"

namespace kvt {
namespace {

constexpr wchar_t kLogArea[] = L"Tools";
constexpr std::size_t kDriverNameChars = 520;
constexpr std::size_t kTitleChars = 128;

constexpr ToolsModel kModels[] = {
    {u"KVT QV-J27",
     {true, true, true, true, true, true, true},
     {true, true, true, true, true, true, true}},
};

struct ButtonRow {
  int button;
  int text;
  int line;  // 0: the last row has no separator
  UtilityFunction function;
};
constexpr ButtonRow kButtonRows[kToolsButtonRows] = {
    {IDC_TOOLS_INFORMATION, IDC_TOOLS_INFORMATION_TEXT, IDC_TOOLS_INFORMATION_LINE,
     UtilityFunction::kInformation},
    {IDC_TOOLS_MEMORY_SWITCH, IDC_TOOLS_MEMORY_SWITCH_TEXT, IDC_TOOLS_MEMORY_SWITCH_LINE,
     UtilityFunction::kMemorySwitch},
    {IDC_TOOLS_LOG, IDC_TOOLS_LOG_TEXT, IDC_TOOLS_LOG_LINE, UtilityFunction::kLog},
    {IDC_TOOLS_TEST_PRINT, IDC_TOOLS_TEST_PRINT_TEXT, IDC_TOOLS_TEST_PRINT_LINE,
     UtilityFunction::kTestPrint},
    {IDC_TOOLS_NV_IMAGE, IDC_TOOLS_NV_IMAGE_TEXT, IDC_TOOLS_NV_IMAGE_LINE,
     UtilityFunction::kNvImage},
    {IDC_TOOLS_CODEPAGE, IDC_TOOLS_CODEPAGE_TEXT, IDC_TOOLS_CODEPAGE_LINE,
     UtilityFunction::kCodepage},
    {IDC_TOOLS_OTHER, IDC_TOOLS_OTHER_TEXT, 0, UtilityFunction::kOther},
};

int RowLabel(int row) { return IDC_TOOLS_ROW_FIRST_LABEL + 2 * row; }
int RowValue(int row) { return IDC_TOOLS_ROW_FIRST_LABEL + 1 + 2 * row; }

void Log(std::uint32_t level, int line, HANDLE printer, const wchar_t* format,
         std::u16string_view argument = {}) {
  const std::uint32_t error = GetThreadLastError();
  WriteDriverLog(LogSource{kModuleDriverUi, line, error, level, kLogArea}, printer, format,
                 Utf16ToWide(argument).c_str());
}

struct PrinterFacts {
  std::u16string driver_name;
  std::u16string port;
  std::uint32_t attributes = 0;
};

std::u16string Text(const WCHAR* text) {
  return text != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(text))
                         : std::u16string();
}

// The printer's level-2 information: 0, 202 (size or read failed, logged)
// or 220 (no memory).
std::uint32_t ReadPrinterFacts(HANDLE printer, PrinterFacts* facts) {
  Spooler& spooler = Service<Spooler>();
  const std::uint32_t size = spooler.PrinterInfo2Size(printer);
  if (size < sizeof(PrinterInfo2)) {
    Log(kLogError, __LINE__, printer, L"GetPrinterW");
    return kResultUnreadable;
  }
  LocalHeap& heap = Service<LocalHeap>();
  auto* info = static_cast<PrinterInfo2*>(heap.AllocZeroed(size));
  if (info == nullptr) return kResultNoMemory;
  std::uint32_t code = kResultOk;
  if (spooler.ReadPrinterInfo2(printer, info, size)) {
    facts->driver_name = Text(info->pDriverName).substr(0, kDriverNameChars);
    facts->port = Text(info->pPortName);
    facts->attributes = info->Attributes;
  } else {
    Log(kLogError, __LINE__, printer, L"GetPrinterW");
    code = kResultUnreadable;
  }
  heap.Free(info);
  return code;
}

}  // namespace

const ToolsModel& ToolsModelFor(std::u16string_view driver_name) {
  return *SelectModelEntry(kModels, std::size(kModels), driver_name);
}

const std::array<ToolsVersionRow, kToolsVersionRows>& ToolsVersionRowTable() {
  static const std::array<ToolsVersionRow, kToolsVersionRows> rows = {{
      {u"KvtQvj2.gpd", ToolsFolder::kModule},
      {u"KvtQvj2Uni.dll", ToolsFolder::kModule},
      {u"KvtQvj2Ui.dll", ToolsFolder::kModule},
      {u"KvtQvj2Pp.dll", ToolsFolder::kPrintProcessor},
      {u"MXPQR_LM.dll", ToolsFolder::kSystem},
      {u"KvtQvj2Utl.dll", ToolsFolder::kSystem},
      {u"MXPQT_SDK.dll", ToolsFolder::kSystem},
  }};
  return rows;
}

std::u16string VersionText(const FileVersion& version) {
  return u": " + DecimalText(version.major) + u"." + DecimalText(version.minor) + u"." +
         DecimalText(version.build);
}

std::u16string DriverTitle(std::u16string_view title_format, std::u16string_view driver_name,
                           bool has_version, std::uint64_t version) {
  std::u16string title;
  if (!has_version || version == 0 || title_format.empty()) {
    title = std::u16string(driver_name) + u" Printer Driver";
  } else {
    const std::uint32_t numbers[] = {static_cast<std::uint32_t>((version >> 48) & 0xFF),
                                     static_cast<std::uint32_t>((version >> 32) & 0xFF),
                                     static_cast<std::uint32_t>((version >> 16) & 0xFF)};
    std::size_t next_number = 0;
    for (std::size_t i = 0; i < title_format.size(); ++i) {
      const char16_t c = title_format[i];
      const char16_t spec = i + 1 < title_format.size() ? title_format[i + 1] : u'\0';
      if (c == u'%' && spec == u's') {
        title += driver_name;
        ++i;
      } else if (c == u'%' && spec == u'd') {
        title += next_number < 3 ? DecimalText(numbers[next_number++]) : u"";
        ++i;
      } else if (c == u'%' && spec == u'%') {
        title += u'%';
        ++i;
      } else {
        title += c;
      }
    }
  }
  if (title.size() > kTitleChars - 1) title.resize(kTitleChars - 1);
  return title;
}

ToolsDialog::ToolsDialog(DialogPort& port, const DeviceSheetState* sheet, HINSTANCE instance,
                         const ToolsModel* model)
    : port_(port), sheet_(sheet), model_(model) {
  state_.instance = instance;
  state_.dialog = port.Window();
}

int ToolsDialog::Scale(int length) { return length * std::max(port_.ScreenDpi(), 96) / 96; }

std::uint32_t ToolsDialog::OnInit() {
  if (sheet_ == nullptr || sheet_->pOemCuipParam == nullptr ||
      sheet_->pOemCuipParam->hPrinter == nullptr) {
    return kResultNoWindowState;
  }
  const OEMCUIPPARAM& cuip = *sheet_->pOemCuipParam;
  state_.hPrinter = cuip.hPrinter;
  PrinterFacts facts;
  if (const std::uint32_t code = ReadPrinterFacts(state_.hPrinter, &facts)) return code;
  state_.printer_name = Text(cuip.pPrinterName);
  state_.driver_name = facts.driver_name;

  PackageLibraryLoader& loader = Service<PackageLibraryLoader>();
  if (!loader.OwnFolder(&state_.module_folder)) return kResultNoWindowState;
  state_.module_folder += u'\\';
  if (!loader.SystemFolder(&state_.system_folder)) state_.system_folder.clear();

  const ToolsModel& model = model_ != nullptr ? *model_ : ToolsModelFor(state_.driver_name);
  state_.buttons = model.buttons;
  PlaceVersionRows(model);
  ShowDriverTitle();
  ShowVersions();
  PlaceButtonRows();
  LogPrinterFacts(IsUserAdmin(), (facts.attributes & kPrinterAttributeEnableBidi) != 0,
                  IsNotFilePort(facts.port));
  KeepRightMargins();
  ready_ = true;
  return kResultOk;
}

void ToolsDialog::PlaceVersionRows(const ToolsModel& model) {
  std::array<std::optional<DialogRect>, kToolsVersionRows> labels;
  for (int row = 0; row < kToolsVersionRows; ++row) labels[row] = port_.ItemRect(RowLabel(row));
  int shift = 0;
  for (int row = 0; row < kToolsVersionRows; ++row) {
    const bool shown = model.rows[static_cast<std::size_t>(row)];
    for (int id : {RowLabel(row), RowValue(row)}) {
      port_.Show(id, shown);
      if (shift == 0) continue;
      if (std::optional<DialogRect> rect = port_.ItemRect(id)) {
        rect->top -= shift;
        rect->bottom -= shift;
        port_.MoveItem(id, *rect);
      }
    }
    if (!shown && labels[row]) {
      const bool has_next = row + 1 < kToolsVersionRows && labels[row + 1];
      shift += has_next ? labels[row + 1]->top - labels[row]->top : labels[row]->Height();
    }
  }
}

void ToolsDialog::ShowDriverTitle() {
  std::u16string format;
  Service<StringTable>().Load(state_.instance, IDS_TOOLS_DRIVER_TITLE, kTitleChars, &format);
  std::uint64_t version = 0;
  const bool has_version = Service<Spooler>().DriverVersion(state_.hPrinter, &version);
  port_.SetText(IDC_TOOLS_TITLE, DriverTitle(format, state_.driver_name, has_version, version));
}

void ToolsDialog::ShowVersions() {
  const auto& rows = ToolsVersionRowTable();
  std::optional<std::u16string> processor_folder;
  for (int row = 0; row < kToolsVersionRows; ++row) {
    port_.SetText(RowValue(row), kNoVersionText);
    const ToolsVersionRow& entry = rows[static_cast<std::size_t>(row)];
    std::u16string folder;
    switch (entry.folder) {
      case ToolsFolder::kModule:
        folder = state_.module_folder;
        break;
      case ToolsFolder::kPrintProcessor:
        if (!processor_folder) {
          std::u16string asked;
          processor_folder =
              Service<Spooler>().PrintProcessorDirectory(&asked) ? asked + u'\\' : std::u16string();
        }
        folder = *processor_folder;
        break;
      case ToolsFolder::kSystem:
        folder = state_.system_folder.empty() ? state_.module_folder : state_.system_folder + u'\\';
        break;
    }
    if (folder.empty()) continue;
    const std::u16string path = folder + entry.file;
    FileVersion version;
    const bool read = row == 0 ? ReadGpdFileVersion(path, &version) == kResultOk
                               : Service<FileVersionReader>().Read(path, &version);
    if (read) port_.SetText(RowValue(row), VersionText(version));
  }
}

void ToolsDialog::PlaceButtonRows() {
  std::array<std::optional<DialogRect>, kToolsButtonRows> buttons;
  for (int row = 0; row < kToolsButtonRows; ++row)
    buttons[row] = port_.ItemRect(kButtonRows[row].button);
  int shift = 0;
  for (int row = 0; row < kToolsButtonRows; ++row) {
    const ButtonRow& ids = kButtonRows[row];
    const bool shown = state_.buttons[static_cast<std::size_t>(row)];
    bool later_shown = false;
    for (int next = row + 1; next < kToolsButtonRows; ++next) {
      later_shown = later_shown || state_.buttons[static_cast<std::size_t>(next)];
    }
    for (int id : {ids.button, ids.text, ids.line}) {
      if (id == 0) continue;
      const bool show = id == ids.line ? shown && later_shown : shown;
      port_.Show(id, show);
      if (id != ids.line) port_.Enable(id, show);
      if (shift == 0) continue;
      if (std::optional<DialogRect> rect = port_.ItemRect(id)) {
        rect->top -= shift;
        rect->bottom -= shift;
        port_.MoveItem(id, *rect);
      }
    }
    if (!shown && row + 1 < kToolsButtonRows && buttons[row] && buttons[row + 1]) {
      shift += buttons[row + 1]->top - buttons[row]->top;
    }
  }
}

void ToolsDialog::KeepRightMargins() {
  const DialogRect client = port_.ClientRect();
  for (const ButtonRow& ids : kButtonRows) {
    const std::pair<int, int> items[] = {{ids.text, 12}, {ids.line, 15}};
    for (const auto& [id, margin] : items) {
      if (id == 0) continue;
      std::optional<DialogRect> rect = port_.ItemRect(id);
      const int limit = client.right - Scale(margin);
      if (!rect || rect->right <= limit || limit <= rect->left) continue;
      rect->right = limit;
      port_.MoveItem(id, *rect);
    }
  }
}

DialogRect ToolsDialog::PanelRect() {
  const DialogRect client = port_.ClientRect();
  const DialogRect line = port_.ItemRect(IDC_TOOLS_PANEL_LINE).value_or(client);
  return DialogRect{Scale(6), line.top + Scale(4), line.left - Scale(4), line.bottom - Scale(4)};
}

void ToolsDialog::LogPrinterFacts(bool admin, bool bidi, bool real_port) {
  const std::uint32_t error = GetThreadLastError();
  WriteDriverLog(LogSource{kModuleDriverUi, __LINE__, error, kLogInfo, kLogArea}, state_.hPrinter,
                 L"Admin=[%d] / Bidi=[%d] / Port=[%d]", admin ? 1 : 0, bidi ? 1 : 0,
                 real_port ? 1 : 0);
}

void ToolsDialog::OnRefresh() {
  if (!ready_) return;
  const bool admin = IsUserAdmin();
  PrinterFacts facts;
  const bool read = ReadPrinterFacts(state_.hPrinter, &facts) == kResultOk;
  // Unreadable: counted as bidirectional but no real port, and left alone.
  const bool bidi = !read || (facts.attributes & kPrinterAttributeEnableBidi) != 0;
  const bool real_port = read && IsNotFilePort(facts.port);
  LogPrinterFacts(admin, bidi, real_port);
  if (!read) return;
  // The administrator right is logged, not applied: the state set and the
  // state remembered are the same two facts, so a refresh never skips a
  // change nor repeats one.
  const bool enable = bidi && real_port;
  if (enable == state_.last_enable_state) return;
  port_.SetRedraw(0, false);
  for (int row = 0; row < kToolsButtonRows; ++row) {
    if (state_.buttons[static_cast<std::size_t>(row)])
      port_.Enable(kButtonRows[row].button, enable);
  }
  port_.SetRedraw(0, true);
  port_.Redraw(0);
  state_.last_enable_state = enable;
}

std::uint32_t ToolsDialog::OnCommand(int id, std::uint16_t code) {
  // The dialog manager's own Enter and Escape are no button of this page.
  constexpr int kIdOk = 1;
  constexpr int kIdCancel = 2;
  if (code != kBnClicked || id == kIdOk || id == kIdCancel) return kResultOk;
  const ButtonRow* row = nullptr;
  for (const ButtonRow& candidate : kButtonRows) {
    if (candidate.button == id) row = &candidate;
  }
  if (row == nullptr || !ready_ || state_.instance == nullptr) return kResultInvalid;
  return RunUtility(row->function);
}

std::uint32_t ToolsDialog::RunUtility(UtilityFunction function) {
  PackageLibraryLoader& loader = Service<PackageLibraryLoader>();
  HANDLE printer = state_.hPrinter;
  // By full path from the package's folders, never by the bare name.
  ModuleHandle library = LoadPackageLibrary(kUtilityLibrary);
  if (library == nullptr) {
    Log(kLogError, __LINE__, printer, L"Load library. [%ls]", kUtilityLibrary);
    return kUtilityMissingCode;
  }
  Log(kLogInfo, __LINE__, printer, L"Load library. [%ls]", kUtilityLibrary);
  const LibraryEntry entry = loader.FindEntry(library, kPrinterUtilityEntry);
  if (entry == nullptr) {
    Log(kLogError, __LINE__, printer, L"Load library function.");
    loader.Free(library);
    return kUtilityMissingCode;
  }
  PrinterUtilityParam param{};
  const std::size_t chars = std::min(state_.printer_name.size(), kUtilityPrinterNameChars - 1);
  std::copy_n(state_.printer_name.begin(), chars, param.szPrinterName);
  param.hOwner = state_.dialog;
  param.dwFunction = static_cast<std::uint32_t>(function);
  Log(kLogInfo, __LINE__, printer, L"Startup utility. [%ls]", state_.printer_name);
  const std::uint32_t result = reinterpret_cast<UtilityEntry>(entry)(&param);
  Log(kLogInfo, __LINE__, printer, L"Escape utility. [%ls]", state_.printer_name);
  loader.Free(library);
  Log(kLogInfo, __LINE__, printer, L"Free library. [%ls]", kUtilityLibrary);
  return result;
}

}  // namespace kvt
