// What the sheet host does with an open sheet when nobody sits at the
// screen: it waits for the sheet, notes its tabs, brings each page to the
// front in turn (so that every page is created and later hears the sheet's
// OK), takes a picture of each, runs the caller's last step and presses a
// button. A watchdog cancels the sheet when it is still open after the
// timeout, and ends the process when even that does not close it.
//
// Without a button to press the script only notes the tabs and makes every
// page once (so that each hears the sheet's OK): the person at the screen
// does the rest.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/sheet_host/window_automation.h"

namespace kvt::tools {

struct SheetScriptOptions {
  std::wstring screenshot_folder;  // empty: no pictures
  int press = 0;                   // PSBTN_OK or PSBTN_CANCEL; 0: leave the sheet alone
  DWORD timeout_ms = 60000;        // only with a button to press
  // Runs once when the sheet is first found, before any picture is taken.
  std::function<void()> on_shown;
  // Runs once every page has been shown, just before the button is pressed.
  std::function<void()> before_press;
  // Runs when the watchdog gives up, before the process ends.
  std::function<void()> on_give_up;
};

class SheetScript {
 public:
  explicit SheetScript(SheetScriptOptions options);

  const std::vector<std::wstring>& tab_titles() const { return tab_titles_; }
  const std::vector<std::wstring>& screenshots() const { return screenshots_; }
  const std::vector<std::wstring>& failed_screenshots() const { return failed_screenshots_; }
  bool pressed() const { return pressed_; }
  bool timed_out() const { return timed_out_; }

 private:
  void Step();
  bool Watchdog();

  SheetScriptOptions options_;
  DWORD start_ = 0;
  HWND sheet_ = nullptr;
  std::vector<std::wstring> tab_titles_;
  std::vector<std::wstring> screenshots_;
  std::vector<std::wstring> failed_screenshots_;
  int page_ = -1;   // the page brought to the front last
  int settle_ = 0;  // ticks to wait before its picture
  bool pressed_ = false;
  bool timed_out_ = false;
  ThreadTicker ticker_;
};

}  // namespace kvt::tools
