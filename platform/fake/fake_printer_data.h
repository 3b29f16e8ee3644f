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
  void Close(PrinterHandle) override { --open_handles; }

  bool Get(PrinterHandle printer, std::u16string_view value_name, std::uint32_t* type,
           std::vector<std::uint8_t>* data) override {
    ++reads;
    for (auto& [name, entry] : printers) {
      if (&entry != printer) continue;
      auto it = entry.values.find(std::u16string(value_name));
      if (it == entry.values.end()) break;
      *type = 3;
      *data = it->second;
      return true;
    }
    SetThreadLastError(2);
    return false;
  }

  std::map<std::u16string, Printer> printers;
  int open_handles = 0;
  int reads = 0;
};

}  // namespace kvt
