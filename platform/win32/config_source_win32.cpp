#include "platform/config_source.h"

#include <windows.h>

#include <string>

#include "platform/service.h"

namespace kvt {
namespace {

std::wstring ToWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

class RegistryKey final : public ConfigSource::Key {
 public:
  explicit RegistryKey(HKEY key) : key_(key) {}
  ~RegistryKey() override { ::RegCloseKey(key_); }

  bool Read(std::u16string_view name, ConfigValue* value) override {
    const std::wstring value_name = ToWide(name);
    // The value may change between the size query and the read; try again
    // with the new size a few times.
    for (int attempt = 0; attempt < 4; ++attempt) {
      DWORD type = 0;
      DWORD size = 0;
      LONG status = ::RegQueryValueExW(key_, value_name.c_str(), nullptr, &type, nullptr, &size);
      if (status != ERROR_SUCCESS) {
        ::SetLastError(static_cast<DWORD>(status));
        return false;
      }
      value->data.assign(size, 0);
      status = ::RegQueryValueExW(key_, value_name.c_str(), nullptr, &type,
                                  value->data.empty() ? nullptr : value->data.data(), &size);
      if (status == ERROR_MORE_DATA) continue;
      if (status != ERROR_SUCCESS) {
        ::SetLastError(static_cast<DWORD>(status));
        return false;
      }
      value->data.resize(size);
      value->type = type;
      return true;
    }
    ::SetLastError(ERROR_MORE_DATA);
    return false;
  }

  std::uint32_t WriteBinary(std::u16string_view name, const std::uint8_t* data,
                            std::uint32_t size) override {
    return static_cast<std::uint32_t>(
        ::RegSetValueExW(key_, ToWide(name).c_str(), 0, REG_BINARY, data, size));
  }
  std::uint32_t DeleteValue(std::u16string_view name) override {
    return static_cast<std::uint32_t>(::RegDeleteValueW(key_, ToWide(name).c_str()));
  }

 private:
  HKEY key_;
};

class Win32ConfigSource final : public ConfigSource {
 public:
  std::unique_ptr<Key> OpenMachineKey(std::u16string_view path) override {
    HKEY key = nullptr;
    const LONG status =
        ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, ToWide(path).c_str(), 0, KEY_READ, &key);
    if (status != ERROR_SUCCESS) {
      ::SetLastError(static_cast<DWORD>(status));
      return nullptr;
    }
    return std::make_unique<RegistryKey>(key);
  }

  std::unique_ptr<Key> OpenUserKey(std::u16string_view path) override {
    HKEY key = nullptr;
    const LONG status = ::RegOpenKeyExW(HKEY_CURRENT_USER, ToWide(path).c_str(), 0, KEY_READ, &key);
    if (status != ERROR_SUCCESS) {
      ::SetLastError(static_cast<DWORD>(status));
      return nullptr;
    }
    return std::make_unique<RegistryKey>(key);
  }

  std::unique_ptr<Key> CreateUserKey(std::u16string_view path) override {
    HKEY key = nullptr;
    const LONG status =
        ::RegCreateKeyExW(HKEY_CURRENT_USER, ToWide(path).c_str(), 0, nullptr,
                          REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
      ::SetLastError(static_cast<DWORD>(status));
      return nullptr;
    }
    return std::make_unique<RegistryKey>(key);
  }
};

}  // namespace

template <>
ConfigSource& DefaultService<ConfigSource>() {
  static Win32ConfigSource config;
  return config;
}

}  // namespace kvt
