// Configuration source port: read-only machine-wide keys of named values,
// and the current user's keys, which may also be written (Windows: the
// local machine and current user registry hives; Linux: a folder tree that
// an administrator or a test fills, see host/folder_config_source.h).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/last_error.h"
#include "platform/service.h"

namespace kvt {

// Registry value types, for callers that care (the logs do not).
constexpr std::uint32_t kValueString = 1;  // REG_SZ
constexpr std::uint32_t kValueBinary = 3;  // REG_BINARY
constexpr std::uint32_t kValueDword = 4;   // REG_DWORD

struct ConfigValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;  // the value's bytes as stored
};

class ConfigSource {
 public:
  virtual ~ConfigSource() = default;

  // An open key; closed when destroyed.
  class Key {
   public:
    virtual ~Key() = default;
    // False, with the thread's last error set, when the value is missing or
    // unreadable.
    virtual bool Read(std::u16string_view name, ConfigValue* value) = 0;
    // Writes |size| bytes as a binary value; 0 or the registry's error
    // code (5, access denied, on a key opened for reading).
    virtual std::uint32_t WriteBinary(std::u16string_view name, const std::uint8_t* data,
                                      std::uint32_t size);
    // Removes the value; 0, or 2 when there was none, or the error code.
    virtual std::uint32_t DeleteValue(std::u16string_view name);
  };

  // Opens |path| (for example u"SOFTWARE\\KVT\\ThermalPrinterSdk") below
  // the local machine for reading only; null with the thread's last error
  // set when it cannot be opened.
  virtual std::unique_ptr<Key> OpenMachineKey(std::u16string_view path) = 0;

  // Opens |path| below the current user for reading only; null with the
  // thread's last error set when it cannot be opened.
  virtual std::unique_ptr<Key> OpenUserKey(std::u16string_view path);
  // Opens |path| below the current user for reading and writing, creating
  // it (and the keys above it) when missing; null with the thread's last
  // error set when it cannot.
  virtual std::unique_ptr<Key> CreateUserKey(std::u16string_view path);
};

// A source without per-user keys refuses them (ERROR_ACCESS_DENIED).
inline constexpr std::uint32_t kConfigAccessDenied = 5;

inline std::uint32_t ConfigSource::Key::WriteBinary(std::u16string_view, const std::uint8_t*,
                                                    std::uint32_t) {
  return kConfigAccessDenied;
}
inline std::uint32_t ConfigSource::Key::DeleteValue(std::u16string_view) {
  return kConfigAccessDenied;
}
inline std::unique_ptr<ConfigSource::Key> ConfigSource::OpenUserKey(std::u16string_view) {
  SetThreadLastError(kConfigAccessDenied);
  return nullptr;
}
inline std::unique_ptr<ConfigSource::Key> ConfigSource::CreateUserKey(std::u16string_view) {
  SetThreadLastError(kConfigAccessDenied);
  return nullptr;
}

template <>
ConfigSource& DefaultService<ConfigSource>();

}  // namespace kvt
