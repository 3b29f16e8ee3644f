// The inspector over whole device modes: what it reports, what it refuses,
// and what its fields mean.
#include "tools/record_inspector/inspector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/private_settings.h"
#include "core/private_settings_ops.h"
#include "platform/framework_abi.h"

namespace kvt::tools {
namespace {

// The offsets device_mode.cpp reads by number.
static_assert(offsetof(DEVMODEW, dmSize) == 68 && offsetof(DEVMODEW, dmDriverExtra) == 70);
static_assert(offsetof(DEVMODEW, dmOrientation) == 76 && offsetof(DEVMODEW, dmCopies) == 86);
static_assert(offsetof(DEVMODEW, dmPaperSize) == 78 && offsetof(DEVMODEW, dmFormName) == 102);

constexpr std::size_t kPublic = 220;

void Put16(std::vector<std::uint8_t>& d, std::size_t at, unsigned v) {
  d[at] = static_cast<std::uint8_t>(v);
  d[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// A document's device mode: the public part, |lead| bytes of the driver's
// own, then the plug-in's record with the defaults, edited by |edit|.
template <class Edit>
std::vector<std::uint8_t> DeviceModeWith(Edit edit, std::size_t lead = 0) {
  std::vector<std::uint8_t> d(kPublic + lead + sizeof(PrivateSettings), 0xEE);
  std::fill(d.begin(), d.begin() + kPublic, 0);
  Put16(d, 68, kPublic);
  Put16(d, 70, static_cast<unsigned>(lead + sizeof(PrivateSettings)));
  Put16(d, 76, 1);  // portrait
  Put16(d, 86, 2);  // copies
  const char16_t form[] = u"Roll 80";
  for (std::size_t i = 0; form[i] != 0; ++i) Put16(d, 102 + 2 * i, form[i]);
  PrivateSettings record;
  std::memset(&record, 0, sizeof record);
  Defaults(&record);
  edit(record);
  std::memcpy(d.data() + kPublic + lead, &record, sizeof record);
  return d;
}

std::vector<std::uint8_t> Defaulted() {
  return DeviceModeWith([](PrivateSettings&) {});
}

std::vector<std::string> Listed(const Inspection& inspection) {
  std::vector<std::string> lines;
  for (const Correction& c : inspection.corrections) {
    lines.push_back(c.field + " " + c.from + " -> " + c.to);
  }
  return lines;
}

// Exactly the fields the plug-in's merge changes are listed, with their
// values before and after; a record of all-ones bytes behind an older
// header has nearly every checked field out of range.
TEST(RecordInspector, ListsWhatTheMergeCorrects) {
  const auto broken = DeviceModeWith(
      [](PrivateSettings& r) {
        std::memset(reinterpret_cast<std::uint8_t*>(&r) + 8, 0xFF, sizeof r - 8);
        r.dwVersion = 3;
      },
      100);  // behind the driver's own private data
  Inspection inspection;
  std::string error;
  ASSERT_TRUE(Inspect(broken, kDefaultModel, nullptr, &inspection, &error)) << error;
  PrivateSettings merged;
  std::memcpy(&merged, broken.data() + kPublic + 100, sizeof merged);
  Merge(&merged, nullptr);
  const auto* before = broken.data() + kPublic + 100;
  const auto* after = reinterpret_cast<const std::uint8_t*>(&merged);
  std::vector<std::string> expected;
  for (const RecordField& field : RecordFields()) {
    const std::string from = FieldValue(field, before), to = FieldValue(field, after);
    if (from != to) expected.push_back(field.name + " " + from + " -> " + to);
  }
  EXPECT_EQ(expected.size(), 155u);  // the checked fields whose all-ones value is wrong
  EXPECT_EQ(Listed(inspection), expected);
  // How values are shown: signed, unsigned, four bytes.
  for (const char* line :
       {"dwVersion 3 -> 4", "byDensity 255 -> 100", "optionGroups[0].wDrawerOnTime 65535 -> 50",
        "optionGroups[2].nCommandLength -1 -> 0"}) {
    EXPECT_NE(std::find(expected.begin(), expected.end(), line), expected.end()) << line;
  }

  ASSERT_TRUE(Inspect(Defaulted(), kDefaultModel, nullptr, &inspection, &error));
  EXPECT_TRUE(inspection.corrections.empty());
  const auto older = DeviceModeWith([](PrivateSettings& r) { r.dwSize = 900; });
  ASSERT_TRUE(Inspect(older, kDefaultModel, nullptr, &inspection, &error));
  EXPECT_EQ(Listed(inspection), std::vector<std::string>{"dwSize 900 -> 1552"});
}

TEST(RecordInspector, RefusesWhatThePluginCannotUse) {
  auto foreign = Defaulted();
  std::memcpy(foreign.data() + kPublic + 4, "ABCD", 4);
  auto oversized = Defaulted();
  Put16(oversized, 70, 2000);
  auto short_extra = Defaulted();
  Put16(short_extra, 70, 900);  // the record says 1552
  struct Case {
    const char* name;
    std::vector<std::uint8_t> devmode;
    const char* error;
  };
  const Case cases[] = {
      {"foreign signature", foreign, "foreign signature \"ABCD\""},
      {"oversized dmDriverExtra", oversized, "dmDriverExtra 2000 runs past the data"},
      {"record beyond dmDriverExtra", short_extra, "dwSize 1552 runs past dmDriverExtra"},
      {"no header", std::vector<std::uint8_t>(40, 0), "truncated device mode"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Inspection inspection;
    std::string error;
    EXPECT_FALSE(Inspect(c.devmode, kDefaultModel, nullptr, &inspection, &error));
    EXPECT_NE(std::string::npos, error.find(c.error)) << error;
  }
}

TEST(RecordInspector, DecodesMeanings) {
  const auto devmode = DeviceModeWith([](PrivateSettings& r) {
    r.byPaperCut = 3;
    const std::uint8_t cut[] = {0x1B, 0x64, 0x03, 0x1D, 0x56, 0x00};
    std::memcpy(r.optionGroups[2].abyCommand, cut, sizeof cut);
    r.optionGroups[2].nCommandLength = sizeof cut;
  });
  Inspection inspection;
  std::string error;
  ASSERT_TRUE(Inspect(devmode, kDefaultModel, nullptr, &inspection, &error));
  EXPECT_EQ("Roll 80", inspection.mode.form_name);
  EXPECT_EQ(2, inspection.mode.copies);
  const std::map<std::string, std::string> meanings = {
      {"byPaperCut", "Full Cut (Each page)"},
      {"optionGroups[2].abyCommand", "6 bytes sent: 1B 64 03 1D 56 00"},  // the final 00 too
      {"barcodeFonts[3].bySystem", "JAN8 (EAN8)"}};
  int found = 0;
  for (const RecordField& field : RecordFields()) {
    const auto it = meanings.find(field.name);
    if (it == meanings.end()) continue;
    EXPECT_EQ(it->second, FieldMeaningText(field, inspection.record.data()));
    ++found;
  }
  EXPECT_EQ(found, 3);
}

}  // namespace
}  // namespace kvt::tools
