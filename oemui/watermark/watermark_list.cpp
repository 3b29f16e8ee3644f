#include "oemui/watermark/watermark_list.h"

#include <string>

#include "core/module_state.h"
#include "core/result_codes.h"
#include "platform/string_table.h"
#include "resources/pictures/picture_ids.h"
#include "resources/settings_list_ids.h"
#include "resources/watermark_page_ids.h"

namespace kvt {
namespace {

constexpr std::size_t kTextChars = 256;

// Mode masks: None 1, NV Image 2, image file 4.
constexpr unsigned kNone = 1;
constexpr unsigned kNvImage = 2;
constexpr unsigned kImageFile = 4;

struct Row {
  std::uint32_t id;
  std::uint32_t label;
  unsigned shown_in;
};

constexpr Row kRows[] = {
    {kWatermarkListImage, IDS_WATERMARK_LABEL_IMAGE, kNone | kNvImage | kImageFile},
    {kWatermarkListKeycode, IDS_LABEL_KEYCODE, kNvImage},
    {kWatermarkListPosition, IDS_WATERMARK_LABEL_POSITION, kNvImage | kImageFile},
    {kWatermarkListLightness, IDS_WATERMARK_LABEL_LIGHTNESS, kImageFile},
    {kWatermarkListFitPaper, IDS_WATERMARK_LABEL_FIT_PAPER, kImageFile},
    {kWatermarkListResize, IDS_WATERMARK_LABEL_RESIZE, kImageFile},
    {kWatermarkListWidth, IDS_WATERMARK_LABEL_WIDTH, kImageFile},
    {kWatermarkListHeight, IDS_WATERMARK_LABEL_HEIGHT, kImageFile},
};

constexpr std::uint32_t kPositionNames[] = {
    IDS_POSITION_TOP_LEFT,    IDS_POSITION_TOP_CENTER,    IDS_POSITION_TOP_RIGHT,
    IDS_POSITION_LEFT,        IDS_POSITION_CENTER,        IDS_POSITION_RIGHT,
    IDS_POSITION_BOTTOM_LEFT, IDS_POSITION_BOTTOM_CENTER, IDS_POSITION_BOTTOM_RIGHT};

bool LoadText(std::uint32_t id, std::u16string* text) {
  return Service<StringTable>().Load(ModuleInstance(), id, kTextChars, text);
}

// |format| (from the string table) with "%d" replaced by |value| and "%%"
// by "%"; nothing else in it is interpreted.
std::u16string FormatNumber(const std::u16string& format, long value) {
  const std::string digits = std::to_string(value);
  std::u16string text;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == u'%' && i + 1 < format.size() && format[i + 1] == u'%') {
      text += u'%';
      ++i;
    } else if (format[i] == u'%' && i + 1 < format.size() && format[i + 1] == u'd') {
      text.append(digits.begin(), digits.end());
      ++i;
    } else {
      text += format[i];
    }
  }
  return text;
}

std::uint32_t Number(std::uint32_t format_id, long value, std::u16string* text) {
  std::u16string format;
  if (!LoadText(format_id, &format)) return kResultNoData;
  *text = FormatNumber(format, value);
  return kResultOk;
}

std::uint32_t Choice(unsigned value, const std::uint32_t* ids, unsigned count,
                     std::u16string* text) {
  if (value >= count) return kResultInvalid;
  return LoadText(ids[value], text) ? kResultOk : kResultNoData;
}

// The value of row |id| and whether it differs from the applied record.
std::uint32_t Value(std::uint32_t id, const PrivateSettings& w, const PrivateSettings& a,
                    const WatermarkListExtras& extras, std::u16string* text, bool* changed) {
  static const std::uint32_t kModes[] = {IDS_WATERMARK_NONE, IDS_WATERMARK_NV_IMAGE};
  static const std::uint32_t kOffOn[] = {IDS_BUZZER_OFF, IDS_BUZZER_ON};
  switch (id) {
    case kWatermarkListImage:
      *changed = w.byWatermark != a.byWatermark;
      return Choice(w.byWatermark, kModes, 2, text);
    case kWatermarkListKeycode:
      *changed = w.byWatermarkKeycode != a.byWatermarkKeycode;
      *text = extras.keycode_text;
      return kResultOk;
    case kWatermarkListPosition:
      // Off the grid is shown as the grid shows it: top left.
      *changed = w.byWatermarkPosition != a.byWatermarkPosition;
      return Choice(w.byWatermarkPosition < 9 ? w.byWatermarkPosition : 0, kPositionNames, 9, text);
    case kWatermarkListLightness:
      *changed = w.byWatermarkDensity != a.byWatermarkDensity;
      return Number(IDS_FORMAT_PERCENT, w.byWatermarkDensity, text);
    case kWatermarkListFitPaper:
      *changed = w.byWatermarkFitPaper != a.byWatermarkFitPaper;
      return Choice(w.byWatermarkFitPaper != 0 ? 1 : 0, kOffOn, 2, text);
    case kWatermarkListResize:
      *changed = w.wWatermarkScale != a.wWatermarkScale;
      return Number(IDS_FORMAT_PERCENT, w.wWatermarkScale, text);
    case kWatermarkListWidth:
      return Number(IDS_FORMAT_DOTS, extras.width, text);
    case kWatermarkListHeight:
      return Number(IDS_FORMAT_DOTS, extras.height, text);
    default:
      return kResultInvalid;
  }
}

unsigned ModeMask(std::uint8_t mode) {
  return mode == 1 ? kNvImage : mode == 2 ? kImageFile : kNone;
}

}  // namespace

std::uint32_t BuildWatermarkList(DialogPort& page, int tree_id) {
  std::uint32_t first_failure = page.TreeSetIcons(tree_id, {IDI_WATERMARK});
  TreeItemRecord header;
  header.kind = TreeItemKind::kHeader;
  header.id = kWatermarkListHeader;
  header.icon = 0;
  header.expandable = true;
  header.selectable = true;
  std::uint32_t code = LoadText(IDS_WATERMARK_LIST, &header.text) ? kResultOk : kResultNoData;
  if (std::uint32_t added = page.TreeAddItem(tree_id, header); code == kResultOk) code = added;
  if (first_failure == kResultOk) first_failure = code;
  for (const Row& row : kRows) {
    TreeItemRecord record;
    record.id = row.id;
    record.parent_id = kWatermarkListHeader;
    code = LoadText(row.label, &record.text) ? kResultOk : kResultNoData;
    if (std::uint32_t added = page.TreeAddItem(tree_id, record); code == kResultOk) code = added;
    if (first_failure == kResultOk) first_failure = code;
  }
  page.TreeExpand(tree_id, kWatermarkListHeader, true);
  return first_failure;
}

std::uint32_t RefreshWatermarkList(DialogPort& page, int tree_id, const PrivateSettings& working,
                                   const PrivateSettings& applied,
                                   const WatermarkListExtras& extras) {
  const unsigned mask = ModeMask(working.byWatermark);
  std::uint32_t code = kResultOk;
  for (const Row& row : kRows) {
    const bool shown = (row.shown_in & mask) != 0;
    code = page.TreeShowItem(tree_id, row.id, shown);
    if (code != kResultOk || !shown) continue;
    std::u16string label;
    std::u16string value;
    bool changed = false;
    code = LoadText(row.label, &label) ? Value(row.id, working, applied, extras, &value, &changed)
                                       : kResultNoData;
    if (code != kResultOk) break;
    code = page.TreeSetItemText(tree_id, row.id, label + u": " + value,
                                changed ? kTreeTextChanged : kTreeTextNormal);
    if (code != kResultOk) break;
  }
  const std::uint32_t laid_out = page.TreeLayout(tree_id);
  page.Redraw(tree_id);
  return code != kResultOk ? code : laid_out;
}

}  // namespace kvt
