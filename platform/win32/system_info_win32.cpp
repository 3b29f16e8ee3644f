#include "platform/system_info.h"

#include <windows.h>

#include <vector>

#include "platform/service.h"

namespace kvt {
namespace {

class Win32SystemInfo final : public SystemInfo {
 public:
  bool IsVersionAtLeast(std::uint32_t major, std::uint32_t minor) override {
    OSVERSIONINFOEXW wanted{};
    wanted.dwOSVersionInfoSize = sizeof wanted;
    wanted.dwMajorVersion = major;
    wanted.dwMinorVersion = minor;
    ULONGLONG condition = 0;
    condition = ::VerSetConditionMask(condition, VER_MAJORVERSION, VER_GREATER_EQUAL);
    condition = ::VerSetConditionMask(condition, VER_MINORVERSION, VER_GREATER_EQUAL);
    return ::VerifyVersionInfoW(&wanted, VER_MAJORVERSION | VER_MINORVERSION, condition) != FALSE;
  }

  bool Is64BitOs() override {
    // Looked up at run time: the module may be loaded where either is
    // missing.
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    using NativeInfoFn = void(WINAPI*)(LPSYSTEM_INFO);
    using IsWow64Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
    auto native_info = kernel != nullptr ? reinterpret_cast<NativeInfoFn>(reinterpret_cast<void*>(
                                               ::GetProcAddress(kernel, "GetNativeSystemInfo")))
                                         : nullptr;
    if (native_info != nullptr) {
      SYSTEM_INFO info{};
      native_info(&info);
      if (info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
          info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64) {
        return true;
      }
    }
    auto is_wow64 = kernel != nullptr ? reinterpret_cast<IsWow64Fn>(reinterpret_cast<void*>(
                                            ::GetProcAddress(kernel, "IsWow64Process")))
                                      : nullptr;
    if (is_wow64 == nullptr) return false;
    BOOL wow64 = FALSE;
    if (!is_wow64(::GetCurrentProcess(), &wow64)) return true;
    return wow64 != FALSE;
  }

  bool WindowsFolder(std::u16string* folder) override {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
      const UINT length = ::GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
      if (length == 0) return false;
      if (length < buffer.size()) {
        folder->assign(reinterpret_cast<const char16_t*>(buffer.data()), length);
        return true;
      }
      buffer.resize(length + 1);
    }
  }

  bool TokenHasAdministrators() override {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    bool found = false;
    DWORD size = 0;
    ::GetTokenInformation(token, TokenGroups, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    SID_IDENTIFIER_AUTHORITY nt_authority = {SECURITY_NT_AUTHORITY};
    PSID administrators = nullptr;
    if (size != 0 && ::GetTokenInformation(token, TokenGroups, buffer.data(), size, &size) &&
        ::AllocateAndInitializeSid(&nt_authority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                   DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators)) {
      // Every group counts, enabled or not: an administrator whose rights
      // UAC holds back still is one.
      const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
      for (DWORD i = 0; i < groups->GroupCount && !found; ++i) {
        found = ::EqualSid(groups->Groups[i].Sid, administrators) != FALSE;
      }
    }
    if (administrators != nullptr) ::FreeSid(administrators);
    ::CloseHandle(token);
    return found;
  }

  std::uint16_t UiLanguage() override { return ::GetUserDefaultUILanguage(); }
};

}  // namespace

template <>
SystemInfo& DefaultService<SystemInfo>() {
  static Win32SystemInfo info;
  return info;
}

}  // namespace kvt
