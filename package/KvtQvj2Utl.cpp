// A working stand-in for the driver package's utility library: the two
// entry points the plug-in calls, each with the address of its parameter
// block (oemui/tools/utility_library.h).
//
// DlgHexEditor edits bytes as hexadecimal pairs in a small modal dialog
// placed under the anchor rectangle; it never returns more bytes than the
// capacity it is given, and answers 0 on OK, 1 on Cancel (87 for a block
// it cannot use). DlgPrinterUtility shows which function was asked for
// which printer and answers 0, or the decimal number in the environment
// variable KVT_UTILITY_RESULT, which tests set.
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "oemui/tools/utility_library.h"
#include "package/utility_ids.h"

namespace {

constexpr DWORD kUnusableBlock = ERROR_INVALID_PARAMETER;
// More than any command of the printer; a larger capacity is a bad block.
constexpr std::uint32_t kLargestCapacity = 65536;

HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

std::wstring LoadText(UINT id) {
  const wchar_t* text = nullptr;
  const int length = LoadStringW(ThisModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  return -1;
}

// Complete pairs only; what is not a digit is skipped, a digit followed by
// something else is dropped with it.
std::vector<BYTE> HexToBytes(const std::wstring& text) {
  std::vector<BYTE> bytes;
  for (std::size_t i = 0; i < text.size();) {
    const int high = HexDigit(text[i]);
    if (high < 0) {
      ++i;
      continue;
    }
    if (i + 1 >= text.size()) break;
    const int low = HexDigit(text[i + 1]);
    if (low >= 0) bytes.push_back(static_cast<BYTE>(high * 16 + low));
    i += 2;
  }
  return bytes;
}

std::wstring BytesToHex(const BYTE* bytes, std::size_t count) {
  static const wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring text;
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) text += L' ';
    text += kHex[bytes[i] >> 4];
    text += kHex[bytes[i] & 0x0F];
  }
  return text;
}

std::wstring DialogText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  const int length = GetWindowTextLengthW(item);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(item, text.data(), length + 1)));
  return text;
}

// The count of bytes typed, of how many the caller allows; OK only while
// they fit.
void ShowCount(HWND dialog, const kvt::HexEditorParam& param) {
  const std::size_t count = HexToBytes(DialogText(dialog, IDC_HEX_TEXT)).size();
  const bool fits = count <= param.dwCapacity;
  wchar_t status[128] = {};
  std::swprintf(status, 128, LoadText(fits ? IDS_HEX_STATUS : IDS_HEX_TOO_MANY).c_str(),
                static_cast<unsigned>(count), static_cast<unsigned>(param.dwCapacity));
  SetDlgItemTextW(dialog, IDC_HEX_STATUS, status);
  EnableWindow(GetDlgItem(dialog, IDOK), fits ? TRUE : FALSE);
}

// Just under the anchor, kept on the anchor's monitor.
void PlaceUnderAnchor(HWND dialog, const kvt::HexEditorParam& param) {
  RECT anchor = {param.nAnchorLeft, param.nAnchorTop, param.nAnchorRight, param.nAnchorBottom};
  RECT own = {};
  GetWindowRect(dialog, &own);
  const LONG width = own.right - own.left;
  const LONG height = own.bottom - own.top;
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromRect(&anchor, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& area = monitor.rcWork;
  LONG x = anchor.left;
  LONG y = anchor.bottom;
  if (y + height > area.bottom) y = anchor.top - height;  // above it instead
  if (x + width > area.right) x = area.right - width;
  if (x < area.left) x = area.left;
  if (y < area.top) y = area.top;
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK HexEditorProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* param = reinterpret_cast<kvt::HexEditorParam*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      param = reinterpret_cast<kvt::HexEditorParam*>(lparam);
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      const std::size_t count =
          param->dwCount < param->dwCapacity ? param->dwCount : param->dwCapacity;
      SetDlgItemTextW(dialog, IDC_HEX_TEXT, BytesToHex(param->pbyBuffer, count).c_str());
      ShowCount(dialog, *param);
      PlaceUnderAnchor(dialog, *param);
      return TRUE;
    }
    case WM_COMMAND:
      if (param == nullptr) return FALSE;
      if (LOWORD(wparam) == IDC_HEX_TEXT && HIWORD(wparam) == EN_CHANGE) {
        ShowCount(dialog, *param);
        return TRUE;
      }
      if (LOWORD(wparam) == IDOK) {
        const std::vector<BYTE> bytes = HexToBytes(DialogText(dialog, IDC_HEX_TEXT));
        if (bytes.size() > param->dwCapacity) {
          MessageBeep(MB_ICONWARNING);
          return TRUE;
        }
        std::copy(bytes.begin(), bytes.end(), param->pbyBuffer);
        param->dwCount = static_cast<std::uint32_t>(bytes.size());
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

extern "C" __declspec(dllexport) DWORD DlgHexEditor(void* block) {
  auto* param = static_cast<kvt::HexEditorParam*>(block);
  if (param == nullptr || param->pbyBuffer == nullptr || param->dwMode != kvt::kHexEditorMode ||
      param->dwCapacity > kLargestCapacity) {
    return kUnusableBlock;
  }
  // The caller's data stays as it was unless OK is pressed.
  kvt::HexEditorParam working = *param;
  std::vector<BYTE> buffer(
      param->pbyBuffer,
      param->pbyBuffer + (param->dwCount < param->dwCapacity ? param->dwCount : param->dwCapacity));
  buffer.resize(param->dwCapacity);
  working.pbyBuffer = buffer.data();
  const INT_PTR answer =
      DialogBoxParamW(ThisModule(), MAKEINTRESOURCEW(IDD_HEX_EDITOR), param->hOwner, HexEditorProc,
                      reinterpret_cast<LPARAM>(&working));
  if (answer != IDOK) return 1;
  std::copy(buffer.begin(), buffer.begin() + working.dwCount, param->pbyBuffer);
  param->dwCount = working.dwCount;
  return 0;
}

extern "C" __declspec(dllexport) DWORD DlgPrinterUtility(void* block) {
  const auto* param = static_cast<const kvt::PrinterUtilityParam*>(block);
  constexpr std::uint32_t kFunctions = 7;
  if (param == nullptr || param->dwFunction >= kFunctions) return kUnusableBlock;
  // The name may fill its field without a terminating zero.
  const std::wstring printer(reinterpret_cast<const wchar_t*>(param->szPrinterName),
                             wcsnlen(reinterpret_cast<const wchar_t*>(param->szPrinterName),
                                     kvt::kUtilityPrinterNameChars));
  const std::wstring function = LoadText(IDS_FUNCTION_FIRST + param->dwFunction);
  const std::wstring format = LoadText(IDS_UTILITY_TEXT);
  std::vector<wchar_t> text(format.size() + function.size() + printer.size() + 1);
  std::swprintf(text.data(), text.size(), format.c_str(), function.c_str(), printer.c_str());
  MessageBoxW(param->hOwner, text.data(), LoadText(IDS_UTILITY_TITLE).c_str(),
              MB_OK | MB_ICONINFORMATION);
  wchar_t answer[16] = {};
  const DWORD length = GetEnvironmentVariableW(L"KVT_UTILITY_RESULT", answer, 16);
  if (length == 0 || length >= 16) return 0;
  return static_cast<DWORD>(std::wcstoul(answer, nullptr, 10));
}
