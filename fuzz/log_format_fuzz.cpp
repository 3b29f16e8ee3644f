// Record and dump formatting with arbitrary texts, lengths, codes and
// bytes: nothing is written past a buffer and every cut holds its limit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_input.h"
#include "log/log_format.h"

namespace {

// A wide text of the length the next two bytes give; no terminators, so
// the whole text reaches the formatting.
std::wstring Text(kvt::fuzz::Input& in) {
  const std::size_t length = (in.Number() & 0xFFFF) % 2048;
  std::wstring text;
  std::size_t left = 0;
  in.Rest(&left);
  for (std::size_t i = 0; i < length && i < left; ++i) {
    const wchar_t c = static_cast<wchar_t>(in.Byte());
    text.push_back(c == 0 ? L' ' : c);
  }
  return text;
}

std::wstring Cut(std::size_t max, const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  std::wstring out = kvt::log::FormatCut(max, format, args);
  va_end(args);
  return out;
}

bool Grow(std::wstring* out, const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  const bool ok = kvt::log::FormatGrowing(format, args, out);
  va_end(args);
  return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kvt::log;
  kvt::fuzz::Input in(data, size);
  const std::wstring area = Text(in);
  const std::wstring text = Text(in);
  const std::uint32_t number = in.Number();
  const std::uint32_t module = in.Number();
  const std::uint32_t level = in.Number();

  const std::wstring message =
      Cut(kMaxMessageChars, L"%ls|%d|%ls", text.c_str(), static_cast<int>(number), area.c_str());
  if (message.size() > kMaxMessageChars) std::abort();
  if (message.size() < kMaxMessageChars &&
      message.size() !=
          text.size() + area.size() + 2 + std::to_wstring(static_cast<int>(number)).size()) {
    std::abort();
  }
  std::wstring grown;
  if (!Grow(&grown, L"%ls%ls", text.c_str(), area.c_str()) || grown != text + area) std::abort();

  kvt::LogSource source;
  source.moduleId = module;
  source.level = level;
  source.line = static_cast<std::int32_t>(number);
  source.lastError = ~number;
  source.area = area.c_str();
  const std::wstring driver_text = BuildDriverLogText(source, message, (level & 1) != 0);
  if (driver_text.size() > kMaxDriverTextChars) std::abort();
  const std::string line = BuildDriverLogLine(kvt::LocalTime{}, module, level, "x");
  if (line.size() < 2 || line.compare(line.size() - 2, 2, "\r\n") != 0) std::abort();

  std::size_t length = 0;
  const std::uint8_t* bytes = in.Rest(&length);
  const auto dump_length = static_cast<std::uint32_t>(length);
  const std::wstring dump = BuildHexDump((number & 1) != 0, driver_text, bytes, dump_length);
  const std::size_t shown = dump_length < 256 ? dump_length : 256;
  if (dump.size() > shown * 5 + 255) std::abort();

  const std::wstring record = BuildSdkRecord(static_cast<char>(module), kvt::LocalTime{}, number,
                                             static_cast<int>(level), text);
  if (record.size() < 2 || record.compare(record.size() - 2, 2, L"\r\n") != 0) std::abort();
  return 0;
}
