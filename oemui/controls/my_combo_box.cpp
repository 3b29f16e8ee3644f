#include "oemui/controls/my_combo_box.h"

#include <utility>

#include "core/result_codes.h"
#include "platform/string_table.h"

namespace kvt {
namespace {

// Row texts are short labels; LoadStringW needs a buffer size.
constexpr std::size_t kMaxRowText = 256;

}  // namespace

std::uint32_t CMyComboBox::AddItem(int index, const ComboItem& row) {
  if (index < 0 || index > static_cast<int>(items_.size())) return kResultInvalid;
  if (index == 0) items_.clear();
  Item item;
  item.text = row.text;
  item.data = row.data;
  std::uint32_t result = kResultOk;
  if (row.icon_kind == ComboIconKind::kBitmap) {
    result = item.icon.LoadPicture(module_, row.icon_id);
  } else if (row.icon_kind == ComboIconKind::kTiff) {
    result = item.icon.LoadTiffResource(module_, row.icon_id);
  }
  if (row.icon_kind != ComboIconKind::kNone && result == kResultOk) {
    item.icon_kind = row.icon_kind;
  } else {
    item.icon.Free();
  }
  if (index == static_cast<int>(items_.size())) {
    items_.push_back(std::move(item));
  } else {
    items_[index] = std::move(item);
  }
  return result;
}

std::uint32_t CMyComboBox::AddItemFromString(int index, std::uint32_t string_id,
                                             const ComboItem& item) {
  ComboItem row = item;
  if (!Service<StringTable>().Load(module_, string_id, kMaxRowText, &row.text)) {
    return kResultNoData;
  }
  return AddItem(index, row);
}

void CMyComboBox::Rebuild() {
  std::vector<ComboShownRow> wanted;
  wanted.reserve(items_.size());
  for (const Item& item : items_) wanted.push_back({item.text, item.data});
  if (ComboNeedsRefill(window_.Rows(), wanted)) {
    window_.Clear();
    for (const ComboShownRow& row : wanted) window_.Append(row.text, row.data);
  }
  // A row with an icon starts its text after it; measure from the row's
  // left so the longest text is not cut at the drop-down's edge.
  std::vector<int> widths;
  widths.reserve(items_.size());
  for (const Item& item : items_) {
    const int text_x = item.icon_kind == ComboIconKind::kNone
                           ? 0
                           : ComboRowPlacementFor(0, item.icon.width(), 0).text_x;
    widths.push_back(text_x + window_.TextWidth(item.text));
  }
  window_.SetDropDownWidth(
      ComboDropDownWidth(widths, window_.ScrollBarWidth(), window_.ControlWidth()));
}

std::int32_t CMyComboBox::GetSelectedData() {
  const int selected = window_.Selection();
  const std::vector<ComboShownRow> rows = window_.Rows();
  if (selected < 0 || selected >= static_cast<int>(rows.size())) return -1;
  return rows[selected].data;
}

int CMyComboBox::SelectByData(std::int32_t data) {
  const std::vector<ComboShownRow> rows = window_.Rows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].data == data) {
      window_.Select(static_cast<int>(i));
      last_selected_ = static_cast<int>(i);
      return static_cast<int>(i);
    }
  }
  // Selecting row 0 of an empty list would be a no-op, but say so anyway.
  window_.Select(rows.empty() ? -1 : 0);
  last_selected_ = rows.empty() ? -1 : 0;
  return -1;
}

bool CMyComboBox::SelectIndex(int index) {
  if (index < -1 || index >= Count()) return false;
  window_.Select(index);
  last_selected_ = index;
  return true;
}

std::int32_t CMyComboBox::LastSelectedData() {
  const std::vector<ComboShownRow> rows = window_.Rows();
  if (last_selected_ < 0 || last_selected_ >= static_cast<int>(rows.size())) return -1;
  return rows[last_selected_].data;
}

bool CMyComboBox::OnArrowKey(std::uint32_t key) {
  const int target = ComboKeyTarget(key, window_.Selection(), Count());
  if (target < 0) return false;
  window_.Select(target);
  return true;
}

int CMyComboBox::OnSelectionAccepted() {
  const int selected = window_.Selection();
  const int shown = ComboAcceptedSelection(selected, last_selected_, Count());
  if (shown != selected) window_.Select(shown);
  return shown;
}

const CMyDibSection2* CMyComboBox::Icon(int index) const {
  if (index < 0 || index >= static_cast<int>(items_.size())) return nullptr;
  const Item& item = items_[index];
  return item.icon_kind == ComboIconKind::kNone ? nullptr : &item.icon;
}

ComboIconKind CMyComboBox::IconKind(int index) const {
  if (index < 0 || index >= static_cast<int>(items_.size())) return ComboIconKind::kNone;
  return items_[index].icon_kind;
}

}  // namespace kvt
