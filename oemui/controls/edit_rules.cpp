#include "oemui/controls/edit_rules.h"

#include <limits>

namespace kvt {
namespace {

constexpr char16_t kBackspace = 0x08;
constexpr char16_t kCtrlC = 0x03;
constexpr char16_t kCtrlV = 0x16;
constexpr char16_t kCtrlX = 0x18;
constexpr char16_t kCtrlZ = 0x1A;

bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }

bool IsHexDigit(char16_t ch) {
  return IsDigit(ch) || (ch >= u'a' && ch <= u'f') || (ch >= u'A' && ch <= u'F');
}

bool AllowsMinus(EditMode mode) {
  return mode == EditMode::kSignedDecimal || mode == EditMode::kSignedInteger;
}

bool AllowsSeparator(EditMode mode) {
  return mode == EditMode::kSignedDecimal || mode == EditMode::kUnsignedDecimal;
}

bool IsNumberMode(EditMode mode) {
  return mode == EditMode::kSignedDecimal || mode == EditMode::kUnsignedDecimal ||
         mode == EditMode::kSignedInteger || mode == EditMode::kDigits;
}

}  // namespace

bool IsEditingKey(char16_t ch) {
  return ch == kBackspace || ch == kCtrlC || ch == kCtrlV || ch == kCtrlX || ch == kCtrlZ;
}

bool ModeAcceptsChar(EditMode mode, char16_t ch, char16_t decimal_separator) {
  switch (mode) {
    case EditMode::kAnyButBreaks:
      return ch != u'\r' && ch != u'\n' && ch != u'\t';
    case EditMode::kSignedDecimal:
    case EditMode::kUnsignedDecimal:
    case EditMode::kSignedInteger:
    case EditMode::kDigits:
      return IsDigit(ch) || (AllowsMinus(mode) && ch == u'-') ||
             (AllowsSeparator(mode) && ch == decimal_separator);
    case EditMode::kLatin1:
      return ch < 256;
    case EditMode::kPrintableAscii:
      return ch >= 32 && ch <= 126;
    case EditMode::kHex:
      return IsHexDigit(ch);
  }
  return false;
}

std::u16string FilterPaste(EditMode mode, std::u16string_view clipboard, char16_t decimal_separator,
                           std::size_t room) {
  std::u16string kept;
  for (char16_t ch : clipboard) {
    if (kept.size() >= room) break;
    bool keep = mode == EditMode::kAnyButBreaks ? ch != u'\r' && ch != u'\n'
                                                : ModeAcceptsChar(mode, ch, decimal_separator);
    if (keep) kept.push_back(ch);
  }
  // Never leave half of a surrogate pair at the cut.
  if (!kept.empty() && kept.size() == room && kept.back() >= 0xD800 && kept.back() <= 0xDBFF) {
    kept.pop_back();
  }
  return kept;
}

std::size_t InsertRoom(std::size_t length, std::size_t selected, std::size_t limit) {
  if (selected > length) selected = length;
  std::size_t kept = length - selected;
  return kept >= limit ? 0 : limit - kept;
}

bool IsBlankOrControl(char16_t ch) {
  if (ch < 0x20 || (ch >= 0x7F && ch <= 0x9F)) return true;  // control
  switch (ch) {
    case 0x20:
    case 0xA0:
    case 0x1680:
    case 0x2028:
    case 0x2029:
    case 0x202F:
    case 0x205F:
    case 0x3000:
    case 0xFEFF:
      return true;
    default:
      return ch >= 0x2000 && ch <= 0x200B;
  }
}

std::optional<std::u16string> CheckEditText(std::u16string_view text, EditMode mode,
                                            char16_t decimal_separator, BlankClassifier is_blank) {
  if (text.size() > kEditCheckMaxChars) text = text.substr(0, kEditCheckMaxChars);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  if (!IsNumberMode(mode)) return std::u16string(text);

  char16_t first = text.front();
  bool starts_well = IsDigit(first) || (AllowsSeparator(mode) && first == decimal_separator) ||
                     (AllowsMinus(mode) && first == u'-');
  if (!starts_well) return std::nullopt;
  if (text.size() == 1 && !IsDigit(first)) return std::nullopt;  // a lone sign or separator
  std::size_t separators = 0;
  for (char16_t ch : text) {
    if (ch == decimal_separator) ++separators;
  }
  if (separators > 1) return std::nullopt;
  return std::u16string(text);
}

std::optional<std::int32_t> ReadLeadingInt32(std::u16string_view text) {
  std::size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
    negative = text[at] == u'-';
    ++at;
  }
  // Accumulate as a negative number so INT32_MIN itself fits.
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  std::int64_t value = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    value = value * 10 - (text[at] - u'0');
    if (value < kMin) return std::nullopt;
  }
  if (!negative) {
    value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

std::u16string UpperCaseHexDigits(std::u16string_view text) {
  std::u16string upper(text);
  for (char16_t& ch : upper) {
    if (ch >= u'a' && ch <= u'f') ch = static_cast<char16_t>(ch - u'a' + u'A');
  }
  return upper;
}

}  // namespace kvt
