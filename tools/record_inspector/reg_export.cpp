#include "tools/record_inspector/reg_export.h"

#include <algorithm>

#include "platform/wide_text.h"

namespace kvt::tools {
namespace {

constexpr std::size_t kLineWidth = 80;  // regedit's, the backslash included

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

bool StartsWithNoCase(const std::u16string& text, std::size_t at, std::u16string_view word) {
  if (at + word.size() > text.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (Lower(text[at + i]) != Lower(word[i])) return false;
  }
  return true;
}

bool AtLineEnd(const std::u16string& text, std::size_t at) {
  return at >= text.size() || text[at] == u'\r' || text[at] == u'\n';
}

// Reads a quoted name starting at the quote; |at| ends after the closing
// quote. False when the line ends first.
bool ReadQuoted(const std::u16string& text, std::size_t* at, std::u16string* name) {
  std::size_t i = *at + 1;
  while (!AtLineEnd(text, i) && text[i] != u'"') {
    if (text[i] == u'\\' && !AtLineEnd(text, i + 1)) ++i;
    name->push_back(text[i]);
    ++i;
  }
  if (AtLineEnd(text, i)) return false;
  *at = i + 1;
  return true;
}

// The hex pairs from |at| on, across continuation lines.
bool ReadHex(const std::u16string& text, std::size_t at, std::size_t line, RegExport* reg,
             std::string* error) {
  reg->value_end = at;
  for (;;) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    if (at < text.size() && text[at] == u'\\') {
      ++at;
      while (at < text.size() && IsBlank(text[at])) ++at;
      if (at < text.size() && text[at] == u'\r') ++at;
      if (at >= text.size() || text[at] != u'\n') {
        *error = "bad continuation in the value at line " + std::to_string(line);
        return false;
      }
      ++at;
      ++line;
      continue;
    }
    if (AtLineEnd(text, at)) return true;
    const int high = HexDigit(text[at]);
    const int low = at + 1 < text.size() ? HexDigit(text[at + 1]) : -1;
    if (high < 0 || low < 0) {
      *error = "bad hex in the value at line " + std::to_string(line);
      return false;
    }
    reg->bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    at += 2;
    reg->value_end = at;
    while (at < text.size() && IsBlank(text[at])) ++at;
    if (at < text.size() && text[at] == u',') {
      ++at;
    } else if (!AtLineEnd(text, at) && text[at] != u'\\') {
      *error = "bad hex in the value at line " + std::to_string(line);
      return false;
    }
  }
}

}  // namespace

bool LooksLikeRegExport(const std::vector<std::uint8_t>& data) {
  if (data.size() >= 2 && data[0] == 0xFF && data[1] == 0xFE) return true;
  const std::string head(data.begin(), data.begin() + std::min<std::size_t>(data.size(), 32));
  return head.rfind("Windows Registry Editor", 0) == 0 || head.rfind("REGEDIT4", 0) == 0;
}

bool ReadRegExport(const std::vector<std::uint8_t>& data, const std::string& value_name,
                   RegExport* reg, std::string* error) {
  *reg = RegExport{};
  reg->utf16 = data.size() >= 2 && data[0] == 0xFF && data[1] == 0xFE;
  if (reg->utf16) {
    for (std::size_t i = 2; i + 1 < data.size(); i += 2) {
      reg->text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
  } else {
    reg->text.assign(data.begin(), data.end());
  }
  const std::u16string wanted = Utf8ToUtf16(value_name);
  const std::u16string& text = reg->text;
  std::u16string key;
  std::size_t line = 1;
  for (std::size_t at = 0; at < text.size(); ++line) {
    std::size_t next = at;
    while (next < text.size() && text[next] != u'\n') ++next;
    std::size_t i = at;
    while (i < next && IsBlank(text[i])) ++i;
    if (i < next && text[i] == u'[') {
      // The last bracket closes the key: printer names may hold brackets.
      std::size_t close = next;
      while (close > i + 1 && text[close - 1] != u']') --close;
      key = text.substr(i + 1, close > i + 1 ? close - i - 2 : next - i - 1);
    } else if (i < next && text[i] == u'"') {
      std::u16string name;
      if (ReadQuoted(text, &i, &name) && name.size() == wanted.size() &&
          StartsWithNoCase(name, 0, wanted) && i < next && text[i] == u'=') {
        ++i;
        if (!StartsWithNoCase(text, i, u"hex:")) {
          *error = "the value \"" + value_name + "\" is not binary (hex:) data";
          return false;
        }
        reg->key = Utf16ToUtf8(key);
        reg->value_begin = i + 4;
        return ReadHex(text, reg->value_begin, line, reg, error);
      }
    }
    at = next + 1;
  }
  *error = "no \"" + value_name + "\" value in the registry export";
  return false;
}

std::vector<std::uint8_t> WriteRegExport(const RegExport& reg,
                                         const std::vector<std::uint8_t>& bytes) {
  const std::u16string& text = reg.text;
  const std::u16string newline = text.find(u"\r\n") != std::u16string::npos ? u"\r\n" : u"\n";
  std::size_t line_start = reg.value_begin;
  while (line_start > 0 && text[line_start - 1] != u'\n') --line_start;

  std::u16string pairs;
  std::size_t column = reg.value_begin - line_start;
  static const char16_t kHex[] = u"0123456789abcdef";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const bool last = i + 1 == bytes.size();
    const std::size_t piece = last ? 2 : 3;
    if (column + piece > kLineWidth - 1 && column > 2) {
      pairs += u"\\" + newline + u"  ";
      column = 2;
    }
    pairs.push_back(kHex[bytes[i] >> 4]);
    pairs.push_back(kHex[bytes[i] & 15]);
    if (!last) pairs.push_back(u',');
    column += piece;
  }
  const std::u16string out = text.substr(0, reg.value_begin) + pairs + text.substr(reg.value_end);

  std::vector<std::uint8_t> file;
  if (reg.utf16) {
    file = {0xFF, 0xFE};
    for (char16_t unit : out) {
      file.push_back(static_cast<std::uint8_t>(unit & 0xFF));
      file.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
  } else {
    for (char16_t unit : out) file.push_back(static_cast<std::uint8_t>(unit));
  }
  return file;
}

}  // namespace kvt::tools
