#include "tools/sheet_host/sheet_script.h"

#include <prsht.h>

namespace kvt::tools {
namespace {

constexpr UINT kTickMs = 100;
// Ticks between bringing a page to the front and taking its picture: time
// for the page to paint.
constexpr int kSettleTicks = 3;
// After the watchdog's Cancel, how long the sheet may take to close.
constexpr DWORD kGraceMs = 5000;

}  // namespace

SheetScript::SheetScript(SheetScriptOptions options)
    : options_(std::move(options)), start_(GetTickCount()), ticker_(kTickMs, [this] { Step(); }) {}

void SheetScript::Step() {
  if (Watchdog()) return;
  if (sheet_ == nullptr) {
    sheet_ = FindPropertySheet(GetCurrentThreadId());
    if (sheet_ == nullptr) return;
    tab_titles_ = SheetTabTitles(sheet_);
    // A page that was never in front does not exist and hears no OK; the
    // host's Advanced page must, to apply the option items as the
    // framework's tree does whether or not the user opened it. Wine 8
    // ignores PSP_PREMATURE, so the person at the screen gets every page
    // made once here (with a button to press, the script shows them all).
    if (options_.press == 0) {
      for (std::size_t i = 1; i < tab_titles_.size(); ++i) {
        SendMessageW(sheet_, PSM_SETCURSEL, static_cast<WPARAM>(i), 0);
      }
      SendMessageW(sheet_, PSM_SETCURSEL, 0, 0);
    }
    if (options_.on_shown) options_.on_shown();
  }
  if (options_.press == 0 || pressed_) return;
  // A question is on the screen: the sheet waits for its answer, and so do we.
  if (FindMessageBox(GetCurrentThreadId()) != nullptr) return;
  if (settle_ > 0) {
    --settle_;
    if (settle_ > 0 || options_.screenshot_folder.empty()) return;
    RedrawWindow(sheet_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const std::wstring& folder = options_.screenshot_folder;
    const wchar_t separator = folder.find(L'\\') == std::wstring::npos ? L'/' : L'\\';
    const std::wstring path = folder + separator + L"page" + std::to_wstring(page_ + 1) + L".png";
    (CaptureWindowToPng(sheet_, path) ? screenshots_ : failed_screenshots_).push_back(path);
    return;
  }
  if (page_ + 1 < static_cast<int>(tab_titles_.size())) {
    ++page_;
    SendMessageW(sheet_, PSM_SETCURSEL, static_cast<WPARAM>(page_), 0);
    settle_ = options_.screenshot_folder.empty() ? 0 : kSettleTicks;
    return;
  }
  if (options_.before_press) options_.before_press();
  PostMessageW(sheet_, PSM_PRESSBUTTON, static_cast<WPARAM>(options_.press), 0);
  pressed_ = true;
}

bool SheetScript::Watchdog() {
  if (options_.press == 0) return false;
  const DWORD elapsed = GetTickCount() - start_;
  if (elapsed < options_.timeout_ms) return false;
  if (!timed_out_) {
    timed_out_ = true;
    const HWND box = FindMessageBox(GetCurrentThreadId());
    if (box != nullptr) PressMessageBoxButton(box, IDCANCEL);
    if (sheet_ != nullptr) PostMessageW(sheet_, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  } else if (elapsed >= options_.timeout_ms + kGraceMs) {
    if (options_.on_give_up) options_.on_give_up();
    ExitProcess(3);
  }
  return true;
}

}  // namespace kvt::tools
