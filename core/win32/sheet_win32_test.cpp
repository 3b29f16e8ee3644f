// The activation-context wrappers and the Windows ports of the string table
// and the message box, on the real system (wine in the test bed).
// This program carries the plug-in's manifest under the plug-in's id, so
// the wrappers find it in the module that holds them, as in the plug-in.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/activation_context.h"
#include "platform/message_box.h"
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
  ui.EnableWindow(child, false);
  EXPECT_FALSE(::IsWindowEnabled(child));
  ui.EnableWindow(child, true);
  EXPECT_TRUE(::IsWindowEnabled(child));
  ::DestroyWindow(parent);
}

}  // namespace
}  // namespace kvt
