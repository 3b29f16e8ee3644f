#include "tools/sheet_host/tour_steps.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <cwchar>

#include "tools/layout_rule.h"
#include "tools/sheet_host/window_automation.h"

namespace kvt::tools {
namespace {

// What the settings list (and the Font page's entry list) posts to its page
// when the user clicks a header: wParam names the item.
constexpr UINT kShowSection = 1633;
// The Font page's entries are keyed by the digits '0' to '3'.
constexpr WPARAM FontEntry(int entry) { return static_cast<WPARAM>(L'0' + entry); }
// The Watermark page's image combo box.
constexpr int kWatermarkCombo = 1306;

// How long a page may take to make its sections (the first page makes them
// once the sheet has painted), and how long a shown step gets to paint.
constexpr DWORD kSectionsMs = 5000;
constexpr DWORD kSettleMs = 300;

void Pump(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  } while (GetTickCount() - start < milliseconds);
}

HWND WaitForSection(HWND page) {
  const DWORD start = GetTickCount();
  HWND section = ShownSection(page);
  while (section == nullptr && GetTickCount() - start < kSectionsMs) {
    Pump(20);
    section = ShownSection(page);
  }
  return section;
}

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// The visible children of |parent| held to the layout rule.
std::vector<std::string> CheckLayout(HWND parent) {
  RECT client;
  if (!GetClientRect(parent, &client)) return {};
  std::vector<LayoutBox> boxes;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    LayoutBox box;
    box.name = std::to_string(GetDlgCtrlID(child)) + " " + name;
    box.left = rect.left;
    box.top = rect.top;
    box.right = rect.right;
    box.bottom = rect.bottom;
    box.frames_others = std::string(name) == "#32770" ||
                        (std::string(name) == "Button" && (style & BS_TYPEMASK) == BS_GROUPBOX);
    const LONG kind = style & SS_TYPEMASK;
    box.backdrop = std::string(name) == "Static" &&
                   (kind == SS_OWNERDRAW || kind == SS_BITMAP || kind == SS_ETCHEDFRAME ||
                    kind == SS_BLACKFRAME || kind == SS_GRAYFRAME || kind == SS_WHITEFRAME);
    if (std::string(name) == UPDOWN_CLASSA) {
      // An up-down lies over its edit's border, as the control places itself.
      const HWND buddy = reinterpret_cast<HWND>(SendMessageW(child, UDM_GETBUDDY, 0, 0));
      char buddy_class[64] = {};
      if (buddy != nullptr) GetClassNameA(buddy, buddy_class, sizeof buddy_class);
      if (buddy != nullptr) box.buddy = std::to_string(GetDlgCtrlID(buddy)) + " " + buddy_class;
    }
    boxes.push_back(box);
  }
  return LayoutFaults(client.right, client.bottom, boxes);
}

std::wstring Join(const std::wstring& folder, const std::wstring& file) {
  const wchar_t separator = folder.find(L'\\') == std::wstring::npos ? L'/' : L'\\';
  return folder + separator + file;
}

}  // namespace

std::vector<TourStep> TourSteps(const std::wstring& sheet) {
  static const TourStep kSteps[] = {
      {L"document", L"document_general", L"Document Settings: General", 1, 1, 0, 0},
      {L"document", L"document_paper_cut", L"Document Settings: Paper Cut / Marked Paper", 1, 8, 0,
       0},
      {L"document", L"document_option_print_start", L"Document Settings: Option, print start", 1,
       14, 0, 0},
      {L"document", L"document_option_page_start", L"Document Settings: Option, page start", 1, 24,
       0, 0},
      {L"document", L"document_option_page_end", L"Document Settings: Option, page end", 1, 31, 0,
       0},
      {L"document", L"document_option_print_end", L"Document Settings: Option, print end", 1, 38, 0,
       0},
      {L"document", L"font_device", L"Font: Device Font Settings", 2, FontEntry(0), 0, 0},
      {L"document", L"font_barcode", L"Font: Barcode Font Settings", 2, FontEntry(1), 0, 0},
      {L"document", L"font_2d_barcode", L"Font: 2D-Barcode Font Settings", 2, FontEntry(2), 0, 0},
      {L"document", L"font_control_a", L"Font: Control A", 2, FontEntry(3), 0, 0},
      {L"document", L"watermark", L"Watermark", 3, 0, 0, 0},
      // NV Image chosen, as a user would in the page's combo box: the grid,
      // the picture and the test print; and the Font page's panel that
      // says why device fonts are now off.
      {L"document", L"watermark_nv_image", L"Watermark: NV Image", 3, 0, kWatermarkCombo, 1},
      {L"document", L"font_unavailable", L"Font: device fonts not available (watermark on)", 2,
       FontEntry(0), 0, 0},
      {L"document", L"advanced", L"Advanced (the option items)", 4, 0, 0, 0},
  };
  std::vector<TourStep> steps;
  for (const TourStep& step : kSteps) {
    if (sheet == step.sheet) steps.push_back(step);
  }
  return steps;
}

bool IsOneColour(const std::vector<unsigned char>& rgb) {
  for (std::size_t i = 3; i + 2 < rgb.size(); i += 3) {
    if (rgb[i] != rgb[0] || rgb[i + 1] != rgb[1] || rgb[i + 2] != rgb[2]) return false;
  }
  return true;
}

TourResult RunTour(HWND sheet, const std::vector<TourStep>& steps, const std::wstring& folder,
                   bool check_layout) {
  TourResult result;
  const HDC screen = GetDC(nullptr);
  result.dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const HWND tab = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
  const int pages =
      tab != nullptr ? static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0)) : 0;
  std::vector<bool> visited(static_cast<std::size_t>(pages), false);
  auto take = [&](const std::wstring& name, const std::wstring& caption, int page, WPARAM section,
                  int combo, int row) {
    const auto fail = [&](const wchar_t* why) { result.failures.push_back(name + L": " + why); };
    if (page < 1 || page > pages) return fail(L"the sheet has no such page");
    visited[static_cast<std::size_t>(page - 1)] = true;
    SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page - 1), 0);
    const HWND page_window = PropSheet_IndexToHwnd(sheet, page - 1);
    if (page_window == nullptr || !IsWindowVisible(page_window))
      return fail(L"the page is not shown");
    HWND shown = page_window;
    if (section != 0) {
      if (WaitForSection(page_window) == nullptr) return fail(L"the page shows no section");
      SendMessageW(page_window, kShowSection, section, 0);
      Pump(kSettleMs);
      shown = ShownSection(page_window);
      if (shown == nullptr) return fail(L"the section is not shown");
    } else {
      Pump(kSettleMs);
    }
    if (combo != 0) {
      const HWND box = GetDlgItem(page_window, combo);
      if (box == nullptr) return fail(L"the page has no such combo box");
      SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
      SendMessageW(page_window, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(box));
      Pump(kSettleMs);
    }
    if (check_layout) {
      // The page itself, then its section.
      for (HWND parent : {page_window, shown}) {
        for (const std::string& fault : CheckLayout(parent)) {
          result.layout_faults.push_back(name + L": " + Widen(fault));
        }
        if (shown == page_window) break;
      }
    }
    RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ClientPixels pixels;
    if (!CaptureClientArea(shown, &pixels) || IsOneColour(pixels.rgb)) {
      return fail(L"the picture is blank");
    }
    wchar_t number[8];
    std::swprintf(number, 8, L"%02zu_", result.pictures.size() + 1);
    const std::wstring path = Join(folder, number + name + L".png");
    if (!CaptureWindowToPng(sheet, path)) return fail(L"the picture cannot be written");
    result.pictures.push_back({path, caption});
  };
  for (const TourStep& step : steps) {
    take(step.name, step.caption, step.page, step.section, step.combo, step.row);
  }
  for (int page = 1; page <= pages; ++page) {
    if (visited[static_cast<std::size_t>(page - 1)]) continue;
    const std::vector<std::wstring> titles = SheetTabTitles(sheet);
    const std::wstring title = static_cast<std::size_t>(page) <= titles.size()
                                   ? titles[static_cast<std::size_t>(page - 1)]
                                   : std::wstring();
    take(L"page" + std::to_wstring(page), title, page, 0, 0, 0);
  }
  SendMessageW(sheet, PSM_SETCURSEL, 0, 0);
  return result;
}

bool TourAndReport(const std::wstring& sheet_name, const std::wstring& folder, bool check_layout,
                   const std::function<void(const std::wstring&)>& print) {
  const TourResult tour =
      RunTour(FindPropertySheet(GetCurrentThreadId()), TourSteps(sheet_name), folder, check_layout);
  print(L"tour screen: " + std::to_wstring(tour.dpi) + L" DPI");
  for (const auto& picture : tour.pictures) {
    print(L"tour picture: " + picture.file + L" | " + picture.caption);
  }
  for (const std::wstring& failure : tour.failures) print(L"tour failed: " + failure);
  for (const std::wstring& fault : tour.layout_faults) print(L"layout fault: " + fault);
  return tour.failures.empty() && !tour.pictures.empty() && tour.layout_faults.empty();
}

}  // namespace kvt::tools
