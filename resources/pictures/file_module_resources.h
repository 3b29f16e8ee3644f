// Module resources read from the generator's output folder, for the
// portable tests: the plug-in's own loading code then runs on exactly the
// files that the resource script puts into the module. Bitmaps are read
// as the 24-bit bottom-up BMP files the generator writes; RCDATA and ICON
// resources are the files' bytes.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/module_resources.h"

namespace kvt::testing {

inline constexpr std::uint32_t kResourceTypeIcon = 3;  // RT_ICON's file, here the whole .ico

class FileModuleResources final : public ModuleResources {
 public:
  explicit FileModuleResources(std::string folder) : folder_(std::move(folder)) {}

  bool Find(ModuleHandle module, std::uint32_t type, std::uint32_t id, const std::uint8_t** data,
            std::size_t* size) override;
  bool LoadBitmapPixels(ModuleHandle module, std::uint32_t id, BitmapPixels* bitmap) override;

  // The bytes of the generated file, empty when it cannot be read.
  const std::vector<std::uint8_t>& FileBytes(const std::string& name);

 private:
  std::string folder_;
  std::map<std::string, std::vector<std::uint8_t>> files_;
};

}  // namespace kvt::testing
