// Linux has no Windows version, no Windows folder and no access token, so
// each answer comes from its nearest Linux counterpart:
//  - the version is what the configuration tree (the registry's stand-in,
//    see folder_config_source.h) holds under
//    "SOFTWARE\Microsoft\Windows NT\CurrentVersion", the values the
//    portable code reads there on Windows as well; without them the
//    report names no Windows ("Windows ???") rather than a wrong one;
//  - 64-bit is the kernel's machine type (uname), as GetNativeSystemInfo
//    reports the machine rather than the process;
//  - the Windows folder is host_windows_folder.h's tree;
//  - "Administrators in the token" is root, or membership (effective or
//    not) in a group that may act as administrator: sudo, wheel or admin.
#include "platform/system_info.h"

#include <cstring>
#include <optional>
#include <vector>

#include <grp.h>
#include <sys/utsname.h>
#include <unistd.h>

#include "platform/config_source.h"
#include "platform/host/host_windows_folder.h"
#include "platform/last_error.h"
#include "platform/service.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

std::optional<std::uint32_t> ReadNumber(ConfigSource::Key& key, std::u16string_view name) {
  ConfigValue value;
  if (!key.Read(name, &value) || value.data.empty() || value.data.size() > 4) return std::nullopt;
  std::uint32_t number = 0;
  for (std::size_t i = value.data.size(); i > 0; --i) number = (number << 8) | value.data[i - 1];
  return number;
}

bool IsAdministratorGroup(gid_t gid) {
  if (gid == 0) return true;
  std::vector<char> buffer(16384);
  group entry{};
  group* found = nullptr;
  if (getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) {
    return false;
  }
  for (const char* name : {"sudo", "wheel", "admin"}) {
    if (std::strcmp(found->gr_name, name) == 0) return true;
  }
  return false;
}

class HostSystemInfo final : public SystemInfo {
 public:
  bool IsVersionAtLeast(std::uint32_t major, std::uint32_t minor) override {
    auto key =
        Service<ConfigSource>().OpenMachineKey(u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
    if (!key) return false;
    const auto have_major = ReadNumber(*key, u"CurrentMajorVersionNumber");
    const auto have_minor = ReadNumber(*key, u"CurrentMinorVersionNumber");
    if (!have_major || !have_minor) return false;
    return *have_major > major || (*have_major == major && *have_minor >= minor);
  }

  bool Is64BitOs() override {
    utsname name{};
    if (uname(&name) != 0) return sizeof(void*) == 8;
    return std::strstr(name.machine, "64") != nullptr || std::strcmp(name.machine, "s390x") == 0;
  }

  bool WindowsFolder(std::u16string* folder) override {
    *folder = Utf8ToUtf16(host::WindowsFolder());
    return true;
  }

  bool TokenHasAdministrators() override {
    if (geteuid() == 0 || IsAdministratorGroup(getegid())) return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = getgroups(count, groups.data());
    for (int i = 0; i < got; ++i) {
      if (IsAdministratorGroup(groups[static_cast<std::size_t>(i)])) return true;
    }
    return false;
  }

  // The texts of the portable build are the English ones.
  std::uint16_t UiLanguage() override { return 0x409; }
};

}  // namespace

template <>
SystemInfo& DefaultService<SystemInfo>() {
  static HostSystemInfo info;
  return info;
}

}  // namespace kvt
