// System facts for tests: the system's own version (what VerifyVersionInfoW
// compares against), the word size, the Windows folder, the token and the
// UI language, all set by the test; version checks are recorded.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/last_error.h"
#include "platform/system_info.h"

namespace kvt {

class FakeSystemInfo final : public SystemInfo {
 public:
  bool IsVersionAtLeast(std::uint32_t major, std::uint32_t minor) override {
    verified.emplace_back(major, minor);
    return system_major > major || (system_major == major && system_minor >= minor);
  }
  bool Is64BitOs() override { return is_64bit; }
  bool WindowsFolder(std::u16string* folder) override {
    if (windows_folder.empty()) {
      SetThreadLastError(2);
      return false;
    }
    *folder = windows_folder;
    return true;
  }
  bool TokenHasAdministrators() override { return administrator; }
  std::uint16_t UiLanguage() override { return ui_language; }

  std::uint32_t system_major = 10;
  std::uint32_t system_minor = 0;
  bool is_64bit = true;
  std::u16string windows_folder = u"C:\\Windows";
  bool administrator = false;
  std::uint16_t ui_language = 0x409;  // US English
  std::vector<std::pair<std::uint32_t, std::uint32_t>> verified;
};

}  // namespace kvt
