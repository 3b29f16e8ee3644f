// Test helper: captures SdkLog records in memory.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace kvt::testing {

// For the life of the object every SdkLog level is enabled, the local time
// is fixed at 2024-01-31 12:34:56.789, no real file, registry or lock is
// touched, and the process's remembered "previous record" (the repeat rule)
// is forgotten at construction, so each test starts fresh.
class SdkLogCapture {
 public:
  SdkLogCapture();
  ~SdkLogCapture();
  SdkLogCapture(const SdkLogCapture&) = delete;
  SdkLogCapture& operator=(const SdkLogCapture&) = delete;

  // Each record as written to the daily file (ANSI text, ending in CR LF),
  // for example "[01/31 12:34(56.789)] [E] [0013 : 0123] : message\r\n".
  // The banner and the system information report are not included.
  std::vector<std::string> Records() const;
  void Clear();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace kvt::testing
