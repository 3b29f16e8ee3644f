#include "oemui/section_frame.h"

#include "oemui/page_messages.h"

namespace kvt {

void ScaleSectionLayout(DialogPort& port, int factor, const DialogFont* font) {
  DialogFont smaller;
  if (font != nullptr) {
    smaller = *font;
    smaller.height += factor >= 900 && factor <= 999 ? 1 : factor >= 800 && factor <= 899 ? 2 : 3;
  }
  for (HWND child : port.Children()) {
    if (font != nullptr) port.SetChildFont(child, smaller);
    if (const std::optional<DialogRect> r = port.ChildRect(child)) {
      port.MoveChild(child, DialogRect{r->left * factor / 1000, r->top * factor / 1000,
                                       r->right * factor / 1000, r->bottom * factor / 1000});
    }
  }
}

void DisableSectionControls(DialogPort& port, const PageContext& context) {
  if (context.bCanChange != 0) return;
  for (HWND child : port.Children()) port.EnableChild(child, false);
}

bool AnswerFrameMessage(DialogPort& port, const PageContext* context, UINT message, WPARAM wparam,
                        LPARAM lparam) {
  if (message == kDsmScaleLayout) {
    ScaleSectionLayout(port, static_cast<int>(wparam), reinterpret_cast<const DialogFont*>(lparam));
    return true;
  }
  if (message == kDsmDisableAll) {
    if (context != nullptr) DisableSectionControls(port, *context);
    return true;
  }
  return false;
}

}  // namespace kvt
