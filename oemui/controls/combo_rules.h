// The rules of the icon drop-down list that do not need a window: which row
// an arrow key selects, what a confirmed choice falls back to, when the list
// must be refilled, how wide its drop-down is, and which colours a row is
// painted in. The window procedure only asks these and carries the answer
// out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvt {

// Virtual-key codes of the keys the list controls react to (the values of
// VK_TAB, VK_RETURN, ... so the window side passes them through unchanged).
enum ControlKey : std::uint32_t {
  kKeyTab = 0x09,
  kKeyReturn = 0x0D,
  kKeySpace = 0x20,
  kKeyLeft = 0x25,
  kKeyUp = 0x26,
  kKeyRight = 0x27,
  kKeyDown = 0x28,
  kKeyAdd = 0x6B,       // numeric keypad plus
  kKeySubtract = 0x6D,  // numeric keypad minus
};

// The list notification codes (CBN_...) the combo box passes to its parent
// in the high word of its private message (kMsgComboNotify).
inline constexpr std::uint16_t kComboCodeKillFocus = 4;
inline constexpr std::uint16_t kComboCodeCloseUp = 8;
inline constexpr std::uint16_t kComboCodeSelEndOk = 9;
inline constexpr std::uint16_t kComboCodeSelEndCancel = 10;

// The row an arrow key moves the selection to, or -1 when the key is not an
// arrow or the selection stays where it is. Up and Left step back, Down and
// Right forward, never past either end; with nothing selected any arrow
// picks the first row.
int ComboKeyTarget(std::uint32_t key, int selected, int count);

// The row to show selected when the user confirms the drop-down. Closing it
// on an empty spot leaves nothing selected, which the pages would read as
// "no value"; the row chosen before is put back instead.
int ComboAcceptedSelection(int selected, int last_selected, int count);

// A row as the list shows it.
struct ComboShownRow {
  std::u16string text;
  std::int32_t data = 0;
};

// True when |wanted| is not exactly what the list shows (count, text or
// data of any row), so the list must be emptied and refilled.
bool ComboNeedsRefill(const std::vector<ComboShownRow>& shown,
                      const std::vector<ComboShownRow>& wanted);

// Width of the drop-down part: the widest row (text extent plus where the
// text starts) with room for the scroll bar and 8 pixels, never narrower
// than the control itself.
int ComboDropDownWidth(const std::vector<int>& row_widths, int scroll_bar_width, int control_width);

// A colour the painter asks for: one of the system colours (by its
// GetSysColor index) or a fixed COLORREF (red in the low byte).
struct PaintColour {
  bool system = false;
  std::uint32_t value = 0;

  static PaintColour System(std::uint32_t index) { return {true, index}; }
  static PaintColour Rgb(std::uint32_t colour_ref) { return {false, colour_ref}; }
  bool operator==(const PaintColour& other) const {
    return system == other.system && value == other.value;
  }
};

// The system colour indexes the list controls paint with (COLOR_...).
inline constexpr std::uint32_t kSysWindow = 5;
inline constexpr std::uint32_t kSysWindowText = 8;
inline constexpr std::uint32_t kSysHighlight = 13;
inline constexpr std::uint32_t kSysHighlightText = 14;
inline constexpr std::uint32_t kSysButtonFace = 15;
inline constexpr std::uint32_t kSysGrayText = 17;
inline constexpr std::uint32_t kSysDarkShadow = 21;

// What the owner-drawn row looks like at the moment it is painted.
struct ComboRowState {
  bool selected = false;      // ODS_SELECTED
  bool disabled = false;      // ODS_DISABLED (or the control is disabled)
  bool has_text = true;       // the row's text is not empty
  bool focused = false;       // the control has the keyboard focus
  bool dropped_down = false;  // the list part is open
  bool has_own_colours = false;
  std::uint32_t own_text = 0;        // COLORREF, used with has_own_colours
  std::uint32_t own_background = 0;  // COLORREF, used with has_own_colours
};

struct ComboRowColours {
  PaintColour background;
  PaintColour text;
};

ComboRowColours ComboRowColoursFor(const ComboRowState& state);

// Where a row's icon and text go, relative to the row's rectangle.
struct ComboRowPlacement {
  int icon_x = 0;
  int icon_y = 0;
  int text_x = 0;
};

// The icon sits 3 pixels from the left, centred in the row's height; the
// text starts 8 pixels after it. Rows without an icon (|icon_width| 0)
// start their text 3 pixels in.
ComboRowPlacement ComboRowPlacementFor(int row_height, int icon_width, int icon_height);

}  // namespace kvt
