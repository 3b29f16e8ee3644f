// PrinterEvent's printer initialisation against in-memory printer data.
#include "core/printer_initialization.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/fake/fake_guid_text.h"
#include "platform/fake/fake_printer_data.h"

namespace kvt {
namespace {

constexpr char16_t kGuid1[] = u"{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}";
constexpr char16_t kGuid2[] = u"{11111111-2222-3333-4444-555555555555}";

class PrinterInitialization : public ::testing::Test {
 protected:
  PrinterInitialization() {
    printer_ = printers_.Add(u"KVT QV-J27 Receipt");
    Name(u"KVT QV-J27 Receipt");
  }

  FakePrinterData::Printer& Entry() { return *static_cast<FakePrinterData::Printer*>(printer_); }
  std::u16string StoredGuid() {
    std::u16string text;
    EXPECT_TRUE(ReadUtilityGuid(printer_, &text));
    return text;
  }

  FakePrinterData printers_;
  FakeGuidText guids_;
  ScopedService<PrinterData> use_printers_{printers_};
  ScopedService<GuidText> use_guids_{guids_};
  PrinterHandle printer_ = nullptr;
  WCHAR name_[32] = {};
  PWSTR Name(const char16_t* text) {
    std::u16string_view view(text);
    std::copy(view.begin(), view.end(), name_);
    name_[view.size()] = 0;
    return name_;
  }
};

TEST_F(PrinterInitialization, WritesANewGuidWithoutTerminatorAndSwitchesReprintOff) {
  guids_.texts = {kGuid1, kGuid2};
  printers_.SetBytes(printer_, u"AutoReprint", {1, 0, 0, 0});
  ASSERT_EQ(InitializePrinter(name_), S_OK);
  EXPECT_EQ(Entry().values[u"UtilityGUID"].size(), 76u);  // 38 characters, no zero
  EXPECT_EQ(Entry().types[u"UtilityGUID"], kRegSz);
  EXPECT_EQ(StoredGuid(), kGuid1);
  EXPECT_EQ(Entry().values[u"AutoReprint"], (std::vector<std::uint8_t>{0, 0, 0, 0}));
  EXPECT_EQ(Entry().types[u"AutoReprint"], kRegDword);
  EXPECT_EQ(printers_.opened_access, (std::vector<std::uint32_t>{kPrinterAllAccess}));
  EXPECT_EQ(printers_.open_handles, 0);

  ASSERT_EQ(InitializePrinter(name_), S_OK);
  EXPECT_EQ(StoredGuid(), kGuid2);
}

// Whatever wrote the value, the reader gets the text and never reads past
// it: with or without a terminator, with bytes after it, or half a
// character at the end.
TEST_F(PrinterInitialization, ReadBackEndsAtTheStoredBytesOrTheFirstZero) {
  const struct {
    std::vector<std::uint8_t> bytes;
    std::u16string text;
  } cases[] = {
      {{'{', 0, 'A', 0, '}', 0}, u"{A}"},
      {{'{', 0, 'A'}, u"{"},
  };
  for (const auto& c : cases) {
    printers_.SetBytes(printer_, u"UtilityGUID", c.bytes);
    EXPECT_EQ(StoredGuid(), c.text);
  }
  printers_.Remove(printer_, u"UtilityGUID");
  std::u16string text;
  EXPECT_FALSE(ReadUtilityGuid(printer_, &text));
}

}  // namespace
}  // namespace kvt
