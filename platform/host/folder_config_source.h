// Linux configuration source: a key is a folder below a root, its path
// taken from the key's path with backslashes as slashes; a value is a file
// in it whose bytes are the value's data (a 4-byte number is 4 little-endian
// bytes). Values read as kValueBinary. Machine keys are read only, like the
// registry view that the logs open; the current user's keys live below
// <root>/HKCU and may be created and written.
//
//   <root>/SOFTWARE/KVT/ThermalPrinterSdk/LogLevel   (bytes 01 00 00 00)
//   <root>/HKCU/Software/KVT/<driver>/<guid>/ControlA/F41   (bytes 1B 40)
#pragma once

#include <string>

#include "platform/config_source.h"

namespace kvt {

class FolderConfigSource final : public ConfigSource {
 public:
  // The default service uses $KVT_CONFIG_ROOT, else /etc/kvt/config.
  explicit FolderConfigSource(std::string root) : root_(std::move(root)) {}
  std::unique_ptr<Key> OpenMachineKey(std::u16string_view path) override;
  std::unique_ptr<Key> OpenUserKey(std::u16string_view path) override;
  std::unique_ptr<Key> CreateUserKey(std::u16string_view path) override;

  static constexpr const char* kUserFolder = "HKCU";

 private:
  std::string root_;
};

// Reads a whole small file; false with the last error set when it cannot.
bool ReadSmallFile(const std::string& path, std::vector<std::uint8_t>* data);

}  // namespace kvt
