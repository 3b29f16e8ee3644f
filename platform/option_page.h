// Option page port: the few things the option items' callback does on the
// framework's own page window, to keep its orientation controls in step
// with the plug-in's rules (Windows: GetDlgItem, GetWindow,
// GetWindowLongPtrW, BM_GETCHECK/BM_SETCHECK, CB_/LB_ GETCURSEL and
// SETCURSEL, GetFocus, SetFocus, SendMessageW; Linux: there are no
// windows, so no control is ever found).
#pragma once

#include <cstdint>

#include "platform/framework_abi.h"
#include "platform/service.h"

namespace kvt {

class OptionPage {
 public:
  virtual ~OptionPage() = default;

  // The child control |id| of |page|; null when there is none.
  virtual HWND Control(HWND page, int id) = 0;
  // The window after |window| among its siblings; null at the end.
  virtual HWND Next(HWND window) = 0;
  // The window's style bits (GWL_STYLE).
  virtual std::uint32_t Style(HWND window) = 0;
  // Check state of a button control.
  virtual bool IsChecked(HWND button) = 0;
  virtual void SetChecked(HWND button, bool checked) = 0;
  // The selected row of a combo box or list box, -1 when none.
  virtual int Selection(HWND list) = 0;
  virtual void Select(HWND list, int row) = 0;
  // The window with the keyboard focus, and moving the focus.
  virtual HWND Focus() = 0;
  virtual void SetFocus(HWND window) = 0;
  // Sends |message| with no arguments.
  virtual void Send(HWND window, UINT message) = 0;
};

template <>
OptionPage& DefaultService<OptionPage>();

}  // namespace kvt
