#include "oemui/fontpage/barcode_section_util.h"

#include <optional>

#include "core/module_state.h"
#include "platform/string_table.h"
#include "resources/font_page_ids.h"

namespace kvt {
namespace {

constexpr std::size_t kTextChars = 128;

struct FixedText {
  std::uint32_t id;
  const char16_t* text;
};
// The information lines are for the printer, in ASCII: these stand in when
// the module's string cannot be read.
constexpr FixedText kInfoTexts[] = {
    {IDS_INFO_ROTATE_FIRST, u"None"},
    {IDS_INFO_ROTATE_FIRST + 1, u"90 Degrees to Right"},
    {IDS_INFO_ROTATE_FIRST + 2, u"180 Degrees"},
    {IDS_INFO_ROTATE_FIRST + 3, u"90 Degrees to Left"},
    {IDS_INFO_POSITION_FIRST, u"Left"},
    {IDS_INFO_POSITION_FIRST + 1, u"Center"},
    {IDS_INFO_POSITION_FIRST + 2, u"Right"},
    {IDS_INFO_FONT_NAME, u"FontName\t:"},
    {IDS_INFO_SYSTEM, u"System  \t:"},
    {IDS_INFO_WIDTH, u"Width   \t:"},
    {IDS_INFO_HEIGHT, u"Height  \t:"},
    {IDS_INFO_HRI, u"HRI     \t:"},
    {IDS_INFO_ROTATE, u"Rotate  \t:"},
    {IDS_INFO_POSITION, u"Position\t:"},
    {IDS_INFO_SIZE, u"Size    \t:"},
    {IDS_INFO_ECL, u"ECL     \t:"},
    {IDS_INFO_START, u"StartBit\t:"},
    {IDS_INFO_STOP, u"StopBit \t:"},
    {IDS_INFO_HEX_INPUT, u"Hex Input\t:"},
    {IDS_INFO_ENABLED, u"Enabled"},
    {IDS_INFO_DISABLED, u"Disabled"},
};

std::u16string InfoText(std::uint32_t id) {
  for (const FixedText& fixed : kInfoTexts) {
    if (fixed.id == id) return LoadSectionText(id, fixed.text);
  }
  return LoadSectionText(id, u"");
}

}  // namespace

std::u16string LoadSectionText(std::uint32_t id, const char16_t* fallback) {
  std::u16string text;
  if (Service<StringTable>().Load(ModuleInstance(), id, kTextChars, &text)) return text;
  return fallback;
}

std::u16string FormatFontName(const std::u16string& pattern, int number) {
  const std::u16string digits(1, static_cast<char16_t>(u'0' + number % 10));
  const std::u16string value = number >= 10 ? u"1" + digits : digits;
  const std::size_t at = pattern.find(u"%d");
  if (at == std::u16string::npos) return pattern + value;
  return pattern.substr(0, at) + value + pattern.substr(at + 2);
}

bool SelectRadio(DialogPort& port, std::initializer_list<int> group, int id, int* selected) {
  const bool changed = *selected != id;
  for (int button : group) port.SetCheck(button, button == id);
  *selected = id;
  return changed;
}

void ScaleWithSecondFont(DialogPort& port, int factor, const DialogFont* font) {
  std::optional<DialogFont> first;
  std::optional<DialogFont> second;
  if (font != nullptr) {
    first = *font;
    first->height += factor >= 900 && factor <= 999 ? 1 : factor >= 800 && factor <= 899 ? 2 : 3;
    // In all 3 for 950 to 999, 4 for 900 to 949, 6 for 800 to 899, 7 below
    // 800 and 3 above 999.
    second = *font;
    second->height += factor > 999    ? 3
                      : factor >= 950 ? 3
                      : factor >= 900 ? 4
                      : factor >= 800 ? 6
                                      : 7;
  }
  for (HWND child : port.Children()) {
    const std::optional<DialogRect> r = port.ChildRect(child);
    if (!r) continue;
    const DialogRect scaled{r->left * factor / 1000, r->top * factor / 1000,
                            r->right * factor / 1000, r->bottom * factor / 1000};
    if (first) {
      const bool too_wide = port.ChildTextWidth(child, *first) >= scaled.Width();
      port.SetChildFont(child, too_wide ? *second : *first);
    }
    port.MoveChild(child, scaled);
  }
}

int EditDigitsValue(const std::u16string& text, int min, int max) {
  if (text.empty() || text[0] < u'0' || text[0] > u'9') return min - 1;
  int value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') break;
    value = value * 10 + (c - u'0');
    if (value > max) return max + 1;
  }
  return value;
}

std::u16string InfoLabel(std::uint32_t id) { return InfoText(id); }
std::u16string RotateInfoText(std::uint8_t rotate) {
  return rotate < 4 ? InfoText(IDS_INFO_ROTATE_FIRST + rotate) : std::u16string();
}
std::u16string PositionInfoText(TestPosition position) {
  return InfoText(IDS_INFO_POSITION_FIRST + static_cast<std::uint32_t>(position));
}
std::u16string HexInputInfoText(bool enabled) {
  return InfoText(enabled ? IDS_INFO_ENABLED : IDS_INFO_DISABLED);
}

}  // namespace kvt
