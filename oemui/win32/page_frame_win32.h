// The Win32 half of what the document pages share: the background erase
// that leaves out the picture and the list, and the dialog procedure of a
// section, which owns the section's object from WM_INITDIALOG to
// WM_DESTROY and hands it the window messages.
#pragma once

#include <windows.h>

#include <prsht.h>

#include <cstdint>
#include <memory>

#include "core/page_context.h"
#include "core/result_codes.h"
#include "oemui/controls/win32/dialog_port_win32.h"

namespace kvt {

// WM_ERASEBKGND of a page: the picture and the list paint their own
// backgrounds, so the rectangle from the picture's top-left to the list's
// bottom-right, grown by a pixel, is left out of the erase (no flicker
// while the splitter moves).
void ExcludePictureAndList(HWND page, HDC dc);

// The page context a page description carries (WM_INITDIALOG's lParam of
// a page).
inline PageContext* ContextFromDescription(LPARAM lparam) {
  const auto* description = reinterpret_cast<const PROPSHEETPAGEW*>(lparam);
  return description != nullptr ? reinterpret_cast<PageContext*>(description->lParam) : nullptr;
}

// What a page's procedure keeps in its window from WM_INITDIALOG to
// WM_DESTROY: a |State| holding the port and the page object, made from
// the window and the page's context.
template <typename State>
State* PageStateOf(HWND window) {
  return reinterpret_cast<State*>(GetWindowLongPtrW(window, DWLP_USER));
}

// WM_INITDIALOG of a page: makes its state and initialises the page; a
// failure is shown (and, for 101 and 202, cancels the sheet) and leaves no
// state behind. Answers the page's code.
template <typename State>
std::uint32_t OpenPageState(HWND window, LPARAM lparam) {
  auto made = std::make_unique<State>(window, ContextFromDescription(lparam));
  const std::uint32_t code = made->page.OnInit();
  if (code == kResultOk) {
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(made.release()));
    return code;
  }
  made->page.frame().ShowFailure(code);
  return code;
}

// WM_DESTROY of a page: the state goes with the window.
template <typename State>
void ClosePageState(HWND window) {
  State* state = PageStateOf<State>(window);
  SetWindowLongPtrW(window, DWLP_USER, 0);
  delete state;
}

// A section's object and its port, made on WM_INITDIALOG from the page's
// context (the creation parameter) and destroyed with the window.
template <typename Section>
struct SectionState {
  template <typename... Extra>
  SectionState(HWND window, PageContext* context, Extra... extra)
      : port(window), section(port, context, extra...) {}
  Win32DialogPort port;
  Section section;
};

// The whole dialog procedure of a section whose object has OnInit and
// Dispatch(message, wparam, lparam, &handled). A failed initialisation
// leaves no object behind; its code is the dialog's result.
template <typename Section, typename... Extra>
INT_PTR SectionMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, Extra... extra) {
  using State = SectionState<Section>;
  auto* state = reinterpret_cast<State*>(GetWindowLongPtrW(window, DWLP_USER));
  if (message == WM_INITDIALOG) {
    auto made = std::make_unique<State>(window, reinterpret_cast<PageContext*>(lparam), extra...);
    const std::uint32_t code = made->section.OnInit();
    if (code == kResultOk)
      SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(made.release()));
    SetWindowLongPtrW(window, DWLP_MSGRESULT, static_cast<LONG_PTR>(code));
    return FALSE;
  }
  if (message == WM_DESTROY) {
    if (state != nullptr) {
      bool handled = false;
      state->section.Dispatch(message, wparam, lparam, &handled);
    }
    SetWindowLongPtrW(window, DWLP_USER, 0);
    delete state;
    return FALSE;
  }
  if (state == nullptr) return FALSE;
  if (message == WM_DRAWITEM) {
    // The combo boxes draw their own rows.
    return state->port.ComboDrawItem(static_cast<int>(wparam), lparam) ? TRUE : FALSE;
  }
  bool handled = false;
  const std::uint32_t code = state->section.Dispatch(message, wparam, lparam, &handled);
  if (handled) SetWindowLongPtrW(window, DWLP_MSGRESULT, static_cast<LONG_PTR>(code));
  return handled ? TRUE : FALSE;
}

}  // namespace kvt
