#include "tests/wine/testbed.h"

#include <shlobj.h>
#include <winspool.h>

#include <cwctype>

#include <vector>

namespace kvt::testbed {

std::wstring Env(const wchar_t* name) {
  std::vector<wchar_t> value(32768);
  const DWORD length =
      GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
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

std::wstring SystemFolder() {
  wchar_t path[MAX_PATH] = {};
  GetSystemDirectoryW(path, MAX_PATH);
  return path;
}

std::wstring LogFolder() {
  wchar_t path[MAX_PATH] = {};
  SHGetSpecialFolderPathW(nullptr, path, CSIDL_COMMON_APPDATA, FALSE);
  return std::wstring(path) + L"\\KVT\\Logs";
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

std::wstring TempPath(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  return std::wstring(temp, GetTempPathW(MAX_PATH, temp)) + name;
}

std::wstring ArtifactFolder(const std::wstring& sub, bool per_language) {
  std::wstring path = Env(L"KVT_ARTIFACT_DIR");
  if (path.empty()) path = TempPath(L"kvt-artifacts");
  if (per_language) path += GetUserDefaultUILanguage() == 0x411 ? L"\\ja" : L"\\en";
  if (!sub.empty()) path += L"\\" + sub;
  // The folder and its parents; existing ones are fine.
  for (std::size_t at = 3; at <= path.size(); ++at) {
    if (at == path.size() || path[at] == L'\\' || path[at] == L'/') {
      CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    }
  }
  return path;
}

std::string SavedRecord(const std::wstring& path) {
  const std::string devmode = ReadFileBytes(path);
  if (devmode.size() < 70) return std::string();
  const std::size_t public_size =
      static_cast<unsigned char>(devmode[68]) | static_cast<unsigned char>(devmode[69]) << 8;
  return devmode.size() > public_size ? devmode.substr(public_size) : std::string();
}

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

Printer::Printer(const wchar_t* name) {
  if (!OpenPrinterW(const_cast<wchar_t*>(name), &handle_, nullptr)) handle_ = nullptr;
}

Printer::~Printer() {
  if (handle_ != nullptr) ClosePrinter(handle_);
}

HostRun RunSheetHost(const std::wstring& arguments, DWORD timeout_ms) {
  return RunBesideThisProgram(L"sheet_host.exe", arguments, timeout_ms);
}

HostRun RunBesideThisProgram(const wchar_t* program, const std::wstring& arguments,
                             DWORD timeout_ms) {
  HostRun run;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) return run;
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = write;
  startup.hStdError = write;
  std::wstring command = L"\"" + BesideThisProgram(program) + L"\" " + arguments;
  PROCESS_INFORMATION process = {};
  const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &process);
  CloseHandle(write);
  if (!started) {
    CloseHandle(read);
    return run;
  }
  // Read while it runs, so that a full pipe never stops it.
  std::string output;
  const DWORD deadline = GetTickCount() + timeout_ms;
  for (;;) {
    DWORD available = 0;
    char buffer[4096];
    DWORD got = 0;
    if (PeekNamedPipe(read, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
        ReadFile(read, buffer, sizeof buffer, &got, nullptr)) {
      output.append(buffer, got);
      continue;
    }
    if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0) {
      while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        output.append(buffer, got);
      }
      run.finished = true;
      break;
    }
    if (static_cast<LONG>(GetTickCount() - deadline) > 0) {
      TerminateProcess(process.hProcess, 99);
      break;
    }
  }
  GetExitCodeProcess(process.hProcess, &run.exit_code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(read);
  std::size_t start = 0;
  for (std::size_t end; (end = output.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = output.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    run.lines.push_back(line);
  }
  return run;
}

std::vector<std::string> HostRun::All(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const auto& line : lines) {
    if (line.compare(0, prefix.size(), prefix) == 0) found.push_back(line.substr(prefix.size()));
  }
  return found;
}

std::string HostRun::Value(const std::string& prefix) const {
  const auto found = All(prefix);
  return found.empty() ? std::string("(missing)") : found.front();
}

std::string HostRun::Report() const {
  std::string report;
  for (const auto& line : lines) report += line + "\n";
  return report;
}

PageRun RunPage(const std::wstring& arguments) {
  const std::wstring port = ReceiptPortFile();
  const std::wstring saved = TempPath(L"kvt-page-" + std::to_wstring(GetCurrentProcessId()));
  DeleteFileW(port.c_str());
  DeleteFileW(saved.c_str());
  PageRun run;
  static_cast<HostRun&>(run) =
      RunSheetHost(arguments + L" --save-devmode \"" + saved + L"\"", 90000);
  run.port = ReadFileBytes(port);
  run.record = SavedRecord(saved);
  DeleteFileW(saved.c_str());
  return run;
}

IPrintOemUI* CreatePlugin() {
  static HMODULE module = LoadLibraryW(BesideThisProgram(L"KvtQvj2Ui.dll").c_str());
  if (module == nullptr) return nullptr;
  using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  const auto get_class_object = reinterpret_cast<GetClassObjectFn>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  IClassFactory* factory = nullptr;
  if (get_class_object == nullptr || get_class_object(abi::kClsidPlugin, abi::kIidClassFactory,
                                                      reinterpret_cast<void**>(&factory)) != S_OK) {
    return nullptr;
  }
  IPrintOemUI* plugin = nullptr;
  if (factory->CreateInstance(nullptr, abi::kIidPrintOemUI, reinterpret_cast<void**>(&plugin)) !=
      S_OK) {
    plugin = nullptr;
  }
  factory->Release();
  return plugin;
}

}  // namespace kvt::testbed
