#include "oemui/controls/fake_dialog_port.h"

#include <algorithm>
#include <utility>

#include "core/result_codes.h"
#include "oemui/controls/my_rad_btn.h"

namespace kvt {

struct FakeWindows::Window {
  HWND parent = nullptr;
  Handler handler;
  DialogRect client{0, 0, 400, 300};
  DialogRect placed{0, 0, 400, 300};
  bool shown = true;
  bool enabled = true;
  DialogFont font;
  std::vector<std::unique_ptr<FakeControl>> controls;  // in z-order
};

// The edit window CMyEdit acts on, over one fake control.
class FakeWindows::EditAdapter final : public EditWindow {
 public:
  EditAdapter(FakeWindows& windows, HWND dialog, FakeControl& control)
      : windows_(windows), dialog_(dialog), control_(control) {}

  int Id() override { return control_.id; }
  std::u16string Text() override { return control_.text; }
  void SetText(const std::u16string& text) override {
    control_.text = text;
    control_.selection_start = control_.selection_end = 0;
    windows_.NotifyCommand(dialog_, control_.id, kEnChange);
  }
  void GetSelection(std::size_t* start, std::size_t* end) override {
    *start = control_.selection_start;
    *end = control_.selection_end;
  }
  void SetSelection(std::size_t start, std::size_t end) override {
    control_.selection_start = std::min(start, control_.text.size());
    control_.selection_end = std::min(end, control_.text.size());
  }
  void ReplaceSelection(const std::u16string& text) override {
    std::size_t start = std::min(control_.selection_start, control_.selection_end);
    std::size_t end = std::max(control_.selection_start, control_.selection_end);
    start = std::min(start, control_.text.size());
    end = std::min(end, control_.text.size());
    control_.text.replace(start, end - start, text);
    control_.selection_start = control_.selection_end = start + text.size();
    windows_.NotifyCommand(dialog_, control_.id, kEnChange);
  }
  std::size_t TextLimit() override { return control_.limit; }
  bool IsReadOnly() override { return control_.read_only; }
  bool HasFocus() override { return windows_.focus_ == control_.window; }
  void TakeFocus() override { windows_.Focus(dialog_, control_.id); }
  bool ClipboardText(std::u16string* text) override {
    *text = windows_.clipboard_;
    return true;
  }
  char16_t DecimalSeparator() override { return windows_.decimal_separator; }
  BlankClassifier Blanks() override { return IsBlankOrControl; }
  LRESULT SendToParent(UINT message, WPARAM wparam, LPARAM lparam) override {
    return windows_.Send(dialog_, message, wparam, lparam);
  }
  void PostToParent(UINT message, WPARAM wparam, LPARAM lparam) override {
    windows_.Post(dialog_, message, wparam, lparam);
  }
  LPARAM Self() override { return reinterpret_cast<LPARAM>(control_.window); }

 private:
  FakeWindows& windows_;
  HWND dialog_;
  FakeControl& control_;
};

FakeWindows::FakeWindows() = default;
FakeWindows::~FakeWindows() = default;

HWND FakeWindows::NewWindow(HWND parent, Handler handler) {
  HWND handle = reinterpret_cast<HWND>(next_handle_);
  next_handle_ += 0x10;
  auto window = std::make_unique<Window>();
  window->parent = parent;
  window->handler = std::move(handler);
  windows_[handle] = std::move(window);
  return handle;
}

void FakeWindows::AddTemplate(std::uint16_t template_id, TemplateFactory factory) {
  templates_[template_id] = std::move(factory);
}

HWND FakeWindows::CreateFromTemplate(HWND parent, std::uint16_t template_id, LPARAM param) {
  auto found = templates_.find(template_id);
  if (found == templates_.end() || !found->second) return nullptr;
  HWND window = NewWindow(parent);
  SetHandler(window, found->second(window, param));
  return window;
}

void FakeWindows::SetHandler(HWND window, Handler handler) {
  if (Window* found = Find(window)) found->handler = std::move(handler);
}

FakeWindows::Window* FakeWindows::Find(HWND window) {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second.get();
}

const FakeWindows::Window* FakeWindows::Find(HWND window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second.get();
}

HWND FakeWindows::Parent(HWND window) const {
  if (const Window* found = Find(window)) return found->parent;
  auto owner = control_owner_.find(window);
  return owner == control_owner_.end() ? nullptr : owner->second;
}

bool FakeWindows::IsWindow(HWND window) const {
  return Find(window) != nullptr || control_owner_.count(window) != 0;
}

FakeControl& FakeWindows::AddControl(HWND dialog, int id, DialogRect rect) {
  if (FakeControl* existing = Control(dialog, id)) return *existing;
  Window* window = Find(dialog);
  if (window == nullptr) {
    windows_[dialog] = std::make_unique<Window>();
    window = Find(dialog);
  }
  auto control = std::make_unique<FakeControl>();
  control->id = id;
  control->rect = rect;
  control->window = reinterpret_cast<HWND>(next_handle_);
  next_handle_ += 0x10;
  control_owner_[control->window] = dialog;
  window->controls.push_back(std::move(control));
  return *window->controls.back();
}

FakeControl* FakeWindows::Control(HWND dialog, int id) {
  Window* window = Find(dialog);
  if (window == nullptr) return nullptr;
  for (auto& control : window->controls) {
    if (control->id == id) return control.get();
  }
  return nullptr;
}

FakeControl* FakeWindows::FindControl(HWND control, HWND* dialog) {
  auto owner = control_owner_.find(control);
  if (owner == control_owner_.end()) return nullptr;
  if (dialog != nullptr) *dialog = owner->second;
  Window* window = Find(owner->second);
  for (auto& candidate : window->controls) {
    if (candidate->window == control) return candidate.get();
  }
  return nullptr;
}

FakeControl* FakeWindows::ControlByWindow(HWND control) { return FindControl(control, nullptr); }

std::vector<int> FakeWindows::ControlIds(HWND dialog) const {
  std::vector<int> ids;
  if (const Window* window = Find(dialog)) {
    for (const auto& control : window->controls) ids.push_back(control->id);
  }
  return ids;
}

DialogRect& FakeWindows::ClientRect(HWND window) {
  if (Find(window) == nullptr) windows_[window] = std::make_unique<Window>();
  return Find(window)->client;
}

DialogRect& FakeWindows::PlacedRect(HWND window) {
  if (Find(window) == nullptr) windows_[window] = std::make_unique<Window>();
  return Find(window)->placed;
}

bool FakeWindows::IsShown(HWND window) const {
  const Window* found = Find(window);
  return found != nullptr && found->shown;
}

bool FakeWindows::IsEnabled(HWND window) const {
  const Window* found = Find(window);
  return found != nullptr && found->enabled;
}

std::vector<HWND> FakeWindows::ChildWindows(HWND parent) const {
  std::vector<HWND> children;
  for (const auto& [handle, window] : windows_) {
    if (window->parent == parent && parent != nullptr) children.push_back(handle);
  }
  return children;
}

DialogFont& FakeWindows::Font(HWND window) {
  if (Find(window) == nullptr) windows_[window] = std::make_unique<Window>();
  return Find(window)->font;
}

LRESULT FakeWindows::Send(HWND target, UINT message, WPARAM wparam, LPARAM lparam) {
  FakeMessage sent{target, message, wparam, lparam, false};
  log_.push_back(sent);
  Window* window = Find(target);
  if (window == nullptr || !window->handler) return 0;
  // Copy: the handler may replace itself or create windows.
  Handler handler = window->handler;
  return handler(message, wparam, lparam);
}

bool FakeWindows::Post(HWND target, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!IsWindow(target)) return false;
  FakeMessage posted{target, message, wparam, lparam, true};
  log_.push_back(posted);
  posted_.push_back(posted);
  return true;
}

std::size_t FakeWindows::Pump(std::size_t limit) {
  std::size_t delivered = 0;
  while (!posted_.empty() && delivered < limit) {
    FakeMessage next = posted_.front();
    posted_.pop_front();
    Deliver(next);
    ++delivered;
  }
  return delivered;
}

void FakeWindows::Deliver(const FakeMessage& message) {
  Window* window = Find(message.target);
  if (window == nullptr || !window->handler) return;
  Handler handler = window->handler;
  handler(message.message, message.wparam, message.lparam);
}

std::vector<FakeMessage> FakeWindows::MessagesTo(HWND target, UINT message) const {
  std::vector<FakeMessage> found;
  for (const FakeMessage& logged : log_) {
    if (logged.target == target && logged.message == message) found.push_back(logged);
  }
  return found;
}

void FakeWindows::NotifyCommand(HWND dialog, int id, std::uint16_t code) {
  FakeControl* control = Control(dialog, id);
  Send(dialog, kWmCommand, MakeNotifyWParam(id, code),
       reinterpret_cast<LPARAM>(control != nullptr ? control->window : nullptr));
}

void FakeWindows::Focus(HWND dialog, int id) {
  FakeControl* control = Control(dialog, id);
  if (control == nullptr || control->window == focus_) return;
  LeaveFocus();
  focus_ = control->window;
}

void FakeWindows::LeaveFocus() {
  HWND old = focus_;
  focus_ = nullptr;
  if (FakeControl* control = ControlByWindow(old)) {
    if (control->edit) control->edit->OnFocusLost();
  }
  Pump();
}

bool FakeWindows::FireTimer(HWND window, std::uintptr_t timer_id) {
  if (!IsTimerRunning(window, timer_id)) return false;
  Send(window, kWmTimer, timer_id, 0);
  Pump();
  return true;
}

bool FakeWindows::IsTimerRunning(HWND window, std::uintptr_t timer_id) const {
  auto running = timers_.find(window);
  if (running == timers_.end()) return false;
  const auto& ids = running->second;
  return std::find(ids.begin(), ids.end(), timer_id) != ids.end();
}

namespace {

// What the standard edit does with a character it is given.
void ApplyTypedChar(FakeControl& control, char16_t ch) {
  std::size_t start = std::min(control.selection_start, control.selection_end);
  std::size_t end = std::max(control.selection_start, control.selection_end);
  start = std::min(start, control.text.size());
  end = std::min(end, control.text.size());
  if (ch == 0x08) {  // Backspace
    if (start == end && start > 0) --start;
    control.text.erase(start, end - start);
  } else {
    if (InsertRoom(control.text.size(), end - start, control.limit) == 0) return;
    control.text.replace(start, end - start, 1, ch);
    ++start;
  }
  control.selection_start = control.selection_end = start;
}

void ApplyDelete(FakeControl& control) {
  std::size_t start = std::min(control.selection_start, control.selection_end);
  std::size_t end = std::max(control.selection_start, control.selection_end);
  if (start == end) end = std::min(end + 1, control.text.size());
  if (start < control.text.size()) control.text.erase(start, end - start);
  control.selection_start = control.selection_end = start;
}

}  // namespace

void FakeWindows::Type(HWND dialog, int id, std::u16string_view keys) {
  FakeControl* control = Control(dialog, id);
  if (control == nullptr) return;
  Focus(dialog, id);
  for (char16_t ch : keys) {
    if (ch == 0x16) {  // Ctrl+V: the standard edit pastes
      Paste(dialog, id, clipboard_);
      continue;
    }
    EditKeyAction action =
        control->edit ? control->edit->OnChar(ch) : EditKeyAction::kDefaultThenNotifyChanged;
    if (action == EditKeyAction::kSwallow || control->read_only) continue;
    std::u16string before = control->text;
    if (ch == 0x18) {  // Ctrl+X: the selection goes (to a clipboard the fake does not keep)
      if (control->selection_start != control->selection_end) ApplyDelete(*control);
    } else if (ch >= 0x20 || ch == 0x08) {  // other control characters insert nothing
      ApplyTypedChar(*control, ch);
    }
    if (control->text != before) NotifyCommand(dialog, id, kEnChange);
    if (action == EditKeyAction::kDefaultThenNotifyChanged && control->edit) {
      control->edit->NotifyChanged();
    }
  }
  Pump();
}

void FakeWindows::Paste(HWND dialog, int id, std::u16string_view clipboard) {
  FakeControl* control = Control(dialog, id);
  if (control == nullptr) return;
  clipboard_ = std::u16string(clipboard);
  Focus(dialog, id);
  if (control->edit) {
    control->edit->OnPaste();
  } else if (!control->read_only) {
    std::size_t selected = control->selection_end > control->selection_start
                               ? control->selection_end - control->selection_start
                               : control->selection_start - control->selection_end;
    std::size_t room = InsertRoom(control->text.size(), selected, control->limit);
    EditAdapter adapter(*this, dialog, *control);
    adapter.ReplaceSelection(FilterPaste(EditMode::kAnyButBreaks, clipboard, u'.', room));
  }
  Pump();
}

void FakeWindows::PressKey(HWND dialog, int id, std::uint32_t virtual_key, bool shift) {
  FakeControl* control = Control(dialog, id);
  if (control == nullptr) return;
  Focus(dialog, id);
  if (control->edit) {
    EditKeyAction action = control->edit->OnKeyDown(virtual_key, shift);
    if (action != EditKeyAction::kSwallow && virtual_key == kVkDelete && !control->read_only) {
      ApplyDelete(*control);
      NotifyCommand(dialog, id, kEnChange);
    }
    if (action == EditKeyAction::kDefaultThenNotifyChanged) control->edit->NotifyChanged();
  } else if (control->custom == CustomControl::kRadioButton) {
    if (std::optional<UINT> message = RadioArrowMessage(virtual_key)) {
      Post(dialog, *message, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(control->window));
    }
  }
  Pump();
}

void FakeWindows::ClickInto(HWND dialog, int id) {
  FakeControl* control = Control(dialog, id);
  if (control == nullptr || !control->enabled) return;
  if (control->edit) {
    if (control->edit->OnMouseDown()) {
      Pump();
      return;
    }
  }
  Focus(dialog, id);
  Pump();
}

void FakeWindows::ClickButton(HWND dialog, int id, std::optional<bool> check) {
  FakeControl* control = Control(dialog, id);
  if (control == nullptr || !control->enabled) return;
  Focus(dialog, id);
  if (check) control->checked = *check;
  NotifyCommand(dialog, id, kBnClicked);
  Pump();
}

void FakeWindows::PickComboRow(HWND dialog, int id, int index) {
  FakeControl* control = Control(dialog, id);
  if (control == nullptr || !control->enabled) return;
  if (index < 0 || index >= static_cast<int>(control->combo_items.size())) return;
  Focus(dialog, id);
  control->combo_selected = index;
  NotifyCommand(dialog, id, kCbnSelChange);
  Pump();
}

// ---------------------------------------------------------------------------

FakeControl& FakeDialogPort::Control(int id) { return windows_.AddControl(window_, id); }

FakeControl* FakeDialogPort::FindKind(int id, CustomControl kind) {
  FakeControl* control = Find(id);
  return control != nullptr && control->custom == kind ? control : nullptr;
}

HWND FakeDialogPort::Sheet() {
  HWND top = window_;
  for (HWND up = windows_.Parent(top); up != nullptr; up = windows_.Parent(up)) top = up;
  return top;
}

FakeControl* FakeDialogPort::FindChild(HWND child) {
  HWND dialog = nullptr;
  FakeControl* control = windows_.FindControl(child, &dialog);
  return dialog == window_ ? control : nullptr;
}

std::vector<HWND> FakeDialogPort::Children() {
  std::vector<HWND> children;
  if (const FakeWindows::Window* window = windows_.Find(window_)) {
    for (const auto& control : window->controls) children.push_back(control->window);
  }
  for (HWND section : windows_.ChildWindows(window_)) children.push_back(section);
  return children;
}

FakeWindows::Window* FakeDialogPort::FindChildWindow(HWND child) {
  FakeWindows::Window* window = windows_.Find(child);
  return window != nullptr && window->parent == window_ ? window : nullptr;
}

std::optional<DialogRect> FakeDialogPort::ChildRect(HWND child) {
  if (FakeControl* control = FindChild(child)) return control->rect;
  if (FakeWindows::Window* window = FindChildWindow(child)) return window->placed;
  return std::nullopt;
}

bool FakeDialogPort::MoveChild(HWND child, const DialogRect& rect) {
  if (FakeControl* control = FindChild(child)) {
    control->rect = rect;
  } else if (FakeWindows::Window* window = FindChildWindow(child)) {
    window->placed = rect;
  } else {
    return false;
  }
  return true;
}

bool FakeDialogPort::ShowChild(HWND child, bool show) {
  if (FakeControl* control = FindChild(child)) {
    control->visible = show;
  } else if (FakeWindows::Window* window = FindChildWindow(child)) {
    window->shown = show;
  } else {
    return false;
  }
  return true;
}

bool FakeDialogPort::EnableChild(HWND child, bool enable) {
  if (FakeControl* control = FindChild(child)) {
    control->enabled = enable;
  } else if (FakeWindows::Window* window = FindChildWindow(child)) {
    window->enabled = enable;
  } else {
    return false;
  }
  return true;
}

void FakeDialogPort::SetChildFont(HWND child, const DialogFont& font) {
  if (FakeControl* control = FindChild(child)) control->font = font;
}

bool FakeDialogPort::StartTimer(std::uintptr_t timer_id, UINT) {
  if (!windows_.IsTimerRunning(window_, timer_id)) windows_.timers_[window_].push_back(timer_id);
  return true;
}

void FakeDialogPort::StopTimer(std::uintptr_t timer_id) {
  auto& ids = windows_.timers_[window_];
  ids.erase(std::remove(ids.begin(), ids.end(), timer_id), ids.end());
}

void FakeDialogPort::ReleaseMouse() {
  if (windows_.capture == window_) windows_.capture = nullptr;
}

bool FakeDialogPort::IsCursorOver(int id) {
  FakeControl* control = Find(id);
  return control != nullptr && windows_.cursor_over == control->window;
}

HWND FakeDialogPort::Item(int id) {
  FakeControl* control = Find(id);
  return control != nullptr ? control->window : nullptr;
}

HWND FakeDialogPort::ControlOf(HWND dialog, int id) {
  FakeControl* control = windows_.Control(dialog, id);
  return control != nullptr ? control->window : nullptr;
}

HWND FakeDialogPort::NextSibling(HWND window) {
  HWND dialog = nullptr;
  if (windows_.FindControl(window, &dialog) == nullptr) return nullptr;
  FakeDialogPort owner(windows_, dialog);
  const std::vector<HWND> siblings = owner.Children();
  for (std::size_t i = 0; i + 1 < siblings.size(); ++i) {
    if (siblings[i] == window) return siblings[i + 1];
  }
  return nullptr;
}

std::uint32_t FakeDialogPort::StyleOf(HWND window) {
  FakeControl* control = windows_.ControlByWindow(window);
  return control != nullptr ? control->style : 0;
}

bool FakeDialogPort::IsButtonChecked(HWND button) {
  FakeControl* control = windows_.ControlByWindow(button);
  return control != nullptr && control->checked;
}

void FakeDialogPort::SetButtonChecked(HWND button, bool checked) {
  if (FakeControl* control = windows_.ControlByWindow(button)) control->checked = checked;
}

int FakeDialogPort::ListSelection(HWND list) {
  FakeControl* control = windows_.ControlByWindow(list);
  return control != nullptr ? control->combo_selected : -1;
}

void FakeDialogPort::SelectListRow(HWND list, int row) {
  FakeControl* control = windows_.ControlByWindow(list);
  if (control != nullptr && row >= -1 && row < static_cast<int>(control->combo_items.size())) {
    control->combo_selected = row;
  }
}

void FakeDialogPort::FocusWindow(HWND window) {
  HWND dialog = nullptr;
  if (FakeControl* control = windows_.FindControl(window, &dialog)) {
    windows_.Focus(dialog, control->id);
  }
}

void* FakeDialogPort::PageData(HWND page) {
  auto it = windows_.page_data.find(page);
  return it == windows_.page_data.end() ? nullptr : it->second;
}

LRESULT FakeDialogPort::Send(HWND target, UINT message, WPARAM wparam, LPARAM lparam) {
  return windows_.Send(target, message, wparam, lparam);
}

bool FakeDialogPort::Post(HWND target, UINT message, WPARAM wparam, LPARAM lparam) {
  return windows_.Post(target, message, wparam, lparam);
}

void FakeDialogPort::NotifyChanged(HWND sheet, HWND page) {
  windows_.Send(sheet, kPsmChanged, reinterpret_cast<WPARAM>(page ? page : window_), 0);
}

void FakeDialogPort::PressCancel(HWND sheet) {
  windows_.Post(sheet, kPsmPressButton, kPsbtnCancel, 0);
}

bool FakeDialogPort::GetFont(DialogFont* font) {
  *font = windows_.Font(window_);
  return true;
}

void FakeDialogPort::SetItemFont(int id, const DialogFont& font) {
  if (FakeControl* control = Find(id)) control->font = font;
}

DialogRect FakeDialogPort::ClientRect() { return windows_.ClientRect(window_); }

std::optional<DialogRect> FakeDialogPort::ItemRect(int id) {
  FakeControl* control = Find(id);
  if (control == nullptr) return std::nullopt;
  return control->rect;
}

bool FakeDialogPort::MoveItem(int id, const DialogRect& rect) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  control->rect = rect;
  return true;
}

std::vector<int> FakeDialogPort::ChildIds() { return windows_.ControlIds(window_); }

int FakeDialogPort::ChildTextWidth(HWND child, const DialogFont& font) {
  const FakeControl* control = FindChild(child);
  if (control == nullptr) return 0;
  const int height = font.height < 0 ? -font.height : font.height;
  return static_cast<int>(control->text.size()) * height / 2;
}

void FakeDialogPort::Redraw(int id) {
  if (FakeControl* control = Find(id)) ++control->repaints;
}

void FakeDialogPort::SetRedraw(int id, bool redraw) {
  if (FakeControl* control = Find(id)) control->redraw = redraw;
}

bool FakeDialogPort::SetText(int id, const std::u16string& text) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  control->text = text;
  control->selection_start = control->selection_end = 0;
  // An edit announces every WM_SETTEXT, equal or not; the fake knows a
  // control for an edit once it is a CMyEdit.
  if (control->custom == CustomControl::kEdit) {
    windows_.Send(window_, kWmCommand, MakeNotifyWParam(id, kEnChange),
                  reinterpret_cast<LPARAM>(control->window));
  }
  return true;
}

std::u16string FakeDialogPort::GetText(int id) {
  FakeControl* control = Find(id);
  return control != nullptr ? control->text : std::u16string();
}

bool FakeDialogPort::Enable(int id, bool enable) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  control->enabled = enable;
  return true;
}

bool FakeDialogPort::IsEnabled(int id) {
  FakeControl* control = Find(id);
  return control != nullptr && control->enabled;
}

bool FakeDialogPort::Show(int id, bool show) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  control->visible = show;
  return true;
}

bool FakeDialogPort::IsVisible(int id) {
  FakeControl* control = Find(id);
  return control != nullptr && control->visible;
}

bool FakeDialogPort::SetCheck(int id, bool checked) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  control->checked = checked;
  return true;
}

bool FakeDialogPort::IsChecked(int id) {
  FakeControl* control = Find(id);
  return control != nullptr && control->checked;
}

bool FakeDialogPort::Focus(int id) {
  if (Find(id) == nullptr) return false;
  windows_.Focus(window_, id);
  return true;
}

std::uint32_t FakeDialogPort::AttachCustom(int id, CustomControl kind) {
  FakeControl* control = Find(id);
  if (control == nullptr) return kResultInvalid;
  if (control->custom) return control->custom == kind ? kResultOk : kResultBindingFailed;
  control->custom = kind;
  if (kind == CustomControl::kEdit) {
    // The adapter lives as long as the fake windows; the edit refers to it.
    auto* adapter = new FakeWindows::EditAdapter(windows_, window_, *control);
    windows_.edit_adapters_.emplace_back(adapter);
    control->edit = std::make_unique<CMyEdit>(*adapter);
  } else if (kind == CustomControl::kPreview) {
    control->preview = std::make_unique<CMyDibSection2>();
    control->preview->Create(128, 128, 24);
    control->preview->Fill(0xF0F0F0);
  }
  return kResultOk;
}

bool FakeDialogPort::SetTextLimit(int id, int characters) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  // 0 means "as much as an edit can hold", as EM_LIMITTEXT takes it.
  control->limit = characters <= 0 ? 0x7FFFFFFE : static_cast<std::size_t>(characters);
  return true;
}

bool FakeDialogPort::SetReadOnly(int id, bool read_only) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  control->read_only = read_only;
  return true;
}

bool FakeDialogPort::GetSelection(int id, int* start, int* end) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  *start = static_cast<int>(control->selection_start);
  *end = static_cast<int>(control->selection_end);
  return true;
}

bool FakeDialogPort::SetSelection(int id, int start, int end) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  std::size_t size = control->text.size();
  // A negative end selects to the end of the text, as EM_SETSEL does.
  control->selection_start = start < 0 ? size : std::min<std::size_t>(start, size);
  control->selection_end = end < 0 ? size : std::min<std::size_t>(end, size);
  return true;
}

bool FakeDialogPort::SetInputMode(int id, EditMode mode) {
  FakeControl* control = FindKind(id, CustomControl::kEdit);
  if (control == nullptr) return false;
  control->edit->SetInputMode(mode);
  return true;
}

bool FakeDialogPort::SetEditText(int id, const std::u16string& text) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  if (control->text != text) SetText(id, text);
  return true;
}

std::optional<std::u16string> FakeDialogPort::GetCheckedText(int id) {
  FakeControl* control = FindKind(id, CustomControl::kEdit);
  if (control == nullptr) return std::nullopt;
  return control->edit->GetCheckedText();
}

std::optional<std::int32_t> FakeDialogPort::GetNumber(int id) {
  FakeControl* control = FindKind(id, CustomControl::kEdit);
  if (control == nullptr) return std::nullopt;
  return control->edit->GetNumber();
}

namespace {

bool SameItems(const std::vector<ComboItem>& a, const std::vector<ComboItem>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].text != b[i].text || a[i].data != b[i].data || a[i].icon_kind != b[i].icon_kind ||
        a[i].icon_id != b[i].icon_id) {
      return false;
    }
  }
  return true;
}

// As the controls do: index 0 starts a new list, an index past the end is
// refused; a CMyComboBox replaces the row at an index it has, a plain combo
// box inserts there (CB_INSERTSTRING).
bool AddAt(std::vector<ComboItem>& items, int index, const ComboItem& item, bool replace) {
  if (index <= 0) items.clear();
  if (index > static_cast<int>(items.size())) return false;
  if (index < 0 || index == static_cast<int>(items.size())) {
    items.push_back(item);
  } else if (replace) {
    items[index] = item;
  } else {
    items.insert(items.begin() + index, item);
  }
  return true;
}

}  // namespace

bool FakeDialogPort::ComboAddItem(int id, int index, const ComboItem& item) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  if (control->custom == CustomControl::kComboBox) {
    return AddAt(control->combo_collected, index, item, true);
  }
  if (index <= 0) control->combo_selected = control->combo_last_selected = -1;
  return AddAt(control->combo_items, index, item, false);
}

bool FakeDialogPort::ComboRebuild(int id) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  if (control->custom != CustomControl::kComboBox) return true;
  if (!SameItems(control->combo_items, control->combo_collected)) {
    control->combo_items = control->combo_collected;
    control->combo_selected = control->combo_last_selected = -1;
  }
  return true;
}

int FakeDialogPort::ComboCount(int id) {
  FakeControl* control = Find(id);
  return control != nullptr ? static_cast<int>(control->combo_items.size()) : 0;
}

int FakeDialogPort::ComboSelectByData(int id, std::int32_t data) {
  FakeControl* control = Find(id);
  if (control == nullptr) return -1;
  const auto& items = control->combo_items;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].data == data) {
      control->combo_selected = control->combo_last_selected = static_cast<int>(i);
      return static_cast<int>(i);
    }
  }
  control->combo_selected = control->combo_last_selected = items.empty() ? -1 : 0;
  return -1;
}

bool FakeDialogPort::ComboSelectIndex(int id, int index) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  if (index < -1 || index >= static_cast<int>(control->combo_items.size())) return false;
  control->combo_selected = control->combo_last_selected = index;
  return true;
}

int FakeDialogPort::ComboSelectedIndex(int id) {
  FakeControl* control = Find(id);
  return control != nullptr ? control->combo_selected : -1;
}

std::int32_t FakeDialogPort::ComboSelectedData(int id) {
  FakeControl* control = Find(id);
  if (control == nullptr || control->combo_selected < 0) return -1;
  return control->combo_items[control->combo_selected].data;
}

std::int32_t FakeDialogPort::ComboLastSelectedData(int id) {
  FakeControl* control = Find(id);
  if (control == nullptr || control->combo_last_selected < 0) return -1;
  return control->combo_items[control->combo_last_selected].data;
}

bool FakeDialogPort::ComboSetItemHeight(int id, int which, int height) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  (which < 0 ? control->combo_field_height : control->combo_row_height) = height;
  return true;
}

bool FakeDialogPort::ComboSetColours(int id, std::optional<std::uint32_t> text,
                                     std::uint32_t background) {
  FakeControl* control = FindKind(id, CustomControl::kComboBox);
  if (control == nullptr) return false;
  control->combo_text_colour = text;
  control->combo_background = background;
  return true;
}

bool FakeDialogPort::TrackSetRange(int id, int min, int max) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  control->track_min = min;
  control->track_max = max;
  control->track_pos = std::clamp(control->track_pos, min, std::max(min, max));
  return true;
}

bool FakeDialogPort::TrackSetTicFrequency(int id, int frequency) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  control->track_tic = frequency;
  return true;
}

bool FakeDialogPort::TrackSetPageSize(int id, int size) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  control->track_page = size;
  return true;
}

bool FakeDialogPort::TrackSetLineSize(int id, int size) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  control->track_line = size;
  return true;
}

bool FakeDialogPort::TrackSetPos(int id, int position) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  // A trackbar keeps its position inside its range.
  control->track_pos =
      std::clamp(position, control->track_min, std::max(control->track_min, control->track_max));
  return true;
}

int FakeDialogPort::TrackPos(int id) {
  FakeControl* control = Find(id);
  return control != nullptr ? control->track_pos : 0;
}

bool FakeDialogPort::SpinSetBuddy(int id, int edit_id) {
  FakeControl* control = Find(id);
  if (control == nullptr || Find(edit_id) == nullptr) return false;
  control->spin_buddy = edit_id;
  return true;
}

bool FakeDialogPort::SpinReleaseBuddy(int id) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  control->spin_buddy = 0;
  return true;
}

bool FakeDialogPort::SpinSetRange(int id, int min, int max) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  control->spin_min = min;
  control->spin_max = max;
  return true;
}

bool FakeDialogPort::SpinSetPos(int id, int position) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  int low = std::min(control->spin_min, control->spin_max);
  int high = std::max(control->spin_min, control->spin_max);
  control->spin_pos = std::clamp(position, low, high);
  return true;
}

int FakeDialogPort::SpinPos(int id) {
  FakeControl* control = Find(id);
  return control != nullptr ? control->spin_pos : 0;
}

bool FakeDialogPort::ListSetFullRowSelect(int id) {
  FakeControl* control = Find(id);
  if (control == nullptr) return false;
  control->list_full_row = true;
  return true;
}

bool FakeDialogPort::ListAddColumn(int id, int column, const std::u16string& header, int width) {
  FakeControl* control = Find(id);
  if (control == nullptr || column < 0) return false;
  auto& columns = control->list_columns;
  auto at = columns.begin() + std::min<std::size_t>(column, columns.size());
  columns.insert(at, {header, width});
  return true;
}

bool FakeDialogPort::ListInsertRow(int id, int row, const std::u16string& first_column) {
  FakeControl* control = Find(id);
  if (control == nullptr || row < 0) return false;
  auto& rows = control->list_rows;
  auto at = rows.begin() + std::min<std::size_t>(row, rows.size());
  rows.insert(at, std::vector<std::u16string>{first_column});
  return true;
}

bool FakeDialogPort::ListSetCell(int id, int row, int column, const std::u16string& text) {
  FakeControl* control = Find(id);
  if (control == nullptr || row < 0 || column < 0) return false;
  if (row >= static_cast<int>(control->list_rows.size())) return false;
  auto& cells = control->list_rows[row];
  if (column >= static_cast<int>(cells.size())) cells.resize(column + 1);
  cells[column] = text;
  return true;
}

std::u16string FakeDialogPort::ListCell(int id, int row, int column) {
  FakeControl* control = Find(id);
  if (control == nullptr || row < 0 || column < 0) return {};
  if (row >= static_cast<int>(control->list_rows.size())) return {};
  const auto& cells = control->list_rows[row];
  return column < static_cast<int>(cells.size()) ? cells[column] : std::u16string();
}

int FakeDialogPort::ListRowCount(int id) {
  FakeControl* control = Find(id);
  return control != nullptr ? static_cast<int>(control->list_rows.size()) : 0;
}

bool FakeDialogPort::ListSelectRow(int id, int row) {
  FakeControl* control = Find(id);
  if (control == nullptr || row < -1 || row >= static_cast<int>(control->list_rows.size())) {
    return false;
  }
  control->list_selected = row;
  return true;
}

int FakeDialogPort::ListSelectedRow(int id) {
  FakeControl* control = Find(id);
  return control != nullptr ? control->list_selected : -1;
}

std::uint32_t FakeDialogPort::TreeSetIcons(int id, const std::vector<std::uint32_t>& icon_ids) {
  FakeControl* control = FindKind(id, CustomControl::kTreeView);
  if (control == nullptr) return kResultInvalid;
  control->tree_icons = icon_ids;
  return kResultOk;
}

std::uint32_t FakeDialogPort::TreeAddItem(int id, const TreeItemRecord& item) {
  FakeControl* control = FindKind(id, CustomControl::kTreeView);
  return control != nullptr ? control->tree.Add(item) : kResultInvalid;
}

std::uint32_t FakeDialogPort::TreeSetItemText(int id, std::uint32_t item,
                                              const std::u16string& text, std::uint32_t colour) {
  FakeControl* control = FindKind(id, CustomControl::kTreeView);
  return control != nullptr ? control->tree.SetText(item, text, colour) : kResultInvalid;
}

std::uint32_t FakeDialogPort::TreeShowItem(int id, std::uint32_t item, bool show) {
  FakeControl* control = FindKind(id, CustomControl::kTreeView);
  return control != nullptr ? control->tree.SetVisible(item, show) : kResultInvalid;
}

std::uint32_t FakeDialogPort::TreeExpand(int id, std::uint32_t item, bool expand) {
  FakeControl* control = FindKind(id, CustomControl::kTreeView);
  return control != nullptr ? control->tree.SetExpanded(item, expand) : kResultInvalid;
}

std::uint32_t FakeDialogPort::TreeLayout(int id) {
  FakeControl* control = FindKind(id, CustomControl::kTreeView);
  if (control == nullptr) return kResultInvalid;
  ++control->tree_layouts;
  return kResultOk;
}

std::uint32_t FakeDialogPort::TreeSelect(int id, std::uint32_t item) {
  FakeControl* control = FindKind(id, CustomControl::kTreeView);
  return control != nullptr ? control->tree.SetCurrent(item) : kResultInvalid;
}

std::uint32_t FakeDialogPort::PreviewSetImage(int id, const CMyDibSection2& image) {
  FakeControl* control = FindKind(id, CustomControl::kPreview);
  if (control == nullptr) return kResultInvalid;
  return control->preview->CopyFrom(image);
}

}  // namespace kvt
