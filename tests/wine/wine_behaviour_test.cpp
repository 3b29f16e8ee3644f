// Wine behaviours the test bed relies on, pinned so that a wine upgrade that
// changes them is noticed here and not as a puzzling failure elsewhere.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/wine/testbed.h"

namespace {

DWORD SendRawJob(HANDLE printer, const std::string& bytes) {
  DOC_INFO_1W doc = {const_cast<wchar_t*>(L"pin"), nullptr, const_cast<wchar_t*>(L"RAW")};
  const DWORD job = StartDocPrinterW(printer, 1, reinterpret_cast<BYTE*>(&doc));
  DWORD written = 0;
  StartPagePrinter(printer);
  WritePrinter(printer, const_cast<char*>(bytes.data()), static_cast<DWORD>(bytes.size()),
               &written);
  EndPagePrinter(printer);
  EndDocPrinter(printer);
  return job != 0 && written == bytes.size() ? job : 0;
}

// A port that is a Unix file takes each raw job byte for byte, written
// over the file from its start without cutting it: a shorter job leaves the
// end of a longer one behind. Delete the file before a job whose bytes a
// test reads back.
TEST(WineBehaviour, RawJobOverwritesThePortFileWithoutCuttingIt) {
  kvt::testbed::Printer printer(kvt::testbed::kReceiptPrinter);
  ASSERT_NE(printer.get(), nullptr);
  const std::wstring port = kvt::testbed::ReceiptPortFile();
  DeleteFileW(port.c_str());
  const std::string first("\x1b@first job\x00\xff", 14);
  const std::string second(
      "\x1d"
      "V\x01second",
      9);
  ASSERT_NE(SendRawJob(printer.get(), first), 0u);
  EXPECT_EQ(kvt::testbed::ReadFileBytes(port), first);
  ASSERT_NE(SendRawJob(printer.get(), second), 0u);
  EXPECT_EQ(kvt::testbed::ReadFileBytes(port), second + first.substr(second.size()));
  DeleteFileW(port.c_str());
}

// A window timer set before the window shows fires only after every
// pending paint: the Document Settings page relies on it to make its
// sections once the sheet has painted. A window showing in a sheet also
// hears WM_COMMAND focus notifications before its first paint, so "any
// message" is not a sign that the user acted.
std::vector<UINT> g_order;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT || message == WM_TIMER) g_order.push_back(message);
  if (message == WM_TIMER) KillTimer(window, wparam);
  return DefWindowProcW(window, message, wparam, lparam);
}

TEST(WineBehaviour, TimerFiresAfterThePendingPaints) {
  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = RecordingProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"KvtPaintOrder";
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  ASSERT_NE(RegisterClassW(&window_class), 0);
  HWND window = CreateWindowExW(0, L"KvtPaintOrder", L"order", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  HWND child = CreateWindowExW(0, L"KvtPaintOrder", L"", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50,
                               window, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(child, nullptr);
  SetTimer(window, 1, 1, nullptr);
  Sleep(20);  // the timer is due before anything is painted
  ShowWindow(window, SW_SHOW);
  const DWORD start = GetTickCount();
  MSG message;
  while (std::find(g_order.begin(), g_order.end(), static_cast<UINT>(WM_TIMER)) == g_order.end() &&
         GetTickCount() - start < 5000) {
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&message);
    } else {
      Sleep(1);
    }
  }
  DestroyWindow(window);
  EXPECT_EQ(g_order, (std::vector<UINT>{WM_PAINT, WM_PAINT, WM_TIMER}));
}

}  // namespace
