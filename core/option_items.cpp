#include "core/option_items.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "core/doc_ui_state.h"
#include "core/form_size.h"
#include "core/module_state.h"
#include "log/driver_log.h"
#include "log/sdk_log.h"
#include "platform/last_error.h"
#include "platform/local_heap.h"
#include "platform/message_box.h"
#include "platform/window_port.h"
#include "platform/printer_data.h"
#include "platform/string_table.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

// byPreset of "User Setting": every preset prints portrait, so a landscape
// document is always the user's own setting.
constexpr std::uint8_t kUserSettingPreset = 6;
// A button of this style shows the orientation as two radio buttons
// (BS_RADIOBUTTON); any other first control is a list.
constexpr std::uint32_t kRadioButtonStyle = 0x4;
// The reprint notice is a plain warning with one button.
constexpr UINT kMbOk = 0x0;
constexpr UINT kMbOkCancel = 0x1;
constexpr UINT kMbIconExclamation = 0x30;
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

std::atomic<CodedMessageBox> g_message_box{nullptr};

int ShowCodedMessage(int source_line, HWND owner, std::uint32_t code, UINT style) {
  const CodedMessageBox show = g_message_box.load(std::memory_order_acquire);
  return show != nullptr ? show(source_line, owner, code, style) : kIdCancel;
}
constexpr std::size_t kNoticeChars = 1024;
constexpr std::size_t kCaptionChars = 260;
constexpr char16_t kAutoReprintValue[] = u"AutoReprint";
// The printer-settings items write to the daily log under this file name.
constexpr char kSdkSource[] = ".\\OptionItems.cpp";

const HeadDriveRow kQvj27HeadDrive[] = {
    {0, 2030},  // Specified Value
    {1, 2031},  // Fixed 2div.
    {2, 2033},  // Fixed 4div.
    {3, 2040},  // Dynamic 64dots
    {4, 2039},  // Dynamic 144dots
    {5, 2038},  // Dynamic 288dots
};
const HeadDriveList kHeadDriveList = {u"KVT QV-J27", kQvj27HeadDrive,
                                      sizeof kQvj27HeadDrive / sizeof kQvj27HeadDrive[0]};

void Log(int line, HANDLE printer, std::uint32_t level, const wchar_t* format,
         const wchar_t* text) {
  const std::uint32_t error = GetThreadLastError();
  WriteDriverLog(LogSource{kModuleDriverUi, line, error, level, L"Utility"}, printer, format, text);
}

HRESULT Refuse() {
  SetThreadLastError(ERROR_INVALID_PARAMETER);
  return E_FAIL;
}

// String |id| of the module in a block of its own length plus terminator;
// null when the string is missing or there is no memory.
LPTSTR LoadItemText(std::uint32_t id) {
  std::u16string text;
  if (!Service<StringTable>().Load(ModuleInstance(), id, kItemTextChars, &text)) return nullptr;
  auto* block = static_cast<char16_t*>(
      Service<LocalHeap>().AllocZeroed((text.size() + 1) * sizeof(char16_t)));
  if (block == nullptr) return nullptr;
  std::copy(text.begin(), text.end(), block);
  return reinterpret_cast<LPTSTR>(block);
}

// A combo-box option type with one option per string id; null, with
// nothing left allocated, when the type or its options cannot be had.
POPTTYPE NewComboType(const std::vector<std::uint32_t>& string_ids, WORD style) {
  LocalHeap& heap = Service<LocalHeap>();
  auto* type = static_cast<OPTTYPE*>(heap.AllocZeroed(sizeof(OPTTYPE)));
  if (type == nullptr) return nullptr;
  auto* params = static_cast<OPTPARAM*>(heap.AllocZeroed(sizeof(OPTPARAM) * string_ids.size()));
  if (params == nullptr) {
    heap.Free(type);
    return nullptr;
  }
  type->cbSize = sizeof(OPTTYPE);
  type->Type = kTvotComboBox;
  type->Count = static_cast<WORD>(string_ids.size());
  type->Style = style;
  type->pOptParam = params;
  for (std::size_t i = 0; i < string_ids.size(); ++i) {
    params[i].cbSize = sizeof(OPTPARAM);
    params[i].pData = LoadItemText(string_ids[i]);
  }
  return type;
}

void ClearItems(OPTITEM* items, DWORD count) {
  for (DWORD i = 0; i < count; ++i) {
    std::memset(&items[i], 0, sizeof(OPTITEM));
    items[i].cbSize = sizeof(OPTITEM);
  }
}

// The block the pages and the callbacks share; the document sheet fills
// it in when it is set up.
void HandOverDocUiState(OEMCUIPPARAM* param) {
  param->pOEMUserData = Service<LocalHeap>().AllocZeroed(sizeof(DocUiState));
  if (param->pOEMUserData == nullptr) {
    Log(__LINE__, param->hPrinter, kLogError, L"%ls", L"LocalAlloc DocUiState");
  }
}

std::wstring PrinterNameOf(const OEMCUIPPARAM& param) {
  if (param.pPrinterName == nullptr) return std::wstring();
  return Utf16ToWide(reinterpret_cast<const char16_t*>(param.pPrinterName));
}

// "AutoReprint" as stored: 4 bytes, read as little-endian. A shorter value
// is taken as far as it goes, as a 4-byte read buffer would take it.
bool ReadAutoReprint(HANDLE printer, DWORD* value) {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> bytes;
  if (!Service<PrinterData>().Get(printer, kAutoReprintValue, &type, &bytes)) return false;
  if (bytes.empty() || bytes.size() > sizeof(DWORD)) {
    SetThreadLastError(ERROR_INVALID_DATA);
    return false;
  }
  DWORD read = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) read |= DWORD{bytes[i]} << (8 * i);
  *value = read;
  return true;
}

void BuildDocumentItems(OEMCUIPPARAM* param) {
  param->OEMCUIPCallback = &DocumentItemsCallback;
  ClearItems(param->pOEMOptItems, param->cOEMOptItems);
  const auto* framework = static_cast<const PrivateSettings*>(param->pOEMDM);
  const HeadDriveList& list = ModelHeadDriveList();

  OPTITEM& item = param->pOEMOptItems[0];
  item.pName = LoadItemText(kHeadDriveNameId);
  item.Level = 1;
  item.Flags = kOptifCollapse;
  item.DMPubID = kDmPubHeadDrive;
  item.Sel = HeadDriveRowOf(list, framework->byHeadDrive);
  std::vector<std::uint32_t> ids;
  for (std::uint32_t i = 0; i < list.dwCount; ++i) ids.push_back(list.pRows[i].dwStringId);
  item.pOptType = NewComboType(ids, 0);
  if (item.pOptType == nullptr) {
    Log(__LINE__, param->hPrinter, kLogError, L"%ls", L"LocalAlloc Head Drive");
  } else {
    HandOverDocUiState(param);
  }

  // The printer has one roll: only the framework's first paper source is
  // offered. A list that is empty already stays so.
  if (param->pDrvOptItems == nullptr) return;
  for (DWORD i = 0; i < param->cDrvOptItems; ++i) {
    OPTITEM& source = param->pDrvOptItems[i];
    if (source.DMPubID == kDmPubDefaultSource && source.pOptType != nullptr &&
        source.pOptType->Count > 1) {
      source.pOptType->Count = 1;
    }
  }
}

void BuildDeviceItems(OEMCUIPPARAM* param) {
  WriteSdkLog(kSdkDebug, 'D', kSdkSource, __LINE__, GetThreadLastError(), L"[%ls] Fill out items.",
              PrinterNameOf(*param).c_str());
  param->OEMCUIPCallback = &DeviceItemsCallback;
  ClearItems(param->pOEMOptItems, param->cOEMOptItems);

  DWORD stored = 0;
  if (!ReadAutoReprint(param->hPrinter, &stored)) {
    const std::uint32_t error = GetThreadLastError();
    WriteSdkLog(kSdkWarning, 'W', kSdkSource, __LINE__, error, L"Fail GetPrinterData [GLE:%d]",
                static_cast<int>(error));
    stored = 0;
  }
  OPTITEM& item = param->pOEMOptItems[0];
  item.pName = LoadItemText(kAutoReprintNameId);
  item.Level = 1;
  // The item has two choices; a stored value that names neither would send
  // the framework past the end of the option array, so it shows "Disable".
  item.Sel = stored == 1 ? 1 : 0;
  item.pOptType =
      NewComboType({kAutoReprintDisableId, kAutoReprintEnableId}, kOtsLbcbNoIcon16InItem);
  if (item.pOptType == nullptr) {
    Log(__LINE__, param->hPrinter, kLogError, L"%ls", L"LocalAlloc Auto reprint");
  } else {
    HandOverDocUiState(param);
  }

  // The printer's settings are the plug-in's one item; the framework's own
  // device items mean nothing to this printer.
  if (param->pDrvOptItems == nullptr) return;
  for (DWORD i = 0; i < param->cDrvOptItems; ++i) {
    param->pDrvOptItems[i].Flags |= kOptifHide | kOptifExtHide;
  }
}

// The plug-in's item whose name is string |name_id|; null when the string
// is missing or no item carries it.
OPTITEM* FindPluginItem(const OEMCUIPPARAM& param, std::uint32_t name_id) {
  if (param.pOEMOptItems == nullptr) return nullptr;
  std::u16string name;
  if (!Service<StringTable>().Load(ModuleInstance(), name_id, kItemTextChars, &name)) {
    return nullptr;
  }
  for (DWORD i = 0; i < param.cOEMOptItems; ++i) {
    OPTITEM& item = param.pOEMOptItems[i];
    if (item.pName != nullptr && reinterpret_cast<const char16_t*>(item.pName) == name) {
      return &item;
    }
  }
  return nullptr;
}

bool IsRadioButton(WindowPort& page, HWND control) {
  return control != nullptr && (page.StyleOf(control) & kRadioButtonStyle) != 0;
}

// Asks before a document whose device fonts are usable turns landscape
// (they print upright only). Shown as two radio buttons, the question is
// asked only when the user has just chosen landscape there, that is when
// the checked landscape button has the focus; otherwise the change counts
// as cancelled. A Cancel moves the focus back to the portrait button.
int AskBeforeLandscape(HWND page, const OPTITEM& item) {
  WindowPort& ui = Service<WindowPort>();
  HWND first = item.pOptType != nullptr ? ui.ControlOf(page, item.pOptType->BegCtrlID) : nullptr;
  if (!IsRadioButton(ui, first)) {
    return ShowCodedMessage(__LINE__, page, kLandscapeQuestionCode, kMbOkCancel);
  }
  HWND portrait = ui.NextSibling(first);
  HWND landscape = portrait != nullptr ? ui.NextSibling(portrait) : nullptr;
  int answer = kIdCancel;
  if (landscape != nullptr && ui.FocusedWindow() == landscape && ui.IsButtonChecked(landscape)) {
    answer = ShowCodedMessage(__LINE__, page, kLandscapeQuestionCode, kMbOkCancel);
  }
  if (answer == kIdCancel && portrait != nullptr) ui.FocusWindow(portrait);
  return answer;
}

LONG OnSelectionChanged(const CPSUICBPARAM& callback, DocUiState* state) {
  OPTITEM* item = callback.pCurItem;
  if (item == nullptr) return kCpsuicbActionNone;
  if (callback.OldSel == item->Sel) {
    // The framework reports a copy count of 0 as unchanged; the document's
    // own count is the one to show.
    if (item->DMPubID == kDmPubCopiesCollate && item->Sel == 0 && state != nullptr &&
        state->pPublicDM != nullptr) {
      item->Sel = state->pPublicDM->dmCopies;
    }
    return kCpsuicbActionNone;
  }
  if (item->DMPubID != kDmPubOrientation || state == nullptr) return kCpsuicbActionNone;
  if (item->Sel == 0) {
    state->bLandscape = 0;
    RefreshIpdFontUsable(state);
    return kCpsuicbActionNone;
  }
  state->bLandscape = 1;
  if (state->bIpdFontUsable != 0) {
    const int answer = AskBeforeLandscape(callback.hDlg, *item);
    if (answer == kIdCancel) {
      item->Sel = 0;
      state->bLandscape = 0;
      // Without this the framework would go on showing landscape while the
      // item holds portrait, and apply what the user does not see.
      item->Flags |= kOptifChanged;
      return kCpsuicbActionOptifChanged;
    }
    if (answer != kIdOk) return kCpsuicbActionNone;
  }
  state->bChangedOutside = 1;
  if (state->hDocumentWnd != nullptr) {
    Service<WindowPort>().Send(state->hDocumentWnd, kDsmUserPreset, 0, 0);
  }
  return kCpsuicbActionNone;
}

void ApplyDocumentItems(const OEMCUIPPARAM& param, DocUiState* state) {
  auto* framework = static_cast<PrivateSettings*>(param.pOEMDM);
  // Before the sheet is set up there is no working copy; the framework's
  // record is then the only one.
  PrivateSettings* working =
      state != nullptr && state->pWorkingSettings != nullptr ? state->pWorkingSettings : framework;
  if (working == nullptr) return;
  auto write_both = [&](std::uint8_t PrivateSettings::*field, std::uint8_t value) {
    working->*field = value;
    if (framework != nullptr) framework->*field = value;
  };

  if (const OPTITEM* item = FindPluginItem(param, kHeadDriveNameId)) {
    const HeadDriveList& list = ModelHeadDriveList();
    if (item->Sel >= 0 && item->Sel < static_cast<LONG>(list.dwCount) &&
        HeadDriveRowOf(list, working->byHeadDrive) != item->Sel) {
      write_both(&PrivateSettings::byHeadDrive, list.pRows[item->Sel].byValue);
    }
  }

  const OPTITEM* orientation =
      FindItemByDmPubId(param.pDrvOptItems, param.cDrvOptItems, kDmPubOrientation);
  if (orientation != nullptr && orientation->Sel == 1) {
    write_both(&PrivateSettings::byPreset, kUserSettingPreset);
  }

  FormSize form;
  if (QueryFormSize(param.hPrinter, &param, &form) != kFormSizeOk || form.width == 0) return;
  write_both(&PrivateSettings::byReductionScale,
             ReductionScaleFor(working->byReduction, working->byReductionScale, form.width));
}

// The framework's page shows the orientation in control 1232 (the portrait
// radio button, or the list); when the page comes back into view it is put
// in step with the item, which the plug-in's rules may have changed.
void KeepOrientationControlInStep(const CPSUICBPARAM& callback) {
  if (callback.pOptItem == nullptr || callback.cOptItem == 0) return;
  const OPTITEM* item = FindItemByDmPubId(callback.pOptItem, callback.cOptItem, kDmPubOrientation);
  if (item == nullptr || item->pOptType == nullptr) return;
  WindowPort& ui = Service<WindowPort>();
  HWND first = ui.ControlOf(callback.hDlg, item->pOptType->BegCtrlID);
  HWND shown = ui.ControlOf(callback.hDlg, kOrientationControlId);
  if (first == nullptr || shown == nullptr) return;
  if (IsRadioButton(ui, first)) {
    const bool portrait_checked = ui.IsButtonChecked(shown);
    if (portrait_checked == (item->Sel == 0)) return;
    ui.SetButtonChecked(shown, !portrait_checked);
    if (HWND landscape = ui.NextSibling(shown)) ui.SetButtonChecked(landscape, portrait_checked);
    return;
  }
  if (ui.ListSelection(shown) != item->Sel) ui.SelectListRow(shown, item->Sel);
}

}  // namespace

void SetOptionItemsMessageBox(CodedMessageBox show) {
  g_message_box.store(show, std::memory_order_release);
}

const HeadDriveList& ModelHeadDriveList() { return kHeadDriveList; }

LONG HeadDriveRowOf(const HeadDriveList& list, std::uint8_t value) {
  for (std::uint32_t i = 0; i < list.dwCount; ++i) {
    if (list.pRows[i].byValue == value) return static_cast<LONG>(i);
  }
  return 0;
}

OPTITEM* FindItemByDmPubId(OPTITEM* items, DWORD count, BYTE dmpub_id) {
  if (items == nullptr) return nullptr;
  for (DWORD i = 0; i < count; ++i) {
    if (items[i].DMPubID == dmpub_id) return &items[i];
  }
  return nullptr;
}

const OPTITEM* FindItemByDmPubId(const OPTITEM* items, DWORD count, BYTE dmpub_id) {
  return FindItemByDmPubId(const_cast<OPTITEM*>(items), count, dmpub_id);
}

std::uint8_t ReductionScaleFor(std::uint8_t reduction, std::uint8_t current,
                               std::int32_t form_width) {
  constexpr std::int32_t kLowest = 25;
  constexpr std::int32_t kHighest = 100;
  std::int32_t scale;
  switch (reduction) {
    case 0:
      return kHighest;
    case 1:  // to an 80 mm roll: 720 tenths of printable width
      scale = 72000 / form_width;
      break;
    case 2:  // to a 58 mm roll: 540 tenths
      scale = 54000 / form_width;
      break;
    case 3:  // the user's own scale
      scale = current;
      break;
    default:
      return current;
  }
  return static_cast<std::uint8_t>(std::clamp(scale, kLowest, kHighest));
}

HRESULT BuildOptionItems(DWORD mode, POEMCUIPPARAM param) {
  if (param == nullptr) return Refuse();
  if (mode == abi::OEMCUIP_DOCPROP && param->pOEMDM == nullptr) return Refuse();
  if (mode != abi::OEMCUIP_DOCPROP && mode != abi::OEMCUIP_PRNPROP) return Refuse();
  if (param->pOEMOptItems == nullptr) {
    param->cOEMOptItems = 1;
    return S_OK;
  }
  // The framework gives as many items as the count request answered; an
  // empty array has no room for ours.
  if (param->cOEMOptItems == 0) return Refuse();
  if (mode == abi::OEMCUIP_DOCPROP) {
    BuildDocumentItems(param);
  } else {
    BuildDeviceItems(param);
  }
  return S_OK;
}

LONG APIENTRY DocumentItemsCallback(PCPSUICBPARAM callback, POEMCUIPPARAM param) {
  if (callback == nullptr || param == nullptr) return kCpsuicbActionNone;
  auto* state = static_cast<DocUiState*>(param->pOEMUserData);
  switch (callback->Reason) {
    case kCpsuicbReasonSelChanged:
      return OnSelectionChanged(*callback, state);
    case kCpsuicbReasonApplyNow:
      ApplyDocumentItems(*param, state);
      return kCpsuicbActionNone;
    case kCpsuicbReasonSetActive:
      KeepOrientationControlInStep(*callback);
      return kCpsuicbActionNone;
    default:
      return kCpsuicbActionNone;
  }
}

LONG APIENTRY DeviceItemsCallback(PCPSUICBPARAM callback, POEMCUIPPARAM param) {
  if (callback == nullptr || param == nullptr) return kCpsuicbActionNone;
  if (param->hPrinter == nullptr) {
    // Without a printer handle the driver log cannot be written; the daily
    // log can. The item cannot be stored without the handle anyway.
    WriteSdkLog(kSdkError, 'E', kSdkSource, __LINE__, GetThreadLastError(), L"%ls",
                L"pOEMUIParam->hPrinter is NULL");
    return kCpsuicbActionNone;
  }
  const OPTITEM* item = FindPluginItem(*param, kAutoReprintNameId);
  if (item == nullptr || callback->Reason != kCpsuicbReasonApplyNow) return kCpsuicbActionNone;

  DWORD stored = 0;
  if (!ReadAutoReprint(param->hPrinter, &stored)) stored = 0;
  const DWORD chosen = item->Sel == 1 ? 1 : 0;
  if (chosen == 1 && stored != 1) {
    // Reprinting after an error clashes with the printer's near-end error;
    // say so once, when the user turns it on.
    std::u16string notice;
    if (Service<StringTable>().Load(ModuleInstance(), kAutoReprintNoticeId, kNoticeChars,
                                    &notice)) {
      MessageBoxUi& boxes = Service<MessageBoxUi>();
      const std::u16string title = boxes.WindowText(boxes.Parent(callback->hDlg), kCaptionChars);
      boxes.Show(callback->hDlg, notice, title, kMbIconExclamation | kMbOk);
    }
  }
  Service<PrinterData>().Set(param->hPrinter, kAutoReprintValue, kRegDword, &chosen, sizeof chosen);
  callback->Result = CPSUI_OK;
  return kCpsuicbActionItemsApplied;
}

}  // namespace kvt
