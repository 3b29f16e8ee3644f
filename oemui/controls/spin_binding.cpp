#include "oemui/controls/spin_binding.h"

#include <cstdio>

namespace kvt {

std::u16string FormatSpinValue(int value, int divisor, SpinFormat format) {
  if (divisor == 0) divisor = 1;
  char buffer[64];
  if (format == SpinFormat::kRounded) {
    std::snprintf(buffer, sizeof(buffer), "%.0f", static_cast<double>(value) / divisor);
  } else {
    // INT_MIN / -1 does not fit; the quotient's magnitude then is 2^31.
    long long quotient = static_cast<long long>(value) / divisor;
    std::snprintf(buffer, sizeof(buffer), "%lld", quotient);
  }
  std::u16string text;
  for (const char* c = buffer; *c != '\0'; ++c) text.push_back(static_cast<char16_t>(*c));
  return text;
}

SpinBinding::~SpinBinding() { Unbind(); }

std::uint32_t SpinBinding::Bind() {
  if (!port_.SpinSetBuddy(updown_id_, edit_id_)) return 221;
  bound_ = true;
  return 0;
}

void SpinBinding::Unbind() {
  if (!bound_) return;
  port_.SpinReleaseBuddy(updown_id_);
  bound_ = false;
}

bool SpinBinding::SetPos(int value) {
  if (!port_.SpinSetPos(updown_id_, value)) return false;
  // The up-down control keeps its position inside its range; the edit shows
  // what it holds, so the two never disagree.
  return port_.SetEditText(edit_id_, FormatSpinValue(Pos(), divisor_, format_));
}

}  // namespace kvt
