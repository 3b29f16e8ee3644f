// The window port: what the plug-in does to windows it reaches by handle
// rather than through a dialog of its own: the framework's option page,
// whose orientation controls the option items' callback keeps in step with
// the plug-in's rules, and the data a page keeps in its own window.
//
// The dialog port (oemui/controls/dialog_port.h) extends it with everything
// a page or section does to its own controls, so one set of window
// operations serves both. Windows: GetDlgItem, GetWindow,
// GetWindowLongPtrW, BM_ and CB_/LB_ messages, GetFocus, SetFocus,
// SendMessageW, GWLP_USERDATA. Linux: there are no windows, so no control
// is ever found.
#pragma once

#include <cstdint>

#include "platform/framework_abi.h"
#include "platform/service.h"

namespace kvt {

class WindowPort {
 public:
  virtual ~WindowPort() = default;

  // The child control |id| of |dialog|; null when there is none.
  virtual HWND ControlOf(HWND dialog, int id) = 0;
  // The window after |window| among its siblings; null at the end.
  virtual HWND NextSibling(HWND window) = 0;
  // The window's style bits (GWL_STYLE).
  virtual std::uint32_t StyleOf(HWND window) = 0;
  // Check state of a button control.
  virtual bool IsButtonChecked(HWND button) = 0;
  virtual void SetButtonChecked(HWND button, bool checked) = 0;
  // The selected row of a combo box or list box, -1 when none.
  virtual int ListSelection(HWND list) = 0;
  virtual void SelectListRow(HWND list, int row) = 0;
  // The window with the keyboard focus, and moving the focus.
  virtual HWND FocusedWindow() = 0;
  virtual void FocusWindow(HWND window) = 0;
  // Messages to any window.
  virtual LRESULT Send(HWND target, UINT message, WPARAM wparam, LPARAM lparam) = 0;
  // What a page keeps in its own window (the sheet's page context), stored
  // at WM_INITDIALOG and read on later messages.
  virtual void SetPageData(HWND page, void* data) = 0;
  virtual void* PageData(HWND page) = 0;
};

template <>
WindowPort& DefaultService<WindowPort>();

}  // namespace kvt
