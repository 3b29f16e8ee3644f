// An in-memory configuration: machine and current user keys by path,
// values by name.
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
    return std::make_unique<FakeKey>(&it->second, this, false);
  }

  std::unique_ptr<Key> OpenUserKey(std::u16string_view path) override {
    ++user_opens;
    auto it = user_keys.find(std::u16string(path));
    if (it == user_keys.end()) {
      SetThreadLastError(2);
      return nullptr;
    }
    return std::make_unique<FakeKey>(&it->second, this, false);
  }
  std::unique_ptr<Key> CreateUserKey(std::u16string_view path) override {
    ++user_opens;
    if (refuse_create != 0) {
      SetThreadLastError(refuse_create);
      return nullptr;
    }
    return std::make_unique<FakeKey>(&user_keys[std::u16string(path)], this, true);
  }

  std::map<std::u16string, Values> keys;
  std::map<std::u16string, Values> user_keys;
  int opens = 0;
  int reads = 0;
  int user_opens = 0;
  int open_keys = 0;  // user and machine keys not yet closed
  std::uint32_t refuse_create = 0;
  // Writes and deletions of this value name answer |fail_error|.
  std::u16string fail_value;
  std::uint32_t fail_error = 0;

 private:
  class FakeKey final : public Key {
   public:
    FakeKey(Values* values, FakeConfigSource* source, bool writable)
        : values_(values), source_(source), writable_(writable) {
      ++source_->open_keys;
    }
    ~FakeKey() override { --source_->open_keys; }
    std::uint32_t WriteBinary(std::u16string_view name, const std::uint8_t* data,
                              std::uint32_t size) override {
      if (std::uint32_t error = Refusal(name)) return error;
      (*values_)[std::u16string(name)] = ConfigValue{kValueBinary, {data, data + size}};
      return 0;
    }
    std::uint32_t DeleteValue(std::u16string_view name) override {
      if (std::uint32_t error = Refusal(name)) return error;
      return values_->erase(std::u16string(name)) != 0 ? 0 : 2;
    }
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
    std::uint32_t Refusal(std::u16string_view name) const {
      if (!writable_) return kConfigAccessDenied;
      return name == source_->fail_value ? source_->fail_error : 0;
    }
    Values* values_;
    FakeConfigSource* source_;
    bool writable_;
  };
};

}  // namespace kvt
