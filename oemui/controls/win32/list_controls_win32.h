// The Win32 side of the list-side custom controls: their window classes,
// their factories for the dialog port, and the helpers they share.
#pragma once

#include <windows.h>

#include <string>

#include "oemui/controls/combo_rules.h"
#include "oemui/controls/control_attachment.h"
#include "platform/win32/own_module.h"

namespace kvt {

// Registers the window classes of CMyPreview, CMySpriter and CMyTreeView
// with this module. Their factories call it before making a window; later
// calls do nothing until UnregisterListControls.
void RegisterListControls();

// Unregisters those classes: to be called before the module is unloaded
// (windows of these classes must be gone by then).
void UnregisterListControls();

// Puts a new window of |window_class| in place of child |id| of |dialog|:
// same id, position, size (plus |extra_height|), font and tab order; then
// destroys the placeholder. |param| reaches WM_NCCREATE. Null when there is
// no such child or the window cannot be made.
HWND ReplacePlaceholder(HWND dialog, int id, const wchar_t* window_class, DWORD style,
                        DWORD ex_style, int extra_height, void* param);

COLORREF ToColorRef(const PaintColour& colour);

inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

// The factories (also usable directly, e.g. by tests).
std::uint32_t CreateComboBoxControl(HWND dialog, int id);
std::uint32_t CreatePreviewControl(HWND dialog, int id);
std::uint32_t CreateSplitterControl(HWND dialog, int id);
std::uint32_t CreateTreeViewControl(HWND dialog, int id);

// The height of one row of a CMyTreeView window (0 for any other window),
// for whoever has to point at a row.
int TreeViewRowHeight(HWND tree);

// The object behind a custom window: made at WM_NCCREATE and attached to
// the window, freed at WM_NCDESTROY. Answers the object; null before it is
// made and once it is freed.
template <class Window>
Window* WindowObjectFor(HWND window, UINT message) {
  auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE && self == nullptr) {
    self = new Window(window);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    AttachControlObject(window, self);
  } else if (message == WM_NCDESTROY && self != nullptr) {
    AttachControlObject(window, nullptr);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    delete self;
    self = nullptr;
  }
  return self;
}

// Registers a custom window class of |module|; an existing one counts.
bool RegisterCustomWindowClass(HMODULE module, WNDPROC procedure, LPCWSTR cursor,
                               const wchar_t* name);

// Window classes of the custom windows.
inline constexpr wchar_t kPreviewClass[] = L"CMyPreview";
inline constexpr wchar_t kSplitterClass[] = L"CMySpriter";
inline constexpr wchar_t kTreeViewClass[] = L"CMyTreeView";

bool RegisterPreviewClass(HMODULE module);
bool RegisterSplitterClass(HMODULE module);
bool RegisterTreeViewClass(HMODULE module);

}  // namespace kvt
