// The settings tree's content and its navigation rules, without a window:
// section headers with value rows under them, which rows are on screen,
// which one is current, and what a key or a click does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "oemui/controls/combo_rules.h"
#include "oemui/controls/dialog_port.h"
#include "oemui/controls/layout_splitter.h"

namespace kvt {

// Background of header rows, and of the highlighted header.
inline constexpr std::uint32_t kTreeHeaderBackground = 0xF0F0F0;
inline constexpr std::uint32_t kTreeHeaderHighlight = 161 | (186 << 8) | (215 << 16);

inline constexpr std::uint32_t kTreeOk = 0;
inline constexpr std::uint32_t kTreeItemNotFound = 107;

struct TreeItem {
  TreeItemKind kind = TreeItemKind::kRow;
  std::uint32_t id = 0;
  std::uint32_t parent_id = 0;
  int depth = 0;
  int icon = -1;
  std::u16string text;
  std::uint32_t colour = kTreeTextNormal;
  bool visible = true;
  bool expandable = false;
  bool expanded = false;
};

class TreeModel {
 public:
  // Adds a row after the others. Ids are positive and unique, and a parent
  // must be added before its children; anything else gives 107.
  // Headers can be chosen (they open their section); value rows cannot.
  std::uint32_t Add(const TreeItemRecord& record);
  void Clear();

  // 107 for an id the tree does not hold.
  std::uint32_t SetText(std::uint32_t id, const std::u16string& text, std::uint32_t colour);
  std::uint32_t SetVisible(std::uint32_t id, bool visible);
  std::uint32_t SetExpanded(std::uint32_t id, bool expanded);
  // Makes |id| the current row when it is on screen (107 otherwise).
  std::uint32_t SetCurrent(std::uint32_t id);

  const TreeItem* Find(std::uint32_t id) const;
  std::uint32_t current() const { return current_; }
  const std::vector<TreeItem>& items() const { return items_; }

  // The rows on screen, top to bottom, as indexes into items(): visible
  // rows whose headers above are all visible and expanded.
  std::vector<int> DisplayedRows() const;
  bool IsDisplayed(std::uint32_t id) const;

 private:
  int IndexOf(std::uint32_t id) const;
  // A current row that went off screen (hidden, or its header collapsed)
  // hands over to the nearest header above it that is still shown, so the
  // keyboard never acts on a row the user cannot see.
  void KeepCurrentDisplayed();

  std::vector<TreeItem> items_;
  std::uint32_t current_ = 0;
};

// What a key or a click asks the tree to do.
struct TreeAction {
  enum Kind : std::uint8_t {
    kNone,
    kMove,         // make |id| current
    kExpand,       // expand header |id|
    kCollapse,     // collapse header |id|
    kToggle,       // expand or collapse header |id|
    kShowSection,  // make |id| current, scroll it into view, post 1633
    kNextControl,  // move the focus on (|previous|: backwards)
  };
  Kind kind = kNone;
  std::uint32_t id = 0;
  bool previous = false;

  bool operator==(const TreeAction& other) const {
    return kind == other.kind && id == other.id && previous == other.previous;
  }
};

TreeAction TreeKeyAction(const TreeModel& model, std::uint32_t key, bool shift);

// The row geometry the painter and the hit test share.
struct TreeGeometry {
  int row_height = 18;
  int indent = 16;    // per level; the expander box sits in the first one
  int top_row = 0;    // the first displayed row at the top of the client
  int icon_size = 0;  // width of the icons (0: the tree shows none)
};

// The expander box of a row at |depth|, relative to the row's top-left.
ControlRect TreeExpanderBox(const TreeGeometry& geometry, int depth);
// Where a row's text starts, relative to the row's left.
int TreeTextLeft(const TreeGeometry& geometry, const TreeItem& item);

TreeAction TreeClickAction(const TreeModel& model, const TreeGeometry& geometry, int x, int y);

// The new first row on screen that brings display row |row| into a client
// area |visible_rows| rows tall, changing the scroll as little as possible.
int TreeScrollToShow(int top_row, int visible_rows, int total_rows, int row);

struct TreeRowColours {
  PaintColour background;
  PaintColour text;
};

// Value rows: their own text colour on the window colour. Headers: black on
// light grey, on light blue while highlighted.
TreeRowColours TreeRowColoursFor(const TreeItem& item, bool highlighted);

}  // namespace kvt
