// How the Win32 dialog port reaches the custom control behind a child
// window.
//
// Each custom control object attaches itself to its window (a window
// property holding an AttachedControl*) when it subclasses or creates it,
// and detaches before the window goes away. The port finds the object from
// the child's handle and forwards the combo-item, tree and preview
// operations to the interface the object offers; a child without an object
// is treated as the standard control.
//
// Every kind has its built-in factory; a test may put another in its place
// with RegisterControlFactory. The list-side windows register their classes
// on first use (see win32/list_controls_win32.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "oemui/controls/dialog_port.h"

namespace kvt {

class CMyDibSection2;

// The item list of a CMyComboBox.
class ComboItemsTarget {
 public:
  // Index 0 starts a new collected list; the window shows it after Rebuild.
  // Answers 0; 107 for an index past the end; the icon's load result when
  // the icon could not be loaded (the row is kept without it).
  virtual std::uint32_t AddItem(int index, const ComboItem& item) = 0;
  virtual void Rebuild() = 0;
  virtual int Count() = 0;
  virtual int SelectByData(std::int32_t data) = 0;  // index, or -1 after selecting item 0
  virtual bool SelectIndex(int index) = 0;
  virtual int SelectedIndex() = 0;
  virtual std::int32_t SelectedData() = 0;      // -1 for none
  virtual std::int32_t LastSelectedData() = 0;  // -1 for none
  virtual void SetColours(std::optional<std::uint32_t> text, std::uint32_t background) = 0;
  // Draws one row; |draw_item| is WM_DRAWITEM's lParam.
  virtual bool DrawItem(LPARAM draw_item) = 0;

 protected:
  ~ComboItemsTarget() = default;
};

// The settings tree of a CMyTreeView. Item operations answer 0 or 107.
class TreeTarget {
 public:
  virtual std::uint32_t SetIcons(const std::vector<std::uint32_t>& icon_ids) = 0;
  virtual std::uint32_t AddItem(const TreeItemRecord& item) = 0;
  virtual std::uint32_t SetItemText(std::uint32_t item, const std::u16string& text,
                                    std::uint32_t colour) = 0;
  virtual std::uint32_t ShowItem(std::uint32_t item, bool show) = 0;
  virtual std::uint32_t Expand(std::uint32_t item, bool expand) = 0;
  virtual std::uint32_t Layout() = 0;
  virtual std::uint32_t Select(std::uint32_t item) = 0;

 protected:
  ~TreeTarget() = default;
};

// The picture of a CMyPreview.
class PreviewTarget {
 public:
  virtual std::uint32_t SetImage(const CMyDibSection2& image) = 0;

 protected:
  ~PreviewTarget() = default;
};

// The edit rules of a CMyEdit, for the port's edit operations.
class EditTarget {
 public:
  virtual void SetInputMode(EditMode mode) = 0;
  virtual void SetText(const std::u16string& text) = 0;  // only when it differs
  virtual std::optional<std::u16string> GetCheckedText() = 0;
  virtual std::optional<std::int32_t> GetNumber() = 0;

 protected:
  ~EditTarget() = default;
};

// What a custom control object offers the port. Every kind answers the
// interfaces it has and null for the others.
class AttachedControl {
 public:
  virtual CustomControl Kind() const = 0;
  virtual ComboItemsTarget* AsCombo() { return nullptr; }
  virtual TreeTarget* AsTree() { return nullptr; }
  virtual PreviewTarget* AsPreview() { return nullptr; }
  virtual EditTarget* AsEdit() { return nullptr; }

 protected:
  ~AttachedControl() = default;
};

// Makes the custom control of kind |kind| in place of child |id| of
// |dialog|: subclasses it, or destroys the placeholder and creates the
// custom window with the same id and rectangle. The object attaches itself
// to its window and frees itself when the window is destroyed.
// Answers 0, 107 (no such child) or 221.
using ControlFactory = std::uint32_t (*)(HWND dialog, int id);

// Win32 only (win32/dialog_port_win32.cpp).
void RegisterControlFactory(CustomControl kind, ControlFactory factory);
ControlFactory FindControlFactory(CustomControl kind);

// The window property that holds the object; null |control| removes it.
bool AttachControlObject(HWND window, AttachedControl* control);
AttachedControl* FindControlObject(HWND window);

}  // namespace kvt
