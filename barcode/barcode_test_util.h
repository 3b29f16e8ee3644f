// Helpers shared by the barcode builder's tests.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "barcode/barcode_command.h"
#include "log/testing/sdk_log_capture.h"
#include "platform/last_error.h"

namespace kvt::barcode_test {

using Group = std::array<std::uint8_t, kBarcodeGroupSize>;
using Bytes = std::vector<std::uint8_t>;

// A one-dimensional group as the barcode page stores it.
inline Group Group1D(std::uint8_t kind) {
  Group g{};
  g[barcode1d::kSystem] = kind;
  g[barcode1d::kStartChar] = 0;
  g[barcode1d::kStopChar] = 0;
  g[barcode1d::kModuleWidth] = 3;
  g[barcode1d::kHeight] = 162;
  g[barcode1d::kHri] = 0;
  g[barcode1d::kHexInput] = 0;
  g[barcode1d::kRotate] = 0;
  g[barcode1d::kNwRatio] = 1;
  return g;
}

// A two-dimensional group that passes the kind's own checks.
inline Group Group2D(std::uint8_t kind) {
  Group g{};
  g[barcode2d::kSystem] = kind;
  g[barcode2d::kModel] = 2;
  g[barcode2d::kMode] = kind == barcode2d::kQrCode ? 77 : kind == barcode2d::kMaxiCode ? 4 : 0;
  g[barcode2d::kModuleSize] = 3;
  g[barcode2d::kModuleHeight] = kind == barcode2d::kGs1StackedOmni ? 40 : 10;
  return g;
}

inline Bytes Repeat(char c, std::size_t n) { return Bytes(n, static_cast<std::uint8_t>(c)); }
inline Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

// "1D 48 02" -> {0x1D, 0x48, 0x02}
inline Bytes Hex(const std::string& text) {
  Bytes out;
  unsigned value = 0;
  int digits = 0;
  for (char c : text) {
    if (c == ' ') continue;
    value = value * 16 + static_cast<unsigned>(std::stoi(std::string(1, c), nullptr, 16));
    if (++digits == 2) {
      out.push_back(static_cast<std::uint8_t>(value));
      value = 0;
      digits = 0;
    }
  }
  return out;
}

inline std::string ToHex(const Bytes& bytes) {
  std::string out;
  char buf[4];
  for (std::uint8_t b : bytes) {
    std::snprintf(buf, sizeof buf, "%02X ", b);
    out += buf;
  }
  if (!out.empty()) out.pop_back();
  return out;
}

// The messages of the captured records. Every record must be an error
// record in the daily log's form; the tests clear the last error first, so
// the error field reads 0000.
inline std::vector<std::string> Messages(const testing::SdkLogCapture& capture) {
  static const std::regex kRecord(
      R"(^\[01/31 12:34\(56\.789\)\] \[E\] \[0000 : \d{4,}\] : (.*)\r\n$)");
  std::vector<std::string> messages;
  for (const std::string& record : capture.Records()) {
    std::smatch m;
    if (std::regex_match(record, m, kRecord)) {
      messages.push_back(m[1]);
    } else {
      ADD_FAILURE() << "malformed record: " << record;
    }
  }
  return messages;
}

// Runs a check on a heap copy of exactly |data|'s bytes, so that a read past
// the length is caught by the address sanitizer.
template <class Check>
std::uint32_t RunCheck(Check check, Group* group, const Bytes& data) {
  std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[data.size() + (data.empty() ? 1 : 0)]);
  std::copy(data.begin(), data.end(), exact.get());
  SetThreadLastError(0);
  return check(group->data(), exact.get(), static_cast<std::uint32_t>(data.size()));
}

}  // namespace kvt::barcode_test
