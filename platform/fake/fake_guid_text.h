// GUID texts for tests: the queued texts in order, then failures.
#pragma once

#include <deque>
#include <string>

#include "platform/guid_text.h"
#include "platform/last_error.h"

namespace kvt {

class FakeGuidText final : public GuidText {
 public:
  bool NewGuidText(std::u16string* text) override {
    if (texts.empty()) {
      SetThreadLastError(14);  // ERROR_OUTOFMEMORY
      return false;
    }
    *text = texts.front();
    texts.pop_front();
    return true;
  }

  std::deque<std::u16string> texts;
};

}  // namespace kvt
