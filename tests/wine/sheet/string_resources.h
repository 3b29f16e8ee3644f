// Strings of a module's string table in a language the test names, read
// from the resource itself: LoadStringW would choose the language, and
// which language gets chosen is what the tests check.
#pragma once

#include <windows.h>

#include <string>

namespace kvt::testbed {

// The module at |path| mapped for its resources only.
HMODULE LoadResourceModule(const std::wstring& path);

// String |id| of the table in |language|; empty when that table lacks it.
std::wstring TableString(HMODULE module, UINT id, LANGID language);

inline constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
inline constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

// The table the process's UI language selects: Japanese under a Japanese
// UI (0x411), else English.
LANGID UiTableLanguage();

}  // namespace kvt::testbed
