// The Win32 side of the list-side custom controls: their window classes,
// their factories for the dialog port, and the helpers they share.
#pragma once

#include <windows.h>

#include <string>

#include "oemui/controls/combo_rules.h"

namespace kvt {

// Registers the factories of CMyComboBox, CMyPreview, CMySpriter and
// CMyTreeView with the dialog port, and their window classes. Call once
// per process before the first page opens; later calls do nothing.
void RegisterListControls();

// The module this code lives in (the plug-in DLL, or a test program): it
// holds the window classes and the pictures the controls load.
HMODULE ListControlsModule();

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

// Window classes of the custom windows.
inline constexpr wchar_t kPreviewClass[] = L"CMyPreview";
inline constexpr wchar_t kSplitterClass[] = L"CMySpriter";
inline constexpr wchar_t kTreeViewClass[] = L"CMyTreeView";

bool RegisterPreviewClass(HMODULE module);
bool RegisterSplitterClass(HMODULE module);
bool RegisterTreeViewClass(HMODULE module);

}  // namespace kvt
