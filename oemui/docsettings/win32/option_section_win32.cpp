// The Option section's dialog procedure: owns the section object from
// WM_INITDIALOG to WM_DESTROY, hands it the window messages, and paints the
// frame with its notch under the chosen event's button (GDI+, which the
// page starts before it makes its sections).
#include <windows.h>

#include <gdiplus.h>

#include <memory>
#include <optional>

#include "core/result_codes.h"
#include "oemui/controls/win32/dialog_port_win32.h"
#include "oemui/docsettings/option_section.h"
#include "resources/option_section_ids.h"

namespace kvt {
namespace {

struct OptionState {
  OptionState(HWND window, PageContext* context) : port(window), section(port, context) {}
  Win32DialogPort port;
  OptionSection section;
};

constexpr int kEventButtons[4] = {IDC_OPTION_PRINT_START, IDC_OPTION_PAGE_START,
                                  IDC_OPTION_PAGE_END, IDC_OPTION_PRINT_END};

Gdiplus::Color ToColor(std::uint32_t colour) {
  return Gdiplus::Color(255, GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

// The rounded frame in the hidden group box's place, its top edge rising
// to a point under the current event's button.
void PaintFrame(OptionState& state, HDC dc) {
  const std::optional<DialogRect> frame = state.port.ItemRect(IDC_OPTION_FRAME);
  const std::optional<DialogRect> button =
      state.port.ItemRect(kEventButtons[state.section.current_event()]);
  if (!frame || !button) return;
  const OptionFrameShape s = OptionFrameGeometry(*frame, *button);
  constexpr float kArc = 24.0f;

  Gdiplus::GraphicsPath path;
  path.AddArc(s.left, s.top, kArc, kArc, 180.0f, 90.0f);
  if (s.notch) {
    path.AddLine(s.apex_x - s.half_width, s.top, s.apex_x, s.apex_y);
    path.AddLine(s.apex_x, s.apex_y, s.apex_x + s.half_width, s.top);
  }
  path.AddArc(s.right - kArc, s.top, kArc, kArc, 270.0f, 90.0f);
  path.AddArc(s.right - kArc, s.bottom - kArc, kArc, kArc, 0.0f, 90.0f);
  path.AddArc(s.left, s.bottom - kArc, kArc, kArc, 90.0f, 90.0f);
  path.CloseFigure();

  Gdiplus::Graphics graphics(dc);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const std::uint32_t colour =
      OptionFrameColour(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW));
  Gdiplus::Pen pen(ToColor(colour), 1.0f);
  graphics.DrawPath(&pen, &path);
}

}  // namespace

INT_PTR CALLBACK OptionSectionProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<OptionState*>(GetWindowLongPtrW(window, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      auto made = std::make_unique<OptionState>(window, reinterpret_cast<PageContext*>(lparam));
      // Kept before the initialisation runs: it selects the first event,
      // and the page may answer with messages back to the section.
      SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(made.get()));
      const std::uint32_t code = made->section.OnInit();
      if (code == kResultOk) {
        made.release();
      } else {
        SetWindowLongPtrW(window, DWLP_USER, 0);
      }
      SetWindowLongPtrW(window, DWLP_MSGRESULT, static_cast<LONG_PTR>(code));
      return FALSE;
    }
    case WM_DESTROY:
      if (state != nullptr) state->section.OnDestroy();
      SetWindowLongPtrW(window, DWLP_USER, 0);
      delete state;
      return FALSE;
    case WM_PAINT: {
      if (state == nullptr) return FALSE;
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (dc != nullptr) PaintFrame(*state, dc);
      EndPaint(window, &paint);
      return TRUE;
    }
    case WM_DRAWITEM:
      // The two combo boxes draw their own rows.
      return state != nullptr && state->port.ComboDrawItem(static_cast<int>(wparam), lparam)
                 ? TRUE
                 : FALSE;
    default:
      break;
  }
  if (state == nullptr) return FALSE;
  bool handled = false;
  const std::uint32_t code = state->section.Dispatch(message, wparam, lparam, &handled);
  if (handled) SetWindowLongPtrW(window, DWLP_MSGRESULT, static_cast<LONG_PTR>(code));
  return handled ? TRUE : FALSE;
}

}  // namespace kvt
