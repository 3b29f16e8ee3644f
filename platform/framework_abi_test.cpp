#include "platform/framework_abi.h"

#include <gtest/gtest.h>

namespace {

// The identifiers as the framework spells them; a typo in a constant would
// make the framework never find the plug-in.
TEST(FrameworkAbi, IdentifiersMatchTheirTexts) {
  struct Case {
    GUID guid;
    const char* text;
  } cases[] = {
      {kvt::abi::kClsidPlugin, "ABCE80D7-9F46-11D1-882A-00C04FB961EC"},
      {kvt::abi::kIidPrintOemUI, "C6A7A9D0-774C-11D1-947F-00A0C90640B8"},
      {kvt::abi::kIidPrintOemDriverUI, "92B05D50-78BC-11D1-9480-00A0C90640B8"},
      {kvt::abi::kIidUnknown, "00000000-0000-0000-C000-000000000046"},
      {kvt::abi::kIidClassFactory, "00000001-0000-0000-C000-000000000046"},
  };
  for (const Case& c : cases) {
    char text[40];
    std::snprintf(text, sizeof text, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                  static_cast<unsigned>(c.guid.Data1), c.guid.Data2, c.guid.Data3, c.guid.Data4[0],
                  c.guid.Data4[1], c.guid.Data4[2], c.guid.Data4[3], c.guid.Data4[4],
                  c.guid.Data4[5], c.guid.Data4[6], c.guid.Data4[7]);
    EXPECT_STREQ(text, c.text);
  }
}

}  // namespace
