// Machine-wide configuration source port: read-only keys of named values
// (Windows: the local machine registry hive; Linux: a folder tree that an
// administrator or a test fills, see host/folder_config_source.h).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

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
  };

  // Opens |path| (for example u"SOFTWARE\\KVT\\ThermalPrinterSdk") below
  // the local machine for reading only; null with the thread's last error
  // set when it cannot be opened.
  virtual std::unique_ptr<Key> OpenMachineKey(std::u16string_view path) = 0;
};

template <>
ConfigSource& DefaultService<ConfigSource>();

}  // namespace kvt
