// What every section of a document page does with the page's scaling and
// with a user who may not change settings, whichever page hosts it.
#pragma once

#include "core/page_context.h"
#include "oemui/controls/dialog_port.h"

namespace kvt {

// DSM_SCALELAYOUT: every child shrunk to |factor| thousandths, with |font|
// made smaller by a step that grows as the factor falls (none without a
// font).
void ScaleSectionLayout(DialogPort& port, int factor, const DialogFont* font);
// DSM_DISABLEALL: every child disabled when |context| says the user may not
// change settings.
void DisableSectionControls(DialogPort& port, const PageContext& context);

// Both of the above for a section's message routing: true when |message|
// was DSM_SCALELAYOUT (lParam the page's font) or DSM_DISABLEALL.
bool AnswerFrameMessage(DialogPort& port, const PageContext* context, UINT message, WPARAM wparam,
                        LPARAM lparam);

}  // namespace kvt
