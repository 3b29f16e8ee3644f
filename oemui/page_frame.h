// What the three document pages share: the sheet's page context kept in the
// page window, the picture above a splitter with the settings list below
// it, sections placed (and shrunk when too wide) inside a group box, the
// splitter position kept across page visits, the failure handling that
// shows a coded message and cancels the sheet, and the apply step of the
// document sheet's life (the working copy becomes the applied one and the
// sheet hears CPSUI_OK, so the framework asks for the result).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/doc_ui_state.h"
#include "core/page_context.h"
#include "oemui/controls/dialog_port.h"
#include "platform/property_sheet_abi.h"

namespace kvt {

inline constexpr UINT kWmNotify = 0x004E;  // WM_NOTIFY
// Notification codes of WM_NOTIFY from the sheet (PSN_FIRST is 0 - 200).
inline constexpr UINT kPsnSetActive = static_cast<UINT>(0u - 200u - 0u);
inline constexpr UINT kPsnKillActive = static_cast<UINT>(0u - 200u - 1u);
inline constexpr UINT kPsnApply = static_cast<UINT>(0u - 200u - 2u);

// The first fields of NMHDR, as WM_NOTIFY's lParam points to them.
struct NotifyHeader {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};

// Copies WorkingSettings over AppliedSettings and reports CPSUI_OK through
// the sheet callback with the Font page's handle. Nothing without a context
// or a callback.
void ApplyDocumentPages(PageContext* context);
// The second half alone: CPSUI_OK through the sheet callback, for a page
// that logs what it applied in between.
void ReportApplied(PageContext* context);

// WM_NOTIFY from the sheet to a page that has OnSetActive, OnKillActive and
// OnApply: runs the one the notification names and answers its code;
// |*handled| is cleared for any other notification.
template <typename Page>
std::uint32_t RouteSheetNotification(Page& page, const NotifyHeader& header, bool* handled) {
  if (header.code == kPsnSetActive) return page.OnSetActive();
  if (header.code == kPsnApply) return page.OnApply();
  if (header.code == kPsnKillActive) {
    page.OnKillActive();
  } else {
    *handled = false;
  }
  return 0;
}

// The frame's handling of the messages every page shares: WM_INITDIALOG
// (keeps the context from the page description's lParam) and PSN_APPLY.
// The pages that have no code of their own yet use it as their procedure.
INT_PTR PageFrameMessage(HWND page, UINT message, LPARAM lparam);

// Ids of the controls the three page templates share.
inline constexpr int kPreviewId = 1047;
inline constexpr int kSplitterId = 1287;
inline constexpr int kSettingsListId = 1050;

// The shared mechanics of one page window, acting through its port.
class PageFrame {
 public:
  PageFrame(DialogPort& port, PageContext* context) : port_(port), context_(context) {}

  DialogPort& port() { return port_; }
  PageContext* context() { return context_; }
  // The option items' block of the sheet; null when the sheet has none.
  DocUiState* ui_state();

  // n pixels at the screen's horizontal density (never below 96 dpi).
  int Scale(int pixels);

  // Makes a section: a child dialog of the page from |template_id| with
  // the page's context, hidden, placed in group box |group_id| and, when
  // the user may not change settings, told to disable itself. 101 when the
  // dialog cannot be made.
  std::uint32_t MakeSection(std::uint16_t template_id, DLGPROC procedure, int group_id,
                            HWND* section);

  // Puts each section at the group box's top-left, 6 pixels in and 36
  // down (scaled). A section too wide for the group with 6 pixels on
  // either side first hears DSM_SCALELAYOUT with the factor in
  // thousandths and the page's font, then is shrunk by that factor.
  std::uint32_t PlaceSections(int group_id, const std::vector<HWND>& sections);

  // Makes a panel that stands in for a page's sections: a child dialog like
  // a section, hidden and moved to where the sections sit, but never scaled
  // and never told to disable itself. 101 when the dialog cannot be made.
  std::uint32_t MakePanel(std::uint16_t template_id, DLGPROC procedure, int group_id, HWND* panel);

  // Replaces the three placeholders: the preview (|compose| then fills it;
  // its failure ends here with its code), the splitter and the settings
  // list. The first page to get here records the splitter's top as the
  // kept position; the layout around it is posted to the page.
  std::uint32_t AttachPictureAndList(const std::function<std::uint32_t()>& compose);

  // DSM_SPLITTERMOVED: the picture above the splitter's new top, the list
  // below it.
  void LayOutAroundSplitter(int top);
  // Activation: the layout around the kept position.
  void LayOutAroundKeptSplitter() { LayOutAroundSplitter(context_->nSplitterPos); }
  // PSN_KILLACTIVE: keeps the splitter's top for the other pages.
  void KeepSplitterPosition();

  // A handler's nonzero code: its message in an error box owned by the
  // page; for 101 and 202 the sheet's Cancel is pressed as well.
  void ShowFailure(std::uint32_t code);
  static bool CancelsSheet(std::uint32_t code);

 private:
  std::uint32_t Place(int group_id, const std::vector<HWND>& sections, bool scale);

  DialogPort& port_;
  PageContext* context_;
};

}  // namespace kvt
