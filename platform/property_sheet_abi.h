// The property-sheet blocks the document sheet hands to the framework and to
// the common controls, for both toolchains.
//
// PROPSHEETPAGEW is declared here in its fourth, 104-byte form (with the
// header bitmap after the activation context) because mingw-w64 only ships
// the 96-byte third form; the common controls tell the forms apart by
// dwSize. On Linux the other blocks (PROPSHEETUI_INFO_HEADER,
// SETRESULT_INFO) and the dialog-procedure type are declared with the
// Windows x64 layout; on Windows they come from compstui.h and winuser.h.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/framework_abi.h"

#if !defined(_WIN32)

using INT_PTR = std::int64_t;
using UINT_PTR = std::uint64_t;
using HICON = struct HICON__*;
using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using HPROPSHEETPAGE = struct _PSP*;

struct PROPSHEETUI_INFO_HEADER {
  WORD cbSize;
  WORD Flags;
  LPTSTR pTitle;
  HWND hWndParent;
  HINSTANCE hInst;
  union {
    HICON hIcon;
    ULONG_PTR IconID;
  };
};
using PPROPSHEETUI_INFO_HEADER = PROPSHEETUI_INFO_HEADER*;

struct SETRESULT_INFO {
  WORD cbSize;
  WORD wReserved;
  HANDLE hSetResult;
  LRESULT Result;
};
using PSETRESULT_INFO = SETRESULT_INFO*;

#endif  // !_WIN32

namespace kvt {

// PROPSHEETPAGEW, fourth form.
struct PropertySheetPageW {
  DWORD dwSize;
  DWORD dwFlags;
  HINSTANCE hInstance;
  LPCWSTR pszTemplate;  // or MAKEINTRESOURCE(id)
  HICON hIcon;
  LPCWSTR pszTitle;
  DLGPROC pfnDlgProc;
  LPARAM lParam;
  void* pfnCallback;
  UINT* pcRefParent;
  LPCWSTR pszHeaderTitle;
  LPCWSTR pszHeaderSubTitle;
  HANDLE hActCtx;
  HANDLE hbmHeader;
};

inline constexpr DWORD kPspUseTitle = 0x00000008;  // PSP_USETITLE
inline constexpr UINT kWmInitDialog = 0x0110;      // WM_INITDIALOG

// MAKEINTRESOURCEW for both toolchains.
inline LPCWSTR IntResource(std::uint16_t id) {
  return reinterpret_cast<LPCWSTR>(static_cast<std::uintptr_t>(id));
}

static_assert(sizeof(PropertySheetPageW) == 104);
static_assert(offsetof(PropertySheetPageW, pszTitle) == 32);
static_assert(offsetof(PropertySheetPageW, lParam) == 48);
static_assert(offsetof(PropertySheetPageW, hActCtx) == 88);
static_assert(sizeof(PROPSHEETUI_INFO_HEADER) == 40);
static_assert(offsetof(PROPSHEETUI_INFO_HEADER, pTitle) == 8);
static_assert(sizeof(SETRESULT_INFO) == 24);
static_assert(offsetof(SETRESULT_INFO, Result) == 16);

}  // namespace kvt
