#include "platform/file_system.h"
#include "platform/wide_text.h"

#include <windows.h>
#include <aclapi.h>
#include <shlobj.h>

#include <string>

#include "platform/service.h"

namespace kvt {
namespace {

class Win32File final : public FileSystem::File {
 public:
  explicit Win32File(HANDLE file) : file_(file) {}
  ~Win32File() override { ::CloseHandle(file_); }

  bool Size(std::uint64_t* size) override {
    LARGE_INTEGER value{};
    if (!::GetFileSizeEx(file_, &value)) return false;
    *size = static_cast<std::uint64_t>(value.QuadPart);
    return true;
  }

  bool Append(std::string_view data) override {
    LARGE_INTEGER zero{};
    if (!::SetFilePointerEx(file_, zero, nullptr, FILE_END)) return false;
    while (!data.empty()) {
      const DWORD chunk = data.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(data.size());
      DWORD written = 0;
      if (!::WriteFile(file_, data.data(), chunk, &written, nullptr) || written == 0) return false;
      data.remove_prefix(written);
    }
    return true;
  }

 private:
  HANDLE file_;
};

class Win32FileSystem final : public FileSystem {
 public:
  std::unique_ptr<File> OpenExclusive(std::u16string_view path) override {
    HANDLE file = ::CreateFileW(Utf16ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32File>(file);
  }

  bool ReadPrefix(std::u16string_view path, std::size_t count, std::string* bytes) override {
    HANDLE file = ::CreateFileW(Utf16ToWide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes->assign(count, '\0');
    std::size_t total = 0;
    bool ok = true;
    while (total < count) {
      DWORD got = 0;
      const DWORD want = static_cast<DWORD>(count - total > 0x10000 ? 0x10000 : count - total);
      if (!::ReadFile(file, bytes->data() + total, want, &got, nullptr)) {
        ok = false;
        break;
      }
      if (got == 0) break;
      total += got;
    }
    const DWORD error = ::GetLastError();
    ::CloseHandle(file);
    bytes->resize(total);
    if (!ok) ::SetLastError(error);
    return ok;
  }

  bool IsDirectory(std::u16string_view path) override {
    const DWORD attributes = ::GetFileAttributesW(Utf16ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  bool MakeDirectory(std::u16string_view path) override {
    return ::CreateDirectoryW(Utf16ToWide(path).c_str(), nullptr) != FALSE;
  }

  bool Rename(std::u16string_view from, std::u16string_view to) override {
    return ::MoveFileW(Utf16ToWide(from).c_str(), Utf16ToWide(to).c_str()) != FALSE;
  }

  bool Delete(std::u16string_view path) override {
    return ::DeleteFileW(Utf16ToWide(path).c_str()) != FALSE;
  }

  std::vector<Entry> List(std::u16string_view folder, std::u16string_view pattern) override {
    std::vector<Entry> entries;
    std::wstring search = Utf16ToWide(folder);
    search += L'\\';
    search += Utf16ToWide(pattern);
    WIN32_FIND_DATAW found{};
    HANDLE find = ::FindFirstFileW(search.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return entries;
    do {
      Entry entry;
      entry.name.assign(reinterpret_cast<const char16_t*>(found.cFileName));
      entry.is_directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      entry.last_write = (static_cast<std::uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                         found.ftLastWriteTime.dwLowDateTime;
      entries.push_back(std::move(entry));
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return entries;
  }

  bool GrantUsersFullAccess(std::u16string_view folder) override {
    HANDLE handle = ::CreateFileW(Utf16ToWide(folder).c_str(), READ_CONTROL | WRITE_DAC,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;

    bool granted = false;
    PACL current = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    PSID users = nullptr;
    PACL merged = nullptr;
    SID_IDENTIFIER_AUTHORITY nt_authority = {SECURITY_NT_AUTHORITY};
    if (::GetSecurityInfo(handle, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                          &current, nullptr, &descriptor) == ERROR_SUCCESS &&
        ::AllocateAndInitializeSid(&nt_authority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                   DOMAIN_ALIAS_RID_USERS, 0, 0, 0, 0, 0, 0, &users)) {
      // S-1-5-32-545, inherited by every folder and file below, so files
      // that one account creates can be appended to by every other.
      EXPLICIT_ACCESSW access{};
      access.grfAccessPermissions = GENERIC_ALL;
      access.grfAccessMode = GRANT_ACCESS;
      access.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
      access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
      access.Trustee.TrusteeType = TRUSTEE_IS_GROUP;
      access.Trustee.ptstrName = static_cast<LPWSTR>(users);
      if (::SetEntriesInAclW(1, &access, current, &merged) == ERROR_SUCCESS) {
        granted = ::SetSecurityInfo(handle, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                    nullptr, merged, nullptr) == ERROR_SUCCESS;
      }
    }
    if (merged != nullptr) ::LocalFree(merged);
    if (users != nullptr) ::FreeSid(users);
    if (descriptor != nullptr) ::LocalFree(descriptor);
    ::CloseHandle(handle);
    return granted;
  }

  bool CommonAppDataFolder(std::u16string* folder) override {
    wchar_t path[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathW(nullptr, path, CSIDL_COMMON_APPDATA, FALSE)) return false;
    folder->assign(reinterpret_cast<const char16_t*>(path));
    return true;
  }
};

}  // namespace

template <>
FileSystem& DefaultService<FileSystem>() {
  static Win32FileSystem files;
  return files;
}

}  // namespace kvt
