#include "oemui/controls/my_edit.h"

#include <utility>

namespace kvt {
namespace {

constexpr char16_t kCtrlC = 0x03;
constexpr char16_t kCtrlV = 0x16;

// Guards a flag for the length of a scope.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

EditKeyAction CMyEdit::OnChar(char16_t ch) const {
  // Enter, Tab and Escape arrive as characters too; their key-down handling
  // has done what they mean, so the character itself only beeps.
  if (wants_all_keys_ && (ch == u'\r' || ch == u'\n' || ch == u'\t' || ch == 0x1B)) {
    return EditKeyAction::kSwallow;
  }
  // Copy changes nothing, and a paste comes back as WM_PASTE, which reports
  // itself.
  if (ch == kCtrlC || ch == kCtrlV) return EditKeyAction::kDefault;
  if (!IsEditingKey(ch) && !ModeAcceptsChar(mode_, ch, window_.DecimalSeparator())) {
    return EditKeyAction::kSwallow;
  }
  // Backspace, cut, undo and accepted characters change the text.
  return window_.IsReadOnly() ? EditKeyAction::kDefault : EditKeyAction::kDefaultThenNotifyChanged;
}

EditKeyAction CMyEdit::OnKeyDown(std::uint32_t virtual_key, bool shift) {
  switch (virtual_key) {
    case kVkDelete:
      return window_.IsReadOnly() ? EditKeyAction::kDefault
                                  : EditKeyAction::kDefaultThenNotifyChanged;
    case kVkReturn:
      if (!wants_all_keys_) return EditKeyAction::kDefault;
      // A parent that shows a message box on code 1 pumps messages, and a
      // second Enter must not start the pair again inside the first.
      if (!in_enter_) {
        FlagScope guard(in_enter_);
        SendCode(kEditCodeEnter);
        SendCode(kEditCodeEnterDone);
      }
      return EditKeyAction::kSwallow;
    case kVkTab:
      if (!wants_all_keys_) return EditKeyAction::kDefault;
      window_.PostToParent(kWmNextDlgCtl, shift ? 1 : 0, 0);
      return EditKeyAction::kSwallow;
    case kVkEscape:
      if (!wants_all_keys_) return EditKeyAction::kDefault;
      window_.PostToParent(kWmKeyDown, kVkEscape, 0);
      return EditKeyAction::kSwallow;
    default:
      return EditKeyAction::kDefault;
  }
}

void CMyEdit::OnPaste() {
  if (window_.IsReadOnly()) return;
  std::u16string clipboard;
  if (!window_.ClipboardText(&clipboard)) return;
  std::size_t start = 0;
  std::size_t end = 0;
  window_.GetSelection(&start, &end);
  if (end < start) std::swap(start, end);
  std::size_t room = InsertRoom(window_.Text().size(), end - start, window_.TextLimit());
  std::u16string kept = FilterPaste(mode_, clipboard, window_.DecimalSeparator(), room);
  window_.ReplaceSelection(kept);
  NotifyChanged();
}

bool CMyEdit::OnMouseDown() {
  if (window_.HasFocus()) return false;
  window_.TakeFocus();
  window_.SetSelection(0, window_.Text().size());
  return true;
}

void CMyEdit::OnFocusLost() {
  if (mode_ == EditMode::kHex) {
    std::u16string text = window_.Text();
    std::u16string upper = UpperCaseHexDigits(text);
    if (upper != text) {
      std::size_t start = 0;
      std::size_t end = 0;
      window_.GetSelection(&start, &end);
      window_.SetText(upper);
      window_.SetSelection(start, end);
    }
  }
  SendCode(kEditCodeFocusLost);
}

void CMyEdit::NotifyChanged() {
  window_.PostToParent(kMsgEditNotify, MakeNotifyWParam(window_.Id(), kEditCodeChanged),
                       window_.Self());
}

void CMyEdit::SendCode(std::uint16_t code) {
  window_.SendToParent(kMsgEditNotify, MakeNotifyWParam(window_.Id(), code), window_.Self());
}

void CMyEdit::SetText(const std::u16string& text) {
  if (window_.Text() != text) window_.SetText(text);
}

std::optional<std::u16string> CMyEdit::GetCheckedText() {
  return CheckEditText(window_.Text(), mode_, window_.DecimalSeparator(), window_.Blanks());
}

std::optional<std::int32_t> CMyEdit::GetNumber() {
  std::optional<std::u16string> checked = GetCheckedText();
  if (!checked) return std::nullopt;
  return ReadLeadingInt32(*checked);
}

void CMyEdit::SetNumber(std::uint32_t value) {
  std::u16string text;
  do {
    text.insert(text.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value != 0);
  SetText(text);
}

}  // namespace kvt
