// Looking at and pressing a property sheet and its message boxes from the
// thread that shows them: what the sheet host's unattended runs and the
// wine tests do in place of a person at the screen.
//
// Everything here runs on the sheet's own thread, from a thread timer that
// every modal loop (the sheet's, a message box's) dispatches, so no other
// thread ever touches the windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kvt::tools {

std::wstring WindowText(HWND window);

// The first visible top-level window of the thread that is a property
// sheet (a dialog that answers PSM_GETTABCONTROL); null when there is none.
HWND FindPropertySheet(DWORD thread_id);

// The section a page shows: its visible child dialog; null when none is.
HWND ShownSection(HWND page);
// The titles of the sheet's tabs, in tab order.
std::vector<std::wstring> SheetTabTitles(HWND sheet);

// The first visible message box of the thread (a dialog with the message
// text control 0xFFFF that is not a property sheet); null when none.
HWND FindMessageBox(DWORD thread_id);

struct SeenMessageBox {
  std::wstring title;
  std::wstring text;
  HWND owner = nullptr;      // the box's owner window
  bool topmost = false;      // WS_EX_TOPMOST
  std::vector<int> buttons;  // ids of its visible push buttons, in window order
  int pressed = 0;           // the button the answerer pressed
};

SeenMessageBox ReadMessageBox(HWND box);
// Presses |button| when the box shows it, else its first button; answers the
// id pressed, 0 when the box shows no button.
int PressMessageBoxButton(HWND box, int button);

// The client area's pixels as they are on the screen, RGB, top row first.
struct ClientPixels {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::uint8_t> rgb;
};
bool CaptureClientArea(HWND window, ClientPixels* pixels);
// Writes the window's client area as it is on the screen to a PNG file.
bool CaptureWindowToPng(HWND window, const std::wstring& path);
// How many pixels of the window's client area are red (text drawn in
// RGB(255, 0, 0)), after it has painted what is pending; -1 when it cannot
// be read.
int CountRedPixels(HWND window);

// Calls |on_tick| every |interval_ms| while the thread pumps messages, also
// inside modal loops. A tick that is still running when the next one comes
// (because it opened a modal loop itself) makes that next one skip.
class ThreadTicker {
 public:
  ThreadTicker(UINT interval_ms, std::function<void()> on_tick);
  ~ThreadTicker();
  ThreadTicker(const ThreadTicker&) = delete;
  ThreadTicker& operator=(const ThreadTicker&) = delete;

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD);

  UINT_PTR timer_ = 0;
  bool running_ = false;
  std::function<void()> on_tick_;
};

// Ends the process with exit code 3, after printing |what| to the standard
// error, when it is still alive |timeout_ms| after its creation: for tests
// whose thread may block in a modal loop that nobody closes. A thread of its
// own keeps the time, so a thread stuck anywhere is still caught.
class ProcessWatchdog {
 public:
  ProcessWatchdog(DWORD timeout_ms, const char* what);
  ~ProcessWatchdog();
  ProcessWatchdog(const ProcessWatchdog&) = delete;
  ProcessWatchdog& operator=(const ProcessWatchdog&) = delete;

 private:
  static DWORD WINAPI Watch(void* self);

  DWORD timeout_ms_;
  const char* what_;
  HANDLE disarmed_;
  HANDLE thread_;
};

// Answers every message box that this thread shows with one button and
// keeps what each box showed.
class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(int button);
  const std::vector<SeenMessageBox>& seen() const { return seen_; }

 private:
  void Poll();

  int button_;
  std::vector<SeenMessageBox> seen_;
  HWND last_box_ = nullptr;  // pressed already; waiting for it to close
  ThreadTicker ticker_;
};

}  // namespace kvt::tools
