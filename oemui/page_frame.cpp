#include "oemui/page_frame.h"

#include <algorithm>
#include <cstring>

#include "core/result_codes.h"
#include "oemui/controls/layout_splitter.h"
#include "oemui/page_messages.h"
#include "oemui/tools/coded_message.h"
#include "platform/window_port.h"

namespace kvt {
namespace {

constexpr int kSectionInset = 6;
constexpr int kSectionTop = 36;
constexpr int kBaseDpi = 96;

}  // namespace

void ApplyDocumentPages(PageContext* context) {
  if (context == nullptr) return;
  std::memcpy(&context->AppliedSettings, &context->WorkingSettings, sizeof(PrivateSettings));
  ReportApplied(context);
}

void ReportApplied(PageContext* context) {
  if (context == nullptr || context->pfnComPropSheet == nullptr) return;
  context->pfnComPropSheet(context->hComPropSheet, CPSFUNC_SET_RESULT,
                           reinterpret_cast<LPARAM>(context->hFontPage), CPSUI_OK);
}

INT_PTR PageFrameMessage(HWND page, UINT message, LPARAM lparam) {
  if (message == kWmInitDialog) {
    const auto* description = reinterpret_cast<const PropertySheetPageW*>(lparam);
    Service<WindowPort>().SetPageData(
        page, description != nullptr ? reinterpret_cast<void*>(description->lParam) : nullptr);
    return 1;  // let the dialog manager set the focus
  }
  if (message == kWmNotify && lparam != 0 &&
      reinterpret_cast<const NotifyHeader*>(lparam)->code == kPsnApply) {
    ApplyDocumentPages(static_cast<PageContext*>(Service<WindowPort>().PageData(page)));
    return 0;  // PSNRET_NOERROR: the sheet may close
  }
  return 0;
}

DocUiState* PageFrame::ui_state() {
  if (context_ == nullptr || context_->pOemCuipParam == nullptr) return nullptr;
  return static_cast<DocUiState*>(context_->pOemCuipParam->pOEMUserData);
}

int PageFrame::Scale(int pixels) {
  return pixels * std::max(port_.ScreenDpi(), kBaseDpi) / kBaseDpi;
}

std::uint32_t PageFrame::MakeSection(std::uint16_t template_id, DLGPROC procedure, int group_id,
                                     HWND* section) {
  *section = port_.CreateChildDialog(template_id, procedure, reinterpret_cast<LPARAM>(context_));
  if (*section == nullptr) return kResultNoWindowState;
  port_.ShowChild(*section, false);
  if (std::uint32_t code = PlaceSections(group_id, {*section})) return code;
  if (context_->bCanChange == 0) port_.Send(*section, kDsmDisableAll, 0, 0);
  return kResultOk;
}

std::uint32_t PageFrame::MakePanel(std::uint16_t template_id, DLGPROC procedure, int group_id,
                                   HWND* panel) {
  *panel = port_.CreateChildDialog(template_id, procedure, reinterpret_cast<LPARAM>(context_));
  if (*panel == nullptr) return kResultNoWindowState;
  port_.ShowChild(*panel, false);
  return Place(group_id, {*panel}, false);
}

std::uint32_t PageFrame::PlaceSections(int group_id, const std::vector<HWND>& sections) {
  return Place(group_id, sections, true);
}

std::uint32_t PageFrame::Place(int group_id, const std::vector<HWND>& sections, bool scale) {
  const std::optional<DialogRect> group = port_.ItemRect(group_id);
  if (!group) return kResultInvalid;
  const int inset = Scale(kSectionInset);
  const int left = group->left + inset;
  const int top = group->top + Scale(kSectionTop);
  DialogFont font;
  port_.GetFont(&font);
  for (HWND section : sections) {
    const std::optional<DialogRect> placed = port_.ChildRect(section);
    if (!placed) return kResultInvalid;
    int width = placed->Width();
    int height = placed->Height();
    const int needed = width + 2 * inset;
    if (scale && needed >= group->Width() && needed > 0) {
      const int factor = static_cast<int>(static_cast<long long>(group->Width()) * 1000 / needed);
      port_.Send(section, kDsmScaleLayout, static_cast<WPARAM>(factor),
                 reinterpret_cast<LPARAM>(&font));
      width = width * factor / 1000;
      height = height * factor / 1000;
    }
    port_.MoveChild(section, DialogRect{left, top, left + width, top + height});
  }
  return kResultOk;
}

std::uint32_t PageFrame::AttachPictureAndList(const std::function<std::uint32_t()>& compose) {
  if (std::uint32_t code = port_.AttachCustom(kPreviewId, CustomControl::kPreview)) return code;
  if (compose) {
    if (std::uint32_t code = compose()) return code;
  }
  if (std::uint32_t code = port_.AttachCustom(kSplitterId, CustomControl::kSplitter)) return code;
  if (context_->nSplitterPos == -1) {
    if (const std::optional<DialogRect> splitter = port_.ItemRect(kSplitterId)) {
      context_->nSplitterPos = splitter->top;
    }
  }
  if (std::uint32_t code = port_.AttachCustom(kSettingsListId, CustomControl::kTreeView)) {
    return code;
  }
  port_.Post(port_.Window(), kDsmSplitterMoved,
             MakeNotifyWParam(0, static_cast<std::uint16_t>(context_->nSplitterPos)), 0);
  return kResultOk;
}

void PageFrame::LayOutAroundSplitter(int top) { LayoutSplitter(port_, kSplitterId, top); }

void PageFrame::KeepSplitterPosition() {
  if (const std::optional<DialogRect> splitter = port_.ItemRect(kSplitterId)) {
    context_->nSplitterPos = splitter->top;
  }
}

bool PageFrame::CancelsSheet(std::uint32_t code) {
  return code == kResultNoWindowState || code == kResultUnreadable;
}

void PageFrame::ShowFailure(std::uint32_t code) {
  if (code == kResultOk) return;
  ShowCodedMessage(__LINE__, port_.Window(), code, kMbIconError);
  if (CancelsSheet(code)) port_.PressCancel(port_.Sheet());
}

}  // namespace kvt
