// The compiled string tables and the package's two resource libraries as
// the plug-in finds them, beside itself: every coded message has its
// English and Japanese texts, and the
// presets' form names are forms that the printer's form list offers.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
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

// Each coded message: an English text of its own, and a Japanese one.
TEST(MessageLibrary, EveryMessageHasItsTexts) {
  HMODULE module = LoadLibraryW(kvt::testbed::BesideThisProgram(L"KvtQvj2Res2.dll").c_str());
  ASSERT_NE(module, nullptr) << GetLastError();
  std::size_t count = 0;
  const kvt::MessageTableEntry* table = kvt::MessageTable(&count);
  std::set<UINT> ids = {kvt::kGeneralMessageId};
  for (std::size_t i = 0; i < count; ++i) ids.insert(table[i].string_id);
  std::set<std::wstring> english_texts;
  for (const UINT id : ids) {
    const std::wstring english = TableString(module, id, kEnglish);
    const std::wstring japanese = TableString(module, id, kJapanese);
    EXPECT_FALSE(english.empty()) << id;
    EXPECT_TRUE(std::all_of(english.begin(), english.end(), [](wchar_t c) { return c < 0x80; }))
        << id;
    EXPECT_TRUE(std::any_of(japanese.begin(), japanese.end(), [](wchar_t c) {
      return c >= 0x3000;
    })) << id;
    english_texts.insert(english);
  }
  EXPECT_EQ(english_texts.size(), ids.size()) << "two ids share a text";
  FreeLibrary(module);
}

// The names of strings 10000, 10001 and 10012, equal in every language and
// offered by the test printer's form item.
TEST(ResourceLibrary, NamesThePresetsFormsTheTestPrinterOffers) {
  HMODULE module = LoadLibraryW(kvt::testbed::BesideThisProgram(L"KvtQvj2Res.dll").c_str());
  ASSERT_NE(module, nullptr) << GetLastError();
  kvt::testbed::Printer printer(kvt::testbed::kReceiptPrinter);
  ASSERT_NE(printer.get(), nullptr);
  DEVMODEW devmode = {};
  devmode.dmSize = sizeof devmode;
  const kvt::tools::FrameworkItems items(printer.get(), devmode);
  const auto& forms = items.form_names();
  const std::pair<UINT, const wchar_t*> names[] = {{IDS_FORM_ROLL_80, L"" KVT_FORM_ROLL_80},
                                                   {IDS_FORM_ROLL_58, L"" KVT_FORM_ROLL_58},
                                                   {IDS_FORM_A4, L"" KVT_FORM_A4}};
  for (const auto& [id, name] : names) {
    wchar_t text[256] = {};
    EXPECT_GT(LoadStringW(module, id, text, 256), 0);
    EXPECT_EQ(std::wstring(text), name);
    EXPECT_NE(std::find(forms.begin(), forms.end(), name), forms.end()) << id;
  }
  FreeLibrary(module);
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
