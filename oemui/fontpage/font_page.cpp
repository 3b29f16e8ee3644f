#include "oemui/fontpage/font_page.h"

#include <string>
#include <vector>

#include "core/module_state.h"
#include "core/result_codes.h"
#include "log/driver_log.h"
#include "oemui/fontpage/device_font_rule.h"
#include "oemui/page_messages.h"
#include "oemui/watermark/dib_section.h"
#include "platform/last_error.h"
#include "platform/spooler.h"
#include "platform/string_table.h"
#include "resources/font_page_ids.h"
#include "resources/pictures/picture_ids.h"

namespace kvt {
namespace {

constexpr wchar_t kInitArea[] = L"Utility";
constexpr wchar_t kApplyArea[] = L"Font manager";
constexpr std::size_t kTextChars = 256;

constexpr std::uint16_t kTemplates[] = {IDD_DEVICE_FONT_SECTION, IDD_BARCODE_FONT_SECTION,
                                        IDD_BARCODE_2D_FONT_SECTION, IDD_CONTROL_A_FONT_SECTION};

struct FontEntry {
  std::uint32_t text_id;
  std::uint32_t icon_id;
};
constexpr FontEntry kEntries[kFontEntryCount] = {
    {IDS_DEVICE_FONT_SETTINGS, IDI_DEVICE_FONT},
    {IDS_BARCODE_FONT_SETTINGS, IDI_BARCODE},
    {IDS_BARCODE_2D_FONT_SETTINGS, IDI_BARCODE_2D},
    {IDS_CONTROL_A_FONT_SETTINGS, IDI_CONTROL_A},
};

std::u16string EntryText(int entry) {
  std::u16string text;
  Service<StringTable>().Load(ModuleInstance(), kEntries[entry].text_id, kTextChars, &text);
  return text;
}

}  // namespace

std::uint32_t FontPage::OnInit() {
  if (context_ == nullptr) return kResultNoWindowState;
  std::u16string driver_name;
  if (Service<Spooler>().GetPrinterDriverName(context_->hPrinter, &driver_name) !=
      Spooler::DriverNameStatus::kOk) {
    const std::uint32_t error = GetThreadLastError();
    WriteDriverLog(LogSource{kModuleDriverUi, __LINE__, error, kLogError, kInitArea},
                   context_->hPrinter, L"");
    return kResultUnreadable;
  }
  if (std::uint32_t code = MakeSections()) return code;
  if (std::uint32_t code = frame_.AttachPictureAndList([this] { return ComposePicture(); })) {
    return code;
  }
  if (std::uint32_t code = BuildList()) return code;
  if (std::uint32_t code = OnShowSection(current_entry_)) return code;
  // The sections were told to disable themselves as they were made.
  if (context_->bCanChange == 0) port_.Enable(kFontSectionGroupId, false);
  return kResultOk;
}

std::uint32_t FontPage::MakeSections() {
  for (int i = 0; i < kFontEntryCount; ++i) {
    if (std::uint32_t code =
            frame_.MakeSection(kTemplates[i], procedures_[i], kFontSectionGroupId, &sections_[i])) {
      return code;
    }
  }
  return frame_.MakePanel(IDD_FONT_UNAVAILABLE_PANEL, procedures_[kFontUnavailablePanel],
                          kFontSectionGroupId, &sections_[kFontUnavailablePanel]);
}

std::uint32_t FontPage::BuildList() {
  std::vector<std::uint32_t> icons;
  for (const FontEntry& entry : kEntries) icons.push_back(entry.icon_id);
  if (std::uint32_t code = port_.TreeSetIcons(kSettingsListId, icons)) return code;
  for (int entry = 0; entry < kFontEntryCount; ++entry) {
    TreeItemRecord record;
    record.kind = TreeItemKind::kHeader;
    record.id = FontEntryKey(entry);
    record.text = EntryText(entry);
    record.icon = entry;
    record.selectable = true;
    if (std::uint32_t code = port_.TreeAddItem(kSettingsListId, record)) return code;
  }
  port_.TreeLayout(kSettingsListId);
  port_.TreeSelect(kSettingsListId, FontEntryKey(current_entry_));
  port_.Redraw(kSettingsListId);
  return kResultOk;
}

std::uint32_t FontPage::OnShowSection(int entry) {
  if (entry < 0 || entry >= kFontEntryCount) return kResultInvalid;
  port_.SetText(kFontSectionGroupId, EntryText(entry));
  const int shown = DeviceFontsUsable(*context_) ? entry : kFontUnavailablePanel;
  for (int i = 0; i < static_cast<int>(sections_.size()); ++i) {
    if (sections_[i] != nullptr) port_.ShowChild(sections_[i], i == shown);
  }
  current_entry_ = entry;
  port_.TreeSelect(kSettingsListId, FontEntryKey(entry));
  return kResultOk;
}

std::uint32_t FontPage::ComposePicture() {
  const std::uint32_t id = DeviceFontsUsable(*context_) ? IDB_FONTS_USABLE : IDB_FONTS_BLOCKED;
  const std::uintptr_t cursor = port_.ShowWaitCursor();
  CMyDibSection2 picture;
  std::uint32_t code = picture.LoadPicture(ModuleInstance(), id);
  if (code == kResultOk) code = port_.PreviewSetImage(kPreviewId, picture);
  if (code == kResultOk) port_.Redraw(kPreviewId);
  port_.RestoreCursor(cursor);
  return code;
}

std::uint32_t FontPage::OnSetActive() {
  frame_.LayOutAroundKeptSplitter();
  // Direction, reduction, watermark and orientation live on the other
  // pages: the rule is asked again each time the page comes to the front.
  const std::uint32_t code = OnShowSection(current_entry_);
  const std::uint32_t composed = ComposePicture();
  return code != kResultOk ? code : composed;
}

void FontPage::SendToSections(UINT message, int count) {
  for (int i = 0; i < count; ++i) {
    if (sections_[i] != nullptr) port_.Send(sections_[i], message, 0, 0);
  }
}

void FontPage::OnKillActive() {
  frame_.KeepSplitterPosition();
  SendToSections(kDsmStore, kControlAFontSection);
}

std::uint32_t FontPage::OnApply() {
  SendToSections(kDsmStore, kFontEntryCount);
  ReportApplied(context_);
  const std::uint32_t error = GetThreadLastError();
  const LogSource source{kModuleDriverUi, __LINE__, error, kLogInfo, kApplyArea};
  const PrivateSettings& s = context_->WorkingSettings;
  WriteDriverLogDump(source, context_->hPrinter,
                     reinterpret_cast<const std::uint8_t*>(s.barcodeFonts), sizeof s.barcodeFonts,
                     nullptr, 0, L"%ls", L"Barcode Apply [Barcode]");
  WriteDriverLogDump(source, context_->hPrinter,
                     reinterpret_cast<const std::uint8_t*>(s.barcode2DFonts),
                     sizeof s.barcode2DFonts, nullptr, 0, L"%ls", L"Barcode Apply [2D Barcode]");
  return kResultOk;
}

std::uint32_t FontPage::Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled) {
  *handled = true;
  std::uint32_t code = kResultOk;
  switch (message) {
    case kWmCommand: {
      int target = -1;
      if (NotifyCode(wparam) == kBnClicked) {
        switch (NotifyId(wparam)) {
          case IDC_BARCODE_PRINT:
            target = kBarcodeFontSection;
            break;
          case IDC_BARCODE_2D_PRINT:
            target = kBarcode2DFontSection;
            break;
          case IDC_CONTROL_A_PRINT:
          case IDC_CONTROL_A_EDIT:
          case IDC_CONTROL_A_DELETE:
            target = kControlAFontSection;
            break;
          default:
            break;
        }
      }
      if (target < 0 || sections_[target] == nullptr) {
        *handled = false;
        return kResultUnhandledCommand;
      }
      port_.Send(sections_[target], message, wparam, lparam);
      break;
    }
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
      // Only the four entries' keys choose a section; anything else is
      // ignored.
      if (wparam >= FontEntryKey(0) && wparam < FontEntryKey(kFontEntryCount)) {
        code = OnShowSection(static_cast<int>(wparam - FontEntryKey(0)));
      }
      break;
    default:
      *handled = false;
  }
  frame_.ShowFailure(code);
  return code;
}

}  // namespace kvt
