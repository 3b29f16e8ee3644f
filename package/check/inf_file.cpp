#include "package/check/inf_file.h"

#include <cctype>

namespace kvt::package {
namespace {

std::string Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return std::string(text.substr(begin, end - begin));
}

// The line without its comment; a ';' inside quotes is text.
std::string_view WithoutComment(std::string_view line) {
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (line[i] == ';' && !quoted) return line.substr(0, i);
  }
  return line;
}

// Splits at |separator| outside quotes; with |first_only| into two parts
// at most. The parts keep their quotes.
std::vector<std::string> Split(std::string_view text, char separator, bool first_only) {
  std::vector<std::string> parts;
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"') quoted = !quoted;
    if (text[i] == separator && !quoted && !(first_only && !parts.empty())) {
      parts.emplace_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

// One field as the installer sees it: trimmed, quotes taken off ("" is a
// quote), %strkey% replaced from |strings| (%% is a percent sign).
std::string FieldText(std::string_view raw, const std::map<std::string, std::string>& strings) {
  const std::string trimmed = Trim(raw);
  std::string text;
  for (std::size_t i = 0; i < trimmed.size(); ++i) {
    if (trimmed[i] == '"') {
      if (i + 1 < trimmed.size() && trimmed[i + 1] == '"') {
        text += '"';
        ++i;
      }
      continue;
    }
    if (trimmed[i] == '%') {
      const std::size_t close = trimmed.find('%', i + 1);
      if (close != std::string::npos) {
        const std::string key = Lower(trimmed.substr(i + 1, close - i - 1));
        const auto found = strings.find(key);
        if (key.empty()) {
          text += '%';
        } else {
          text += found != strings.end() ? found->second : trimmed.substr(i, close - i + 1);
        }
        i = close;
        continue;
      }
    }
    text += trimmed[i];
  }
  return text;
}

struct RawLine {
  int number;
  std::string text;
};

const std::vector<InfLine> kNoLines;

}  // namespace

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

InfFile::InfFile(std::string_view text) {
  // First pass: physical lines into logical ones by section, so that
  // [Strings] is known before any field is read.
  std::map<std::string, std::vector<RawLine>> raw_sections;
  std::vector<RawLine>* section = nullptr;
  std::string pending;
  int pending_number = 0;
  int number = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view physical = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!physical.empty() && physical.back() == '\r') physical.remove_suffix(1);
    std::string line = Trim(WithoutComment(physical));
    if (pending.empty()) pending_number = number;
    if (!line.empty() && line.back() == '\\') {
      line.pop_back();
      pending += line;
      continue;
    }
    line = pending + line;
    pending.clear();
    if (line.empty()) continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      if (close == std::string::npos || !Trim(line.substr(close + 1)).empty()) {
        errors_.push_back("line " + std::to_string(pending_number) + ": bad section header");
        section = nullptr;
        continue;
      }
      section = &raw_sections[Lower(Trim(line.substr(1, close - 1)))];
      continue;
    }
    if (section == nullptr) {
      errors_.push_back("line " + std::to_string(pending_number) + ": outside any section");
      continue;
    }
    section->push_back({pending_number, line});
  }

  std::map<std::string, std::string> strings;
  for (const RawLine& line : raw_sections["strings"]) {
    const std::vector<std::string> parts = Split(line.text, '=', true);
    if (parts.size() == 2) strings[Lower(Trim(parts[0]))] = FieldText(parts[1], {});
  }
  for (const auto& [name, lines] : raw_sections) {
    std::vector<InfLine>& parsed = sections_[name];
    for (const RawLine& line : lines) {
      InfLine inf_line;
      inf_line.number = line.number;
      const std::vector<std::string> parts = Split(line.text, '=', true);
      if (parts.size() == 2) inf_line.key = FieldText(parts[0], strings);
      for (const std::string& field : Split(parts.back(), ',', false)) {
        inf_line.fields.push_back(FieldText(field, strings));
      }
      parsed.push_back(std::move(inf_line));
    }
  }
}

bool InfFile::HasSection(std::string_view name) const { return sections_.count(Lower(name)) > 0; }

const std::vector<InfLine>& InfFile::Lines(std::string_view section) const {
  const auto found = sections_.find(Lower(section));
  return found != sections_.end() ? found->second : kNoLines;
}

std::string InfFile::Value(std::string_view section, std::string_view key) const {
  const std::vector<std::string> values = Values(section, key);
  return values.empty() ? std::string() : values.front();
}

std::vector<std::string> InfFile::Values(std::string_view section, std::string_view key) const {
  std::vector<std::string> values;
  const std::string wanted = Lower(key);
  for (const InfLine& line : Lines(section)) {
    if (Lower(line.key) != wanted) continue;
    for (const std::string& field : line.fields) {
      if (!field.empty()) values.push_back(field);
    }
  }
  return values;
}

}  // namespace kvt::package
