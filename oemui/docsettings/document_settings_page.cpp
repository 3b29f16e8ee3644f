#include "oemui/docsettings/document_settings_page.h"

#include <cstring>
#include <string>

#include "core/doc_ui_state.h"
#include "core/module_state.h"
#include "core/option_items.h"
#include "core/result_codes.h"
#include "log/driver_log.h"
#include "oemui/docsettings/preset_table.h"
#include "oemui/docsettings/settings_list.h"
#include "oemui/page_messages.h"
#include "oemui/tools/coded_message.h"
#include "oemui/tools/package_library.h"
#include "platform/last_error.h"
#include "platform/package_library.h"
#include "platform/spooler.h"
#include "platform/string_table.h"

namespace kvt {
namespace {

constexpr wchar_t kLogArea[] = L"Doc Format";
constexpr char16_t kResourceLibrary[] = u"KvtQvj2Res.dll";
constexpr std::size_t kTextChars = 256;
constexpr int kPresetFontGrowth = 2;  // the preset combo's font is 2 units larger
constexpr int kPresetFieldHeight = 24;

// The settings list's items the page selects.
constexpr std::uint32_t kGeneralItem = 1;
constexpr std::uint32_t kPaperCutItem = 8;
constexpr std::uint32_t kOptionItem = 13;
constexpr std::uint32_t kEventItems[4] = {14, 24, 31, 38};  // print start .. print end

// The option groups as the apply step logs them, in record order.
constexpr const wchar_t* kOptionDumpTitles[4] = {
    L"DocFormat Apply [Option/StartDoc]", L"DocFormat Apply [Option/StartPage]",
    L"DocFormat Apply [Option/EndPage]", L"DocFormat Apply [Option/EndDoc]"};

void LogFailure(int line, HANDLE printer, const wchar_t* what) {
  const std::uint32_t error = GetThreadLastError();
  WriteDriverLog(LogSource{kModuleDriverUi, line, error, kLogError, kLogArea}, printer, L"%ls",
                 what);
}

std::u16string TextOf(LPTSTR text) {
  return text == nullptr ? std::u16string() : std::u16string(reinterpret_cast<char16_t*>(text));
}

}  // namespace

DocumentSettingsPage::DocumentSettingsPage(DialogPort& port, PageContext* context,
                                           SectionProcedures procedures)
    : port_(port), context_(context), frame_(port, context), procedures_(procedures) {}

DocumentSettingsPage::~DocumentSettingsPage() {
  if (DocUiState* ui = frame_.ui_state(); ui != nullptr && ui->hDocumentWnd == port_.Window()) {
    ui->hDocumentWnd = nullptr;
  }
}

std::uint32_t DocumentSettingsPage::OnInit() {
  if (context_ == nullptr) return kResultNoMemory;
  std::u16string driver_name;
  if (Service<Spooler>().GetPrinterDriverName(context_->hPrinter, &driver_name) !=
      Spooler::DriverNameStatus::kOk) {
    LogFailure(__LINE__, context_->hPrinter, L"GetPrinterW level 2");
    return kResultUnreadable;
  }

  presets_ = &SelectPresetTable(driver_name);
  reductions_ = &SelectReductionTable(driver_name);
  if (DocUiState* ui = frame_.ui_state()) ui->hDocumentWnd = port_.Window();
  if (context_->bCanChange == 0) {
    port_.Enable(kPresetComboId, false);
    port_.Enable(kSectionGroupId, false);
  }
  // Without a timer the page is finished at once.
  if (!port_.StartTimer(kFinishInitTimer, 1)) return FinishInit();
  return kResultOk;
}

std::uint32_t DocumentSettingsPage::FinishInit() {
  if (finished_) return kResultOk;
  finished_ = true;
  port_.StopTimer(kFinishInitTimer);
  std::uint32_t code = FillPresetCombo();
  if (code != kResultOk) return code;
  // The General section now; the others when they are first needed.
  if ((code = ShowOnly(kGeneralSection)) != kResultOk) return code;

  preview_ = std::make_unique<SettingsPreview>(ModuleInstance());
  if ((code = frame_.AttachPictureAndList([this] { return OnRedrawPreview(); })) != kResultOk) {
    LogFailure(__LINE__, context_->hPrinter, L"Preview, splitter or settings list");
    return code;
  }
  if ((code = BuildSettingsList(port_, kSettingsListId)) != kResultOk ||
      (code = OnRefreshList()) != kResultOk) {
    LogFailure(__LINE__, context_->hPrinter, L"Settings list");
    return code;
  }
  port_.TreeSelect(kSettingsListId, kGeneralItem);
  if (activation_pending_) {
    activation_pending_ = false;
    return OnSetActive();
  }
  return kResultOk;
}

std::uint32_t DocumentSettingsPage::FillPresetCombo() {
  std::uint32_t code = port_.AttachCustom(kPresetComboId, CustomControl::kComboBox);
  if (code != kResultOk) {
    LogFailure(__LINE__, context_->hPrinter, L"Preset combo");
    return code;
  }
  DialogFont font;
  if (port_.GetFont(&font)) {
    font.height -= kPresetFontGrowth;
    port_.SetItemFont(kPresetComboId, font);
  }
  port_.ComboSetItemHeight(kPresetComboId, -1, kPresetFieldHeight);
  for (std::uint32_t row = 0; row < presets_->dwCount; ++row) {
    const PresetRow& preset = presets_->pRows[row];
    std::u16string text;
    Service<StringTable>().Load(ModuleInstance(), preset.dwStringId, kTextChars, &text);
    // A row whose icon is missing is still offered, without the icon.
    port_.ComboAddItem(kPresetComboId, static_cast<int>(row),
                       ComboItem{text, preset.byPreset, ComboIconKind::kBitmap, preset.dwIconId});
  }
  port_.ComboRebuild(kPresetComboId);
  port_.ComboSelectByData(kPresetComboId, working().byPreset);
  return kResultOk;
}

std::uint32_t DocumentSettingsPage::MakeSection(int index) {
  if (sections_[index] != nullptr) return kResultOk;
  static constexpr std::uint16_t kTemplates[] = {kGeneralSectionTemplate, kPaperCutSectionTemplate,
                                                 kOptionSectionTemplate};
  HWND section = nullptr;
  const std::uint32_t code =
      frame_.MakeSection(kTemplates[index], procedures_[index], kSectionGroupId, &section);
  if (code != kResultOk) {
    LogFailure(__LINE__, context_->hPrinter, L"Section");
    // A section made but not placed is the page's child all the same.
    sections_[index] = section;
    return code;
  }
  sections_[index] = section;
  return kResultOk;
}

std::uint32_t DocumentSettingsPage::ShowOnly(int index) {
  if (std::uint32_t code = MakeSection(index)) return code;
  for (int i = 0; i < static_cast<int>(sections_.size()); ++i) {
    if (sections_[i] != nullptr) port_.ShowChild(sections_[i], i == index);
  }
  return kResultOk;
}

void DocumentSettingsPage::RefreshIpdFontUsable() {
  ::kvt::RefreshIpdFontUsable(frame_.ui_state());
}

bool DocumentSettingsPage::AskReductionQuestion() {
  const DocUiState* ui = frame_.ui_state();
  const PrivateSettings& s = working();
  if (ui == nullptr || ui->bIpdFontUsable == 0 || ui->bLandscape != 0 || s.byDirection != 0 ||
      s.byReduction != 0 || s.byWatermark != 0 || prompting_) {
    return true;
  }
  prompting_ = true;
  const int answer =
      ShowCodedMessage(__LINE__, port_.Window(), kReductionQuestionCode, kMbOkCancel);
  prompting_ = false;
  port_.Redraw(0);
  return answer == kIdOk;
}

OPTITEM* DocumentSettingsPage::DriverItem(BYTE dmpub_id) {
  OEMCUIPPARAM* cuip = context_->pOemCuipParam;
  if (cuip == nullptr) return nullptr;
  return FindItemByDmPubId(cuip->pDrvOptItems, cuip->cDrvOptItems, dmpub_id);
}

void DocumentSettingsPage::UpdateDriverItem(OPTITEM* item) {
  OEMCUIPPARAM* cuip = context_->pOemCuipParam;
  if (cuip == nullptr || cuip->poemuiobj == nullptr) return;
  const OEMUIPROCS* procs = cuip->poemuiobj->pOemUIProcs;
  if (procs == nullptr || procs->DrvUpdateUISetting == nullptr) return;
  procs->DrvUpdateUISetting(cuip->poemuiobj, item, 0, abi::OEMCUIP_DOCPROP);
}

std::optional<LONG> DocumentSettingsPage::FindPresetForm(std::uint8_t preset) {
  const std::uint32_t id = PresetFormStringId(preset);
  if (id == 0) return std::nullopt;
  // By full path from the plug-in's folder: a library of this name in the
  // application's or the current folder must never be run.
  ModuleHandle library = LoadPackageLibrary(kResourceLibrary);
  if (library == nullptr) return std::nullopt;
  std::u16string name;
  const bool loaded = Service<StringTable>().Load(library, id, kTextChars, &name);
  Service<PackageLibraryLoader>().Free(library);
  if (!loaded || name.empty()) return std::nullopt;
  const OPTITEM* forms = DriverItem(kDmPubFormName);
  if (forms == nullptr || forms->pOptType == nullptr || forms->pOptType->pOptParam == nullptr) {
    return std::nullopt;
  }
  for (WORD i = 0; i < forms->pOptType->Count; ++i) {
    if (TextOf(forms->pOptType->pOptParam[i].pData) == name) return static_cast<LONG>(i);
  }
  return std::nullopt;
}

std::uint32_t DocumentSettingsPage::OnPresetChange() {
  if (port_.ComboSelectedIndex(kPresetComboId) < 0) return kResultInvalid;
  const std::int32_t chosen = port_.ComboSelectedData(kPresetComboId);
  PrivateSettings& s = working();
  if (chosen == s.byPreset) return kResultOk;
  const auto preset = static_cast<std::uint8_t>(chosen);
  if (IsReductionPreset(preset) && !AskReductionQuestion()) {
    port_.ComboSelectByData(kPresetComboId, s.byPreset);
    RefreshIpdFontUsable();
    return kResultOk;
  }
  port_.ComboSelectByData(kPresetComboId, preset);
  s.byPreset = preset;
  if (preset != kPresetUserSetting) s.byWatermark = 0;

  if (const std::optional<LONG> row = FindPresetForm(preset)) {
    OPTITEM* form = DriverItem(kDmPubFormName);
    if (form != nullptr && form->Sel != *row) {
      form->Sel = *row;
      form->Flags |= kOptifChanged;
      UpdateDriverItem(form);
    }
  }
  if (preset != kPresetUserSetting) {
    // Every preset prints portrait. A driver without the item has nothing
    // to turn.
    if (OPTITEM* orientation = DriverItem(kDmPubOrientation)) {
      orientation->Sel = 0;
      orientation->Flags |= kOptifChanged;
      UpdateDriverItem(orientation);
    }
    if (DocUiState* ui = frame_.ui_state()) ui->bLandscape = 0;
    RefreshIpdFontUsable();
  }
  for (int i = 0; i < static_cast<int>(sections_.size()); ++i) {
    if (std::uint32_t code = MakeSection(i)) return code;
    port_.Send(sections_[i], kDsmApplyPreset, 0, 0);
  }

  std::uint32_t code = OnShowSection(current_item_);
  port_.NotifyChanged(port_.Parent(), nullptr);
  if (std::uint32_t failed = OnRedrawPreview(); code == kResultOk) code = failed;
  if (std::uint32_t failed = OnRefreshList(); code == kResultOk) code = failed;
  RefreshIpdFontUsable();
  return code;
}

void DocumentSettingsPage::OnUserPreset() {
  working().byPreset = kPresetUserSetting;
  // Selects row 0 when the table has no User Setting row.
  port_.ComboSelectByData(kPresetComboId, kPresetUserSetting);
  if (DocUiState* ui = frame_.ui_state()) ui->bChangedOutside = 0;
}

std::uint32_t DocumentSettingsPage::OnShowSection(std::uint32_t item) {
  std::uint32_t code = kResultOk;
  switch (item) {
    case kGeneralItem:
      code = ShowOnly(kGeneralSection);
      break;
    case kPaperCutItem:
      code = ShowOnly(kPaperCutSection);
      break;
    case kOptionItem:
      if ((code = ShowOnly(kOptionSection)) != kResultOk) break;
      port_.Send(sections_[kOptionSection], kDsmFormatKeycode, 0, 0);
      port_.TreeSelect(kSettingsListId, kEventItems[current_event_]);
      break;
    default: {
      int event = -1;
      for (int e = 0; e < 4; ++e) {
        if (kEventItems[e] == item) event = e;
      }
      if (event < 0) return kResultInvalid;
      if ((code = ShowOnly(kOptionSection)) != kResultOk) break;
      port_.Send(sections_[kOptionSection], kDsmFormatKeycode, 0, 0);
      port_.Send(sections_[kOptionSection], kDsmSelectEvent, static_cast<WPARAM>(event), 0);
      break;
    }
  }
  if (code != kResultOk) return code;
  current_item_ = item;
  return kResultOk;
}

std::uint32_t DocumentSettingsPage::OnEventSelected(std::uint32_t event) {
  // Checked before it is kept: the event indexes the four event items.
  if (event > 3) return kResultInvalid;
  current_event_ = event;
  port_.TreeExpand(kSettingsListId, kOptionItem, true);
  port_.TreeSelect(kSettingsListId, kEventItems[event]);
  port_.Redraw(kSettingsListId);
  current_item_ = kEventItems[event];
  return kResultOk;
}

std::uint32_t DocumentSettingsPage::OnSetActive() {
  frame_.LayOutAroundKeptSplitter();
  std::uint32_t code = OnShowSection(current_item_);
  if (sections_[kOptionSection] != nullptr) {
    port_.Send(sections_[kOptionSection], kDsmFormatKeycode, 0, 0);
  }
  const PrivateSettings& s = working();
  if (s.byWatermark != 0) OnUserPreset();
  // The paper may have been changed on the driver's own page.
  if (const std::optional<LONG> row = FindPresetForm(s.byPreset)) {
    const OPTITEM* form = DriverItem(kDmPubFormName);
    if (form != nullptr && form->Sel != *row) OnUserPreset();
  }
  if (const DocUiState* ui = frame_.ui_state(); ui != nullptr && ui->bChangedOutside == 1) {
    OnUserPreset();
  }
  port_.Send(sections_[kGeneralSection], kDsmRefreshReduction, 0, 0);
  if (std::uint32_t failed = OnRedrawPreview(); code == kResultOk) code = failed;
  if (std::uint32_t failed = OnRefreshList(); code == kResultOk) code = failed;
  return code;
}

std::uint32_t DocumentSettingsPage::OnApply() {
  std::memcpy(&context_->AppliedSettings, &context_->WorkingSettings, sizeof(PrivateSettings));
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&context_->AppliedSettings);
  const std::uint32_t error = GetThreadLastError();
  const LogSource source{kModuleDriverUi, __LINE__, error, kLogInfo, kLogArea};
  constexpr std::size_t kGeneralOffset = 12;
  constexpr std::size_t kGeneralLength = 20;
  WriteDriverLogDump(source, context_->hPrinter, bytes + kGeneralOffset, kGeneralLength, nullptr, 0,
                     L"%ls", L"DocFormat Apply [General/Cut/Mark]");
  for (int group = 0; group < kOptionCommandGroupCount; ++group) {
    const auto* start =
        reinterpret_cast<const std::uint8_t*>(&context_->AppliedSettings.optionGroups[group]);
    WriteDriverLogDump(source, context_->hPrinter, start, sizeof(OptionCommandGroup), nullptr, 0,
                       L"%ls", kOptionDumpTitles[group]);
  }
  ReportApplied(context_);
  return kResultOk;
}

std::uint32_t DocumentSettingsPage::OnRedrawPreview() {
  if (preview_ == nullptr) return kResultOk;
  const DocUiState* ui = frame_.ui_state();
  const bool landscape = ui != nullptr && ui->bLandscape == 1;
  // Activation follows initialisation at once, and every store asks again:
  // the picture shown already is the one these settings give.
  if (shown_picture_ && shown_picture_->landscape == landscape &&
      std::memcmp(&shown_picture_->settings, &working(), sizeof(PrivateSettings)) == 0) {
    return kResultOk;
  }
  const std::uintptr_t cursor = port_.ShowWaitCursor();
  CMyDibSection2 picture;
  std::uint32_t code = preview_->Compose(working(), landscape, &picture);
  // A failed composition leaves the picture shown before.
  if (code == kResultOk) code = port_.PreviewSetImage(kPreviewId, picture);
  port_.RestoreCursor(cursor);
  if (code == kResultOk) shown_picture_ = ShownPicture{working(), landscape};
  return code;
}

std::uint32_t DocumentSettingsPage::OnRefreshList() {
  if (reductions_ == nullptr) return kResultOk;
  // The texts and marks depend on the two records alone.
  if (shown_list_ &&
      std::memcmp(&shown_list_->working, &context_->WorkingSettings, sizeof(PrivateSettings)) ==
          0 &&
      std::memcmp(&shown_list_->applied, &context_->AppliedSettings, sizeof(PrivateSettings)) ==
          0) {
    return kResultOk;
  }
  const std::uint32_t code = RefreshSettingsList(port_, kSettingsListId, context_->WorkingSettings,
                                                 context_->AppliedSettings, *reductions_);
  if (code == kResultOk) {
    shown_list_ = ShownList{context_->WorkingSettings, context_->AppliedSettings};
  } else {
    shown_list_.reset();
  }
  return code;
}

std::uint32_t DocumentSettingsPage::Dispatch(UINT message, WPARAM wparam, LPARAM lparam,
                                             bool* handled) {
  *handled = true;
  std::uint32_t code = kResultOk;
  if (message == kWmTimer && wparam == kFinishInitTimer) {
    code = FinishInit();
    frame_.ShowFailure(code);
    return code;
  }
  if (!finished_) {
    const auto* header =
        message == kWmNotify ? reinterpret_cast<const NotifyHeader*>(lparam) : nullptr;
    if (header != nullptr && header->code == kPsnSetActive) {
      // Activated as the sheet opens: FinishInit activates it.
      activation_pending_ = true;
      return kResultOk;
    }
    // What the page acts on needs its sections and list; the window
    // manager's own messages pass as they are.
    const bool page_command =
        message == kWmCommand &&
        ((NotifyId(wparam) == kPresetComboId && NotifyCode(wparam) == kCbnSelChange) ||
         (NotifyId(wparam) == kEditCommandButtonId && NotifyCode(wparam) == kBnClicked));
    bool page_message =
        page_command ||
        (header != nullptr && (header->code == kPsnKillActive || header->code == kPsnApply));
    for (UINT own : {kDsmSplitterMoved, kDsmShowSection, kDsmRedrawPreview, kDsmUserPreset,
                     kDsmRefreshList, kDsmEventSelected}) {
      page_message = page_message || message == own;
    }
    if (page_message && (code = FinishInit()) != kResultOk) {
      frame_.ShowFailure(code);
      return code;
    }
  }
  switch (message) {
    case kWmCommand:
      if (NotifyId(wparam) == kPresetComboId && NotifyCode(wparam) == kCbnSelChange) {
        code = OnPresetChange();
      } else if (NotifyId(wparam) == kEditCommandButtonId && NotifyCode(wparam) == kBnClicked) {
        port_.Send(sections_[kOptionSection], message, wparam, lparam);
      } else {
        // Focus and drop-down notifications of the controls: nothing to
        // do, and nothing to tell the user about.
        *handled = false;
        return kResultUnhandledCommand;
      }
      break;
    case kWmNotify: {
      const auto* header = reinterpret_cast<const NotifyHeader*>(lparam);
      if (header == nullptr) return kResultInvalid;
      code = RouteSheetNotification(*this, *header, handled);
      break;
    }
    case kDsmSplitterMoved:
      frame_.LayOutAroundSplitter(static_cast<std::int16_t>(NotifyCode(wparam)));
      break;
    case kDsmShowSection:
      code = OnShowSection(static_cast<std::uint32_t>(wparam));
      break;
    case kDsmRedrawPreview:
      code = OnRedrawPreview();
      break;
    case kDsmUserPreset:
      OnUserPreset();
      break;
    case kDsmRefreshList:
      code = OnRefreshList();
      break;
    case kDsmEventSelected:
      code = OnEventSelected(static_cast<std::uint32_t>(wparam));
      break;
    default:
      *handled = false;
  }
  frame_.ShowFailure(code);
  return code;
}

}  // namespace kvt
