// Module resources for tests: resource bytes and bitmaps by module and id.
#pragma once

#include <cstdint>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/last_error.h"
#include "platform/module_resources.h"

namespace kvt {

class FakeModuleResources final : public ModuleResources {
 public:
  bool Find(ModuleHandle module, std::uint32_t type, std::uint32_t id, const std::uint8_t** data,
            std::size_t* size) override {
    auto it = resources.find({module, type, id});
    if (it == resources.end()) {
      *data = nullptr;
      *size = 0;
      SetThreadLastError(1814);  // ERROR_RESOURCE_NAME_NOT_FOUND
      return false;
    }
    *data = it->second.data();
    *size = it->second.size();
    return true;
  }

  bool LoadBitmapPixels(ModuleHandle module, std::uint32_t id, BitmapPixels* bitmap) override {
    auto it = bitmaps.find({module, id});
    if (it == bitmaps.end()) {
      *bitmap = BitmapPixels();
      SetThreadLastError(1814);  // ERROR_RESOURCE_NAME_NOT_FOUND
      return false;
    }
    *bitmap = it->second;
    return true;
  }

  void AddData(ModuleHandle module, std::uint32_t id, std::vector<std::uint8_t> bytes) {
    resources[{module, kResourceTypeRcData, id}] = std::move(bytes);
  }

  std::map<std::tuple<ModuleHandle, std::uint32_t, std::uint32_t>, std::vector<std::uint8_t>>
      resources;
  std::map<std::pair<ModuleHandle, std::uint32_t>, BitmapPixels> bitmaps;
};

}  // namespace kvt
