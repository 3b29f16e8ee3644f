#include "platform/host/folder_printer_data.h"

#include <cstdio>
#include <cstdlib>

#include <sys/stat.h>

#include "platform/host/folder_config_source.h"
#include "platform/last_error.h"
#include "platform/service.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

constexpr std::uint32_t kErrorInvalidHandle = 6;
constexpr std::uint32_t kErrorInvalidPrinterName = 1801;
constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorAccessDenied = 5;
constexpr std::uint32_t kErrorWriteFault = 29;
constexpr std::uint32_t kErrorInvalidParameter = 87;

bool IsPlainName(std::u16string_view name) {
  if (name.empty() || name == u"." || name == u"..") return false;
  for (char16_t c : name) {
    if (c == u'/' || c == u'\\' || c == 0) return false;
  }
  return true;
}

}  // namespace

FolderPrinterData::~FolderPrinterData() {
  for (std::string* folder : open_) delete folder;
}

bool FolderPrinterData::Open(std::u16string_view printer_name, PrinterHandle* printer) {
  struct stat info {};
  const std::string folder = root_ + "/" + Utf16ToUtf8(printer_name);
  if (!IsPlainName(printer_name) || stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    SetThreadLastError(kErrorInvalidPrinterName);
    return false;
  }
  auto* handle = new std::string(folder);
  std::lock_guard<std::mutex> lock(mutex_);
  open_.insert(handle);
  *printer = handle;
  return true;
}

void FolderPrinterData::Close(PrinterHandle printer) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = open_.find(static_cast<std::string*>(printer));
  if (it == open_.end()) {
    SetThreadLastError(kErrorInvalidHandle);
    return;
  }
  delete *it;
  open_.erase(it);
}

bool FolderPrinterData::OpenWithAccess(std::u16string_view printer_name, std::uint32_t,
                                       PrinterHandle* printer) {
  return Open(printer_name, printer);
}

bool FolderPrinterData::FolderOf(PrinterHandle printer, std::string* folder) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = open_.find(static_cast<std::string*>(printer));
  if (it == open_.end()) {
    SetThreadLastError(kErrorInvalidHandle);
    return false;
  }
  *folder = **it;
  return true;
}

bool FolderPrinterData::Get(PrinterHandle printer, std::u16string_view value_name,
                            std::uint32_t* type, std::vector<std::uint8_t>* data) {
  std::string folder;
  if (!FolderOf(printer, &folder)) return false;
  if (!IsPlainName(value_name)) {
    SetThreadLastError(kErrorFileNotFound);
    return false;
  }
  *type = 3;  // REG_BINARY: the files carry no type
  return ReadSmallFile(folder + "/" + Utf16ToUtf8(value_name), data);
}

bool FolderPrinterData::Set(PrinterHandle printer, std::u16string_view value_name, std::uint32_t,
                            const void* data, std::uint32_t size) {
  std::string folder;
  if (!FolderOf(printer, &folder)) return false;
  if (!IsPlainName(value_name)) {
    SetThreadLastError(kErrorInvalidParameter);
    return false;
  }
  const std::string path = folder + "/" + Utf16ToUtf8(value_name);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    SetThreadLastError(kErrorAccessDenied);
    return false;
  }
  const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    SetThreadLastError(kErrorWriteFault);
    return false;
  }
  return true;
}

template <>
PrinterData& DefaultService<PrinterData>() {
  static FolderPrinterData printers([] {
    const char* root = std::getenv("KVT_PRINTER_DATA_ROOT");
    return std::string(root != nullptr && *root != '\0' ? root : "/etc/kvt/printers");
  }());
  return printers;
}

}  // namespace kvt
