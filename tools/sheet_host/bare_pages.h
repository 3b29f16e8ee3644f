// What the sheet host measures the plug-in's sheet against: three empty
// pages of the plug-in's size, added where the plug-in's sheet function
// would add its own, and the time until the first page has painted.
#pragma once

#include <windows.h>

#include <prsht.h>

#include <array>
#include <string>
#include <vector>

namespace kvt::tools {

class BarePages {
 public:
  BarePages();
  BarePages(const BarePages&) = delete;
  BarePages& operator=(const BarePages&) = delete;
  const PROPSHEETPAGEW* page(int index) const { return &pages_[index]; }
  static constexpr int kCount = 3;

 private:
  static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
  std::vector<WORD> template_;
  std::array<std::wstring, kCount> titles_;
  std::array<PROPSHEETPAGEW, kCount> pages_{};
};

// Notes when the first page of this thread's property sheet is first
// painted (its WM_PAINT leaves the message queue), from the moment of
// construction.
class FirstPaintClock {
 public:
  FirstPaintClock();
  ~FirstPaintClock();
  FirstPaintClock(const FirstPaintClock&) = delete;
  FirstPaintClock& operator=(const FirstPaintClock&) = delete;
  // Milliseconds from construction to the first paint; negative when none.
  double milliseconds() const;

 private:
  static LRESULT CALLBACK OnMessage(int code, WPARAM wparam, LPARAM lparam);
  static FirstPaintClock* current_;
  HHOOK hook_ = nullptr;
  LARGE_INTEGER start_{};
  LARGE_INTEGER painted_{};
  bool seen_ = false;
};

}  // namespace kvt::tools
