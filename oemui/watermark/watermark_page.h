// The Watermark page (dialog template 120), third page of the printing
// preferences: an image stored in the printer under a two-digit key code,
// placed on a 3 x 3 grid, shown on a small receipt and in the settings
// list, with a test print of the stored image.
//
// WatermarkPage holds all of the page's behaviour and acts through its
// dialog port, so a native test runs it on fake windows;
// WatermarkPageProc (win32/) only adapts window messages and draws the
// grid's picture.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "oemui/controls/spin_binding.h"
#include "oemui/page_frame.h"
#include "oemui/watermark/watermark_preview.h"
#include "platform/property_sheet_abi.h"

namespace kvt {

// The question before an image turns the printer's device fonts off.
inline constexpr std::uint32_t kWatermarkQuestionCode = 1020;
// The grid's picture, enabled and disabled.
inline constexpr std::uint32_t kGridPictureId = 155;
inline constexpr std::uint32_t kGridPictureDisabledId = 167;

class WatermarkPage {
 public:
  WatermarkPage(DialogPort& port, PageContext* context);
  WatermarkPage(const WatermarkPage&) = delete;
  WatermarkPage& operator=(const WatermarkPage&) = delete;

  // Every handler answers 0 or a result code (core/result_codes.h).
  std::uint32_t OnInit();
  std::uint32_t OnImageChange();
  std::uint32_t OnClick(int id);
  std::uint32_t OnArrow(UINT message, int id);
  std::uint32_t OnKeycodeTyped();
  std::uint32_t OnSpin();
  std::uint32_t OnSetActive();
  void OnKillActive() { frame_.KeepSplitterPosition(); }
  std::uint32_t OnApply();

  // One window message for the page: runs its handler, shows a failure
  // through the frame and answers the handler's code. |*handled| says
  // whether the message is the page's own.
  std::uint32_t Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled);

  PageFrame& frame() { return frame_; }
  // Whether the grid's picture shows enabled (the procedure draws it).
  bool GridEnabled() { return port_.IsEnabled(kGridPictureControl); }
  // The grid's buttons sit on the picture: they take its white.
  static bool IsGridButton(int id);

 private:
  static constexpr int kGridPictureControl = 1218;

  PrivateSettings& working() { return context_->WorkingSettings; }
  bool CanChange() const { return context_->bCanChange != 0; }
  void LoadControls();
  // Shows, enables or hides every control by the Image list's mode.
  void Refresh();
  std::uint32_t Compose();
  std::uint32_t RefreshList();
  // Reads the controls into the working settings; tells the sheet when
  // anything changed.
  std::uint32_t Collect();
  std::uint32_t TestPrint();
  void CheckPosition(int position);
  void WriteKeycode(int value);
  bool AskImageQuestion();

  DialogPort& port_;
  PageContext* context_;
  PageFrame frame_;
  SpinBinding keycode_spin_;
  std::unique_ptr<WatermarkPreview> preview_;
  // The file name as the record held it, so an untouched name is written
  // back exactly as it came.
  std::u16string loaded_file_;
  bool asking_ = false;
  bool initialised_ = false;
};

// The page's dialog procedure (win32/; on Linux there are no windows and it
// handles nothing).
INT_PTR CALLBACK WatermarkPageProc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace kvt
