// The private record seen as its 1552 bytes, for tests that write values at
// published offsets and compare whole images.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "core/private_settings.h"

namespace kvt::testing {

using Image = std::array<std::uint8_t, sizeof(PrivateSettings)>;

// Writes |value| little-endian into |width| bytes at |offset|.
inline void Put(Image& image, std::size_t offset, int width, std::int64_t value) {
  for (int i = 0; i < width; ++i) {
    image[offset + i] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i));
  }
}

inline Image ImageOf(const PrivateSettings& settings) {
  Image image;
  std::memcpy(image.data(), &settings, image.size());
  return image;
}

// A record on the heap at its exact size, so the sanitizer sees any access
// beyond the 1552 bytes.
inline std::unique_ptr<PrivateSettings> RecordOf(const Image& image) {
  auto settings = std::make_unique<PrivateSettings>();
  std::memcpy(settings.get(), image.data(), image.size());
  return settings;
}

// Recognisable bytes that no rule produces by chance.
inline Image Pattern(std::uint8_t seed, int step = 7) {
  Image image;
  for (std::size_t i = 0; i < image.size(); ++i)
    image[i] = static_cast<std::uint8_t>(i * step + seed);
  return image;
}

// Reports the first differing offset, which names the field at fault.
inline ::testing::AssertionResult SameBytes(const Image& expected, const Image& actual) {
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (expected[i] != actual[i]) {
      return ::testing::AssertionFailure()
             << "offset " << i << ": expected " << int{expected[i]} << ", got " << int{actual[i]};
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace kvt::testing
