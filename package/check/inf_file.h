// A setup information (INF) file read the way the installer reads one:
// sections of lines, each line an optional key and its comma-separated
// fields, with comments, quotes, line continuations and %strkey% tokens
// from [Strings] taken care of. Names of sections and keys compare without
// regard to case; nothing here knows what the sections mean.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kvt::package {

struct InfLine {
  int number = 0;                   // 1-based, of the line's first physical line
  std::string key;                  // empty when the line has no "="
  std::vector<std::string> fields;  // the value's fields, or the whole line's
};

class InfFile {
 public:
  // Parses |text|; lines outside any section and malformed section headers
  // are kept in errors() with their line numbers.
  explicit InfFile(std::string_view text);

  bool HasSection(std::string_view name) const;
  // The lines of a section, empty when there is none.
  const std::vector<InfLine>& Lines(std::string_view section) const;
  // The first field of the first line with |key| in |section|, empty when
  // there is none.
  std::string Value(std::string_view section, std::string_view key) const;
  // Every field of every line with |key| in |section| (CopyFiles=a,b and a
  // second CopyFiles=c give a, b and c).
  std::vector<std::string> Values(std::string_view section, std::string_view key) const;

  const std::vector<std::string>& errors() const { return errors_; }

 private:
  std::map<std::string, std::vector<InfLine>> sections_;  // by lower-case name
  std::vector<std::string> errors_;
};

// ASCII lower case, for names that compare without regard to case.
std::string Lower(std::string_view text);

}  // namespace kvt::package
