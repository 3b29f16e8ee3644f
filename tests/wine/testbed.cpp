#include "tests/wine/testbed.h"

#include <winspool.h>

#include <vector>

namespace kvt::testbed {

std::wstring Env(const wchar_t* name) {
  std::vector<wchar_t> value(32768);
  const DWORD length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
  if (length == 0 || length >= value.size()) return std::wstring();
  return std::wstring(value.data(), length);
}

std::wstring BesideThisProgram(const wchar_t* file_name) {
  std::vector<wchar_t> path(32768);
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  std::wstring folder(path.data(), length);
  const std::size_t slash = folder.find_last_of(L"\\/");
  folder.resize(slash == std::wstring::npos ? 0 : slash + 1);
  return folder + file_name;
}

std::wstring ReceiptPortFile() { return Env(L"KVT_RECEIPT_PORT"); }

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    bytes.append(buffer, read);
  }
  CloseHandle(file);
  return bytes;
}

Printer::Printer(const wchar_t* name) {
  if (!OpenPrinterW(const_cast<wchar_t*>(name), &handle_, nullptr)) handle_ = nullptr;
}

Printer::~Printer() {
  if (handle_ != nullptr) ClosePrinter(handle_);
}

}  // namespace kvt::testbed
