#include "oemui/fontpage/barcode_2d_font_section.h"

#include "core/result_codes.h"
#include "oemui/page_messages.h"
#include "oemui/section_frame.h"

namespace kvt {

std::uint32_t Barcode2DFontSection::OnInit() {
  return context_ != nullptr ? kResultOk : kResultNoMemory;
}

std::uint32_t Barcode2DFontSection::Dispatch(UINT message, WPARAM wparam, LPARAM lparam,
                                             bool* handled) {
  *handled = true;
  if (AnswerFrameMessage(port_, context_, message, wparam, lparam)) return kResultOk;
  // Nothing of the record is edited here yet.
  if (message == kDsmStore) return kResultOk;
  *handled = false;
  return kResultOk;
}

}  // namespace kvt
