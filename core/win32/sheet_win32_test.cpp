// The activation-context wrappers and the Windows ports of the document
// sheet and the message box, on the real system (wine in the test bed).
// This program carries the plug-in's manifest under the plug-in's id, so
// the wrappers find it in the module that holds them, as in the plug-in.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/activation_context.h"
#include "platform/local_heap.h"
#include "platform/message_box.h"
#include "platform/package_library.h"
#include "platform/property_pages.h"
#include "platform/string_table.h"

namespace kvt {
namespace {

constexpr WORD kPageTemplate = 100;

// Whether the active context sends "comctl32.dll" to an assembly: true only
// inside a context made from a manifest that names common controls 6.
bool ComctlIsRedirected() {
  ACTCTX_SECTION_KEYED_DATA data = {};
  data.cbSize = sizeof(data);
  return ::FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                    L"comctl32.dll", &data) != FALSE;
}

struct DialogProbe {
  bool init_seen = false;
  bool redirected = false;
};

INT_PTR CALLBACK ProbeDialog(HWND, UINT message, WPARAM, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* probe = reinterpret_cast<DialogProbe*>(lparam);
    probe->init_seen = true;
    probe->redirected = ComctlIsRedirected();
    return TRUE;
  }
  return FALSE;
}

TEST(ActivationContext, DialogsAreMadeWithTheModulesManifestActive) {
  ASSERT_FALSE(ComctlIsRedirected()) << "the program's own context has no common controls 6";
  // The template is a page's: a child window, so it needs a parent.
  HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                  nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  DialogProbe probe;
  HWND dialog =
      CreateDialogParamInModuleContext(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kPageTemplate),
                                       parent, &ProbeDialog, reinterpret_cast<LPARAM>(&probe));
  ASSERT_NE(dialog, nullptr) << ::GetLastError();
  EXPECT_TRUE(probe.init_seen);
  EXPECT_TRUE(probe.redirected);
  EXPECT_FALSE(ComctlIsRedirected()) << "deactivated again";
  ::DestroyWindow(parent);
}

TEST(ActivationContext, LibraryLoadsKeepTheirOwnLastError) {
  EXPECT_EQ(LoadLibraryInModuleContext(L"C:\\no such folder\\KvtQvj2Res2.dll"), nullptr);
  const DWORD error = ::GetLastError();
  EXPECT_TRUE(error == ERROR_MOD_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) << error;
  EXPECT_FALSE(ComctlIsRedirected());

  wchar_t system[MAX_PATH];
  ASSERT_GT(::GetSystemDirectoryW(system, MAX_PATH), 0u);
  const std::wstring kernel = std::wstring(system) + L"\\kernel32.dll";
  HMODULE module = LoadLibraryInModuleContext(kernel.c_str());
  ASSERT_NE(module, nullptr);
  ::FreeLibrary(module);
}

TEST(SheetPorts, PropertyPagesAreMadeFromTheLongDescription) {
  PropertySheetPageW page = {};
  page.dwSize = sizeof(page);
  page.dwFlags = kPspUseTitle;
  page.hInstance = ::GetModuleHandleW(nullptr);
  page.pszTemplate = IntResource(kPageTemplate);
  page.pszTitle = L"Document Settings";
  page.pfnDlgProc = &ProbeDialog;
  HPROPSHEETPAGE made = Service<PropertyPages>().Create(page);
  ASSERT_NE(made, nullptr) << ::GetLastError();
  EXPECT_TRUE(::DestroyPropertySheetPage(made));
}

TEST(SheetPorts, StringsComeCutToTheirBuffer) {
  StringTable& strings = Service<StringTable>();
  const ModuleHandle self = ::GetModuleHandleW(nullptr);
  std::u16string text;
  EXPECT_TRUE(strings.Load(self, 700, 128, &text));
  EXPECT_EQ(text, u"Short");
  EXPECT_TRUE(strings.Load(self, 701, 9, &text));
  EXPECT_EQ(text, u"A string");
  EXPECT_FALSE(strings.Load(self, 799, 128, &text));
  EXPECT_NE(::GetLastError(), 0u);
  EXPECT_TRUE(text.empty());
}

TEST(SheetPorts, PackageFoldersAndFullPathLoading) {
  PackageLibraryLoader& loader = Service<PackageLibraryLoader>();
  wchar_t program[MAX_PATH];
  ASSERT_GT(::GetModuleFileNameW(nullptr, program, MAX_PATH), 0u);
  std::wstring expected_own(program);
  expected_own.resize(expected_own.find_last_of(L'\\'));
  std::u16string own;
  ASSERT_TRUE(loader.OwnFolder(&own));
  EXPECT_EQ(std::wstring(own.begin(), own.end()), expected_own);

  std::u16string system;
  ASSERT_TRUE(loader.SystemFolder(&system));
  ModuleHandle kernel = loader.Load(system + u"\\kernel32.dll");
  EXPECT_NE(kernel, nullptr);
  loader.Free(kernel);
  EXPECT_EQ(loader.Load(own + u"\\KvtQvj2NoSuch.dll"), nullptr);
}

TEST(SheetPorts, OwnerWindowOperations) {
  MessageBoxUi& ui = Service<MessageBoxUi>();
  HWND parent = ::CreateWindowExW(0, L"STATIC", L"Printing Preferences", WS_OVERLAPPED, 0, 0, 100,
                                  100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, parent, nullptr,
                                 nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(ui.Parent(child), parent);
  EXPECT_EQ(ui.WindowText(ui.Parent(child), 260), u"Printing Preferences");
  EXPECT_EQ(ui.WindowText(ui.Parent(child), 9), u"Printing");
  EXPECT_EQ(ui.WindowText(child, 260), u"");
  EXPECT_EQ(ui.WindowText(nullptr, 260), u"");
  ui.EnableWindow(child, false);
  EXPECT_FALSE(::IsWindowEnabled(child));
  ui.EnableWindow(child, true);
  EXPECT_TRUE(::IsWindowEnabled(child));
  ::DestroyWindow(parent);
}

// String |id| of |module| in |language|, read from its string block, so
// that both languages can be checked whatever the UI language is.
std::wstring StringIn(HMODULE module, UINT id, LANGID language) {
  HRSRC found = ::FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
  if (found == nullptr) return L"<no block>";
  const auto* entry = static_cast<const WORD*>(::LockResource(::LoadResource(module, found)));
  for (UINT i = 0; i < id % 16; ++i) entry += 1 + *entry;
  return std::wstring(reinterpret_cast<const wchar_t*>(entry + 1), *entry);
}

// The plug-in beside this program, as resources only.
HMODULE LoadPlugInResources() {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dll(path, length);
  dll.resize(dll.find_last_of(L'\\') + 1);
  dll += L"KvtQvj2Ui.dll";
  return ::LoadLibraryExW(dll.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

TEST(PlugInResources, PageTemplatesAndTitlesInEnglishAndJapanese) {
  HMODULE plugin = LoadPlugInResources();
  ASSERT_NE(plugin, nullptr) << ::GetLastError();
  const LANGID english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  const LANGID japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
  for (WORD page : {118, 119, 120}) {
    for (LANGID language : {english, japanese}) {
      EXPECT_NE(::FindResourceExW(plugin, RT_DIALOG, MAKEINTRESOURCEW(page), language), nullptr)
          << page << " " << language;
    }
  }
  EXPECT_EQ(StringIn(plugin, 500, english), L"Document Settings");
  EXPECT_EQ(StringIn(plugin, 501, english), L"Font");
  EXPECT_EQ(StringIn(plugin, 502, english), L"Watermark");
  EXPECT_EQ(StringIn(plugin, 500, japanese), L"ドキュメント設定");
  EXPECT_EQ(StringIn(plugin, 501, japanese), L"フォント");
  EXPECT_EQ(StringIn(plugin, 502, japanese), L"ウォーターマーク");
  ::FreeLibrary(plugin);
}

}  // namespace
}  // namespace kvt
