// A library named like the package's utility library, planted by a test in
// the current folder of a process that shows the plug-in's pages. The
// plug-in must never load it: when it is loaded it leaves a mark in the
// current folder, and its editor answers at once with the bytes DE AD.
#include <windows.h>

#include <cstdint>

#include "oemui/tools/utility_library.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    HANDLE mark = CreateFileW(L"planted-loaded.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (mark != INVALID_HANDLE_VALUE) CloseHandle(mark);
  }
  return TRUE;
}

extern "C" __declspec(dllexport) DWORD DlgHexEditor(void* block) {
  auto* param = static_cast<kvt::HexEditorParam*>(block);
  if (param == nullptr || param->pbyBuffer == nullptr || param->dwCapacity < 2) return 1;
  param->pbyBuffer[0] = 0xDE;
  param->pbyBuffer[1] = 0xAD;
  param->dwCount = 2;
  return 0;
}
