// The texts an up-down control shows for its value.
#include "oemui/controls/spin_binding.h"

#include <gtest/gtest.h>

namespace kvt {
namespace {

TEST(SpinBinding, ValueFormats) {
  struct Case {
    int value;
    int divisor;
    SpinFormat format;
    std::u16string text;
  };
  const Case cases[] = {
      {-7, 1, SpinFormat::kInteger, u"-7"},
      {129, 10, SpinFormat::kInteger, u"12"},
      {129, 10, SpinFormat::kRounded, u"13"},
      {-129, 10, SpinFormat::kRounded, u"-13"},
      {5, 0, SpinFormat::kInteger, u"5"},
      {-2147483647 - 1, -1, SpinFormat::kInteger, u"2147483648"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatSpinValue(c.value, c.divisor, c.format), c.text) << c.value << "/" << c.divisor;
  }
}

}  // namespace
}  // namespace kvt
