// The package's two resource libraries as the plug-in finds them, beside
// itself: every coded message has its text in both languages, and the
// presets' form names are forms that the printer's form list offers.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "oemui/tools/coded_message.h"
#include "resources/form_names.h"
#include "tests/wine/sheet/string_resources.h"
#include "tests/wine/testbed.h"
#include "tools/sheet_host/framework_items.h"

namespace {

using kvt::testbed::kEnglish;
using kvt::testbed::kJapanese;
using kvt::testbed::TableString;

bool IsAscii(const std::wstring& text) {
  return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; });
}

bool HasJapanese(const std::wstring& text) {
  return std::any_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0x3000; });
}

class MessageLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ =
        kvt::testbed::LoadResourceModule(kvt::testbed::BesideThisProgram(L""
                                                                         "KvtQvj2Res2.dll"));
    ASSERT_NE(module_, nullptr) << GetLastError();
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  HMODULE module_ = nullptr;
};

TEST_F(MessageLibrary, EveryMessageHasATextInEnglishAndInJapanese) {
  std::size_t count = 0;
  const kvt::MessageTableEntry* table = kvt::MessageTable(&count);
  std::set<UINT> ids = {kvt::kGeneralMessageId};
  for (std::size_t i = 0; i < count; ++i) ids.insert(table[i].string_id);
  std::set<std::wstring> english_texts;
  for (const UINT id : ids) {
    const std::wstring english = TableString(module_, id, kEnglish);
    const std::wstring japanese = TableString(module_, id, kJapanese);
    EXPECT_FALSE(english.empty()) << id;
    EXPECT_TRUE(IsAscii(english)) << id;
    EXPECT_TRUE(HasJapanese(japanese)) << id;
    english_texts.insert(english);
  }
  EXPECT_EQ(english_texts.size(), ids.size()) << "two ids share a text";
}

TEST_F(MessageLibrary, TextsFitTheMessageBoxBuffer) {
  for (UINT id = 0; id < 1024; ++id) {
    for (const LANGID language : {kEnglish, kJapanese}) {
      EXPECT_LT(TableString(module_, id, language).size(), kvt::kMessageTextChars) << id;
    }
  }
}

TEST(MessageLibraryFile, LoadsAsALibraryWithoutCode) {
  const std::wstring path = kvt::testbed::BesideThisProgram(L"KvtQvj2Res2.dll");
  HMODULE module = LoadLibraryW(path.c_str());
  ASSERT_NE(module, nullptr) << GetLastError();
  wchar_t text[1024] = {};
  EXPECT_GT(LoadStringW(module, kvt::kGeneralMessageId, text, 1024), 0);
  EXPECT_EQ(std::wstring(text),
            TableString(module, kvt::kGeneralMessageId, kvt::testbed::UiTableLanguage()));
  FreeLibrary(module);
}

// The names of strings 10000, 10001 and 10012, equal in every language.
class ResourceLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryW(kvt::testbed::BesideThisProgram(L"KvtQvj2Res.dll").c_str());
    ASSERT_NE(module_, nullptr) << GetLastError();
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  std::wstring Loaded(UINT id) {
    wchar_t text[256] = {};
    return LoadStringW(module_, id, text, 256) > 0 ? std::wstring(text) : std::wstring();
  }
  HMODULE module_ = nullptr;
};

TEST_F(ResourceLibrary, NamesThePresetsForms) {
  EXPECT_EQ(Loaded(IDS_FORM_ROLL_80), L"" KVT_FORM_ROLL_80);
  EXPECT_EQ(Loaded(IDS_FORM_ROLL_58), L"" KVT_FORM_ROLL_58);
  EXPECT_EQ(Loaded(IDS_FORM_A4), L"" KVT_FORM_A4);
}

TEST_F(ResourceLibrary, EveryPresetFormIsOfferedForTheTestPrinter) {
  kvt::testbed::Printer printer(kvt::testbed::kReceiptPrinter);
  ASSERT_NE(printer.get(), nullptr);
  DEVMODEW devmode = {};
  devmode.dmSize = sizeof devmode;
  const kvt::tools::FrameworkItems items(printer.get(), devmode);
  const auto& forms = items.form_names();
  for (const UINT id : {IDS_FORM_ROLL_80, IDS_FORM_ROLL_58, IDS_FORM_A4}) {
    const std::wstring name = Loaded(id);
    EXPECT_NE(std::find(forms.begin(), forms.end(), name), forms.end()) << id;
  }
  // A4 is the spooler's own form, so its size can be read.
  DWORD needed = 0;
  GetFormW(printer.get(), const_cast<LPWSTR>(L"" KVT_FORM_A4), 1, nullptr, 0, &needed);
  EXPECT_GT(needed, 0u);
}

// Wine 8's AddFormW answers TRUE but keeps nothing: the form never appears
// for GetFormW or EnumFormsW. This is why the sheet host offers the
// package's roll-paper forms itself; when this fails, wine keeps forms and
// the test bed's own AddFormW calls (testbed_setup.cpp) are enough.
TEST(WineSpooler, AddFormAnswersTrueAndKeepsNothing) {
  kvt::testbed::Printer printer(kvt::testbed::kReceiptPrinter);
  ASSERT_NE(printer.get(), nullptr);
  wchar_t name[] = L"KVT pinned form 50 x 100 mm";
  FORM_INFO_1W form = {};
  form.Flags = FORM_USER;
  form.pName = name;
  form.Size = {50000, 100000};
  form.ImageableArea = {0, 0, 50000, 100000};
  EXPECT_TRUE(AddFormW(printer.get(), 1, reinterpret_cast<BYTE*>(&form)));
  DWORD needed = 0;
  SetLastError(0);
  EXPECT_FALSE(GetFormW(printer.get(), name, 1, nullptr, 0, &needed));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FORM_NAME));
  DeleteFormW(printer.get(), name);
}

}  // namespace
