#include "oemui/docsettings/settings_list.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "core/private_settings_ops.h"
#include "oemui/controls/fake_dialog_port.h"
#include "platform/fake/fake_string_table.h"
#include "platform/fake/fake_system_info.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

constexpr int kTree = 1050;

std::string ReadSource(const std::string& path) {
  std::ifstream in(std::string(KVT_SOURCE_DIR) + "/" + path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The string tables of settings_list.rc, by language, as windres reads them
// (the wine tests check that the compiled tables hold both languages).
std::map<std::string, std::map<std::uint32_t, std::u16string>> ResourceStrings() {
  std::map<std::string, std::uint32_t> ids;
  const std::string header = ReadSource("resources/settings_list_ids.h");
  const std::regex define(R"(#define (\w+) (\d+))");
  for (std::sregex_iterator it(header.begin(), header.end(), define), end; it != end; ++it) {
    ids[(*it)[1]] = static_cast<std::uint32_t>(std::stoul((*it)[2]));
  }
  std::map<std::string, std::map<std::uint32_t, std::u16string>> tables;
  std::istringstream script(ReadSource("resources/settings_list.rc"));
  const std::regex language(R"(LANGUAGE (\w+),)");
  const std::regex entry(R"re(^\s*(\w+)\s+"(.*)"\s*$)re");
  std::string current, line;
  std::smatch match;
  while (std::getline(script, line)) {
    if (std::regex_search(line, match, language)) current = match[1];
    if (std::regex_match(line, match, entry))
      tables[current][ids.at(match[1])] = Utf8ToUtf16(match[2].str());
  }
  return tables;
}

class SettingsListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseLanguage("LANG_ENGLISH");
    system_.ui_language = 0x409;
    port_.reset();
    windows_ = std::make_unique<FakeWindows>();
    port_ = std::make_unique<FakeDialogPort>(*windows_, windows_->NewWindow(nullptr));
    port_->Control(kTree);
    port_->AttachCustom(kTree, CustomControl::kTreeView);
    Defaults(&working_);
    applied_ = working_;
  }

  void UseLanguage(const std::string& language) {
    static const auto tables = ResourceStrings();
    strings_.strings.clear();
    for (const auto& [id, text] : tables.at(language)) strings_.Add(nullptr, id, text);
  }

  std::uint32_t BuildAndRefresh() {
    EXPECT_EQ(BuildSettingsList(*port_, kTree), 0u);
    return RefreshSettingsList(*port_, kTree, working_, applied_,
                               SelectReductionTable(u"KVT QV-J27"));
  }

  const TreeItem& Item(std::uint32_t id) { return *port_->Control(kTree).tree.Find(id); }
  std::string Text(std::uint32_t id) { return Utf16ToUtf8(Item(id).text); }

  FakeStringTable strings_;
  FakeSystemInfo system_;
  ScopedService<StringTable> use_strings_{strings_};
  ScopedService<SystemInfo> use_system_{system_};
  std::unique_ptr<FakeWindows> windows_;
  std::unique_ptr<FakeDialogPort> port_;
  PrivateSettings working_{};
  PrivateSettings applied_{};
};

TEST_F(SettingsListTest, BuildsHeadersWithIconsAndRowsUnderThem) {
  ASSERT_EQ(BuildSettingsList(*port_, kTree), 0u);
  const FakeControl& tree = port_->Control(kTree);
  EXPECT_EQ(tree.tree_icons, (std::vector<std::uint32_t>{202, 201, 204, 205, 207}));
  ASSERT_EQ(tree.tree.items().size(), 47u);
  const std::map<std::uint32_t, int> headers = {{1, 2},   {8, 3},   {13, 4}, {14, -1},
                                                {24, -1}, {31, -1}, {38, -1}};
  for (const TreeItem& item : tree.tree.items()) {
    const bool header = headers.count(item.id) == 1;
    EXPECT_EQ(item.kind == TreeItemKind::kHeader, header) << item.id;
    EXPECT_EQ(item.expandable, header) << item.id;
    EXPECT_EQ(item.icon, header ? headers.at(item.id) : -1) << item.id;
  }
  EXPECT_EQ(Text(kListItemPaperCut), "Paper Cut / Marked Paper Settings");
  EXPECT_EQ(Item(30).parent_id, kListItemPageStart);
}

TEST_F(SettingsListTest, FirstRefreshAfterApplyMarksNothing) {
  working_.byDensity = 130;
  working_.optionGroups[kPageEnd].nCommandLength = 3;
  applied_ = working_;
  ASSERT_EQ(BuildAndRefresh(), 0u);
  for (const TreeItem& item : port_->Control(kTree).tree.items()) {
    EXPECT_EQ(item.colour, kTreeTextNormal) << item.id;
  }
  EXPECT_EQ(Text(4), "Density: 130%");
  EXPECT_EQ(Text(19), "ON Time: 50 ms");
  EXPECT_EQ(port_->Control(kTree).tree_layouts, 1);
}

struct RowCase {
  const char* name;
  std::function<void(PrivateSettings& working, PrivateSettings& applied)> change;
  std::uint32_t item;
  const char* text;
  bool changed;
};

TEST_F(SettingsListTest, ValueTextsAndChangeMarks) {
  auto command = [](PrivateSettings& s, int length, int event = kPrintStart) {
    OptionCommandGroup& group = s.optionGroups[event];
    group.nCommandLength = length;
    for (int i = 0; i < kOptionCommandMaxLength; ++i)
      group.abyCommand[i] = static_cast<std::uint8_t>(i);
  };
  const RowCase cases[] = {
      {"scale", [](auto& w, auto&) { w.byReduction = 3, w.byReductionScale = 50; }, 7,
       "Reduction: Scale[50%]", true},
      {"unknown mode", [](auto& w, auto& a) { w.byReduction = a.byReduction = 9; }, 7,
       "Reduction: None", false},
      {"form feed", [](auto& w, auto&) { w.byMarkedPaperFeed = 1, w.sFormFeedCorrect = -74; }, 12,
       "Form Feed Position Correct: -74 dot", true},
      {"keycode", [](auto& w, auto&) { w.optionGroups[kPageStart].byLogo = 1; }, 26, "Keycode: 00",
       false},
      {"16 bytes", [&](auto& w, auto&) { command(w, 16); }, 23,
       "Send Command: 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F ", true},
      {"17 bytes", [&](auto& w, auto&) { command(w, 17); }, 23,
       "Send Command: 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F ...", true},
      {"after a zero",
       [&](auto& w, auto& a) {
         command(w, 3, kPrintEnd), command(a, 3, kPrintEnd);
         w.optionGroups[kPrintEnd].abyCommand[2] = 0xAB;
       },
       47, "Send Command: 00 01 AB ", true},
      {"past the length",
       [&](auto& w, auto& a) {
         command(w, 2, kPrintEnd), command(a, 2, kPrintEnd);
         w.optionGroups[kPrintEnd].abyCommand[2] = 0xAB;
       },
       47, "Send Command: 00 01 ", false},
      {"length 200",
       [&](auto& w, auto& a) {
         command(w, 200), command(a, 200);
         w.optionGroups[kPrintStart].reserved144[0] = 1;
       },
       23, "Send Command: 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F ...", false},
  };
  for (const RowCase& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    c.change(working_, applied_);
    ASSERT_EQ(BuildAndRefresh(), 0u);
    EXPECT_EQ(Text(c.item), c.text);
    EXPECT_EQ(Item(c.item).colour, c.changed ? kTreeTextChanged : kTreeTextNormal);
  }
}

TEST_F(SettingsListTest, HidesValuesWithoutEffect) {
  struct Case {
    const char* name;
    std::function<void(PrivateSettings&)> change;
    std::set<std::uint32_t> hidden;
  };
  // Defaults: paper cut on, no marked paper, no logo, a drawer only at the
  // start of the job.
  const Case cases[] = {
      {"defaults", [](auto&) {}, {12, 16, 17, 26, 27, 33, 34, 40, 41, 43, 44}},
      {"no paper cut",
       [](auto& s) { s.byPaperCut = 0; },
       {10, 12, 16, 17, 26, 27, 33, 34, 40, 41, 43, 44}},
      {"marked paper",
       [](auto& s) { s.byMarkedPaperFeed = 2; },
       {16, 17, 26, 27, 33, 34, 40, 41, 43, 44}},
      {"logos and drawers",
       [](auto& s) {
         for (auto& g : s.optionGroups) g.byLogo = 1;
         s.optionGroups[kPrintStart].byDrawer = 0;
         s.optionGroups[kPrintEnd].byDrawer = 1;
       },
       {12, 19, 20}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    c.change(working_);
    ASSERT_EQ(BuildAndRefresh(), 0u);
    for (const TreeItem& item : port_->Control(kTree).tree.items()) {
      EXPECT_EQ(item.visible, c.hidden.count(item.id) == 0) << item.id;
    }
  }
}

TEST_F(SettingsListTest, StopsAtValueWithoutTextKeepingEarlierRows) {
  struct Case {
    const char* name;
    std::function<void(PrivateSettings&, FakeSystemInfo&)> change;
    std::uint32_t stop;  // the first row left with its old text
  };
  const Case cases[] = {
      {"margin 4", [](auto& s, auto&) { s.byMargin = 4; }, 5},
      {"direction 1", [](auto& s, auto&) { s.byDirection = 1; }, 6},
      {"no UI language", [](auto&, auto& system) { system.ui_language = 0; }, 7},
      {"logo position 3", [](auto& s, auto&) { s.optionGroups[kPageEnd].byLogoAlign = 3; }, 34},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    c.change(working_, system_);
    EXPECT_EQ(BuildAndRefresh(), 107u);
    for (const TreeItem& item : port_->Control(kTree).tree.items()) {
      if (item.kind == TreeItemKind::kHeader) continue;
      const bool refreshed = Utf16ToUtf8(item.text).find(": ") != std::string::npos;
      EXPECT_EQ(refreshed, item.id < c.stop) << item.id;
    }
    EXPECT_EQ(port_->Control(kTree).tree_layouts, 1);
  }
}

TEST_F(SettingsListTest, JapaneseTextsAndReductionRows) {
  UseLanguage("LANG_JAPANESE");
  system_.ui_language = 0x411;
  working_.byReduction = 1;
  ASSERT_EQ(BuildAndRefresh(), 0u);
  EXPECT_EQ(Text(7), "縮小印刷: 80mm用紙にフィット");
  EXPECT_EQ(Text(1), "基本設定");

  // Another model's driver name still finds the one table.
  const ReductionTable& table = SelectReductionTable(u"acme lx-100");
  EXPECT_EQ(&table, &SelectReductionTable(u"kvt qv-j27 receipt"));
  EXPECT_EQ(ReductionRowForMode(table, 2)->dwWidthMm, 54u);
  EXPECT_EQ(std::u16string(ReductionRowText(*ReductionRowForMode(table, 3), 0x409)), u"Scale");
}

}  // namespace
}  // namespace kvt
