// System facts port: what the system information report and the pages ask
// of the operating system itself (Windows: VerifyVersionInfoW, the native
// processor architecture, the Windows folder, the process token, the UI
// language; Linux: see host/system_info_host.cpp).
#pragma once

#include <cstdint>
#include <string>

#include "platform/service.h"

namespace kvt {

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;

  // Whether the running system's version is at least |major|.|minor|, as
  // the system itself answers (VerifyVersionInfoW), not as the registry's
  // version values say.
  virtual bool IsVersionAtLeast(std::uint32_t major, std::uint32_t minor) = 0;

  // Whether the operating system (not necessarily this process) is 64-bit.
  virtual bool Is64BitOs() = 0;

  // The Windows folder ("C:\Windows"). False with the thread's last error
  // set when it cannot be had.
  virtual bool WindowsFolder(std::u16string* folder) = 0;

  // Whether the current process's token contains the local Administrators
  // group (S-1-5-32-544), whatever the group's attributes (also when UAC
  // leaves it for deny only).
  virtual bool TokenHasAdministrators() = 0;

  // The user's UI language (GetUserDefaultUILanguage): 0x411 Japanese,
  // 0x409 US English; 0 when the system cannot tell.
  virtual std::uint16_t UiLanguage() = 0;
};

template <>
SystemInfo& DefaultService<SystemInfo>();

}  // namespace kvt
