// Message box port: the owner-window operations around a message box and
// the box itself (Windows: EnableWindow, GetParent, GetWindowTextW,
// MessageBoxW; Linux: there are no windows; see host/message_box_host.cpp).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/framework_abi.h"
#include "platform/service.h"

namespace kvt {

class MessageBoxUi {
 public:
  virtual ~MessageBoxUi() = default;

  // Enables or disables input to |window|.
  virtual void EnableWindow(HWND window, bool enable) = 0;
  // The parent (or owner) of |window|; null when it has none.
  virtual HWND Parent(HWND window) = 0;
  // The caption of |window|, cut to |capacity| - 1 characters; empty when it
  // has none or |window| is null.
  virtual std::u16string WindowText(HWND window, std::size_t capacity) = 0;
  // Shows a modal message box owned by |owner| and answers the button
  // pressed (IDOK, IDCANCEL, ...), or 0 when the box cannot be shown.
  virtual int Show(HWND owner, std::u16string_view text, std::u16string_view title, UINT style) = 0;
};

template <>
MessageBoxUi& DefaultService<MessageBoxUi>();

}  // namespace kvt
