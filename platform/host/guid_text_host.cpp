#include "platform/guid_text.h"

#include <cstdint>
#include <cstdio>
#include <random>

#include "platform/last_error.h"

namespace kvt {
namespace {

class HostGuidText final : public GuidText {
 public:
  bool NewGuidText(std::u16string* text) override {
    std::uint8_t bytes[16];
    try {
      std::random_device source;
      for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(source());
    } catch (...) {
      SetThreadLastError(50);  // ERROR_NOT_SUPPORTED: no entropy source
      return false;
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
    char ascii[40];
    std::snprintf(ascii, sizeof ascii,
                  "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], bytes[6], bytes[7],
                  bytes[8], bytes[9], bytes[10], bytes[11], bytes[12], bytes[13], bytes[14],
                  bytes[15]);
    text->assign(ascii, ascii + 38);
    return true;
  }
};

}  // namespace

template <>
GuidText& DefaultService<GuidText>() {
  static HostGuidText guids;
  return guids;
}

}  // namespace kvt
