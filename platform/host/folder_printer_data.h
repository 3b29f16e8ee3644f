// Linux printer data: each printer is a folder below a root, named as the
// printer; each value a file in it holding the value's bytes (a string as
// UTF-16LE). Handles come from Open and are checked on every use.
//
//   <root>/KVT QV-J27 Receipt/LogFilePath
#pragma once

#include <mutex>
#include <set>
#include <string>

#include "platform/printer_data.h"

namespace kvt {

class FolderPrinterData final : public PrinterData {
 public:
  // The default service uses $KVT_PRINTER_DATA_ROOT, else
  // /etc/kvt/printers.
  explicit FolderPrinterData(std::string root) : root_(std::move(root)) {}
  ~FolderPrinterData() override;

  bool Open(std::u16string_view printer_name, PrinterHandle* printer) override;
  // Folders have no access rights of their own: the same as Open.
  bool OpenWithAccess(std::u16string_view printer_name, std::uint32_t access,
                      PrinterHandle* printer) override;
  void Close(PrinterHandle printer) override;
  bool Get(PrinterHandle printer, std::u16string_view value_name, std::uint32_t* type,
           std::vector<std::uint8_t>* data) override;
  // Replaces the value's file with the bytes; the type is not kept.
  bool Set(PrinterHandle printer, std::u16string_view value_name, std::uint32_t type,
           const void* data, std::uint32_t size) override;

 private:
  std::string root_;
  // The folder of an open handle; false (last error 6) for any other.
  bool FolderOf(PrinterHandle printer, std::string* folder);

  std::mutex mutex_;
  std::set<std::string*> open_;  // each handle is one of these
};

}  // namespace kvt
