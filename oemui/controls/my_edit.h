// CMyEdit: an edit that lets in only the characters of its input mode,
// filters what is pasted into it, tells its parent about Enter, changes and
// leaving (message 1624), selects all on the click that gives it the focus,
// and reads its text back only after checking it.
//
// The behaviour lives here; the window it acts on is an EditWindow, which
// the Win32 subclass procedure and the fake dialog both provide.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "oemui/controls/control_attachment.h"
#include "oemui/controls/dialog_port.h"
#include "oemui/controls/edit_rules.h"

namespace kvt {

// Virtual-key codes the edit reacts to.
inline constexpr std::uint32_t kVkTab = 0x09;
inline constexpr std::uint32_t kVkReturn = 0x0D;
inline constexpr std::uint32_t kVkEscape = 0x1B;
inline constexpr std::uint32_t kVkLeft = 0x25;
inline constexpr std::uint32_t kVkUp = 0x26;
inline constexpr std::uint32_t kVkRight = 0x27;
inline constexpr std::uint32_t kVkDown = 0x28;
inline constexpr std::uint32_t kVkDelete = 0x2E;

inline constexpr UINT kWmKeyDown = 0x0100;
inline constexpr UINT kWmNextDlgCtl = 0x0028;

// The edit window as CMyEdit sees it. Positions are in UTF-16 units.
class EditWindow {
 public:
  virtual int Id() = 0;
  virtual std::u16string Text() = 0;
  // Sets the whole text (the window tells its parent as a standard edit does).
  virtual void SetText(const std::u16string& text) = 0;
  virtual void GetSelection(std::size_t* start, std::size_t* end) = 0;
  virtual void SetSelection(std::size_t start, std::size_t end) = 0;
  // Replaces the selection as typing would, with the change notification.
  virtual void ReplaceSelection(const std::u16string& text) = 0;
  virtual std::size_t TextLimit() = 0;
  virtual bool IsReadOnly() = 0;
  virtual bool HasFocus() = 0;
  virtual void TakeFocus() = 0;
  // The clipboard's Unicode text; false when there is none.
  virtual bool ClipboardText(std::u16string* text) = 0;
  virtual char16_t DecimalSeparator() = 0;
  // The locale's classification of the blanks the text check cuts.
  virtual BlankClassifier Blanks() = 0;
  virtual LRESULT SendToParent(UINT message, WPARAM wparam, LPARAM lparam) = 0;
  virtual void PostToParent(UINT message, WPARAM wparam, LPARAM lparam) = 0;
  // This window's handle as lParam of the notifications.
  virtual LPARAM Self() = 0;

 protected:
  ~EditWindow() = default;
};

// What the window procedure does with a key after CMyEdit has seen it.
enum class EditKeyAction {
  kDefault,                   // the standard edit handles it
  kDefaultThenNotifyChanged,  // the standard edit applies it, then NotifyChanged()
  kSwallow,                   // handled here; the standard edit never sees it
};

class CMyEdit final : public EditTarget {
 public:
  explicit CMyEdit(EditWindow& window) : window_(window) {}

  EditMode InputMode() const { return mode_; }
  // Whether Enter, Tab and Escape reach the edit (the default). An edit that
  // does not want them leaves them to the dialog.
  void SetWantsAllKeys(bool wants) { wants_all_keys_ = wants; }
  bool WantsAllKeys() const { return wants_all_keys_; }

  // WM_CHAR.
  EditKeyAction OnChar(char16_t ch) const;
  // WM_KEYDOWN. Enter sends codes 1 and 4; Tab moves to the next control;
  // Escape goes to the parent; Delete changes the text.
  EditKeyAction OnKeyDown(std::uint32_t virtual_key, bool shift);
  // WM_PASTE: inserts the filtered clipboard text. Always handled here.
  void OnPaste();
  // WM_LBUTTONDOWN: true when the click was used to take the focus and
  // select the whole text (the standard edit must not see it).
  bool OnMouseDown();
  // WM_KILLFOCUS, after the standard edit has handled it.
  void OnFocusLost();
  // Posts code 2 to the parent.
  void NotifyChanged();

  // EditTarget: what pages ask of the edit through the dialog port.
  void SetInputMode(EditMode mode) override { mode_ = mode; }
  void SetText(const std::u16string& text) override;
  std::optional<std::u16string> GetCheckedText() override;
  std::optional<std::int32_t> GetNumber() override;
  void SetNumber(std::uint32_t value);

 private:
  void SendCode(std::uint16_t code);

  EditWindow& window_;
  EditMode mode_ = EditMode::kAnyButBreaks;
  bool wants_all_keys_ = true;
  bool in_enter_ = false;
};

}  // namespace kvt
