// CMyComboBox: the owner-drawn drop-down list of the pages. It keeps the
// rows the page asked for (text, data value and an optional icon) apart
// from what the window shows, so a page can describe its list every time
// and the window is refilled only when the description changed.
//
// The object talks to its window through ComboWindow; the Win32 side
// implements it over CB_ messages, tests over a vector.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "oemui/controls/combo_rules.h"
#include "oemui/controls/dialog_port.h"
#include "oemui/watermark/dib_section.h"
#include "platform/library_loader.h"

namespace kvt {

// The list box part of a combo box, as CMyComboBox needs it.
class ComboWindow {
 public:
  virtual ~ComboWindow() = default;

  virtual std::vector<ComboShownRow> Rows() = 0;
  virtual void Clear() = 0;
  virtual void Append(const std::u16string& text, std::int32_t data) = 0;
  virtual int Selection() = 0;  // -1 when none
  virtual void Select(int index) = 0;
  // Extent of |text| in the control's font, in pixels.
  virtual int TextWidth(const std::u16string& text) = 0;
  virtual int ScrollBarWidth() = 0;
  virtual int ControlWidth() = 0;
  virtual void SetDropDownWidth(int width) = 0;
};

class CMyComboBox {
 public:
  // |module| holds the strings and pictures the rows name by id.
  CMyComboBox(ComboWindow& window, ModuleHandle module) : window_(window), module_(module) {}

  // Puts a row at |index|: 0 starts a new list, the others replace a row or
  // add one at the end. An index past the end would leave a hole in the
  // list and is refused with 107. The icon is loaded now; when it cannot be
  // the row is kept without one and the picture's code is answered.
  std::uint32_t AddItem(int index, const ComboItem& item);
  // The same with the text taken from string |string_id| of the module
  // (|item|'s text is ignored); a missing string gives 201 and adds nothing.
  std::uint32_t AddItemFromString(int index, std::uint32_t string_id, const ComboItem& item);

  // Fills the window with the collected rows when they differ from what it
  // shows, and sizes the drop-down to the widest row.
  void Rebuild();

  // The data value of the selected row, or -1.
  std::int32_t GetSelectedData();
  // Selects the first row holding |data| and answers its index; when no row
  // holds it, selects the first row and answers -1.
  int SelectByData(std::int32_t data);
  // Selects row |index| (-1: none); false for an index the list lacks.
  bool SelectIndex(int index);
  int SelectedIndex() { return window_.Selection(); }
  int Count() { return static_cast<int>(window_.Rows().size()); }
  // The data of the row the page selected last (-1 for none). The user's
  // own picks do not change it, so the page can compare a pick with it
  // before it accepts the pick.
  std::int32_t LastSelectedData();

  // An arrow key: answers true and selects the row when the key moved the
  // selection (the caller then tells the parent of the change).
  bool OnArrowKey(std::uint32_t key);
  // The user confirmed the drop-down (code 9). Puts the row the page
  // selected last back when nothing is selected; answers the selection now
  // shown.
  int OnSelectionAccepted();

  void SetColours(std::optional<std::uint32_t> text, std::uint32_t background) {
    text_colour_ = text;
    background_ = background;
  }
  const std::optional<std::uint32_t>& text_colour() const { return text_colour_; }
  std::uint32_t background() const { return background_; }

  int item_count() const { return static_cast<int>(items_.size()); }
  // The icon of row |index| when it has one, else null.
  const CMyDibSection2* Icon(int index) const;
  ComboIconKind IconKind(int index) const;
  int last_selected() const { return last_selected_; }

 private:
  struct Item {
    std::u16string text;
    std::int32_t data = 0;
    ComboIconKind icon_kind = ComboIconKind::kNone;
    CMyDibSection2 icon;
  };

  ComboWindow& window_;
  ModuleHandle module_;
  std::vector<Item> items_;
  std::optional<std::uint32_t> text_colour_;
  std::uint32_t background_ = 0xFFFFFF;
  int last_selected_ = -1;
};

}  // namespace kvt
