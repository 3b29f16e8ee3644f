#include "tests/wine/inf_install.h"

#include <setupapi.h>
#include <winspool.h>

#include <cwctype>

namespace kvt::testbed {
namespace {

constexpr wchar_t kEnvironment[] = L"Windows x64";
constexpr wchar_t kStandInDriver[] = L"wineps.drv";

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

std::wstring Field(INFCONTEXT* context, DWORD index) {
  wchar_t text[MAX_PATH] = {};
  return SetupGetStringFieldW(context, index, text, MAX_PATH, nullptr) ? text : L"";
}

// The install section of |model| in the 64-bit models section named by
// [Manufacturer] ("Maker=Models,NTamd64" names [Models.NTamd64]).
std::wstring InstallSection(HINF inf, const std::wstring& model) {
  INFCONTEXT maker;
  if (!SetupFindFirstLineW(inf, L"Manufacturer", nullptr, &maker)) return L"";
  do {
    const std::wstring models = Field(&maker, 1);
    for (DWORD i = 2; i <= SetupGetFieldCount(&maker); ++i) {
      const std::wstring decoration = Field(&maker, i);
      if (Lower(decoration) != L"ntamd64") continue;
      INFCONTEXT line;
      const std::wstring section = models + L"." + decoration;
      if (SetupFindFirstLineW(inf, section.c_str(), model.c_str(), &line)) return Field(&line, 1);
    }
  } while (SetupFindNextLine(&maker, &maker));
  return L"";
}

struct QueueLog {
  std::vector<std::wstring> copied;
  std::vector<std::wstring> errors;
};

// Answers the queue as a silent installer: copy, and give up instead of
// asking for a disk or a retry.
UINT CALLBACK OnQueueNotification(void* context, UINT notification, UINT_PTR param1, UINT_PTR) {
  auto* log = static_cast<QueueLog*>(context);
  const auto* paths = reinterpret_cast<const FILEPATHS_W*>(param1);
  switch (notification) {
    case SPFILENOTIFY_ENDCOPY:
      if (paths->Win32Error == NO_ERROR) {
        log->copied.push_back(paths->Target);
      } else {
        log->errors.push_back(L"copy to " + std::wstring(paths->Target) + L" failed: " +
                              std::to_wstring(paths->Win32Error));
      }
      return NO_ERROR;
    case SPFILENOTIFY_NEEDMEDIA: {
      // Asked for every source disk: the package folder is the disk, so
      // go on when the file is there instead of asking for it.
      const auto* media = reinterpret_cast<const SOURCE_MEDIA_W*>(param1);
      const std::wstring source = std::wstring(media->SourcePath) + L"\\" + media->SourceFile;
      if (GetFileAttributesW(source.c_str()) != INVALID_FILE_ATTRIBUTES) return FILEOP_DOIT;
      log->errors.push_back(L"no source " + source);
      return FILEOP_ABORT;
    }
    case SPFILENOTIFY_COPYERROR:
      log->errors.push_back(L"cannot copy " + std::wstring(paths->Source) + L": " +
                            std::to_wstring(paths->Win32Error));
      return FILEOP_ABORT;
    case SPFILENOTIFY_STARTQUEUE:
    case SPFILENOTIFY_STARTSUBQUEUE:
    case SPFILENOTIFY_STARTCOPY:
      return FILEOP_DOIT;  // TRUE for the start notifications
    default:
      return NO_ERROR;
  }
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

}  // namespace

std::wstring PrinterDriverFolder() {
  wchar_t path[MAX_PATH] = {};
  DWORD needed = 0;
  return GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(path), sizeof path,
                                    &needed)
             ? path
             : L"";
}

bool CopyModelFiles(const std::wstring& inf_path, const std::wstring& model, InfInstall* result) {
  UINT error_line = 0;
  HINF inf = SetupOpenInfFileW(inf_path.c_str(), nullptr, INF_STYLE_WIN4, &error_line);
  if (inf == INVALID_HANDLE_VALUE) {
    result->errors.push_back(L"SetupOpenInfFileW(" + inf_path + L") failed: " +
                             std::to_wstring(GetLastError()) + L", line " +
                             std::to_wstring(error_line));
    return false;
  }
  result->install_section = InstallSection(inf, model);
  INFCONTEXT line;
  if (!result->install_section.empty() &&
      SetupFindFirstLineW(inf, result->install_section.c_str(), L"DataFile", &line)) {
    result->data_file = Field(&line, 1);
  }
  if (result->install_section.empty() || result->data_file.empty()) {
    result->errors.push_back(L"no install section with a DataFile for " + model);
    SetupCloseInfFile(inf);
    return false;
  }

  HSPFILEQ queue = SetupOpenFileQueue();
  QueueLog log;
  bool ok = SetupInstallFilesFromInfSectionW(inf, nullptr, queue, result->install_section.c_str(),
                                             FolderOf(inf_path).c_str(), 0);
  if (!ok) {
    log.errors.push_back(L"SetupInstallFilesFromInfSectionW failed: " +
                         std::to_wstring(GetLastError()));
  } else if (!SetupCommitFileQueueW(nullptr, queue, OnQueueNotification, &log)) {
    log.errors.push_back(L"SetupCommitFileQueueW failed: " + std::to_wstring(GetLastError()));
  }
  SetupCloseFileQueue(queue);
  SetupCloseInfFile(inf);

  const std::wstring driver_folder = Lower(PrinterDriverFolder());
  for (const std::wstring& target : log.copied) {
    if (Lower(FolderOf(target)) == driver_folder) {
      result->driver_files.push_back(target.substr(target.find_last_of(L"\\/") + 1));
    }
  }
  result->copied = log.copied;
  result->errors.insert(result->errors.end(), log.errors.begin(), log.errors.end());
  return result->errors.empty();
}

bool AddDriverFromInf(const InfInstall& install, const std::wstring& driver_name,
                      std::wstring* error) {
  // The dependent files: every driver file but the data file, as a list of
  // strings ended by an empty one.
  std::wstring dependent;
  for (const std::wstring& file : install.driver_files) {
    if (Lower(file) != Lower(install.data_file)) dependent += file + L'\0';
  }
  dependent += L'\0';
  DRIVER_INFO_3W info = {};
  info.cVersion = 3;
  info.pName = const_cast<wchar_t*>(driver_name.c_str());
  info.pEnvironment = const_cast<wchar_t*>(kEnvironment);
  info.pDriverPath = const_cast<wchar_t*>(kStandInDriver);
  info.pDataFile = const_cast<wchar_t*>(install.data_file.c_str());
  info.pConfigFile = const_cast<wchar_t*>(kStandInDriver);
  info.pDependentFiles = dependent.data();
  // Adding a driver that is there replaces it and copies every file again,
  // so a bed that is brought up again holds this build's package.
  if (AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_ALL_FILES)) {
    return true;
  }
  *error = L"AddPrinterDriverExW(" + driver_name + L") failed: " + std::to_wstring(GetLastError());
  return false;
}

}  // namespace kvt::testbed
