#include "oemui/tools/coded_message.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ansi_text.h"
#include "platform/fake/fake_message_box.h"
#include "platform/fake/fake_package_library.h"
#include "platform/fake/fake_string_table.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

// The ANSI code page decides the language of the plug-in's own texts.
class CodePageAnsiText final : public AnsiText {
 public:
  std::uint32_t CodePage() override { return code_page; }
  bool FromUtf16(std::u16string_view text, std::string* out) override {
    *out = Utf16ToUtf8(text);
    return true;
  }
  std::uint32_t code_page = 1252;
};

const std::u16string kWidening = u"\r\n" + std::u16string(75, u' ');

class CodedMessage : public ::testing::Test {
 protected:
  CodedMessage() {
    library_ = loader_.AddLibrary(loader_.own_folder + u"\\KvtQvj2Res2.dll");
    strings_.Add(library_, 506, u"The value is out of range.");
    strings_.Add(library_, 500, u"An error occurred.");
    strings_.Add(library_, 153, u"Device fonts cannot be used. Continue?");
    ui_.parents[kOwner] = kSheet;
    ui_.captions[kSheet] = u"Printing Preferences";
  }

  static constexpr std::uintptr_t kOwnerId = 0x100;
  static constexpr std::uintptr_t kSheetId = 0x200;
  const HWND kOwner = FakeMessageBoxUi::Window(kOwnerId);
  const HWND kSheet = FakeMessageBoxUi::Window(kSheetId);

  FakePackageLibraryLoader loader_;
  FakeStringTable strings_;
  FakeMessageBoxUi ui_;
  CodePageAnsiText ansi_;
  ScopedService<PackageLibraryLoader> loader_service_{loader_};
  ScopedService<StringTable> strings_service_{strings_};
  ScopedService<MessageBoxUi> ui_service_{ui_};
  ScopedService<AnsiText> ansi_service_{ansi_};
  ModuleHandle library_ = nullptr;
};

TEST_F(CodedMessage, CodeTenShowsNothingAndLeavesTheOwnerAlone) {
  EXPECT_EQ(ShowCodedMessage(__LINE__, kOwner, kSilentMessageCode, kMbIconError), 0);
  EXPECT_TRUE(ui_.boxes.empty());
  EXPECT_TRUE(ui_.enable_calls.empty());
  EXPECT_TRUE(loader_.loads.empty());
}

TEST_F(CodedMessage, ListedCodeShowsItsTextOnTopWithTheOwnerDisabledMeanwhile) {
  ui_.answer = kIdOk;
  EXPECT_EQ(ShowCodedMessage(__LINE__, kOwner, 11, kMbIconError), kIdOk);
  ASSERT_EQ(ui_.boxes.size(), 1u);
  const FakeMessageBoxUi::Box& box = ui_.boxes[0];
  EXPECT_EQ(box.owner, kOwner);
  EXPECT_EQ(box.text, u"The value is out of range." + kWidening);
  EXPECT_EQ(box.title, u"Printing Preferences");
  EXPECT_EQ(box.style, kMbIconError | kMbTopmost);
  EXPECT_FALSE(box.owner_enabled);
  ASSERT_EQ(ui_.enable_calls.size(), 2u);
  EXPECT_TRUE(ui_.enable_calls[1].window == kOwner && ui_.enable_calls[1].enable);
  EXPECT_EQ(loader_.freed, std::vector<ModuleHandle>{library_});
}

TEST_F(CodedMessage, QuestionsAnswerAsTheUserChose) {
  for (int answer : {kIdOk, kIdCancel}) {
    ui_.answer = answer;
    EXPECT_EQ(ShowCodedMessage(__LINE__, kOwner, 1020, kMbOkCancel), answer);
    EXPECT_EQ(ui_.boxes.back().text, u"Device fonts cannot be used. Continue?" + kWidening);
    EXPECT_EQ(ui_.boxes.back().style, kMbOkCancel | kMbTopmost);
    EXPECT_FALSE(ui_.disabled[kOwner]) << "the owner is enabled again";
  }
}

TEST_F(CodedMessage, UnlistedCodesAndMissingTextsShowTheGeneralText) {
  // 101, 107, 201 and 242 are among the codes the table leaves out; 12 is
  // listed (538) but the library lacks its text.
  for (std::uint32_t code : {101u, 242u, 0u, 70000u, 12u}) {
    strings_.requests.clear();
    ShowCodedMessage(__LINE__, kOwner, code, kMbIconError);
    EXPECT_EQ(ui_.boxes.back().text, u"An error occurred." + kWidening) << code;
    EXPECT_EQ(strings_.requests.back().second, 500u) << code;
  }
}

TEST_F(CodedMessage, MissingFilesTextInTheSystemsLanguage) {
  struct {
    bool library_loads;
    std::uint32_t code_page;
    std::u16string text;
  } const cases[] = {
      {false, 1252, kMissingFilesText},
      {false, 932, kMissingFilesTextJapanese},
      {true, 1252, kMissingFilesText},  // loaded, but neither text is there
      {true, 932, kMissingFilesTextJapanese},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code_page);
    loader_.loadable.clear();
    strings_.strings.clear();
    if (c.library_loads) loader_.AddLibrary(loader_.own_folder + u"\\KvtQvj2Res2.dll");
    ansi_.code_page = c.code_page;
    loader_.freed.clear();
    ShowCodedMessage(__LINE__, kOwner, 107, kMbIconError);
    EXPECT_EQ(ui_.boxes.back().text, c.text + kWidening);
    EXPECT_EQ(loader_.freed.size(), c.library_loads ? 1u : 0u);
    EXPECT_FALSE(ui_.disabled[kOwner]);
  }
  EXPECT_EQ(std::u16string(kMissingFilesText), u"Some files of this driver were not found.");
}

TEST_F(CodedMessage, TitleIsTheOwnersParentCaptionElseTheModelName) {
  const HWND lonely = FakeMessageBoxUi::Window(0x300);
  const HWND uncaptioned_child = FakeMessageBoxUi::Window(0x400);
  const HWND uncaptioned = FakeMessageBoxUi::Window(0x500);
  ui_.parents[uncaptioned_child] = uncaptioned;
  ui_.captions[uncaptioned] = u"";
  const HWND long_child = FakeMessageBoxUi::Window(0x600);
  const HWND long_caption = FakeMessageBoxUi::Window(0x700);
  ui_.parents[long_child] = long_caption;
  ui_.captions[long_caption] = std::u16string(400, u'c');

  struct {
    HWND owner;
    std::u16string title;
  } const cases[] = {
      {kOwner, u"Printing Preferences"},       {lonely, u"KVT QV-J27"},
      {uncaptioned_child, u"KVT QV-J27"},      {nullptr, u"KVT QV-J27"},
      {long_child, std::u16string(259, u'c')},
  };
  for (const auto& c : cases) {
    ShowCodedMessage(__LINE__, c.owner, 11, kMbIconError);
    EXPECT_EQ(ui_.boxes.back().title, c.title);
    EXPECT_EQ(ui_.boxes.back().owner, c.owner);
  }
}

TEST_F(CodedMessage, OnlyShortTextsAreWidened) {
  struct {
    std::size_t length;
    bool widened;
  } const cases[] = {{946, true}, {947, false}, {2000, false}};
  for (const auto& c : cases) {
    strings_.Add(library_, 506, std::u16string(c.length, u'm'));
    ShowCodedMessage(__LINE__, kOwner, 11, kMbIconError);
    // Texts come through a buffer of 1024 characters.
    const std::u16string text(std::min<std::size_t>(c.length, kMessageTextChars - 1), u'm');
    EXPECT_EQ(ui_.boxes.back().text, c.widened ? text + kWidening : text) << c.length;
  }
}

TEST(MessageTable, IsOrderedAndMapsEveryCodeToItsText) {
  std::size_t count = 0;
  const MessageTableEntry* table = MessageTable(&count);
  ASSERT_EQ(count, 78u);
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) {
      EXPECT_LT(table[i - 1].code, table[i].code);
    }
    EXPECT_EQ(MessageStringId(table[i].code), table[i].string_id) << table[i].code;
    EXPECT_NE(table[i].code, kSilentMessageCode);
  }
  // Codes that share a text, and a few from both ends of the table.
  struct {
    std::uint32_t code, id;
  } const samples[] = {{11, 506},  {102, 532},  {220, 532}, {243, 501}, {247, 501},
                       {245, 502}, {1147, 597}, {10, 500},  {1148, 500}};
  for (const auto& s : samples) EXPECT_EQ(MessageStringId(s.code), s.id) << s.code;
}

}  // namespace
}  // namespace kvt
