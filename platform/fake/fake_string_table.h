// A string table for tests: strings by module and id, cut to the buffer as
// LoadStringW cuts them.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/last_error.h"
#include "platform/string_table.h"

namespace kvt {

class FakeStringTable final : public StringTable {
 public:
  bool Load(ModuleHandle module, std::uint32_t id, std::size_t capacity,
            std::u16string* text) override {
    requests.push_back({module, id});
    text->clear();
    auto it = strings.find({module, id});
    if (it == strings.end() || it->second.empty() || capacity == 0) {
      SetThreadLastError(1814);  // ERROR_RESOURCE_NAME_NOT_FOUND
      return false;
    }
    *text = it->second.substr(0, capacity - 1);
    return true;
  }

  void Add(ModuleHandle module, std::uint32_t id, std::u16string text) {
    strings[{module, id}] = std::move(text);
  }

  std::map<std::pair<ModuleHandle, std::uint32_t>, std::u16string> strings;
  std::vector<std::pair<ModuleHandle, std::uint32_t>> requests;
};

}  // namespace kvt
