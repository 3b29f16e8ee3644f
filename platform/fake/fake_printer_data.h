// In-memory printer data: printers by name, each with its values; handles
// are the addresses of the printers' entries.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/last_error.h"
#include "platform/printer_data.h"

namespace kvt {

class FakePrinterData final : public PrinterData {
 public:
  struct Printer {
    std::map<std::u16string, std::vector<std::uint8_t>> values;
    std::map<std::u16string, std::uint32_t> types;  // of values written with Set
  };

  // The handle of |name|, adding the printer when new.
  PrinterHandle Add(const std::u16string& name) { return &printers[name]; }

  void SetBytes(PrinterHandle printer, const std::u16string& value,
                std::vector<std::uint8_t> bytes) {
    static_cast<Printer*>(printer)->values[value] = std::move(bytes);
  }
  // A string value as the spooler stores it: UTF-16LE with its terminator.
  void SetString(PrinterHandle printer, const std::u16string& value, const std::u16string& text) {
    std::vector<std::uint8_t> bytes;
    for (char16_t c : text) {
      bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
      bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    SetBytes(printer, value, std::move(bytes));
  }
  void Remove(PrinterHandle printer, const std::u16string& value) {
    static_cast<Printer*>(printer)->values.erase(value);
  }

  bool Open(std::u16string_view printer_name, PrinterHandle* printer) override {
    auto it = printers.find(std::u16string(printer_name));
    if (it == printers.end()) {
      SetThreadLastError(1801);  // ERROR_INVALID_PRINTER_NAME
      return false;
    }
    ++open_handles;
    *printer = &it->second;
    return true;
  }
  bool OpenWithAccess(std::u16string_view printer_name, std::uint32_t access,
                      PrinterHandle* printer) override {
    opened_access.push_back(access);
    return Open(printer_name, printer);
  }
  void Close(PrinterHandle) override { --open_handles; }

  bool Get(PrinterHandle printer, std::u16string_view value_name, std::uint32_t* type,
           std::vector<std::uint8_t>* data) override {
    ++reads;
    for (auto& [name, entry] : printers) {
      if (&entry != printer) continue;
      auto it = entry.values.find(std::u16string(value_name));
      if (it == entry.values.end()) break;
      auto typed = entry.types.find(it->first);
      *type = typed == entry.types.end() ? 3 : typed->second;
      *data = it->second;
      return true;
    }
    SetThreadLastError(2);
    return false;
  }

  bool Set(PrinterHandle printer, std::u16string_view value_name, std::uint32_t type,
           const void* data, std::uint32_t size) override {
    ++writes;
    if (fail_writes) {
      SetThreadLastError(5);  // ERROR_ACCESS_DENIED
      return false;
    }
    auto* entry = static_cast<Printer*>(printer);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    const std::u16string name(value_name);
    entry->values[name].assign(bytes, bytes + size);
    entry->types[name] = type;
    return true;
  }

  std::map<std::u16string, Printer> printers;
  int open_handles = 0;
  int reads = 0;
  int writes = 0;
  bool fail_writes = false;
  std::vector<std::uint32_t> opened_access;
};

}  // namespace kvt
