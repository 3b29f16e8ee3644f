// The Document Settings page (dialog template 118), first page of the
// printing preferences: the preset combo, the General, Paper Cut and
// Option sections in a group box, the receipt picture and the settings
// list.
//
// DocumentSettingsPage holds all of the page's behaviour and acts through
// its dialog port, so a native test runs it on fake windows with its
// sections; DocumentSettingsPageProc (win32/) only adapts window messages.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "oemui/docsettings/reduction_table.h"
#include "oemui/docsettings/settings_preview.h"
#include "oemui/page_frame.h"
#include "platform/property_sheet_abi.h"

namespace kvt {

struct PresetTable;

// Templates and ids of the page.
inline constexpr std::uint16_t kGeneralSectionTemplate = 105;
inline constexpr std::uint16_t kPaperCutSectionTemplate = 103;
inline constexpr std::uint16_t kOptionSectionTemplate = 104;
inline constexpr int kPresetComboId = 1058;
inline constexpr int kSectionGroupId = 1061;
inline constexpr int kEditCommandButtonId = 1278;  // the option section's "Edit..."
// The page's timer that finishes its start after the sheet's first paint
// (window timers come after every pending paint).
inline constexpr std::uintptr_t kFinishInitTimer = 1;

// The question before a reduction preset turns device fonts off.
inline constexpr std::uint32_t kReductionQuestionCode = 1020;

// The sections in the order the page makes them and sends them presets.
enum SectionIndex : int { kGeneralSection = 0, kPaperCutSection = 1, kOptionSection = 2 };
using SectionProcedures = std::array<DLGPROC, 3>;

class DocumentSettingsPage {
 public:
  // |procedures|: the sections' dialog procedures (ignored by a fake port).
  DocumentSettingsPage(DialogPort& port, PageContext* context, SectionProcedures procedures);
  ~DocumentSettingsPage();
  DocumentSettingsPage(const DocumentSettingsPage&) = delete;
  DocumentSettingsPage& operator=(const DocumentSettingsPage&) = delete;

  // Every handler answers 0 or a result code (core/result_codes.h).
  // The page's frame: the printer's driver, the model's preset and
  // reduction tables and the page's place in the sheet's state. The
  // preset combo's rows, the sections, the picture and the list follow in
  // FinishInit once the sheet has painted (on the page's timer message, or
  // before any other message that needs them), so the sheet shows as soon
  // as the frame is ready.
  std::uint32_t OnInit();
  std::uint32_t FinishInit();
  std::uint32_t OnPresetChange();
  void OnUserPreset();
  std::uint32_t OnShowSection(std::uint32_t item);
  std::uint32_t OnEventSelected(std::uint32_t event);
  std::uint32_t OnSetActive();
  void OnKillActive() { frame_.KeepSplitterPosition(); }
  std::uint32_t OnApply();
  std::uint32_t OnRedrawPreview();
  std::uint32_t OnRefreshList();

  // One window message for the page: runs its handler, shows a failure
  // through the frame and answers the handler's code (104 for a command
  // the page does not take). |*handled| says whether the message is the
  // page's own.
  std::uint32_t Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled);

  PageFrame& frame() { return frame_; }
  // Null for a section not made yet.
  HWND section(int index) const { return sections_[index]; }
  std::uint32_t current_item() const { return current_item_; }
  std::uint32_t current_event() const { return current_event_; }

 private:
  PrivateSettings& working() { return context_->WorkingSettings; }
  // A section is made the first time it is shown or hears a preset: the
  // page then opens with one section's controls instead of three (making a
  // dialog is the dearest step of the page's start). Placed and, without
  // permission, disabled as it is made; hidden until shown.
  std::uint32_t MakeSection(int index);
  // The preset combo: owner-drawn, its font 2 units larger, a 24-pixel
  // field, the model's seven rows with their icons, the record's preset.
  std::uint32_t FillPresetCombo();
  std::uint32_t ShowOnly(int index);
  void RefreshIpdFontUsable();
  bool AskReductionQuestion();
  // The row of the driver's form item that carries the preset's form name.
  std::optional<LONG> FindPresetForm(std::uint8_t preset);
  OPTITEM* DriverItem(BYTE dmpub_id);
  void UpdateDriverItem(OPTITEM* item);

  DialogPort& port_;
  PageContext* context_;
  PageFrame frame_;
  SectionProcedures procedures_;
  std::array<HWND, 3> sections_{};
  std::uint32_t current_item_ = 1;
  std::uint32_t current_event_ = 0;
  bool prompting_ = false;
  // FinishInit has run; the sheet activated the page before it did.
  bool finished_ = false;
  bool activation_pending_ = false;
  const PresetTable* presets_ = nullptr;
  const ReductionTable* reductions_ = nullptr;
  std::unique_ptr<SettingsPreview> preview_;
  // What the picture and the list show now, so an unchanged record is not
  // drawn again.
  struct ShownPicture {
    PrivateSettings settings;
    bool landscape;
  };
  struct ShownList {
    PrivateSettings working;
    PrivateSettings applied;
  };
  std::optional<ShownPicture> shown_picture_;
  std::optional<ShownList> shown_list_;
};

// The page's dialog procedure (win32/; on Linux there are no windows and it
// handles nothing).
INT_PTR CALLBACK DocumentSettingsPageProc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace kvt
