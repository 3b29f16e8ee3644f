#include "tools/record_inspector/device_mode.h"

#include <algorithm>
#include <cstring>

#include "core/private_settings.h"
#include "platform/wide_text.h"

namespace kvt::tools {
namespace {

// DEVMODEW offsets (a stored layout; framework_abi.h pins the same ones).
constexpr std::size_t kDeviceName = 0;
constexpr std::size_t kNameChars = 32;
constexpr std::size_t kSize = 68;
constexpr std::size_t kDriverExtra = 70;
constexpr std::size_t kHeaderEnd = 72;  // through dmFields
constexpr std::size_t kOrientation = 76;
constexpr std::size_t kPaperSize = 78;
constexpr std::size_t kCopies = 86;
constexpr std::size_t kFormName = 102;

// The OEM section header: dwSize, dwSignature, dwVersion.
constexpr std::size_t kSectionHeader = 12;

unsigned Get16(const std::vector<std::uint8_t>& data, std::size_t at) {
  return data[at] | (data[at + 1] << 8);
}

std::uint32_t Get32(const std::vector<std::uint8_t>& data, std::size_t at) {
  return data[at] | (data[at + 1] << 8) | (data[at + 2] << 16) |
         (static_cast<std::uint32_t>(data[at + 3]) << 24);
}

// A WCHAR[32] field, up to its terminator, when it lies inside dmSize.
std::string NameField(const std::vector<std::uint8_t>& data, std::size_t at, std::size_t end) {
  if (at + 2 * kNameChars > end) return {};
  std::u16string name;
  for (std::size_t i = 0; i < kNameChars; ++i) {
    const char16_t unit = static_cast<char16_t>(Get16(data, at + 2 * i));
    if (unit == 0) break;
    name.push_back(unit);
  }
  return Utf16ToUtf8(name);
}

int ShortField(const std::vector<std::uint8_t>& data, std::size_t at, std::size_t end) {
  if (at + 2 > end) return 0;
  return static_cast<std::int16_t>(Get16(data, at));
}

bool IsOurSignature(const std::vector<std::uint8_t>& data, std::size_t at) {
  return Get32(data, at) == kPrivateSettingsSignature;
}

}  // namespace

std::string SignatureText(const std::uint8_t* four_bytes) {
  std::string text;
  for (int i = 0; i < 4; ++i) {
    const std::uint8_t c = four_bytes[i];
    if (c >= 0x20 && c < 0x7F) {
      text.push_back(static_cast<char>(c));
    } else {
      static const char kHex[] = "0123456789ABCDEF";
      text += "\\x";
      text.push_back(kHex[c >> 4]);
      text.push_back(kHex[c & 15]);
    }
  }
  return text;
}

bool ReadDeviceMode(const std::vector<std::uint8_t>& data, DeviceMode* mode, std::string* error) {
  *mode = DeviceMode{};
  const std::size_t total = data.size();
  if (total < kHeaderEnd) {
    *error = "truncated device mode: " + std::to_string(total) + " bytes, the header alone takes " +
             std::to_string(kHeaderEnd);
    return false;
  }
  mode->public_size = Get16(data, kSize);
  mode->driver_extra = Get16(data, kDriverExtra);
  if (mode->public_size < kHeaderEnd) {
    *error =
        "dmSize " + std::to_string(mode->public_size) + " is smaller than the device mode's header";
    return false;
  }
  if (mode->public_size > total) {
    *error = "truncated device mode: dmSize " + std::to_string(mode->public_size) + " but only " +
             std::to_string(total) + " bytes";
    return false;
  }
  const std::size_t end = mode->public_size + mode->driver_extra;
  if (end > total) {
    *error = "dmDriverExtra " + std::to_string(mode->driver_extra) +
             " runs past the data (truncated?): only " + std::to_string(total - mode->public_size) +
             " bytes follow the public part";
    return false;
  }
  mode->device_name = NameField(data, kDeviceName, mode->public_size);
  mode->form_name = NameField(data, kFormName, mode->public_size);
  mode->orientation = ShortField(data, kOrientation, mode->public_size);
  mode->paper_size = ShortField(data, kPaperSize, mode->public_size);
  mode->copies = ShortField(data, kCopies, mode->public_size);

  if (mode->driver_extra < kSectionHeader) {
    *error = "dmDriverExtra " + std::to_string(mode->driver_extra) +
             " leaves no room for the plug-in's record";
    return false;
  }
  // Our section is first when the plug-in's record is the only private
  // data; behind a driver's own private data it is found by its signature.
  std::size_t at = mode->public_size;
  while (at + kSectionHeader <= end && !IsOurSignature(data, at + 4)) ++at;
  if (at + kSectionHeader > end) {
    mode->foreign_signature = true;
    at = mode->public_size;
  }
  const std::size_t left = end - at;
  mode->record_offset = at;
  mode->record_bytes = std::min<std::size_t>(left, kPrivateSettingsSize);
  if (!mode->foreign_signature) {
    const std::size_t claimed = std::min<std::size_t>(Get32(data, at), kPrivateSettingsSize);
    if (claimed > left) {
      *error = "the record's dwSize " + std::to_string(Get32(data, at)) +
               " runs past dmDriverExtra (" + std::to_string(left) + " bytes left)";
      return false;
    }
  }
  return true;
}

}  // namespace kvt::tools
