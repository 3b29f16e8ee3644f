// Every text a user sees exists in English and in Japanese under the same
// id: the compiled string tables of the plug-in and of the message library
// hold the same ids in both languages.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "tests/wine/sheet/string_resources.h"
#include "tests/wine/testbed.h"

namespace {

using kvt::testbed::kEnglish;
using kvt::testbed::kJapanese;

TEST(StringTables, EveryIdHasBothLanguages) {
  for (const wchar_t* file : {L"KvtQvj2Ui.dll", L"KvtQvj2Res2.dll"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(file)));
    HMODULE module = kvt::testbed::LoadResourceModule(kvt::testbed::BesideThisProgram(file));
    ASSERT_NE(module, nullptr);
    const std::set<UINT> english = kvt::testbed::TableStringIds(module, kEnglish);
    const std::set<UINT> japanese = kvt::testbed::TableStringIds(module, kJapanese);
    FreeLibrary(module);
    EXPECT_FALSE(english.empty());
    for (UINT id : english) EXPECT_EQ(japanese.count(id), 1u) << "no Japanese text for " << id;
    for (UINT id : japanese) EXPECT_EQ(english.count(id), 1u) << "no English text for " << id;
  }
}

}  // namespace
