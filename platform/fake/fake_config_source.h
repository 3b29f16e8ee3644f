// An in-memory machine configuration: keys by path, values by name.
#pragma once

#include <cstring>
#include <map>
#include <string>

#include "platform/config_source.h"
#include "platform/last_error.h"

namespace kvt {

class FakeConfigSource final : public ConfigSource {
 public:
  using Values = std::map<std::u16string, ConfigValue>;

  void Set(const std::u16string& key, const std::u16string& name, ConfigValue value) {
    keys[key][name] = std::move(value);
  }
  void SetNumber(const std::u16string& key, const std::u16string& name, std::uint32_t number) {
    ConfigValue value{kValueDword, std::vector<std::uint8_t>(4)};
    std::memcpy(value.data.data(), &number, 4);  // little-endian, as the registry stores it
    Set(key, name, std::move(value));
  }

  std::unique_ptr<Key> OpenMachineKey(std::u16string_view path) override {
    ++opens;
    auto it = keys.find(std::u16string(path));
    if (it == keys.end()) {
      SetThreadLastError(2);
      return nullptr;
    }
    return std::make_unique<FakeKey>(&it->second, this);
  }

  std::map<std::u16string, Values> keys;
  int opens = 0;
  int reads = 0;

 private:
  class FakeKey final : public Key {
   public:
    FakeKey(Values* values, FakeConfigSource* source) : values_(values), source_(source) {}
    bool Read(std::u16string_view name, ConfigValue* value) override {
      ++source_->reads;
      auto it = values_->find(std::u16string(name));
      if (it == values_->end()) {
        SetThreadLastError(2);
        return false;
      }
      *value = it->second;
      return true;
    }

   private:
    Values* values_;
    FakeConfigSource* source_;
  };
};

}  // namespace kvt
