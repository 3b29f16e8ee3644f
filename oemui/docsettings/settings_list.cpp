#include "oemui/docsettings/settings_list.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "core/module_state.h"
#include "core/result_codes.h"
#include "platform/string_table.h"
#include "platform/system_info.h"
#include "resources/pictures/picture_ids.h"
#include "resources/settings_list_ids.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

// The longest label or value text a row takes from the string table.
constexpr std::size_t kTextChars = 256;
// Send Command shows this many bytes, then "..." when there are more.
constexpr int kCommandBytesShown = 16;

constexpr std::uint32_t kIcons[] = {IDI_PRINTER, IDI_DOCUMENT, IDI_GENERAL, IDI_PAPER_CUT,
                                    IDI_OPTION};

int IconIndex(std::uint32_t icon) {
  return static_cast<int>(std::find(std::begin(kIcons), std::end(kIcons), icon) -
                          std::begin(kIcons));
}

// What a row shows.
enum class Field {
  kHeader,
  kInitialize,
  kSpeed,
  kDensity,
  kMargin,
  kDirection,
  kReduction,
  kPaperCut,
  kFeedToCut,
  kMarkedPaperFeed,
  kFormFeedCorrect,
  kLogo,
  kKeycode,
  kLogoPosition,
  kDrawer,
  kOnTime,
  kOffTime,
  kFeed,
  kBuzzer,
  kCommand,
};

struct ListItem {
  std::uint32_t id;
  std::uint32_t parent;
  std::uint32_t label;
  Field field;
  int group;  // the option group of an event header or an option row
  int icon;   // index into kIcons, -1 for none
};

std::uint32_t OptionLabel(Field field) {
  switch (field) {
    case Field::kLogo:
      return IDS_LABEL_LOGO;
    case Field::kKeycode:
      return IDS_LABEL_KEYCODE;
    case Field::kLogoPosition:
      return IDS_LABEL_LOGO_POSITION;
    case Field::kDrawer:
      return IDS_LABEL_DRAWER;
    case Field::kOnTime:
      return IDS_LABEL_ON_TIME;
    case Field::kOffTime:
      return IDS_LABEL_OFF_TIME;
    case Field::kFeed:
      return IDS_LABEL_FEED;
    case Field::kBuzzer:
      return IDS_LABEL_BUZZER;
    default:
      return IDS_LABEL_SEND_COMMAND;
  }
}

// Every item of the tree in the order it shows them.
std::vector<ListItem> ListItems() {
  std::vector<ListItem> items = {
      {kListItemGeneral, 0, IDS_LIST_GENERAL, Field::kHeader, 0, IconIndex(IDI_GENERAL)},
      {2, kListItemGeneral, IDS_LABEL_INITIALIZE, Field::kInitialize, 0, -1},
      {3, kListItemGeneral, IDS_LABEL_SPEED, Field::kSpeed, 0, -1},
      {4, kListItemGeneral, IDS_LABEL_DENSITY, Field::kDensity, 0, -1},
      {5, kListItemGeneral, IDS_LABEL_MARGIN, Field::kMargin, 0, -1},
      {6, kListItemGeneral, IDS_LABEL_DIRECTION, Field::kDirection, 0, -1},
      {7, kListItemGeneral, IDS_LABEL_REDUCTION, Field::kReduction, 0, -1},
      {kListItemPaperCut, 0, IDS_LIST_PAPER_CUT, Field::kHeader, 0, IconIndex(IDI_PAPER_CUT)},
      {9, kListItemPaperCut, IDS_LABEL_PAPER_CUT, Field::kPaperCut, 0, -1},
      {10, kListItemPaperCut, IDS_LABEL_FEED_TO_CUT, Field::kFeedToCut, 0, -1},
      {11, kListItemPaperCut, IDS_LABEL_MARKED_PAPER_FEED, Field::kMarkedPaperFeed, 0, -1},
      {12, kListItemPaperCut, IDS_LABEL_FORM_FEED_CORRECT, Field::kFormFeedCorrect, 0, -1},
      {kListItemOption, 0, IDS_LIST_OPTION, Field::kHeader, 0, IconIndex(IDI_OPTION)},
  };
  // The drawer opens only at the start and at the end of a job.
  static const Field kWithDrawer[] = {Field::kLogo,   Field::kKeycode, Field::kLogoPosition,
                                      Field::kDrawer, Field::kOnTime,  Field::kOffTime,
                                      Field::kFeed,   Field::kBuzzer,  Field::kCommand};
  static const Field kWithoutDrawer[] = {Field::kLogo, Field::kKeycode, Field::kLogoPosition,
                                         Field::kFeed, Field::kBuzzer,  Field::kCommand};
  static const std::uint32_t kEventLabels[] = {IDS_LIST_PRINT_START, IDS_LIST_PAGE_START,
                                               IDS_LIST_PAGE_END, IDS_LIST_PRINT_END};
  std::uint32_t id = kListItemPrintStart;
  for (int group = 0; group < kOptionCommandGroupCount; ++group) {
    const std::uint32_t event = id++;
    items.push_back({event, kListItemOption, kEventLabels[group], Field::kHeader, group, -1});
    const bool drawer = group == kPrintStart || group == kPrintEnd;
    const Field* fields = drawer ? kWithDrawer : kWithoutDrawer;
    const std::size_t count = drawer ? std::size(kWithDrawer) : std::size(kWithoutDrawer);
    for (std::size_t i = 0; i < count; ++i) {
      items.push_back({id++, event, OptionLabel(fields[i]), fields[i], group, -1});
    }
  }
  return items;
}

bool LoadText(std::uint32_t id, std::u16string* text) {
  return Service<StringTable>().Load(ModuleInstance(), id, kTextChars, text);
}

// |format| with its "%d" replaced by |value| and "%%" by "%". The format
// comes from the string table, so nothing else in it is interpreted.
std::u16string FormatNumber(const std::u16string& format, long value) {
  std::u16string text;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == u'%' && i + 1 < format.size()) {
      if (format[i + 1] == u'%') {
        text += u'%';
        ++i;
        continue;
      }
      if (format[i + 1] == u'd') {
        text += DecimalText(value);
        ++i;
        continue;
      }
    }
    text += format[i];
  }
  return text;
}

// The bytes of a command that count: its length, kept inside the array
// whatever a damaged record says.
std::size_t CommandBytes(const OptionCommandGroup& group) {
  return static_cast<std::size_t>(
      std::clamp<std::int32_t>(group.nCommandLength, 0, kOptionCommandMaxLength));
}

// Upper-case pairs, each followed by a blank; "..." after the 16th byte.
std::u16string CommandText(const OptionCommandGroup& group) {
  static const char16_t kHex[] = u"0123456789ABCDEF";
  const std::size_t length = CommandBytes(group);
  std::u16string text;
  for (std::size_t i = 0; i < length && i < kCommandBytesShown; ++i) {
    text += kHex[group.abyCommand[i] >> 4];
    text += kHex[group.abyCommand[i] & 0x0F];
    text += u' ';
  }
  if (length > kCommandBytesShown) text += u"...";
  return text;
}

// The length and the bytes within it. Bytes after a zero count like any
// other: a command is binary.
bool CommandDiffers(const OptionCommandGroup& working, const OptionCommandGroup& applied) {
  return working.nCommandLength != applied.nCommandLength ||
         std::memcmp(working.abyCommand, applied.abyCommand, CommandBytes(working)) != 0;
}

// What one value row shows and whether it differs.
struct RowValue {
  std::u16string text;
  bool changed = false;
  bool visible = true;
};

class RowBuilder {
 public:
  RowBuilder(const PrivateSettings& working, const PrivateSettings& applied,
             const ReductionTable& reductions)
      : working_(working), applied_(applied), reductions_(reductions) {}

  std::uint32_t Build(const ListItem& item, RowValue* row);

 private:
  // The string of |value| in |ids|; 107 for a value that names none (past
  // the end, or a 0 in the table).
  template <std::size_t N>
  std::uint32_t Choice(unsigned value, const std::uint32_t (&ids)[N], RowValue* row) {
    return ChoiceOf(value, ids, N, row);
  }
  static std::uint32_t ChoiceOf(unsigned value, const std::uint32_t* ids, std::size_t count,
                                RowValue* row) {
    if (value >= count || ids[value] == 0) return kResultInvalid;
    return LoadText(ids[value], &row->text) ? kResultOk : kResultNoData;
  }
  std::uint32_t Number(std::uint32_t format_id, long value, RowValue* row) {
    std::u16string format;
    if (!LoadText(format_id, &format)) return kResultNoData;
    row->text = FormatNumber(format, value);
    return kResultOk;
  }
  std::uint32_t Reduction(RowValue* row);

  const PrivateSettings& working_;
  const PrivateSettings& applied_;
  const ReductionTable& reductions_;
};

std::uint32_t RowBuilder::Reduction(RowValue* row) {
  const std::uint16_t language = Service<SystemInfo>().UiLanguage();
  if (language == 0) return kResultInvalid;
  const ReductionRow* mode = ReductionRowForMode(reductions_, working_.byReduction);
  if (mode == nullptr) return kResultInvalid;
  row->text = ReductionRowText(*mode, language);
  if (mode->byMode == 3) {
    RowValue scale;
    const std::uint32_t code = Number(IDS_FORMAT_PERCENT, working_.byReductionScale, &scale);
    if (code != kResultOk) return code;
    row->text += u"[" + scale.text + u"]";
  }
  return kResultOk;
}

std::uint32_t RowBuilder::Build(const ListItem& item, RowValue* row) {
  static const std::uint32_t kOffOn[] = {IDS_DISABLED, IDS_ENABLED};
  static const std::uint32_t kSpeeds[] = {IDS_SPEED_MIDDLE_SILENT, IDS_SPEED_LOW,
                                          IDS_SPEED_MIDDLE_QUALITY, IDS_SPEED_HIGH};
  static const std::uint32_t kMargins[] = {IDS_MARGIN_MINIMUM, IDS_MARGIN_MINIMUM_TOP,
                                           IDS_MARGIN_MINIMUM_BOTTOM, IDS_MARGIN_MAXIMUM};
  static const std::uint32_t kCuts[] = {
      IDS_CUT_NONE,           IDS_CUT_FULL_EACH_JOB,     IDS_CUT_PARTIAL_EACH_JOB,
      IDS_CUT_FULL_EACH_PAGE, IDS_CUT_PARTIAL_EACH_PAGE, IDS_CUT_PARTIAL_BETWEEN_PAGES};
  static const std::uint32_t kMarked[] = {IDS_DISABLED, IDS_MARKED_EACH_PAGE, IDS_MARKED_EACH_JOB};
  static const std::uint32_t kLogo[] = {IDS_LOGO_DISABLED, IDS_LOGO_ENABLED};
  static const std::uint32_t kAlign[] = {IDS_ALIGN_LEFT, IDS_ALIGN_CENTER, IDS_ALIGN_RIGHT};
  static const std::uint32_t kDrawers[] = {IDS_DRAWER_DISABLED, IDS_DRAWER_1, IDS_DRAWER_2};
  static const std::uint32_t kBuzzer[] = {IDS_BUZZER_OFF, IDS_BUZZER_ON};

  const PrivateSettings& w = working_;
  const PrivateSettings& a = applied_;
  const OptionCommandGroup& wg = w.optionGroups[item.group];
  const OptionCommandGroup& ag = a.optionGroups[item.group];
  switch (item.field) {
    case Field::kHeader:
      return kResultOk;
    case Field::kInitialize:
      row->changed = w.byInitialize != a.byInitialize;
      return Choice(w.byInitialize, kOffOn, row);
    case Field::kSpeed:
      row->changed = w.bySpeed != a.bySpeed;
      return Choice(w.bySpeed, kSpeeds, row);
    case Field::kDensity:
      row->changed = w.byDensity != a.byDensity;
      return Number(IDS_FORMAT_PERCENT, w.byDensity, row);
    case Field::kMargin:
      row->changed = w.byMargin != a.byMargin;
      return Choice(w.byMargin, kMargins, row);
    case Field::kDirection: {
      // The stored values are 0 and 2; 1 and 3 name no direction.
      static const std::uint32_t kDirections[] = {IDS_DIRECTION_FRONT_TO_BACK, 0,
                                                  IDS_DIRECTION_BACK_TO_FRONT};
      row->changed = w.byDirection != a.byDirection;
      return Choice(w.byDirection, kDirections, row);
    }
    case Field::kReduction:
      row->changed = w.byReduction != a.byReduction || w.byReductionScale != a.byReductionScale;
      return Reduction(row);
    case Field::kPaperCut:
      row->changed = w.byPaperCut != a.byPaperCut;
      return Choice(w.byPaperCut, kCuts, row);
    case Field::kFeedToCut:
      row->changed = w.byFeedToCut != a.byFeedToCut;
      row->visible = w.byPaperCut != 0;
      return Choice(w.byFeedToCut, kOffOn, row);
    case Field::kMarkedPaperFeed:
      row->changed = w.byMarkedPaperFeed != a.byMarkedPaperFeed;
      return Choice(w.byMarkedPaperFeed, kMarked, row);
    case Field::kFormFeedCorrect:
      row->changed = w.sFormFeedCorrect != a.sFormFeedCorrect;
      row->visible = w.byMarkedPaperFeed != 0;
      return Number(IDS_FORMAT_DOTS, w.sFormFeedCorrect, row);
    case Field::kLogo:
      row->changed = wg.byLogo != ag.byLogo;
      return Choice(wg.byLogo, kLogo, row);
    case Field::kKeycode:
      row->changed = wg.byLogoKeycode != ag.byLogoKeycode;
      row->visible = wg.byLogo != 0;
      if (wg.byLogo == 1) row->text = DecimalText(wg.byLogoKeycode, 2);
      return kResultOk;
    case Field::kLogoPosition:
      row->changed = wg.byLogoAlign != ag.byLogoAlign;
      row->visible = wg.byLogo != 0;
      return Choice(wg.byLogoAlign, kAlign, row);
    case Field::kDrawer:
      row->changed = wg.byDrawer != ag.byDrawer;
      return Choice(wg.byDrawer, kDrawers, row);
    case Field::kOnTime:
      row->changed = wg.wDrawerOnTime != ag.wDrawerOnTime;
      row->visible = wg.byDrawer != 0;
      return Number(IDS_FORMAT_MILLISECONDS, wg.wDrawerOnTime, row);
    case Field::kOffTime:
      row->changed = wg.wDrawerOffTime != ag.wDrawerOffTime;
      row->visible = wg.byDrawer != 0;
      return Number(IDS_FORMAT_MILLISECONDS, wg.wDrawerOffTime, row);
    case Field::kFeed:
      row->changed = wg.sFeed != ag.sFeed;
      return Number(IDS_FORMAT_DOTS, wg.sFeed, row);
    case Field::kBuzzer:
      row->changed = wg.byBuzzer != ag.byBuzzer;
      return Choice(wg.byBuzzer, kBuzzer, row);
    case Field::kCommand:
      row->changed = CommandDiffers(wg, ag);
      row->text = CommandText(wg);
      return kResultOk;
  }
  return kResultInvalid;
}

bool CanHide(Field field) {
  return field == Field::kFeedToCut || field == Field::kFormFeedCorrect ||
         field == Field::kKeycode || field == Field::kLogoPosition || field == Field::kOnTime ||
         field == Field::kOffTime;
}

}  // namespace

std::uint32_t BuildSettingsList(DialogPort& page, int tree_id) {
  std::uint32_t first_failure = page.TreeSetIcons(tree_id, {std::begin(kIcons), std::end(kIcons)});
  for (const ListItem& item : ListItems()) {
    TreeItemRecord record;
    const bool header = item.field == Field::kHeader;
    record.kind = header ? TreeItemKind::kHeader : TreeItemKind::kRow;
    record.id = item.id;
    record.parent_id = item.parent;
    record.icon = item.icon;
    record.expandable = header;
    record.selectable = header;
    std::uint32_t code = LoadText(item.label, &record.text) ? kResultOk : kResultNoData;
    const std::uint32_t added = page.TreeAddItem(tree_id, record);
    if (code == kResultOk) code = added;
    if (first_failure == kResultOk) first_failure = code;
  }
  return first_failure;
}

std::uint32_t RefreshSettingsList(DialogPort& page, int tree_id, const PrivateSettings& working,
                                  const PrivateSettings& applied,
                                  const ReductionTable& reductions) {
  RowBuilder builder(working, applied, reductions);
  std::uint32_t code = kResultOk;
  for (const ListItem& item : ListItems()) {
    if (item.field == Field::kHeader) continue;
    RowValue row;
    std::u16string label;
    code = LoadText(item.label, &label) ? builder.Build(item, &row) : kResultNoData;
    if (code != kResultOk) break;
    code = page.TreeSetItemText(tree_id, item.id, label + u": " + row.text,
                                row.changed ? kTreeTextChanged : kTreeTextNormal);
    if (code == kResultOk && CanHide(item.field)) {
      code = page.TreeShowItem(tree_id, item.id, row.visible);
    }
    if (code != kResultOk) break;
  }
  // What changed before a stop is shown all the same.
  const std::uint32_t laid_out = page.TreeLayout(tree_id);
  page.Redraw(tree_id);
  return code != kResultOk ? code : laid_out;
}

}  // namespace kvt
