// Playing the user at the utility library's command editor from another
// thread (or process): wait for the editor, select its text, type new
// hexadecimal digits, optionally keep a picture, then press a button.
#pragma once

#include <windows.h>

#include <string>

#include "tools/sheet_host/window_automation.h"

namespace kvt::testbed {

inline constexpr wchar_t kHexEditorTitle[] = L"Command Editor";
inline constexpr int kHexEditorText = 1001;  // package/utility_ids.h

struct HexEditorVisit {
  bool found = false;
  bool picture = false;
};

// The first visible top-level editor window of process |process| (0: any).
// Visible: a modal dialog is shown only after its WM_INITDIALOG has filled
// it, and keys typed before would be overwritten.
inline HWND FindHexEditor(DWORD process) {
  for (HWND window = FindWindowW(L"#32770", kHexEditorTitle); window != nullptr;
       window = FindWindowExW(nullptr, window, L"#32770", kHexEditorTitle)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if ((process == 0 || owner == process) && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

// Waits up to |timeout_ms| for the editor, replaces its text by typing
// |keys|, keeps a picture in |picture_path| (when not empty) and presses
// |button|.
inline HexEditorVisit DriveHexEditor(DWORD process, const std::wstring& keys, int button,
                                     const std::wstring& picture_path, DWORD timeout_ms = 30000) {
  HexEditorVisit visit;
  HWND editor = nullptr;
  for (DWORD waited = 0; editor == nullptr && waited < timeout_ms; waited += 50) {
    editor = FindHexEditor(process);
    if (editor == nullptr) Sleep(50);
  }
  if (editor == nullptr) return visit;
  visit.found = true;
  HWND text = GetDlgItem(editor, kHexEditorText);
  SendMessageW(text, EM_SETSEL, 0, -1);
  for (wchar_t key : keys) SendMessageW(text, WM_CHAR, key, 0);
  if (!picture_path.empty()) {
    RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    visit.picture = tools::CaptureWindowToPng(editor, picture_path);
  }
  SendMessageW(editor, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  return visit;
}

}  // namespace kvt::testbed
