#include "tools/sheet_host/window_automation.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>

#include "tools/sheet_host/png_file.h"

namespace kvt::tools {
namespace {

// MessageBoxW's template gives its text this control id.
constexpr int kMessageTextId = 0xFFFF;

std::wstring ClassName(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

bool IsDialog(HWND window) { return IsWindowVisible(window) && ClassName(window) == L"#32770"; }

bool IsPropertySheet(HWND window) {
  return IsDialog(window) && SendMessageW(window, PSM_GETTABCONTROL, 0, 0) != 0;
}

bool IsMessageBox(HWND window) {
  return IsDialog(window) && GetDlgItem(window, kMessageTextId) != nullptr &&
         !IsPropertySheet(window);
}

HWND FindThreadWindow(DWORD thread_id, bool (*matches)(HWND)) {
  struct Search {
    bool (*matches)(HWND);
    HWND found;
  } search = {matches, nullptr};
  EnumThreadWindows(
      thread_id,
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (!s->matches(window)) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

// The tickers of this thread: a thread timer's procedure learns only the
// timer's id.
thread_local std::vector<ThreadTicker*>* tickers = nullptr;

}  // namespace

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

HWND ShownSection(HWND page) {
  for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[16] = {};
    GetClassNameW(child, name, 16);
    if (std::wcscmp(name, L"#32770") == 0 && IsWindowVisible(child)) return child;
  }
  return nullptr;
}

HWND FindPropertySheet(DWORD thread_id) { return FindThreadWindow(thread_id, IsPropertySheet); }

std::vector<std::wstring> SheetTabTitles(HWND sheet) {
  std::vector<std::wstring> titles;
  const HWND tab = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
  if (tab == nullptr) return titles;
  const int count = TabCtrl_GetItemCount(tab);
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    TabCtrl_GetItem(tab, i, &item);
    titles.push_back(text);
  }
  return titles;
}

HWND FindMessageBox(DWORD thread_id) { return FindThreadWindow(thread_id, IsMessageBox); }

SeenMessageBox ReadMessageBox(HWND box) {
  SeenMessageBox seen;
  seen.title = WindowText(box);
  seen.text = WindowText(GetDlgItem(box, kMessageTextId));
  seen.owner = GetWindow(box, GW_OWNER);
  seen.topmost = (GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsWindowVisible(child) && ClassName(child) == L"Button") {
      seen.buttons.push_back(GetDlgCtrlID(child));
    }
  }
  return seen;
}

int PressMessageBoxButton(HWND box, int button) {
  const std::vector<int> buttons = ReadMessageBox(box).buttons;
  if (buttons.empty()) return 0;
  int id = buttons.front();
  for (const int candidate : buttons) {
    if (candidate == button) id = button;
  }
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
  return id;
}

bool CaptureClientArea(HWND window, ClientPixels* pixels) {
  // The client area only: without a window manager (Xvfb) nobody draws
  // the frame, and it would come out black.
  RECT rect;
  if (!GetClientRect(window, &rect)) return false;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC window_dc = GetDC(window);
  HDC memory_dc = CreateCompatibleDC(window_dc);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(window_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool copied = false;
  if (bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(memory_dc, bitmap);
    copied = BitBlt(memory_dc, 0, 0, width, height, window_dc, 0, 0, SRCCOPY) != 0;
    GdiFlush();
    SelectObject(memory_dc, previous);
  }
  if (copied) {
    const auto* bgrx = static_cast<const std::uint8_t*>(bits);
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    pixels->width = static_cast<std::uint32_t>(width);
    pixels->height = static_cast<std::uint32_t>(height);
    pixels->rgb.resize(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
      pixels->rgb[i * 3] = bgrx[i * 4 + 2];
      pixels->rgb[i * 3 + 1] = bgrx[i * 4 + 1];
      pixels->rgb[i * 3 + 2] = bgrx[i * 4];
    }
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  DeleteDC(memory_dc);
  ReleaseDC(window, window_dc);
  return copied;
}

bool CaptureWindowToPng(HWND window, const std::wstring& path) {
  ClientPixels pixels;
  if (!CaptureClientArea(window, &pixels)) return false;
  const std::string png = EncodePng(pixels.width, pixels.height, pixels.rgb);
  return !png.empty() && WriteWholeFile(path, png);
}

int CountRedPixels(HWND window) {
  UpdateWindow(window);
  ClientPixels pixels;
  if (!CaptureClientArea(window, &pixels)) return -1;
  int red = 0;
  for (std::size_t i = 0; i + 2 < pixels.rgb.size(); i += 3) {
    // Anti-aliased text keeps its colour in the strokes' middles.
    if (pixels.rgb[i] >= 192 && pixels.rgb[i + 1] <= 64 && pixels.rgb[i + 2] <= 64) ++red;
  }
  return red;
}

ThreadTicker::ThreadTicker(UINT interval_ms, std::function<void()> on_tick)
    : on_tick_(std::move(on_tick)) {
  if (tickers == nullptr) tickers = new std::vector<ThreadTicker*>();
  tickers->push_back(this);
  timer_ = SetTimer(nullptr, 0, interval_ms, OnTimer);
}

ThreadTicker::~ThreadTicker() {
  if (timer_ != 0) KillTimer(nullptr, timer_);
  for (auto it = tickers->begin(); it != tickers->end(); ++it) {
    if (*it == this) {
      tickers->erase(it);
      break;
    }
  }
}

void CALLBACK ThreadTicker::OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  if (tickers == nullptr) return;
  for (ThreadTicker* ticker : *tickers) {
    if (ticker->timer_ != timer || ticker->running_) continue;
    ticker->running_ = true;
    ticker->on_tick_();
    ticker->running_ = false;
    return;
  }
}

ProcessWatchdog::ProcessWatchdog(DWORD timeout_ms, const char* what)
    : timeout_ms_(timeout_ms),
      what_(what),
      disarmed_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      thread_(CreateThread(nullptr, 0, Watch, this, 0, nullptr)) {}

ProcessWatchdog::~ProcessWatchdog() {
  SetEvent(disarmed_);
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  CloseHandle(disarmed_);
}

DWORD WINAPI ProcessWatchdog::Watch(void* self) {
  auto* watchdog = static_cast<ProcessWatchdog*>(self);
  if (WaitForSingleObject(watchdog->disarmed_, watchdog->timeout_ms_) == WAIT_TIMEOUT) {
    std::fprintf(stderr, "timeout after %lu ms: %s\n", watchdog->timeout_ms_, watchdog->what_);
    std::fflush(stderr);
    ExitProcess(3);
  }
  return 0;
}

MessageBoxAnswerer::MessageBoxAnswerer(int button)
    : button_(button), ticker_(50, [this] { Poll(); }) {}

void MessageBoxAnswerer::Poll() {
  if (last_box_ != nullptr && !IsWindow(last_box_)) last_box_ = nullptr;
  const HWND box = FindMessageBox(GetCurrentThreadId());
  if (box == nullptr || box == last_box_) return;
  SeenMessageBox seen = ReadMessageBox(box);
  seen.pressed = PressMessageBoxButton(box, button_);
  seen_.push_back(std::move(seen));
  last_box_ = box;
}

}  // namespace kvt::tools
