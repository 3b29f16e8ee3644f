// The subclass procedures of CMyEdit and CMyRadBtn. They only unpack the
// window messages; what the controls do is decided in my_edit.cpp and
// my_rad_btn.cpp.
#include "core/result_codes.h"
#include "platform/framework_abi.h"

#include <commctrl.h>

#include <cwchar>

#include "oemui/controls/control_attachment.h"
#include "oemui/controls/my_edit.h"
#include "oemui/controls/my_rad_btn.h"

namespace kvt {

std::uint32_t AttachMyEdit(HWND dialog, int id);
std::uint32_t AttachMyRadBtn(HWND dialog, int id);

namespace {

constexpr UINT_PTR kEditSubclassId = 0x4B564531;   // "KVE1"
constexpr UINT_PTR kRadioSubclassId = 0x4B565231;  // "KVR1"

bool IsLocaleBlank(char16_t ch) {
  WORD type = 0;
  wchar_t wide = static_cast<wchar_t>(ch);
  if (!GetStringTypeW(CT_CTYPE1, &wide, 1, &type)) return IsBlankOrControl(ch);
  return (type & (C1_SPACE | C1_BLANK | C1_CNTRL)) != 0;
}

class Win32Edit final : public AttachedControl, private EditWindow {
 public:
  explicit Win32Edit(HWND window) : window_(window), edit_(*this) {}

  CustomControl Kind() const override { return CustomControl::kEdit; }
  EditTarget* AsEdit() override { return &edit_; }

  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                               DWORD_PTR data);

 private:
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT AfterDefault(EditKeyAction action, UINT message, WPARAM wparam, LPARAM lparam);

  // EditWindow
  int Id() override { return GetDlgCtrlID(window_); }
  std::u16string Text() override;
  void SetText(const std::u16string& text) override {
    SetWindowTextW(window_, reinterpret_cast<const wchar_t*>(text.c_str()));
  }
  void GetSelection(std::size_t* start, std::size_t* end) override {
    DWORD first = 0;
    DWORD last = 0;
    SendMessageW(window_, EM_GETSEL, reinterpret_cast<WPARAM>(&first),
                 reinterpret_cast<LPARAM>(&last));
    *start = first;
    *end = last;
  }
  void SetSelection(std::size_t start, std::size_t end) override {
    SendMessageW(window_, EM_SETSEL, start, static_cast<LPARAM>(end));
  }
  void ReplaceSelection(const std::u16string& text) override {
    SendMessageW(window_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  }
  std::size_t TextLimit() override {
    return static_cast<std::size_t>(SendMessageW(window_, EM_GETLIMITTEXT, 0, 0));
  }
  bool IsReadOnly() override { return (GetWindowLongW(window_, GWL_STYLE) & ES_READONLY) != 0; }
  bool HasFocus() override { return GetFocus() == window_; }
  void TakeFocus() override { SetFocus(window_); }
  bool ClipboardText(std::u16string* text) override;
  char16_t DecimalSeparator() override {
    wchar_t separator[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 0) return u'.';
    return separator[0] != L'\0' ? static_cast<char16_t>(separator[0]) : u'.';
  }
  BlankClassifier Blanks() override { return IsLocaleBlank; }
  LRESULT SendToParent(UINT message, WPARAM wparam, LPARAM lparam) override {
    return SendMessageW(GetParent(window_), message, wparam, lparam);
  }
  void PostToParent(UINT message, WPARAM wparam, LPARAM lparam) override {
    PostMessageW(GetParent(window_), message, wparam, lparam);
  }
  LPARAM Self() override { return reinterpret_cast<LPARAM>(window_); }

  HWND window_;
  CMyEdit edit_;
  int busy_ = 0;
  bool destroyed_ = false;
};

std::u16string Win32Edit::Text() {
  int length = GetWindowTextLengthW(window_);
  if (length <= 0) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  int copied = GetWindowTextW(window_, reinterpret_cast<wchar_t*>(&text[0]), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

bool Win32Edit::ClipboardText(std::u16string* text) {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(window_)) return false;
  bool found = false;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      // Another program wrote this block: never read past its end, even
      // when it lacks the terminating zero.
      std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
      std::size_t length = wcsnlen(chars, capacity);
      text->assign(reinterpret_cast<const char16_t*>(chars), length);
      GlobalUnlock(data);
      found = true;
    }
  }
  CloseClipboard();
  return found;
}

LRESULT CALLBACK Win32Edit::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                 DWORD_PTR data) {
  auto* self = reinterpret_cast<Win32Edit*>(data);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, Proc, kEditSubclassId);
    AttachControlObject(window, nullptr);
    LRESULT result = DefSubclassProc(window, message, wparam, lparam);
    // A parent may destroy the edit while it is told about Enter; the
    // object then lives until that notification has returned.
    if (self->busy_ > 0) {
      self->destroyed_ = true;
    } else {
      delete self;
    }
    return result;
  }
  ++self->busy_;
  LRESULT result = self->Handle(message, wparam, lparam);
  if (--self->busy_ == 0 && self->destroyed_) delete self;
  return result;
}

LRESULT Win32Edit::AfterDefault(EditKeyAction action, UINT message, WPARAM wparam, LPARAM lparam) {
  if (action == EditKeyAction::kSwallow) return 0;
  LRESULT result = DefSubclassProc(window_, message, wparam, lparam);
  if (action == EditKeyAction::kDefaultThenNotifyChanged) edit_.NotifyChanged();
  return result;
}

LRESULT Win32Edit::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = DefSubclassProc(window_, message, wparam, lparam);
      return edit_.WantsAllKeys() ? code | DLGC_WANTALLKEYS : code;
    }
    case WM_CHAR:
      return AfterDefault(edit_.OnChar(static_cast<char16_t>(wparam)), message, wparam, lparam);
    case WM_KEYDOWN:
      return AfterDefault(
          edit_.OnKeyDown(static_cast<std::uint32_t>(wparam), GetKeyState(VK_SHIFT) < 0), message,
          wparam, lparam);
    case WM_PASTE:
      edit_.OnPaste();
      return 0;
    case WM_LBUTTONDOWN:
      if (edit_.OnMouseDown()) return 0;
      break;
    case WM_KILLFOCUS: {
      LRESULT result = DefSubclassProc(window_, message, wparam, lparam);
      edit_.OnFocusLost();
      return result;
    }
    default:
      break;
  }
  return DefSubclassProc(window_, message, wparam, lparam);
}

class Win32RadioButton final : public AttachedControl {
 public:
  explicit Win32RadioButton(HWND) {}
  CustomControl Kind() const override { return CustomControl::kRadioButton; }

  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                               DWORD_PTR data) {
    switch (message) {
      case WM_NCDESTROY:
        RemoveWindowSubclass(window, Proc, kRadioSubclassId);
        AttachControlObject(window, nullptr);
        delete reinterpret_cast<Win32RadioButton*>(data);
        break;
      case WM_GETDLGCODE:
        // Without this the dialog manager keeps the arrows for itself.
        return DefSubclassProc(window, message, wparam, lparam) | DLGC_WANTARROWS;
      case WM_KEYDOWN:
        if (std::optional<UINT> notify = RadioArrowMessage(static_cast<std::uint32_t>(wparam))) {
          PostMessageW(GetParent(window), *notify, static_cast<WPARAM>(GetDlgCtrlID(window)),
                       reinterpret_cast<LPARAM>(window));
        }
        break;
      default:
        break;
    }
    return DefSubclassProc(window, message, wparam, lparam);
  }
};

template <class Control>
std::uint32_t Subclass(HWND dialog, int id, UINT_PTR subclass_id) {
  HWND window = GetDlgItem(dialog, id);
  if (window == nullptr) return kResultInvalid;
  auto* control = new Control(window);
  if (!SetWindowSubclass(window, Control::Proc, subclass_id,
                         reinterpret_cast<DWORD_PTR>(control))) {
    delete control;
    return kResultBindingFailed;
  }
  if (!AttachControlObject(window, control)) {
    RemoveWindowSubclass(window, Control::Proc, subclass_id);
    delete control;
    return kResultBindingFailed;
  }
  return kResultOk;
}

}  // namespace

std::uint32_t AttachMyEdit(HWND dialog, int id) {
  return Subclass<Win32Edit>(dialog, id, kEditSubclassId);
}

std::uint32_t AttachMyRadBtn(HWND dialog, int id) {
  return Subclass<Win32RadioButton>(dialog, id, kRadioSubclassId);
}

}  // namespace kvt
