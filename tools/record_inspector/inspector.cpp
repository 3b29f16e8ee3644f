#include "tools/record_inspector/inspector.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/private_settings.h"
#include "core/private_settings_ops.h"
#include "platform/service.h"
#include "platform/spooler.h"
#include "platform/wide_text.h"

namespace kvt::tools {
namespace {

// The merge asks the spooler only for the printer's driver name, to choose
// the model's lists; offline, the name given on the command line answers.
class ModelSpooler final : public Spooler {
 public:
  explicit ModelSpooler(std::u16string model) : model_(std::move(model)) {}
  DriverNameStatus GetPrinterDriverName(PrinterHandle, std::u16string* driver_name) override {
    *driver_name = model_;
    return DriverNameStatus::kOk;
  }

 private:
  std::u16string model_;
};

const RecordField* FindField(const std::string& name) {
  for (const RecordField& field : RecordFields()) {
    if (field.name == name) return &field;
  }
  return nullptr;
}

bool ParseNumber(const std::string& text, long long* value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const bool hex = text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0;
  *value = std::strtoll(text.c_str(), &end, hex ? 16 : 10);
  return errno == 0 && end != nullptr && *end == '\0';
}

bool ParseHexPairs(const std::string& text, std::vector<std::uint8_t>* bytes) {
  std::string digits;
  for (char c : text) {
    if (c == ' ' || c == ',') continue;
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    digits.push_back(c);
  }
  if (digits.size() % 2 != 0) return false;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    bytes->push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
  }
  return true;
}

}  // namespace

bool Inspect(const std::vector<std::uint8_t>& devmode, const std::string& model, void* printer,
             Inspection* inspection, std::string* error) {
  *inspection = Inspection{};
  if (!ReadDeviceMode(devmode, &inspection->mode, error)) return false;
  const DeviceMode& mode = inspection->mode;
  if (mode.foreign_signature) {
    *error = "foreign signature \"" + SignatureText(devmode.data() + mode.record_offset + 4) +
             "\" (the plug-in's is \"UTVK\"): the merge would replace the whole record with the "
             "defaults";
    return false;
  }
  PrivateSettings in;
  std::memset(&in, 0, sizeof in);
  std::memcpy(&in, devmode.data() + mode.record_offset, mode.record_bytes);
  inspection->record.assign(reinterpret_cast<const std::uint8_t*>(&in),
                            reinterpret_cast<const std::uint8_t*>(&in) + sizeof in);

  // The framework's merge request: the output buffer holds a record of the
  // plug-in's (the defaults) and the incoming record is converted into it.
  PrivateSettings out;
  std::memset(&out, 0, sizeof out);
  Defaults(&out);
  Convert(&in, &out);
  if (printer != nullptr) {
    Merge(&out, printer);
  } else {
    ModelSpooler spooler(Utf8ToUtf16(model));
    ScopedService<Spooler> installed(spooler);
    Merge(&out, &spooler);  // any non-null handle: the stand-in answers for all
  }
  const auto* before = reinterpret_cast<const std::uint8_t*>(&in);
  const auto* after = reinterpret_cast<const std::uint8_t*>(&out);
  for (const RecordField& field : RecordFields()) {
    std::string from = FieldValue(field, before);
    std::string to = FieldValue(field, after);
    if (from != to) inspection->corrections.push_back({field.name, std::move(from), std::move(to)});
  }
  return true;
}

bool SetField(std::vector<std::uint8_t>* devmode, const DeviceMode& mode,
              const std::string& assignment, std::string* error) {
  const std::size_t equals = assignment.find('=');
  if (equals == std::string::npos) {
    *error = "--set takes FIELD=VALUE, not \"" + assignment + "\"";
    return false;
  }
  const std::string name = assignment.substr(0, equals);
  const std::string text = assignment.substr(equals + 1);
  const RecordField* field = FindField(name);
  if (field == nullptr) {
    *error = "no record field \"" + name + "\"";
    return false;
  }
  const std::size_t room = field->width == 0 ? 2 * kWatermarkFileChars : field->width;
  if (field->offset + room > mode.record_bytes ||
      mode.record_offset + mode.record_bytes > devmode->size()) {
    *error = "the record in this device mode ends before " + name;
    return false;
  }
  std::uint8_t* at = devmode->data() + mode.record_offset + field->offset;
  if (field->width == 0) {
    const std::u16string path = Utf8ToUtf16(text);
    if (path.size() >= kWatermarkFileChars) {
      *error = name + " takes at most " + std::to_string(kWatermarkFileChars - 1) + " characters";
      return false;
    }
    std::memset(at, 0, room);
    for (std::size_t i = 0; i < path.size(); ++i) {
      at[2 * i] = static_cast<std::uint8_t>(path[i] & 0xFF);
      at[2 * i + 1] = static_cast<std::uint8_t>(path[i] >> 8);
    }
    return true;
  }
  if (field->width > 4) {
    std::vector<std::uint8_t> bytes;
    if (!ParseHexPairs(text, &bytes) || bytes.size() > field->width) {
      *error = name + " takes up to " + std::to_string(field->width) + " bytes as hex pairs";
      return false;
    }
    std::memset(at, 0, field->width);
    if (!bytes.empty()) std::memcpy(at, bytes.data(), bytes.size());
    return true;
  }
  long long value = 0;
  if (field->name == "dwSignature" && text.size() == 4) {
    std::memcpy(at, text.data(), 4);
    return true;
  }
  const int bits = static_cast<int>(8 * field->width);
  const long long low = field->is_signed ? -(1LL << (bits - 1)) : 0;
  const long long high = field->is_signed ? (1LL << (bits - 1)) - 1 : (1LL << bits) - 1;
  if (!ParseNumber(text, &value) || value < low || value > high) {
    *error = name + " takes a number from " + std::to_string(low) + " to " + std::to_string(high) +
             ", not \"" + text + "\"";
    return false;
  }
  const auto bits_value = static_cast<unsigned long long>(value);
  for (std::size_t i = 0; i < field->width; ++i) {
    at[i] = static_cast<std::uint8_t>(bits_value >> (8 * i));
  }
  return true;
}

}  // namespace kvt::tools
