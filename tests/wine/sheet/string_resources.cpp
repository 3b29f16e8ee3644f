#include "tests/wine/sheet/string_resources.h"

namespace kvt::testbed {

HMODULE LoadResourceModule(const std::wstring& path) {
  return LoadLibraryExW(path.c_str(), nullptr,
                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

std::wstring TableString(HMODULE module, UINT id, LANGID language) {
  // Sixteen strings per block; each is a length followed by its characters.
  const HRSRC block = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
  if (block == nullptr) return std::wstring();
  const auto* p = static_cast<const WCHAR*>(LockResource(LoadResource(module, block)));
  if (p == nullptr) return std::wstring();
  for (UINT i = 0; i < id % 16; ++i) p += 1 + *p;
  return std::wstring(p + 1, *p);
}

LANGID UiTableLanguage() { return GetUserDefaultUILanguage() == 0x411 ? kJapanese : kEnglish; }

}  // namespace kvt::testbed
